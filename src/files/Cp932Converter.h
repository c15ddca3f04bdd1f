#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The system's own code page 932 table, the part of the conversion that
// differs between systems: the C library's iconv on Linux, the Windows API
// (code page 932 is Windows' own table) on Windows. Cp932.cpp builds the
// rules for bytes and characters the table refuses on top of these.
namespace cp932 {

// Converts code page 932 `bytes` to UTF-8 up to their end or up to the first
// sequence the table refuses (or a lead byte cut off at the end), appending
// to `utf8`. Returns the number of bytes converted: a value below
// bytes.size() means the sequence there was refused.
std::size_t decodeUntilRefused(std::string_view bytes, std::string& utf8);

// The other direction: UTF-8 `text` to code page 932, up to the first
// character the table has no code for (or a malformed sequence), appending
// to `bytes`. Returns the number of bytes of `text` converted.
std::size_t encodeUntilRefused(std::string_view text, std::string& bytes);

}  // namespace cp932
