#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "files/Cp932.h"
#include "files/FileIo.h"
#include "files/SettingsFile.h"
#include "model/ToggleCaptions.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The settings file of the default pattern, in code page 932 with CR LF.
const std::string kDefaultSettingsFile =
    // "印字位置調整","0","0",0,0,0,0,0,0,0
    "\"\x88\xF3\x8E\x9A\x88\xCA\x92\x75\x92\xB2\x90\xAE\",\"0\",\"0\",0,0,0,0,0,0,0\r\n"
    // "縁取り","カラーで縁取りする",0,0,0,0,0,0,0,0
    "\"\x89\x8F\x8E\xE6\x82\xE8\",\"\x83\x4A\x83\x89\x81\x5B\x82\xC5\x89\x8F\x8E\xE6\x82\xE8\x82"
    "\xB7\x82\xE9\",0,0,0,0,0,0,0,0\r\n"
    // "jan","ＭＳ 明朝",12,#FALSE#,#FALSE#,0,"表示しない",0,0,0
    "\"jan\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",12,#FALSE#,#FALSE#,0,\"\x95\x5C\x8E\xA6\x82\xB5"
    "\x82\xC8\x82\xA2\",0,0,0\r\n"
    // "BARCODE",0,0,0,0,0,0,0,0,0
    "\"BARCODE\",0,0,0,0,0,0,0,0,0\r\n"
    // "メーカー","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
    "\"\x83\x81\x81\x5B\x83\x4A\x81\x5B\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",10,#FALSE#,#FALSE#,"
    "0,\"\x95\x5C\x8E\xA6\x82\xB5\x82\xC8\x82\xA2\",\"\x83\x41\x83\x93\x83\x5F\x81\x5B\x83\x89\x83"
    "\x43\x83\x93\x97\x4C\",0,0\r\n"
    // "品名","ＭＳ 明朝",18,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
    "\"\x95\x69\x96\xBC\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",18,#FALSE#,#FALSE#,0,\"\x95\x5C\x8E"
    "\xA6\x82\xB5\x82\xC8\x82\xA2\",\"\x83\x41\x83\x93\x83\x5F\x81\x5B\x83\x89\x83\x43\x83\x93\x97"
    "\x4C\",0,0\r\n"
    // "規格","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
    "\"\x8B\x4B\x8A\x69\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",10,#FALSE#,#FALSE#,0,\"\x95\x5C\x8E"
    "\xA6\x82\xB5\x82\xC8\x82\xA2\",\"\x83\x41\x83\x93\x83\x5F\x81\x5B\x83\x89\x83\x43\x83\x93\x97"
    "\x4C\",0,0\r\n"
    // "ロット","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
    "\"\x83\x8D\x83\x62\x83\x67\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",10,#FALSE#,#FALSE#,0,\"\x95"
    "\x5C\x8E\xA6\x82\xB5\x82\xC8\x82\xA2\",\"\x83\x41\x83\x93\x83\x5F\x81\x5B\x83\x89\x83\x43\x83"
    "\x93\x97\x4C\",0,0\r\n"
    // "売価","ＭＳ 明朝",48,#FALSE#,#FALSE#,255,"表示しない",0,0,0
    "\"\x94\x84\x89\xBF\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",48,#FALSE#,#FALSE#,255,\"\x95\x5C"
    "\x8E\xA6\x82\xB5\x82\xC8\x82\xA2\",0,0,0\r\n"
    // "円","ＭＳ 明朝",24,#FALSE#,#FALSE#,255,"表示しない",0,0,0
    "\"\x89\x7E\",\"\x82\x6C\x82\x72 \x96\xBE\x92\xA9\",24,#FALSE#,#FALSE#,255,\"\x95\x5C\x8E\xA6"
    "\x82\xB5\x82\xC8\x82\xA2\",0,0,0\r\n";

class SettingsFileTest : public ::testing::Test {
  protected:
    void put(const std::string& bytes) const { tmp_.put("data.txt", bytes); }
    std::string get() const { return tmp_.get("data.txt"); }
    std::set<std::string> entries() const { return tmp_.entries(); }

