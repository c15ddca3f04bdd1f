#include "files/Cp932.h"

#include "files/Cp932Converter.h"
#include "model/Utf8Text.h"

namespace cp932 {
namespace {

// Single bytes that the C library's table refuses but Windows maps to code
// points of their own; kept so that such files are written back unchanged.
struct SingleByte {
    unsigned char byte;
    char32_t codePoint;
};
constexpr SingleByte kSingleBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

constexpr char32_t kReplacement = 0xFFFD;

// Marks typed at other code points than Windows', and Windows' own.
struct MarkVariant {
    char32_t typed;
    char32_t windows;
};
constexpr MarkVariant kMarkVariants[] = {
    {0x301C, 0xFF5E},  // 〜 wave dash         -> ～ 81 60
    {0x2212, 0xFF0D},  // − minus sign        -> － 81 7C
    {0x2016, 0x2225},  // ‖ double vertical line -> ∥ 81 61
    {0x2014, 0x2015},  // — em dash           -> ― 81 5C
    {0x00A2, 0xFFE0},  // ¢                   -> ￠ 81 91
    {0x00A3, 0xFFE1},  // £                   -> ￡ 81 92
    {0x00AC, 0xFFE2},  // ¬                   -> ￢ 81 CA
};

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

void appendCodePoint(std::string& out, char32_t cp) {
    out += utf8::fromUtf32({&cp, 1});
}

}  // namespace

std::string decode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        i += decodeUntilRefused(bytes.substr(i), out);
        if (i >= bytes.size())
            break;
        // A byte sequence the C library refuses.
        const auto b = static_cast<unsigned char>(bytes[i]);
        const SingleByte* special = nullptr;
        for (const SingleByte& s : kSingleBytes) {
            if (s.byte == b)
                special = &s;
        }
        if (special != nullptr) {
            appendCodePoint(out, special->codePoint);
            ++i;
        } else if (b < 0x80) {
            out.push_back(static_cast<char>(b));  // never refused; kept as it is all the same
            ++i;
        } else if (isLeadByte(b) && i + 1 < bytes.size() &&
                   isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            appendCodePoint(out, kReplacement);  // an unassigned pair: one per byte
            appendCodePoint(out, kReplacement);
            i += 2;
        } else {
            appendCodePoint(out, kReplacement);  // a lead byte without its trail byte
            ++i;
        }
    }
    return out;
}

std::string toWindowsMarks(std::string_view utf8Text) {
    // Most texts hold none of the marks: leave them untouched byte for byte.
    bool any = false;
    std::u32string chars = utf8::toUtf32(utf8Text);
    for (char32_t& c : chars) {
        for (const MarkVariant& m : kMarkVariants) {
            if (c == m.typed) {
                c = m.windows;
                any = true;
            }
        }
    }
    return any ? utf8::fromUtf32(chars) : std::string(utf8Text);
}

std::optional<std::string> encode(std::string_view typedText) {
    const std::string windowsText = toWindowsMarks(typedText);
    const std::string_view utf8Text = windowsText;
    std::string out;
    out.reserve(utf8Text.size());
    std::size_t i = 0;
    while (i < utf8Text.size()) {
        i += encodeUntilRefused(utf8Text.substr(i), out);
        if (i >= utf8Text.size())
            break;
        if (static_cast<unsigned char>(utf8Text[i]) < 0x80) {  // never refused; kept all the same
            out.push_back(utf8Text[i]);
            ++i;
            continue;
        }
        // Only Windows' own single-byte code points go beyond the C library's table.
        const SingleByte* special = nullptr;
        std::size_t length = 0;
        for (const SingleByte& s : kSingleBytes) {
            const std::string form = utf8::fromUtf32({&s.codePoint, 1});
            if (utf8Text.substr(i, form.size()) == form) {
                special = &s;
                length = form.size();
            }
        }
        if (special == nullptr)
            return std::nullopt;
        out.push_back(static_cast<char>(special->byte));
        i += length;
    }
    // The converter maps some characters onto others without an error, and a
    // malformed UTF-8 input may have been read as something else: accept only
    // what reads back as the very same text.
    if (decode(out) != utf8Text)
        return std::nullopt;
    return out;
}

bool canEncode(std::string_view utf8Text) {
    return encode(utf8Text).has_value();
}

std::optional<std::string> firstUnencodable(std::string_view utf8Text) {
    if (canEncode(utf8Text))
        return std::nullopt;
    for (char32_t c : utf8::toUtf32(utf8Text)) {
        std::string one = utf8::fromUtf32({&c, 1});
        if (!canEncode(one))
            return one;
    }
    return std::string("\uFFFD");  // every character alone can be stored: malformed bytes
}

}  // namespace cp932
