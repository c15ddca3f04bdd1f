#include "platform/QtPrintJob.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/SpoolerHandoff.h"

namespace {

bool isPdf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

// A failure naming the printer, or the PDF file, it is about.
Result failureOn(const QPrinter& printer, ResultCode code) {
    Result failure = Result::failure(code);
    if (isPdf(printer))
        failure.path = printer.outputFileName().toStdString();
    else
        failure.printer = printer.printerName().toStdString();
    return failure;
}

}  // namespace

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)), painter_(std::make_unique<QPainter>()) {}

JobStart<QtPrintJob> QtPrintJob::begin(std::unique_ptr<QPrinter> printer) {
    if (!printer)
        return {nullptr, Result::failure(ResultCode::PrinterNotFound)};
    // A PDF from the paper's corner, whichever way the printer was chosen.
    setPageOrigin(*printer);
    std::unique_ptr<QtPrintJob> job(new QtPrintJob(std::move(printer)));
    if (SpoolerHandoff::isSystemPrinter(*job->printer_)) {
        JobStart<SpoolerHandoff> handoff = SpoolerHandoff::prepare(*job->printer_);
        if (!handoff.job) {
            job->done_ = true;
            return {nullptr, handoff.result};
        }
        job->handoff_ = std::move(handoff.job);
    }
    if (!job->painter_->begin(&job->target())) {
        job->done_ = true;
        return {nullptr, failureOn(*job->printer_, ResultCode::PrinterNotOpened)};
    }
    job->surface_ = std::make_unique<QtPaintSurface>(*job->painter_);
    job->surface_->setUnit(SurfaceUnit::Millimetres);
    return {std::move(job), Result{}};
}

QPrinter& QtPrintJob::target() {
    return handoff_ ? handoff_->printer() : *printer_;
}

QtPrintJob::~QtPrintJob() {
    if (!done_) {
        abort();
    }
}

DrawingSurface& QtPrintJob::page() {
    return *surface_;
}

Result QtPrintJob::newPage() {
    if (done_ || !target().newPage())
        return failureOn(*printer_, ResultCode::PageNotStarted);
    // Each page starts as the first did: a fresh surface in millimetres.
    surface_ = std::make_unique<QtPaintSurface>(*painter_);
    surface_->setUnit(SurfaceUnit::Millimetres);
    return {};
}

Result QtPrintJob::finish() {
    if (done_)
        return Result::failure(ResultCode::PrintFinished);
    done_ = true;
    const bool ended = painter_->end();
    if (!ended || target().printerState() == QPrinter::Error ||
        target().printerState() == QPrinter::Aborted) {
        return failureOn(*printer_, ResultCode::PrintNotFinished);
    }
    if (handoff_)
        return handoff_->submit();
    if (isPdf(*printer_)) {
        const QFileInfo written(printer_->outputFileName());
        if (!written.exists() || written.size() == 0)
            return failureOn(*printer_, ResultCode::PdfNotWritten);
    }
    return {};
}

void QtPrintJob::abort() {
    if (done_) {
        return;
    }
    done_ = true;
    target().abort();
    if (painter_->isActive()) {
        painter_->end();
    }
    // A PDF engine cannot take back what it has begun: remove the file, so
    // nothing of the abandoned page remains (a handoff removes its own).
    if (handoff_) {
        handoff_.reset();
    } else if (isPdf(*printer_)) {
        QFile::remove(printer_->outputFileName());
    }
}
