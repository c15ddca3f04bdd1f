#pragma once

#include <QString>
#include <memory>
#include <string>

#include "model/Result.h"

class QPrinter;

// The printers a sheet is drawn on. A sheet is one A4 portrait page whose
// layout is measured from the printer's origin.

// A PDF file of one A4 portrait page at `dotsPerInch` (600 for print-quality
// barcodes). A PDF has no unprintable margin, so the page is drawn from the
// corner of the paper (full-page mode).
std::unique_ptr<QPrinter> makePdfPrinter(const QString& path, int dotsPerInch);

// A system printer, or why there is none.
struct SystemPrinter {
    std::unique_ptr<QPrinter> printer;
    Result result;  // PrinterNotFound or SpoolerDown, naming the printer
};

// The system printer called `name`, at its own resolution, A4 portrait, drawn
// from the corner of its printable area. None when no such printer exists.
// Whether its queue takes jobs now is asked when the job begins.
SystemPrinter makeSystemPrinter(const QString& name);

// Chooses where a page is drawn from: a PDF, which has no unprintable margin,
// from the corner of the paper (full-page mode); a real printer from the
// corner of its printable area (margins as small as the printer allows), the
// origin the layout is measured from.
void setPageOrigin(QPrinter& printer);

// The preview picture: an A4 portrait page at 96 dots per inch, in pixels.
inline constexpr int kPreviewPageWidth = 794;
inline constexpr int kPreviewPageHeight = 1123;
