#include "files/Utf16Text.h"

#include "model/Utf8Text.h"

namespace {

constexpr char kNotUtf8 = '\xFF';

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

std::optional<Utf16Order> utf16Mark(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE"))
        return Utf16Order::LittleEndian;
    if (bytes.starts_with("\xFE\xFF"))
        return Utf16Order::BigEndian;
    return std::nullopt;
}

std::string utf16ToUtf8(std::string_view bytes, Utf16Order order) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return order == Utf16Order::LittleEndian ? static_cast<char32_t>(first | second << 8)
                                                 : static_cast<char32_t>(first << 8 | second);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (isHighSurrogate(c) && i + 3 < bytes.size() && isLowSurrogate(unitAt(i + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
            i += 2;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            out += kNotUtf8;
            continue;
        }
        out += utf8::fromUtf32(std::u32string_view(&c, 1));
    }
    if (i < bytes.size())
        out += kNotUtf8;  // half a unit: the file was cut short
    return out;
}
