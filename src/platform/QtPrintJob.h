#pragma once

#include <memory>
#include <string>

#include "render/PrintJob.h"

class QPainter;
class QPrinter;
class QtPaintSurface;
class SpoolerHandoff;

// One printed page on a QPrinter (a system printer or a PDF file): painting
// begins when the job is made, the page is a drawing surface in millimetres,
// finish() ends the document so the page is printed, abort() abandons it. A
// job destroyed before finish() is abandoned. A PDF page is drawn from the
// paper's corner (full page); a real printer's page from the corner of its
// printable area. A system printer's page is handed to its queue when
// finished, and finish() fails when the spooler does not accept it.
class QtPrintJob : public PrintJob {
  public:
    // Begins painting on `printer`. Nothing, with a reason in `error`, when the
    // printer (or the PDF file) cannot be opened.
    static std::unique_ptr<QtPrintJob> begin(std::unique_ptr<QPrinter> printer, std::string& error);
    ~QtPrintJob() override;
    QtPrintJob(const QtPrintJob&) = delete;
    QtPrintJob& operator=(const QtPrintJob&) = delete;

    DrawingSurface& page() override;
    bool finish(std::string& error) override;
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
