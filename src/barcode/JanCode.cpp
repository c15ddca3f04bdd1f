#include "barcode/JanCode.h"

#include <array>

#include "model/Utf8Text.h"

namespace {

// Set A (odd parity) and set B (even parity) patterns of each digit.
constexpr std::array<const char*, 10> kDigitTable = {
    "0001101-0100111", "0011001-0110011", "0010011-0011011", "0111101-0100001", "0100011-0011101",
    "0110001-0111001", "0101111-0000101", "0111011-0010001", "0110111-0001001", "0001011-0010111"};

// First-digit parity table: entry d at characters 2d and 2d+1; its six low
// bits, most significant first, select set B (1) or set A (0) for digits 2-7.
constexpr std::string_view kParityTable = "000B0D0E13191C15161A";

constexpr std::string_view kQuietZone = "00000000";
constexpr std::string_view kStartGuard = "0202";
constexpr std::string_view kCentreGuard = "03030";
constexpr std::string_view kEndGuard = "4040";

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    for (char c : s) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

std::string_view setA(int digit) {
    return std::string_view(kDigitTable[static_cast<std::size_t>(digit)]).substr(0, 7);
}

std::string_view setB(int digit) {
    return std::string_view(kDigitTable[static_cast<std::size_t>(digit)]).substr(8, 7);
}

std::string setC(int digit) {
    std::string out(setA(digit));
    for (char& c : out)
        c = (c == '0') ? '1' : '0';
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;  // not a hexadecimal digit: four 'O's
}

// Six letters, 'E' for set B and 'O' for set A, for the left digits of a code
// whose first digit is `first`.
std::string parityPattern(int first) {
    std::string letters;
    for (int k = 0; k < 2; ++k) {
        const int nibble = hexValue(kParityTable[static_cast<std::size_t>(2 * first + k)]);
        for (int bit = 3; bit >= 0; --bit)
            letters.push_back(((nibble >> bit) & 1) ? 'E' : 'O');
    }
    return letters.substr(2);
}

char checkDigitOf(std::string_view dataDigits) {
    // Pad on the left to twelve digits.
    const std::string padded = std::string(12 - dataDigits.size(), '0') + std::string(dataDigits);
    int odd = 0;
    int even = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const int d = padded[i] - '0';
        ((i % 2 == 0) ? odd : even) += d;
    }
    const int sum = odd + 3 * even;
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

JanCheck checkJanCode(std::string_view code) {
    JanCheck check;
    if ((code.size() != 13 && code.size() != 8) || !allDigits(code))
        return check;
    check.dataDigits = std::string(code.substr(0, code.size() - 1));
    check.checkDigit = checkDigitOf(check.dataDigits);
    check.valid = code.back() == check.checkDigit;
    return check;
}

std::string buildModulePattern(std::string_view code) {
    if ((code.size() != 13 && code.size() != 8) || !allDigits(code))
        return {};
    auto digit = [&](std::size_t i) { return code[i] - '0'; };
    std::string out;
    out.reserve(code.size() == 13 ? 113 : 85);
    out.append(kQuietZone).append(kStartGuard);
    if (code.size() == 13) {
        const std::string parity = parityPattern(digit(0));
        for (std::size_t k = 1; k <= 6; ++k)
            out.append(parity[k - 1] == 'E' ? setB(digit(k)) : setA(digit(k)));
        out.append(kCentreGuard);
        for (std::size_t k = 7; k <= 12; ++k)
            out.append(setC(digit(k)));
    } else {
        for (std::size_t k = 0; k < 4; ++k)
            out.append(setA(digit(k)));
        out.append(kCentreGuard);
        for (std::size_t k = 4; k < 8; ++k)
            out.append(setC(digit(k)));
    }
    out.append(kEndGuard).append(kQuietZone);
    return out;
}

std::string correctJanCheckDigit(std::string_view text) {
    const std::u32string chars = utf8::toUtf32(text);
    const std::size_t n = chars.size();
    if (n != 13 && n != 8)
        return std::string(text);
    auto value = [&](std::size_t pos) {  // pos counted from 1
        const char32_t c = chars[pos - 1];
        return (c >= U'0' && c <= U'9') ? int(c - U'0') : 0;
    };
    int sum = 0;
    if (n == 13) {
        for (std::size_t pos = 1; pos <= 12; ++pos)
            sum += value(pos) * (pos % 2 == 1 ? 1 : 3);
    } else {
        for (std::size_t pos = 1; pos <= 7; ++pos)
            sum += value(pos) * (pos % 2 == 1 ? 3 : 1);
    }
    int check = 10 - sum % 10;
    if (check == 10)
        check = 0;
    std::u32string out = chars.substr(0, n - 1);
    out.push_back(static_cast<char32_t>(U'0' + check));
    return utf8::fromUtf32(out);
}

std::string narrowJanText(std::string_view text) {
    std::u32string chars = utf8::toUtf32(text);
    bool changed = false;
    for (char32_t& c : chars) {
        char32_t narrow = c;
        if (c >= U'\uFF10' && c <= U'\uFF19')
            narrow = U'0' + (c - U'\uFF10');
        else if (c == U'\u3000')
            narrow = U' ';
        else if (c == U'\uFF0D' || c == U'\u2212' || c == U'\u2010' || c == U'\u2011' ||
                 c == U'\u2012' || c == U'\u2013' || c == U'\u30FC' || c == U'\uFF70')
            narrow = U'-';  // the hyphens and the long-vowel mark an input method gives for "-"
        changed = changed || narrow != c;
        c = narrow;
    }
    // A text without full-width forms is kept byte for byte (a malformed byte too).
    return changed ? utf8::fromUtf32(chars) : std::string(text);
}

JanInput settleJanInput(std::string_view typed) {
    JanInput input;
    // Blanks around a code (pasted from a list, typed by habit) are never
    // part of it; the ones inside are kept, as the user may mean them.
    std::string narrow = narrowJanText(typed);
    narrow.erase(0, narrow.find_first_not_of(" \t"));
    narrow.erase(narrow.find_last_not_of(" \t") + 1);
    if ((narrow.size() == 12 || narrow.size() == 7) && allDigits(narrow)) {
        input.checkDigit = checkDigitOf(narrow);
        input.code = narrow + input.checkDigit;
        input.fix = JanFix::CheckDigitAppended;
        return input;
    }
    input.code = correctJanCheckDigit(narrow);
    if (input.code != narrow) {
        input.fix = JanFix::CheckDigitReplaced;
        input.typedDigit = utf8::right(narrow, 1);
        input.checkDigit = input.code.back();
    }
    return input;
}
