// Product lists as shops have them, printed through tanahuda-print: exports of
// registers and online shops, and a list a spreadsheet has damaged. Each gives
// the labels its rows read, read back from the PDF (texts by pdftotext, codes
// by zbarimg); no header and no line of a cell that goes on over several lines
// becomes a label; the counts the tool gives are those of the list.

#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "support/PdfPrintTest.h"

namespace {

std::string pdfText(const QString& pdf) {
    const ProcessResult run = runProcess(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out.toStdString();
}

struct ExportCase {
    const char* file;  // in tests/data/exports
    QStringList more;  // further options
    int exitCode;
    std::vector<std::string> printed;  // texts on the sheet
    std::vector<std::string> never;    // header cells, continuation lines, rows not printed
    std::vector<std::string> codes;    // what each label's barcode reads, label 1 first ("" none)
    std::string counts;                // the tool's count line (empty: none, all printed)
    std::vector<int> reportedLines;    // the lines reported, in order
};

class ListExportsTest : public PdfPrintTest {
  protected:
    ProcessResult print(const QString& list, const QStringList& more) {
        QFile defaults(path("default.txt"));
        EXPECT_TRUE(defaults.open(QIODevice::WriteOnly));
        defaults.close();
        return runPrintTool(QStringList{QStringLiteral("--products"), list,
                                        QStringLiteral("--layout"), path("default.txt"),
                                        QStringLiteral("-o"), path("out.pdf")} +
                            more);
    }
};

// The reported lines "LIST:LINE: ..." of the tool's stderr, in order.
std::vector<int> reportedLines(const std::string& err, const std::string& list) {
    std::vector<int> lines;
    const std::string mark = list + ":";
    for (std::size_t at = err.find(mark); at != std::string::npos; at = err.find(mark, at + 1))
        lines.push_back(std::stoi(err.substr(at + mark.size())));
    return lines;
}

}  // namespace

TEST_F(ListExportsTest, ExportsPrintTheLabelsTheirRowsRead) {
    const ExportCase cases[] = {
        // Pre-tax prices under 税抜価格, printed tax-inclusive as the sheet
        // shows them; a wrong check digit kept as written without a barcode; a
        // row without a name takes no label.
        {"register-bom.csv",
         {},
         3,
         {"緑茶", "詰替洗剤", "焼のり", "山田園", "149", "327", "429", "4500020048530"},
         {"商品コード", "商品名", "税抜価格", "名なし商会", "4500020048533"},
         {"4901234567894", "", "49123456", ""},
         "1 枚のシートに 3 件のラベルを印刷しました。印刷しなかった行: 1 行",
         {3, 5}},
        // UTF-16, tab-separated, a register's ids before the code; a UPC-A
        // code gets its 0 back, a code in exponent form gets no barcode.
        {"register-utf16.txt",
         {},
         3,
         {"牛乳", "ガム", "食パン", "198", "110", "1000ml", "0036000291452", "4.90123E+12"},
         {"商品ID", "部門ID", "1001", "1002"},
         {"4901234567894", "0036000291452", "", ""},
         "1 枚のシートに 3 件のラベルを印刷しました。印刷しなかった行: 0 行",
         {4}},
        // An online shop's description goes on over lines inside its quotes.
        {"shop.csv",
         {},
         0,
         {"煎茶", "石けん", "茶舗かとう", "石鹸工房", "1080", "550"},
         {"Handle", "Title", "一番摘み", "ラベンダー", "無添加", "SKU-1", "green-tea"},
         {"4901234567894", "49123456", ""},
         "",
         {}},
        // Both prices on the sheet: the tax classes give the rates; a price
        // that is no amount is printed as written, without its tax line.
        {"tabs.txt",
         {QStringLiteral("--price-mode"), QStringLiteral("dual")},
         3,
         {"おにぎり", "乾電池", "切手", "福袋", "オープン", "129円", "550円", "84円"},
         {"JANコード", "税区分"},
         {"4901234567894", "49123456", "4901234567894", "4901234567894", ""},
         "1 枚のシートに 4 件のラベルを印刷しました。印刷しなかった行: 0 行",
         {5, 5, 5}},  // the price, "オープン" condensed to fit, and over 円
        // Saved by a spreadsheet (code page 932): an exponent, twelve digits
        // that are no UPC-A code, an apostrophe, a wrong check digit, and a
        // quote never closed that spoils its own row only.
        {"damaged.csv",
         {},
         3,
         {"せんべい", "あめ", "ガム", "チョコ", "ようかん", "4901234567899", "490123456789"},
         {"売価", "クッキー", "'4901234567894"},
         {"", "", "4901234567894", "", "49123456", ""},
         "1 枚のシートに 5 件のラベルを印刷しました。印刷しなかった行: 1 行",
         {2, 3, 5, 6}},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.file);
        QFile::remove(path("out.pdf"));
        const QString list = QStringLiteral(TANAHUDA_TEST_DATA "/exports/") + c.file;
        const ProcessResult run = print(list, c.more);
        const std::string err = run.err.toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << err;
        ASSERT_TRUE(QFile::exists(path("out.pdf"))) << err;
        const std::string text = pdfText(path("out.pdf"));
        for (const std::string& t : c.printed)
            EXPECT_NE(text.find(t), std::string::npos) << t << "\n" << text;
        for (const std::string& t : c.never)
            EXPECT_EQ(text.find(t), std::string::npos) << t << "\n" << text;
        const QImage page = rasterise(path("out.pdf"), 300, path("page"));
        for (std::size_t i = 0; i < c.codes.size(); ++i) {
            const std::string read =
                decode(cropBarcode(page, static_cast<int>(i) + 1, 300), path("crop.png"));
            EXPECT_EQ(read, c.codes[i].empty() ? "" : c.codes[i] + "\n") << "label " << i + 1;
        }
        if (c.counts.empty())
            EXPECT_TRUE(err.empty()) << err;
        else
            EXPECT_NE(err.find("tanahuda-print: " + c.counts + "\n"), std::string::npos) << err;
        EXPECT_EQ(reportedLines(err, list.toStdString()), c.reportedLines) << err;
    }
}

