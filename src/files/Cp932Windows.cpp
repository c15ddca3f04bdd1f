#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>

#include "files/Cp932Converter.h"

namespace cp932 {
namespace {

constexpr UINT kCodePage = 932;

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length of the UTF-8 sequence a byte starts (1 for a stray byte, which
// the conversion then refuses).
std::size_t utf8Length(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    if (b >= 0xE0)
        return b <= 0xEF ? 3 : 1;
    if (b >= 0xC2)
        return 2;
    return 1;
}

// `in` in the code page `from` as UTF-16; false when any sequence has no
// character there.
bool toWide(UINT from, std::string_view in, std::wstring& wide) {
    const int size = static_cast<int>(in.size());
    const int n = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(n));
    return MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), size, wide.data(), n) == n;
}

// UTF-16 in the code page `to`, appended to `out`; false when a character has
// no code there. No best fit: a character stands for itself or for nothing.
bool appendNarrow(UINT to, const std::wstring& wide, std::string& out) {
    const DWORD flags = to == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* defaultUse = to == CP_UTF8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(wide.size());
    const int n =
        WideCharToMultiByte(to, flags, wide.data(), size, nullptr, 0, nullptr, defaultUse);
    if (n <= 0 || usedDefault)
        return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(n));
    const int written = WideCharToMultiByte(to, flags, wide.data(), size, out.data() + start, n,
                                            nullptr, defaultUse);
    if (written != n || usedDefault) {
        out.resize(start);
        return false;
    }
    return true;
}

bool convert(UINT from, UINT to, std::string_view in, std::string& out) {
    if (in.empty())
        return true;
    std::wstring wide;
    return toWide(from, in, wide) && appendNarrow(to, wide, out);
}

// The whole text in one call when it converts; otherwise one character at a
// time, so the conversion stops where the refused character is, as iconv
// does. `length` gives the bytes of the character starting at a byte.
template <typename Length>
std::size_t convertUntilRefused(UINT from, UINT to, std::string_view in, std::string& out,
                                Length length) {
    if (convert(from, to, in, out))
        return in.size();
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t n = length(static_cast<unsigned char>(in[i]));
        if (i + n > in.size() || !convert(from, to, in.substr(i, n), out))
            return i;
        i += n;
    }
    return i;
}

}  // namespace

std::size_t decodeUntilRefused(std::string_view bytes, std::string& utf8) {
    return convertUntilRefused(kCodePage, CP_UTF8, bytes, utf8, [](unsigned char b) {
        return isLeadByte(b) ? std::size_t{2} : std::size_t{1};
    });
}

std::size_t encodeUntilRefused(std::string_view text, std::string& bytes) {
    return convertUntilRefused(CP_UTF8, kCodePage, text, bytes, utf8Length);
}

}  // namespace cp932
