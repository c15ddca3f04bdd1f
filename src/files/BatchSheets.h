#pragma once

#include <vector>

#include "files/ProductList.h"
#include "model/LabelSheet.h"

// Lays the products of a list onto sheets: the first product at label
// `startPosition` of the first sheet, so a half-used sheet can be finished,
// then on through the sheet's last label and onto the next sheets from label 1.
// A start position the sheet does not have starts at label 1.
// A row becomes a label as the list has it: its code is settled as a list's
// code is (barcode/ListCode.h), never corrected in silence, and its price is
// brought to the amount the sheet's price box holds (model/ListPrice.h).
class BatchSheetBuilder {
  public:
    // The labels are priced as `pricing` says.
    BatchSheetBuilder(ProductListReader& reader, int startPosition,
                      const PricePattern& pricing = {});

    // Fills `sheet` (emptied first, keeping its number of labels) with the next products. Returns
    // false when no product is left (then `sheet` is empty). A row without a product name (it
    // would print nothing), one whose tax-inclusive price no pre-tax price gives, and one that
    // cannot be read take no label and are reported in `problems`; so are the labels that print
    // otherwise than their rows read (no barcode, no tax line).
    bool nextSheet(LabelSheet& sheet, std::vector<Result>& problems);

    // Labels placed so far.
    long labelsPlaced() const { return placed_; }
    // The list's line that label `position` of the last sheet was filled
    // from, or 0 for a label left free.
    int lineOf(int position) const;

  private:
    // The label of `row`, or nothing when the row takes none; its problems
    // go to `problems`.
    std::optional<LabelRecord> labelOf(const ProductRow& row, std::vector<Result>& problems) const;

    ProductListReader& reader_;
    PricePattern pricing_;
    int nextPosition_;
    long placed_ = 0;
    std::vector<int> lines_;  // by label position, from 1
};

// How many sheets of `labelsPerSheet` labels `productCount` products need
// from `startPosition` on.
long sheetsNeeded(long productCount, int startPosition, int labelsPerSheet);