// A list whose header names neither a code nor a name column prints nothing:
// the tool names the header it read and the names it takes; --map chooses
// the columns, and then the list prints.
TEST_F(ListExportsTest, AListWithoutCodeAndNameColumnsIsRefusedUntilMapped) {
    QFile list(path("list.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Handle,Desc,Cost,メーカー\r\ntea,煎茶,1080,茶舗\r\n");
    list.close();
    const ProcessResult refused = print(path("list.csv"), {});
    EXPECT_EQ(refused.exitCode, 1);
    const std::string err = refused.err.toStdString();
    EXPECT_NE(err.find("Handle,Desc,Cost,メーカー"), std::string::npos) << err;
    EXPECT_NE(err.find("商品名"), std::string::npos) << err;
    EXPECT_NE(err.find("janコード"), std::string::npos) << err;
    EXPECT_FALSE(QFile::exists(path("out.pdf")));

    const ProcessResult mapped =
        print(path("list.csv"), {QStringLiteral("--map"), QStringLiteral("品名=Desc,売価=Cost")});
    EXPECT_EQ(mapped.exitCode, 0) << mapped.err.toStdString();
    const std::string text = pdfText(path("out.pdf"));
    for (const char* t : {"煎茶", "1080", "茶舗"})
        EXPECT_NE(text.find(t), std::string::npos) << t;
    EXPECT_EQ(text.find("Desc"), std::string::npos);

    const struct {
        const char* map;
        int exitCode;
        const char* said;
    } wrong[] = {
        {"品名=Title", 1, "Handle,Desc,Cost,メーカー"},
        {"色=Desc", 2, "色=Desc"},
        {"品名", 2, "品名"},
    };
    for (const auto& w : wrong) {
        QFile::remove(path("out.pdf"));
        const ProcessResult run = print(path("list.csv"), {QStringLiteral("--map"), w.map});
        EXPECT_EQ(run.exitCode, w.exitCode) << w.map;
        EXPECT_NE(run.err.toStdString().find(w.said), std::string::npos) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.pdf")));
    }
}
