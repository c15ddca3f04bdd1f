#pragma once

#include "model/LabelStock.h"
#include "model/Result.h"

// The most labels a stock may have: every sheet is kept, typed and drawn whole.
inline constexpr int kMaxStockLabels = 100;

// Whether a stock can be printed on: the first fault found, naming the value
// at fault (Result::stockValue) and, where a number says more, its amount in
// `detail`; Ok for a stock whose labels all lie on the paper without
// overlapping. Checked in the order the values are typed: paper, label size,
// corner, counts, margins and pitch.
Result checkStock(const LabelStock& stock);
