#include <gtest/gtest.h>

#include <string>

#include "files/Cp932.h"
#include "files/LayoutBlock.h"
#include "model/ToggleCaptions.h"

namespace {

// The default block as text, one line per entry, without line ends.
const char* const kDefaultLines[] = {
    "\"印字位置調整\",\"0\",\"0\",0,0,0,0,0,0,0",
    "\"縁取り\",\"カラーで縁取りする\",0,0,0,0,0,0,0,0",
    "\"jan\",\"ＭＳ 明朝\",12,#FALSE#,#FALSE#,0,\"表示しない\",0,0,0",
    "\"BARCODE\",0,0,0,0,0,0,0,0,0",
    "\"メーカー\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0",
    "\"品名\",\"ＭＳ 明朝\",18,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0",
    "\"規格\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0",
    "\"ロット\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"アンダーライン有\",0,0",
    "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0",
    "\"円\",\"ＭＳ 明朝\",24,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0",
};

// The default block with line `index` (0-based) replaced, as CP932 bytes.
std::string blockWith(int index = -1, const std::string& replacement = "") {
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += (i == index ? replacement : kDefaultLines[i]) + "\r\n";
    return cp932::encode(text).value();
}

int readBlock(const std::string& bytes, LayoutSettings& s) {
    CsvFieldReader reader(bytes);
    return readLayoutBlock(reader, s);
}

// Every stored value differs from the default.
LayoutSettings changedLayout() {
    LayoutSettings s = initialLayoutSettings();
    s.xAdjustText = "3";
    s.yAdjustText = "-2";
    s.borderOn = true;
    s.borderColor = 16711680;
    const char* names[] = {"ＭＳ ゴシック", "ＭＳ Ｐ明朝", "①㈱髙～－", "a,b", "",
                           " x ",           "ｱｲｳ",         "z"};
    static_assert(std::size(names) == kTextElements.size());
    int i = 0;
    for (LabelElement e : kTextElements) {
        s.element(e).font =
            ElementFont{names[i], static_cast<std::int16_t>(20 + i), i % 2 == 0, i % 3 == 0};
        s.element(e).color = 1000 * (i + 1) + 3000;  // colours within 0..0xFFFFFF
        s.element(e).visible = false;
        ++i;
    }
    s.element(LabelElement::Lot).font.name = "Lot font";  // a face name is never empty
    for (LabelElement e : kUnderlinableElements)
        s.element(e).underlined = true;
    i = 0;
    for (LabelElement e : kMovableElements) {
        s.element(e).offsetX = static_cast<std::int16_t>(-i - 1);
        s.element(e).offsetY = static_cast<std::int16_t>(i * 7 + 1);
        ++i;
    }
    s.element(LabelElement::Yen).offsetX = -32768;
    s.element(LabelElement::Yen).offsetY = 32767;
    // The tax line is stored in the lines after the block, not in it.
    s.element(LabelElement::TaxLine) = initialLayoutSettings().element(LabelElement::TaxLine);
    // So is the QR code's.
    s.element(LabelElement::Qr) = initialLayoutSettings().element(LabelElement::Qr);
    return s;
}

TEST(LayoutBlock, WritesTheDefaultBlock) {
    CsvLineWriter w;
    ASSERT_TRUE(writeLayoutBlock(w, initialLayoutSettings()).ok());
    std::string expected;
    for (const char* line : kDefaultLines)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(w.result(), expected);
}

TEST(LayoutBlock, WritesTheValuesAtTheirPositions) {
    CsvLineWriter w;
    ASSERT_TRUE(writeLayoutBlock(w, changedLayout()).ok());
    EXPECT_EQ(
        w.result(),
        "\"印字位置調整\",\"3\",\"-2\",0,0,0,0,0,0,0\r\n"
        "\"縁取り\",\"縁取りしない\",16711680,0,0,0,0,0,0,0\r\n"
        "\"jan\",\"ＭＳ ゴシック\",20,#TRUE#,#TRUE#,4000,\"表示する\",0,-1,1\r\n"
        "\"BARCODE\",0,0,0,0,0,0,0,-2,8\r\n"
        "\"メーカー\",\"ＭＳ Ｐ明朝\",21,#FALSE#,#FALSE#,5000,\"表示する\","
        "\"アンダーライン無\",-3,15\r\n"
        "\"品名\",\"①㈱髙～－\",22,#TRUE#,#FALSE#,6000,\"表示する\",\"アンダーライン無\",-4,22\r\n"
        "\"規格\",\"a,b\",23,#FALSE#,#TRUE#,7000,\"表示する\",\"アンダーライン無\",-5,29\r\n"
        "\"ロット\",\"Lot font\",24,#TRUE#,#FALSE#,8000,\"表示する\",\"アンダーライン無\",-6,36\r\n"
        "\"売価\",\" x \",25,#FALSE#,#FALSE#,9000,\"表示する\",0,-7,43\r\n"
        "\"円\",\"ｱｲｳ\",26,#TRUE#,#TRUE#,10000,\"表示する\",0,-32768,32767\r\n");
}

TEST(LayoutBlock, ReadsBackEveryStoredValueAndLeavesTheOrigin) {
    const LayoutSettings written = changedLayout();
    CsvLineWriter w;
    ASSERT_TRUE(writeLayoutBlock(w, written).ok());
    const std::string bytes = cp932::encode(w.result()).value();

    LayoutSettings read = initialLayoutSettings();
    read.originX = 1.5;
    read.originY = -2.5;
    read.element(LabelElement::Barcode).visible = false;
    EXPECT_EQ(readBlock(bytes, read), 100);

    LayoutSettings expected = written;
    expected.originX = 1.5;  // neither the origin nor the barcode's visibility is stored
    expected.originY = -2.5;
    expected.element(LabelElement::Barcode).visible = false;
    EXPECT_EQ(read, expected);
}

// Each on/off state against the caption its line stores: read as the state,
// written as the caption, for every element with a toggle in the block.
TEST(LayoutBlock, CaptionsAndStatesBothWays) {
    struct Case {
        int line;   // 0-based line of the block
        int field;  // 0-based field of the line
        const char* caption;
        bool on;
        bool (*state)(const LayoutSettings&);
    };
    const auto border = [](const LayoutSettings& s) { return s.borderOn; };
    const auto janShown = [](const LayoutSettings& s) { return s.isVisible(LabelElement::Jan); };
    const auto lotShown = [](const LayoutSettings& s) { return s.isVisible(LabelElement::Lot); };
    const auto yenShown = [](const LayoutSettings& s) { return s.isVisible(LabelElement::Yen); };
    const auto makerLine = [](const LayoutSettings& s) {
        return s.isUnderlined(LabelElement::Maker);
    };
    const auto lotLine = [](const LayoutSettings& s) { return s.isUnderlined(LabelElement::Lot); };
    const Case cases[] = {
        {1, 1, "縁取りしない", true, border},        {1, 1, "カラーで縁取りする", false, border},
        {2, 6, "表示しない", true, janShown},        {2, 6, "表示する", false, janShown},
        {7, 6, "表示しない", true, lotShown},        {7, 6, "表示する", false, lotShown},
        {9, 6, "表示しない", true, yenShown},        {9, 6, "表示する", false, yenShown},
        {4, 7, "アンダーライン無", true, makerLine}, {4, 7, "アンダーライン有", false, makerLine},
        {7, 7, "アンダーライン無", true, lotLine},   {7, 7, "アンダーライン有", false, lotLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(kDefaultLines[c.line]) + " / " + c.caption);
        // The default line with the field replaced by the caption.
        std::string line = kDefaultLines[c.line];
        std::size_t start = 0;
        for (int i = 0; i < c.field; ++i)
            start = line.find(',', start) + 1;
        const std::size_t end = line.find(',', start);
        line.replace(start, end - start, std::string("\"") + c.caption + "\"");

        LayoutSettings read = initialLayoutSettings();
        read.borderOn = !c.on;  // every state starts the other way round
        for (LabelElement e : kMovableElements)
            read.element(e).visible = !c.on;
        for (LabelElement e : kUnderlinableElements)
            read.element(e).underlined = !c.on;
        ASSERT_EQ(readBlock(blockWith(c.line, line), read), 100);
        EXPECT_EQ(c.state(read), c.on);

        CsvLineWriter w;
        ASSERT_TRUE(writeLayoutBlock(w, read).ok());
        std::string written = w.result();
        for (int i = 0; i < c.line; ++i)
            written.erase(0, written.find("\r\n") + 2);
        EXPECT_EQ(written.substr(0, written.find("\r\n")), line);
    }
}

TEST(LayoutBlock, RefusesTextsTheFileCannotHold) {
    struct Case {
        const char* name;
        void (*change)(LayoutSettings&);
        ResultCode code;
        const char* settingName;
        const char* detail;
    };
    const Case cases[] = {
        {"quote in a face name",
         [](LayoutSettings& s) { s.element(LabelElement::ProductName).font.name = "Font \"X\""; },
         ResultCode::QuoteInText, "品名 フォント名", "Font \"X\""},
        {"quote in an adjustment text", [](LayoutSettings& s) { s.yAdjustText = "\""; },
         ResultCode::QuoteInText, "y座標調整", "\""},
        {"unreadable byte in the yen face",
         [](LayoutSettings& s) { s.element(LabelElement::Yen).font.name = "\uFFFD"; },
         ResultCode::NotEncodable, "円 フォント名", "\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutSettings s = initialLayoutSettings();
        c.change(s);
        CsvLineWriter w;
        w.text("before");
        const Result r = writeLayoutBlock(w, s);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.settingName, c.settingName);
        EXPECT_EQ(r.detail, c.detail);
        EXPECT_EQ(r.labelNumber, 0);
        EXPECT_EQ(w.result(), "\"before\"");  // nothing appended
    }
}

TEST(LayoutBlock, AnExtraFieldShiftsEveryLaterValue) {
    // One field too many at the end of the price line: the yen line is read one
    // position late.
    LayoutSettings s = initialLayoutSettings();
    EXPECT_EQ(readBlock(blockWith(8,
                                  "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,255,\"表示しない\","
                                  "0,0,0,0"),
                        s),
              100);
    EXPECT_EQ(s.element(LabelElement::Price).font.size, 48);
    EXPECT_EQ(s.element(LabelElement::Yen).font.name, "円");  // the key lands on the face name
    EXPECT_EQ(s.element(LabelElement::Yen).font.size, 24);    // "ＭＳ 明朝" is no size: kept
    EXPECT_TRUE(s.element(LabelElement::Yen).font.bold);      // 24
    EXPECT_FALSE(s.element(LabelElement::Yen).font.italic);   // #FALSE#
    EXPECT_EQ(s.element(LabelElement::Yen).color, 255);       // #FALSE# is no colour: kept
    EXPECT_FALSE(s.isVisible(LabelElement::Yen));
    EXPECT_EQ(s.element(LabelElement::Yen).offsetX, 0);
    EXPECT_EQ(s.element(LabelElement::Yen).offsetY, 0);
}

TEST(LayoutBlock, LinesAppliedByPositionNotByKey) {
    // The maker and product name lines swapped: each applies to the line it stands at.
    std::string text;
    for (int i = 0; i < 10; ++i) {
        if (i == 4) {
            text +=
                "\"品名\",\"Product\",30,#TRUE#,#FALSE#,7,\"表示しない\",\"アンダーライン有\",1,"
                "2\r\n";
        } else if (i == 5) {
            text +=
                "\"メーカー\",\"Maker\",8,#FALSE#,#TRUE#,9,\"表示する\",\"アンダーライン無\",3,"
                "4\r\n";
        } else {
            text += std::string(kDefaultLines[i]) + "\r\n";
        }
    }
    LayoutSettings s = initialLayoutSettings();
    readBlock(cp932::encode(text).value(), s);
    EXPECT_EQ(s.element(LabelElement::Maker).font, (ElementFont{"Product", 30, true, false}));
    EXPECT_EQ(s.element(LabelElement::Maker).color, 7);
    EXPECT_EQ(s.element(LabelElement::Maker).offsetX, 1);
    EXPECT_TRUE(s.isVisible(LabelElement::Maker));
    EXPECT_EQ(s.element(LabelElement::ProductName).font, (ElementFont{"Maker", 8, false, true}));
    EXPECT_EQ(s.element(LabelElement::ProductName).color, 9);
    EXPECT_EQ(s.element(LabelElement::ProductName).offsetY, 4);
    EXPECT_FALSE(s.isVisible(LabelElement::ProductName));
    EXPECT_TRUE(s.isUnderlined(LabelElement::ProductName));
}

TEST(LayoutBlock, HandEditedCaptionsReadAsTheirStatesAndAreWrittenAsShown) {
    LayoutSettings s = initialLayoutSettings();
    const std::string bytes =
        cp932::encode(
            "\"印字位置調整\",\"0\",\"0\",0,0,0,0,0,0,0\r\n"
            "\"縁取り\",\"枠あり\",255,0,0,0,0,0,0,0\r\n"
            "\"jan\",\"ＭＳ 明朝\",12,#FALSE#,#FALSE#,0,\" 表示しない\",0,0,0\r\n"
            "\"BARCODE\",0,0,0,0,0,0,0,0,0\r\n"
            "\"メーカー\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,0,\"表示しない\",\"有\",0,0\r\n")
            .value();
    readBlock(bytes, s);
    EXPECT_FALSE(s.borderOn);
    EXPECT_EQ(s.borderColor, 255);
    EXPECT_FALSE(s.isVisible(LabelElement::Jan));
    EXPECT_TRUE(s.isUnderlined(LabelElement::Maker));
    CsvLineWriter w;  // written back as the buttons show these states
    ASSERT_TRUE(writeLayoutBlock(w, s).ok());
    EXPECT_NE(w.result().find("\"縁取り\",\"カラーで縁取りする\",255,"), std::string::npos);
    EXPECT_NE(w.result().find(",0,\"表示する\",0,0,0\r\n"), std::string::npos);
    EXPECT_NE(w.result().find(",0,\"表示しない\",\"アンダーライン無\",0,0\r\n"), std::string::npos);
}

TEST(LayoutBlock, FractionalSizesRoundHalfToEven) {
    LayoutSettings s = initialLayoutSettings();
    readBlock(blockWith(4,
                        "\"メーカー\",\"ＭＳ 明朝\",10.5,#FALSE#,#FALSE#,0.5,\"表示しない\","
                        "\"アンダーライン有\",-1.5,2.5"),
              s);
    EXPECT_EQ(s.element(LabelElement::Maker).font.size, 10);
    EXPECT_EQ(s.element(LabelElement::Maker).color, 0);
    EXPECT_EQ(s.element(LabelElement::Maker).offsetX, -2);
    EXPECT_EQ(s.element(LabelElement::Maker).offsetY, 2);
    readBlock(blockWith(4,
                        "\"メーカー\",\"ＭＳ 明朝\",11.5,1,-1,1.5,\"表示しない\","
                        "\"アンダーライン有\",0,0"),
              s);
    EXPECT_EQ(s.element(LabelElement::Maker).font.size, 12);
    EXPECT_TRUE(s.element(LabelElement::Maker).font.bold);
    EXPECT_TRUE(s.element(LabelElement::Maker).font.italic);
    EXPECT_EQ(s.element(LabelElement::Maker).color, 2);
}

TEST(LayoutBlock, ValuesThatCannotBeConvertedKeepThePreviousSetting) {
    LayoutSettings s = changedLayout();
    const LayoutSettings before = s;
    readBlock(blockWith(5,
                        "\"品名\",\"\",abc,yes,\"#TRUE#\",,\"表示しない\",\"アンダーライン有\","
                        "40000,1e9"),
              s);
    EXPECT_EQ(s.element(LabelElement::ProductName).font,
              before.element(LabelElement::ProductName).font);  // empty face, size, both flags
    EXPECT_EQ(s.element(LabelElement::ProductName).color,
              before.element(LabelElement::ProductName).color);
    EXPECT_EQ(s.element(LabelElement::ProductName).offsetX,
              before.element(LabelElement::ProductName).offsetX);
    EXPECT_EQ(s.element(LabelElement::ProductName).offsetY,
              before.element(LabelElement::ProductName).offsetY);
    EXPECT_TRUE(s.isVisible(LabelElement::ProductName));  // captions always apply
    // A size below one point cannot be drawn either.
    readBlock(blockWith(5, "\"品名\",\"X\",0,0,0,0,\"表示しない\",\"アンダーライン有\",0,0"), s);
    EXPECT_EQ(s.element(LabelElement::ProductName).font.size,
              before.element(LabelElement::ProductName).font.size);
    EXPECT_EQ(s.element(LabelElement::ProductName).font.name, "X");
}

TEST(LayoutBlock, ABlockThatEndsEarlyKeepsEverySettingNotRead) {
    const LayoutSettings before = changedLayout();
    const std::string whole = blockWith();
    // Cut inside the jan line, after its size.
    const std::string cut = whole.substr(0, whole.find("12,") + 3);
    LayoutSettings s = before;
    EXPECT_EQ(readBlock(cut, s), 23);
    EXPECT_EQ(s.xAdjustText, "0");
    EXPECT_FALSE(s.borderOn);
    EXPECT_EQ(s.element(LabelElement::Jan).font.name, "ＭＳ 明朝");
    EXPECT_EQ(s.element(LabelElement::Jan).font.size, 12);
    EXPECT_EQ(s.element(LabelElement::Jan).font.bold, before.element(LabelElement::Jan).font.bold);
    EXPECT_EQ(s.element(LabelElement::Jan).color, before.element(LabelElement::Jan).color);
    EXPECT_EQ(s.element(LabelElement::Maker).font, before.element(LabelElement::Maker).font);
    EXPECT_EQ(s.element(LabelElement::Yen).offsetY, before.element(LabelElement::Yen).offsetY);

    LayoutSettings untouched = before;
    EXPECT_EQ(readBlock("", untouched), 0);
    EXPECT_EQ(untouched, before);
}

TEST(LayoutBlock, ReadsOnlyItsHundredFields) {
    const std::string bytes = blockWith() + "\"after\",1\r\n";
    CsvFieldReader reader(bytes);
    LayoutSettings s = initialLayoutSettings();
    EXPECT_EQ(readLayoutBlock(reader, s), 100);
    const std::optional<CsvField> next = reader.next();
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->text, "after");
}

