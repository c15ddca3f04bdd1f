#pragma once

#include <array>

// The drawable parts of a label.
enum class LabelElement { Jan, Barcode, Maker, ProductName, Spec, Lot, Price, Yen, Border };

// The seven elements drawn as text, each with a font and a colour of its own.
inline constexpr std::array<LabelElement, 7> kTextElements = {
    LabelElement::Jan, LabelElement::Maker, LabelElement::ProductName, LabelElement::Spec,
    LabelElement::Lot, LabelElement::Price, LabelElement::Yen};

// The eight elements that can be moved and hidden.
inline constexpr std::array<LabelElement, 8> kMovableElements = {
    LabelElement::Jan,  LabelElement::Barcode, LabelElement::Maker, LabelElement::ProductName,
    LabelElement::Spec, LabelElement::Lot,     LabelElement::Price, LabelElement::Yen};

// The four elements that can be underlined.
inline constexpr std::array<LabelElement, 4> kUnderlinableElements = {
    LabelElement::Maker, LabelElement::ProductName, LabelElement::Spec, LabelElement::Lot};
