#pragma once

#include "model/LabelStock.h"

// A label data file holds one record line per label of the standard stock,
// and its tax-rate line one rate each: the form has no room for more labels.
// A sheet of a larger stock keeps the rest in extension lines
// (StockExtension.h); one of a smaller stock leaves the last records empty.
inline constexpr int kLabelFileRecords = kStandardStock.labelCount();
