#pragma once

#include <string>
#include <vector>

#include "jobs/OutputJob.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"
#include "render/DrawingSurface.h"

// The three ways the tool puts a sheet out. Each returns why it failed, if it
// did; no output file is left behind on failure, an old one stays as it was,
// and a file is never written over one of `inputs`.

// The sheet as the print command draws it (print mode, full size, real
// barcodes) on one PDF page of its stock's paper at `dotsPerInch`, drawn from
// the paper's corner.
Result writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     const std::vector<std::string>& inputs, int dotsPerInch);

// The preview as the input window shows it at `zoom` (0.5 or 1.0), as a PNG
// of its stock's page at 96 dots per inch.
Result writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout,
                       const std::string& path, const std::vector<std::string>& inputs,
                       double zoom);

// The sheet printed on the system printer `printerName`, drawn from the
// corner of its printable area, `copies` times by the spooler.
Result printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                  const std::string& printerName, int copies = 1);

// Any one page on paper: `draw` draws it in millimetres from the page's
// origin. Into a PDF at `dotsPerInch` (from the paper's corner), or on the
// system printer `printerName` (from the corner of its printable area, in
// `copies` copies), on `paper` (the print pattern's stock's).
Result writePagePdf(const PaperPage& draw, const std::string& path,
                    const std::vector<std::string>& inputs, int dotsPerInch,
                    const PaperSize& paper);
Result printPage(const PaperPage& draw, const std::string& printerName, const PaperSize& paper,
                 int copies);
