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
    s.borderCaption = captions::kBorderOn;
    s.borderColor = 16711680;
    const char* names[] = {"ＭＳ ゴシック", "ＭＳ Ｐ明朝", "①㈱髙～－", "a,b", "", " x ", "ｱｲｳ"};
    int i = 0;
    for (LabelElement e : kTextElements) {
        s.font(e) =
            ElementFont{names[i], static_cast<std::int16_t>(20 + i), i % 2 == 0, i % 3 == 0};
        s.color(e) = 1000 * (i + 1) - 3000;
        s.visibleCaption(e) = i % 2 == 0 ? captions::kVisibleOff : "見せない";
        ++i;
    }
    s.font(LabelElement::Lot).name = "Lot font";  // a face name is never empty
    for (LabelElement e : kUnderlinableElements)
        s.underlineCaption(e) = captions::kUnderlineOn;
    s.specUnderlineCaption = "";
    i = 0;
    for (LabelElement e : kMovableElements) {
        s.offsetX(e) = static_cast<std::int16_t>(-i - 1);
        s.offsetY(e) = static_cast<std::int16_t>(i * 7 + 1);
        ++i;
    }
    s.yenOffsetX = -32768;
    s.yenOffsetY = 32767;
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
        "\"jan\",\"ＭＳ ゴシック\",20,#TRUE#,#TRUE#,-2000,\"表示する\",0,-1,1\r\n"
        "\"BARCODE\",0,0,0,0,0,0,0,-2,8\r\n"
        "\"メーカー\",\"ＭＳ Ｐ明朝\",21,#FALSE#,#FALSE#,-1000,\"見せない\","
        "\"アンダーライン無\",-3,15\r\n"
        "\"品名\",\"①㈱髙～－\",22,#TRUE#,#FALSE#,0,\"表示する\",\"アンダーライン無\",-4,22\r\n"
        "\"規格\",\"a,b\",23,#FALSE#,#TRUE#,1000,\"見せない\",\"\",-5,29\r\n"
        "\"ロット\",\"Lot font\",24,#TRUE#,#FALSE#,2000,\"表示する\",\"アンダーライン無\",-6,36\r\n"
        "\"売価\",\" x \",25,#FALSE#,#FALSE#,3000,\"見せない\",0,-7,43\r\n"
        "\"円\",\"ｱｲｳ\",26,#TRUE#,#TRUE#,4000,\"表示する\",0,-32768,32767\r\n");
}

TEST(LayoutBlock, ReadsBackEveryStoredValueAndLeavesTheOrigin) {
    const LayoutSettings written = changedLayout();
    CsvLineWriter w;
    ASSERT_TRUE(writeLayoutBlock(w, written).ok());
    const std::string bytes = cp932::encode(w.result()).value();

    LayoutSettings read = initialLayoutSettings();
    read.originX = 1.5;
    read.originY = -2.5;
    read.barcodeVisibleCaption = captions::kVisibleOff;
    EXPECT_EQ(readBlock(bytes, read), 100);

    LayoutSettings expected = written;
    expected.originX = 1.5;  // neither the origin nor the barcode's visibility is stored
    expected.originY = -2.5;
    expected.barcodeVisibleCaption = captions::kVisibleOff;
    EXPECT_EQ(read, expected);
}

