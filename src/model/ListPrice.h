#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/TaxRate.h"

// Prices of a product list and the amount a label's price box holds.

// What the amount in a list's price column is, as its header says.
enum class PriceMeaning : std::int8_t {
    AsSheet,      // a plain 売価 or 価格: whatever the sheet's price box holds
    TaxIncluded,  // 税込
    PreTax,       // 税抜, 本体
};

// What the price box holds under one price mode: a new mode is one more row.
struct PriceModeRow {
    PriceMode mode;
    PriceMeaning boxHolds;  // TaxIncluded or PreTax
};

std::span<const PriceModeRow> priceModeRows();

// The amount the price box holds under `mode` (tax-inclusive for a mode the
// table does not know, as the box held before modes existed).
PriceMeaning priceBoxHolds(PriceMode mode);

// The pre-tax price whose tax-inclusive amount at `rate`, brought to whole
// yen by `rounding`, is `taxIncludedYen`; nothing when no price gives it
// (a rounding can skip amounts). 0..kMaxPriceYen.
std::optional<std::int64_t> preTaxYenFor(std::int64_t taxIncludedYen, TaxRate rate,
                                         TaxRounding rounding);

// How a list's price came into the price box.
enum class ListPriceOutcome {
    AsWritten,      // the box holds what the list says (the same meaning, or empty)
    Converted,      // worked out from the other meaning
    NoPreTaxPrice,  // a tax-inclusive amount no pre-tax price gives: nothing fits the box
    NotAnAmount,    // the list's text is no amount ("オープン"): kept as written
};

struct ListPrice {
    std::string text;  // the text for the price box
    ListPriceOutcome outcome = ListPriceOutcome::AsWritten;
};

// The price box's text for a list's price `text` of meaning `meaning`, for a
// label at `rate` on a sheet priced as `pattern` says.
ListPrice priceForBox(std::string_view text, PriceMeaning meaning, TaxRate rate,
                      const PricePattern& pattern);
