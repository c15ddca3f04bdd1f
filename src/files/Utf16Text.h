#pragma once

#include <optional>
#include <string>
#include <string_view>

// Lists a register writes in UTF-16 begin with a byte-order mark.
enum class Utf16Order { LittleEndian, BigEndian };

// The byte order a UTF-16 byte-order mark at the start of `bytes` names.
std::optional<Utf16Order> utf16Mark(std::string_view bytes);

// `bytes` (without the mark) as UTF-8. What is not UTF-16 (a lone surrogate,
// an odd byte at the end of a file cut short) becomes the byte 0xFF, which is
// never part of UTF-8: the line holding it reads as damaged, the others as
// they are.
std::string utf16ToUtf8(std::string_view bytes, Utf16Order order);
