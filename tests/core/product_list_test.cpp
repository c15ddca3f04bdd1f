#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "files/BatchSheets.h"
#include "files/ProductList.h"
#include "model/Utf8Text.h"
#include "support/TempFolder.h"

namespace {

// A row of the list made into a label through the column table, as a batch
// makes it.
struct Product {
    int lineNumber = 0;
    LabelRecord record;
};

struct ReadResult {
    std::vector<Product> rows;
    std::vector<Result> problems;
};

ReadResult readAll(const std::string& bytes, TextEncoding encoding = TextEncoding::Auto) {
    std::istringstream in(bytes);
    ProductListReader reader(in, encoding);
    ReadResult result;
    while (auto row = reader.next(result.problems)) {
        Product product{row->lineNumber, {}};
        if (Result fault = fillLabel(*row, product.record); !fault.ok())
            result.problems.push_back(std::move(fault));
        else
            result.rows.push_back(std::move(product));
    }
    return result;
}

LabelRecord record(std::string jan, std::string maker, std::string name, std::string spec,
                   std::string lot, std::string price) {
    return LabelRecord{jan, maker, name, spec, lot, price};
}

}  // namespace

TEST(ProductList, RowsInFieldOrderWithoutHeader) {
    const auto r = readAll("4901234567894,メーカー,品名A,100g,L1,198\r\n49123456,,B,,,1\r\n");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].record, record("4901234567894", "メーカー", "品名A", "100g", "L1", "198"));
    EXPECT_EQ(r.rows[0].lineNumber, 1);
    EXPECT_EQ(r.rows[1].record, record("49123456", "", "B", "", "", "1"));
    EXPECT_EQ(r.rows[1].lineNumber, 2);
    EXPECT_TRUE(r.problems.empty());
}

TEST(ProductList, HeaderRowPutsColumnsInAnyOrder) {
    const struct {
        const char* header;
    } headers[] = {{"売価,品名,JANコード,ロット,規格,メーカー"},
                   {"price,name,JAN,lot,spec,maker"},
                   {"Price , Name,jan,LOT,Spec,MAKER"}};
    for (const auto& h : headers) {
        const auto r = readAll(std::string(h.header) + "\n298,お茶,4901234567894,L9,500ml,茶舗\n");
        ASSERT_EQ(r.rows.size(), 1u) << h.header;
        EXPECT_EQ(r.rows[0].record, record("4901234567894", "茶舗", "お茶", "500ml", "L9", "298"))
            << h.header;
        EXPECT_EQ(r.rows[0].lineNumber, 2);
    }
}

TEST(ProductList, HeaderWithUnknownColumnsIgnoresThem) {
    const auto r = readAll("品名,在庫数,売価\nりんご,12,100\n");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].record, record("", "", "りんご", "", "", "100"));
}

TEST(ProductList, AFirstRowWithNumbersIsDataEvenWhenItsTextsLookLikeColumnNames) {
    const auto r = readAll("4901234567894,メーカー,品名,,,100\n");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].record, record("4901234567894", "メーカー", "品名", "", "", "100"));
}

TEST(ProductList, QuotedFieldsAsSpreadsheetsWriteThem) {
    const auto r = readAll(
        "\xEF\xBB\xBF\"4901234567894\",\"A \"\"special\"\" maker\", \"two, lines\",\"1,000 "
        "g\",,\"1,980\"\n"
        "49123456,x,y,,,\n");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].record,
              record("4901234567894", "A \"special\" maker", "two, lines", "1,000 g", "", "1,980"));
    EXPECT_EQ(r.rows[1].lineNumber, 2);
    EXPECT_TRUE(r.problems.empty());
}

TEST(ProductList, Cp932ListIsDetectedAndGivesTheSameTexts) {
    // "品名A" and "円" in code page 932.
    const std::string cp932 = "4901234567894,\x87\x8a,\x95\x69\x96\xbc\x41,,,100\r\n";
    const auto r = readAll(cp932);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].record, record("4901234567894", "㈱", "品名A", "", "", "100"));
    const auto utf8 = readAll("4901234567894,㈱,品名A,,,100\r\n");
    EXPECT_EQ(utf8.rows[0].record, r.rows[0].record);
}

