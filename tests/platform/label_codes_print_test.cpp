// QR codes and in-store codes as tanahuda-print makes them: every QR code of
// a printed PDF reads back with a real decoder, from a label's own content,
// a list's QR column and --qr-pattern; --instore-from numbers the rows and
// labels without a code and says the last code given.

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <string>
#include <vector>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "barcode/InStoreCode.h"
#include "support/PdfPrintTest.h"

namespace {

// The codes zbarimg reads on the page, sorted.
std::vector<std::string> codesOnPage(const QImage& page, const QString& scratch) {
    std::vector<std::string> codes;
    const std::string text = decode(page, scratch);
    std::size_t from = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
        codes.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

void writeText(const QString& path, const std::string& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

using LabelCodesPrintTest = PdfPrintTest;

TEST_F(LabelCodesPrintTest, EveryQrCodeOfASheetReadsBack) {
    LabelSheet sheet = sheetOf({{1, "4901234567894", "にんじん", "198"},
                                {2, "4512345678906", "だいこん", "158"},
                                {3, "49123456", "ごぼう", "298"},
                                {4, "", "店内パン", "120"}});
    sheet.label(2).qrContent = "https://shop.example/だいこん";
    sheet.label(4).qrContent = "焼きたて 9:00";
    writeLabels(path("qr.csv").toStdString(), sheet);
    const ProcessResult run = runPrintTool({path("qr.csv"), QStringLiteral("--qr-pattern"),
                                            QStringLiteral("https://example.jp/item/{JAN}"),
                                            QStringLiteral("-o"), path("qr.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    std::vector<std::string> expected = {"4901234567894",
                                         "4512345678906",
                                         "49123456",
                                         "https://example.jp/item/4901234567894",
                                         "https://shop.example/だいこん",
                                         "https://example.jp/item/49123456",
                                         "焼きたて 9:00"};
    std::sort(expected.begin(), expected.end());
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        const QImage page = rasterise(path("qr.pdf"), dpi, path("qr-page"));
        EXPECT_EQ(codesOnPage(page, path("scratch.png")), expected);
    }
}

TEST_F(LabelCodesPrintTest, AContentTooLongForTheBoxIsReportedAndNotPrinted) {
    LabelSheet sheet = sheetOf({{1, "4901234567894", "長いQR", "198"}});
    sheet.label(1).qrContent = std::string(300, 'z');
    writeLabels(path("long.csv").toStdString(), sheet);
    const ProcessResult run =
        runPrintTool({path("long.csv"), QStringLiteral("-o"), path("long.pdf")});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_NE(run.err.indexOf("ラベル 1: QRコードの内容が長すぎて枠に収まらない"), -1)
        << run.err.toStdString();
    const QImage page = rasterise(path("long.pdf"), 300, path("long-page"));
    EXPECT_EQ(codesOnPage(page, path("scratch.png")), (std::vector<std::string>{"4901234567894"}));
}

// A list's rows without a code take consecutive in-store codes; rows
// without a QR cell take the pattern's; the last code is on stdout.
TEST_F(LabelCodesPrintTest, AListNumberedFromInStoreStartAndPatterned) {
    writeText(path("list.csv"),
              "JAN,品名,売価,QR\n"
              "4901234567894,にんじん,198,\n"
              ",店内パン,120,https://shop.example/pan\n"
              ",惣菜,398,\n"
              "4512345678906,だいこん,158,\n"
              ",サラダ,298,\n");
    const ProcessResult run = runPrintTool(
        {QStringLiteral("--products"), path("list.csv"), QStringLiteral("--instore-from"),
         QStringLiteral("200000000042"), QStringLiteral("--qr-pattern"),
         QStringLiteral("https://example.jp/item/{JAN}"), QStringLiteral("-o"), path("list.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<std::string> inStore = *inStoreCodes("200000000042", 3);
    EXPECT_EQ(run.out.toStdString(), inStore.back() + "\n");
    std::vector<std::string> expected = {"4901234567894", "4512345678906"};
    expected.insert(expected.end(), inStore.begin(), inStore.end());
    for (const std::string& code :
         {std::string("4901234567894"), std::string("4512345678906"), inStore[1], inStore[2]})
        expected.push_back("https://example.jp/item/" + code);
    expected.push_back("https://shop.example/pan");
    std::sort(expected.begin(), expected.end());
    const QImage page = rasterise(path("list.pdf"), 300, path("list-page"));
    EXPECT_EQ(codesOnPage(page, path("scratch.png")), expected);
}

TEST_F(LabelCodesPrintTest, ALabelFileNumberedAndWrongStartsRefused) {
    LayoutSettings pattern = initialLayoutSettings();
    pattern.priceEmbedded = {"02", "5+5"};  // the shop's registers read 02 codes' prices
    writeLabels(path("sheet.csv").toStdString(),
                sheetOf({{1, "", "店内パン", "120"},
                         {2, "4901234567894", "にんじん", "198"},
                         {5, "", "惣菜", "398"}}),
                pattern);
    const ProcessResult run =
        runPrintTool({path("sheet.csv"), QStringLiteral("--instore-from"),
                      QStringLiteral("021234500000"), QStringLiteral("-o"), path("sheet.pdf")});
    const std::vector<std::string> inStore = *inStoreCodes("021234500000", 2);
    // 02 is the pattern's price flag: the second code carries 1 yen, which is
    // not the label's price, and so is reported.
    EXPECT_EQ(run.out.toStdString(), inStore.back() + "\n");
    std::vector<std::string> expected = {"4901234567894", inStore[0], inStore[1]};
    std::sort(expected.begin(), expected.end());
    const QImage page = rasterise(path("sheet.pdf"), 300, path("sheet-page"));
    EXPECT_EQ(codesOnPage(page, path("scratch.png")), expected);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.indexOf("ラベル 5: 価格入りインストアコードの価格 1円 が売価と違います"), -1)
        << run.err.toStdString();

    for (const char* start : {"49000000000", "490000000001", "2000000000011", "20000000000x"}) {
        const ProcessResult wrong =
            runPrintTool({path("sheet.csv"), QStringLiteral("--instore-from"),
                          QString::fromUtf8(start), QStringLiteral("-o"), path("wrong.pdf")});
        EXPECT_EQ(wrong.exitCode, 2) << start;
        EXPECT_NE(wrong.err.indexOf("--instore-from"), -1);
        EXPECT_FALSE(QFile::exists(path("wrong.pdf")));
    }
}

}  // namespace
