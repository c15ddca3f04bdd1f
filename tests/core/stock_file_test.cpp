// Label stocks in files: the stock and the labels past the tenth in the
// extension lines of label data files and the settings file, the fine origin
// adjustment, damaged stock lines, and the user's stock file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/Cp932.h"
#include "files/LabelDataFile.h"
#include "files/LayoutBlock.h"
#include "files/SettingsFile.h"
#include "files/UserStockFile.h"
#include "model/StockPresets.h"
#include "support/TempFolder.h"

namespace {

std::string sjis(const std::string& utf8) {
    return cp932::encode(utf8).value();
}

// Every label of the stock with texts of its own and, every third, the reduced rate.
LabelSheet filledSheet(const LabelStock& stock) {
    LabelSheet sheet(stock);
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        const std::string k = std::to_string(n);
        sheet.label(n) = LabelRecord{"490123456789" + std::to_string(n % 10),
                                     "メーカー" + k,
                                     "品名" + k,
                                     "規格" + k,
                                     "L" + k,
                                     std::to_string(100 + n)};
        sheet.label(n).taxRate = n % 3 == 0 ? TaxRate::Reduced : TaxRate::Standard;
    }
    return sheet;
}

LayoutSettings patternOn(const LabelStock& stock) {
    LayoutSettings pattern = initialLayoutSettings();
    changeStock(pattern, stock);
    return pattern;
}

std::string labelFileBytes(const LabelSheet& sheet, const LayoutSettings& pattern) {
    std::string bytes;
    EXPECT_TRUE(formatLabelFile(sheet, pattern, bytes).ok());
    return bytes;
}

// The bytes up to the end of line `lines`.
std::string firstLines(const std::string& bytes, int lines) {
    std::size_t end = 0;
    for (int i = 0; i < lines; ++i)
        end = bytes.find("\r\n", end) + 2;
    return bytes.substr(0, end);
}

int lineOf(const std::string& bytes, const std::string& text) {
    const std::size_t at = bytes.find(text);
    int line = 1;
    for (std::size_t i = 0; i < at; ++i)
        line += bytes[i] == '\n';
    return line;
}

TEST(StockLines, ASheetOnAnyPresetComesBackEqual) {
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        LabelSheet sheet = filledSheet(preset.stock);
        // What labels carry beside their texts, on labels past the tenth too:
        // their lines name labels the stock line before them makes.
        for (int n = 4; n <= sheet.labelCount(); n += 7) {
            sheet.label(n).details.contents = "500g";
            sheet.label(n).details.origin = "静岡県産";
            sheet.label(n).qrContent = "https://example.jp/item/" + std::to_string(n);
        }
        LayoutSettings pattern = patternOn(preset.stock);
        pattern.element(LabelElement::Lot).offsetY = -1;
        pattern.element(LabelElement::Origin).offsetX = 2;
        pattern.element(LabelElement::Qr).offsetY = -2;
        setAdjustTenths(pattern, 0, -37);
        const std::string bytes = labelFileBytes(sheet, pattern);

        LabelSheet read;
        LayoutSettings readPattern = initialLayoutSettings();
        int damagedStockLine = -1;
        ASSERT_TRUE(parseLabelFile(bytes, read, readPattern, nullptr, nullptr, FileText::Cp932,
                                   nullptr, &damagedStockLine)
                        .ok());
        EXPECT_EQ(damagedStockLine, 0);
        EXPECT_EQ(read, sheet);
        EXPECT_EQ(readPattern, pattern);
        // Written again, the same bytes.
        EXPECT_EQ(labelFileBytes(read, readPattern), bytes);
    }
}

// A reader that takes the defined lines (and skips lines it does not know)
// sees the first ten labels as they are.
TEST(StockLines, ReadersOfTheDefinedLinesSeeTheFirstTenLabels) {
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        const LabelSheet sheet = filledSheet(preset.stock);
        const std::string bytes = labelFileBytes(sheet, patternOn(preset.stock));
        const std::string defined = firstLines(bytes, 21);
        EXPECT_EQ(defined.find(sjis("拡張")), std::string::npos);
        LabelSheet read;
        LayoutSettings pattern = initialLayoutSettings();
        ASSERT_TRUE(parseLabelFile(defined, read, pattern).ok());
        ASSERT_EQ(read.labelCount(), 10);
        for (int n = 1; n <= std::min(10, sheet.labelCount()); ++n) {
            for (LabelField f : kLabelFields)
                EXPECT_EQ(read.label(n).field(f), sheet.label(n).field(f)) << n;
        }
        EXPECT_EQ(firstMisfitLine(bytes), 0);
    }
}

