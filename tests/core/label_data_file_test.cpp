#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "files/Cp932.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"
#include "model/ToggleCaptions.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::string sjis(const std::string& utf8) {
    return cp932::encode(utf8).value();
}

// The default layout block (its bytes are checked in the settings file's tests).
std::string defaultBlock() {
    Result r;
    return formatSettingsBytes(initialLayoutSettings(), r);
}

std::string emptyRecords(int from = 1) {
    std::string text;
    for (int n = from; n <= 10; ++n)
        text += "\" " + std::to_string(n) + "\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    return text;
}

LabelRecord record(const char* jan, const char* maker, const char* name, const char* spec,
                   const char* lot, const char* price) {
    return LabelRecord{jan, maker, name, spec, lot, price};
}

class LabelDataFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // What the window holds before a file is opened.
        before_.label(4) = record("1", "2", "3", "4", "5", "6");
        beforeSettings_.element(LabelElement::Maker).font.size = 33;
        beforeSettings_.originX = 20.0;
    }
    void put(const std::string& bytes) const { tmp_.put("棚札.csv", bytes); }
    std::string get() const { return tmp_.get("棚札.csv"); }
    std::set<std::string> entries() const { return tmp_.entries(); }

    TempFolder tmp_{"tanahuda-labels"};
    const fs::path& dir_ = tmp_.dir();
    const std::string path_ = tmp_.path("棚札.csv");
    LabelSheet before_;
    LayoutSettings beforeSettings_ = initialLayoutSettings();
};

TEST_F(LabelDataFileTest, WritesTheMarkerTenRecordsAndTheBlock) {
    LabelSheet sheet;
    sheet.label(1) = record("4901234567894", "あ", "い", "う", "え", "100");
    ASSERT_TRUE(writeLabelFile(path_, sheet, initialLayoutSettings()).ok());
    const std::string expected =
        "\"\x92\x49\x8E\x44\"\r\n"  // "棚札"
        // " 1","4901234567894","あ","い","う","え","100"
        "\" 1\",\"4901234567894\",\"\x82\xA0\",\"\x82\xA2\",\"\x82\xA4\",\"\x82\xA6\",\"100\"\r\n"
        "\" 2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 3\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 4\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 5\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 6\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 7\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 8\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 9\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\" 10\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    const std::string bytes = get();
    EXPECT_EQ(bytes, expected + defaultBlock());
    std::size_t lines = 0;
    for (std::size_t i = 0; (i = bytes.find("\r\n", i)) != std::string::npos; i += 2)
        ++lines;
    EXPECT_EQ(lines, 21u);
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
}

// Marks typed at other code points than Windows' are stored as Windows'
// bytes and read back as Windows' characters.
TEST_F(LabelDataFileTest, MarksTypedOutsideWindowsAreStoredAsWindowsBytes) {
    LabelSheet sheet;
    sheet.label(1) = record("", "〜−‖—", "お〜いお茶", "¢£¬", "", "");
    ASSERT_TRUE(writeLabelFile(path_, sheet, initialLayoutSettings()).ok());
    const std::string line2 =
        "\" 1\",\"\",\"\x81\x60\x81\x7C\x81\x61\x81\x5C\","
        "\"\x82\xA8\x81\x60\x82\xA2\x82\xA8\x92\x83\",\"\x81\x91\x81\x92\x81\xCA\",\"\",\"\"\r\n";
    EXPECT_EQ(get().substr(8, line2.size()), line2);
    LabelSheet read;
    LayoutSettings layout = initialLayoutSettings();
    ASSERT_TRUE(readLabelFile(path_, read, layout).ok());
    EXPECT_EQ(read.label(1), record("", "～－∥―", "お～いお茶", "￠￡￢", "", ""));
}