TEST(ProductList, DamagedRowsAreReportedWithTheirLineAndSkipped) {
    const auto r =
        readAll("4901234567894,a,b,,,1\n1,2,3,4,5,6,7\n,,,,,\n49123456,c,d,,,2\n\"open,quote\n");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].lineNumber, 1);
    EXPECT_EQ(r.rows[1].lineNumber, 4);
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 2);  // seven columns
    EXPECT_EQ(r.problems[1].line, 5);  // quote never closed
}

// A row that never ends (a quote left open, a line of endless commas) is read
// through without being kept, and reported; the rows after it still come.
TEST(ProductList, OverlongRowsAreReportedNotKept) {
    const std::string commas(200000, ',');
    const auto r = readAll("a,b,c\n" + commas + "\nd,e,f\n\"" + std::string(100000, 'x'));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[1].record.productName, "f");
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 2);
    EXPECT_EQ(r.problems[0].code, ResultCode::RowTooLong);
    EXPECT_EQ(r.problems[1].line, 4);
    EXPECT_EQ(r.problems[1].code, ResultCode::RowTooLong);
}

TEST(ProductList, UndecodableBytesMakeARowDamagedWhenEncodingIsForced) {
    const auto r = readAll("a,b,c\n\xff\xfe,x,y\n", TextEncoding::Utf8);
    ASSERT_EQ(r.rows.size(), 1u);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2);
}

// A quoted cell may go on over lines (a spreadsheet's Alt+Enter), as quoting
// in comma-separated files has it; a quote left open to the end of the list
// is that row's fault alone, and the next line is the next row.
TEST(ProductList, AQuoteLeftOpenSkipsOnlyItsOwnLine) {
    const struct {
        const char* name;
        std::string list;
        std::vector<std::string> names;  // product names read, in order
        std::vector<int> problemLines;
    } cases[] = {
        {"stray quote in row 3",
         "a,b,P1\na,b,P2\n\"a,b,P3\na,b,P4\na,b,P5\n",
         {"P1", "P2", "P4", "P5"},
         {3}},
        // A quote closed lines later, followed by a separator, holds the
        // lines between as one cell (here the code), joined by blanks.
        {"a quote closed three lines on",
         "a,b,P1\n\"a,b,P2\na,b,P3\na,b,P4\",x\na,b,P5\n",
         {"P1", "", "P5"},
         {}},
        {"quote open at the end of the list", "a,b,P1\na,\"b,P2", {"P1"}, {2}},
        {"a line break inside quotes", "a,\"b\nc\",P1\na,b,P2\n", {"P1", "P2"}, {}},
        {"quote open in a header list", "JAN,品名\n1,\"P2\n3,P3\n", {"P3"}, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = readAll(c.list);
        std::vector<std::string> names;
        for (const Product& row : r.rows)
            names.push_back(row.record.productName);
        std::vector<int> lines;
        for (const Result& p : r.problems)
            lines.push_back(p.line);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(lines, c.problemLines);
    }
    const auto r = readAll("\"a,b,c\n");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].code, ResultCode::RowQuoteNotClosed);
}

// Line numbers count what an editor shows, whatever the line ends.
TEST(ProductList, LineEndsOfEveryKindCountOneLineEach) {
    const auto r = readAll("a,b,P1\r\r\na,b,P2\ra,b,P3\r\n\r\na,b,P5\na,b,P6\r\r\r\na,b,P7");
    std::vector<int> lines;
    for (const Product& row : r.rows)
        lines.push_back(row.lineNumber);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 5, 6, 7}));
    EXPECT_EQ(r.rows[0].record.productName, "P1");  // no carriage return left in a text
    EXPECT_TRUE(r.problems.empty());
}

