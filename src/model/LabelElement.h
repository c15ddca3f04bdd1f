#pragma once

#include <array>
#include <cstddef>

// The drawable parts of a label. Border comes last: every element before it
// has a style of its own (see LayoutSettings), the border only an on/off state
// and a colour.
// TaxLine is the second price printed when the sheet shows both prices. The
// elements after it are drawn only when the sheet or the label has something
// for them: the caption naming what the big price is, the unit price, the
// struck-through regular price and the period of a sale, and the origin.
// TaxLine is the tax-inclusive amount printed when the sheet shows both prices.
// Qr is the label's QR code, drawn when the label has content for one.
enum class LabelElement {
    Jan,
    Barcode,
    Maker,
    ProductName,
    Spec,
    Lot,
    Price,
    Yen,
    TaxLine,
    PriceCaption,
    UnitPrice,
    RegularPrice,
    SalePeriod,
    Origin,
    Qr,
    Border
};

// How many elements have a style of their own: all but the border.
inline constexpr std::size_t kStyledElementCount = static_cast<std::size_t>(LabelElement::Border);

// The eight elements drawn as text, each with a font and a colour of its own.
inline constexpr std::array<LabelElement, 8> kTextElements = {
    LabelElement::Jan, LabelElement::Maker, LabelElement::ProductName, LabelElement::Spec,
    LabelElement::Lot, LabelElement::Price, LabelElement::Yen,         LabelElement::TaxLine};

// The ten elements that can be moved and hidden.
inline constexpr std::array<LabelElement, 10> kMovableElements = {
    LabelElement::Jan,     LabelElement::Barcode, LabelElement::Maker, LabelElement::ProductName,
    LabelElement::Spec,    LabelElement::Lot,     LabelElement::Price, LabelElement::Yen,
    LabelElement::TaxLine, LabelElement::Qr};

// The texts a shop's label shows beside the six: each has a font, a colour
// and an offset, can be hidden, and is kept in the lines after the layout
// block (the block's ten lines stay as they are).
inline constexpr std::array<LabelElement, 5> kShelfTextElements = {
    LabelElement::PriceCaption, LabelElement::UnitPrice, LabelElement::RegularPrice,
    LabelElement::SalePeriod, LabelElement::Origin};

// The four elements that can be underlined.
inline constexpr std::array<LabelElement, 4> kUnderlinableElements = {
    LabelElement::Maker, LabelElement::ProductName, LabelElement::Spec, LabelElement::Lot};

inline constexpr bool canBeUnderlined(LabelElement e) {
    for (LabelElement u : kUnderlinableElements) {
        if (u == e)
            return true;
    }
    return false;
}