TEST_F(LabelDataFileTest, ASheetAndItsLayoutComeBackUnchanged) {
    LabelSheet sheet;
    sheet.label(1) =
        record("4901234567894", "㈱ＡＢＣ商事", "①髙島屋の～", "１０×２０－３", "Lot,1", "1,980");
    sheet.label(2) = record("", "", "纊ｶﾀｶﾅ", "", "", "");
    sheet.label(5) = record("49123456", " 前の空白", "後ろの空白 ", "∥￢＼", "~\\", "0");
    sheet.label(10) = record("x", "\x1A\x1C\x7F", "#TRUE#", "12", "\u0080\uF8F0\uF8F1", "");
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::ProductName).font = {"ＭＳ Ｐゴシック", 22, true, true};
    layout.element(LabelElement::Lot).color = 16711935;
    layout.xAdjustText = "-4";
    layout.yAdjustText = "10";
    layout.element(LabelElement::Lot).underlined = true;
    layout.element(LabelElement::Yen).visible = false;
    layout.element(LabelElement::Price).offsetX = -7;
    applyAdjustTextsToOrigin(layout);
    ASSERT_TRUE(writeLabelFile(path_, sheet, layout).ok());

    LabelSheet read = before_;
    LayoutSettings readLayout = beforeSettings_;
    readLayout.element(LabelElement::Barcode).visible = false;
    ASSERT_TRUE(readLabelFile(path_, read, readLayout).ok());
    EXPECT_EQ(read, sheet);
    EXPECT_FALSE(readLayout.isVisible(
        LabelElement::Barcode));  // the barcode's visibility is not in the file
    readLayout.element(LabelElement::Barcode).visible = true;
    EXPECT_EQ(readLayout, layout);
    EXPECT_DOUBLE_EQ(readLayout.originX, 8.0);
    EXPECT_DOUBLE_EQ(readLayout.originY, 17.8);
}

TEST_F(LabelDataFileTest, AnEmptySheetIsTenEmptyRecordsAndReadsBackEmpty) {
    std::string bytes;
    ASSERT_TRUE(formatLabelFile(LabelSheet{}, initialLayoutSettings(), bytes).ok());
    EXPECT_EQ(bytes, sjis("\"棚札\"\r\n") + emptyRecords() + defaultBlock());
    LabelSheet read = before_;
    ASSERT_TRUE(parseLabelFile(bytes, read, beforeSettings_).ok());
    EXPECT_EQ(read, LabelSheet{});
}

TEST_F(LabelDataFileTest, RecordsArePlacedByTheirNumber) {
    const std::string records =
        "\" 3\",\"J3\",\"\",\"三\",\"\",\"\",\"\"\r\n"
        "\" 1\",\"J1\",\"\",\"一\",\"\",\"\",\"\"\r\n"
        "\" 2\",\"J2\",\"\",\"二\",\"\",\"\",\"\"\r\n"
        "\" 1\",\"J1b\",\"\",\"一の二\",\"\",\"\",\"\"\r\n"  // numbered twice: the later wins
        "\" 11\",\"J11\",\"\",\"十一\",\"\",\"\",\"\"\r\n"   // skipped
        "\"\",\"JE\",\"\",\"空\",\"\",\"\",\"\"\r\n"         // skipped
        "\" 0\",\"J0\",\"\",\"零\",\"\",\"\",\"\"\r\n"       // skipped
        "\"10\",\"J10\",\"\",\"十\",\"\",\"\",\"\"\r\n"      // no blank: still 10
        "\" 5.5\",\"J6\",\"\",\"六\",\"\",\"\",\"\"\r\n"     // rounds to 6
        "\" 7番\",\"J7\",\"\",\"七\",\"\",\"\",\"\"\r\n";    // the numeric start counts
    LabelSheet sheet = before_;
    LayoutSettings settings = beforeSettings_;
    ASSERT_TRUE(
        parseLabelFile(sjis("\"棚札\"\r\n" + records) + defaultBlock(), sheet, settings).ok());
    const std::pair<int, const char*> filled[] = {{1, "J1b"}, {2, "J2"}, {3, "J3"},
                                                  {6, "J6"},  {7, "J7"}, {10, "J10"}};
    LabelSheet expected;
    for (const auto& [n, jan] : filled)
        expected.label(n).janCode = jan;
    expected.label(1).productName = "一の二";
    expected.label(2).productName = "二";
    expected.label(3).productName = "三";
    expected.label(6).productName = "六";
    expected.label(7).productName = "七";
    expected.label(10).productName = "十";
    EXPECT_EQ(sheet, expected);
}