// Each row is read in the encoding it is written in; --encoding forces one.
TEST(ProductList, EachRowIsDecodedInItsOwnEncoding) {
    const std::string utf8Row = "4901234567894,乳業,牛乳,,,198\n";
    const std::string cp932Row = "4901234567894,\x93\xfb\x8b\xc6,\x8b\x8d\x93\xfb,,,198\n";
    const std::string neitherRow = "4901234567894,\x81\x20\xff\xfe,x,,,1\n";
    const std::string list = utf8Row + cp932Row + utf8Row + neitherRow;
    const struct {
        TextEncoding encoding;
        std::vector<int> rowLines;
        std::vector<int> problemLines;
        ResultCode reason;
    } cases[] = {
        {TextEncoding::Auto, {1, 2, 3}, {4}, ResultCode::RowNotDecodable},
        {TextEncoding::Utf8, {1, 3}, {2, 4}, ResultCode::RowNotUtf8},
        {TextEncoding::Cp932, {1, 2, 3}, {4}, ResultCode::RowNotCp932},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        const auto r = readAll(list, c.encoding);
        std::vector<int> rowLines;
        for (const Product& row : r.rows)
            rowLines.push_back(row.lineNumber);
        std::vector<int> problemLines;
        for (const Result& p : r.problems) {
            problemLines.push_back(p.line);
            EXPECT_EQ(p.code, c.reason);
        }
        EXPECT_EQ(rowLines, c.rowLines);
        EXPECT_EQ(problemLines, c.problemLines);
        if (c.encoding == TextEncoding::Auto) {
            for (const Product& row : r.rows)
                EXPECT_EQ(row.record, record("4901234567894", "乳業", "牛乳", "", "", "198"));
        }
    }
}

