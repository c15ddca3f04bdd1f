// Label stocks as values: the presets, the check of any stock, the element
// template that follows the label, and the fine origin adjustment.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "jobs/LabelProblems.h"
#include "model/ElementTemplate.h"
#include "model/LayoutSettings.h"
#include "model/PaperSizes.h"
#include "model/StockCheck.h"
#include "model/StockPresets.h"

namespace {

constexpr double kEdge = 1e-6;

TEST(StockPresets, EveryPresetIsAPrintableStockOfItsPackagesCountAndSize) {
    std::set<std::string> names;
    ASSERT_GE(stockPresets().size(), 9u);
    EXPECT_EQ(stockPresets().front().stock, kStandardStock);
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        EXPECT_TRUE(names.insert(preset.name).second) << "names are unique";
        EXPECT_TRUE(checkStock(preset.stock).ok());
        const LabelStock& s = preset.stock;
        // The name says what the package says: sheet, count, label size.
        char size[64];
        std::snprintf(size, sizeof size, "%g×%gmm", s.labelWidthMm, s.labelHeightMm);
        EXPECT_EQ(preset.name, "A4 " + std::to_string(s.labelCount()) + "面 " + size);
        EXPECT_EQ(paperName(s.paper), "A4");
        EXPECT_TRUE(stockHoldsReadableBarcode(s));
        EXPECT_EQ(stockPresetNamed(preset.name), preset);
        EXPECT_EQ(stockPresetFor(s), preset);
    }
    const std::set<int> counts = [] {
        std::set<int> c;
        for (const NamedStock& p : stockPresets())
            c.insert(p.stock.labelCount());
        return c;
    }();
    EXPECT_EQ(counts, (std::set<int>{10, 12, 18, 21, 24, 40, 44, 65}));
}

// Where a package gives only the size and the count, the grid stands in the
// middle of the page.
TEST(StockPresets, GridsGivenBySizeAndCountAreCentred) {
    for (const NamedStock& preset : stockPresets()) {
        if (preset.stock == kStandardStock)
            continue;  // measured from the printable area, as it always was
        SCOPED_TRACE(preset.name);
        const LabelStock& s = preset.stock;
        const double right =
            s.paper.widthMm - (s.firstLabel.x + s.pitchXMm * (s.columns - 1) + s.labelWidthMm);
        const double bottom =
            s.paper.heightMm - (s.firstLabel.y + s.pitchYMm * (s.rows - 1) + s.labelHeightMm);
        EXPECT_NEAR(right, s.firstLabel.x, 0.02);
        EXPECT_NEAR(bottom, s.firstLabel.y, 0.02);
    }
}