// The standard stock in whole millimetres needs none of the lines: its file
// is the one written before stocks were known, and the same for the settings file.
TEST(StockLines, TheStandardStockIsWrittenAsBefore) {
    LabelSheet sheet = filledSheet(kStandardStock);
    for (int n = 1; n <= 10; ++n)
        sheet.label(n).taxRate = TaxRate::Standard;
    const LayoutSettings pattern = initialLayoutSettings();
    const std::string bytes = labelFileBytes(sheet, pattern);
    EXPECT_EQ(bytes, firstLines(bytes, 21));
    EXPECT_EQ(bytes.find(sjis("拡張")), std::string::npos);
    Result r;
    const std::string settings = formatSettingsBytes(pattern, r);
    EXPECT_EQ(settings.find(sjis("拡張")), std::string::npos);

    // A fine adjustment adds its one line and nothing else.
    LayoutSettings fine = pattern;
    setAdjustTenths(fine, 1, 4);
    const std::string fineBytes = labelFileBytes(sheet, fine);
    EXPECT_EQ(fineBytes, bytes + sjis("\"拡張\",\"位置微調整\",0,4\r\n"));
}

TEST(StockLines, TheSettingsFileKeepsThePatternsStock) {
    const LabelStock stock = stockPresetNamed("A4 44面 48.3×25.4mm")->stock;
    LayoutSettings pattern = patternOn(stock);
    setAdjustTenths(pattern, 0, 15);
    Result r;
    const std::string bytes = formatSettingsBytes(pattern, r);
    ASSERT_TRUE(r.ok());
    EXPECT_NE(bytes.find(sjis("\"拡張\",\"用紙\",\"A4 44面 48.3×25.4mm\",\"A4\",48.3,25.4,1.5,4,"
                              "11,8.8,8.4,48.3,25.4\r\n")),
              std::string::npos);
    LayoutSettings read = initialLayoutSettings();
    const SettingsRead outcome = readSettingsBytes(bytes, read);
    EXPECT_FALSE(outcome.needsWarning());
    EXPECT_EQ(read, pattern);
    // No label lines in a pattern.
    EXPECT_EQ(bytes.find(sjis("ラベル")), std::string::npos);
}