// A list is read like a label file: only a regular file, never waiting, bounded.
TEST(ProductListFile, OnlyARegularFileOfBoundedSizeIsRead) {
    TempFolder tmp("tanahuda-list");
    tmp.put("list.csv", "a,b,c\n");
    std::string bytes;
    ASSERT_TRUE(readProductListFile(tmp.path("list.csv"), bytes).ok());
    EXPECT_EQ(bytes, "a,b,c\n");

    ASSERT_EQ(::mkfifo(tmp.path("fifo").c_str(), 0600), 0);
    tmp.put("huge.csv", std::string());
    // Sparse: costs nothing on the disk.
    std::filesystem::resize_file(tmp.path("huge.csv"), kMaxProductListBytes + 1);
    const struct {
        std::string path;
        ResultCode code;
    } cases[] = {
        {tmp.path("missing.csv"), ResultCode::NotFound},
        {tmp.dir().string(), ResultCode::ReadFailed},
        {tmp.path("fifo"), ResultCode::ReadFailed},
        {"/dev/zero", ResultCode::ReadFailed},
        {tmp.path("huge.csv"), ResultCode::ReadFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        bytes = "old";
        const Result r = readProductListFile(c.path, bytes);
        EXPECT_EQ(r.code, c.code);
        EXPECT_FALSE(r.detail.empty());
        EXPECT_TRUE(bytes.empty());
    }
}

TEST(BatchSheets, TwentyFiveProductsFromPositionSevenFillFourSheets) {
    std::string list;
    for (int i = 1; i <= 25; ++i)
        list += "4901234567894,m,P" + std::to_string(i) + ",,,1\n";
    EXPECT_EQ(readAll(list).rows.size(), 25u);
    EXPECT_EQ(sheetsNeeded(25, 7, kStandardStock.labelCount()), 4);
    std::istringstream in(list);
    ProductListReader reader(in, TextEncoding::Auto);
    BatchSheetBuilder builder(reader, 7);
    std::vector<Result> problems;
    std::vector<LabelSheet> sheets;
    LabelSheet sheet;
    while (builder.nextSheet(sheet, problems))
        sheets.push_back(sheet);
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_TRUE(problems.empty());
    // Sheet 1: labels 1..6 free, products 1..4 on labels 7..10.
    for (int k = 1; k <= 6; ++k)
        EXPECT_TRUE(sheets[0].label(k).isEmpty()) << k;
    for (int k = 7; k <= 10; ++k)
        EXPECT_EQ(sheets[0].label(k).productName, "P" + std::to_string(k - 6));
    EXPECT_EQ(sheets[1].label(1).productName, "P5");
    EXPECT_EQ(sheets[2].label(10).productName, "P24");
    EXPECT_EQ(sheets[3].label(1).productName, "P25");
    for (int k = 2; k <= 10; ++k)
        EXPECT_TRUE(sheets[3].label(k).isEmpty()) << k;
    EXPECT_EQ(builder.labelsPlaced(), 25);
}

// A list's code is printed as the list has it: a wrong check digit is told,
// never replaced; a row without a name takes no label, so the labels after it
// move up and the count is of labels printed.
TEST(BatchSheets, ListRowsArePrintedAsTheyReadAndTheOthersReported) {
    std::istringstream in(
        "4901234567899,m,wrong check digit,,,1\n"
        "490123456789,m,twelve digits,,,1\n"
        "4901234567894,m,,,,1\n"
        ",m,no code,,,1\n"
        "４９０１２３４,m,seven full-width digits,,,1\n"
        "49012345678941,m,fourteen digits,,,1\n"
        "036000291452,m,UPC-A,,,1\n");
    ProductListReader reader(in, TextEncoding::Auto);
    BatchSheetBuilder builder(reader, 1);
    std::vector<Result> problems;
    LabelSheet sheet;
    ASSERT_TRUE(builder.nextSheet(sheet, problems));
    EXPECT_EQ(builder.labelsPlaced(), 6);
    EXPECT_EQ(sheet.label(1).janCode, "4901234567899");
    EXPECT_EQ(sheet.label(2).janCode, "490123456789");
    EXPECT_EQ(sheet.label(3).productName, "no code");
    EXPECT_EQ(sheet.label(4).janCode, "49012347");
    EXPECT_EQ(sheet.label(5).janCode, "49012345678941");
    EXPECT_EQ(sheet.label(6).janCode, "0036000291452");
    EXPECT_TRUE(sheet.label(7).isEmpty());
    std::vector<std::pair<int, ResultCode>> told;
    for (const Result& p : problems)
        told.emplace_back(p.line, p.code);
    EXPECT_EQ(told, (std::vector<std::pair<int, ResultCode>>{
                        {1, ResultCode::RowWrongCheckDigit},
                        {2, ResultCode::RowCodeTwelveDigits},
                        {3, ResultCode::RowWithoutName},
                        {6, ResultCode::RowWithoutBarcode},
                    }));
    EXPECT_EQ(builder.lineOf(3), 4);
    EXPECT_FALSE(builder.nextSheet(sheet, problems));
}

// Prices under a header that says what they are become what the sheet's
// price box holds; a tax-inclusive amount no pre-tax price gives takes no
// label, and a price that is no amount loses only its tax line.
TEST(BatchSheets, PricesAreBroughtToThePriceMode) {
    const std::string list =
        "JAN,品名,税込価格,税率\n"
        "4901234567894,茶,1080,8\n"
        "4901234567894,皿,10,10\n"
        "4901234567894,福袋,オープン,10\n";
    const struct {
        PricePattern pricing;
        std::vector<std::string> prices;
        std::vector<std::pair<int, ResultCode>> told;
    } cases[] = {
        {{PriceMode::TaxIncludedOnly, TaxRounding::Floor}, {"1080", "10", "オープン"}, {}},
        {{PriceMode::BaseAndTaxIncluded, TaxRounding::Floor},
         {"1,000", "オープン"},
         {{3, ResultCode::RowNoPreTaxPrice}, {4, ResultCode::RowPriceNotAnAmount}}},
        {{PriceMode::BaseAndTaxIncluded, TaxRounding::Ceiling},
         {"1,000", "9", "オープン"},
         {{4, ResultCode::RowPriceNotAnAmount}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.pricing.rounding));
        std::istringstream in(list);
        ProductListReader reader(in, TextEncoding::Auto);
        BatchSheetBuilder builder(reader, 1, c.pricing);
        std::vector<Result> problems;
        LabelSheet sheet;
        ASSERT_TRUE(builder.nextSheet(sheet, problems));
        std::vector<std::string> prices;
        for (int n = 1; n <= builder.labelsPlaced(); ++n)
            prices.push_back(sheet.label(n).price);
        EXPECT_EQ(prices, c.prices);
        std::vector<std::pair<int, ResultCode>> told;
        for (const Result& p : problems)
            told.emplace_back(p.line, p.code);
        EXPECT_EQ(told, c.told);
    }
}

TEST(BatchSheets, SheetsNeeded) {
    const struct {
        long products;
        int start;
        long sheets;
    } cases[] = {{0, 1, 0}, {1, 1, 1},  {10, 1, 1},       {11, 1, 2}, {4, 7, 1},
                 {5, 7, 2}, {25, 7, 4}, {10000, 1, 1000}, {1, 10, 1}, {2, 10, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(sheetsNeeded(c.products, c.start, kStandardStock.labelCount()), c.sheets)
            << c.products << " from " << c.start;
}

// A sheet of another stock: the builder fills every label it has and starts
// where the stock allows; the count of sheets agrees with what was laid.
TEST(BatchSheets, SheetsFollowTheStock) {
    const struct {
        int labels;  // per sheet
        int start;
        long products;
        long sheets;
        int lastLabel;  // of the last sheet
    } cases[] = {
        {12, 11, 2, 1, 12},                       // the last two labels of a twelve-label sheet
        {12, 11, 3, 2, 1},  {12, 13, 12, 1, 12},  // off the sheet: from label 1
        {12, 0, 25, 3, 1},  {21, 21, 22, 2, 21}, {1, 1, 3, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.labels) + " labels from " + std::to_string(c.start));
        std::string list;
        for (long i = 1; i <= c.products; ++i)
            list += "4901234567894,m,P" + std::to_string(i) + ",,,1\n";
        std::istringstream in(list);
        ProductListReader reader(in, TextEncoding::Auto);
        BatchSheetBuilder builder(reader, c.start);
        std::vector<Result> problems;
        LabelSheet sheet(c.labels);
        long sheets = 0;
        LabelSheet last(c.labels);
        while (builder.nextSheet(sheet, problems)) {
            ASSERT_EQ(sheet.labelCount(), c.labels);
            last = sheet;
            ++sheets;
        }
        EXPECT_EQ(sheets, c.sheets);
        EXPECT_EQ(sheetsNeeded(c.products, c.start, c.labels), c.sheets);
        EXPECT_EQ(builder.labelsPlaced(), c.products);
        EXPECT_EQ(last.label(c.lastLabel).productName, "P" + std::to_string(c.products));
        for (int k = c.lastLabel + 1; k <= c.labels; ++k)
            EXPECT_TRUE(last.label(k).isEmpty()) << k;
    }
    EXPECT_EQ(sheetsNeeded(5, 1, 0), 0);  // a stock without labels holds nothing
}

TEST(ProductList, TaxRateColumnAsTillsExportIt) {
    const char* list =
        "JAN,品名,売価,税率\n"
        "4901234567894,牛乳,198,8\n"
        "4901234567894,洗剤,398,10%\n"
        "4901234567894,切手,84,非課税\n"
        "4901234567894,パン,150,軽減\n"
        "4901234567894,電池,500,標準\n"
        "4901234567894,茶,120,８％\n"
        "4901234567894,皿,300,\n"
        "4901234567894,酒,980,5\n"
        "4901234567894,米,2000,軽減税率\n"
        "4901234567894,塩,100, 0 \n";
    const auto r = readAll(list);
    const TaxRate expected[] = {TaxRate::Reduced,  TaxRate::Standard, TaxRate::Exempt,
                                TaxRate::Reduced,  TaxRate::Standard, TaxRate::Reduced,
                                TaxRate::Standard, TaxRate::Reduced,  TaxRate::Exempt};
    ASSERT_EQ(r.rows.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(r.rows[i].record.taxRate, expected[i]) << r.rows[i].record.productName;
    EXPECT_EQ(r.rows[6].record.price, "300");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 9);
    EXPECT_EQ(r.problems[0].code, ResultCode::RowBadTaxRate);
    EXPECT_EQ(r.problems[0].detail, "5");

    // Without the column every product is at the standard rate, and a header
    // naming only the rate besides one field is still a header.
    const auto plain = readAll("品名,tax rate\nお茶,8\n");
    ASSERT_EQ(plain.rows.size(), 1u);
    EXPECT_EQ(plain.rows[0].record.productName, "お茶");
    EXPECT_EQ(plain.rows[0].record.taxRate, TaxRate::Reduced);
    EXPECT_EQ(readAll("a,b,お茶\n").rows[0].record.taxRate, TaxRate::Standard);

    // The rate goes onto the sheet with the product.
    std::istringstream in(list);
    ProductListReader reader(in, TextEncoding::Auto);
    BatchSheetBuilder builder(reader, 1);
    LabelSheet sheet;
    std::vector<Result> problems;
    ASSERT_TRUE(builder.nextSheet(sheet, problems));
    EXPECT_EQ(sheet.label(1).taxRate, TaxRate::Reduced);
    EXPECT_EQ(sheet.label(3).taxRate, TaxRate::Exempt);
}

// Byte sequences shaped like UTF-8 but not UTF-8 (an overlong form, a
// surrogate, a code point beyond U+10FFFF) are no UTF-8 row: forced UTF-8
// reports the row, and Auto reads it as code page 932, as it would any other
// row that is not UTF-8. Every text read is UTF-8 that decodes and encodes
// back to itself.
TEST(ProductList, OnlyWellFormedUtf8IsUtf8) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"overlong three bytes", "\xE0\x83\xBC"},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF"},
        {"surrogate", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string list = "4901234567894," + c.bytes + ",x,,,1\n";
        const auto forced = readAll(list, TextEncoding::Utf8);
        EXPECT_TRUE(forced.rows.empty());
        ASSERT_EQ(forced.problems.size(), 1u);
        EXPECT_EQ(forced.problems[0].code, ResultCode::RowNotUtf8);

        const auto automatic = readAll(list);
        const auto cp932 = readAll(list, TextEncoding::Cp932);
        ASSERT_EQ(automatic.rows.size(), cp932.rows.size());
        for (std::size_t i = 0; i < automatic.rows.size(); ++i) {
            const std::string& maker = automatic.rows[i].record.maker;
            EXPECT_EQ(maker, cp932.rows[i].record.maker);
            EXPECT_EQ(utf8::fromUtf32(utf8::toUtf32(maker)), maker);
        }
    }
    // The same characters well formed are read as they are.
    const auto good =
        readAll("4901234567894,\xC3\xBC\xF0\x9F\x8D\xB5\xED\x9F\xBF,x,,,1\n", TextEncoding::Utf8);
    ASSERT_EQ(good.rows.size(), 1u);
    EXPECT_EQ(good.rows[0].record.maker, "\xC3\xBC\xF0\x9F\x8D\xB5\xED\x9F\xBF");
}

