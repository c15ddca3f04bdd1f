#include <gtest/gtest.h>

#include <string>

#include "files/Cp932.h"
#include "files/CsvText.h"
#include "files/LabelDataFile.h"
#include "files/LayoutBlock.h"
#include "files/SettingsFile.h"

namespace {

std::string sjis(const std::string& utf8) {
    return cp932::encode(utf8).value();
}

std::string labelFileBytes(const LabelSheet& sheet, const LayoutSettings& settings) {
    std::string bytes;
    EXPECT_TRUE(formatLabelFile(sheet, settings, bytes).ok());
    return bytes;
}

int lineCount(const std::string& bytes) {
    int n = 0;
    for (std::size_t i = 0; (i = bytes.find("\r\n", i)) != std::string::npos; i += 2)
        ++n;
    return n;
}

// A sheet of food and other goods, as a shop fills it.
LabelSheet mixedSheet() {
    LabelSheet sheet;
    sheet.label(1) = {"4901234567894", "あ社", "牛乳", "1L", "", "198"};
    sheet.label(1).taxRate = TaxRate::Reduced;
    sheet.label(2) = {"49012345", "い社", "洗剤", "500ml", "", "398"};
    sheet.label(3) = {"", "", "新聞", "", "", "150"};
    sheet.label(3).taxRate = TaxRate::Exempt;
    sheet.label(4) = {"", "", "パン", "", "", "1,980"};
    sheet.label(4).taxRate = TaxRate::Reduced;
    return sheet;
}

LayoutSettings dualPattern(TaxRounding rounding) {
    LayoutSettings settings = initialLayoutSettings();
    settings.pricing = {PriceMode::BaseAndTaxIncluded, rounding};
    return settings;
}

// What a reader that takes the defined fields and stops makes of a file.
void readDefinedFieldsOnly(const std::string& bytes, LabelSheet& sheet, LayoutSettings& settings) {
    CsvFieldReader reader(bytes);
    ASSERT_EQ(reader.next()->text, "棚札");
    for (int n = 1; n <= 10; ++n) {
        const int number = static_cast<int>(leadingNumber(reader.next()->text));
        for (LabelField f : kLabelFields)
            sheet.label(number).field(f) = reader.next()->text;
    }
    ASSERT_EQ(readLayoutBlock(reader, settings), 100);
}

TEST(PriceLines, ASheetShowingTaxIncludedPricesOnlyIsWrittenAsBefore) {
    LabelSheet sheet = mixedSheet();
    for (int n = 1; n <= 10; ++n)
        sheet.label(n).taxRate = TaxRate::Standard;
    // An empty label keeps the rate it was given, but stores nothing.
    sheet.label(9).taxRate = TaxRate::Reduced;
    LayoutSettings settings = initialLayoutSettings();
    const std::string bytes = labelFileBytes(sheet, settings);
    EXPECT_EQ(lineCount(bytes), 21);
    EXPECT_EQ(bytes.find(sjis("拡張")), std::string::npos);
    Result r;
    const std::string settingsBytes = formatSettingsBytes(settings, r);
    EXPECT_EQ(lineCount(settingsBytes), 10);
    EXPECT_TRUE(bytes.ends_with(settingsBytes));
}

TEST(PriceLines, ADualSheetWithMixedRatesComesBack) {
    LabelSheet sheet = mixedSheet();
    sheet.label(9).taxRate = TaxRate::Reduced;  // empty: stored and read as 10 %
    const LayoutSettings settings = dualPattern(TaxRounding::HalfUp);
    const std::string bytes = labelFileBytes(sheet, settings);
    EXPECT_EQ(lineCount(bytes), 24);
    EXPECT_TRUE(bytes.ends_with(
        sjis("\"拡張\",\"価格表示\",1,1\r\n"
             "\"拡張\",\"税込\",\"ＭＳ 明朝\",24,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n"
             "\"拡張\",\"税率\",8,10,0,8,10,10,10,10,10,10\r\n")));

    LabelSheet read;
    LayoutSettings readSettings = initialLayoutSettings();
    PriceExtensionRead extension = PriceExtensionRead::Absent;
    ASSERT_TRUE(parseLabelFile(bytes, read, readSettings, &extension).ok());
    EXPECT_EQ(extension, PriceExtensionRead::Read);
    sheet.label(9).taxRate = TaxRate::Standard;
    EXPECT_EQ(read, sheet);
    EXPECT_EQ(readSettings, settings);
}

TEST(PriceLines, AReaderOfTheDefinedFieldsSeesTheSameLabelsAndPattern) {
    const LabelSheet sheet = mixedSheet();
    LayoutSettings settings = dualPattern(TaxRounding::Ceiling);
    settings.element(LabelElement::Maker).font.size = 14;
    settings.element(LabelElement::Price).offsetY = -2;
    LabelSheet read;
    LayoutSettings readSettings = initialLayoutSettings();
    readDefinedFieldsOnly(labelFileBytes(sheet, settings), read, readSettings);
    for (int n = 1; n <= 10; ++n) {
        for (LabelField f : kLabelFields)
            EXPECT_EQ(read.label(n).field(f), sheet.label(n).field(f)) << n;
    }
    // What such a reader cannot know: the price settings and the tax line's style.
    readSettings.pricing = settings.pricing;
    readSettings.element(LabelElement::TaxLine) = settings.element(LabelElement::TaxLine);
    EXPECT_EQ(readSettings, settings);

    // The settings file likewise: its reader takes 100 fields and ignores the rest.
    Result r;
    const std::string withLines = formatSettingsBytes(settings, r);
    EXPECT_EQ(lineCount(withLines), 12);
    LayoutSettings blockOnly = initialLayoutSettings();
    CsvFieldReader reader(withLines);
    EXPECT_EQ(readLayoutBlock(reader, blockOnly), 100);
    blockOnly.pricing = settings.pricing;
    blockOnly.element(LabelElement::TaxLine) = settings.element(LabelElement::TaxLine);
    EXPECT_EQ(blockOnly, settings);

    LayoutSettings loaded = initialLayoutSettings();
    EXPECT_EQ(readSettingsBytes(withLines, loaded).priceLines, PriceExtensionRead::Read);
    EXPECT_EQ(loaded.pricing, settings.pricing);
}

TEST(PriceLines, DamagedLinesLeaveTheDefaultsAndSaySo) {
    const LabelSheet sheet = mixedSheet();
    const std::string good = labelFileBytes(sheet, dualPattern(TaxRounding::HalfUp));
    const std::string defined = good.substr(0, good.find(sjis("\"拡張\"")));
    const std::string damaged[] = {
        "\"拡張\",\"価格表示\",3,0\r\n",    // no such mode
        "\"拡張\",\"価格表示\",1,3\r\n",    // no such rounding
        "\"拡張\",\"価格表示\",1\r\n",      // a field missing
        "\"拡張\",\"価格表示\",1,0,0\r\n",  // a field too many
        "\"拡張\",\"価格表示\",\"1\",0\r\n",
        "\"拡張\",\"価格表示\",1,0\r\n\"拡張\",\"税率\",8,10,5,10,10,10,10,10,10,10\r\n",
        "\"拡張\",\"価格表示\",1,0\r\n\"拡張\",\"税率\",8,10\r\n",
        "\"拡張\",\"価格表示\",x,0",
        "\"拡張\",\"税込\",\"\",16,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n",  // no face
        "\"拡張\",\"税込\",\"明朝\",0,#FALSE#,#FALSE#,255,\"表示しない\",0,0,0\r\n",
        "\"拡張\",\"税込\",\"明朝\",16,x,#FALSE#,255,\"表示しない\",0,0,0\r\n",
        "\"拡張\",\"税込\",\"明朝\",16,#FALSE#,#FALSE#,255,\"表示しない\",0,0,99999\r\n",
        "\"拡張\",\"税込\",\"明朝\",16,#FALSE#,#FALSE#,255,\"表示しない\",0,0\r\n",
        // Colours outside 0..0xFFFFFF (-1 would print white).
        "\"拡張\",\"税込\",\"明朝\",16,#FALSE#,#FALSE#,-1,\"表示しない\",0,0,0\r\n",
        "\"拡張\",\"税込\",\"明朝\",16,#FALSE#,#FALSE#,16777216,\"表示しない\",0,0,0\r\n",
    };
    for (const std::string& lines : damaged) {
        SCOPED_TRACE(lines);
        LabelSheet read;
        LayoutSettings settings = initialLayoutSettings();
        PriceExtensionRead extension = PriceExtensionRead::Read;
        ASSERT_TRUE(parseLabelFile(defined + sjis(lines), read, settings, &extension).ok());
        EXPECT_EQ(extension, PriceExtensionRead::Damaged);
        EXPECT_EQ(settings, initialLayoutSettings());
        for (int n = 1; n <= 10; ++n) {
            EXPECT_EQ(read.label(n).taxRate, TaxRate::Standard);
            EXPECT_EQ(read.label(n).productName, sheet.label(n).productName);
        }
    }
}

TEST(PriceLines, LinesThatAreNotOursAreIgnoredAsBefore) {
    const LabelSheet sheet = mixedSheet();
    const std::string good = labelFileBytes(sheet, dualPattern(TaxRounding::Floor));
    const std::string defined = good.substr(0, good.find(sjis("\"拡張\"")));
    const std::string pricing = "\"拡張\",\"価格表示\",1,2\r\n";
    struct Case {
        std::string tail;
        PriceExtensionRead expected;
        PriceMode mode;
    };
    const Case cases[] = {
        {"", PriceExtensionRead::Absent, PriceMode::TaxIncludedOnly},
        {"\x1A", PriceExtensionRead::Absent, PriceMode::TaxIncludedOnly},
        {"\r\n\r\n", PriceExtensionRead::Absent, PriceMode::TaxIncludedOnly},
        {"\"メモ\",\"拡張\"\r\n" + pricing, PriceExtensionRead::Absent, PriceMode::TaxIncludedOnly},
        {pricing + "\"メモ\"\r\n\"拡張\",\"価格表示\",5,5\r\n", PriceExtensionRead::Read,
         PriceMode::BaseAndTaxIncluded},
        // A line of a later version is passed over.
        {"\"拡張\",\"将来\",1,2,3\r\n" + pricing, PriceExtensionRead::Read,
         PriceMode::BaseAndTaxIncluded},
        // Without a final line end.
        {pricing.substr(0, pricing.size() - 2), PriceExtensionRead::Read,
         PriceMode::BaseAndTaxIncluded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        LabelSheet read;
        LayoutSettings settings = dualPattern(TaxRounding::HalfUp);  // replaced by the file's
        PriceExtensionRead extension = PriceExtensionRead::Damaged;
        ASSERT_TRUE(parseLabelFile(defined + sjis(c.tail), read, settings, &extension).ok());
        EXPECT_EQ(extension, c.expected);
        EXPECT_EQ(settings.pricing.mode, c.mode);
        EXPECT_EQ(read.label(1).taxRate, TaxRate::Standard);
    }
}

TEST(PriceLines, AnOldFileOpenedOverADualSheetPrintsAsBefore) {
    LabelSheet sheet = mixedSheet();
    LayoutSettings settings = dualPattern(TaxRounding::Ceiling);
    LabelSheet old;
    old.label(1) = {"", "", "牛乳", "", "", "198"};
    const std::string bytes = labelFileBytes(old, initialLayoutSettings());
    ASSERT_TRUE(parseLabelFile(bytes, sheet, settings).ok());
    EXPECT_EQ(settings.pricing, PricePattern{});
    EXPECT_EQ(sheet.label(1).taxRate, TaxRate::Standard);
}

}  // namespace

TEST(PriceLines, TheTaxLineStyleIsKeptWithThePattern) {
    LayoutSettings settings = initialLayoutSettings();
    ElementStyle& taxLine = settings.element(LabelElement::TaxLine);
    taxLine.font = ElementFont{"ＭＳ ゴシック", 20, true, true};
    taxLine.color = 0x00FF00;
    taxLine.visible = false;
    taxLine.offsetX = -5;
    taxLine.offsetY = 12;
    Result r;
    // A pattern showing tax-inclusive prices only, but with the tax line restyled.
    const std::string bytes = formatSettingsBytes(settings, r);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(bytes.ends_with(sjis(
        "\"拡張\",\"価格表示\",0,0\r\n"
        "\"拡張\",\"税込\",\"ＭＳ ゴシック\",20,#TRUE#,#TRUE#,65280,\"表示する\",0,-5,12\r\n")));
    LayoutSettings read = initialLayoutSettings();
    readSettingsBytes(bytes, read);
    EXPECT_EQ(read, settings);

    // A face name the file cannot hold is refused, naming the setting.
    taxLine.font.name = "한글";
    formatSettingsBytes(settings, r);
    EXPECT_EQ(r.code, ResultCode::NotEncodable);
    EXPECT_EQ(r.settingName, "税込 フォント名");
    std::string labelBytes;
    EXPECT_EQ(formatLabelFile(LabelSheet{}, settings, labelBytes).code, ResultCode::NotEncodable);
    EXPECT_TRUE(labelBytes.empty());
}
