#include "model/Utf8Text.h"

namespace utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The bytes that may start a multi-byte sequence, how many continuation
// bytes follow, and the range the first of them must lie in: narrower than
// 80..BF after E0, ED, F0 and F4, so that overlong forms, surrogates and
// code points beyond U+10FFFF are no UTF-8 (a code page 932 text often holds
// such byte pairs). C0, C1 and F5..FF start nothing.
struct Lead {
    unsigned char first, last;
    std::size_t continuations;
    unsigned char low, high;
};
constexpr Lead kLeads[] = {
    {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};

const Lead* leadOf(unsigned char c) {
    for (const Lead& lead : kLeads) {
        if (c >= lead.first && c <= lead.last)
            return &lead;
    }
    return nullptr;
}

struct Decoded {
    char32_t codePoint = kReplacement;
    bool wellFormed = false;
};

// Decodes one code point at `pos`, advancing it. A malformed sequence is
// replaced by one U+FFFD for its maximal subpart (the longest start of a
// well-formed sequence, or its first byte), as Unicode recommends: the
// bytes after it are decoded afresh, so no valid character is swallowed.
Decoded decodeAt(std::string_view text, std::size_t& pos) {
    const auto first = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (first < 0x80)
        return {first, true};
    const Lead* lead = leadOf(first);
    if (lead == nullptr)
        return {};
    char32_t cp = first & (0x3F >> lead->continuations);
    unsigned char low = lead->low;
    unsigned char high = lead->high;
    for (std::size_t i = 0; i < lead->continuations; ++i) {
        if (pos >= text.size())
            return {};
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < low || c > high)
            return {};
        cp = (cp << 6) | (c & 0x3F);
        ++pos;
        low = 0x80;
        high = 0xBF;
    }
    return {cp, true};
}

}  // namespace

bool isValid(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (!decodeAt(text, pos).wellFormed)
            return false;
    }
    return true;
}

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        decodeAt(text, pos);
    return count;
}

std::string left(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < text.size(); ++i)
        decodeAt(text, pos);
    return std::string(text.substr(0, pos));
}

std::string right(std::string_view text, std::size_t count) {
    const std::size_t total = length(text);
    if (total <= count)
        return std::string(text);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < total - count; ++i)
        decodeAt(text, pos);
    return std::string(text.substr(pos));
}

std::u32string toUtf32(std::string_view text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();)
        out.push_back(decodeAt(text, pos).codePoint);
    return out;
}

std::string fromUtf32(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace utf8
