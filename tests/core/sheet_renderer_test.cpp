#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/TaxPrice.h"
#include "model/ToggleCaptions.h"
#include "render/SheetRenderer.h"
#include "support/RecordingSurface.h"

namespace {

using Lines = std::vector<std::string>;

// What every preview at 100 % starts with: the sheet font, black, millimetres,
// a cleared picture and the ten grey label frames at the default origin.
const Lines kPreviewStartAt100 = {
    "font ＭＳ 明朝 16.00 b0 i0 u0",
    "color #000000",
    "unit mm",
    "clear",
    "transparent",
    "rect 12.00 7.80 91.00 55.00 #808080",
    "rect 103.00 7.80 91.00 55.00 #808080",
    "rect 12.00 62.80 91.00 55.00 #808080",
    "rect 103.00 62.80 91.00 55.00 #808080",
    "rect 12.00 117.80 91.00 55.00 #808080",
    "rect 103.00 117.80 91.00 55.00 #808080",
    "rect 12.00 172.80 91.00 55.00 #808080",
    "rect 103.00 172.80 91.00 55.00 #808080",
    "rect 12.00 227.80 91.00 55.00 #808080",
    "rect 103.00 227.80 91.00 55.00 #808080",
};

const Lines kPreviewStartAt50 = {
    "font ＭＳ 明朝 16.00 b0 i0 u0",
    "color #000000",
    "unit mm",
    "clear",
    "transparent",
    "rect 6.00 3.90 45.50 27.50 #808080",
    "rect 51.50 3.90 45.50 27.50 #808080",
    "rect 6.00 31.40 45.50 27.50 #808080",
    "rect 51.50 31.40 45.50 27.50 #808080",
    "rect 6.00 58.90 45.50 27.50 #808080",
    "rect 51.50 58.90 45.50 27.50 #808080",
    "rect 6.00 86.40 45.50 27.50 #808080",
    "rect 51.50 86.40 45.50 27.50 #808080",
    "rect 6.00 113.90 45.50 27.50 #808080",
    "rect 51.50 113.90 45.50 27.50 #808080",
};

// Label 1 of the default pattern at 100 %: the placeholder bars, then the
// texts in drawing order.
const Lines kDefaultLabel1 = {
    "fill 56.00 11.80 1.00 9.50 #000000",
    "fill 58.00 11.80 2.00 9.50 #000000",
    "fill 61.00 11.80 3.00 9.50 #000000",
    "fill 65.00 11.80 1.00 9.50 #000000",
    "fill 67.00 11.80 2.00 9.50 #000000",
    "fill 70.00 11.80 3.00 9.50 #000000",
    "fill 74.00 11.80 1.00 9.50 #000000",
    "fill 76.00 11.80 2.00 9.50 #000000",
    "fill 79.00 11.80 2.00 9.50 #000000",
    "fill 83.00 11.80 1.00 9.50 #000000",
    "fill 85.00 11.80 2.00 9.50 #000000",
    "fill 88.00 11.80 2.00 9.50 #000000",
    "fill 92.00 11.80 1.00 9.50 #000000",
    "fill 94.00 11.80 2.00 9.50 #000000",
    "font ＭＳ 明朝 12.00 b0 i0 u0",
    "color #000000",
    "text 20.00 13.80 \"4901234567894\"",
    "font ＭＳ 明朝 18.00 b0 i0 u0",
    "color #000000",
    "text 16.00 31.80 \"           品名\"",
    "font ＭＳ 明朝 48.00 b0 i0 u0",
    "color #ff0000",
    "text 12.00 40.80 \"    198\"",
    "font ＭＳ 明朝 24.00 b0 i0 u0",
    "color #ff0000",
    "text 74.00 46.80 \"円\"",
    "font ＭＳ 明朝 10.00 b0 i0 u0",
    "color #000000",
    "text 20.00 24.80 \"メーカー\"",
    "font ＭＳ 明朝 10.00 b0 i0 u0",
    "color #000000",
    "text 20.00 43.80 \"規格\"",
    "font ＭＳ 明朝 10.00 b0 i0 u0",
    "color #000000",
    "text 20.00 47.80 \"ロット\"",
};

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

Lines concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines drawPreview(const LabelSheet& sheet, const LayoutSettings& layout, double zoom = 1.0) {
    RecordingSurface surface;
    drawSheet(surface, sheet, layout, RenderOptions::preview(zoom));
    return surface.calls;
}

// The calls drawing the labels of a preview at 100 %, after the frames.
Lines labelCallsAt100(const LabelSheet& sheet, const LayoutSettings& layout) {
    Lines calls = drawPreview(sheet, layout);
    EXPECT_EQ(Lines(calls.begin(), calls.begin() + 15), kPreviewStartAt100);
    return Lines(calls.begin() + 15, calls.end());
}

// The line of a label's text drawn at anchor (x, y), or "" when there is none.
std::string textAt(const Lines& calls, const std::string& anchor) {
    for (const std::string& c : calls) {
        if (c.rfind("text " + anchor + " ", 0) == 0 || c.rfind("condensed " + anchor + " ", 0) == 0)
            return c;
    }
    return "";
}

TEST(DrawSheet, EmptySheetShowsTheTenFrames) {
    EXPECT_EQ(drawPreview(LabelSheet{}, initialLayoutSettings()), kPreviewStartAt100);
    EXPECT_EQ(drawPreview(LabelSheet{}, initialLayoutSettings(), 0.5), kPreviewStartAt50);
}

TEST(DrawSheet, DefaultPattern) {
    EXPECT_EQ(drawPreview(sheetWith(1, sampleLabel()), initialLayoutSettings()),
              concat(kPreviewStartAt100, kDefaultLabel1));
}

TEST(DrawSheet, LabelWithOnlyAProductName) {
    LabelRecord r;
    r.productName = "品名";
    EXPECT_EQ(labelCallsAt100(sheetWith(1, r), initialLayoutSettings()),
              (Lines{
                  "font ＭＳ 明朝 12.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 13.80 \"\"",
                  "font ＭＳ 明朝 18.00 b0 i0 u0",
                  "color #000000",
                  "text 16.00 31.80 \"           品名\"",
                  "font ＭＳ 明朝 48.00 b0 i0 u0",
                  "color #ff0000",
                  "text 12.00 40.80 \"     \"",
                  "font ＭＳ 明朝 24.00 b0 i0 u0",
                  "color #ff0000",
                  "text 74.00 46.80 \"円\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 24.80 \"\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 43.80 \"\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 47.80 \"\"",
              }));
}

TEST(DrawSheet, LabelWithoutProductNameIsNotDrawnAtAll) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    LabelRecord r = sampleLabel();
    r.productName = "";
    LabelSheet sheet;
    for (int k = 1; k <= 10; ++k)
        sheet.label(k) = r;
    EXPECT_EQ(drawPreview(sheet, layout), kPreviewStartAt100);
}

