// The sheet as drawn: each label in its own frame, clipped to its cell of the
// stock, every element at its template anchor relative to the label's corner.
// The properties hold for any stock; they are checked on the standard stock
// and on a made-up one of another size with gaps between the labels. A short
// table pins the exact places of the standard stock's first label.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/ElementTemplate.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/TaxPrice.h"
#include "model/ToggleCaptions.h"
#include "render/SheetRenderer.h"
#include "support/RecordingSurface.h"

namespace {

using Lines = std::vector<std::string>;
using Mark = RecordingSurface::Mark;
using Box = RecordingSurface::Box;

constexpr Color kWhite = 0xFFFFFF;

LabelRecord sampleLabel() {
    LabelRecord r;
    r.janCode = "4901234567894";
    r.maker = "メーカー";
    r.productName = "品名";
    r.spec = "規格";
    r.lot = "ロット";
    r.price = "198";
    return r;
}

LabelSheet sheetWith(int number, const LabelRecord& record) {
    LabelSheet sheet;
    sheet.label(number) = record;
    return sheet;
}

LabelSheet fullSheet(const LabelRecord& record, const LabelStock& stock = kStandardStock) {
    LabelSheet sheet(stock);
    for (int k = 1; k <= sheet.labelCount(); ++k)
        sheet.label(k) = record;
    return sheet;
}

// Three columns of eight labels of 66 × 33.9 mm, 2 mm apart across and
// 1.1 mm apart down: another size, another grid, and gaps.
LabelStock gappedStock() {
    LabelStock s;
    s.labelWidthMm = 66.0;
    s.labelHeightMm = 33.9;
    s.columns = 3;
    s.rows = 8;
    s.firstLabel = {7.0, 12.9};
    s.pitchXMm = 68.0;
    s.pitchYMm = 35.0;
    return s;
}

LayoutSettings layoutFor(const LabelStock& stock) {
    LayoutSettings layout = initialLayoutSettings();
    layout.stock = stock;
    layout.originX = stock.firstLabel.x;
    layout.originY = stock.firstLabel.y;
    return layout;
}

// Label k's cell on the page at zoom z.
Box cellBox(const LayoutSettings& layout, int k, double z) {
    const PointMm c = layout.stock.cellOrigin(k, PointMm{layout.originX, layout.originY});
    return Box{c.x * z, c.y * z, layout.stock.labelWidthMm * z, layout.stock.labelHeightMm * z};
}

bool sameBox(const Box& a, const Box& b) {
    constexpr double e = 1e-6;
    return std::abs(a.x - b.x) < e && std::abs(a.y - b.y) < e && std::abs(a.width - b.width) < e &&
           std::abs(a.height - b.height) < e;
}

RecordingSurface preview(const LabelSheet& sheet, const LayoutSettings& layout, double zoom) {
    RecordingSurface surface;
    drawSheet(surface, sheet, layout, RenderOptions::preview(zoom));
    return surface;
}

RecordingSurface paper(const LabelSheet& sheet, const LayoutSettings& layout) {
    RecordingSurface printer;
    printer.twipsX = 2.4;  // 600 dpi
    printer.twipsY = 2.4;
    drawSheet(printer, sheet, layout, RenderOptions::paper());
    return printer;
}

// What was drawn inside label k: the marks in its frame, clipped to its cell.
std::vector<Mark> labelMarks(const RecordingSurface& s, const LayoutSettings& layout, int k,
                             double z) {
    const Box cell = cellBox(layout, k, z);
    std::vector<Mark> out;
    for (const Mark& m : s.marksInFrame({cell.x, cell.y})) {
        if (m.clip)
            out.push_back(m);
    }
    return out;
}

// The mark points into `marks`: a list that is about to go cannot be asked.
const Mark* textMark(std::vector<Mark>&& marks, const std::string& text) = delete;

// The text mark drawing `text`, or nullptr.
const Mark* textMark(const std::vector<Mark>& marks, const std::string& text) {
    for (const Mark& m : marks) {
        if ((m.kind == "text" || m.kind == "condensed") && m.text == text)
            return &m;
    }
    return nullptr;
}

std::vector<Mark> ofKind(const std::vector<Mark>& marks, const std::string& kind) {
    std::vector<Mark> out;
    std::copy_if(marks.begin(), marks.end(), std::back_inserter(out),
                 [&](const Mark& m) { return m.kind == kind; });
    return out;
}

// The texts of the sample label as drawn, each with its element.
struct ElementText {
    LabelElement element;
    std::string text;
};
const ElementText kSampleTexts[] = {
    {LabelElement::Jan, "4901234567894"}, {LabelElement::ProductName, "           品名"},
    {LabelElement::Price, "    198"},     {LabelElement::Yen, "円"},
    {LabelElement::Maker, "メーカー"},    {LabelElement::Spec, "規格"},
    {LabelElement::Lot, "ロット"},        {LabelElement::TaxLine, "税込 217円"},
};

struct StockCase {
    const char* name;
    LabelStock stock;
    double zoom;
};

class AnyStock : public testing::TestWithParam<StockCase> {
  protected:
    LayoutSettings layout = layoutFor(GetParam().stock);
    double z = GetParam().zoom;
    // The labels a full sheet fills on this stock.
    int labels = GetParam().stock.labelCount();
};

// The preview outlines every cell of the stock in grey, whatever the sheet.
TEST_P(AnyStock, PreviewOutlinesEveryCell) {
    const RecordingSurface s = preview(LabelSheet{}, layout, z);
    const std::vector<Mark> rects = ofKind(s.marks, "rect");
    ASSERT_EQ(rects.size(), static_cast<std::size_t>(layout.stock.labelCount()));
    for (int k = 1; k <= layout.stock.labelCount(); ++k) {
        EXPECT_TRUE(sameBox(rects[k - 1].page, cellBox(layout, k, z))) << "label " << k;
        EXPECT_EQ(rects[k - 1].color, kFrameColor);
        EXPECT_FALSE(rects[k - 1].clip) << "the outline is not cut at the cell's edge";
    }
    EXPECT_EQ(s.savedDepth(), 0u);
}

// Every call of a label is made in its own frame: the origin at its cell's
// corner, clipped to the cell; nothing of a label is drawn outside one.
TEST_P(AnyStock, EveryLabelIsDrawnInItsOwnClippedCell) {
    LayoutSettings dual = layout;
    dual.pricing.mode = PriceMode::BaseAndTaxIncluded;
    dual.borderOn = true;
    for (bool onPaper : {false, true}) {
        SCOPED_TRACE(onPaper ? "paper" : "preview");
        const double zoom = onPaper ? 1.0 : z;
        const RecordingSurface s =
            onPaper ? paper(fullSheet(sampleLabel(), layout.stock), dual)
                    : preview(fullSheet(sampleLabel(), layout.stock), dual, zoom);
        std::size_t inLabels = 0;
        for (int k = 1; k <= labels; ++k) {
            const std::vector<Mark> marks = labelMarks(s, dual, k, zoom);
            EXPECT_GE(marks.size(), 8u + 2 + 14) << "label " << k;  // texts, border, bars
            for (const Mark& m : marks)
                EXPECT_TRUE(sameBox(*m.clip, cellBox(dual, k, zoom))) << "label " << k;
            inLabels += marks.size();
        }
        const auto clipped = std::count_if(s.marks.begin(), s.marks.end(),
                                           [](const Mark& m) { return m.clip.has_value(); });
        EXPECT_EQ(static_cast<std::size_t>(clipped), inLabels) << "every clipped call is a label's";
        EXPECT_EQ(s.savedDepth(), 0u);
    }
}

// Each element stands at its template anchor plus its offset, measured from
// its own label's corner, in every label and at every zoom.
TEST_P(AnyStock, ElementsStandAtTheirAnchorsInEveryLabel) {
    // The template of the stock: on another stock, today's scaled to its labels.
    const ElementTemplate places = elementTemplateFor(layout.stock);
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    int step = 0;
    for (LabelElement e : kMovableElements) {
        layout.element(e).offsetX = static_cast<std::int16_t>(step % 5 - 2);
        layout.element(e).offsetY = static_cast<std::int16_t>(step % 3 - 1);
        ++step;
    }
    const RecordingSurface s = preview(fullSheet(sampleLabel(), layout.stock), layout, z);
    for (int k = 1; k <= labels; ++k) {
        const std::vector<Mark> marks = labelMarks(s, layout, k, z);
        for (const ElementText& t : kSampleTexts) {
            const Mark* m = textMark(marks, t.text);
            ASSERT_NE(m, nullptr) << "label " << k << " " << t.text;
            const PointMm anchor = places.place(t.element).anchor;
            const ElementStyle& style = layout.element(t.element);
            EXPECT_DOUBLE_EQ(m->local.x, (anchor.x + style.offsetX) * z) << t.text;
            EXPECT_DOUBLE_EQ(m->local.y, (anchor.y + style.offsetY) * z) << t.text;
        }
        // The stand-in bars: the template's, moved by the barcode's offset.
        const std::vector<Mark> bars = ofKind(marks, "fill");
        ASSERT_EQ(bars.size(), places.placeholderBars.size()) << "label " << k;
        const ElementStyle& barcode = layout.element(LabelElement::Barcode);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const PlaceholderBar& bar = places.placeholderBars[i];
            EXPECT_DOUBLE_EQ(bars[i].local.x,
                             (places.placeholder.x + bar.left + barcode.offsetX) * z);
            EXPECT_DOUBLE_EQ(bars[i].local.y, (places.placeholder.y + barcode.offsetY) * z);
            EXPECT_DOUBLE_EQ(bars[i].local.width, bar.width * z);
        }
    }
}

