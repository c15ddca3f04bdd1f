#include "model/ElementTemplate.h"

#include <algorithm>
#include <cassert>
#include <cmath>

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
    // other text at its default place, and half the price's size, so that the
    // second price reads at arm's length as the first does. The price's
    // caption stands over 円, the regular price and the sale's period right
    // of it, the unit price under 円 (small enough to stay clear of the lower
    // border bar), the origin between the code and the maker.
    const Row rows[] = {
        {LabelElement::Jan, {{8, 6}, 0, 0, 12, kBlack}},
        {LabelElement::Barcode, {{40, 5}, 55, 10, 10, kBlack}},
        {LabelElement::Maker, {{8, 17}, 0, 0, 10, kBlack}},
        {LabelElement::ProductName, {{4, 24}, 0, 0, 18, kBlack}},
        {LabelElement::Spec, {{8, 36}, 0, 0, 10, kBlack}},
        {LabelElement::Lot, {{8, 40}, 0, 0, 10, kBlack}},
        {LabelElement::Price, {{0, 33}, 0, 0, 48, kRed}},
        {LabelElement::Yen, {{62, 39}, 0, 0, 24, kRed}},
        {LabelElement::TaxLine, {{38, 15.3}, 0, 0, 24, kRed}},
        {LabelElement::PriceCaption, {{62, 34}, 0, 0, 10, kRed}},
        {LabelElement::UnitPrice, {{62, 47.5}, 0, 0, 7, kBlack}},
        {LabelElement::RegularPrice, {{72, 34}, 0, 0, 11, kBlack}},
        {LabelElement::SalePeriod, {{72, 40}, 0, 0, 10, kRed}},
        {LabelElement::Origin, {{8, 11.5}, 0, 0, 10, kBlack}},
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

namespace {

RectMm scaled(const RectMm& r, double rx, double ry) {
    return {r.x * rx, r.y * ry, r.width * rx, r.height * ry};
}

std::int16_t scaledFontSize(std::int16_t size, double ratio) {
    const long points = std::lround(size * ratio);
    return static_cast<std::int16_t>(std::clamp<long>(points, kSmallestScaledFontSize, 999));
}

}  // namespace

ElementTemplate scaledElementTemplate(double labelWidthMm, double labelHeightMm) {
    const ElementTemplate& standard = standardElementTemplate();
    const double rx = labelWidthMm / standard.labelWidthMm;
    const double ry = labelHeightMm / standard.labelHeightMm;
    const double ratio = std::min(rx, ry);
    ElementTemplate t = standard;
    t.labelWidthMm = labelWidthMm;
    t.labelHeightMm = labelHeightMm;
    for (ElementPlace& place : t.elements) {
        place.anchor = {place.anchor.x * rx, place.anchor.y * ry};
        place.boxWidthMm *= rx;
        place.boxHeightMm *= ry;
        place.fontSize = scaledFontSize(place.fontSize, ratio);
    }
    for (RectMm& bar : t.borderBars)
        bar = scaled(bar, rx, ry);
    t.placeholder = scaled(t.placeholder, rx, ry);
    for (PlaceholderBar& bar : t.placeholderBars)
        bar = {bar.left * rx, bar.width * rx};
    t.guideNumber = {t.guideNumber.x * rx, t.guideNumber.y * ry};
    t.guideNumberSize = std::max(double(kSmallestScaledFontSize), t.guideNumberSize * ratio);
    return t;
}

const ElementTemplate& elementTemplateFor(const LabelStock& stock) {
    const ElementTemplate& standard = standardElementTemplate();
    if (stock.labelWidthMm == standard.labelWidthMm &&
        stock.labelHeightMm == standard.labelHeightMm)
        return standard;
    // One sheet draws many labels of one size: keep the last one made.
    thread_local ElementTemplate last;
    if (last.labelWidthMm != stock.labelWidthMm || last.labelHeightMm != stock.labelHeightMm)
        last = scaledElementTemplate(stock.labelWidthMm, stock.labelHeightMm);
    return last;
}