TEST(DrawSheet, EachLabelStandsInItsCell) {
    struct Case {
        int number;
        const char* productNameLine;
    };
    const Case cases[] = {
        {1, "text 16.00 31.80 \"            札\""},  {2, "text 107.00 31.80 \"            札\""},
        {3, "text 16.00 86.80 \"            札\""},  {4, "text 107.00 86.80 \"            札\""},
        {5, "text 16.00 141.80 \"            札\""}, {6, "text 107.00 141.80 \"            札\""},
        {7, "text 16.00 196.80 \"            札\""}, {8, "text 107.00 196.80 \"            札\""},
        {9, "text 16.00 251.80 \"            札\""}, {10, "text 107.00 251.80 \"            札\""},
    };
    for (const Case& c : cases) {
        LabelRecord r;
        r.productName = "札";
        const Lines calls = labelCallsAt100(sheetWith(c.number, r), initialLayoutSettings());
        ASSERT_EQ(calls.size(), 21u) << c.number;
        EXPECT_EQ(calls[5], c.productNameLine) << c.number;
    }
}

// Every element moved by its own offset; the border and the frames stay put.
TEST(DrawSheet, EveryOffsetMovesItsElementOnly) {
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Jan).offsetX = 1;
    layout.element(LabelElement::Jan).offsetY = 2;
    layout.element(LabelElement::Barcode).offsetX = 3;
    layout.element(LabelElement::Barcode).offsetY = -1;
    layout.element(LabelElement::Maker).offsetX = -2;
    layout.element(LabelElement::Maker).offsetY = 4;
    layout.element(LabelElement::ProductName).offsetX = 5;
    layout.element(LabelElement::ProductName).offsetY = -3;
    layout.element(LabelElement::Spec).offsetX = 2;
    layout.element(LabelElement::Spec).offsetY = 2;
    layout.element(LabelElement::Lot).offsetX = -1;
    layout.element(LabelElement::Lot).offsetY = -1;
    layout.element(LabelElement::Price).offsetX = 6;
    layout.element(LabelElement::Price).offsetY = 1;
    layout.element(LabelElement::Yen).offsetX = -4;
    layout.element(LabelElement::Yen).offsetY = 3;
    layout.borderOn = true;
    layout.borderColor = 0xFF0000;  // blue
    // Label 4: right column, second row, cell at (103, 62.8).
    EXPECT_EQ(labelCallsAt100(sheetWith(4, sampleLabel()), layout),
              (Lines{
                  "fill 106.00 64.80 85.00 2.00 #0000ff",
                  "fill 106.00 112.80 85.00 2.00 #0000ff",
                  "fill 150.00 65.80 1.00 9.50 #000000",
                  "fill 152.00 65.80 2.00 9.50 #000000",
                  "fill 155.00 65.80 3.00 9.50 #000000",
                  "fill 159.00 65.80 1.00 9.50 #000000",
                  "fill 161.00 65.80 2.00 9.50 #000000",
                  "fill 164.00 65.80 3.00 9.50 #000000",
                  "fill 168.00 65.80 1.00 9.50 #000000",
                  "fill 170.00 65.80 2.00 9.50 #000000",
                  "fill 173.00 65.80 2.00 9.50 #000000",
                  "fill 177.00 65.80 1.00 9.50 #000000",
                  "fill 179.00 65.80 2.00 9.50 #000000",
                  "fill 182.00 65.80 2.00 9.50 #000000",
                  "fill 186.00 65.80 1.00 9.50 #000000",
                  "fill 188.00 65.80 2.00 9.50 #000000",
                  "font ＭＳ 明朝 12.00 b0 i0 u0",
                  "color #000000",
                  "text 112.00 70.80 \"4901234567894\"",
                  "font ＭＳ 明朝 18.00 b0 i0 u0",
                  "color #000000",
                  "text 112.00 83.80 \"           品名\"",
                  "font ＭＳ 明朝 48.00 b0 i0 u0",
                  "color #ff0000",
                  "text 109.00 96.80 \"    198\"",
                  "font ＭＳ 明朝 24.00 b0 i0 u0",
                  "color #ff0000",
                  "text 161.00 104.80 \"円\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 109.00 83.80 \"メーカー\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 113.00 100.80 \"規格\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 110.00 101.80 \"ロット\"",
              }));
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
    layout.element(LabelElement::Maker).color = 0x808080;
    layout.element(LabelElement::Spec).font = {"ＭＳ 明朝", 11, true, false};
    layout.element(LabelElement::Spec).color = 0xFFFFFF;
    layout.element(LabelElement::Lot).font = {"ＭＳ 明朝", 8, false, true};
    layout.element(LabelElement::Lot).color = 1;
    for (LabelElement e : kUnderlinableElements)
        layout.element(e).underlined = true;
    LabelRecord r = sampleLabel();
    r.janCode = "";
    EXPECT_EQ(labelCallsAt100(sheetWith(1, r), layout), (Lines{
                                                            "font ＭＳ ゴシック 14.00 b1 i0 u0",
                                                            "color #00ff00",
                                                            "text 20.00 13.80 \"\"",
                                                            "font ＭＳ Ｐ明朝 20.00 b0 i1 u1",
                                                            "color #563412",
                                                            "text 16.00 31.80 \"           品名\"",
                                                            "font Arial 36.00 b1 i1 u0",
                                                            "color #000080",
                                                            "text 12.00 40.80 \"    198\"",
                                                            "font ＭＳ 明朝 24.00 b0 i0 u0",
                                                            "color #ffff00",
                                                            "text 74.00 46.80 \"円\"",
                                                            "font ＭＳ ゴシック 9.00 b0 i0 u1",
                                                            "color #808080",
                                                            "text 20.00 24.80 \"メーカー\"",
                                                            "font ＭＳ 明朝 11.00 b1 i0 u1",
                                                            "color #ffffff",
                                                            "text 20.00 43.80 \"規格\"",
                                                            "font ＭＳ 明朝 8.00 b0 i1 u1",
                                                            "color #010000",
                                                            "text 20.00 47.80 \"ロット\"",
                                                        }));
}

