// The check before printing on what a shop's label shows: prices that give
// no second price, a price on top of 円 or another text, texts moved off the
// label, a regular price that is no reduction, contents that give no unit
// price, and details a file cannot hold. Texts are measured on a recording
// surface (fixed pitch: half an em below U+0100, a whole em above).

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "jobs/LabelProblems.h"
#include "jobs/ProblemMessages.h"
#include "support/RecordingSurface.h"

namespace {

LabelRecord saleLabel() {
    LabelRecord r{"4901234567894", "山田食品", "豚こま切れ", "国産", "L12", "980"};
    r.taxRate = TaxRate::Reduced;
    r.details = {"350g", "", "1280", "12/10まで", "鹿児島県産"};
    return r;
}

LayoutSettings pattern(PriceMode mode) {
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = mode;
    return layout;
}

std::vector<LabelProblem> problemsOf(const LabelRecord& label, const LayoutSettings& layout) {
    LabelSheet sheet;
    sheet.label(4) = label;
    RecordingSurface gauge;
    return findLabelProblems(sheet, 4, layout, &gauge);
}

bool has(const std::vector<LabelProblem>& problems, LabelProblemKind kind, LabelElement element) {
    return std::any_of(problems.begin(), problems.end(), [&](const LabelProblem& p) {
        return p.kind == kind && p.element == element && p.label == 4;
    });
}

TEST(ShelfProblems, ASaleLabelAtTheDefaultPlacesHasNone) {
    for (PriceMode mode : {PriceMode::TaxIncludedOnly, PriceMode::BaseAndTaxIncluded,
                           PriceMode::TaxIncludedWithBase}) {
        EXPECT_EQ(problemsOf(saleLabel(), pattern(mode)), std::vector<LabelProblem>{})
            << static_cast<int>(mode);
    }
}

TEST(ShelfProblems, APriceThatIsNoWholeYenIsToldWhereTheSheetNeedsASecondPrice) {
    LabelRecord label = saleLabel();
    label.price = "98.5";
    EXPECT_FALSE(has(problemsOf(label, pattern(PriceMode::TaxIncludedOnly)),
                     LabelProblemKind::PriceNotWholeYen, LabelElement::Price));
    EXPECT_TRUE(has(problemsOf(label, pattern(PriceMode::BaseAndTaxIncluded)),
                    LabelProblemKind::PriceNotWholeYen, LabelElement::Price));
    EXPECT_TRUE(has(problemsOf(label, pattern(PriceMode::TaxIncludedWithBase)),
                    LabelProblemKind::PriceNotWholeYen, LabelElement::Price));
}

TEST(ShelfProblems, APriceOverlappingYenOrAnotherTextIsToldWithTheOther) {
    LabelRecord label = saleLabel();
    label.details = {};
    label.spec.clear();
    label.lot.clear();
    // Eight digits run past the field of seven, into 円.
    label.price = "12345678";
    std::vector<LabelProblem> p = problemsOf(label, pattern(PriceMode::TaxIncludedOnly));
    EXPECT_TRUE(has(p, LabelProblemKind::PriceOverlaps, LabelElement::Yen));
    EXPECT_EQ(std::count_if(
                  p.begin(), p.end(),
                  [](const LabelProblem& q) { return q.kind == LabelProblemKind::PriceOverlaps; }),
              1);
    // Seven characters fill the field from its left edge, over the 規格.
    label.price = "123,456";
    label.spec = "500g";
    p = problemsOf(label, pattern(PriceMode::TaxIncludedOnly));
    EXPECT_TRUE(has(p, LabelProblemKind::PriceOverlaps, LabelElement::Spec));
    EXPECT_FALSE(has(p, LabelProblemKind::PriceOverlaps, LabelElement::Yen));
    // The caption moved onto the digits.
    label = saleLabel();
    LayoutSettings layout = pattern(PriceMode::BaseAndTaxIncluded);
    layout.element(LabelElement::PriceCaption).offsetX = -20;
    layout.element(LabelElement::PriceCaption).offsetY = 2;
    EXPECT_TRUE(has(problemsOf(label, layout), LabelProblemKind::PriceOverlaps,
                    LabelElement::PriceCaption));
}

TEST(ShelfProblems, ATextMovedOffTheLabelIsTold) {
    LayoutSettings layout = pattern(PriceMode::TaxIncludedWithBase);
    layout.element(LabelElement::Origin).offsetY = -12;
    layout.element(LabelElement::UnitPrice).offsetY = 6;
    layout.element(LabelElement::SalePeriod).offsetX = -80;
    const std::vector<LabelProblem> p = problemsOf(saleLabel(), layout);
    for (LabelElement e : {LabelElement::Origin, LabelElement::UnitPrice, LabelElement::SalePeriod})
        EXPECT_TRUE(has(p, LabelProblemKind::TextOutsideLabel, e)) << static_cast<int>(e);
    EXPECT_FALSE(has(p, LabelProblemKind::TextOutsideLabel, LabelElement::RegularPrice));
}

TEST(ShelfProblems, ARegularPriceThatIsNoReductionIsTold) {
    struct Case {
        const char* regular;
        bool told;
    };
    for (const Case& c :
         {Case{"980", true}, Case{"900", true}, Case{"981", false}, Case{"", false}}) {
        LabelRecord label = saleLabel();
        label.details.regularPrice = c.regular;
        EXPECT_EQ(has(problemsOf(label, pattern(PriceMode::TaxIncludedWithBase)),
                      LabelProblemKind::RegularNotAbove, LabelElement::RegularPrice),
                  c.told)
            << c.regular;
    }
}

TEST(ShelfProblems, ContentsThatGiveNoUnitPriceAreTold) {
    struct Case {
        const char* contents;
        const char* base;
        LabelProblemKind kind;
    };
    const Case cases[] = {
        {"12袋", "", LabelProblemKind::ContentsUnreadable},
        {"500g", "百グラム", LabelProblemKind::BaseUnreadable},
        {"500g", "100ml", LabelProblemKind::BaseUnitDiffers},
    };
    for (const Case& c : cases) {
        LabelRecord label = saleLabel();
        label.details.contents = c.contents;
        label.details.baseQuantity = c.base;
        EXPECT_TRUE(has(problemsOf(label, pattern(PriceMode::TaxIncludedOnly)), c.kind,
                        LabelElement::UnitPrice))
            << c.contents << " / " << c.base;
    }
    LabelRecord huge = saleLabel();
    huge.price = "999999999999";
    huge.details.contents = "0.001g";
    huge.details.baseQuantity = "1kg";
    EXPECT_TRUE(has(problemsOf(huge, pattern(PriceMode::TaxIncludedOnly)),
                    LabelProblemKind::UnitPriceTooLarge, LabelElement::UnitPrice));
}

TEST(ShelfProblems, DetailsAFileCannotHoldAreToldEvenOnAFreeLabel) {
    LabelRecord label;
    label.details.origin = "🍊産";
    label.details.salePeriod = "12/10\"まで";
    const std::vector<LabelProblem> p = problemsOf(label, pattern(PriceMode::TaxIncludedOnly));
    EXPECT_TRUE(has(p, LabelProblemKind::CharacterNotSaved, LabelElement::Origin));
    EXPECT_TRUE(has(p, LabelProblemKind::CharacterNotSaved, LabelElement::SalePeriod));
    // Not a printing problem: the label prints as it is.
    EXPECT_TRUE(printingProblems(p).empty());
}

TEST(ShelfProblems, EveryNewProblemHasASentenceOfItsOwn) {
    const LabelProblemKind kinds[] = {
        LabelProblemKind::PriceNotWholeYen,   LabelProblemKind::PriceOverlaps,
        LabelProblemKind::TextOutsideLabel,   LabelProblemKind::RegularNotAbove,
        LabelProblemKind::ContentsUnreadable, LabelProblemKind::BaseUnreadable,
        LabelProblemKind::BaseUnitDiffers,    LabelProblemKind::UnitPriceTooLarge,
    };
    std::set<std::string> sentences;
    for (LabelProblemKind kind : kinds) {
        const std::string text = messages::problemText({1, kind, LabelElement::Origin, {}, 100});
        EXPECT_FALSE(text.empty());
        sentences.insert(text);
    }
    EXPECT_EQ(sentences.size(), std::size(kinds));
    for (LabelElement e : kShelfTextElements)
        EXPECT_STRNE(messages::elementCaption(e), "");
}

}  // namespace
