// The details of a shop's label and the styles of the elements that show
// them, in label data files and the settings file: nothing is written for a
// sheet that uses none of them, each line is added after those a file already
// had, and everything written comes back.

#include <gtest/gtest.h>

#include <string>

#include "files/Cp932.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"

namespace {

std::string labelFileBytes(const LabelSheet& sheet, const LayoutSettings& settings) {
    std::string bytes;
    EXPECT_TRUE(formatLabelFile(sheet, settings, bytes).ok());
    return bytes;
}

std::string sjis(const std::string& utf8) {
    return cp932::encode(utf8).value();
}

LabelSheet shopSheet() {
    LabelSheet sheet;
    sheet.label(1) = {"4901234567894", "あ社", "牛乳", "1L", "", "198"};
    sheet.label(2) = {"", "", "みかん", "", "", "398"};
    sheet.label(5) = {"", "", "豚こま", "", "", "1,280"};
    return sheet;
}

// The same sheet with a detail of every kind.
LabelSheet detailedSheet() {
    LabelSheet sheet = shopSheet();
    sheet.label(1).details.contents = "1L";
    sheet.label(2).details.origin = "静岡県産";
    sheet.label(5).details = {"350g", "100g", "1,580", "12/10まで", "国産"};
    return sheet;
}

LayoutSettings restyled() {
    LayoutSettings s = initialLayoutSettings();
    s.pricing.mode = PriceMode::TaxIncludedWithBase;
    s.element(LabelElement::RegularPrice).font = {"ＭＳ ゴシック", 14, true, false};
    s.element(LabelElement::Origin).offsetY = -3;
    s.element(LabelElement::PriceCaption).visible = false;
    s.element(LabelElement::SalePeriod).color = 0x00FF00;
    return s;
}

TEST(ShelfLines, ASheetWithoutDetailsHasNoLineOfThem) {
    const std::string bytes = labelFileBytes(shopSheet(), initialLayoutSettings());
    EXPECT_EQ(bytes.find(sjis("拡張")), std::string::npos);
    Result result;
    const std::string settings = formatSettingsBytes(initialLayoutSettings(), result);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(settings.find(sjis("拡張")), std::string::npos);
}

TEST(ShelfLines, DetailsFollowTheFileAsItWasOneLineALabel) {
    const LayoutSettings settings = initialLayoutSettings();
    const std::string before = labelFileBytes(shopSheet(), settings);
    const std::string after = labelFileBytes(detailedSheet(), settings);
    ASSERT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(before.size()), sjis("\"拡張\",\"内容量\",1,\"1L\",\"\"\r\n"
                                                "\"拡張\",\"原産地\",2,\"静岡県産\"\r\n"
                                                "\"拡張\",\"内容量\",5,\"350g\",\"100g\"\r\n"
                                                "\"拡張\",\"特売\",5,\"1,580\",\"12/10まで\"\r\n"
                                                "\"拡張\",\"原産地\",5,\"国産\"\r\n"));
}

TEST(ShelfLines, DetailsAndStylesComeBackFromLabelFilesAndSettings) {
    const LabelSheet sheet = detailedSheet();
    const LayoutSettings settings = restyled();
    for (FileText form : {FileText::Cp932, FileText::Utf8}) {
        std::string bytes;
        ASSERT_TRUE(formatLabelFile(sheet, settings, bytes, form).ok());
        LabelSheet read;
        LayoutSettings readSettings = initialLayoutSettings();
        PriceExtensionRead lines = PriceExtensionRead::Absent;
        ASSERT_TRUE(parseLabelFile(bytes, read, readSettings, &lines, nullptr, form).ok());
        EXPECT_EQ(lines, PriceExtensionRead::Read);
        EXPECT_EQ(read, sheet);
        EXPECT_EQ(readSettings, settings);
        std::string again;
        ASSERT_TRUE(formatLabelFile(read, readSettings, again, form).ok());
        EXPECT_EQ(again, bytes);
    }
    Result result;
    const std::string bytes = formatSettingsBytes(settings, result);
    ASSERT_TRUE(result.ok());
    LayoutSettings read = initialLayoutSettings();
    EXPECT_EQ(readSettingsBytes(bytes, read).priceLines, PriceExtensionRead::Read);
    EXPECT_EQ(read, settings);
}

