#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>
#include <memory>
#include <string>

#include "model/LabelStock.h"
#include "model/Result.h"

class QPrinter;

// The printers a sheet is drawn on. A sheet is one portrait page of its
// stock's paper whose layout is measured from the printer's origin. Callers
// that hold a print pattern pass its stock's paper.

// The page size of `paper`, a standard size (A4...) when it is one.
QPageSize pageSizeOf(const PaperSize& paper);

// A PDF file of one portrait page of `paper` at `dotsPerInch` (600 for
// print-quality barcodes). A PDF has no unprintable margin, so the page is
// drawn from the corner of the paper (full-page mode).
std::unique_ptr<QPrinter> makePdfPrinter(const QString& path, int dotsPerInch,
                                         const PaperSize& paper);

// A system printer, or why there is none.
struct SystemPrinter {
    std::unique_ptr<QPrinter> printer;
    Result result;  // PrinterNotFound or SpoolerDown, naming the printer
};

// The system printer called `name`, at its own resolution, `paper` portrait,
// drawn from the corner of its printable area. None when no such printer
// exists. Whether its queue takes jobs now is asked when the job begins.
SystemPrinter makeSystemPrinter(const QString& name, const PaperSize& paper);

// Chooses where a page is drawn from: a PDF, which has no unprintable margin,
// from the corner of the paper (full-page mode); a real printer from the
// corner of its printable area (margins as small as the printer allows), the
// origin the layout is measured from.
void setPageOrigin(QPrinter& printer);

// The preview picture of a page of `paper` at 96 dots per inch, in whole pixels.
QSize previewPageSize(const PaperSize& paper);