const StockCase kStocks[] = {
    {"Standard", kStandardStock, 1.0},
    {"StandardAtHalf", kStandardStock, 0.5},
    {"Gapped", gappedStock(), 1.0},
    {"GappedAtHalf", gappedStock(), 0.5},
};
INSTANTIATE_TEST_SUITE_P(Stocks, AnyStock, testing::ValuesIn(kStocks),
                         [](const testing::TestParamInfo<StockCase>& info) {
                             return std::string(info.param.name);
                         });

// On the standard stock, with the default pattern, every mark of ink a label
// makes lies inside its cell (only the white quiet zone of a printed barcode
// reaches past the edge, and is cut there).
TEST(StandardStock, InkOfTheDefaultPatternStaysInsideTheLabel) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    const RecordingSurface shown = preview(fullSheet(sampleLabel()), layout, 1.0);
    const RecordingSurface printed = paper(fullSheet(sampleLabel()), layout);
    for (const RecordingSurface* s : {&shown, &printed}) {
        for (const Mark& m : s->marks) {
            if (m.clip && m.color != kWhite) {
                EXPECT_TRUE(m.clip->contains(m.page)) << m.kind << " " << m.text;
            }
        }
    }
}

// The exact places of label 1 on the standard stock at the default origin
// (12, 7.8) mm, at full size: the one table that any change of the standard
// template would have to rewrite.
TEST(StandardStock, ExactPlacesOfTheFirstLabel) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    const Lines calls = preview(sheetWith(1, sampleLabel()), layout, 1.0).calls;
    const Lines expected = {
        "fill 15.00 9.80 85.00 2.00 #000000",   // border bars
        "fill 15.00 57.80 85.00 2.00 #000000",  //
        "fill 56.00 11.80 1.00 9.50 #000000",   // first and last stand-in bar
        "fill 94.00 11.80 2.00 9.50 #000000",
        "text 20.00 13.80 \"4901234567894\"",
        "text 16.00 31.80 \"           品名\"",
        "text 12.00 40.80 \"    198\"",
        "text 74.00 46.80 \"円\"",
        "text 20.00 24.80 \"メーカー\"",
        "text 20.00 43.80 \"規格\"",
        "text 20.00 47.80 \"ロット\"",
        "text 50.00 23.10 \"税込 217円\"",
        "text 74.00 41.80 \"本体\"",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(calls.begin(), calls.end(), line), calls.end()) << line;
    // Label 1's frame: its corner, then its clip, closed after its drawing.
    const RecordingSurface drawn = paper(sheetWith(1, sampleLabel()), layout);
    EXPECT_EQ(drawn.frameCalls,
              (Lines{"save", "translate 12.00 7.80", "clip 0.00 0.00 91.00 55.00", "restore"}));
    // On paper the bars are laid in 600 dpi pixels from (52, 12.8) mm.
    const Lines printed = paper(sheetWith(1, sampleLabel()), layout).callsStartingWith("fill ");
    EXPECT_EQ(printed.at(2), "fill 1228.00 302.00 11.00 237.00 #ffffff");
    EXPECT_EQ(printed.at(2 + 9), "fill 1327.00 302.00 11.00 237.00 #000000");
}

