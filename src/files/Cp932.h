#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between UTF-8 and code page 932 (Windows Shift-JIS, with the NEC
// and IBM extensions), through the system's table (Cp932Converter.h): the C
// library's iconv, or Windows' own on Windows. The single bytes 0x80,
// 0xA0, 0xFD, 0xFE and 0xFF, which that table lacks, read as U+0080 and
// U+F8F0..U+F8F3 as on Windows and are written back as the same bytes. A
// character with two codes (the NEC and IBM duplicates) is written in the form
// Windows prefers, e.g. ED 40 reads as U+7E8A, which is written as FA 5C.
namespace cp932 {

// Encodes a UTF-8 text. Returns nothing when any character has no exact form
// in code page 932: a text is accepted only when decoding the bytes gives it
// back unchanged (the converter maps some characters, such as U+00A5, onto
// others without an error). The marks that input methods outside Windows type
// at other code points (〜 U+301C, − U+2212, ‖ U+2016, — U+2014, ¢ U+00A2,
// £ U+00A3, ¬ U+00AC) are written as the bytes Windows uses for the same
// marks, and so read back as Windows' characters (～ － ∥ ― ￠ ￡ ￢).
std::optional<std::string> encode(std::string_view utf8);

// True when encode() would succeed.
bool canEncode(std::string_view utf8);

// The first character of a text that encode() cannot store (a malformed byte
// counts as U+FFFD), or nothing when the whole text can be stored.
std::optional<std::string> firstUnencodable(std::string_view utf8);

// The text with the marks above replaced by the characters Windows has for them.
std::string toWindowsMarks(std::string_view utf8);

// Decodes code page 932 bytes to UTF-8. A byte sequence without a meaning in
// code page 932 becomes U+FFFD (one per byte), so every input decodes; a lead
// byte never swallows an ASCII quote, comma or line end after it.
std::string decode(std::string_view bytes);

}  // namespace cp932
