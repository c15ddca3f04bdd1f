// Every preset stock printed as a user prints it: tanahuda-print fills the
// sheet of each preset from a product list into a 600 dpi PDF, every label's
// ink lies in its own cell of the stock and its barcode reads back inside
// it; the calibration page of each preset has its crosses at the stock's
// corners; --stock takes a stock file; --start follows the stock.

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <cmath>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "barcode/JanCode.h"
#include "files/UserStockFile.h"
#include "model/StockPresets.h"
#include "support/PageInk.h"
#include "support/PdfPrintTest.h"

namespace {

constexpr int kDpi = 600;
// How far ink may stand outside its cell: a hair over the rounding of the
// cell's edges to device pixels.
constexpr double kToleranceMm = 0.2;

std::string codeFor(int i) {
    const std::string data = "49" + std::to_string(1000000000 + i * 7919);
    return data + checkJanCode(data + "0").checkDigit;
}

void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int pageCount(const QString& pdf) {
    const ProcessResult run = runProcess(QStringLiteral("pdfinfo"), {pdf});
    const std::string info = run.out.toStdString();
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

struct Cell {
    double left, top, right, bottom;
};

// Cell `number` of the stock as a PDF draws it: from the paper's corner.
Cell cellOf(const LabelStock& s, int number) {
    const PointMm corner = s.cellOrigin(number, s.firstLabel);
    return {corner.x, corner.y, corner.x + s.labelWidthMm, corner.y + s.labelHeightMm};
}

class StockPrintTest : public PdfPrintTest {
  protected:
    // Prints `products` products on `stock` with the default pattern.
    ProcessResult printList(const std::string& stock, int products, QStringList more = {}) {
        std::string list;
        for (int i = 1; i <= products; ++i)
            list += codeFor(i) + ",メーカー" + std::to_string(i) + ",品名" + std::to_string(i) +
                    ",規格,L" + std::to_string(i) + "," + std::to_string(100 * i) + "\n";
        writeBytes(path("list.csv"), list);
        writeBytes(path("default.txt"), "");
        return runPrintTool(QStringList{QStringLiteral("--products"), path("list.csv"),
                                        QStringLiteral("--stock"), QString::fromStdString(stock),
                                        QStringLiteral("--layout"), path("default.txt"),
                                        QStringLiteral("--dpi"), QString::number(kDpi),
                                        QStringLiteral("-o"), path("out.pdf")} +
                            more);
    }
};

// Which cell a point of ink is in (within the tolerance), 0 for none.
int cellAt(const LabelStock& s, double x, double y) {
    for (int n = 1; n <= s.labelCount(); ++n) {
        const Cell c = cellOf(s, n);
        if (x >= c.left - kToleranceMm && x <= c.right + kToleranceMm &&
            y >= c.top - kToleranceMm && y <= c.bottom + kToleranceMm)
            return n;
    }
    return 0;
}

// The ink of one cell alone on white, with white around it for the quiet zones.
QImage cellAlone(const QImage& page, const Cell& c) {
    const PageInk ink(page, kDpi);
    const QRect cell(ink.px(c.left), ink.px(c.top), ink.px(c.right) - ink.px(c.left),
                     ink.px(c.bottom) - ink.px(c.top));
    const int margin = ink.px(5.0);
    QImage alone(cell.width() + 2 * margin, cell.height() + 2 * margin, QImage::Format_Grayscale8);
    alone.fill(Qt::white);
    QPainter painter(&alone);
    painter.drawImage(margin, margin, page.convertToFormat(QImage::Format_Grayscale8), cell.x(),
                      cell.y(), cell.width(), cell.height());
    return alone;
}

TEST_F(StockPrintTest, EveryPresetsLabelsLandInTheirCellsAndTheirBarcodesRead) {
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        const LabelStock& s = preset.stock;
        const ProcessResult run = printList(preset.name, s.labelCount());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage page = rasterise(path("out.pdf"), kDpi, path("page"))
                                .convertToFormat(QImage::Format_Grayscale8);
        ASSERT_FALSE(page.isNull());
        const PageInk ink(page, kDpi);

        // Every inked pixel lies in a cell; every cell has ink.
        std::vector<int> inkPerCell(static_cast<std::size_t>(s.labelCount()) + 1, 0);
        int stray = 0;
        for (int y = 0; y < page.height(); ++y) {
            const uchar* row = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x) {
                if (row[x] >= 128)
                    continue;
                const int n = cellAt(s, ink.mm(x), ink.mm(y));
                ++inkPerCell[static_cast<std::size_t>(n)];
                if (n == 0 && ++stray == 1)
                    ADD_FAILURE() << "ink outside every cell at " << ink.mm(x) << ", " << ink.mm(y)
                                  << " mm";
            }
        }
        EXPECT_EQ(stray, 0);
        for (int n = 1; n <= s.labelCount(); ++n)
            EXPECT_GT(inkPerCell[static_cast<std::size_t>(n)], 0) << "label " << n;

        // Each cell alone reads as its own product's code.
        QStringList crops;
        std::string expected;
        for (int n = 1; n <= s.labelCount(); ++n) {
            const QString crop = path(("cell" + std::to_string(n) + ".png").c_str());
            ASSERT_TRUE(cellAlone(page, cellOf(s, n)).save(crop, "PNG"));
            crops << crop;
            expected += codeFor(n) + "\n";
        }
        const ProcessResult read =
            runProcess(QStringLiteral("zbarimg"),
                       QStringList{QStringLiteral("-q"), QStringLiteral("--raw"),
                                   QStringLiteral("-Sdisable"), QStringLiteral("-Sean13.enable")} +
                           crops);
        EXPECT_EQ(read.out.toStdString(), expected);
    }
}