// The default pattern's fonts and colours, in the order the texts are drawn.
TEST(DrawSheet, DefaultFontsColoursAndDrawingOrder) {
    const RecordingSurface s = preview(sheetWith(1, sampleLabel()), initialLayoutSettings(), 1.0);
    Lines styled;
    for (const std::string& c : s.calls) {
        if (c.rfind("font ", 0) == 0 || c.rfind("color ", 0) == 0 || c.rfind("text ", 0) == 0)
            styled.push_back(c.rfind("text ", 0) == 0 ? "text " + c.substr(c.find('"')) : c);
    }
    EXPECT_EQ(styled, (Lines{"font ＭＳ 明朝 16.00 b0 i0 u0",
                             "color #000000",
                             "font ＭＳ 明朝 12.00 b0 i0 u0",
                             "color #000000",
                             "text \"4901234567894\"",
                             "font ＭＳ 明朝 18.00 b0 i0 u0",
                             "color #000000",
                             "text \"           品名\"",
                             "font ＭＳ 明朝 48.00 b0 i0 u0",
                             "color #ff0000",
                             "text \"    198\"",
                             "font ＭＳ 明朝 24.00 b0 i0 u0",
                             "color #ff0000",
                             "text \"円\"",
                             "font ＭＳ 明朝 10.00 b0 i0 u0",
                             "color #000000",
                             "text \"メーカー\"",
                             "font ＭＳ 明朝 10.00 b0 i0 u0",
                             "color #000000",
                             "text \"規格\"",
                             "font ＭＳ 明朝 10.00 b0 i0 u0",
                             "color #000000",
                             "text \"ロット\""}));
}