TEST(DrawSheet, HiddenElementsAreLeftOut) {
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).visible = false;
    layout.element(LabelElement::Price).visible = false;
    layout.element(LabelElement::Spec).visible = captions::visibleFromCaption("表示");
    EXPECT_EQ(labelCallsAt100(sheetWith(1, sampleLabel()), layout),
              (Lines{
                  "font ＭＳ 明朝 12.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 13.80 \"4901234567894\"",
                  "font ＭＳ 明朝 18.00 b0 i0 u0",
                  "color #000000",
                  "text 16.00 31.80 \"           品名\"",
                  "font ＭＳ 明朝 24.00 b0 i0 u0",
                  "color #ff0000",
                  "text 74.00 46.80 \"円\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 24.80 \"メーカー\"",
                  "font ＭＳ 明朝 10.00 b0 i0 u0",
                  "color #000000",
                  "text 20.00 47.80 \"ロット\"",
              }));

    for (LabelElement e : kMovableElements)
        layout.element(e).visible = false;
    EXPECT_EQ(labelCallsAt100(sheetWith(1, sampleLabel()), layout), Lines{});
}

TEST(DrawSheet, BorderBarsComeFirstAndIgnoreOffsets) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.borderColor = 0x00FF00;
    const Lines calls = labelCallsAt100(sheetWith(1, sampleLabel()), layout);
    EXPECT_EQ(calls,
              concat({"fill 15.00 9.80 85.00 2.00 #00ff00", "fill 15.00 57.80 85.00 2.00 #00ff00"},
                     kDefaultLabel1));
}

