#include "barcode/ListCode.h"

#include <algorithm>

#include "barcode/JanCode.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

// "4.90123E+12", "4.9E12", "4,90123E+12" (a decimal comma): digits, a point,
// digits, E, a sign and digits, as a spreadsheet shows a long number.
bool isExponentForm(std::string_view s) {
    const std::size_t e = s.find_first_of("Ee");
    if (e == std::string_view::npos || e == 0)
        return false;
    std::string mantissa(s.substr(0, e));
    std::string_view exponent = s.substr(e + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-'))
        exponent.remove_prefix(1);
    if (const std::size_t point = mantissa.find_first_of(".,"); point != std::string::npos)
        mantissa.erase(point, 1);
    return allDigits(exponent) && allDigits(mantissa);
}

std::string trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    return text;
}

}  // namespace

ListCode settleListCode(std::string_view text) {
    std::string code = trimmed(narrowJanText(text));
    for (const std::string_view apostrophe : {"'", "\xEF\xBC\x87"}) {  // ' and ＇
        if (code.starts_with(apostrophe))
            code = trimmed(code.substr(apostrophe.size()));
    }
    const auto fault = [&](ResultCode why) { return ListCode{code, Result::failure(why, code)}; };
    if (isExponentForm(code))
        return fault(ResultCode::RowCodeExponent);
    if (!allDigits(code))
        return {code, {}};
    if (code.size() == 12) {
        // UPC-A: the same check digit as the EAN-13 code with a leading 0.
        if (checkJanCode("0" + code).valid)
            return {"0" + code, {}};
        return fault(ResultCode::RowCodeTwelveDigits);
    }
    if (code.size() == 7)
        return {settleJanInput(code).code, {}};
    if (janSymbologyForLength(code.size()) && !checkJanCode(code).valid)
        return fault(ResultCode::RowWrongCheckDigit);
    return {code, {}};
}
