#pragma once

#include <memory>
#include <vector>

#include "jobs/PrintJobFactory.h"
#include "platform/QtFileName.h"

// Qt's print jobs for the output jobs: a PDF written by Qt's PDF engine, or a
// system printer handed to its queue (QtPrintJob). The factory outlives the
// jobs it made: it keeps the names by which Qt reaches their PDF files.
class QtPrintJobFactory : public PrintJobFactory {
  public:
    PrintJobStart pdfJob(const std::string& path, int dotsPerInch, const PaperSize& paper) override;
    PrintJobStart printerJob(const std::string& printerName, const PaperSize& paper,
                             int copies) override;

  private:
    std::vector<std::unique_ptr<QtFileName>> pdfNames_;
};
