// The elements of a shop's label as the renderer draws them: each text at its
// place in the label (moved by its offset, hidden on request, in its own font
// and colour), inside the label and clear of the other texts at the default
// places, and the regular price struck through across its whole box.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/ElementTemplate.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "render/SheetRenderer.h"
#include "support/RecordingSurface.h"

namespace {

using Mark = RecordingSurface::Mark;
using Box = RecordingSurface::Box;

// A label that uses every detail, on a sheet showing the tax-inclusive price first.
LabelRecord saleLabel() {
    LabelRecord r{"4901234567894", "山田食品", "豚こま切れ", "国産", "L12", "980"};
    r.taxRate = TaxRate::Reduced;
    r.details = {"350g", "", "1280", "12/10まで", "鹿児島県産"};
    return r;
}

LayoutSettings inclBase() {
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = PriceMode::TaxIncludedWithBase;
    return layout;
}

struct Drawn {
    RecordingSurface surface;
    std::vector<Mark> label;  // the marks inside label `number`
};

Drawn draw(const LabelSheet& sheet, const LayoutSettings& layout, int number) {
    Drawn d;
    d.surface.twipsX = d.surface.twipsY = 2.4;  // 600 dpi
    drawSheet(d.surface, sheet, layout, RenderOptions::paper());
    const PointMm corner = layout.stock.cellOrigin(number, PointMm{layout.originX, layout.originY});
    for (const Mark& m : d.surface.marksInFrame({corner.x, corner.y})) {
        if (m.clip)
            d.label.push_back(m);
    }
    return d;
}

const Mark* textMark(const std::vector<Mark>& marks, const std::string& text) {
    for (const Mark& m : marks) {
        if ((m.kind == "text" || m.kind == "condensed") && m.text == text)
            return &m;
    }
    return nullptr;
}

// What each element shows for saleLabel(): 980 × 1.08 = 1058.4, 1280 × 1.08 =
// 1382.4, 1058 / 350 g = 3.02 yen a gram.
struct ElementText {
    LabelElement element;
    const char* text;
};
constexpr ElementText kShown[] = {
    {LabelElement::PriceCaption, "税込"},    {LabelElement::RegularPrice, "1,382円"},
    {LabelElement::SalePeriod, "12/10まで"}, {LabelElement::UnitPrice, "100gあたり 302円"},
    {LabelElement::Origin, "鹿児島県産"},
};

TEST(ShelfElements, EachStandsAtItsPlaceInEveryLabelAndMovesInMillimetreSteps) {
    const LabelSheet sheet = [] {
        LabelSheet s;
        for (int k = 1; k <= s.labelCount(); ++k)
            s.label(k) = saleLabel();
        return s;
    }();
    LayoutSettings moved = inclBase();
    for (LabelElement e : kShelfTextElements) {
        moved.element(e).offsetX = 1;
        moved.element(e).offsetY = -2;
    }
    const ElementTemplate& places = standardElementTemplate();
    for (int k : {1, 4, 10}) {
        SCOPED_TRACE("label " + std::to_string(k));
        const Drawn plain = draw(sheet, inclBase(), k);
        const Drawn shifted = draw(sheet, moved, k);
        for (const ElementText& shown : kShown) {
            SCOPED_TRACE(shown.text);
            const Mark* m = textMark(plain.label, shown.text);
            const Mark* n = textMark(shifted.label, shown.text);
            ASSERT_NE(m, nullptr);
            ASSERT_NE(n, nullptr);
            const PointMm anchor = places.place(shown.element).anchor;
            EXPECT_NEAR(m->local.x, anchor.x, 1e-9);
            EXPECT_NEAR(m->local.y, anchor.y, 1e-9);
            EXPECT_NEAR(n->local.x - m->local.x, 1.0, 1e-9);
            EXPECT_NEAR(n->local.y - m->local.y, -2.0, 1e-9);
            EXPECT_TRUE(m->clip->contains(m->page)) << "inside its label";
        }
    }
}

TEST(ShelfElements, AtTheirDefaultPlacesTheyTouchNoOtherText) {
    LabelSheet sheet;
    sheet.label(3) = saleLabel();
    const Drawn d = draw(sheet, inclBase(), 3);
    std::vector<const Mark*> texts;
    for (const Mark& m : d.label) {
        if (m.kind == "text" || m.kind == "condensed")
            texts.push_back(&m);
    }
    for (const ElementText& shown : kShown) {
        const Mark* m = textMark(d.label, shown.text);
        ASSERT_NE(m, nullptr) << shown.text;
        for (const Mark* other : texts) {
            if (other == m)
                continue;
            const Box& a = m->page;
            const Box& b = other->page;
            // Texts aligned with leading blanks (the price, a short name) start
            // at their first character; a blank is half an em, the box as high as an em.
            const std::string& t = other->text;
            const std::size_t blanks = std::min(t.find_first_not_of(' '), t.size());
            const double lead = static_cast<double>(blanks) * b.height / 2.0;
            const bool overlap =
                a.x < b.right() && b.x + lead < a.right() && a.y < b.bottom() && b.y < a.bottom();
            EXPECT_FALSE(overlap) << shown.text << " against " << other->text;
        }
    }
}

TEST(ShelfElements, TheRegularPriceIsStruckAcrossItsWholeBoxInItsColour) {
    LabelSheet sheet;
    sheet.label(2) = saleLabel();
    LayoutSettings layout = inclBase();
    layout.element(LabelElement::RegularPrice).color = 0x00AA00;
    const Drawn d = draw(sheet, layout, 2);
    const Mark* price = textMark(d.label, "1,382円");
    ASSERT_NE(price, nullptr);
    std::vector<const Mark*> lines;
    for (const Mark& m : d.label) {
        if (m.kind == "line")
            lines.push_back(&m);
    }
    ASSERT_EQ(lines.size(), 1u);
    const Box& strike = lines[0]->page;
    EXPECT_EQ(lines[0]->color, 0x00AA00);
    EXPECT_NEAR(strike.height, 0.0, 1e-9) << "level";
    EXPECT_NEAR(strike.x, price->page.x, 1e-6);
    EXPECT_NEAR(strike.right(), price->page.right(), 1e-6);
    EXPECT_GT(strike.y, price->page.y + price->page.height * 0.3);
    EXPECT_LT(strike.y, price->page.y + price->page.height * 0.7);
    // A stroke of a quarter millimetre on paper, and the pen set back after it.
    const std::vector<std::string> widths = d.surface.callsStartingWith("linewidth ");
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0], "linewidth 5");  // 0.25 mm at 600 dpi
    EXPECT_EQ(widths[1], "linewidth 1");
}