// A stock line that cannot be read: the standard stock with the labels of
// the records, the line named; what the other lines say is kept.
TEST(StockLines, ADamagedStockLineGivesTheStandardStockAndItsLine) {
    const LabelStock stock = stockPresetNamed("A4 24面 66×33.9mm")->stock;
    const LabelSheet sheet = filledSheet(stock);
    LayoutSettings pattern = patternOn(stock);
    pattern.pricing.mode = PriceMode::BaseAndTaxIncluded;
    const std::string good = labelFileBytes(sheet, pattern);
    const std::string stockLine =
        sjis("\"拡張\",\"用紙\",\"A4 24面 66×33.9mm\",\"A4\",66,33.9,2,3,8,12.9,6,66,33.9\r\n");
    ASSERT_NE(good.find(stockLine), std::string::npos);
    const int line = lineOf(good, stockLine);
    const struct {
        const char* what;
        std::string replacement;
        int damagedLine;  // from the stock line
    } cases[] = {
        {"paper of no name", "\"拡張\",\"用紙\",\"\",\"A3\",66,33.9,2,3,8,12.9,6,66,33.9\r\n", 0},
        {"negative width", "\"拡張\",\"用紙\",\"\",\"A4\",-66,33.9,2,3,8,12.9,6,66,33.9\r\n", 0},
        {"overlapping", "\"拡張\",\"用紙\",\"\",\"A4\",66,33.9,2,3,8,12.9,6,60,33.9\r\n", 0},
        {"past the paper", "\"拡張\",\"用紙\",\"\",\"A4\",66,33.9,2,3,8,50,6,66,33.9\r\n", 0},
        {"too many labels", "\"拡張\",\"用紙\",\"\",\"A4\",1,1,0,11,11,0,0,1,1\r\n", 0},
        {"a field missing", "\"拡張\",\"用紙\",\"\",\"A4\",66,33.9,2,3,8,12.9,6,66\r\n", 0},
        {"not a number", "\"拡張\",\"用紙\",\"\",\"A4\",66,x,2,3,8,12.9,6,66,33.9\r\n", 0},
        {"a count with a fraction",
         "\"拡張\",\"用紙\",\"\",\"A4\",66,33.9,2,3.5,8,12.9,6,66,33.9\r\n", 0},
        // Without the stock line, the labels past the tenth have no place.
        {"gone", "", 0},
        // A stock of 12 labels: the line of label 13 has no place.
        {"a smaller stock", "\"拡張\",\"用紙\",\"\",\"A4\",66,33.9,2,3,4,12.9,6,66,33.9\r\n", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good;
        bytes.replace(bytes.find(stockLine), stockLine.size(), sjis(c.replacement));
        LabelSheet read;
        LayoutSettings readPattern = initialLayoutSettings();
        PriceExtensionRead prices = PriceExtensionRead::Absent;
        int damagedStockLine = 0;
        ASSERT_TRUE(parseLabelFile(bytes, read, readPattern, &prices, nullptr, FileText::Cp932,
                                   nullptr, &damagedStockLine)
                        .ok());
        EXPECT_EQ(damagedStockLine, line + c.damagedLine);
        EXPECT_EQ(readPattern.stock, kStandardStock);
        ASSERT_EQ(read.labelCount(), 10);
        for (int n = 1; n <= 10; ++n)
            EXPECT_EQ(read.label(n), sheet.label(n)) << n;
        EXPECT_EQ(prices, PriceExtensionRead::Read);
        EXPECT_EQ(readPattern.pricing.mode, PriceMode::BaseAndTaxIncluded);
        EXPECT_DOUBLE_EQ(readPattern.originX, kStandardStock.firstLabel.x);
    }
}

TEST(StockLines, DamagedLabelAndFineLinesAreToldToo) {
    const LabelStock stock = stockPresetNamed("A4 12面 86.4×42.3mm")->stock;
    const LabelSheet sheet = filledSheet(stock);
    const std::string good = labelFileBytes(sheet, patternOn(stock));
    const std::string tail[] = {
        "\"拡張\",\"ラベル\",13,\"\",\"\",\"品\",\"\",\"\",\"\",10\r\n",      // no label 13
        "\"拡張\",\"ラベル\",5,\"\",\"\",\"品\",\"\",\"\",\"\",10\r\n",       // one of the records
        "\"拡張\",\"ラベル\",11,\"\",\"\",\"品\",\"\",\"\",\"\",5\r\n",       // no such rate
        "\"拡張\",\"ラベル\",11,\"\",\"\",\"品\",\"\",\"\",\"\"\r\n",         // a field missing
        "\"拡張\",\"ラベル\",\"11\",\"\",\"\",\"品\",\"\",\"\",\"\",10\r\n",  // a text number
    };
    for (const std::string& line : tail) {
        SCOPED_TRACE(line);
        LabelSheet read;
        LayoutSettings pattern = initialLayoutSettings();
        int damagedStockLine = 0;
        const std::string bytes = good + sjis(line);
        ASSERT_TRUE(parseLabelFile(bytes, read, pattern, nullptr, nullptr, FileText::Cp932, nullptr,
                                   &damagedStockLine)
                        .ok());
        EXPECT_EQ(damagedStockLine, lineOf(bytes, sjis(line)));
        EXPECT_EQ(read.labelCount(), 10);
    }
    for (const char* fine : {"\"拡張\",\"位置微調整\",10,0\r\n", "\"拡張\",\"位置微調整\",1\r\n"}) {
        SCOPED_TRACE(fine);
        LayoutSettings pattern = initialLayoutSettings();
        LabelSheet read;
        int damagedStockLine = 0;
        ASSERT_TRUE(parseLabelFile(good + sjis(fine), read, pattern, nullptr, nullptr,
                                   FileText::Cp932, nullptr, &damagedStockLine)
                        .ok());
        EXPECT_EQ(damagedStockLine, 0);  // the stock stands; the fine part is 0
        EXPECT_EQ(pattern.stock, stock);
        EXPECT_EQ(pattern.xFineTenths, 0);
        EXPECT_EQ(read, sheet);
    }
}

// A text the file cannot hold is refused wherever the label stands.
TEST(StockLines, LabelsPastTheTenthAreCheckedAsTheOthers) {
    const LabelStock stock = stockPresetNamed("A4 18面 70×42.3mm")->stock;
    LabelSheet sheet = filledSheet(stock);
    sheet.label(17).productName = "😀";
    std::string bytes;
    const Result r = formatLabelFile(sheet, patternOn(stock), bytes);
    EXPECT_EQ(r.code, ResultCode::NotEncodable);
    EXPECT_EQ(r.labelNumber, 17);
    EXPECT_TRUE(bytes.empty());
}

std::vector<NamedStock> someStocks() {
    NamedStock own{"店の特売札 (A5)", stockPresetNamed("A4 10面 86.4×50.8mm")->stock};
    own.stock.paper = {148, 210};
    own.stock.columns = 1;
    own.stock.rows = 3;
    own.stock.firstLabel = {10.25, 12};
    own.stock.pitchYMm = 60.5;
    return {own,
            stockPresets()[8],
            {"Letter 30", {{215.9, 279.4}, 66.7, 25.4, 0, 3, 10, {4.8, 12.7}, 69.85, 25.4}}};
}

TEST(UserStocks, TheUsersStocksComeBackFromTheirFile) {
    TempFolder tmp{"tanahuda-stocks"};
    const std::string path = userStockPathBeside(tmp.path("data.txt"));
    EXPECT_EQ(path, tmp.path("stocks.csv"));
    ASSERT_TRUE(writeUserStocks(path, someStocks()).ok());
    const UserStocksRead read = readUserStocks(path);
    EXPECT_TRUE(read.failure.ok());
    EXPECT_EQ(read.stocks, someStocks());
    EXPECT_TRUE(writeUserStocks(path, {}).ok());
    EXPECT_TRUE(readUserStocks(path).stocks.empty());
    EXPECT_EQ(readUserStocks(tmp.path("none.csv")).failure.code, ResultCode::NotFound);
}

TEST(UserStocks, StocksThatCannotBeKeptAreRefusedWhole) {
    const struct {
        const char* what;
        NamedStock stock;
        ResultCode code;
    } cases[] = {
        {"no name", {"", kStandardStock}, ResultCode::StockNotFound},
        {"a quote", {"A\"B", kStandardStock}, ResultCode::QuoteInText},
        {"overlapping",
         {"重なり", {{210, 297}, 91, 55, 0, 2, 5, {12, 7.8}, 90, 55}},
         ResultCode::StockLabelsOverlap},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = "left over";
        EXPECT_EQ(formatUserStocks({stockPresets()[1], c.stock}, bytes).code, c.code);
        EXPECT_TRUE(bytes.empty());
    }
    std::string bytes;
    EXPECT_EQ(
        formatUserStocks(std::vector<NamedStock>(kMaxUserStocks + 1, stockPresets()[1]), bytes)
            .code,
        ResultCode::StockFileDamaged);
}

// Damaged and hostile files: refused or read in part, never more than the limits.
TEST(UserStocks, DamagedFilesAreReadAsFarAsTheyCanBe) {
    std::string good;
    ASSERT_TRUE(formatUserStocks(someStocks(), good).ok());
    const std::string marker = "\"棚札用紙\"\r\n";
    const std::string row =
        good.substr(marker.size(), good.find("\r\n", marker.size()) + 2 - marker.size());
    const struct {
        const char* what;
        std::string bytes;
        ResultCode code;
        int line;
        std::size_t stocks;
    } cases[] = {
        {"as written", good, ResultCode::Ok, 0, 3},
        {"empty", "", ResultCode::NotLabelFile, 0, 0},
        {"no marker", row, ResultCode::NotLabelFile, 0, 0},
        {"a label file", "\"棚札\"\r\n" + row, ResultCode::NotLabelFile, 0, 0},
        {"a damaged line", marker + "\"x\",\"A4\",1\r\n" + row, ResultCode::StockFileDamaged, 2, 1},
        {"a line of thousands of fields", marker + std::string(100000, ',') + "\r\n" + row,
         ResultCode::StockFileDamaged, 2, 1},
        {"not UTF-8", marker + "\"\x82\xa0\"" + row.substr(row.find(',')),
         ResultCode::StockFileDamaged, 2, 0},
        {"cut short", good.substr(0, good.size() - 5), ResultCode::StockFileDamaged, 4, 2},
        {"too large", marker + std::string(kMaxUserStockFileBytes, ' '), ResultCode::ReadFailed, 0,
         0},
        {"a quote never closed", marker + "\"abc", ResultCode::StockFileDamaged, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const UserStocksRead read = parseUserStocks(c.bytes);
        EXPECT_EQ(read.failure.code, c.code);
        EXPECT_EQ(read.failure.line, c.line);
        EXPECT_EQ(read.stocks.size(), c.stocks);
    }
    std::string many = marker;
    for (std::size_t i = 0; i < kMaxUserStocks + 5; ++i)
        many += row;
    const UserStocksRead read = parseUserStocks(many);
    EXPECT_EQ(read.stocks.size(), kMaxUserStocks);
    EXPECT_EQ(read.failure.code, ResultCode::StockFileDamaged);
    EXPECT_EQ(read.failure.line, static_cast<int>(kMaxUserStocks) + 2);
}

}  // namespace
