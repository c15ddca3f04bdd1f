#pragma once

#include "jobs/PrintJobFactory.h"

// Qt's print jobs for the output jobs: a PDF written by Qt's PDF engine, or a
// system printer handed to its queue (QtPrintJob).
class QtPrintJobFactory : public PrintJobFactory {
  public:
    PrintJobStart pdfJob(const std::string& path, int dotsPerInch, const PaperSize& paper) override;
    PrintJobStart printerJob(const std::string& printerName, const PaperSize& paper,
                             int copies) override;
};
