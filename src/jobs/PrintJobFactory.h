#pragma once

#include <string>

#include "model/LabelStock.h"
#include "render/PrintJob.h"

// Makes the print jobs an output job draws on. The jobs have no printer of
// their own: the platform's factory (QtPrintJobFactory) makes Qt's, and the
// tests make jobs that fail where they are told to.
class PrintJobFactory {
  public:
    virtual ~PrintJobFactory() = default;
    // A job writing a PDF of pages of `paper` by name at `path`, drawn from the
    // paper's corner at `dotsPerInch`. No job when the file cannot be opened
    // (the result says why).
    virtual PrintJobStart pdfJob(const std::string& path, int dotsPerInch,
                                 const PaperSize& paper) = 0;
    // A job on the system printer `printerName` with pages of `paper`, drawn
    // from the corner of its printable area, handed to its queue as `copies`
    // copies of the document (the spooler makes them; the pages are drawn
    // once). No job when there is no such printer or it cannot be opened.
    virtual PrintJobStart printerJob(const std::string& printerName, const PaperSize& paper,
                                     int copies) = 0;
};
