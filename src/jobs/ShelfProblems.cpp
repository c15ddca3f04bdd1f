#include "jobs/ShelfProblems.h"

#include <optional>
#include <utility>

#include "files/LabelDataFile.h"
#include "model/ShownPrices.h"
#include "model/TaxPrice.h"
#include "render/DrawingSurface.h"
#include "render/LabelTexts.h"

namespace {

LabelProblem problem(int number, LabelProblemKind kind, LabelElement element) {
    return LabelProblem{number, kind, element, {}, 100};
}

LabelProblemKind kindOf(UnitPriceTrouble trouble) {
    switch (trouble) {
        case UnitPriceTrouble::ContentsUnreadable:
            return LabelProblemKind::ContentsUnreadable;
        case UnitPriceTrouble::BaseUnreadable:
            return LabelProblemKind::BaseUnreadable;
        case UnitPriceTrouble::UnitsDiffer:
            return LabelProblemKind::BaseUnitDiffers;
        case UnitPriceTrouble::TooLarge:
            return LabelProblemKind::UnitPriceTooLarge;
    }
    return LabelProblemKind::ContentsUnreadable;
}

// What the labels' texts and prices say, without drawing.
void findPriceProblems(const LabelRecord& label, int number, const PricePattern& pricing,
                       std::vector<LabelProblem>& problems) {
    if (missingTaxLine(label, pricing))
        problems.push_back(
            problem(number, LabelProblemKind::PriceNotWholeYen, LabelElement::Price));
    if (regularPriceNotAbove(label))
        problems.push_back(
            problem(number, LabelProblemKind::RegularNotAbove, LabelElement::RegularPrice));
    if (const std::optional<UnitPriceTrouble> trouble = unitPriceLineFor(label, pricing).trouble)
        problems.push_back(problem(number, kindOf(*trouble), LabelElement::UnitPrice));
}

// Where the texts land, measured as the renderer places them at full size.
void findPlacementProblems(const LabelRecord& label, int number, const LayoutSettings& layout,
                           DrawingSurface& gauge, std::vector<LabelProblem>& problems) {
    gauge.setUnit(SurfaceUnit::Millimetres);
    std::vector<std::pair<LabelElement, TextBox>> boxes;
    for (const LabelText& t : labelTexts(label, layout)) {
        const PlacedText placed = placeText(gauge, t, layout, 1.0);
        const TextBox box = textBox(gauge, t, placed);
        // Past the right edge the text is condensed or clipped (told as such).
        if (box.left < 0.0 || box.top < 0.0 || box.bottom > layout.stock.labelHeightMm)
            problems.push_back(problem(number, LabelProblemKind::TextOutsideLabel, t.element));
        if (box.right > box.left)
            boxes.emplace_back(t.element, box);
    }
    for (const auto& [element, box] : boxes) {
        if (element != LabelElement::Price)
            continue;
        for (const auto& [other, otherBox] : boxes) {
            if (other != LabelElement::Price && box.overlaps(otherBox))
                problems.push_back(problem(number, LabelProblemKind::PriceOverlaps, other));
        }
    }
}

}  // namespace

std::vector<LabelProblem> findShelfProblems(const LabelRecord& label, int number,
                                            const LayoutSettings& layout, DrawingSurface* gauge) {
    std::vector<LabelProblem> problems;
    findPriceProblems(label, number, layout.pricing, problems);
    if (gauge != nullptr)
        findPlacementProblems(label, number, layout, *gauge, problems);
    return problems;
}

void appendUnsavedDetails(const LabelRecord& label, int number,
                          std::vector<LabelProblem>& problems) {
    const ShelfDetails& d = label.details;
    const std::pair<const std::string*, LabelElement> texts[] = {
        {&d.contents, LabelElement::UnitPrice},
        {&d.baseQuantity, LabelElement::UnitPrice},
        {&d.regularPrice, LabelElement::RegularPrice},
        {&d.salePeriod, LabelElement::SalePeriod},
        {&d.origin, LabelElement::Origin},
    };
    for (const auto& [text, element] : texts) {
        if (const std::optional<std::string> c = firstUnstorableCharacter(*text))
            problems.push_back({number, LabelProblemKind::CharacterNotSaved, element, *c, 100});
    }
}
