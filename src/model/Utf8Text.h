#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts are held as UTF-8 throughout the program. Wherever the labels count
// "characters" (a 13-digit JAN code, the last seven characters of a price,
// the length of a product name) a character is one Unicode code point.
namespace utf8 {

// Whether `text` is well-formed UTF-8: no overlong form, no surrogate, nothing
// beyond U+10FFFF, no sequence cut short.
bool isValid(std::string_view text);

// Number of code points in a UTF-8 text. A malformed sequence counts as one
// (its maximal subpart, as toUtf32 replaces it).
std::size_t length(std::string_view text);

// The last `count` code points of a text (the whole text when it is shorter).
std::string right(std::string_view text, std::size_t count);

// The first `count` code points of a text (the whole text when it is shorter).
std::string left(std::string_view text, std::size_t count);

// Decodes to code points; each maximal subpart of a malformed sequence
// becomes one U+FFFD.
std::u32string toUtf32(std::string_view text);
std::string fromUtf32(std::u32string_view text);

}  // namespace utf8