// At 50 % every position, size and font size is halved, the origin included.
TEST(DrawSheet, HalfZoom) {
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.borderColor = 0x0000FF;
    EXPECT_EQ(drawPreview(sheetWith(2, sampleLabel()), layout, 0.5),
              concat(kPreviewStartAt50, {
                                            "fill 53.00 4.90 42.50 1.00 #ff0000",
                                            "fill 53.00 28.90 42.50 1.00 #ff0000",
                                            "fill 73.50 5.90 0.50 4.75 #000000",
                                            "fill 74.50 5.90 1.00 4.75 #000000",
                                            "fill 76.00 5.90 1.50 4.75 #000000",
                                            "fill 78.00 5.90 0.50 4.75 #000000",
                                            "fill 79.00 5.90 1.00 4.75 #000000",
                                            "fill 80.50 5.90 1.50 4.75 #000000",
                                            "fill 82.50 5.90 0.50 4.75 #000000",
                                            "fill 83.50 5.90 1.00 4.75 #000000",
                                            "fill 85.00 5.90 1.00 4.75 #000000",
                                            "fill 87.00 5.90 0.50 4.75 #000000",
                                            "fill 88.00 5.90 1.00 4.75 #000000",
                                            "fill 89.50 5.90 1.00 4.75 #000000",
                                            "fill 91.50 5.90 0.50 4.75 #000000",
                                            "fill 92.50 5.90 1.00 4.75 #000000",
                                            "font ＭＳ 明朝 6.00 b0 i0 u0",
                                            "color #000000",
                                            "text 55.50 6.90 \"4901234567894\"",
                                            "font ＭＳ 明朝 9.00 b0 i0 u0",
                                            "color #000000",
                                            "text 53.50 15.90 \"           品名\"",
                                            "font ＭＳ 明朝 24.00 b0 i0 u0",
                                            "color #ff0000",
                                            "text 51.50 20.40 \"    198\"",
                                            "font ＭＳ 明朝 12.00 b0 i0 u0",
                                            "color #ff0000",
                                            "text 82.50 23.40 \"円\"",
                                            "font ＭＳ 明朝 5.00 b0 i0 u0",
                                            "color #000000",
                                            "text 55.50 12.40 \"メーカー\"",
                                            "font ＭＳ 明朝 5.00 b0 i0 u0",
                                            "color #000000",
                                            "text 55.50 21.90 \"規格\"",
                                            "font ＭＳ 明朝 5.00 b0 i0 u0",
                                            "color #000000",
                                            "text 55.50 23.90 \"ロット\"",
                                        }));
}

