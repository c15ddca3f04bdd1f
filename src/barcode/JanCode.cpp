#include "barcode/JanCode.h"

#include <array>
#include <optional>

#include "model/HexDigit.h"
#include "model/Utf8Text.h"

namespace {

// Set A (odd parity) and set B (even parity) patterns of each digit.
constexpr std::array<const char*, 10> kDigitTable = {
    "0001101-0100111", "0011001-0110011", "0010011-0011011", "0111101-0100001", "0100011-0011101",
    "0110001-0111001", "0101111-0000101", "0111011-0010001", "0110111-0001001", "0001011-0010111"};

// First-digit parity table: entry d at characters 2d and 2d+1; its six low
// bits, most significant first, select set B (1) or set A (0) for digits 2-7.
constexpr std::string_view kParityTable = "000B0D0E13191C15161A";

// The guards between the quiet zones: the outer light module of the start and
// end guards belongs to the quiet zone.
constexpr std::string_view kStartGuard = "202";
constexpr std::string_view kCentreGuard = "03030";
constexpr std::string_view kEndGuard = "404";

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

// Six letters, 'E' for set B and 'O' for set A, for the left digits of a code
// whose first digit is `first`.
std::string parityPattern(int first) {
    std::string letters;
    for (int k = 0; k < 2; ++k) {
        const int nibble = hexDigitValue(kParityTable[static_cast<std::size_t>(2 * first + k)]);
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

// The modules of a completed code between its quiet zones, in the characters
// of buildModulePattern(); empty for anything but 13 or 8 ASCII digits.
// EAN-13 carries its first digit in the parity of the six left digits; EAN-8
// has no such digit and four left digits, all in set A.
std::string buildSymbolPattern(std::string_view code) {
    const std::optional<Symbology> symbology = janSymbologyForLength(code.size());
    if (!symbology || !allDigits(code))
        return {};
    auto digit = [&](std::size_t i) { return code[i] - '0'; };
    const bool firstDigitInParity = *symbology == Symbology::Ean13;
    const std::size_t first = firstDigitInParity ? 1 : 0;
    const std::size_t half = (code.size() - first) / 2;
    const std::string parity =
        firstDigitInParity ? parityPattern(digit(0)) : std::string(half, 'O');
    std::string out(kStartGuard);
    for (std::size_t k = 0; k < half; ++k)
        out.append(parity[k] == 'E' ? setB(digit(first + k)) : setA(digit(first + k)));
    out.append(kCentreGuard);
    for (std::size_t k = 0; k < half; ++k)
        out.append(setC(digit(first + half + k)));
    out.append(kEndGuard);
    return out;
}

}  // namespace

JanCheck checkJanCode(std::string_view code) {
    JanCheck check;
    if (!janSymbologyForLength(code.size()) || !allDigits(code))
        return check;
    check.dataDigits = std::string(code.substr(0, code.size() - 1));
    check.checkDigit = checkDigitOf(check.dataDigits);
    check.valid = code.back() == check.checkDigit;
    return check;
}

std::string buildModulePattern(std::string_view code) {
    const std::string symbol = buildSymbolPattern(code);
    if (symbol.empty())
        return {};
    const QuietZone& quiet = symbologyRow(*janSymbologyForLength(code.size())).quietZone;
    return std::string(static_cast<std::size_t>(quiet.left), '0') + symbol +
           std::string(static_cast<std::size_t>(quiet.right), '0');
}

ModuleMatrix encodeJanSymbol(std::string_view code) {
    const std::string symbol = buildSymbolPattern(code);
    ModuleMatrix matrix(static_cast<int>(symbol.size()), 1);
    for (std::size_t i = 0; i < symbol.size(); ++i) {
        if (symbol[i] != '0')
            matrix.setDark(static_cast<int>(i), 0);
    }
    return matrix;
}

std::string correctJanCheckDigit(std::string_view text) {
    const std::u32string chars = utf8::toUtf32(text);
    if (!janSymbologyForLength(chars.size()))
        return std::string(text);
    std::string dataDigits;
    for (std::size_t i = 0; i + 1 < chars.size(); ++i) {
        const char32_t c = chars[i];
        dataDigits.push_back((c >= U'0' && c <= U'9') ? static_cast<char>(c) : '0');
    }
    std::u32string out = chars.substr(0, chars.size() - 1);
    out.push_back(static_cast<char32_t>(checkDigitOf(dataDigits)));
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
    // A code without its check digit.
    if (janSymbologyForLength(narrow.size() + 1) && allDigits(narrow)) {
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
