#pragma once

#include <optional>
#include <string>

#include "model/LayoutSettings.h"

// The origin adjustment boxes (x座標調整, y座標調整) as the user reads and types
// them. Axis 0 is x, 1 is y, as in LayoutSettings.

// Whole millimetres either way, in tenths.
inline constexpr int kMostAdjustTenths = 100;

// What the axis's box shows: its stored text while the adjustment is in
// whole millimetres (as it always has), the adjustment to the tenth ("1.5",
// "-0.3") when it has a fine part.
std::string originAdjustText(const LayoutSettings& layout, int axis);

// A typed adjustment in tenths of a millimetre: an optional sign, digits and
// at most one decimal, in half- or full-width characters ("1.5", "－０．３");
// nothing for any other text. The range is the caller's to check.
std::optional<int> parseAdjustTenths(const std::string& text);