TEST_F(LabelDataFileTest, TheReaderIgnoresLineBoundaries) {
    // Marker and first record on one line; a record split over two lines.
    const std::string text =
        "\"棚札\",\" 1\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\"\r\n"
        "\" 2\",\"g\",\"h\"\n\"i\",\"j\"\r\"k\",\"l\"\r\n";
    LabelSheet sheet;
    LayoutSettings settings = beforeSettings_;
    ASSERT_TRUE(
        parseLabelFile(sjis(text) + emptyRecords(3) + defaultBlock(), sheet, settings).ok());
    EXPECT_EQ(sheet.label(1), record("a", "b", "c", "d", "e", "f"));
    EXPECT_EQ(sheet.label(2), record("g", "h", "i", "j", "k", "l"));
    EXPECT_EQ(settings.element(LabelElement::Maker).font.size,
              10);  // the block was found in its place
}

TEST_F(LabelDataFileTest, FilesWithoutTheMarkerAreRejectedAndChangeNothing) {
    const std::string cases[] = {
        defaultBlock(),                          // a settings file
        "",                                      // an empty file
        sjis("\"棚札 \"\r\n") + emptyRecords(),  // a blank too many
        sjis("\"棚\"\r\n") + emptyRecords(),
        "\"\xE6\xA3\x9A\xE6\x9C\xAD\"\r\n" + emptyRecords(),  // "棚札" in UTF-8
        sjis("\" 1\",\"棚札\"\r\n"),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        LabelSheet sheet = before_;
        LayoutSettings settings = beforeSettings_;
        EXPECT_EQ(parseLabelFile(bytes, sheet, settings).code, ResultCode::NotLabelFile);
        EXPECT_EQ(sheet, before_);
        EXPECT_EQ(settings, beforeSettings_);
    }
    LabelSheet sheet = before_;
    LayoutSettings settings = beforeSettings_;
    EXPECT_EQ(readLabelFile(path_, sheet, settings).code, ResultCode::NotFound);
    ASSERT_TRUE(saveSettingsFile(path_, initialLayoutSettings()).ok());
    const Result settingsFile = readLabelFile(path_, sheet, settings);
    EXPECT_EQ(settingsFile.code, ResultCode::NotLabelFile);
    EXPECT_EQ(settingsFile.path, path_);
    EXPECT_EQ(sheet, before_);
    EXPECT_EQ(settings, beforeSettings_);
}