TEST(StockPresets, NamesAreFoundAsUsersTypeThem) {
    const struct {
        const char* typed;
        const char* found;
    } cases[] = {
        {"A4 24面 66×33.9mm", "A4 24面 66×33.9mm"},
        {"A4 24面 66x33.9mm", "A4 24面 66×33.9mm"},
        {"a4 24面 66X33.9MM", nullptr},  // the paper's letter is not changed
        {"A4　65面 38.1*21.2mm", "A4 65面 38.1×21.2mm"},
        {"A410面91×55mm", "A4 10面 91×55mm"},
        {"A4 10面 91×54mm", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<NamedStock> found = stockPresetNamed(c.typed);
        ASSERT_EQ(found.has_value(), c.found != nullptr);
        if (found) {
            EXPECT_EQ(found->name, c.found);
        }
    }
}

LabelStock stockWith(void (*change)(LabelStock&)) {
    LabelStock s = stockPresetNamed("A4 24面 66×33.9mm")->stock;
    change(s);
    return s;
}

TEST(StockCheck, ImpossibleStocksNameTheValueAtFault) {
    struct Case {
        const char* what;
        void (*change)(LabelStock&);
        ResultCode code;
        StockValue value;
    };
    const Case cases[] = {
        {"as sold", [](LabelStock&) {}, ResultCode::Ok, StockValue::None},
        {"B5 paper",
         [](LabelStock& s) {
             s.paper = {182, 257}, s.columns = 2, s.rows = 7;
         },
         ResultCode::Ok, StockValue::None},
        {"a paper of no name",
         [](LabelStock& s) {
             s.paper = {200, 300};
         },
         ResultCode::StockUnknownPaper, StockValue::Paper},
        {"zero width", [](LabelStock& s) { s.labelWidthMm = 0; }, ResultCode::StockSizeNotPositive,
         StockValue::LabelWidth},
        {"negative height", [](LabelStock& s) { s.labelHeightMm = -5; },
         ResultCode::StockSizeNotPositive, StockValue::LabelHeight},
        {"no number", [](LabelStock& s) { s.labelHeightMm = NAN; },
         ResultCode::StockSizeNotPositive, StockValue::LabelHeight},
        {"no columns", [](LabelStock& s) { s.columns = 0; }, ResultCode::StockSizeNotPositive,
         StockValue::Columns},
        {"negative rows", [](LabelStock& s) { s.rows = -1; }, ResultCode::StockSizeNotPositive,
         StockValue::Rows},
        {"zero pitch", [](LabelStock& s) { s.pitchYMm = 0; }, ResultCode::StockSizeNotPositive,
         StockValue::PitchY},
        {"negative corner", [](LabelStock& s) { s.cornerRadiusMm = -1; },
         ResultCode::StockSizeNotPositive, StockValue::CornerRadius},
        {"corner past half", [](LabelStock& s) { s.cornerRadiusMm = 17; },
         ResultCode::StockCornerTooLarge, StockValue::CornerRadius},
        {"round as it can be", [](LabelStock& s) { s.cornerRadiusMm = 16.95; }, ResultCode::Ok,
         StockValue::None},
        {"101 labels",
         [](LabelStock& s) {
             s.columns = 1, s.rows = 101, s.labelHeightMm = 1, s.pitchYMm = 1, s.firstLabel.y = 0,
             s.cornerRadiusMm = 0;
         },
         ResultCode::StockTooManyLabels, StockValue::Rows},
        {"100 labels",
         [](LabelStock& s) {
             s.columns = 1, s.rows = 100, s.labelHeightMm = 1, s.pitchYMm = 1, s.firstLabel.y = 0,
             s.cornerRadiusMm = 0;
         },
         ResultCode::Ok, StockValue::None},
        {"a count that would wrap", [](LabelStock& s) { s.columns = 65536, s.rows = 65536; },
         ResultCode::StockTooManyLabels, StockValue::Rows},
        {"overlapping across", [](LabelStock& s) { s.pitchXMm = 65.9; },
         ResultCode::StockLabelsOverlap, StockValue::PitchX},
        {"overlapping down", [](LabelStock& s) { s.pitchYMm = 33.8; },
         ResultCode::StockLabelsOverlap, StockValue::PitchY},
        {"one row overlaps nothing", [](LabelStock& s) { s.rows = 1, s.pitchYMm = 1; },
         ResultCode::Ok, StockValue::None},
        {"negative left margin", [](LabelStock& s) { s.firstLabel.x = -0.5; },
         ResultCode::StockLabelPastPaper, StockValue::LeftMargin},
        {"negative top margin", [](LabelStock& s) { s.firstLabel.y = -1; },
         ResultCode::StockLabelPastPaper, StockValue::TopMargin},
        {"past the right edge", [](LabelStock& s) { s.pitchXMm = 70; },
         ResultCode::StockLabelPastPaper, StockValue::PitchX},
        {"past the bottom edge", [](LabelStock& s) { s.firstLabel.y = 30; },
         ResultCode::StockLabelPastPaper, StockValue::PitchY},
        {"one wide label past the edge", [](LabelStock& s) { s.columns = 1, s.labelWidthMm = 205; },
         ResultCode::StockLabelPastPaper, StockValue::LabelWidth},
        {"touching the edge", [](LabelStock& s) { s.firstLabel.x = 12; }, ResultCode::Ok,
         StockValue::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result r = checkStock(stockWith(c.change));
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.stockValue, c.value);
    }
    // How far past the edge, for the message.
    EXPECT_EQ(checkStock(stockWith([](LabelStock& s) { s.firstLabel.x = 15.5; })).detail, "3.5");
}

TEST(ElementTemplate, TheLabelFollowsItsStock) {
    const ElementTemplate& standard = standardElementTemplate();
    EXPECT_EQ(&elementTemplateFor(kStandardStock), &standard);
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        const LabelStock& s = preset.stock;
        const ElementTemplate t = elementTemplateFor(s);
        EXPECT_EQ(t, scaledElementTemplate(s.labelWidthMm, s.labelHeightMm));
        const double rx = s.labelWidthMm / 91.0, ry = s.labelHeightMm / 55.0;
        for (LabelElement e : kMovableElements) {
            const ElementPlace& mine = t.place(e);
            const ElementPlace& was = standard.place(e);
            // The same place relative to the label.
            EXPECT_NEAR(mine.anchor.x / s.labelWidthMm, was.anchor.x / 91.0, kEdge);
            EXPECT_NEAR(mine.anchor.y / s.labelHeightMm, was.anchor.y / 55.0, kEdge);
            EXPECT_LT(mine.anchor.x, s.labelWidthMm);
            EXPECT_LT(mine.anchor.y, s.labelHeightMm);
            if (e == LabelElement::Barcode)
                continue;
            const double scaled = was.fontSize * std::min(rx, ry);
            EXPECT_GE(mine.fontSize, kSmallestScaledFontSize);
            EXPECT_LE(std::abs(mine.fontSize - std::max(scaled, 6.0)), 0.5 + kEdge);
        }
        for (const RectMm& bar : t.borderBars)
            EXPECT_LE(bar.right(), s.labelWidthMm + kEdge);
    }
}

