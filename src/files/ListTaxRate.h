#pragma once

#include <optional>
#include <string>

#include "model/TaxRate.h"

// A tax rate as tills and shops export it: 10, 8 or 0 with or without "%"
// (half or full width), 標準 / 標準税率 (10), 軽減 / 軽減税率 (8), 非課税 /
// 免税 / 不課税 (0), 課税 / 内税 / 外税 (taxed: 10); empty is the standard rate.
// Nothing for anything else.
std::optional<TaxRate> taxRateFromListText(const std::string& text);

// A column that only says whether the reduced rate applies (軽減税率: 1, ○,
// 対象, yes, true; 0, ×, 対象外, no, false or empty for the standard rate).
// A rate written out (8, 10, 標準, 非課税...) is taken as taxRateFromListText
// takes it. Nothing for anything else.
std::optional<TaxRate> reducedFlagFromListText(const std::string& text);