TEST_F(StockPrintTest, TheCalibrationPageHasItsCrossesAtEveryPresetsCorners) {
    writeBytes(path("default.txt"), "");
    for (const NamedStock& preset : stockPresets()) {
        SCOPED_TRACE(preset.name);
        const LabelStock& s = preset.stock;
        const ProcessResult run =
            runPrintTool({QStringLiteral("--calibration"), QStringLiteral("--stock"),
                          QString::fromStdString(preset.name), QStringLiteral("--layout"),
                          path("default.txt"), QStringLiteral("--dpi"), QString::number(kDpi),
                          QStringLiteral("-o"), path("calibration.pdf")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const PageInk page(rasterise(path("calibration.pdf"), kDpi, path("calibration")), kDpi);
        const auto onPage = [&](double x, double y) {
            return x > 0.5 && y > 0.5 && x < s.paper.widthMm - 0.5 && y < s.paper.heightMm - 0.5;
        };
        for (int n = 1; n <= s.labelCount(); ++n) {
            const Cell c = cellOf(s, n);
            const double midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
            // An edge on the paper's own edge is drawn past it, off the page.
            EXPECT_TRUE(page.inked(midX, c.top) && page.inked(c.left, midY) &&
                        (!onPage(c.right, midY) || page.inked(c.right, midY)) &&
                        (!onPage(midX, c.bottom) || page.inked(midX, c.bottom)))
                << "outline of label " << n;
            // The arms reach 3 mm beyond the corner, outside the label, and
            // nowhere beside the corner's lines.
            if (onPage(c.left - 3.0, c.top)) {
                EXPECT_TRUE(page.inked(c.left - 3.0, c.top)) << "cross of label " << n;
            }
            if (onPage(c.left, c.top - 3.0)) {
                EXPECT_TRUE(page.inked(c.left, c.top - 3.0)) << "cross of label " << n;
                EXPECT_FALSE(page.inked(c.left - 0.4, c.top - 3.0) ||
                             page.inked(c.left + 0.4, c.top - 3.0))
                    << "cross of label " << n << " off its corner";
            }
        }
    }
}

TEST_F(StockPrintTest, AStockFileAndTheStartFollowTheStock) {
    NamedStock own{"棚の小札", stockPresetNamed("A4 40面 48.3×25.4mm")->stock};
    own.stock.rows = 3;
    ASSERT_TRUE(writeUserStocks(path("mine.csv").toStdString(), {own}).ok());
    ProcessResult run = printList(path("mine.csv").toStdString(), 20, {"--start", "12"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(pageCount(path("out.pdf")), 3);  // label 12 of 12, then 12 and 7

    run = printList(path("mine.csv").toStdString(), 2, {"--start", "13"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.toStdString(),
              "tanahuda-print: --start には 1 から 12 までの整数を指定してください: 13\n");
    run = printList("A4 65面 38.1x21.2mm", 2, {"--start", "65"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();

    run = printList("A4 99面", 2);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.toStdString(), "tanahuda-print: 用紙「A4 99面」が見つかりません\n");

    const ProcessResult list = runPrintTool({QStringLiteral("--list-stocks")});
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    for (const NamedStock& preset : stockPresets())
        EXPECT_TRUE(list.out.contains(QByteArray::fromStdString(preset.name + "\t")));
}

}  // namespace
