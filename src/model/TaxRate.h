#pragma once

#include <cstdint>
#include <optional>

// The consumption tax rate of one label: the standard rate, the reduced rate
// for food and non-alcoholic drinks, or none for a tax-exempt item.
enum class TaxRate : std::int8_t { Exempt = 0, Reduced = 8, Standard = 10 };

// The rate in whole percent (0, 8 or 10).
inline int ratePercent(TaxRate rate) {
    return static_cast<int>(rate);
}

// The rate for a whole percent, or nothing for any other number.
inline std::optional<TaxRate> taxRateFromPercent(long percent) {
    switch (percent) {
        case 0:
            return TaxRate::Exempt;
        case 8:
            return TaxRate::Reduced;
        case 10:
            return TaxRate::Standard;
        default:
            return std::nullopt;
    }
}

// How a sheet shows its prices. TaxIncludedOnly prints the price as typed,
// with no tax line (every sheet made before tax lines existed is one);
// BaseAndTaxIncluded takes the typed price as the price before tax and adds a
// tax line with the tax-inclusive amount. TaxIncludedWithBase takes the typed
// price as the price before tax too, but prints the tax-inclusive amount as
// the big price and the price before tax on the small line: what consumers
// pay comes first.
enum class PriceMode : std::int8_t {
    TaxIncludedOnly = 0,
    BaseAndTaxIncluded = 1,
    TaxIncludedWithBase = 2
};

// Whether the typed price is the price before tax, so that the sheet needs a
// second line for the other price.
inline bool typedPriceIsBase(PriceMode mode) {
    return mode != PriceMode::TaxIncludedOnly;
}

// How the tax-inclusive amount is brought to whole yen.
enum class TaxRounding : std::int8_t { Floor = 0, HalfUp = 1, Ceiling = 2 };

// The sheet's price settings, part of the print pattern.
struct PricePattern {
    PriceMode mode = PriceMode::TaxIncludedOnly;
    TaxRounding rounding = TaxRounding::Floor;
    bool operator==(const PricePattern&) const = default;
};
