// The printed barcodes, read back by a real decoder: tanahuda-print draws a
// sheet into a 600 dpi PDF, pdftoppm turns it into pixels, zbarimg reads each
// label's barcode. The raster also shows the module widths in whole pixels.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "barcode/JanCode.h"

namespace {

// Ten valid codes, first digits 0 to 9, EAN-8 in labels 3, 6 and 9.
const std::vector<std::string> kTenCodes = {
    "0258147036929", "1703692581473", "27418529",      "3703692581471", "4258147036925",
    "56307412",      "6258147036923", "7703692581477", "85296305",      "9703692581475",
};

// The sheet of ten codes, printed once and rasterised on first use (ctest runs
// each test in a process of its own, so only what a test needs is made).
class PrintedBarcodeTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ensureGuiApplication();
        dir_ = new QTemporaryDir;
    }
    static void TearDownTestSuite() {
        delete page600_;
        delete page300_;
        delete dir_;
    }
    static QString path(const char* name) { return dir_->filePath(QString::fromUtf8(name)); }

    static const QImage& tenCodesPage(int dpi) {
        if (!QFileInfo::exists(path("ten.pdf"))) {
            LabelSheet sheet;
            for (int k = 1; k <= 10; ++k) {
                sheet.label(k).janCode = kTenCodes[k - 1];
                sheet.label(k).productName = "商品" + std::to_string(k);
                sheet.label(k).price = std::to_string(k * 100);
            }
            writeLabels(path("ten.csv").toStdString(), sheet);
            const ProcessResult run =
                runPrintTool({path("ten.csv"), QStringLiteral("--dpi"), QStringLiteral("600"),
                              QStringLiteral("-o"), path("ten.pdf")});
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        }
        QImage*& page = dpi == 300 ? page300_ : page600_;
        if (page == nullptr) {
            page =
                new QImage(rasterise(path("ten.pdf"), dpi, path(dpi == 300 ? "ten300" : "ten600")));
        }
        return *page;
    }

    static QTemporaryDir* dir_;
    static QImage* page600_;
    static QImage* page300_;
};

QTemporaryDir* PrintedBarcodeTest::dir_ = nullptr;
QImage* PrintedBarcodeTest::page600_ = nullptr;
QImage* PrintedBarcodeTest::page300_ = nullptr;

TEST_F(PrintedBarcodeTest, EveryLabelsCodeReadsBackExactlyAt300And600Dpi) {
    // The page is 595 × 842 pt.
    ASSERT_EQ(tenCodesPage(600).size(), QSize(4959, 7017));
    ASSERT_EQ(tenCodesPage(300).size(), QSize(2480, 3509));
    for (int dpi : {300, 600}) {
        const QImage& page = tenCodesPage(dpi);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(decode(cropBarcode(page, k, dpi), path("crop.png")), kTenCodes[k - 1] + "\n")
                << "label " << k << " at " << dpi << " dpi";
        }
    }
}

struct RasterCase {
    int label;
    int moduleWidth;
    int moduleCount;
    int left, top;  // the rectangle's corner in 600 dpi pixels
};

TEST_F(PrintedBarcodeTest, ModulesAreWholeEqualPixelsOnThe600DpiRaster) {
    // The 55 × 10 mm rectangle at 600 dpi is floor(55 × 56.7 / 2.4) = 1299 px
    // wide: 11 px a module for 113 modules (1243 px), 15 px for 85 (1275 px);
    // floor(10 × 56.7 / 2.4) = 236 px high, both corners painted (237 rows).
    // Label 1 from (52, 12.8) mm: floor(52 × 23.625) = 1228, floor(12.8 × 23.625) = 302;
    // label 3 from (52, 67.8) mm: row floor(67.8 × 23.625) = 1601.
    const std::vector<RasterCase> cases = {{1, 11, 113, 1228, 302}, {3, 15, 85, 1228, 1601}};
    const QImage& page = tenCodesPage(600);
    for (const RasterCase& c : cases) {
        const std::string pattern = buildModulePattern(kTenCodes[c.label - 1]);
        ASSERT_EQ(pattern.size(), static_cast<std::size_t>(c.moduleCount));
        for (int y : {c.top, c.top + 118, c.top + 236}) {
            for (int i = 0; i < c.moduleCount; ++i) {
                const QRgb expected = pattern[i] == '0' ? 0xFFFFFFFF : 0xFF000000;
                for (int k = 0; k < c.moduleWidth; ++k) {
                    ASSERT_EQ(page.pixel(c.left + i * c.moduleWidth + k, y), expected)
                        << "label " << c.label << " module " << i << " column " << k << " row "
                        << y;
                }
            }
        }
        // The first bar (the start guard after nine quiet modules): 237 rows.
        const int bar = c.left + 9 * c.moduleWidth;
        EXPECT_EQ(page.pixel(bar, c.top - 1), 0xFFFFFFFF);
        EXPECT_EQ(page.pixel(bar, c.top), 0xFF000000);
        EXPECT_EQ(page.pixel(bar, c.top + 236), 0xFF000000);
        EXPECT_EQ(page.pixel(bar, c.top + 237), 0xFFFFFFFF);
        EXPECT_EQ(page.pixel(bar - 1, c.top + 118), 0xFFFFFFFF);
        // The last bar ends nine quiet modules before the barcode's right edge.
        const int lastBar = c.left + (c.moduleCount - 9) * c.moduleWidth - 1;
        EXPECT_EQ(page.pixel(lastBar, c.top + 118), 0xFF000000);
        EXPECT_EQ(page.pixel(lastBar + 1, c.top + 118), 0xFFFFFFFF);
    }
}

TEST_F(PrintedBarcodeTest, AWrongCheckDigitPrintsNoBarcode) {
    writeLabels(path("wrong.csv").toStdString(), sheetOf({{1, "4901234567890", "誤り13", "1"},
                                                          {2, "49123450", "誤り8", "2"},
                                                          {3, "4901234567894", "正しい", "3"}}));
    const ProcessResult run =
        runPrintTool({path("wrong.csv"), QStringLiteral("-o"), path("wrong.pdf")});
    // Printed, and both labels named as printing no barcode.
    ASSERT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_NE(run.err.indexOf("ラベル 1: JANコードが正しくない"), -1);
    EXPECT_NE(run.err.indexOf("ラベル 2: JANコードが正しくない"), -1);
    const QImage page = rasterise(path("wrong.pdf"), 300, path("wrong300"));
    EXPECT_EQ(decode(page, path("page.png")), "4901234567894\n");
    EXPECT_EQ(decode(cropBarcode(page, 1, 300), path("crop.png")), "");
    EXPECT_EQ(decode(cropBarcode(page, 2, 300), path("crop.png")), "");
    // The digits are printed as typed all the same.
    const std::vector<PdfWord> words = pdfWords(path("wrong.pdf"));
    EXPECT_NE(findWord(words, "4901234567890"), nullptr);
    EXPECT_NE(findWord(words, "49123450"), nullptr);
}

}  // namespace
