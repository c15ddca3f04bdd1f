#pragma once

#include "model/LabelStock.h"

// A label data file holds one record line per label of the standard stock,
// and its tax-rate line one rate each: the form has no room for more labels.
// A sheet of another stock is refused by the writer rather than cut short.
inline constexpr int kLabelFileRecords = kStandardStock.labelCount();
