// Drives a window of another program as a user at the keyboard would, through
// the Windows API: waits for a visible top-level window whose caption holds a
// text, then for each step either presses keys in it (brought to the
// foreground first) or asks it to close. Run under wine by
// scripts/windows-wine-test.sh against tanahuda.exe on the Windows platform.
//
//   window_keys CAPTION_PART STEP...    STEP: ctrl+KEY | close | wait:MS
//
// Exits 0 when the window was found and every step was taken.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    std::wstring captionPart;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM searchPointer) {
    auto* search = reinterpret_cast<Search*>(searchPointer);
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t caption[1024] = {};
    GetWindowTextW(window, caption, 1024);
    if (std::wstring(caption).find(search->captionPart) == std::wstring::npos)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND waitForWindow(const std::wstring& captionPart) {
    Search search{captionPart};
    for (int tries = 0; tries < 600 && search.found == nullptr; ++tries) {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(100);
    }
    return search.found;
}

INPUT key(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Ctrl and a letter or digit, pressed and let go in the window.
bool pressCtrl(HWND window, wchar_t letter) {
    SetForegroundWindow(window);
    SetFocus(window);
    Sleep(300);
    const WORD letterKey = static_cast<WORD>(towupper(letter));
    std::vector<INPUT> inputs{key(VK_CONTROL, false), key(letterKey, false), key(letterKey, true),
                              key(VK_CONTROL, true)};
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

std::wstring wide(const char* text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), n);
    result.resize(result.size() - 1);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_keys CAPTION_PART STEP...\n");
        return 2;
    }
    const HWND window = waitForWindow(wide(argv[1]));
    if (window == nullptr) {
        std::fprintf(stderr, "window_keys: no window shows \"%s\" in its caption\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        bool taken = true;
        if (step.rfind("ctrl+", 0) == 0 && step.size() == 6)
            taken = pressCtrl(window, static_cast<wchar_t>(step[5]));
        else if (step == "close")
            taken = PostMessageW(window, WM_CLOSE, 0, 0) != 0;
        else if (step.rfind("wait:", 0) == 0)
            Sleep(static_cast<DWORD>(std::stoul(step.substr(5))));
        else
            taken = false;
        if (!taken) {
            std::fprintf(stderr, "window_keys: the step %s was not taken\n", step.c_str());
            return 1;
        }
    }
    return 0;
}
