#pragma once

// Helpers shared by the tests of the Qt adapters and the print tool.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <string>

#include "support/GuiApplication.h"

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end (at most a minute) and collects its output.
inline ProcessResult runProcess(
    const QString& program, const QStringList& args,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ProcessResult result;
    if (!process.waitForStarted(10000)) {
        return result;
    }
    process.waitForFinished(60000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// The tool's usage text follows an English locale; these tests read the
// Japanese one whatever the machine's locale is.
inline ProcessResult runPrintTool(const QStringList& args) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return runProcess(QStringLiteral(TANAHUDA_PRINT_TOOL), args, environment);
}

// The smallest rectangle holding every pixel that differs from `background`.
inline QRect paintedBounds(const QImage& image, QRgb background) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// A white image of `width` × `height` pixels at `dotsPerInch`.
inline QImage blankImage(int width, int height, int dotsPerInch, QRgb fill = 0xFFFFFFFF) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(dotsPerInch / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(fill);
    return image;
}

// Reading printed barcodes back: rasterise a PDF page with pdftoppm, crop the
// barcode of one label (default origin), decode it with zbarimg.

inline constexpr double kOriginX = 12.0;
inline constexpr double kOriginY = 7.8;

inline QImage loadRaster(const QString& png) {
    QImageReader::setAllocationLimit(0);
    QImageReader reader(png);
    return reader.read();
}

// Rasterises page `page` of `pdf` at `dpi` into a grey PNG and loads it.
inline QImage rasterise(const QString& pdf, int dpi, const QString& prefix, int page = 1) {
    const ProcessResult run = runProcess(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-gray"),
         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return loadRaster(prefix + QStringLiteral(".png"));
}

// What zbarimg reads in `image`, one code a line; empty when nothing.
inline std::string decode(const QImage& image, const QString& scratchPng) {
    EXPECT_TRUE(image.save(scratchPng, "PNG"));
    const ProcessResult run = runProcess(
        QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), scratchPng});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 4) << run.err.toStdString();
    return run.out.toStdString();
}

// The part of the page around label `number`'s barcode rectangle (40 to 95 mm
// across, 5 to 15 mm down the label), with a margin, in pixels at `dpi`.
inline QImage cropBarcode(const QImage& page, int number, int dpi) {
    const double left = (number - 1) % 2 * 91.0 + kOriginX + 38.0;
    const double top = (number - 1) / 2 * 55.0 + kOriginY + 3.0;
    auto px = [dpi](double mm) { return static_cast<int>(mm / 25.4 * dpi); };
    return page.copy(px(left), px(top), px(59.0), px(14.0));
}
