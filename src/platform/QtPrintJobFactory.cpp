#include "platform/QtPrintJobFactory.h"

#include <QPrinter>
#include <QString>

#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"

PrintJobStart QtPrintJobFactory::pdfJob(const std::string& path, int dotsPerInch) {
    return QtPrintJob::begin(makePdfPrinter(QString::fromStdString(path), dotsPerInch));
}

PrintJobStart QtPrintJobFactory::printerJob(const std::string& printerName) {
    SystemPrinter system = makeSystemPrinter(QString::fromStdString(printerName));
    if (!system.printer)
        return {nullptr, system.result};
    return QtPrintJob::begin(std::move(system.printer));
}
