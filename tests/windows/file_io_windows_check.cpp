// The file reading and atomic replacement through the Windows API, run by
// ctest under wine (scripts/windows-wine-test.sh). Each check reports itself
// on a line, so that a run under wine shows what wine did and did not do.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/FileIo.h"

namespace {

int failures = 0;

int refusedRename(const char*, const char*) {
    errno = EACCES;
    return -1;
}

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok)
        ++failures;
}

std::wstring wide(const std::string& utf8) {
    std::wstring w(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      w.data(), static_cast<int>(w.size()));
    w.resize(static_cast<std::size_t>(n));
    return w;
}

// The names in the folder, as UTF-8.
std::string entries(const std::string& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE h = FindFirstFileW((wide(folder) + L"\\*").c_str(), &found);
    std::string names;
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        char buffer[MAX_PATH * 3];
        const int n = WideCharToMultiByte(CP_UTF8, 0, name.c_str(), -1, buffer, sizeof buffer,
                                          nullptr, nullptr);
        names += std::string(buffer, static_cast<std::size_t>(n > 0 ? n - 1 : 0)) + " ";
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

}  // namespace

int main() {
    wchar_t tempRoot[MAX_PATH];
    GetTempPathW(MAX_PATH, tempRoot);
    char root[MAX_PATH * 3];
    WideCharToMultiByte(CP_UTF8, 0, tempRoot, -1, root, sizeof root, nullptr, nullptr);
    // A folder and a file name that the ANSI code page of a Western system cannot hold.
    const std::string folder =
        std::string(root) + "棚札-check-" + std::to_string(GetCurrentProcessId());
    check(CreateDirectoryW(wide(folder).c_str(), nullptr) != 0, "test folder created");
    const std::string file = folder + "\\ラベル①.csv";

    const std::string first("\"\x92\x49\x8E\x44\"\r\nline\nend\x1A\0\xFF", 17);
    check(writeFileAtomically(file, first).ok(), "new file written");
    std::string read;
    check(readWholeFile(file, read).ok() && read == first,
          "read back byte for byte (no CR LF added)");
    check(fileExists(file), "fileExists sees it");
    check(writeFileAtomically(file, "second").ok(), "old file replaced");
    check(readWholeFile(file, read).ok() && read == "second", "replacement read back");
    check(entries(folder) == "ラベル①.csv ", "no temporary file left");

    check(readWholeFile(folder + "\\none.csv", read).code == ResultCode::NotFound,
          "missing file: NotFound");
    check(readWholeFile(folder + "\\no folder\\none.csv", read).code == ResultCode::NotFound,
          "missing folder: NotFound");
    check(!fileExists(folder + "\\none.csv"), "fileExists: missing");
    check(readWholeFile(folder, read).code == ResultCode::ReadFailed, "a folder is not read");
    check(readWholeFile("NUL", read).code == ResultCode::ReadFailed, "a device is not read");
    check(readWholeFile(file, read, 5).code == ResultCode::ReadFailed && read.empty(),
          "over the cap: refused");
    check(readWholeFile(file, read, 6).ok() && read == "second", "at the cap: read");
    check(readWholeFile(std::string("\xFF\xFE", 2), read).code == ResultCode::ReadFailed,
          "a name that is no UTF-8: refused");

    // A read-only file is left alone.
    SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_READONLY);
    const Result readOnly = writeFileAtomically(file, "third");
    check(readOnly.code == ResultCode::WriteFailed, "read-only file not replaced");
    check(readWholeFile(file, read).ok() && read == "second", "read-only file unchanged");
    SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A hidden file stays hidden.
    SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
    check(writeFileAtomically(file, "fourth").ok(), "hidden file replaced");
    check((GetFileAttributesW(wide(file).c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0,
          "hidden file still hidden");
    check(readWholeFile(file, read).ok() && read == "fourth", "hidden file read back");
    SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A failed rename removes the temporary file and leaves the old one.
    {
        FileSystemOps ops = realFileSystemOps();
        ops.rename = refusedRename;
        ScopedFileSystemOps guard(ops);
        const Result refused = writeFileAtomically(file, "fifth");
        check(refused.code == ResultCode::WriteFailed && refused.detail == std::strerror(EACCES),
              "refused rename: WriteFailed");
    }
    check(readWholeFile(file, read).ok() && read == "fourth", "refused rename: old file kept");
    check(entries(folder) == "ラベル①.csv ", "refused rename: no temporary file");

    // A symbolic link is followed and stays a link, where the system makes one.
    const std::string link = folder + "\\link.csv";
    // (wine reports success and makes none.)
    const bool linked = CreateSymbolicLinkW(wide(link).c_str(), wide(file).c_str(), 0) != 0 &&
                        GetFileAttributesW(wide(link).c_str()) != INVALID_FILE_ATTRIBUTES;
    if (linked) {
        check(writeFileAtomically(link, "through the link").ok(), "written through a link");
        check((GetFileAttributesW(wide(link).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
              "the link is still a link");
        check(readWholeFile(file, read).ok() && read == "through the link",
              "the linked file has the new content");
        DeleteFileW(wide(link).c_str());
    } else {
        std::printf("skipped: no symbolic links here\n");
    }

    check(writeFileAtomically(folder, "x").code == ResultCode::IsFolder,
          "a folder is not replaced");
    check(writeFileAtomically(folder + "\\no folder\\a.csv", "x").code == ResultCode::WriteFailed,
          "missing folder: WriteFailed");
    // Refused when the writer starts, not at the rename after all was written.
    const std::string tooLong = folder + "\\" + std::string(256, 'a') + ".csv";
    const Result longName = writeFileAtomically(tooLong, "x");
    check(longName.code == ResultCode::WriteFailed && longName.detail == std::strerror(EINVAL),
          "a name too long: WriteFailed at once");
    check(entries(folder) == "ラベル①.csv ", "still no temporary file");

    DeleteFileW(wide(file).c_str());
    RemoveDirectoryW(wide(folder).c_str());
    std::printf("%s\n", failures == 0 ? "all passed" : "some FAILED");
    return failures == 0 ? 0 : 1;
}