// A file that cannot be read is refused with the reason it could not be read,
// not as a file of another kind; like a file of another kind, it names the
// file and changes nothing.
TEST_F(LabelDataFileTest, AFileThatCannotBeReadIsRefusedWithItsReason) {
    ASSERT_TRUE(writeLabelFile(path_, LabelSheet{}, initialLayoutSettings()).ok());
    const std::string oversized = tmp_.path("large.csv");
    fs::copy_file(tmp_.file("棚札.csv"), oversized);
    fs::resize_file(oversized, 4 * 1024 * 1024 + 1);  // a label data file past the limit
    struct Case {
        std::string path;
        ResultCode code;
        std::string detail;
    };
    const Case cases[] = {
        {tmp_.path("missing.csv"), ResultCode::NotFound, std::strerror(ENOENT)},
#ifndef _WIN32  // Windows reports a file used as a folder as a path not found
        {path_ + "/inside.csv", ResultCode::ReadFailed, std::strerror(ENOTDIR)},
#endif
        {dir_.string(), ResultCode::ReadFailed, ""},
        {oversized, ResultCode::ReadFailed, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        LabelSheet sheet = before_;
        LayoutSettings settings = beforeSettings_;
        const Result read = readLabelFile(c.path, sheet, settings);
        EXPECT_EQ(read.code, c.code);
        EXPECT_EQ(read.path, c.path);
        EXPECT_FALSE(read.detail.empty());
        if (!c.detail.empty()) {
            EXPECT_EQ(read.detail, c.detail);
        }
        EXPECT_EQ(sheet, before_);
        EXPECT_EQ(settings, beforeSettings_);
    }
    // The reasons of a folder and of a file too large differ.
    LabelSheet sheet;
    LayoutSettings settings = initialLayoutSettings();
    EXPECT_NE(readLabelFile(dir_.string(), sheet, settings).detail,
              readLabelFile(oversized, sheet, settings).detail);
}

TEST_F(LabelDataFileTest, LinesAfterTheTwentyFirstAreIgnored) {
    LabelSheet sheet;
    sheet.label(2) = record("", "", "品", "", "", "");
    std::string bytes;
    ASSERT_TRUE(formatLabelFile(sheet, initialLayoutSettings(), bytes).ok());
    bytes += sjis("\" 3\",\"\",\"\",\"余分\",\"\",\"\",\"\"\r\n") + defaultBlock() + "garbage\r\n";
    LabelSheet read;
    LayoutSettings settings = initialLayoutSettings();
    ASSERT_TRUE(parseLabelFile(bytes, read, settings).ok());
    EXPECT_EQ(read, sheet);
    EXPECT_EQ(settings, initialLayoutSettings());
}

TEST_F(LabelDataFileTest, AFileThatEndsEarlyKeepsTheLabelsReadAndThePreviousSettings) {
    const std::string records =
        "\"棚札\"\r\n"
        "\" 1\",\"J1\",\"\",\"一\",\"\",\"\",\"\"\r\n"
        "\" 2\",\"J2\",\"\",\"二\"";  // cut inside the second record
    LabelSheet sheet = before_;
    LayoutSettings settings = beforeSettings_;
    settings.xAdjustText = "2";
    ASSERT_TRUE(parseLabelFile(sjis(records), sheet, settings).ok());
    LabelSheet expected;
    expected.label(1) = record("J1", "", "一", "", "", "");
    expected.label(2) = record("J2", "", "二", "", "", "");
    EXPECT_EQ(sheet, expected);
    EXPECT_EQ(settings.element(LabelElement::Maker).font.size, 33);
    EXPECT_EQ(settings.element(LabelElement::ProductName).font.name, "ＭＳ 明朝");
    EXPECT_DOUBLE_EQ(settings.originX, 14.0);  // the origin follows the kept adjustment text

    // Cut inside the block: what was read applies, the rest keeps its value.
    const std::string whole = sjis("\"棚札\"\r\n") + emptyRecords() + defaultBlock();
    settings = beforeSettings_;
    settings.element(LabelElement::Yen).font.size = 70;
    ASSERT_TRUE(parseLabelFile(whole.substr(0, whole.find("BARCODE")), sheet, settings).ok());
    EXPECT_EQ(sheet, LabelSheet{});
    EXPECT_EQ(settings.element(LabelElement::Yen).font.size, 70);
    EXPECT_EQ(settings.element(LabelElement::Maker).font.size, 33);
    EXPECT_DOUBLE_EQ(settings.originX, 12.0);
}

TEST_F(LabelDataFileTest, TextsTheFileCannotHoldAreRefusedWithTheirPlace) {
    struct Case {
        int label;
        LabelField field;
        const char* text;
        ResultCode code;
    };
    const Case cases[] = {
        {3, LabelField::ProductName, "12\" ディスプレイ", ResultCode::QuoteInText},
        {10, LabelField::Price, "1🍣2", ResultCode::NotEncodable},
        {1, LabelField::JanCode, "¥100", ResultCode::NotEncodable},
        {7, LabelField::Lot, "\uFFFD", ResultCode::NotEncodable},
        {2, LabelField::Maker, "¥", ResultCode::NotEncodable},
        {9, LabelField::Spec, "한국", ResultCode::NotEncodable},
    };
    put("old file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LabelSheet sheet;
        sheet.label(c.label).field(c.field) = c.text;
        const Result r = writeLabelFile(path_, sheet, initialLayoutSettings());
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.labelNumber, c.label);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.detail, c.text);
        EXPECT_EQ(get(), "old file");
    }
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Maker).font.name = "🍣";
    const Result r = writeLabelFile(path_, LabelSheet{}, layout);
    EXPECT_EQ(r.code, ResultCode::NotEncodable);
    EXPECT_EQ(r.labelNumber, 0);
    EXPECT_EQ(r.settingName, "メーカー フォント名");
    EXPECT_EQ(get(), "old file");
    EXPECT_EQ(entries(), std::set<std::string>{"棚札.csv"});
}

long fullDisk(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}

