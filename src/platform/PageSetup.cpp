#include "platform/PageSetup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "platform/PrinterQueue.h"

QPageSize pageSizeOf(const PaperSize& paper) {
    // Matched to the standard size it is within a few points of, so that a
    // printer driver is asked for its own paper by name.
    return QPageSize(QSizeF(paper.widthMm, paper.heightMm), QPageSize::Millimeter, QString(),
                     QPageSize::FuzzyMatch);
}

QSize previewPageSize(const PaperSize& paper) {
    constexpr double kPreviewDotsPerMm = 96.0 / 25.4;
    return QSize(static_cast<int>(std::lround(paper.widthMm * kPreviewDotsPerMm)),
                 static_cast<int>(std::lround(paper.heightMm * kPreviewDotsPerMm)));
}

std::unique_ptr<QPrinter> makePdfPrinter(const QString& path, int dotsPerInch,
                                         const PaperSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dotsPerInch);
    printer->setPageLayout(QPageLayout(pageSizeOf(paper), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer->setFullPage(true);
    printer->setOutputFileName(path);
    return printer;
}

SystemPrinter makeSystemPrinter(const QString& name, const PaperSize& paper) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        // The spooler says why: not running, or no such queue.
        QueueAnswer why = checkPrinterQueue(name.toStdString());
        if (why.problem != QueueProblem::SpoolerDown) {
            why = {QueueProblem::Missing, {}, 0};
        }
        return {nullptr, queueResult(why, name.toStdString())};
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setPageSize(pageSizeOf(paper));
    printer->setPageOrientation(QPageLayout::Portrait);
    setPageOrigin(*printer);
    return {std::move(printer), Result{}};
}

void setPageOrigin(QPrinter& printer) {
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    printer.setFullPage(pdf);
    if (!pdf) {
        // Qt starts a page with margins of its own choosing (10 pt); the
        // corner of the printable area is where the printer's margins end.
        const QPageLayout layout = printer.pageLayout();
        printer.setPageMargins(layout.minimumMargins(), layout.units());
    }
}
