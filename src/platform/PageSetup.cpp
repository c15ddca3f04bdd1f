#include "platform/PageSetup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

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

std::unique_ptr<QPrinter> makeSystemPrinter(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(false);
    return printer;
}

QStringList systemPrinterNames() {
    return QPrinterInfo::availablePrinterNames();
}

QSizeF paperSizeTwips(const QPrinter& printer) {
    const QSizeF points = printer.pageLayout().fullRect(QPageLayout::Point).size();
    return points * 20.0;
}

void setPageOrigin(QPrinter& printer) {
    printer.setFullPage(printer.outputFormat() == QPrinter::PdfFormat);
}
