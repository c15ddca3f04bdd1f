#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between UTF-8 and code page 932 (Windows Shift-JIS, with the NEC
// and IBM extensions), through the C library's iconv.
namespace cp932 {

// Encodes a UTF-8 text. Returns nothing when any character has no exact form
// in code page 932: a text is accepted only when decoding the bytes gives it
// back unchanged (the converter maps some characters, such as U+301C and
// U+2212, onto others without an error).
std::optional<std::string> encode(std::string_view utf8);

// True when encode() would succeed.
bool canEncode(std::string_view utf8);

// Decodes code page 932 bytes to UTF-8. A byte sequence without a meaning in
// code page 932 becomes U+FFFD (one per byte), so every input decodes.
std::string decode(std::string_view bytes);

}  // namespace cp932
