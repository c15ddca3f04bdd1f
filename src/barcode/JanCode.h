#pragma once

#include <string>
#include <string_view>

#include "barcode/ModuleMatrix.h"
#include "barcode/Symbology.h"

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
// The pattern is a view of the same encoder as encodeJanSymbol().
std::string buildModulePattern(std::string_view completedCode);

// The one-row symbol of a completed code (13 or 8 ASCII digits) without its
// quiet zone: 95 modules for 13 digits, 67 for 8. Empty for anything else.
// encodeSymbol() adds the quiet zone.
ModuleMatrix encodeJanSymbol(std::string_view completedCode);

// The check-digit correction applied when the JAN code box is left: a text of
// exactly 13 (or 8) characters gets its last character replaced by the check
// digit computed from the first 12 (or 7); a character that is not an ASCII
// digit counts as 0. Any other length comes back unchanged. Lengths count
// characters (code points), not bytes.
std::string correctJanCheckDigit(std::string_view text);

// What leaving the JAN code box made of the typed code.
enum class JanFix {
    None,                // stored as typed (after the width change below)
    CheckDigitReplaced,  // a wrong 13th (or 8th) character was replaced
    CheckDigitAppended,  // 12 (or 7) digits got their check digit
};

struct JanInput {
    std::string code;  // what the box shows and the label stores
    JanFix fix = JanFix::None;
    std::string typedDigit;  // CheckDigitReplaced: the last character as typed
    char checkDigit = '0';   // CheckDigitReplaced/Appended: the digit now in place
};

// Digits, spaces and hyphens typed or pasted in full width (an input method
// left on) become their ASCII forms; everything else is kept.
std::string narrowJanText(std::string_view text);

// The JAN code box's text as the user meant it: narrowed, blanks at both ends
// dropped (a full-width blank too), then 12 (or 7)
// ASCII digits get their check digit appended, and a text of 13 (or 8)
// characters gets the check-digit correction of correctJanCheckDigit().
JanInput settleJanInput(std::string_view typed);
