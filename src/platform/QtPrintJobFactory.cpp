#include "platform/QtPrintJobFactory.h"

#include <QPrinter>
#include <QString>

#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"

PrintJobStart QtPrintJobFactory::pdfJob(const std::string& path, int dotsPerInch,
                                        const PaperSize& paper) {
    pdfNames_.push_back(std::make_unique<QtFileName>(path));
    return QtPrintJob::begin(makePdfPrinter(pdfNames_.back()->name(), dotsPerInch, paper));
}

PrintJobStart QtPrintJobFactory::printerJob(const std::string& printerName, const PaperSize& paper,
                                            int copies) {
    SystemPrinter system = makeSystemPrinter(QString::fromStdString(printerName), paper);
    if (!system.printer)
        return {nullptr, system.result};
    system.printer->setCopyCount(copies);
    return QtPrintJob::begin(std::move(system.printer));
}
