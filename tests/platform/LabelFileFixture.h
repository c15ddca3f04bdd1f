#pragma once

// Label data files and settings files for the print tool's tests, written by
// the program's own writers, and the words pdftotext finds in a PDF.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"

struct LabelTexts {
    int number;
    const char* janCode;
    const char* productName;
    const char* price;
};

inline LabelSheet sheetOf(const std::vector<LabelTexts>& labels) {
    LabelSheet sheet;
    for (const LabelTexts& l : labels) {
        LabelRecord& r = sheet.label(l.number);
        r.janCode = l.janCode;
        r.productName = l.productName;
        r.price = l.price;
    }
    return sheet;
}

inline void writeLabels(const std::string& path, const LabelSheet& sheet,
                        const LayoutSettings& layout = initialLayoutSettings()) {
    const Result result = writeLabelFile(path, sheet, layout);
    ASSERT_TRUE(result.ok()) << result.detail;
}

// A word of a PDF page, its box in millimetres from the page's top-left corner.
struct PdfWord {
    std::string text;
    double left, top, right, bottom;
};

inline std::vector<PdfWord> pdfWords(const QString& pdf) {
    const ProcessResult run = runProcess(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    std::vector<PdfWord> words;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    constexpr double kMmPerPoint = 25.4 / 72.0;
    auto it = word.globalMatch(QString::fromUtf8(run.out));
    while (it.hasNext()) {
        const auto m = it.next();
        words.push_back({m.captured(5).toStdString(), m.captured(1).toDouble() * kMmPerPoint,
                         m.captured(2).toDouble() * kMmPerPoint,
                         m.captured(3).toDouble() * kMmPerPoint,
                         m.captured(4).toDouble() * kMmPerPoint});
    }
    return words;
}

inline const PdfWord* findWord(const std::vector<PdfWord>& words, const std::string& text) {
    for (const PdfWord& w : words) {
        if (w.text == text) {
            return &w;
        }
    }
    return nullptr;
}