TEST(ShelfLines, AnOlderFileOpenedOverADetailedSheetLeavesNoDetailBehind) {
    LabelSheet sheet = detailedSheet();
    LayoutSettings settings = restyled();
    const std::string old = labelFileBytes(shopSheet(), initialLayoutSettings());
    ASSERT_TRUE(parseLabelFile(old, sheet, settings).ok());
    EXPECT_EQ(sheet, shopSheet());
    EXPECT_EQ(settings, initialLayoutSettings());
}

TEST(ShelfLines, DamagedLinesLeaveTheDefaultsAndSaySo) {
    const std::string good = labelFileBytes(shopSheet(), initialLayoutSettings());
    const std::string damaged[] = {
        "\"拡張\",\"内容量\",11,\"1L\",\"\"\r\n",                                // no such label
        "\"拡張\",\"内容量\",\"1\",\"1L\",\"\"\r\n",                             // a quoted number
        "\"拡張\",\"特売\",1,\"1,580\"\r\n",                                     // a field short
        "\"拡張\",\"原産地\",1,\"国産\",\"x\"\r\n",                              // a field too many
        "\"拡張\",\"産地\",\"\",10,#FALSE#,#FALSE#,0,\"表示しない\",0,0,0\r\n",  // no face
        "\"拡張\",\"期間\",\"ＭＳ 明朝\",10,#FALSE#,#FALSE#,-1,\"表示しない\",0,0,0\r\n",
    };
    for (const std::string& line : damaged) {
        SCOPED_TRACE(line);
        LabelSheet sheet = detailedSheet();
        LayoutSettings settings = restyled();
        PriceExtensionRead lines = PriceExtensionRead::Absent;
        ASSERT_TRUE(parseLabelFile(good + sjis(line), sheet, settings, &lines).ok());
        EXPECT_EQ(lines, PriceExtensionRead::Damaged);
        EXPECT_EQ(sheet, shopSheet());
        EXPECT_EQ(settings, initialLayoutSettings());
    }
}

TEST(ShelfLines, TextsAFileCannotHoldAreRefusedWithTheirPlace) {
    LabelSheet sheet = shopSheet();
    sheet.label(5).details.salePeriod = "12/10\"まで";
    std::string bytes = "unchanged";
    Result r = formatLabelFile(sheet, initialLayoutSettings(), bytes);
    EXPECT_EQ(r.code, ResultCode::QuoteInText);
    EXPECT_EQ(r.labelNumber, 5);
    EXPECT_EQ(r.settingName, "期間");
    EXPECT_TRUE(bytes.empty());

    sheet.label(5).details.salePeriod.clear();
    sheet.label(2).details.origin = "🍊産";
    r = formatLabelFile(sheet, initialLayoutSettings(), bytes);
    EXPECT_EQ(r.code, ResultCode::NotEncodable);
    EXPECT_EQ(r.labelNumber, 2);
    EXPECT_EQ(r.settingName, "産地");
    // The program's own UTF-8 files hold it.
    EXPECT_TRUE(formatLabelFile(sheet, initialLayoutSettings(), bytes, FileText::Utf8).ok());

    LayoutSettings settings = initialLayoutSettings();
    settings.element(LabelElement::UnitPrice).font.name = "Font \"X\"";
    Result result;
    formatSettingsBytes(settings, result);
    EXPECT_EQ(result.code, ResultCode::QuoteInText);
    EXPECT_EQ(result.settingName, "単位価格 フォント名");
}

TEST(ShelfLines, AnEmptyLabelKeepsNoDetails) {
    LabelSheet sheet = shopSheet();
    sheet.label(7).details.origin = "国産";  // no text: the label is not stored
    LabelSheet read;
    LayoutSettings settings = initialLayoutSettings();
    ASSERT_TRUE(parseLabelFile(labelFileBytes(sheet, settings), read, settings).ok());
    EXPECT_EQ(read, shopSheet());
}

}  // namespace