    TempFolder tmp_{"tanahuda-settings"};
    const fs::path& dir_ = tmp_.dir();
    const std::string path_ = tmp_.path("data.txt");
};

TEST_F(SettingsFileTest, TheDefaultPatternIsWrittenByteForByte) {
    ASSERT_TRUE(saveSettingsFile(path_, initialLayoutSettings()).ok());
    EXPECT_EQ(get(), kDefaultSettingsFile);
    Result r;
    EXPECT_EQ(formatSettingsBytes(initialLayoutSettings(), r), kDefaultSettingsFile);
    EXPECT_TRUE(r.ok());
}

TEST_F(SettingsFileTest, SavingAndLoadingKeepsThePatternAndMovesTheOrigin) {
    LayoutSettings saved = initialLayoutSettings();
    saved.element(LabelElement::ProductName).font = {"ＭＳ ゴシック", 20, true, false};
    saved.element(LabelElement::Price).font.italic = true;
    saved.element(LabelElement::Lot).color = 16777215;
    saved.borderOn = true;
    saved.borderColor = 65280;
    saved.element(LabelElement::Spec).visible = false;
    saved.element(LabelElement::Maker).underlined = true;
    saved.element(LabelElement::Barcode).visible = false;  // not stored
    saved.element(LabelElement::Yen).offsetX = -3;
    saved.element(LabelElement::Jan).offsetY = 4;
    saved.xAdjustText = "3";
    saved.yAdjustText = "-2";
    saved.originX = 15.0;
    saved.originY = 5.8;
    ASSERT_TRUE(saveSettingsFile(path_, saved).ok());

    LayoutSettings loaded = initialLayoutSettings();  // a new window
    EXPECT_EQ(loadSettingsFile(path_, loaded).load, SettingsLoad::Loaded);
    EXPECT_TRUE(loaded.isVisible(LabelElement::Barcode));
    loaded.element(LabelElement::Barcode).visible = false;
    EXPECT_EQ(loaded, saved);
    EXPECT_DOUBLE_EQ(loaded.originX, 15.0);
    EXPECT_DOUBLE_EQ(loaded.originY, 5.8);
}

TEST_F(SettingsFileTest, AdjustmentTextsThatAreNoStepCountResetTheOrigin) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "0"}, {"11", "0"}, {"-10", "-10"}, {"2.5", "0"}, {"", "0"}};
    for (const auto& [text, kept] : cases) {
        SCOPED_TRACE(text);
        LayoutSettings s = initialLayoutSettings();
        s.xAdjustText = text;
        ASSERT_TRUE(saveSettingsFile(path_, s).ok());
        LayoutSettings loaded = initialLayoutSettings();
        loaded.originX = 50;
        loadSettingsFile(path_, loaded);
        EXPECT_EQ(loaded.xAdjustText, kept);
        EXPECT_DOUBLE_EQ(loaded.originX, 12.0 + std::atoi(kept));
    }
}

TEST_F(SettingsFileTest, AMissingOrUnreadableFileGivesTheDefaults) {
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Maker).font.size = 99;
    s.originX = 3;
    EXPECT_EQ(loadSettingsFile(path_, s).load, SettingsLoad::Missing);
    EXPECT_EQ(s, initialLayoutSettings());

    fs::create_directory(path_);  // exists, cannot be read as a file
    s.element(LabelElement::Maker).font.size = 99;
    const SettingsRead folder = loadSettingsFile(path_, s);
    EXPECT_EQ(folder.load, SettingsLoad::Unreadable);
    EXPECT_TRUE(folder.needsWarning());
    EXPECT_EQ(folder.failure.code, ResultCode::ReadFailed);
    EXPECT_EQ(folder.failure.path, path_) << "the message names the file";
    EXPECT_EQ(s, initialLayoutSettings());

    // Larger than the reader's cap: the defaults too, and a warning.
    fs::remove(path_);
    put(kDefaultSettingsFile + std::string(5 * 1024 * 1024, ' '));
    s.element(LabelElement::Maker).font.size = 99;
    const SettingsRead oversized = loadSettingsFile(path_, s);
    EXPECT_EQ(oversized.load, SettingsLoad::Unreadable);
    EXPECT_FALSE(oversized.failure.detail.empty()) << "with its reason";
    EXPECT_EQ(s, initialLayoutSettings());
}

