#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"

// A JAN code as a product list gives it. A list is data from a register or a
// spreadsheet: its code is never rewritten in silence. What a spreadsheet does
// to a code is undone where the code is certain, and reported where not.
struct ListCode {
    std::string code;  // what the label holds
    // Ok, or why the label gets no barcode: RowCodeExponent, RowCodeTwelveDigits,
    // RowWrongCheckDigit (the code as the list has it in the detail).
    Result fault;
};

// Blanks around the code and a leading apostrophe (which a spreadsheet shows
// where a cell is text) are dropped, full-width digits made ASCII. A 12-digit
// UPC-A code is the EAN-13 code with its leading 0 restored (a spreadsheet
// drops it); 7 digits get their check digit, as an EAN-8 code written
// without it. A code in exponent form ("4.90123E+12"), other 12-digit codes
// and 13- or 8-digit codes with a wrong check digit are kept as written and
// reported.
ListCode settleListCode(std::string_view text);
