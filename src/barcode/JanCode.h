#pragma once

#include <string>
#include <string_view>

// Outcome of checking a 13- or 8-character JAN code against its check digit.
struct JanCheck {
    // The typed check digit is right (and the code is 13 or 8 ASCII digits).
    // Only a valid code yields a barcode.
    bool valid = false;
    std::string dataDigits;  // the first 12 (or 7) characters
    char checkDigit = '0';   // the computed check digit ('0'..'9')

    // The data digits followed by the computed check digit.
    std::string completedCode() const { return dataDigits + checkDigit; }
};

// Checks a JAN code (EAN-13 or EAN-8). Weights: the data digits, padded on the
// left with zeros to twelve, count 1 at odd and 3 at even positions.
JanCheck checkJanCode(std::string_view code);

// The module pattern of a completed code: 113 characters for 13 digits, 85 for
// 8, nine-module quiet zones included. '0' is a light module, '1' a dark module
// of a digit, '2' '3' '4' dark modules of the start, centre and end guards.
// Returns an empty text for anything but 13 or 8 ASCII digits.
std::string buildModulePattern(std::string_view completedCode);

// The check-digit correction applied when the JAN code box is left: a text of
// exactly 13 (or 8) characters gets its last character replaced by the check
// digit computed from the first 12 (or 7); a character that is not an ASCII
// digit counts as 0. Any other length comes back unchanged. Lengths count
// characters (code points), not bytes.
std::string correctJanCheckDigit(std::string_view text);
