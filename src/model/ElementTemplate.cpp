#include "model/ElementTemplate.h"

#include <cassert>

namespace {

ElementTemplate makeStandardTemplate() {
    ElementTemplate t;
    t.labelWidthMm = 91.0;
    t.labelHeightMm = 55.0;
    struct Row {
        LabelElement element;
        ElementPlace place;
    };
    // The tax line stands right of the maker, under the barcode: clear of every
    // other text at its default place, and large enough to read at arm's length.
    const Row rows[] = {
        {LabelElement::Jan, {{8, 6}, 0, 0, 12, kBlack}},
        {LabelElement::Barcode, {{40, 5}, 55, 10, 10, kBlack}},
        {LabelElement::Maker, {{8, 17}, 0, 0, 10, kBlack}},
        {LabelElement::ProductName, {{4, 24}, 0, 0, 18, kBlack}},
        {LabelElement::Spec, {{8, 36}, 0, 0, 10, kBlack}},
        {LabelElement::Lot, {{8, 40}, 0, 0, 10, kBlack}},
        {LabelElement::Price, {{0, 33}, 0, 0, 48, kRed}},
        {LabelElement::Yen, {{62, 39}, 0, 0, 24, kRed}},
        {LabelElement::TaxLine, {{42, 17}, 0, 0, 16, kRed}},
        // The QR code's square box at the bottom right, right of 円 and above the
        // lower border bar.
        {LabelElement::Qr, {{72, 32}, 17, 17, 10, kBlack}},
    };
    for (const Row& row : rows)
        t.elements[static_cast<std::size_t>(row.element)] = row.place;
    t.borderBars = {{3, 2, 85, 2}, {3, 50, 85, 2}};
    t.placeholder = {44, 4, 40, 9.5};
    t.placeholderBars = {{0, 1},  {2, 2},  {5, 3},  {9, 1},  {11, 2}, {14, 3}, {18, 1},
                         {20, 2}, {23, 2}, {27, 1}, {29, 2}, {32, 2}, {36, 1}, {38, 2}};
    t.guideNumber = {56, 16};
    t.guideNumberSize = 10.0;
    return t;
}

}  // namespace

const ElementPlace& ElementTemplate::place(LabelElement e) const {
    const auto index = static_cast<std::size_t>(e);
    assert(index < kStyledElementCount && "the border has no place of its own");
    return elements[index < kStyledElementCount ? index : 0];
}

const ElementTemplate& standardElementTemplate() {
    static const ElementTemplate t = makeStandardTemplate();
    return t;
}