// Only a code of exactly 13 or 8 characters gets a barcode (in the preview
// the placeholder, whatever its check digit); the digits are drawn as typed,
// an 8-character code after four spaces.
TEST(DrawSheet, JanCodeLengths) {
    // What stands where the barcode goes: the placeholder for a code that
    // prints a barcode, its outline crossed in red for a 13- or 8-character
    // code that prints none, nothing for any other length.
    enum class Bars { Placeholder, Crossed, None };
    struct Case {
        const char* code;
        Bars bars;
        const char* digitsLine;
    };
    const Case cases[] = {
        {"4901234567894", Bars::Placeholder, "text 20.00 13.80 \"4901234567894\""},
        {"49123456", Bars::Placeholder, "text 20.00 13.80 \"    49123456\""},
        {"490123456789", Bars::None, "text 20.00 13.80 \"490123456789\""},
        {"4901234567890", Bars::Crossed, "text 20.00 13.80 \"4901234567890\""},
        {"49012345678941", Bars::None, "text 20.00 13.80 \"49012345678941\""},
        {"4912345", Bars::None, "text 20.00 13.80 \"4912345\""},
        {"", Bars::None, "text 20.00 13.80 \"\""},
        {"４９１２３４５６", Bars::Crossed, "text 20.00 13.80 \"    ４９１２３４５６\""},
        {"ABCDEFGHIJKLM", Bars::Crossed, "text 20.00 13.80 \"ABCDEFGHIJKLM\""},
    };
    const Lines crossed = {
        "rect 56.00 11.80 40.00 9.50 #ff0000",
        "line 56.00 11.80 96.00 21.30 #ff0000",
        "line 56.00 21.30 96.00 11.80 #ff0000",
    };
    for (const Case& c : cases) {
        LabelRecord r = sampleLabel();
        r.janCode = c.code;
        const Lines calls = labelCallsAt100(sheetWith(1, r), initialLayoutSettings());
        Lines expected;
        if (c.bars == Bars::Placeholder)
            expected.assign(kDefaultLabel1.begin(), kDefaultLabel1.begin() + 14);
        if (c.bars == Bars::Crossed)
            expected = crossed;
        expected.push_back("font ＭＳ 明朝 12.00 b0 i0 u0");
        expected.push_back("color #000000");
        expected.push_back(c.digitsLine);
        ASSERT_GE(calls.size(), expected.size()) << c.code;
        EXPECT_EQ(Lines(calls.begin(), calls.begin() + static_cast<long>(expected.size())),
                  expected)
            << c.code;
        EXPECT_EQ(calls.size(), expected.size() + 18) << c.code;  // the other six texts
    }
}

