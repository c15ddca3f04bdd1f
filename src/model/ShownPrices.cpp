#include "model/ShownPrices.h"

#include "model/TaxPrice.h"

std::optional<std::int64_t> payableYen(const std::string& typedPrice, TaxRate rate,
                                       const PricePattern& pattern) {
    const ParsedPrice price = parsePriceText(typedPrice);
    if (price.reading != PriceReading::Yen)
        return std::nullopt;
    if (!typedPriceIsBase(pattern.mode))
        return price.yen;
    return taxIncludedYen(price.yen, rate, pattern.rounding);
}

std::string bigPriceText(const LabelRecord& label, const PricePattern& pattern) {
    if (pattern.mode != PriceMode::TaxIncludedWithBase)
        return label.price;
    const std::optional<std::int64_t> payable = payableYen(label.price, label.taxRate, pattern);
    return payable ? groupThousands(*payable) : label.price;
}

std::optional<std::string> priceCaptionText(const LabelRecord& label, const PricePattern& pattern) {
    if (!taxLineFor(label, pattern))
        return std::nullopt;
    switch (pattern.mode) {
        case PriceMode::TaxIncludedOnly:
            return std::nullopt;
        case PriceMode::BaseAndTaxIncluded:
            return "本体";
        case PriceMode::TaxIncludedWithBase:
            return "税込";
    }
    return std::nullopt;
}

std::optional<std::string> regularPriceText(const LabelRecord& label, const PricePattern& pattern) {
    const std::string& regular = label.details.regularPrice;
    if (regular.empty())
        return std::nullopt;
    // On the big price's footing: before tax only where the big price is.
    const bool payable = pattern.mode == PriceMode::TaxIncludedWithBase;
    const std::optional<std::int64_t> yen =
        payable ? payableYen(regular, label.taxRate, pattern)
                : payableYen(regular, label.taxRate, PricePattern{});
    if (!yen)
        return regular;
    return groupThousands(*yen) + "円";
}

bool regularPriceNotAbove(const LabelRecord& label) {
    const ParsedPrice regular = parsePriceText(label.details.regularPrice);
    const ParsedPrice price = parsePriceText(label.price);
    return regular.reading == PriceReading::Yen && price.reading == PriceReading::Yen &&
           regular.yen <= price.yen;
}

UnitPriceLine unitPriceLineFor(const LabelRecord& label, const PricePattern& pattern) {
    const ShelfDetails& details = label.details;
    if (details.contents.empty())
        return {};
    const std::optional<Quantity> contents = parseQuantity(details.contents);
    if (!contents)
        return {std::nullopt, UnitPriceTrouble::ContentsUnreadable};
    const std::optional<Quantity> base = details.baseQuantity.empty()
                                             ? usualBaseQuantity(contents->unit)
                                             : parseQuantity(details.baseQuantity);
    if (!base)
        return {std::nullopt, UnitPriceTrouble::BaseUnreadable};
    const std::optional<std::int64_t> payable = payableYen(label.price, label.taxRate, pattern);
    if (!payable)
        return {};  // no price to work from: the price's own problem is told
    const UnitPriceResult unit = unitPriceYen(*payable, *contents, *base, pattern.rounding);
    if (!unit.yen)
        return {std::nullopt, unit.trouble};
    return {unitPriceLineText(*base, *unit.yen), std::nullopt};
}
