#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/TaxRate.h"

// Contents and unit prices (単位価格): "500g" of a product at 1,080 yen is
// "100gあたり 216円".

enum class QuantityUnit : std::int8_t { Gram, Kilogram, Millilitre, Litre, Piece, Sheet, Metre };

// A quantity as written on a label: a number with up to three decimals, in
// thousandths, and its unit.
struct Quantity {
    std::int64_t thousandths = 0;
    QuantityUnit unit = QuantityUnit::Gram;
    bool operator==(const Quantity&) const = default;
};

// The largest number a quantity may have: 99,999.999 of its unit.
inline constexpr std::int64_t kMaxQuantityThousandths = 99'999'999;

// Reads "500g", "1.5L", "12枚", "100 ml", "５００ｇ": a number (ASCII or
// full-width digits, one decimal point) and a unit (g, kg, ml, L, 個, 枚, m,
// in either case and width), blanks between allowed. Nothing for any other
// text, a number of more than three decimals, or zero.
std::optional<Quantity> parseQuantity(std::string_view text);

// The quantity a unit price is usually given for: 100 g for goods sold by
// weight, 100 ml by volume, one piece, one sheet, one metre.
Quantity usualBaseQuantity(QuantityUnit unit);

// "1.5L", "100g": the number without trailing zeros, then the unit.
std::string quantityText(const Quantity& quantity);

// Why a label gets no unit price line although it has contents.
enum class UnitPriceTrouble {
    ContentsUnreadable,  // the contents are no number and unit
    BaseUnreadable,      // the base quantity is no number and unit
    UnitsDiffer,         // the base is not measured as the contents are (g against ml)
    TooLarge,            // the unit price is beyond what is worked out exactly
};

// The price of `base` when `contents` cost `priceYen`: priceYen × base ÷
// contents, brought to whole yen as `rounding` says, in integer arithmetic.
// Fails when the two are measured differently or the result is too large.
struct UnitPriceResult {
    std::optional<std::int64_t> yen;
    UnitPriceTrouble trouble = UnitPriceTrouble::ContentsUnreadable;  // when there is no yen
};
UnitPriceResult unitPriceYen(std::int64_t priceYen, const Quantity& contents, const Quantity& base,
                             TaxRounding rounding);

// "100gあたり 216円".
std::string unitPriceLineText(const Quantity& base, std::int64_t yen);
