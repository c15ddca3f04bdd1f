#include "editor/logic/PriceTyping.h"

#include "model/Utf8Text.h"

namespace {

// The full-width forms a price is typed with, and their ASCII.
char32_t asciiOf(char32_t c) {
    if (c >= U'０' && c <= U'９')
        return c - U'０' + U'0';
    switch (c) {
        case U'，':
            return U',';
        case U'．':
            return U'.';
        default:
            return c;
    }
}

}  // namespace

std::string asciiPriceText(std::string_view typed) {
    std::u32string text = utf8::toUtf32(typed);
    for (char32_t& c : text)
        c = asciiOf(c);
    return utf8::fromUtf32(text);
}