// Names of 1 to 11 characters are centred in a field of 13 by leading blanks.
TEST(DrawSheet, ProductNameCentring) {
    struct Case {
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {"あ", "text 16.00 31.80 \"            あ\""},
        {"A", "text 16.00 31.80 \"            A\""},
        {"ｶﾞﾑ", "text 16.00 31.80 \"          ｶﾞﾑ\""},
        {"あいうえおかきくけこさ", "text 16.00 31.80 \"  あいうえおかきくけこさ\""},
        {"あいうえおかきくけこさし", "text 16.00 31.80 \"あいうえおかきくけこさし\""},
        {"ABCDEFGHIJKLMNOPQRST", "text 16.00 31.80 \"ABCDEFGHIJKLMNOPQRST\""},
    };
    for (const Case& c : cases) {
        LabelRecord r = sampleLabel();
        r.productName = c.name;
        const Lines calls = labelCallsAt100(sheetWith(1, r), initialLayoutSettings());
        EXPECT_EQ(textAt(calls, "16.00 31.80"), c.line) << c.name;
    }
}

// A text that would end beyond its label's right edge is drawn narrower so
// that it ends there, down to half its width; beyond that it is clipped at the
// edge. Texts that fit are drawn as before. At 50 % the scale is the same.
TEST(DrawSheet, LongTextsAreCondensedToEndInsideTheirLabel) {
    struct Case {
        const char* name;
        double zoom;
        const char* line;
    };
    // The product name at 18 pt (6.35 mm a full-width character) starts 4 mm
    // into the label, so 87 mm are left: 13 characters fit, 14 are condensed,
    // 28 and more would need less than half their width.
    const Case cases[] = {
        {"あいうえおかきくけこさしす", 1.0, "text 16.00 31.80 \"あいうえおかきくけこさしす\""},
        {"あいうえおかきくけこさしすせ", 1.0,
         "condensed 16.00 31.80 0.98 103.00 \"あいうえおかきくけこさしすせ\""},
        {"あいうえおかきくけこさしすせそたちつてとなにぬね", 1.0,
         "condensed 16.00 31.80 0.57 103.00 \"あいうえおかきくけこさしすせそたちつてとなにぬね\""},
        {"あいうえおかきくけこさしすせそたちつてとなにぬねのはまみむめ", 1.0,
         "condensed 16.00 31.80 0.50 103.00 "
         "\"あいうえおかきくけこさしすせそたちつてとなにぬねのはまみむめ\""},
        {"あいうえおかきくけこさしすせ", 0.5,
         "condensed 8.00 15.90 0.98 51.50 \"あいうえおかきくけこさしすせ\""},
    };
    for (const Case& c : cases) {
        LabelRecord r = sampleLabel();
        r.productName = c.name;
        const Lines calls = c.zoom == 1.0
                                ? labelCallsAt100(sheetWith(1, r), initialLayoutSettings())
                                : drawPreview(sheetWith(1, r), initialLayoutSettings(), 0.5);
        const std::string anchor = c.zoom == 1.0 ? "16.00 31.80" : "8.00 15.90";
        EXPECT_EQ(textAt(calls, anchor), c.line) << c.name;
    }
}

// Right-aligned in a field of seven; a longer price is drawn whole from the
// field's left edge instead of losing its leading characters.
TEST(DrawSheet, PriceField) {
    struct Case {
        const char* price;
        const char* line;
    };
    const Case cases[] = {
        {"", "text 12.00 40.80 \"     \""},
        {"8", "text 12.00 40.80 \"     8\""},
        {"98", "text 12.00 40.80 \"     98\""},
        {"198", "text 12.00 40.80 \"    198\""},
        {"1234567", "text 12.00 40.80 \"1234567\""},
        {"12345678", "text 12.00 40.80 \"12345678\""},
        {"1,234,567", "text 12.00 40.80 \"1,234,567\""},
        // 48 pt: three blanks and four full-width characters are 93 mm, more
        // than the label's 91.
        {"￥１９８", "condensed 12.00 40.80 0.98 103.00 \"   ￥１９８\""},
        {"オープン価格", "condensed 12.00 40.80 0.83 103.00 \" オープン価格\""},
    };
    for (const Case& c : cases) {
        LabelRecord r = sampleLabel();
        r.price = c.price;
        const Lines calls = labelCallsAt100(sheetWith(1, r), initialLayoutSettings());
        EXPECT_EQ(textAt(calls, "12.00 40.80"), c.line) << c.price;
    }
}