namespace {

std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

}  // namespace

// The forms a list comes in: the encodings with their marks, the separators,
// quoted cells over several lines. Each gives the same products, on the lines
// an editor shows them.
TEST(ProductList, ListsInEveryFormGiveTheSameProducts) {
    const std::u16string rows =
        u"JAN\t品名\t売価\r\n4901234567894\t緑茶𠮷\t198\r\n49123456\tのり\t398\r\n";
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::vector<std::string> names;
        std::vector<int> lines;
        std::vector<std::pair<int, ResultCode>> problems;
    } cases[] = {
        {"UTF-16 little-endian",
         utf16(rows, false),
         TextEncoding::Auto,
         {"緑茶𠮷", "のり"},
         {2, 3},
         {}},
        {"UTF-16 big-endian, cp932 chosen",
         utf16(rows, true),
         TextEncoding::Cp932,
         {"緑茶𠮷", "のり"},
         {2, 3},
         {}},
        {"UTF-16 cut in a character",
         utf16(rows, false).substr(0, utf16(rows, false).size() - 5),
         TextEncoding::Auto,
         {"緑茶𠮷"},
         {2},
         {{3, ResultCode::RowNotUtf16}}},
        {"UTF-16 with a lone surrogate",
         utf16(u"JAN\t品名\r\n1\t\xD800x\r\n2\tok\r\n", false),
         TextEncoding::Auto,
         {"ok"},
         {3},
         {{2, ResultCode::RowNotUtf16}}},
        {"semicolons",
         "JAN;品名;売価\n4901234567894;\"緑茶; 特選\";1,980\n",
         TextEncoding::Auto,
         {"緑茶; 特選"},
         {2},
         {}},
        {"tabs without a header",
         "4901234567894\tm\t緑茶\t\t\t198\n",
         TextEncoding::Auto,
         {"緑茶"},
         {1},
         {}},
        {"a cell over three lines",
         "JAN,品名,説明\r\n1,\"緑\r\n茶\",\"a\r\nb\r\nc\"\r\n2,のり,\r\n",
         TextEncoding::Auto,
         {"緑 茶", "のり"},
         {2, 6},
         {}},
        {"quote never closed after a cell over lines",
         "JAN,品名\n1,\"a\nb\"\n2,\"open\n3,c\n",
         TextEncoding::Auto,
         {"a b", "c"},
         {2, 5},
         {{4, ResultCode::RowQuoteNotClosed}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = readAll(c.bytes, c.encoding);
        std::vector<std::string> names;
        std::vector<int> lines;
        for (const Product& p : r.rows) {
            names.push_back(p.record.productName);
            lines.push_back(p.lineNumber);
        }
        std::vector<std::pair<int, ResultCode>> problems;
        for (const Result& p : r.problems)
            problems.emplace_back(p.line, p.code);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(problems, c.problems);
    }
}
