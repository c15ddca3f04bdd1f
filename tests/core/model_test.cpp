#include <gtest/gtest.h>

#include <string>

#include "model/LabelElement.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/ToggleCaptions.h"
#include "model/Utf8Text.h"

namespace {

// ---- The sheet ------------------------------------------------------------

TEST(LabelSheet, PlacesTenLabelsInTwoColumnsOfFiveRows) {
    struct Case {
        int number, column, row;
        double x, y;  // cell origin at the default sheet origin
    };
    const Case cases[] = {
        {1, 0, 0, 12.0, 7.8},     {2, 1, 0, 103.0, 7.8},   {3, 0, 1, 12.0, 62.8},
        {4, 1, 1, 103.0, 62.8},   {5, 0, 2, 12.0, 117.8},  {6, 1, 2, 103.0, 117.8},
        {7, 0, 3, 12.0, 172.8},   {8, 1, 3, 103.0, 172.8}, {9, 0, 4, 12.0, 227.8},
        {10, 1, 4, 103.0, 227.8},
    };
    const LabelStock& stock = kStandardStock;
    EXPECT_EQ(stock.labelCount(), 10);
    for (const Case& c : cases) {
        EXPECT_EQ(stock.column(c.number), c.column) << c.number;
        EXPECT_EQ(stock.row(c.number), c.row) << c.number;
        const PointMm cell = stock.cellOrigin(c.number, stock.firstLabel);
        EXPECT_DOUBLE_EQ(cell.x, c.x) << c.number;
        EXPECT_DOUBLE_EQ(cell.y, c.y) << c.number;
    }
    const PointMm moved = stock.cellOrigin(10, {9.0, -2.2});
    EXPECT_DOUBLE_EQ(moved.x, 100.0);
    EXPECT_DOUBLE_EQ(moved.y, 217.8);
}

// Stocks made up for the test: the grid, the count and the cells follow the
// stock's own figures, gaps between labels included.
TEST(LabelStock, CellsFollowTheGridAndThePitch) {
    LabelStock gaps;  // three columns of four, with gaps between the labels
    gaps.labelWidthMm = 60.0;
    gaps.labelHeightMm = 40.0;
    gaps.columns = 3;
    gaps.rows = 4;
    gaps.pitchXMm = 64.0;
    gaps.pitchYMm = 45.0;
    gaps.firstLabel = {8.0, 10.0};
    LabelStock single;  // one label on the page
    single.columns = 1;
    single.rows = 1;
    LabelStock column;  // one column of eight
    column.columns = 1;
    column.rows = 8;
    column.pitchYMm = 36.0;
    const struct {
        const char* name;
        const LabelStock& stock;
        int count;
        int number, column, row;
        double x, y;  // the cell of `number` from the stock's first label
    } cases[] = {
        {"gaps first", gaps, 12, 1, 0, 0, 8.0, 10.0},
        {"gaps end of row", gaps, 12, 3, 2, 0, 136.0, 10.0},
        {"gaps next row", gaps, 12, 4, 0, 1, 8.0, 55.0},
        {"gaps last", gaps, 12, 12, 2, 3, 136.0, 145.0},
        {"single", single, 1, 1, 0, 0, 12.0, 7.8},
        {"column second", column, 8, 2, 0, 1, 12.0, 43.8},
        {"column last", column, 8, 8, 0, 7, 12.0, 259.8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.stock.labelCount(), c.count);
        EXPECT_EQ(c.stock.column(c.number), c.column);
        EXPECT_EQ(c.stock.row(c.number), c.row);
        const PointMm cell = c.stock.cellOrigin(c.number, c.stock.firstLabel);
        EXPECT_DOUBLE_EQ(cell.x, c.x);
        EXPECT_DOUBLE_EQ(cell.y, c.y);
        // The last label of every stock is in its last column and row.
        EXPECT_EQ(c.stock.column(c.count), c.stock.columns - 1);
        EXPECT_EQ(c.stock.row(c.count), c.stock.rows - 1);
    }
}

TEST(LabelSheet, HoldsTheLabelsOfItsStock) {
    LabelStock twelve;
    twelve.columns = 3;
    twelve.rows = 4;
    const struct {
        const char* name;
        LabelSheet sheet;
        int count;
    } cases[] = {
        {"standard", LabelSheet(), kStandardStock.labelCount()},
        {"twelve", LabelSheet(twelve), 12},
        {"by count", LabelSheet(3), 3},
        {"none", LabelSheet(-1), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.sheet.labelCount(), c.count);
        LabelSheet sheet = c.sheet;
        if (c.count > 0) {
            sheet.label(c.count).productName = "last";
            EXPECT_NE(sheet, c.sheet);
        }
        sheet.clear();  // empties, keeps the size
        EXPECT_EQ(sheet, c.sheet);
    }
    EXPECT_NE(LabelSheet(twelve), LabelSheet());  // sizes differ: not the same sheet
}

LabelRecord filledRecord(int n) {
    const std::string s = std::to_string(n);
    return {"490" + s, "メーカー" + s, "品名" + s, "規格" + s, "ロット" + s, "1" + s};
}

TEST(LabelSheet, FieldsInFileOrder) {
    LabelRecord r = filledRecord(3);
    const char* expected[] = {"4903", "メーカー3", "品名3", "規格3", "ロット3", "13"};
    for (std::size_t i = 0; i < kLabelFields.size(); ++i)
        EXPECT_EQ(r.field(kLabelFields[i]), expected[i]);
    r.field(LabelField::Price) = "980";
    EXPECT_EQ(r.price, "980");
    EXPECT_FALSE(r.isEmpty());
    EXPECT_TRUE(LabelRecord{}.isEmpty());
    LabelRecord onlyLot;
    onlyLot.lot = "x";
    EXPECT_FALSE(onlyLot.isEmpty());
}

TEST(LabelSheet, NewSheetIsEmpty) {
    const LabelSheet sheet;
    for (int k = 1; k <= sheet.labelCount(); ++k) {
        for (LabelField f : kLabelFields)
            EXPECT_EQ(sheet.label(k).field(f), "");
    }
}

TEST(LabelSheet, LabelsAreIndependent) {
    LabelSheet sheet;
    sheet.label(1).maker = "a";
    sheet.label(10).maker = "b";
    EXPECT_EQ(sheet.label(1).maker, "a");
    EXPECT_EQ(sheet.label(10).maker, "b");
    for (int k = 2; k <= 9; ++k)
        EXPECT_TRUE(sheet.label(k).isEmpty()) << k;
}

// ---- The print pattern ----------------------------------------------------

void expectDefaultPattern(const LayoutSettings& s) {
    struct FontCase {
        LabelElement element;
        int size;
        Color color;
    };
    const FontCase fonts[] = {
        {LabelElement::Jan, 12, kBlack},
        {LabelElement::Maker, 10, kBlack},
        {LabelElement::ProductName, 18, kBlack},
        {LabelElement::Spec, 10, kBlack},
        {LabelElement::Lot, 10, kBlack},
        {LabelElement::Price, 48, 255},
        {LabelElement::Yen, 24, 255},
    };
    for (const FontCase& f : fonts) {
        EXPECT_EQ(s.element(f.element).font,
                  (ElementFont{"ＭＳ 明朝", static_cast<std::int16_t>(f.size), false, false}))
            << static_cast<int>(f.element);
        EXPECT_EQ(s.element(f.element).color, f.color) << static_cast<int>(f.element);
    }
    for (LabelElement e : kMovableElements) {
        EXPECT_EQ(s.element(e).offsetX, 0) << static_cast<int>(e);
        EXPECT_EQ(s.element(e).offsetY, 0) << static_cast<int>(e);
    }
    EXPECT_DOUBLE_EQ(s.originX, 12.0);
    EXPECT_DOUBLE_EQ(s.originY, 7.8);
    EXPECT_EQ(s.xAdjustText, "0");
    EXPECT_EQ(s.yAdjustText, "0");
    EXPECT_STREQ(captions::forBorder(s.borderOn), "カラーで縁取りする");
    EXPECT_FALSE(s.borderOn);
}

TEST(LayoutSettings, NewWindowShowsEverythingWithoutUnderlineOrBorder) {
    const LayoutSettings s = initialLayoutSettings();
    expectDefaultPattern(s);
    for (LabelElement e : kMovableElements) {
        EXPECT_STREQ(captions::forVisible(s.isVisible(e)), "表示しない") << static_cast<int>(e);
        EXPECT_TRUE(s.isVisible(e)) << static_cast<int>(e);
    }
    for (LabelElement e : kUnderlinableElements) {
        EXPECT_STREQ(captions::forUnderlined(s.isUnderlined(e)), "アンダーライン有")
            << static_cast<int>(e);
        EXPECT_FALSE(s.isUnderlined(e)) << static_cast<int>(e);
    }
    EXPECT_EQ(s.borderColor, 0);
    EXPECT_TRUE(s.isVisible(LabelElement::Jan) && s.isVisible(LabelElement::Barcode) &&
                s.isVisible(LabelElement::Maker) && s.isVisible(LabelElement::ProductName) &&
                s.isVisible(LabelElement::Spec) && s.isVisible(LabelElement::Lot) &&
                s.isVisible(LabelElement::Price) && s.isVisible(LabelElement::Yen));
    EXPECT_FALSE(s.isUnderlined(LabelElement::Maker) || s.isUnderlined(LabelElement::ProductName) ||
                 s.isUnderlined(LabelElement::Spec) || s.isUnderlined(LabelElement::Lot));
}

TEST(LayoutSettings, CaptionTests) {
    struct Case {
        const char* caption;
        bool visible;     // as a visibility caption
        bool underlined;  // as an underline caption
        bool border;      // as the border caption
    };
    const Case cases[] = {
        {"表示しない", true, true, false},
        {"表示する", false, true, false},
        {"アンダーライン有", false, false, false},
        {"アンダーライン無", false, true, false},
        {"縁取りしない", false, true, true},
        {"カラーで縁取りする", false, true, false},
        {"", false, true, false},
        {"表示しない ", false, true, false},  // a hand-edited caption with a blank
        {"#TRUE#", false, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(captions::visibleFromCaption(c.caption), c.visible) << c.caption;
        EXPECT_EQ(captions::underlinedFromCaption(c.caption), c.underlined) << c.caption;
        EXPECT_EQ(captions::borderFromCaption(c.caption), c.border) << c.caption;
    }
}

TEST(LayoutSettings, OnlyFourElementsCanBeUnderlined) {
    LayoutSettings s = initialLayoutSettings();
    for (LabelElement e : kUnderlinableElements)
        s.element(e).underlined = true;
    for (LabelElement e : {LabelElement::Jan, LabelElement::Price, LabelElement::Yen,
                           LabelElement::Barcode, LabelElement::Border})
        EXPECT_FALSE(s.isUnderlined(e)) << static_cast<int>(e);
    EXPECT_TRUE(s.isUnderlined(LabelElement::Maker) && s.isUnderlined(LabelElement::ProductName) &&
                s.isUnderlined(LabelElement::Spec) && s.isUnderlined(LabelElement::Lot));
}

TEST(LayoutSettings, EachStateReadsItsOwnCaption) {
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Spec).visible = false;
    s.element(LabelElement::Lot).underlined = true;
    for (LabelElement e : kMovableElements)
        EXPECT_EQ(s.isVisible(e), e != LabelElement::Spec) << static_cast<int>(e);
    for (LabelElement e : kUnderlinableElements)
        EXPECT_EQ(s.isUnderlined(e), e == LabelElement::Lot) << static_cast<int>(e);
}

TEST(LayoutSettings, ApplyDefaultLayoutKeepsVisibilityUnderlineAndBorderColour) {
    LayoutSettings s = initialLayoutSettings();
    for (LabelElement e : kTextElements) {
        s.element(e).font = ElementFont{"ＭＳ ゴシック", 30, true, true};
        s.element(e).color = 0x123456;
    }
    for (LabelElement e : kMovableElements) {
        s.element(e).offsetX = 7;
        s.element(e).offsetY = -3;
    }
    s.originX = 20.0;
    s.originY = -0.2;
    s.xAdjustText = "8";
    s.yAdjustText = "-8";
    s.borderOn = true;
    s.borderColor = 0xFF0000;
    s.element(LabelElement::Maker).visible = false;
    s.element(LabelElement::Barcode).visible = false;
    s.element(LabelElement::Spec).underlined = true;

    applyDefaultLayout(s);

    expectDefaultPattern(s);
    EXPECT_EQ(s.borderColor, 0xFF0000);
    EXPECT_STREQ(captions::forVisible(s.isVisible(LabelElement::Maker)), "表示する");
    EXPECT_STREQ(captions::forVisible(s.isVisible(LabelElement::Barcode)), "表示する");
    EXPECT_STREQ(captions::forVisible(s.isVisible(LabelElement::Jan)), "表示しない");
    EXPECT_STREQ(captions::forUnderlined(s.isUnderlined(LabelElement::Spec)), "アンダーライン無");
    EXPECT_STREQ(captions::forUnderlined(s.isUnderlined(LabelElement::Maker)), "アンダーライン有");
}

TEST(LayoutSettings, AdjustTextsMoveTheOriginFromItsDefault) {
    struct Case {
        const char* x;
        const char* y;
        double originX, originY;
        const char* xAfter;
        const char* yAfter;
    };
    const Case cases[] = {
        {"0", "0", 12.0, 7.8, "0", "0"},
        {"3", "-2", 15.0, 5.8, "3", "-2"},
        {"10", "-10", 22.0, -2.2, "10", "-10"},
        {"-10", "10", 2.0, 17.8, "-10", "10"},
        {"+4", "-0", 16.0, 7.8, "+4", "-0"},
        {"11", "-11", 12.0, 7.8, "0", "0"},   // outside the range of the commands
        {"2.5", "abc", 12.0, 7.8, "0", "0"},  // not whole numbers
        {"", " 3", 12.0, 7.8, "0", "0"},
        {"5", "x", 17.0, 7.8, "5", "0"},  // each axis on its own
        {"99999999999", "3", 12.0, 10.8, "0", "3"},
    };
    for (const Case& c : cases) {
        LayoutSettings s = initialLayoutSettings();
        s.originX = 50.0;  // wherever the origin was, it starts from the default
        s.originY = 50.0;
        s.xAdjustText = c.x;
        s.yAdjustText = c.y;
        applyAdjustTextsToOrigin(s);
        EXPECT_DOUBLE_EQ(s.originX, c.originX) << c.x;
        EXPECT_DOUBLE_EQ(s.originY, c.originY) << c.y;
        EXPECT_EQ(s.xAdjustText, c.xAfter) << c.x;
        EXPECT_EQ(s.yAdjustText, c.yAfter) << c.y;
    }
}

// ---- Characters -----------------------------------------------------------

TEST(Utf8Text, CountsCodePoints) {
    EXPECT_EQ(utf8::length(""), 0u);
    EXPECT_EQ(utf8::length("198"), 3u);
    EXPECT_EQ(utf8::length("棚札"), 2u);
    EXPECT_EQ(utf8::length("ｶﾞ①髙"), 4u);              // half-width kana, NEC and IBM characters
    EXPECT_EQ(utf8::length("a\xF0\x9F\x98\x80"), 2u);  // a character outside the BMP
    EXPECT_EQ(utf8::length("\xFF"
                           "a\xE6"),
              3u);  // stray bytes count one each
}

TEST(Utf8Text, LeftAndRightTakeWholeCharacters) {
    EXPECT_EQ(utf8::right("     ￥１９８", 7), "   ￥１９８");
    EXPECT_EQ(utf8::right("     1,234,567", 7), "234,567");
    EXPECT_EQ(utf8::right("円", 7), "円");
    EXPECT_EQ(utf8::right("abc", 0), "");
    EXPECT_EQ(utf8::left("品名等の文字", 2), "品名");
    EXPECT_EQ(utf8::left("ab", 5), "ab");
    EXPECT_EQ(utf8::left("ab", 0), "");
}

TEST(Utf8Text, RoundTripsThroughCodePoints) {
    const std::string text = "ＭＳ 明朝 ㈱ ～ \xF0\x9F\x98\x80";
    EXPECT_EQ(utf8::fromUtf32(utf8::toUtf32(text)), text);
    EXPECT_EQ(utf8::toUtf32("明"), std::u32string(U"明"));
    EXPECT_EQ(utf8::toUtf32("a\xFF"), std::u32string(U"a\uFFFD"));
    EXPECT_EQ(utf8::toUtf32("\xE6\x98"), std::u32string(U"\uFFFD"));  // cut short: one subpart
}

// The boundaries of well-formed UTF-8 (Unicode's Table 3-7) and the bytes a
// code page 932 text puts where UTF-8 is looked for.
TEST(Utf8Text, TellsWellFormedFromMalformed) {
    struct Case {
        const char* bytes;
        bool valid;
        const char* what;
    };
    const Case cases[] = {
        {"", true, "empty"},
        {"\x7F", true, "last one-byte"},
        {"\xC2\x80", true, "first two-byte"},
        {"\xDF\xBF", true, "last two-byte"},
        {"\xE0\xA0\x80", true, "first three-byte"},
        {"\xED\x9F\xBF", true, "last before the surrogates"},
        {"\xEE\x80\x80", true, "first after the surrogates"},
        {"\xEF\xBF\xBD", true, "U+FFFD itself"},
        {"\xF0\x90\x80\x80", true, "first four-byte"},
        {"\xF4\x8F\xBF\xBF", true, "U+10FFFF"},
        {"メーカー", true, "Japanese"},
        {"\xC0\x80", false, "overlong NUL"},
        {"\xC1\xBF", false, "overlong two-byte"},
        {"\xE0\x83\xBC", false, "overlong three-byte"},
        {"\xE0\x9F\xBF", false, "overlong three-byte, last"},
        {"\xF0\x8F\xBF\xBF", false, "overlong four-byte"},
        {"\xED\xA0\x80", false, "high surrogate"},
        {"\xED\xBF\xBF", false, "low surrogate"},
        {"\xF4\x90\x80\x80", false, "U+110000"},
        {"\xF5\x80\x80\x80", false, "lead F5"},
        {"\xFF", false, "byte FF"},
        {"\x80", false, "lone continuation"},
        {"\xE3\x81", false, "three-byte cut short"},
        {"\xF0\x9F\x98", false, "four-byte cut short"},
        {"\xE3\x81\x82\xE3", false, "cut short after a character"},
        {"\xE0\x84\x81\x69\xE2\xA1\x81\x6A", false, "焙（筍） in code page 932"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8::isValid(c.bytes), c.valid) << c.what;
}

// Each maximal subpart of a malformed sequence becomes one U+FFFD, and the
// byte after it is read afresh: Unicode's Tables 3-8 to 3-11.
TEST(Utf8Text, ReplacesEachMaximalSubpart) {
    struct Case {
        const char* bytes;
        std::u32string decoded;
    };
    const std::u32string r = U"\uFFFD";
    const Case cases[] = {
        {"\xC0\xAF\xE0\x80\xBF\xF0\x81\x82\x41", r + r + r + r + r + r + r + r + U"A"},
        {"\xED\xA0\x80\xED\xBF\xBF\xED\xAF\x41", r + r + r + r + r + r + r + r + U"A"},
        {"\xF4\x91\x92\x93\xFF\x41\x80\xBF\x42", r + r + r + r + r + U"A" + r + r + U"B"},
        {"\xE1\x80\xE2\xF0\x91\x92\xF1\xBF\x41", r + r + r + r + U"A"},
        {"\xE3\x81\xE3\x81\x82", r + U"あ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8::toUtf32(c.bytes), c.decoded) << c.bytes;
        EXPECT_EQ(utf8::length(c.bytes), c.decoded.size()) << c.bytes;
    }
}

}  // namespace
