#pragma once

// Helpers shared by the tests of the Qt adapters and the print tool.

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <string>

// The tests need a QGuiApplication for fonts and painting; gtest's main does
// not make one.
inline void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end (at most a minute) and collects its output.
inline ProcessResult runProcess(const QString& program, const QStringList& args) {
    QProcess process;
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

inline ProcessResult runPrintTool(const QStringList& args) {
    return runProcess(QStringLiteral(TANAHUDA_PRINT_TOOL), args);
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
