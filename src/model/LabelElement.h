#pragma once

#include <array>
#include <cstddef>

// The drawable parts of a label. Border comes last: every element before it
// has a style of its own (see LayoutSettings), the border only an on/off state
// and a colour.
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