TEST(DrawSheet, LabelWithoutProductNameIsNotDrawnAtAll) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    LabelRecord r = sampleLabel();
    r.productName = "";
    const RecordingSurface s = preview(fullSheet(r), layout, 1.0);
    EXPECT_EQ(s.marks.size(), 10u) << "the frames only";
    EXPECT_TRUE(paper(fullSheet(r), layout).marks.empty());
}

// Each text sets its own font, underline and colour; only maker, product
// name, spec and lot can be underlined.
TEST(DrawSheet, FontsColoursAndUnderline) {
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Jan).font = {"ＭＳ ゴシック", 14, true, false};
    layout.element(LabelElement::Jan).color = 0x00FF00;
    layout.element(LabelElement::ProductName).font = {"ＭＳ Ｐ明朝", 20, false, true};
    layout.element(LabelElement::ProductName).color = 0x123456;
    layout.element(LabelElement::Price).font = {"Arial", 36, true, true};
    layout.element(LabelElement::Price).color = 0x800000;
    layout.element(LabelElement::Yen).color = 0x00FFFF;
    layout.element(LabelElement::Maker).font = {"ＭＳ ゴシック", 9, false, false};
    layout.element(LabelElement::Lot).font = {"ＭＳ 明朝", 8, false, true};
    layout.element(LabelElement::Lot).color = 1;
    for (LabelElement e : kUnderlinableElements)
        layout.element(e).underlined = true;
    const Lines calls = preview(sheetWith(1, sampleLabel()), layout, 0.5).calls;
    for (const char* line : {
             "font ＭＳ ゴシック 7.00 b1 i0 u0",
             "color #00ff00",
             "font ＭＳ Ｐ明朝 10.00 b0 i1 u1",
             "color #563412",
             "font Arial 18.00 b1 i1 u0",
             "color #000080",
             "color #ffff00",
             "font ＭＳ ゴシック 4.50 b0 i0 u1",
             "font ＭＳ 明朝 5.00 b0 i0 u1",
             "font ＭＳ 明朝 4.00 b0 i1 u1",
             "color #010000",
         }) {
        EXPECT_NE(std::find(calls.begin(), calls.end(), line), calls.end()) << line;
    }
}

TEST(DrawSheet, HiddenElementsAreLeftOut) {
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).visible = false;
    layout.element(LabelElement::Price).visible = false;
    layout.element(LabelElement::Spec).visible = captions::visibleFromCaption("表示");
    std::vector<std::string> texts;
    for (const Mark& m :
         labelMarks(preview(sheetWith(1, sampleLabel()), layout, 1.0), layout, 1, 1.0))
        texts.push_back(m.kind + " " + m.text);
    EXPECT_EQ(texts, (Lines{"text 4901234567894", "text            品名", "text 円",
                            "text メーカー", "text ロット"}));

    for (LabelElement e : kMovableElements)
        layout.element(e).visible = false;
    EXPECT_TRUE(
        labelMarks(preview(sheetWith(1, sampleLabel()), layout, 1.0), layout, 1, 1.0).empty());
}

