#pragma once

#include <vector>

#include "files/ProductList.h"
#include "model/LabelSheet.h"

// Lays the products of a list onto sheets: the first product at label
// `startPosition` of the first sheet, so a half-used sheet can be finished,
// then on through the sheet's last label and onto the next sheets from label 1.
// A start position the sheet does not have starts at label 1.
// Each label is prepared as if typed: the JAN code gets the check-digit
// correction applied when its box is left.
class BatchSheetBuilder {
  public:
    BatchSheetBuilder(ProductListReader& reader, int startPosition);

    // Fills `sheet` (emptied first, keeping its number of labels) with the next products. Returns
    // false when no product is left (then `sheet` is empty). Rows whose JAN code gets no barcode,
    // or that have no product name (and so print nothing), are reported in `problems`, as are rows
    // that cannot be read.
    bool nextSheet(LabelSheet& sheet, std::vector<Result>& problems);

    // Labels placed so far.
    long labelsPlaced() const { return placed_; }
    // The list's line that label `position` of the last sheet was filled
    // from, or 0 for a label left free.
    int lineOf(int position) const;

  private:
    ProductListReader& reader_;
    int nextPosition_;
    long placed_ = 0;
    std::vector<int> lines_;  // by label position, from 1
};

// How many sheets of `labelsPerSheet` labels `productCount` products need
// from `startPosition` on.
long sheetsNeeded(long productCount, int startPosition, int labelsPerSheet);
