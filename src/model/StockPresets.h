#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/LabelStock.h"

// The label stocks the program knows by name: the A4 sheets of labels sold in
// Japan for shelf labels and price cards, named as their packages name them
// (sheet, count and label size). The first is the standard stock.
//
// Where a package gives only the label size and the count, the grid is
// centred on the page; the calibration page corrects the rest.
std::span<const NamedStock> stockPresets();

// The preset of that name, or nothing. Blanks are ignored, and "x" or "*"
// stand for "×", so that "A4 24面 66x33.9mm" names "A4 24面 66×33.9mm".
std::optional<NamedStock> stockPresetNamed(std::string_view name);

// The preset whose geometry is `stock`, or nothing.
std::optional<NamedStock> stockPresetFor(const LabelStock& stock);

// A name compared as the lookups compare names: without blanks, with "×" for
// "x", "X" and "*", and "mm" in small letters.
std::string comparableStockName(std::string_view name);
