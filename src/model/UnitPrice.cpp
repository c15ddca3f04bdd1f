#include "model/UnitPrice.h"

#include <array>
#include <limits>
#include <numeric>

#include "model/TaxPrice.h"
#include "model/Utf8Text.h"

namespace {

// What a unit measures: quantities are compared only within one kind.
enum class Measure { Mass, Volume, Count, Sheets, Length };

struct UnitRow {
    QuantityUnit unit;
    std::u32string_view spellings[3];  // lower case, ASCII; the first is how it is written
    const char* written;
    Measure measure;
    std::int64_t smallest;  // how many of the measure's smallest unit one of it holds
    std::int64_t usualBaseThousandths;
    QuantityUnit usualBaseUnit;
};

const std::array<UnitRow, 7>& unitTable() {
    static const std::array<UnitRow, 7> kUnits = {{
        {QuantityUnit::Gram,
         {U"g", U"グラム", U""},
         "g",
         Measure::Mass,
         1,
         100'000,
         QuantityUnit::Gram},
        {QuantityUnit::Kilogram,
         {U"kg", U"キロ", U"キログラム"},
         "kg",
         Measure::Mass,
         1000,
         100'000,
         QuantityUnit::Gram},
        {QuantityUnit::Millilitre,
         {U"ml", U"ミリリットル", U"cc"},
         "ml",
         Measure::Volume,
         1,
         100'000,
         QuantityUnit::Millilitre},
        {QuantityUnit::Litre,
         {U"l", U"リットル", U"ℓ"},
         "L",
         Measure::Volume,
         1000,
         100'000,
         QuantityUnit::Millilitre},
        {QuantityUnit::Piece,
         {U"個", U"こ", U"pc"},
         "個",
         Measure::Count,
         1,
         1'000,
         QuantityUnit::Piece},
        {QuantityUnit::Sheet,
         {U"枚", U"まい", U""},
         "枚",
         Measure::Sheets,
         1,
         1'000,
         QuantityUnit::Sheet},
        {QuantityUnit::Metre,
         {U"m", U"メートル", U""},
         "m",
         Measure::Length,
         1,
         1'000,
         QuantityUnit::Metre},
    }};
    return kUnits;
}

const UnitRow& rowOf(QuantityUnit unit) {
    for (const UnitRow& row : unitTable()) {
        if (row.unit == unit)
            return row;
    }
    return unitTable().front();
}

// Full-width letters, digits and the point to ASCII; ASCII letters to lower case.
char32_t narrow(char32_t c) {
    if (c >= U'！' && c <= U'～')
        c = c - U'！' + U'!';
    if (c >= U'A' && c <= U'Z')
        c = c - U'A' + U'a';
    return c;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000';
}

std::optional<QuantityUnit> unitSpelled(std::u32string_view spelling) {
    for (const UnitRow& row : unitTable()) {
        for (std::u32string_view s : row.spellings) {
            if (!s.empty() && s == spelling)
                return row.unit;
        }
    }
    return std::nullopt;
}

// The number at the start of `s` in thousandths; `used` receives its length.
std::optional<std::int64_t> readThousandths(std::u32string_view s, std::size_t& used) {
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int decimals = -1;  // -1: no point yet
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c == U'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < U'0' || c > U'9')
            break;
        const int d = static_cast<int>(c - U'0');
        if (decimals < 0) {
            whole = whole * 10 + d;
            if (whole > kMaxQuantityThousandths / 1000)
                return std::nullopt;
        } else if (++decimals > 3) {
            return std::nullopt;
        } else {
            fraction = fraction * 10 + d;
        }
    }
    const bool anyDigit = i > (decimals >= 0 ? 1u : 0u);
    if (!anyDigit || decimals == 0)
        return std::nullopt;
    for (int k = std::max(decimals, 0); k < 3; ++k)
        fraction *= 10;
    used = i;
    return whole * 1000 + fraction;
}

std::int64_t inSmallest(const Quantity& q) {
    return q.thousandths * rowOf(q.unit).smallest;
}

}  // namespace

std::optional<Quantity> parseQuantity(std::string_view text) {
    std::u32string wide;
    for (char32_t c : utf8::toUtf32(text)) {
        if (!isBlank(c))
            wide += narrow(c);
    }
    std::size_t used = 0;
    const std::optional<std::int64_t> amount = readThousandths(wide, used);
    if (!amount || *amount == 0)
        return std::nullopt;
    const std::optional<QuantityUnit> unit = unitSpelled(std::u32string_view(wide).substr(used));
    if (!unit)
        return std::nullopt;
    return Quantity{*amount, *unit};
}

Quantity usualBaseQuantity(QuantityUnit unit) {
    const UnitRow& row = rowOf(unit);
    return Quantity{row.usualBaseThousandths, row.usualBaseUnit};
}

std::string quantityText(const Quantity& q) {
    std::string number = std::to_string(q.thousandths / 1000);
    std::int64_t fraction = q.thousandths % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        number += "." + digits;
    }
    return number + rowOf(q.unit).written;
}

UnitPriceResult unitPriceYen(std::int64_t priceYen, const Quantity& contents, const Quantity& base,
                             TaxRounding rounding) {
    if (rowOf(contents.unit).measure != rowOf(base.unit).measure)
        return {std::nullopt, UnitPriceTrouble::UnitsDiffer};
    // price × base ÷ contents, with the fraction reduced first so that the
    // product stays within 64 bits for every price a label shows.
    std::int64_t numerator = inSmallest(base);
    std::int64_t denominator = inSmallest(contents);
    const std::int64_t common = std::gcd(numerator, denominator);
    numerator /= common;
    denominator /= common;
    if (priceYen > kMaxPriceYen || priceYen > std::numeric_limits<std::int64_t>::max() / numerator)
        return {std::nullopt, UnitPriceTrouble::TooLarge};
    const std::int64_t product = priceYen * numerator;
    const std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    std::int64_t yen = quotient;
    if (rounding == TaxRounding::HalfUp && remainder * 2 >= denominator)
        ++yen;
    if (rounding == TaxRounding::Ceiling && remainder != 0)
        ++yen;
    if (yen > kMaxPriceYen)
        return {std::nullopt, UnitPriceTrouble::TooLarge};
    return {yen, UnitPriceTrouble::TooLarge};
}

std::string unitPriceLineText(const Quantity& base, std::int64_t yen) {
    return quantityText(base) + "あたり " + groupThousands(yen) + "円";
}