TEST(LayoutBlock, RefusesTextsTheFileCannotHold) {
    struct Case {
        const char* name;
        void (*change)(LayoutSettings&);
        FileErrorCode code;
        const char* settingName;
        const char* detail;
    };
    const Case cases[] = {
        {"quote in a face name", [](LayoutSettings& s) { s.productNameFont.name = "Font \"X\""; },
         FileErrorCode::QuoteInText, "品名 フォント名", "Font \"X\""},
        {"wave dash in a caption", [](LayoutSettings& s) { s.lotVisibleCaption = "〜"; },
         FileErrorCode::NotEncodable, "ロット 表示", "〜"},
        {"minus sign in an underline caption",
         [](LayoutSettings& s) { s.specUnderlineCaption = "−"; }, FileErrorCode::NotEncodable,
         "規格 アンダーライン", "−"},
        {"quote in an adjustment text", [](LayoutSettings& s) { s.yAdjustText = "\""; },
         FileErrorCode::QuoteInText, "y座標調整", "\""},
        {"yen sign in the border caption", [](LayoutSettings& s) { s.borderCaption = "¥"; },
         FileErrorCode::NotEncodable, "縁取り", "¥"},
        {"unreadable byte in the yen face", [](LayoutSettings& s) { s.yenFont.name = "\uFFFD"; },
         FileErrorCode::NotEncodable, "円 フォント名", "\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutSettings s = initialLayoutSettings();
        c.change(s);
        CsvLineWriter w;
        w.text("before");
        const FileResult r = writeLayoutBlock(w, s);
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
    EXPECT_EQ(s.priceFont.size, 48);
    EXPECT_EQ(s.yenFont.name, "円");        // the key lands on the face name
    EXPECT_EQ(s.yenFont.size, 24);          // "ＭＳ 明朝" is no size: kept
    EXPECT_TRUE(s.yenFont.bold);            // 24
    EXPECT_FALSE(s.yenFont.italic);         // #FALSE#
    EXPECT_EQ(s.yenColor, 255);             // #FALSE# is no colour: kept
    EXPECT_EQ(s.yenVisibleCaption, "255");  // and the element is hidden
    EXPECT_FALSE(s.yenVisible());
    EXPECT_EQ(s.yenOffsetX, 0);
    EXPECT_EQ(s.yenOffsetY, 0);
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
    EXPECT_EQ(s.makerFont, (ElementFont{"Product", 30, true, false}));
    EXPECT_EQ(s.makerColor, 7);
    EXPECT_EQ(s.makerOffsetX, 1);
    EXPECT_TRUE(s.makerVisible());
    EXPECT_EQ(s.productNameFont, (ElementFont{"Maker", 8, false, true}));
    EXPECT_EQ(s.productNameColor, 9);
    EXPECT_EQ(s.productNameOffsetY, 4);
    EXPECT_FALSE(s.productNameVisible());
    EXPECT_TRUE(s.productNameUnderline());
}

TEST(LayoutBlock, HandEditedCaptionsAreKeptAsTheyAre) {
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
    EXPECT_EQ(s.borderCaption, "枠あり");
    EXPECT_FALSE(s.borderOn());
    EXPECT_EQ(s.borderColor, 255);
    EXPECT_EQ(s.janVisibleCaption, " 表示しない");
    EXPECT_FALSE(s.janVisible());
    EXPECT_EQ(s.makerUnderlineCaption, "有");
    EXPECT_TRUE(s.makerUnderline());
    CsvLineWriter w;  // and written back as they are
    ASSERT_TRUE(writeLayoutBlock(w, s).ok());
    EXPECT_NE(w.result().find("\"縁取り\",\"枠あり\",255,"), std::string::npos);
    EXPECT_NE(w.result().find(",0,\" 表示しない\",0,0,0\r\n"), std::string::npos);
}

TEST(LayoutBlock, FractionalSizesRoundHalfToEven) {
    LayoutSettings s = initialLayoutSettings();
    readBlock(blockWith(4,
                        "\"メーカー\",\"ＭＳ 明朝\",10.5,#FALSE#,#FALSE#,0.5,\"表示しない\","
                        "\"アンダーライン有\",-1.5,2.5"),
              s);
    EXPECT_EQ(s.makerFont.size, 10);
    EXPECT_EQ(s.makerColor, 0);
    EXPECT_EQ(s.makerOffsetX, -2);
    EXPECT_EQ(s.makerOffsetY, 2);
    readBlock(blockWith(4,
                        "\"メーカー\",\"ＭＳ 明朝\",11.5,1,-1,1.5,\"表示しない\","
                        "\"アンダーライン有\",0,0"),
              s);
    EXPECT_EQ(s.makerFont.size, 12);
    EXPECT_TRUE(s.makerFont.bold);
    EXPECT_TRUE(s.makerFont.italic);
    EXPECT_EQ(s.makerColor, 2);
}

TEST(LayoutBlock, ValuesThatCannotBeConvertedKeepThePreviousSetting) {
    LayoutSettings s = changedLayout();
    const LayoutSettings before = s;
    readBlock(blockWith(5,
                        "\"品名\",\"\",abc,yes,\"#TRUE#\",,\"表示しない\",\"アンダーライン有\","
                        "40000,1e9"),
              s);
    EXPECT_EQ(s.productNameFont, before.productNameFont);  // empty face, size, both flags
    EXPECT_EQ(s.productNameColor, before.productNameColor);
    EXPECT_EQ(s.productNameOffsetX, before.productNameOffsetX);
    EXPECT_EQ(s.productNameOffsetY, before.productNameOffsetY);
    EXPECT_EQ(s.productNameVisibleCaption, captions::kVisibleOn);  // texts always apply
    // A size below one point cannot be drawn either.
    readBlock(blockWith(5, "\"品名\",\"X\",0,0,0,0,\"表示しない\",\"アンダーライン有\",0,0"), s);
    EXPECT_EQ(s.productNameFont.size, before.productNameFont.size);
    EXPECT_EQ(s.productNameFont.name, "X");
}

TEST(LayoutBlock, ABlockThatEndsEarlyKeepsEverySettingNotRead) {
    const LayoutSettings before = changedLayout();
    const std::string whole = blockWith();
    // Cut inside the jan line, after its size.
    const std::string cut = whole.substr(0, whole.find("12,") + 3);
    LayoutSettings s = before;
    EXPECT_EQ(readBlock(cut, s), 23);
    EXPECT_EQ(s.xAdjustText, "0");
    EXPECT_EQ(s.borderCaption, captions::kBorderOff);
    EXPECT_EQ(s.janFont.name, "ＭＳ 明朝");
    EXPECT_EQ(s.janFont.size, 12);
    EXPECT_EQ(s.janFont.bold, before.janFont.bold);
    EXPECT_EQ(s.janColor, before.janColor);
    EXPECT_EQ(s.makerFont, before.makerFont);
    EXPECT_EQ(s.yenOffsetY, before.yenOffsetY);

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

}  // namespace