// The border's bars come first and ignore every offset.
TEST(DrawSheet, BorderBarsComeFirstAndIgnoreOffsets) {
    const ElementTemplate& places = standardElementTemplate();
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.borderColor = 0x00FF00;
    for (LabelElement e : kMovableElements)
        layout.element(e).offsetX = layout.element(e).offsetY = 3;
    const std::vector<Mark> marks =
        labelMarks(preview(sheetWith(4, sampleLabel()), layout, 1.0), layout, 4, 1.0);
    ASSERT_GE(marks.size(), places.borderBars.size());
    for (std::size_t i = 0; i < places.borderBars.size(); ++i) {
        const RectMm& bar = places.borderBars[i];
        EXPECT_TRUE(sameBox(marks[i].local, Box{bar.x, bar.y, bar.width, bar.height}));
        EXPECT_EQ(marks[i].color, 0x00FF00);
    }
}

// Only a code of exactly 13 or 8 characters gets a barcode (in the preview
// the stand-in, whatever its check digit; its outline crossed in red for a
// code that will print none); the digits are drawn as typed, an 8-character
// code after four spaces.
TEST(DrawSheet, JanCodeLengths) {
    enum class Bars { Placeholder, Crossed, None };
    struct Case {
        const char* code;
        Bars bars;
        const char* digits;
    };
    const Case cases[] = {
        {"4901234567894", Bars::Placeholder, "4901234567894"},
        {"49123456", Bars::Placeholder, "    49123456"},
        {"490123456789", Bars::None, "490123456789"},
        {"4901234567890", Bars::Crossed, "4901234567890"},
        {"49012345678941", Bars::None, "49012345678941"},
        {"4912345", Bars::None, "4912345"},
        {"", Bars::None, ""},
        {"４９１２３４５６", Bars::Crossed, "    ４９１２３４５６"},
        {"ABCDEFGHIJKLM", Bars::Crossed, "ABCDEFGHIJKLM"},
    };
    const RectMm& stand = standardElementTemplate().placeholder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LabelRecord r = sampleLabel();
        r.janCode = c.code;
        const LayoutSettings layout = initialLayoutSettings();
        const std::vector<Mark> marks =
            labelMarks(preview(sheetWith(1, r), layout, 1.0), layout, 1, 1.0);
        EXPECT_EQ(ofKind(marks, "fill").size(), c.bars == Bars::Placeholder ? 14u : 0u);
        const std::vector<Mark> outline = ofKind(marks, "rect");
        EXPECT_EQ(outline.size(), c.bars == Bars::Crossed ? 1u : 0u);
        EXPECT_EQ(ofKind(marks, "line").size(), c.bars == Bars::Crossed ? 2u : 0u);
        if (!outline.empty()) {
            EXPECT_TRUE(
                sameBox(outline[0].local, Box{stand.x, stand.y, stand.width, stand.height}));
            EXPECT_EQ(outline[0].color, kRed);
        }
        EXPECT_NE(textMark(marks, c.digits), nullptr);
    }
}

// The text of an element as drawn in label 1 of a preview at 100 %, with the
// fit: "text" or "condensed <scale>".
std::string drawnText(const LabelRecord& r, const std::string& expectedText) {
    const LayoutSettings layout = initialLayoutSettings();
    const RecordingSurface s = preview(sheetWith(1, r), layout, 1.0);
    const std::vector<Mark> marks = labelMarks(s, layout, 1, 1.0);
    const Mark* m = textMark(marks, expectedText);
    return m == nullptr ? "(not drawn)" : m->kind;
}

// Names of 1 to 11 characters are centred in a field of 13 by leading blanks.
TEST(DrawSheet, ProductNameCentring) {
    const std::pair<const char*, const char*> cases[] = {
        {"あ", "            あ"},
        {"A", "            A"},
        {"ｶﾞﾑ", "          ｶﾞﾑ"},
        {"あいうえおかきくけこさ", "  あいうえおかきくけこさ"},
        {"あいうえおかきくけこさし", "あいうえおかきくけこさし"},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
    };
    for (const auto& [name, drawn] : cases) {
        LabelRecord r = sampleLabel();
        r.productName = name;
        EXPECT_EQ(drawnText(r, drawn), "text") << name;
    }
}

