#pragma once

#include <string_view>

// The blanks around a text: what a person or another program put before or
// after a value and what the value does not hold.

// The space and the tab, as the fields of a file are padded.
constexpr bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t';
}

// `text` without the characters `isBlank` names at either end.
template <typename Char, typename IsBlank>
constexpr std::basic_string_view<Char> trimBlanks(std::basic_string_view<Char> text,
                                                  IsBlank isBlank) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// `text` without spaces and tabs at either end.
constexpr std::string_view trimBlanks(std::string_view text) {
    return trimBlanks(text, isAsciiBlank);
}