TEST_F(SettingsFileTest, ADamagedColourOrPriceLineIsTakenAsTheDefaultAndToldOf) {
    std::string colour = kDefaultSettingsFile;
    colour.replace(colour.find("#FALSE#,0,"), 10, "#FALSE#,-1,");  // the jan line (3)
    put(colour);
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Jan).color = 7;
    const SettingsRead read = loadSettingsFile(path_, s);
    EXPECT_EQ(read.load, SettingsLoad::Loaded);
    EXPECT_EQ(read.damagedValueLine, 3);
    EXPECT_TRUE(read.needsWarning());
    EXPECT_EQ(s, initialLayoutSettings());

    put(kDefaultSettingsFile + *cp932::encode("\"拡張\",\"価格表示\",7,0\r\n"));
    const SettingsRead priceLines = loadSettingsFile(path_, s);
    EXPECT_EQ(priceLines.priceLines, PriceExtensionRead::Damaged);
    EXPECT_TRUE(priceLines.needsWarning());

    put(kDefaultSettingsFile);
    EXPECT_FALSE(loadSettingsFile(path_, s).needsWarning());
}

TEST_F(SettingsFileTest, AFileThatEndsEarlyKeepsTheRestAsItWas) {
    put(kDefaultSettingsFile.substr(0, kDefaultSettingsFile.find("BARCODE")));
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Maker).font.size = 30;
    s.element(LabelElement::Yen).color = 7;
    s.element(LabelElement::Jan).font.size = 40;
    EXPECT_EQ(loadSettingsFile(path_, s).load, SettingsLoad::Loaded);
    EXPECT_EQ(s.element(LabelElement::Jan).font.size, 12);
    EXPECT_EQ(s.element(LabelElement::Maker).font.size, 30);
    EXPECT_EQ(s.element(LabelElement::Yen).color, 7);
    EXPECT_EQ(s.element(LabelElement::ProductName).font.name, "ＭＳ 明朝");

    put("");
    LayoutSettings empty = initialLayoutSettings();
    EXPECT_EQ(loadSettingsFile(path_, empty).load, SettingsLoad::Loaded);
    EXPECT_EQ(empty, initialLayoutSettings());
}

TEST_F(SettingsFileTest, AHandWrittenFileWithLineFeedsAndBlanksReads) {
    std::string lf;
    for (char c : kDefaultSettingsFile) {
        if (c == '\r')
            continue;
        lf += c;
        if (c == ',')
            lf += "  ";
    }
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Price).font.size = 5;
    readSettingsBytes(lf, s);
    EXPECT_EQ(s, initialLayoutSettings());
}

TEST_F(SettingsFileTest, ATextTheFileCannotHoldIsRefusedAndNothingWritten) {
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Jan).font.name = "Font🍣";
    const Result r = saveSettingsFile(path_, s);
    EXPECT_EQ(r.code, ResultCode::NotEncodable);
    EXPECT_EQ(r.settingName, "jan フォント名");
    EXPECT_FALSE(fileExists(path_));

    put("old");
    s.element(LabelElement::Jan).font.name = "\"Font\"";
    EXPECT_EQ(saveSettingsFile(path_, s).code, ResultCode::QuoteInText);
    EXPECT_EQ(get(), "old");
}

int failingRename(const char*, const char*) {
    errno = EROFS;
    return -1;
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFile) {
    put(kDefaultSettingsFile);
    FileSystemOps ops = realFileSystemOps();
    ops.rename = failingRename;
    LayoutSettings s = initialLayoutSettings();
    s.element(LabelElement::Jan).font.size = 30;
    Result r;
    {
        ScopedFileSystemOps guard(ops);
        r = saveSettingsFile(path_, s);
    }
    EXPECT_EQ(r.code, ResultCode::WriteFailed);
    EXPECT_EQ(get(), kDefaultSettingsFile);
    EXPECT_EQ(entries(), std::set<std::string>{"data.txt"});
}

}  // namespace