// Right-aligned in a field of seven; a longer price is drawn whole from the
// field's left edge instead of losing its leading characters.
TEST(DrawSheet, PriceField) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "     "},
        {"8", "     8"},
        {"98", "     98"},
        {"198", "    198"},
        {"1234567", "1234567"},
        {"12345678", "12345678"},
        {"1,234,567", "1,234,567"},
        // 48 pt: three blanks and four full-width characters are 93 mm, more
        // than the label's 91.
        {"￥１９８", "   ￥１９８"},
        {"オープン価格", " オープン価格"},
    };
    for (const auto& [price, drawn] : cases) {
        LabelRecord r = sampleLabel();
        r.price = price;
        EXPECT_NE(drawnText(r, drawn), "(not drawn)") << price;
    }
}

// A text that would end beyond its label's right edge is drawn narrower so
// that it ends there, down to half its width; beyond that it is cut at the
// edge. Texts that fit are drawn as they are. The scale is the same at 50 %
// and on any stock, measured against its own label's width.
TEST(DrawSheet, LongTextsAreCondensedToEndInsideTheirLabel) {
    struct Case {
        const char* name;
        const char* scale;  // "" for a text drawn as it is
    };
    // The product name at 18 pt (6.35 mm a full-width character) starts 4 mm
    // into the label, so 87 mm are left: 13 characters fit, 14 are condensed,
    // 28 and more would need less than half their width.
    const Case cases[] = {
        {"あいうえおかきくけこさしす", ""},
        {"あいうえおかきくけこさしすせ", "0.98"},
        {"あいうえおかきくけこさしすせそたちつてとなにぬね", "0.57"},
        {"あいうえおかきくけこさしすせそたちつてとなにぬねのはまみむめ", "0.50"},
    };
    const PointMm anchor = standardElementTemplate().place(LabelElement::ProductName).anchor;
    for (double z : {1.0, 0.5}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(z));
            LabelRecord r = sampleLabel();
            r.productName = c.name;
            const LayoutSettings layout = initialLayoutSettings();
            const RecordingSurface s = preview(sheetWith(1, r), layout, z);
            const std::vector<Mark> marks = labelMarks(s, layout, 1, z);
            const Mark* m = textMark(marks, c.name);
            ASSERT_NE(m, nullptr);
            EXPECT_EQ(m->kind, *c.scale == '\0' ? "text" : "condensed");
            EXPECT_DOUBLE_EQ(m->local.x, anchor.x * z);
            EXPECT_DOUBLE_EQ(m->local.y, anchor.y * z);
            EXPECT_LE(m->page.right(), m->clip->right() + 1e-9);
            // The condensed call names its scale and the label's right edge.
            const Lines condensed = s.callsStartingWith("condensed ");
            ASSERT_EQ(condensed.size(), *c.scale == '\0' ? 0u : 1u);
            if (!condensed.empty()) {
                const std::string right = RecordingSurface::number((12.0 + 91.0) * z);
                EXPECT_NE(condensed[0].find(std::string(" ") + c.scale + " " + right + " "),
                          std::string::npos)
                    << condensed[0];
            }
        }
    }
}

// ---- Printing -------------------------------------------------------------

TEST(DrawSheet, EmptySheetOnPaperDrawsNothing) {
    const RecordingSurface p = paper(LabelSheet{}, initialLayoutSettings());
    EXPECT_EQ(p.calls, (Lines{"font ＭＳ 明朝 16.00 b0 i0 u0", "color #000000", "unit mm"}));
}

// The real bars are laid in whole printer pixels from the barcode's box in
// the label, moved by its offset; the unit is millimetres again after them.
TEST(DrawSheet, PrintedBarcodeFollowsItsOffsetInEveryLabel) {
    const ElementPlace& box = standardElementTemplate().place(LabelElement::Barcode);
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).offsetX = 2;
    layout.element(LabelElement::Barcode).offsetY = -1;
    const RecordingSurface p = paper(fullSheet(sampleLabel()), layout);
    const double pixelsPerMm = 56.7 / 2.4;
    for (int k = 1; k <= kStandardStock.labelCount(); ++k) {
        const std::vector<Mark> modules = ofKind(labelMarks(p, layout, k, 1.0), "fill");
        ASSERT_EQ(modules.size(), 113u) << "label " << k;
        const Box cell = cellBox(layout, k, 1.0);
        const double left = std::floor((cell.x + box.anchor.x + 2) * pixelsPerMm);
        const double top = std::floor((cell.y + box.anchor.y - 1) * pixelsPerMm);
        for (std::size_t i = 0; i < modules.size(); ++i) {
            EXPECT_EQ(modules[i].unit, SurfaceUnit::Pixels);
            const double x = modules[i].local.x + cell.x * 1440.0 / 25.4 / 2.4;
            const double y = modules[i].local.y + cell.y * 1440.0 / 25.4 / 2.4;
            EXPECT_NEAR(x, left + 11.0 * static_cast<double>(i), 1e-6) << k << " " << i;
            EXPECT_NEAR(y, top, 1e-6) << k;
        }
    }
    // (145, 11.8) mm for label 2: 145 * 56.7 / 2.4 = 3425.6, 11.8 * 56.7 / 2.4 = 278.8.
    EXPECT_EQ(paper(sheetWith(2, sampleLabel()), layout).callsStartingWith("fill ").at(0),
              "fill 3425.00 278.00 11.00 237.00 #ffffff");
    EXPECT_EQ(p.currentUnit, SurfaceUnit::Millimetres);
}

