// The QR settings and the price-embedded rule in label files and the
// settings file: nothing written unless used, written after the defined lines
// (so older readers read what they know), read back whole, and a damaged line
// told of.

#include <gtest/gtest.h>

#include <string>

#include "files/Cp932.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"

namespace {

LabelSheet typedSheet() {
    LabelSheet sheet;
    sheet.label(1).janCode = "4901234567894";
    sheet.label(1).productName = "有機にんじん";
    sheet.label(1).price = "198";
    sheet.label(2).janCode = "2000000000015";
    sheet.label(2).productName = "店内加工 惣菜";
    sheet.label(2).price = "398";
    return sheet;
}

std::string labelFileBytes(const LabelSheet& sheet, const LayoutSettings& settings) {
    std::string bytes;
    EXPECT_TRUE(formatLabelFile(sheet, settings, bytes).ok());
    return bytes;
}

std::string settingsBytes(const LayoutSettings& settings) {
    Result result;
    std::string bytes = formatSettingsBytes(settings, result);
    EXPECT_TRUE(result.ok());
    return bytes;
}

std::string cp932(const char* text) {
    return *cp932::encode(text);
}

// One feature each: the file is the file without it, then exactly its lines.
TEST(QrExtensionLines, EachFeatureAddsItsOwnLinesAfterTheDefinedOnes) {
    const LabelSheet plain = typedSheet();
    const LayoutSettings defaults = initialLayoutSettings();
    const std::string before = labelFileBytes(plain, defaults);
    const std::string beforeSettings = settingsBytes(defaults);
    EXPECT_EQ(before.find(cp932("拡張")), std::string::npos);

    const struct {
        const char* name;
        void (*change)(LabelSheet&, LayoutSettings&);
        const char* lines;  // in the label file
        bool inSettings;
    } cases[] = {
        {"content",
         [](LabelSheet& s, LayoutSettings&) { s.label(2).qrContent = "https://a.example/惣菜"; },
         "\"拡張\",\"QR内容\",2,\"https://a.example/惣菜\"\r\n", false},
        {"pattern",
         [](LabelSheet&, LayoutSettings& l) { l.qrPattern = "https://example.jp/item/{JAN}"; },
         "\"拡張\",\"QRパターン\",\"https://example.jp/item/{JAN}\"\r\n", true},
        {"style",
         [](LabelSheet&, LayoutSettings& l) {
             l.element(LabelElement::Qr).offsetX = -2;
             l.element(LabelElement::Qr).visible = false;
         },
         "\"拡張\",\"QRコード\",\"\",0,#FALSE#,#FALSE#,0,\"表示する\",0,-2,0\r\n", true},
        {"price-embedded",
         [](LabelSheet&, LayoutSettings& l) {
             l.priceEmbedded = {"21", "6+4"};
         },
         "\"拡張\",\"価格入りコード\",\"21\",\"6+4\"\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LabelSheet sheet = plain;
        LayoutSettings settings = defaults;
        c.change(sheet, settings);
        EXPECT_EQ(labelFileBytes(sheet, settings), before + cp932(c.lines));
        EXPECT_EQ(settingsBytes(settings), beforeSettings + (c.inSettings ? cp932(c.lines) : ""));

        LabelSheet readSheet;
        LayoutSettings readSettings = defaults;
        PriceExtensionRead lines = PriceExtensionRead::Absent;
        ASSERT_TRUE(
            parseLabelFile(labelFileBytes(sheet, settings), readSheet, readSettings, &lines).ok());
        EXPECT_EQ(lines, PriceExtensionRead::Read);
        EXPECT_EQ(readSheet, sheet);
        EXPECT_EQ(readSettings, settings);
        // A file written before is read with every new value at its default.
        ASSERT_TRUE(parseLabelFile(before, readSheet, readSettings, &lines).ok());
        EXPECT_EQ(lines, PriceExtensionRead::Absent);
        EXPECT_EQ(readSheet, plain);
        EXPECT_EQ(readSettings, defaults);
    }
}

// Everything at once, with the price lines, round trip through both files.
TEST(QrExtensionLines, EverythingTogetherRoundTripsWithThePriceLines) {
    LabelSheet sheet = typedSheet();
    sheet.label(1).qrContent = "1";
    sheet.label(10).qrContent = "最後のラベル";
    sheet.label(1).taxRate = TaxRate::Reduced;
    LayoutSettings settings = initialLayoutSettings();
    settings.pricing.mode = PriceMode::BaseAndTaxIncluded;
    settings.qrPattern = "{JAN}";
    settings.priceEmbedded = {"02", "5+1+4"};
    settings.element(LabelElement::Qr).offsetY = 3;
    LabelSheet readSheet;
    LayoutSettings readSettings = initialLayoutSettings();
    ASSERT_TRUE(parseLabelFile(labelFileBytes(sheet, settings), readSheet, readSettings).ok());
    EXPECT_EQ(readSheet, sheet);
    EXPECT_EQ(readSettings, settings);

    LayoutSettings pattern = initialLayoutSettings();
    const SettingsRead read = readSettingsBytes(settingsBytes(settings), pattern);
    EXPECT_FALSE(read.needsWarning());
    EXPECT_EQ(pattern.qrPattern, settings.qrPattern);
    EXPECT_EQ(pattern.priceEmbedded, settings.priceEmbedded);
    EXPECT_EQ(pattern.element(LabelElement::Qr), settings.element(LabelElement::Qr));
}

// A line that cannot be read leaves every extension value at its default,
// and the reader says so; a key of a later version is skipped.
TEST(QrExtensionLines, DamagedLinesAreToldAndUnknownKeysSkipped) {
    const std::string before = labelFileBytes(typedSheet(), initialLayoutSettings());
    const struct {
        const char* line;
        PriceExtensionRead expected;
    } cases[] = {
        {"\"拡張\",\"QR内容\",11,\"x\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"QR内容\",0,\"x\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"QR内容\",\"1\",\"x\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"QR内容\",1\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"QRパターン\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"価格入りコード\",\"45\",\"5+5\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"価格入りコード\",\"02\",\"7+3\"\r\n", PriceExtensionRead::Damaged},
        {"\"拡張\",\"QRコード\",\"\",0,#FALSE#,#FALSE#,0,\"表示\",0,x,0\r\n",
         PriceExtensionRead::Damaged},
        {"\"拡張\",\"QR色\",1,2,3\r\n", PriceExtensionRead::Read},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        LabelSheet sheet;
        LayoutSettings settings = initialLayoutSettings();
        settings.qrPattern = "left over";
        PriceExtensionRead lines = PriceExtensionRead::Absent;
        ASSERT_TRUE(parseLabelFile(before + cp932(c.line), sheet, settings, &lines).ok());
        EXPECT_EQ(lines, c.expected);
        EXPECT_EQ(settings.qrPattern, "");
        EXPECT_EQ(sheet, typedSheet());
    }
}

// Texts the file cannot hold are refused by name, and nothing is written.
TEST(QrExtensionLines, ATextTheFileCannotHoldIsRefused) {
    LabelSheet sheet = typedSheet();
    sheet.label(3).qrContent = "say \"hi\"";
    std::string bytes;
    Result result = formatLabelFile(sheet, initialLayoutSettings(), bytes);
    EXPECT_EQ(result.code, ResultCode::QuoteInText);
    EXPECT_EQ(result.labelNumber, 3);
    EXPECT_TRUE(bytes.empty());

    LayoutSettings settings = initialLayoutSettings();
    settings.qrPattern = "https://example.jp/🙂/{JAN}";
    result = formatLabelFile(typedSheet(), settings, bytes);
    EXPECT_EQ(result.code, ResultCode::NotEncodable);
    EXPECT_EQ(result.settingName, "QRパターン");
}

}  // namespace