// ---- Printing -------------------------------------------------------------

struct Printed {
    Lines calls;
};

Printed print(const LabelSheet& sheet, const LayoutSettings& layout) {
    RecordingSurface printer;
    printer.twipsX = 2.4;  // 600 dpi
    printer.twipsY = 2.4;
    printer.currentUnit = SurfaceUnit::Millimetres;
    drawSheet(printer, sheet, layout, RenderOptions::paper());
    return {printer.calls};
}

const Lines kPrintStart = {"font ＭＳ 明朝 16.00 b0 i0 u0", "color #000000", "unit mm"};

// The printed page: no clearing, no frames, the real bars in whole pixels,
// everything at full size.
TEST(DrawSheet, PrintAtFullSizeWithRealBarcode) {
    const Printed p = print(sheetWith(1, sampleLabel()), initialLayoutSettings());
    ASSERT_EQ(p.calls.size(), 3u + 115 + 21);
    EXPECT_EQ(Lines(p.calls.begin(), p.calls.begin() + 3), kPrintStart);
    EXPECT_EQ(p.calls[3], "unit px");
    // (52, 12.8)-(107, 22.8) mm at 600 dpi: from pixel (1228, 302), 11 a module.
    EXPECT_EQ(p.calls[4], "fill 1228.00 302.00 11.00 237.00 #ffffff");
    EXPECT_EQ(p.calls[4 + 9], "fill 1327.00 302.00 11.00 237.00 #000000");
    EXPECT_EQ(p.calls[4 + 112], "fill 2460.00 302.00 11.00 237.00 #ffffff");
    EXPECT_EQ(p.calls[117], "unit mm");
    EXPECT_EQ(Lines(p.calls.begin() + 118, p.calls.end()),
              Lines(kDefaultLabel1.begin() + 14, kDefaultLabel1.end()));
}

TEST(DrawSheet, EmptySheetOnPaperDrawsNothing) {
    const Printed p = print(LabelSheet{}, initialLayoutSettings());
    EXPECT_EQ(p.calls, kPrintStart);
}

TEST(DrawSheet, PrintedBarcodeFollowsItsOffset) {
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).offsetX = 2;
    layout.element(LabelElement::Barcode).offsetY = -1;
    const Printed p = print(sheetWith(2, sampleLabel()), layout);
    // (145, 11.8) mm: 145 * 56.7 / 2.4 = 3425.6, 11.8 * 56.7 / 2.4 = 278.8.
    ASSERT_GT(p.calls.size(), 4u);
    EXPECT_EQ(p.calls[4], "fill 3425.00 278.00 11.00 237.00 #ffffff");
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
        if (!c.barcodeVisible)
            layout.element(LabelElement::Barcode).visible = false;
        LabelRecord r = sampleLabel();
        r.janCode = c.code;
        const Printed p = print(sheetWith(1, r), layout);
        ASSERT_EQ(p.calls.size(), 3u + 21) << c.code;
        EXPECT_EQ(p.calls[5], std::string("text 20.00 13.80 \"") + c.code + "\"");
    }
}

// A surface that fails (a broken printer page) stops the drawing after the
// label in hand.
TEST(DrawSheet, StopsWhenTheSurfaceFails) {
    LabelSheet sheet;
    sheet.label(1) = sampleLabel();
    sheet.label(2) = sampleLabel();
    sheet.label(3) = sampleLabel();
    RecordingSurface surface;
    surface.failAfterCalls = 16;  // fails while label 1 is drawn
    drawSheet(surface, sheet, initialLayoutSettings(), RenderOptions::preview(0.5));
    EXPECT_EQ(surface.calls.size(), 15u + kDefaultLabel1.size());

    RecordingSurface printer;
    printer.failAfterCalls = 0;  // never opened
    drawSheet(printer, sheet, initialLayoutSettings(), RenderOptions::paper());
    EXPECT_EQ(printer.calls, kPrintStart);
}

