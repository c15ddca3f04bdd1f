#include "model/Utf8Text.h"

namespace utf8 {
namespace {

// Length of the sequence that starts with `lead`, or 1 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// Decodes one code point at `pos`, advancing it. Malformed input yields U+FFFD and one byte.
char32_t decodeAt(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t n = sequenceLength(lead);
    if (n == 1) {
        ++pos;
        return lead < 0x80 ? char32_t(lead) : char32_t(0xFFFD);
    }
    if (pos + n > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += n;
    return cp;
}

}  // namespace

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
        out.push_back(decodeAt(text, pos));
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
