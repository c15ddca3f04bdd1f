#include "platform/PageSetup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/PrinterQueue.h"

std::unique_ptr<QPrinter> makePdfPrinter(const QString& path, int dotsPerInch) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dotsPerInch);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer->setFullPage(true);
    printer->setOutputFileName(path);
    return printer;
}

SystemPrinter makeSystemPrinter(const QString& name) {
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
    printer->setPageSize(QPageSize(QPageSize::A4));
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