TEST(ElementTemplate, APatternPutOnAnotherStockTakesItsSizesAndKeepsItsLooks) {
    LayoutSettings pattern = initialLayoutSettings();
    pattern.element(LabelElement::Maker).font.bold = true;
    pattern.element(LabelElement::Maker).offsetX = 3;
    pattern.element(LabelElement::Price).color = 0x00FF00;
    pattern.xAdjustText = "2";
    const LabelStock stock = stockPresetNamed("A4 40面 48.3×25.4mm")->stock;
    changeStock(pattern, stock);
    EXPECT_EQ(pattern.stock, stock);
    EXPECT_TRUE(pattern.element(LabelElement::Maker).font.bold);
    EXPECT_EQ(pattern.element(LabelElement::Maker).offsetX, 0);
    EXPECT_EQ(pattern.element(LabelElement::Price).color, 0x00FF00);
    EXPECT_EQ(pattern.element(LabelElement::Price).font.size,
              elementTemplateFor(stock).place(LabelElement::Price).fontSize);
    EXPECT_DOUBLE_EQ(pattern.originX, stock.firstLabel.x + 2);
    EXPECT_DOUBLE_EQ(pattern.originY, stock.firstLabel.y);

    // Back on the standard stock it is the default pattern's sizes again.
    changeStock(pattern, kStandardStock);
    EXPECT_EQ(pattern.element(LabelElement::Price).font.size,
              initialLayoutSettings().element(LabelElement::Price).font.size);
}

TEST(StockCheck, ALabelTooSmallForAReadableBarcodeIsTold) {
    LabelStock small = kStandardStock;
    for (const auto& [w, h, readable] : {std::tuple{38.1, 21.2, true},
                                         {29.9, 21.2, true},
                                         {29.7, 40.0, false},
                                         {50.0, 18.0, false},
                                         {25.0, 15.0, false}}) {
        small.labelWidthMm = w;
        small.labelHeightMm = h;
        EXPECT_EQ(stockHoldsReadableBarcode(small), readable) << w << "×" << h;
    }
    LayoutSettings layout = initialLayoutSettings();
    layout.stock = small;  // 25 × 15
    LabelSheet sheet(layout.stock);
    sheet.label(1) = LabelRecord{"4901234567894", "", "品", "", "", "100"};
    sheet.label(2) = LabelRecord{"", "", "品", "", "", "100"};  // no barcode: nothing to read
    const std::vector<LabelProblem> first = findLabelProblems(sheet, 1, layout, nullptr);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].kind, LabelProblemKind::BarcodeTooSmall);
    EXPECT_TRUE(findLabelProblems(sheet, 2, layout, nullptr).empty());
    layout.stock = kStandardStock;
    EXPECT_TRUE(findLabelProblems(LabelSheet{}, 1, layout, nullptr).empty());
}

TEST(FineOrigin, TenthsOfAMillimetreMoveTheOriginAndStayWithinTenMillimetres) {
    const struct {
        int tenths;
        const char* text;
        int fine;
    } cases[] = {
        {0, "0", 0},    {23, "2", 3},   {-23, "-2", -3},  {-5, "0", -5},
        {100, "10", 0}, {101, "10", 0}, {-250, "-10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tenths);
        LayoutSettings s = initialLayoutSettings();
        setAdjustTenths(s, 0, c.tenths);
        setAdjustTenths(s, 1, -c.tenths);
        EXPECT_EQ(s.xAdjustText, c.text);
        EXPECT_EQ(s.xFineTenths, c.fine);
        EXPECT_EQ(s.yFineTenths, -c.fine);
        const int kept = std::clamp(c.tenths, -100, 100);
        EXPECT_EQ(adjustTenths(s, 0), kept);
        EXPECT_NEAR(s.originX, kStandardStock.firstLabel.x + kept / 10.0, kEdge);
        EXPECT_NEAR(s.originY, kStandardStock.firstLabel.y - kept / 10.0, kEdge);
    }
    // A fine part that cannot go with its whole millimetres is dropped.
    LayoutSettings s = initialLayoutSettings();
    s.xAdjustText = "10";
    s.xFineTenths = 5;
    s.yFineTenths = 12;
    applyAdjustTextsToOrigin(s);
    EXPECT_EQ(s.xFineTenths, 0);
    EXPECT_EQ(s.yFineTenths, 0);
    EXPECT_DOUBLE_EQ(s.originX, kStandardStock.firstLabel.x + 10);
}

}  // namespace