TEST_F(LabelDataFileTest, AFailedWriteLeavesTheOldFileByteForByte) {
    LabelSheet old;
    old.label(1) = record("4901234567894", "旧", "旧品名", "", "", "100");
    ASSERT_TRUE(writeLabelFile(path_, old, initialLayoutSettings()).ok());
    const std::string oldBytes = get();

    FileSystemOps ops = realFileSystemOps();
    ops.write = fullDisk;
    LabelSheet sheet;
    sheet.label(1).productName = "新";
    Result r;
    {
        ScopedFileSystemOps guard(ops);
        r = writeLabelFile(path_, sheet, initialLayoutSettings());
    }
    EXPECT_EQ(r.code, ResultCode::WriteFailed);
    EXPECT_EQ(r.detail, std::strerror(ENOSPC));
    EXPECT_EQ(get(), oldBytes);
    EXPECT_EQ(entries(), std::set<std::string>{"棚札.csv"});
}

// A sheet whose number of labels is not its pattern's stock's would lose
// labels or come back as another sheet. Either is refused, and the old file
// stays as it was.
TEST_F(LabelDataFileTest, ASheetOfAnotherStockIsRefusedAndTheOldFileKept) {
    LabelSheet old;
    old.label(1) = record("4901234567894", "旧", "旧品名", "", "", "100");
    ASSERT_TRUE(writeLabelFile(path_, old, initialLayoutSettings()).ok());
    const std::string oldBytes = get();

    const int standard = kStandardStock.labelCount();
    for (const int labels : {standard + 2, standard - 1, 0}) {
        SCOPED_TRACE(labels);
        LabelSheet sheet(labels);
        if (labels > 0) {
            sheet.label(1).productName = "新";
            sheet.label(1).taxRate = TaxRate::Reduced;  // would need the price lines
        }
        const LayoutSettings layout = initialLayoutSettings();
        std::string bytes = "left over";
        EXPECT_EQ(formatLabelFile(sheet, layout, bytes).code, ResultCode::SheetNotStorable);
        EXPECT_TRUE(bytes.empty());
        EXPECT_EQ(writeLabelFile(path_, sheet, layout).code, ResultCode::SheetNotStorable);
        EXPECT_EQ(get(), oldBytes);
        EXPECT_EQ(entries(), std::set<std::string>{"棚札.csv"});
    }
}

// A file as Windows writes it: code page 932, CR LF, the single bytes 0x80,
// 0xA0 and 0xFD in a text, and NEC and IBM characters in their usual codes.
TEST_F(LabelDataFileTest, AFileWrittenOnWindowsIsWrittenBackByteForByte) {
    const std::string windowsFile =
        "\"\x92\x49\x8E\x44\"\r\n"
        "\" 1\",\"4901234567894\","
        "\"\x87\x8A\x83\x41\x83\x43\","                                  // ㈱アイ
        "\"\x87\x40\xFB\xFC\x93\x87\xFA\x5C\","                          // ①髙島纊
        "\"\x81\x60\x81\x7C\x81\x61\x81\xCA\x81\x5F\xB1\xB2\xB3\x1A\","  // ～－∥￢＼ｱｲｳ^Z
        "\"a\x80"
        "b\xA0"
        "c\xFD"
        "d\","  // Windows' single bytes
        "\"1,980\"\r\n" +
        emptyRecords(2) + defaultBlock();
    LabelSheet sheet;
    LayoutSettings settings = initialLayoutSettings();
    ASSERT_TRUE(parseLabelFile(windowsFile, sheet, settings).ok());
    EXPECT_EQ(sheet.label(1), record("4901234567894", "㈱アイ", "①髙島纊", "～－∥￢＼ｱｲｳ\x1A",
                                     "a\u0080b\uF8F0c\uF8F1d", "1,980"));
    std::string written;
    ASSERT_TRUE(formatLabelFile(sheet, settings, written).ok());
    EXPECT_EQ(written, windowsFile);
}