TEST(DrawSheet, PrintWithoutBarcode) {
    struct Case {
        const char* code;
        bool barcodeVisible;
    };
    // A wrong check digit, an EAN-13 of letters, a hidden barcode.
    const Case cases[] = {
        {"4901234567890", true}, {"ABCDEFGHIJKLM", true}, {"4901234567894", false}};
    for (const Case& c : cases) {
        LayoutSettings layout = initialLayoutSettings();
        layout.element(LabelElement::Barcode).visible = c.barcodeVisible;
        LabelRecord r = sampleLabel();
        r.janCode = c.code;
        const std::vector<Mark> marks = labelMarks(paper(sheetWith(1, r), layout), layout, 1, 1.0);
        EXPECT_EQ(marks.size(), 7u) << c.code << ": the texts only";
        EXPECT_NE(textMark(marks, c.code), nullptr) << c.code;
    }
}

// A surface that fails (a broken printer page) stops the drawing after the
// label in hand, its frame closed.
TEST(DrawSheet, StopsWhenTheSurfaceFails) {
    LabelSheet sheet;
    sheet.label(1) = sampleLabel();
    sheet.label(2) = sampleLabel();
    const LayoutSettings layout = initialLayoutSettings();
    RecordingSurface surface;
    surface.failAfterCalls = preview(LabelSheet{}, layout, 0.5).calls.size() + 5;
    drawSheet(surface, sheet, layout, RenderOptions::preview(0.5));
    EXPECT_FALSE(labelMarks(surface, layout, 1, 0.5).empty());
    EXPECT_TRUE(labelMarks(surface, layout, 2, 0.5).empty());
    EXPECT_EQ(surface.savedDepth(), 0u);

    RecordingSurface printer;
    printer.failAfterCalls = 0;  // never opened
    drawSheet(printer, sheet, layout, RenderOptions::paper());
    EXPECT_TRUE(printer.marks.empty());
}

// ---- The start-up guide ---------------------------------------------------

// A numbered outline in every cell of the stock, from the layout's origin
// (here moved by +3, -2 mm), the number at the place of the stock's template.
TEST(DrawSheetGuide, NumberedOutlinesInEveryCell) {
    for (const LabelStock& stock : {kStandardStock, gappedStock()}) {
        const ElementTemplate places = elementTemplateFor(stock);
        LayoutSettings layout = layoutFor(stock);
        layout.originX += 3.0;
        layout.originY -= 2.0;
        RecordingSurface surface;
        drawSheetGuide(surface, layout, 0.5);
        EXPECT_EQ(surface.calls.at(1), "clear");
        const std::vector<Mark> rects = ofKind(surface.marks, "rect");
        const std::vector<Mark> numbers = ofKind(surface.marks, "text");
        ASSERT_EQ(rects.size(), static_cast<std::size_t>(stock.labelCount()));
        ASSERT_EQ(numbers.size(), rects.size());
        for (int k = 1; k <= stock.labelCount(); ++k) {
            const Mark& n = numbers[static_cast<std::size_t>(k - 1)];
            EXPECT_TRUE(
                sameBox(rects[static_cast<std::size_t>(k - 1)].page, cellBox(layout, k, 0.5)));
            EXPECT_EQ(n.text, (k < 10 ? " " : "") + std::to_string(k));
            EXPECT_DOUBLE_EQ(n.local.x, places.guideNumber.x * 0.5);
            EXPECT_DOUBLE_EQ(n.local.y, places.guideNumber.y * 0.5);
            EXPECT_EQ(n.color, kGuideColor);
        }
    }
    // At full size on the standard stock: label 1's number at (12 + 56, 7.8 + 16).
    RecordingSurface full;
    drawSheetGuide(full, initialLayoutSettings(), 1.0);
    EXPECT_NE(std::find(full.calls.begin(), full.calls.end(), "text 68.00 23.80 \" 1\""),
              full.calls.end());
    EXPECT_NE(std::find(full.calls.begin(), full.calls.end(), "font ＭＳ 明朝 10.00 b0 i0 u0"),
              full.calls.end());
}

}  // namespace