TEST(ShelfElements, NothingIsDrawnForWhatALabelOrSheetDoesNotHave) {
    LabelSheet sheet;
    LabelRecord plain = saleLabel();
    plain.details = {};
    sheet.label(1) = plain;
    const Drawn only = draw(sheet, initialLayoutSettings(), 1);
    for (const Mark& m : only.label) {
        EXPECT_NE(m.kind, "line");
        EXPECT_EQ(m.text.find("あたり"), std::string::npos);
        EXPECT_NE(m.text, "税込");
        EXPECT_NE(m.text, "本体");
    }
    // Hidden elements are not drawn; the others stay.
    sheet.label(1) = saleLabel();
    LayoutSettings hidden = inclBase();
    for (LabelElement e : kShelfTextElements)
        hidden.element(e).visible = false;
    const Drawn none = draw(sheet, hidden, 1);
    for (const ElementText& shown : kShown)
        EXPECT_EQ(textMark(none.label, shown.text), nullptr) << shown.text;
    EXPECT_NE(textMark(none.label, "L12"), nullptr);
}

TEST(ShelfElements, TheBigPriceAndTheSmallLineFollowThePriceMode) {
    LabelSheet sheet;
    sheet.label(1) = saleLabel();
    LayoutSettings dual = inclBase();
    dual.pricing.mode = PriceMode::BaseAndTaxIncluded;
    const Drawn base = draw(sheet, dual, 1);
    EXPECT_NE(textMark(base.label, "    980"), nullptr);
    EXPECT_NE(textMark(base.label, "税込 1,058円"), nullptr);
    EXPECT_NE(textMark(base.label, "本体"), nullptr);
    const Drawn first = draw(sheet, inclBase(), 1);
    EXPECT_NE(textMark(first.label, "  1,058"), nullptr);
    EXPECT_NE(textMark(first.label, "本体 980円"), nullptr);
    EXPECT_NE(textMark(first.label, "税込"), nullptr);
}

}  // namespace
