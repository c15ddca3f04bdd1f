#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/LabelSheet.h"
#include "model/TaxRate.h"
#include "model/UnitPrice.h"

// What the price elements of a label show under the sheet's price mode: the
// big price, its caption, the regular price of a sale and the unit price.
// The typed prices (the price box and the regular price) are on one footing:
// before tax where the sheet takes the typed price as the price before tax.

// The amount a consumer pays for a typed price in whole yen: the typed price
// itself in 税込のみ, the tax-inclusive amount at the label's rate otherwise.
// Nothing for a text that is not a whole number of yen.
std::optional<std::int64_t> payableYen(const std::string& typedPrice, TaxRate rate,
                                       const PricePattern& pattern);

// The big price's text before it is aligned: the tax-inclusive amount with
// thousands separators in 税込＋本体, else the price as typed (a price that
// is not a whole number of yen, too: the check before printing tells).
std::string bigPriceText(const LabelRecord& label, const PricePattern& pattern);

// The caption beside the big price: "本体" where it is the price before tax,
// "税込" where the sheet shows the tax-inclusive price first; nothing where
// every price is shown as typed, nor for a price that gets no second line
// (an open price is neither).
std::optional<std::string> priceCaptionText(const LabelRecord& label, const PricePattern& pattern);

// The regular price of a sale as drawn (struck through): on the footing of
// the big price, "1,280円"; a text that is no whole number of yen as typed.
std::optional<std::string> regularPriceText(const LabelRecord& label, const PricePattern& pattern);

// Whether a label's regular price is not above its price (both typed, on one
// footing); nothing when either is no whole number of yen or absent.
bool regularPriceNotAbove(const LabelRecord& label);

// The unit price line of a label with contents, "100gあたり 216円", worked
// out from the payable price with the pattern's rounding.
struct UnitPriceLine {
    std::optional<std::string> text;
    std::optional<UnitPriceTrouble> trouble;  // why a label with contents has none
};
UnitPriceLine unitPriceLineFor(const LabelRecord& label, const PricePattern& pattern);
