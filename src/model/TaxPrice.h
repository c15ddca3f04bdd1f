#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/LabelSheet.h"
#include "model/TaxRate.h"

// Reading a typed price as whole yen and working out the tax-inclusive amount.

// What a price text holds.
enum class PriceReading {
    Yen,          // a whole number of yen
    Empty,        // nothing (or only blanks)
    NotWholeYen,  // letters, a fraction, a sign: not a whole number of yen
    TooLarge,     // more than kMaxPriceYen
};

struct ParsedPrice {
    PriceReading reading = PriceReading::Empty;
    std::int64_t yen = 0;  // when reading is Yen
};

// Twelve digits: far beyond any shelf price, and small enough that the
// product with (100 + rate) stays exact in 64 bits.
inline constexpr std::int64_t kMaxPriceYen = 999'999'999'999;

// Reads a price as typed: blanks around it, one leading "¥", "￥" or "\"
// (the yen key on Japanese keyboards), a trailing "円", thousands separators
// ("," or "，") and full-width digits are all accepted.
ParsedPrice parsePriceText(std::string_view text);

// price × (100 + rate) / 100 in whole yen, rounded as asked; integer
// arithmetic only. `baseYen` is 0..kMaxPriceYen.
std::int64_t taxIncludedYen(std::int64_t baseYen, TaxRate rate, TaxRounding rounding);

// "1,078" for 1078: ASCII digits with a comma every three digits.
std::string groupThousands(std::int64_t yen);

// The text of the tax line for a tax-inclusive amount: "税込 1,078円".
std::string taxLineText(std::int64_t taxIncludedYen);

// The small line of 税込＋本体, the price before tax: "本体 980円".
std::string baseLineText(std::int64_t baseYen);

// The tax line of a label under `pattern`: its text when the sheet shows
// both prices and the label's price is a whole number of yen, else nothing.
// In 本体＋税込 it gives the tax-inclusive amount, in 税込＋本体 (where the
// big price is the tax-inclusive amount) the price before tax.
std::optional<std::string> taxLineFor(const LabelRecord& label, const PricePattern& pattern);

// Why a label gets no tax line although its sheet shows both prices: its
// price is not a whole number of yen (NotWholeYen) or is too large (TooLarge).
// Nothing when it gets one, when the sheet shows tax-inclusive prices only, or
// when the price is empty.
std::optional<PriceReading> missingTaxLine(const LabelRecord& label, const PricePattern& pattern);