// A colour outside 0..0xFFFFFF (-1 prints white text) is damaged: the default
// colour is taken and its line reported. A field that is no number keeps the
// setting, as any unreadable value does.
TEST(LayoutBlock, ColoursOutsideTheRangeAreDamagedAndTakeTheDefault) {
    struct Case {
        int line;  // 0-based line of the block
        std::string replacement;
        LabelElement element;  // Border: the border colour
        Color expected;
        int damagedLine;
    };
    const std::string maker = "\"メーカー\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,";
    const std::string price = "\"売価\",\"ＭＳ 明朝\",48,#FALSE#,#FALSE#,";
    const std::string tail = ",\"表示しない\",\"アンダーライン有\",0,0";
    const Case cases[] = {
        {4, maker + "-1" + tail, LabelElement::Maker, 0, 5},
        {4, maker + "16777216" + tail, LabelElement::Maker, 0, 5},
        {4, maker + "-2147483648" + tail, LabelElement::Maker, 0, 5},
        {8, price + "-1,\"表示しない\",0,0,0", LabelElement::Price, 255, 9},
        {1, "\"縁取り\",\"カラーで縁取りする\",-255,0,0,0,0,0,0,0", LabelElement::Border, 0, 2},
        {4, maker + "16777215" + tail, LabelElement::Maker, 0xFFFFFF, 0},
        {4, maker + "0" + tail, LabelElement::Maker, 0, 0},
        {4, maker + "blue" + tail, LabelElement::Maker, 12345, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replacement);
        LayoutSettings s = initialLayoutSettings();
        if (c.element != LabelElement::Border)
            s.element(c.element).color = 12345;
        s.borderColor = 12345;
        const std::string bytes = blockWith(c.line, c.replacement);
        CsvFieldReader reader(bytes);
        int damagedLine = 0;
        EXPECT_EQ(readLayoutBlock(reader, s, &damagedLine), 100);
        EXPECT_EQ(c.element == LabelElement::Border ? s.borderColor : s.element(c.element).color,
                  c.expected);
        EXPECT_EQ(damagedLine, c.damagedLine);
    }
}

}  // namespace