// ---- The tax line -----------------------------------------------------------

TEST(DrawSheet, TaxLineOfADualLabelAtEachRate) {
    struct Case {
        TaxRate rate;
        TaxRounding rounding;
        const char* price;
        const char* taxLine;  // "" when none is drawn
    };
    const Case cases[] = {
        {TaxRate::Standard, TaxRounding::Floor, "198", "税込 217円"},  // 217.8
        {TaxRate::Reduced, TaxRounding::Floor, "198", "税込 213円"},   // 213.84
        {TaxRate::Standard, TaxRounding::HalfUp, "198", "税込 218円"},
        {TaxRate::Reduced, TaxRounding::Ceiling, "198", "税込 214円"},
        {TaxRate::Standard, TaxRounding::Floor, "1,980", "税込 2,178円"},
        {TaxRate::Reduced, TaxRounding::Floor, "￥９８０", "税込 1,058円"},
        {TaxRate::Exempt, TaxRounding::Floor, "980", "税込 980円"},
        {TaxRate::Standard, TaxRounding::Floor, "時価", ""},
        {TaxRate::Standard, TaxRounding::Floor, "", ""},
    };
    LayoutSettings layout = initialLayoutSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        layout.pricing = {PriceMode::BaseAndTaxIncluded, c.rounding};
        LabelRecord label = sampleLabel();
        label.price = c.price;
        label.taxRate = c.rate;
        const std::vector<Mark> marks =
            labelMarks(preview(sheetWith(1, label), layout, 1.0), layout, 1, 1.0);
        // The tax line comes after the label's other texts, in red, and the
        // big price's caption "本体" with it.
        std::vector<Mark> texts;
        std::copy_if(marks.begin(), marks.end(), std::back_inserter(texts),
                     [](const Mark& m) { return m.kind == "text" || m.kind == "condensed"; });
        ASSERT_EQ(texts.size(), *c.taxLine != '\0' ? 9u : 7u);
        if (*c.taxLine != '\0') {
            EXPECT_EQ(texts[7].text, c.taxLine);
            EXPECT_EQ(texts[7].color, kRed);
            EXPECT_EQ(texts[8].text, "本体");
        }
    }

    // Only a sheet showing both prices has a tax line.
    layout.pricing = PricePattern{};
    EXPECT_EQ(ofKind(labelMarks(preview(sheetWith(1, sampleLabel()), layout, 1.0), layout, 1, 1.0),
                     "text")
                  .size(),
              7u);
}

TEST(DrawSheet, TaxLineMovesHidesAndPrints) {
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    ElementStyle& taxLine = layout.element(LabelElement::TaxLine);
    taxLine.offsetX = -3;
    taxLine.offsetY = 2;
    taxLine.font = ElementFont{"ＭＳ ゴシック", 20, true, false};
    taxLine.color = 0x123456;
    LabelRecord label = sampleLabel();
    label.taxRate = TaxRate::Reduced;
    // On paper, label 2 (its cell at 103, 7.8 mm) at full size.
    const Lines printed = paper(sheetWith(2, label), layout).calls;
    const auto drawn =
        std::find(printed.begin(), printed.end(), "text 138.00 25.10 \"税込 213円\"");
    ASSERT_NE(drawn, printed.end());
    EXPECT_EQ(Lines(drawn - 2, drawn + 1),
              (Lines{"font ＭＳ ゴシック 20.00 b1 i0 u0", "color #563412",
                     "text 138.00 25.10 \"税込 213円\""}));
    const Lines half = preview(sheetWith(2, label), layout, 0.5).callsStartingWith("text ");
    EXPECT_NE(std::find(half.begin(), half.end(), "text 69.00 12.55 \"税込 213円\""), half.end());
    taxLine.visible = false;
    EXPECT_TRUE(preview(sheetWith(2, label), layout, 1.0).callsStartingWith("text 138.00").empty());
}