// ---- The start-up guide ---------------------------------------------------

// Drawn where the layout's origin is (here moved by +3, -2 mm); the guide
// leaves the origin alone.
TEST(DrawSheetGuide, NumberedFramesAtTheLayoutOrigin) {
    LayoutSettings layout = initialLayoutSettings();
    layout.originX = 15.0;
    layout.originY = 5.8;
    RecordingSurface surface;
    drawSheetGuide(surface, layout, 0.5);
    const std::string font = "font ＭＳ 明朝 5.00 b0 i0 u0";
    const std::string colour = "color #d4d0c8";
    EXPECT_EQ(surface.calls, (Lines{
                                 "unit mm",
                                 "clear",
                                 "rect 7.50 2.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 35.50 10.90 \" 1\"",
                                 "rect 53.00 2.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 81.00 10.90 \" 2\"",
                                 "rect 7.50 30.40 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 35.50 38.40 \" 3\"",
                                 "rect 53.00 30.40 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 81.00 38.40 \" 4\"",
                                 "rect 7.50 57.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 35.50 65.90 \" 5\"",
                                 "rect 53.00 57.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 81.00 65.90 \" 6\"",
                                 "rect 7.50 85.40 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 35.50 93.40 \" 7\"",
                                 "rect 53.00 85.40 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 81.00 93.40 \" 8\"",
                                 "rect 7.50 112.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 35.50 120.90 \" 9\"",
                                 "rect 53.00 112.90 45.50 27.50 #d4d0c8",
                                 font,
                                 colour,
                                 "text 81.00 120.90 \"10\"",
                             }));
}

TEST(DrawSheetGuide, FullSizeAtTheDefaultOrigin) {
    RecordingSurface surface;
    drawSheetGuide(surface, initialLayoutSettings(), 1.0);
    ASSERT_EQ(surface.calls.size(), 42u);
    EXPECT_EQ(surface.calls[2], "rect 12.00 7.80 91.00 55.00 #d4d0c8");
    EXPECT_EQ(surface.calls[3], "font ＭＳ 明朝 10.00 b0 i0 u0");
    EXPECT_EQ(surface.calls[5], "text 68.00 23.80 \" 1\"");
    EXPECT_EQ(surface.calls[41], "text 159.00 243.80 \"10\"");
}

}  // namespace

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
        const Lines calls = labelCallsAt100(sheetWith(1, label), layout);
        // The label as before, then the tax line last, right of the maker.
        Lines expected(kDefaultLabel1.begin(), kDefaultLabel1.end());
        expected[22] = textAt(calls, "12.00 40.80");
        if (*c.taxLine != '\0') {
            expected.insert(expected.end(),
                            {"font ＭＳ 明朝 16.00 b0 i0 u0", "color #ff0000",
                             "text 54.00 24.80 \"" + std::string(c.taxLine) + "\""});
        }
        EXPECT_EQ(calls, expected);
    }

    // Only a sheet showing both prices has a tax line.
    layout.pricing = PricePattern{};
    EXPECT_EQ(labelCallsAt100(sheetWith(1, sampleLabel()), layout), kDefaultLabel1);
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
    const Printed p = print(sheetWith(2, label), layout);
    // On paper, label 2 (its cell at 103, 7.8 mm) at full size.
    EXPECT_EQ(Lines(p.calls.end() - 3, p.calls.end()),
              (Lines{"font ＭＳ ゴシック 20.00 b1 i0 u0", "color #563412",
                     "text 142.00 26.80 \"税込 213円\""}));
    const Lines half = drawPreview(sheetWith(2, label), layout, 0.5);
    EXPECT_EQ(half.back(), "text 71.00 13.40 \"税込 213円\"");
    taxLine.visible = false;
    EXPECT_EQ(textAt(drawPreview(sheetWith(2, label), layout), "142.00 26.80"), "");
}
