// Batch printing with tanahuda-print --products: a product list becomes as
// many sheets as it needs, starting at any label of the first sheet, each
// label drawn as the print command draws it and its barcode readable.

#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "barcode/JanCode.h"
#include "files/Cp932.h"
#include "support/PdfPrintTest.h"

namespace {

// A valid EAN-13 code for product `i` (first digits vary) or, every fourth
// product, an EAN-8 code.
std::string codeFor(int i) {
    std::string data = i % 4 == 3 ? "4" + std::to_string(100000 + i * 37).substr(0, 6)
                                  : std::to_string(i % 10) + std::to_string(10000000000 + i * 7919);
    return data + checkJanCode(data + "0").checkDigit;
}

void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string pdfText(const QString& pdf) {
    const ProcessResult run = runProcess(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out.toStdString();
}

int pageCount(const QString& pdf) {
    const ProcessResult run = runProcess(QStringLiteral("pdfinfo"), {pdf});
    const std::string info = run.out.toStdString();
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

class BatchPrintTest : public PdfPrintTest {
  protected:
    // Prints `list` to a PDF with the default pattern (an empty settings file
    // would keep the defaults; a missing --layout would read the user's).
    ProcessResult print(const QString& list, const QString& pdf, QStringList more = {}) {
        writeBytes(path("default.txt"), "");
        QStringList args = {QStringLiteral("--products"), list,
                            QStringLiteral("--layout"),   path("default.txt"),
                            QStringLiteral("-o"),         pdf};
        return runPrintTool(args + more);
    }
};

TEST_F(BatchPrintTest, TwentyFiveProductsFromLabelSevenFillFourSheetsInTheRightCells) {
    std::string list;
    for (int i = 0; i < 25; ++i)
        list += codeFor(i) + ",メーカー,商品" + std::to_string(i + 1) + ",,," +
                std::to_string(100 + i) + "\r\n";
    writeBytes(path("list.csv"), list);
    const ProcessResult run =
        print(path("list.csv"), path("out.pdf"), {QStringLiteral("--start"), QStringLiteral("7")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    ASSERT_EQ(pageCount(path("out.pdf")), 4);
    // Readable by others like any new file, not private as a temporary file.
    EXPECT_TRUE(QFile::permissions(path("out.pdf")) & QFileDevice::ReadOther);

    for (int page = 1; page <= 4; ++page) {
        const QImage raster = rasterise(path("out.pdf"), 300, path("page"), page);
        for (int label = 1; label <= 10; ++label) {
            // Product i stands at position 7 + i of the run of cells.
            const int cell = (page - 1) * 10 + label - 7;  // product index, if any
            const std::string expected =
                cell >= 0 && cell < 25 ? codeFor(cell) + "\n" : std::string();
            EXPECT_EQ(decode(cropBarcode(raster, label, 300), path("crop.png")), expected)
                << "page " << page << " label " << label;
        }
    }
}

TEST_F(BatchPrintTest, Utf8AndCp932ListsAndAHeaderInAnotherOrderGiveTheSameText) {
    const std::vector<std::vector<std::string>> rows = {
        {"4901234567894", "㈱髙橋商店", "緑茶①", "500ml", "L-7", "1,980"},
        {"49123456", "ＡＢＣ食品", "\"特選\" のり", "10枚", "", "398"},
    };
    std::string utf8 = "\xEF\xBB\xBF";
    std::string reordered = "売価,品名,規格,JANコード,ロット,メーカー\n";
    for (const auto& r : rows) {
        auto quoted = [](std::string s) {
            std::string out = "\"";
            for (char c : s)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            return out + "\"";
        };
        utf8 += quoted(r[0]) + "," + quoted(r[1]) + "," + quoted(r[2]) + "," + quoted(r[3]) + "," +
                quoted(r[4]) + "," + quoted(r[5]) + "\r\n";
        reordered += quoted(r[5]) + "," + quoted(r[2]) + "," + quoted(r[3]) + "," + quoted(r[0]) +
                     "," + quoted(r[4]) + "," + quoted(r[1]) + "\n";
    }
    const std::optional<std::string> cp932 = cp932::encode(utf8.substr(3));
    ASSERT_TRUE(cp932.has_value());
    writeBytes(path("utf8.csv"), utf8);
    writeBytes(path("cp932.csv"), *cp932);
    writeBytes(path("reordered.csv"), reordered);

    std::vector<std::string> texts;
    for (const char* name : {"utf8", "cp932", "reordered"}) {
        const QString list = path(name) + QStringLiteral(".csv");
        const QString pdf = path(name) + QStringLiteral(".pdf");
        const ProcessResult run = print(list, pdf);
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
        texts.push_back(pdfText(pdf));
    }
    EXPECT_NE(texts[0].find("㈱髙橋商店"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("\"特選\" のり"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("1,980"), std::string::npos) << texts[0];
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2], texts[0]);
}

TEST_F(BatchPrintTest, ProblemRowsAreReportedWithTheirLineNumbers) {
    writeBytes(path("list.csv"),
               "4901234567894,m,一,,,1\n"      // line 1: fine
               "1,2,3,4,5,6,7\n"               // line 2: seven columns, skipped
               "49012345678941,m,二,,,2\n"     // line 3: fourteen digits, no barcode
               "4901234567894,m,三,,,3\n"      // line 4: fine
               "\"4901234567894,m,四,,,4\n");  // line 5: quote never closed, skipped
    const ProcessResult run = print(path("list.csv"), path("out.pdf"));
    EXPECT_EQ(run.exitCode, 3);
    const std::string err = run.err.toStdString();
    const std::string list = path("list.csv").toStdString();
    EXPECT_NE(err.find(list + ":2: "), std::string::npos) << err;
    EXPECT_NE(err.find(list + ":3: "), std::string::npos) << err;
    EXPECT_NE(err.find(list + ":5: "), std::string::npos) << err;
    EXPECT_EQ(err.find(list + ":1: "), std::string::npos) << err;
    EXPECT_EQ(err.find(list + ":4: "), std::string::npos) << err;
    ASSERT_EQ(pageCount(path("out.pdf")), 1);
    const std::string text = pdfText(path("out.pdf"));
    for (const char* name : {"一", "二", "三"})
        EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_EQ(text.find("四"), std::string::npos);
}

// Each printed label is checked as the sheet tool checks a typed sheet and
// its problems are told with the row's line; the labels are printed all the
// same and the exit status is 3.
TEST_F(BatchPrintTest, LabelsThatDoNotComeOutAsTheirRowsReadAreReported) {
    writeBytes(path("list.csv"),
               "4901234567894,m,一,,,1\n"  // line 1: fine
               "4901234567894," +
                   std::string(300, 'M') +
                   ",二,,,2\n"                                   // line 2: clipped
                   "4901234567894,m,\xEE\x80\x80の牛丼,,,3\n");  // line 3: no glyph
    const ProcessResult run = print(path("list.csv"), path("out.pdf"));
    EXPECT_EQ(run.exitCode, 3);
    const std::string list = path("list.csv").toStdString();
    EXPECT_EQ(
        run.err.toStdString(),
        "tanahuda-print: " + list +
            ":2: メーカー等は長すぎるため、ラベルからはみ出す部分は印刷されません\n"
            "tanahuda-print: " +
            list +
            ":3: 品名等の「\xEE\x80\x80」はフォントにないため、正しく印刷されません\n"
            "tanahuda-print: 1 枚のシートに 3 件のラベルを印刷しました。印刷しなかった行: 0 "
            "行\n"
            "tanahuda-print: 印刷したが行のとおりでない: "
            "メーカー等は長すぎるため、ラベルからはみ出す部分は印刷されません: 1 行 (2 行目)\n"
            "tanahuda-print: 印刷したが行のとおりでない: "
            "品名等の「\xEE\x80\x80」はフォントにないため、正しく印刷されません: 1 行 (3 "
            "行目)\n");
    const std::string text = pdfText(path("out.pdf"));
    for (const char* name : {"一", "二", "の牛丼"})
        EXPECT_NE(text.find(name), std::string::npos) << name;
}

// Twelve digits of a UPC-A code are the EAN-13 code with its leading 0, as a
// spreadsheet drops it; a long name from a list is condensed to end inside
// its label.
TEST_F(BatchPrintTest, ListRowsAreReadAsTheInputWindowReadsThem) {
    const std::string name = "静岡県産深蒸し煎茶やぶきた一番摘み特上";  // 20 characters
    writeBytes(path("list.csv"), "490123456783,m," + name +
                                     ",,,1\n"
                                     "49012345678941,m,短い名前,,,2\n");
    const ProcessResult run = print(path("list.csv"), path("out.pdf"));
    EXPECT_EQ(run.exitCode, 3) << "the fourteen-digit row";
    const std::string err = run.err.toStdString();
    // Line 1 gets its barcode; its name is condensed, as the sheet tool says too.
    const std::string line1 = path("list.csv").toStdString() + ":1: ";
    EXPECT_EQ(err.find(line1 + "JANコード"), std::string::npos) << err;
    EXPECT_NE(err.find(line1 + "品名等は長すぎるため、幅を"), std::string::npos) << err;
    EXPECT_NE(err.find(path("list.csv").toStdString() + ":2: "), std::string::npos) << err;
    EXPECT_NE(pdfText(path("out.pdf")).find("0490123456783"), std::string::npos);

    const std::vector<PdfWord> words = pdfWords(path("out.pdf"));
    const PdfWord* word = findWord(words, name);
    ASSERT_NE(word, nullptr);
    // Label 1 spans 12 to 103 mm; the name starts 4 mm in. At 18 pt its 20
    // characters would be 127 mm wide: condensed to the 87 mm left.
    EXPECT_NEAR(word->left, 16.0, 0.05);
    EXPECT_LE(word->right, 103.0 + 0.05);
    EXPECT_GE(word->right, 103.0 - 1.0);
}

TEST_F(BatchPrintTest, RefusedCallsLeaveNoOutput) {
    writeBytes(path("list.csv"), "4901234567894,m,一,,,1\n");
    writeBytes(path("empty.csv"), "JAN,品名\n\n");
    struct Case {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{QStringLiteral("--products"), path("list.csv"), QStringLiteral("--start"),
          QStringLiteral("11"), QStringLiteral("-o"), path("out.pdf")},
         2},
        {{QStringLiteral("--products"), path("missing.csv"), QStringLiteral("-o"), path("out.pdf")},
         1},
        {{QStringLiteral("--products"), path("empty.csv"), QStringLiteral("-o"), path("out.pdf")},
         1},
        {{QStringLiteral("--products"), path("list.csv"), QStringLiteral("-o"),
          path("no-such-folder/out.pdf")},
         1},
    };
    for (const Case& c : cases) {
        const ProcessResult run = runPrintTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.pdf")));
    }
}

}  // namespace
