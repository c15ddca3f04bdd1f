#include "model/ListPrice.h"

#include <array>

#include "model/TaxPrice.h"

namespace {

constexpr std::array<PriceModeRow, 3> kPriceModes = {{
    {PriceMode::TaxIncludedOnly, PriceMeaning::TaxIncluded},
    {PriceMode::BaseAndTaxIncluded, PriceMeaning::PreTax},
    {PriceMode::TaxIncludedWithBase, PriceMeaning::PreTax},
}};

}  // namespace

std::span<const PriceModeRow> priceModeRows() {
    return kPriceModes;
}

PriceMeaning priceBoxHolds(PriceMode mode) {
    for (const PriceModeRow& row : kPriceModes) {
        if (row.mode == mode)
            return row.boxHolds;
    }
    return PriceMeaning::TaxIncluded;
}

std::optional<std::int64_t> preTaxYenFor(std::int64_t taxIncluded, TaxRate rate,
                                         TaxRounding rounding) {
    if (taxIncluded < 0 || taxIncluded > kMaxPriceYen)
        return std::nullopt;
    // The tax-inclusive amount grows by at least one yen a yen of price, so
    // only the prices next to the exact quotient can give it.
    const std::int64_t near = taxIncluded * 100 / (100 + ratePercent(rate));
    for (std::int64_t base = near > 2 ? near - 2 : 0; base <= near + 2; ++base) {
        if (base <= kMaxPriceYen && taxIncludedYen(base, rate, rounding) == taxIncluded)
            return base;
    }
    return std::nullopt;
}

ListPrice priceForBox(std::string_view text, PriceMeaning meaning, TaxRate rate,
                      const PricePattern& pattern) {
    const PriceMeaning box = priceBoxHolds(pattern.mode);
    const ParsedPrice price = parsePriceText(text);
    if (price.reading == PriceReading::Empty)
        return {std::string(text), ListPriceOutcome::AsWritten};
    if (price.reading != PriceReading::Yen)
        return {std::string(text), ListPriceOutcome::NotAnAmount};
    if (meaning == PriceMeaning::AsSheet || meaning == box)
        return {std::string(text), ListPriceOutcome::AsWritten};
    if (box == PriceMeaning::TaxIncluded)
        return {groupThousands(taxIncludedYen(price.yen, rate, pattern.rounding)),
                ListPriceOutcome::Converted};
    if (const std::optional<std::int64_t> base = preTaxYenFor(price.yen, rate, pattern.rounding))
        return {groupThousands(*base), ListPriceOutcome::Converted};
    return {std::string(text), ListPriceOutcome::NoPreTaxPrice};
}