// Some characters have two codes; like Windows, the writer uses the preferred one.
TEST_F(LabelDataFileTest, DuplicateCodesAreWrittenInTheirPreferredForm) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xED\x40", "\xFA\x5C"},  // 纊, NEC-selected IBM extension
        {"\xEE\xE0", "\xFB\xFC"},  // 髙
        {"\xFA\x58", "\x87\x8A"},  // ㈱, IBM copy of the NEC symbol
        {"\xFA\x4A", "\x87\x54"},  // Ⅰ
        {"\x87\x9A", "\x81\xE6"},  // ∵, NEC copy of the JIS symbol
        {"\xEE\xEF", "\xFA\x40"},  // ⅰ
    };
    for (const auto& [read, written] : cases) {
        const std::string file = "\"\x92\x49\x8E\x44\"\r\n\" 1\",\"\",\"\",\"" + read +
                                 "\",\"\",\"\",\"\"\r\n" + emptyRecords(2) + defaultBlock();
        LabelSheet sheet;
        LayoutSettings settings = initialLayoutSettings();
        ASSERT_TRUE(parseLabelFile(file, sheet, settings).ok());
        std::string out;
        ASSERT_TRUE(formatLabelFile(sheet, settings, out).ok());
        const std::string expected = "\"\x92\x49\x8E\x44\"\r\n\" 1\",\"\",\"\",\"" + written +
                                     "\",\"\",\"\",\"\"\r\n" + emptyRecords(2) + defaultBlock();
        EXPECT_EQ(out, expected);
    }
}

}  // namespace

namespace {

// The lines of a file as the writer gives them, without their CR LF.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n") {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

}  // namespace

// A damaged file is still read by counting fields, and the first line that does
// not line up is named, so nobody saves the shifted labels over it unwarned.
TEST_F(LabelDataFileTest, TheFirstLineThatDoesNotLineUpIsNamed) {
    LabelSheet sheet;
    for (int n = 1; n <= 10; ++n)
        sheet.label(n) = record("4901234567894", "メーカー", ("品" + std::to_string(n)).c_str(),
                                "規格", "L", "100");
    std::string bytes;
    ASSERT_TRUE(formatLabelFile(sheet, initialLayoutSettings(), bytes).ok());
    const std::vector<std::string> lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 21u);
    const auto changed = [&](int line, const std::string& text) {
        std::vector<std::string> copy = lines;
        copy[line - 1] = text;
        return joined(copy);
    };
    const auto cut = [&](int keep) {
        return joined(std::vector<std::string>(lines.begin(), lines.begin() + keep));
    };
    std::vector<std::string> reordered = lines;
    std::swap(reordered[1], reordered[5]);
    const struct {
        const char* name;
        std::string bytes;
        int misfit;
    } cases[] = {
        {"as written", bytes, 0},
        {"lines after the 21st", bytes + "\"more\",1\r\n", 0},
        {"CR CR LF", joined(lines, "\r\r\n"), 0},
        {"LF only", joined(lines, "\n"), 0},
        {"records in another order", joined(reordered), 0},
        {"no line end at the end", bytes.substr(0, bytes.size() - 2), 0},
        {"an extra field in record 3", changed(4, lines[3] + ",\"x\""), 4},
        {"a field missing in record 5", changed(6, "\" 5\",\"\",\"\",\"\",\"\",\"\""), 6},
        {"record number 11", changed(3, "\" 11\",\"\",\"\",\"\",\"\",\"\",\"\""), 3},
        {"record number empty", changed(3, "\"\",\"\",\"\",\"\",\"\",\"\",\"\""), 3},
        {"record number without quotes", changed(3, " 2,\"\",\"\",\"\",\"\",\"\",\"\""), 3},
        {"a record on the marker line", changed(1, lines[0] + "," + lines[1]), 1},
        {"a layout line short of a field", changed(15, "\"BARCODE\",0,0,0,0,0,0,0,0"), 15},
        {"a quote never closed", changed(8, "\" 7\",\"\",\"\",\"open"), 8},
        {"cut after line 5", cut(5), 6},
        {"cut inside the layout", cut(16), 17},
        {"a blank line between records", changed(4, "\r\n" + lines[3]), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(firstMisfitLine(c.bytes), c.misfit);
        LabelSheet read;
        LayoutSettings settings = initialLayoutSettings();
        int misfit = -1;
        ASSERT_TRUE(parseLabelFile(c.bytes, read, settings, nullptr, &misfit).ok());
        EXPECT_EQ(misfit, c.misfit);
        if (c.misfit == 0) {
            EXPECT_EQ(read, sheet);
            EXPECT_EQ(settings, initialLayoutSettings());
        }
    }
    int misfit = -1;
    LabelSheet read;
    LayoutSettings settings = initialLayoutSettings();
    EXPECT_EQ(parseLabelFile(defaultBlock(), read, settings, nullptr, &misfit).code,
              ResultCode::NotLabelFile);
    EXPECT_EQ(misfit, -1);  // a rejected file is not looked at
}
