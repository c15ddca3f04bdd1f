#pragma once

#include <memory>

#include "render/PrintJob.h"

class QPainter;
class QPrinter;
class QtPaintSurface;
class SpoolerHandoff;

// A printed document on a QPrinter (a system printer or a PDF file): painting
// begins when the job is made, each page is a drawing surface in millimetres,
// finish() ends the document so the pages are printed, abort() abandons it. A
// job destroyed before finish() is abandoned. A PDF page is drawn from the
// paper's corner (full page); a real printer's page from the corner of its
// printable area. A system printer's pages are handed to its queue when
// finished, and finish() fails when the spooler does not accept them.
class QtPrintJob : public PrintJob {
  public:
    // Begins painting on `printer`. No job when there is no printer
    // (PrinterNotFound), its queue would not take the job (the queue's
    // answer), or it (or the PDF file) cannot be opened (PrinterNotOpened,
    // naming the printer or the file).
    static JobStart<QtPrintJob> begin(std::unique_ptr<QPrinter> printer);
    ~QtPrintJob() override;
    QtPrintJob(const QtPrintJob&) = delete;
    QtPrintJob& operator=(const QtPrintJob&) = delete;

    DrawingSurface& page() override;
    Result newPage() override;
    Result finish() override;
    void abort() override;

    QPrinter& printer() { return *printer_; }

  private:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer);
    // What is painted on: the printer, or the PDF handed to its queue.
    QPrinter& target();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<SpoolerHandoff> handoff_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtPaintSurface> surface_;
    bool done_ = false;
};
