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

std::string describe(const QPrinter& printer) {
    return isPdf(printer) ? "PDF ファイル「" + printer.outputFileName().toStdString() + "」"
                          : "プリンター「" + printer.printerName().toStdString() + "」";
}

}  // namespace

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)), painter_(std::make_unique<QPainter>()) {}

std::unique_ptr<QtPrintJob> QtPrintJob::begin(std::unique_ptr<QPrinter> printer,
                                              std::string& error) {
    if (!printer) {
        error = "プリンターがありません";
        return nullptr;
    }
    // A PDF from the paper's corner, whichever way the printer was chosen.
    setPageOrigin(*printer);
    std::unique_ptr<QtPrintJob> job(new QtPrintJob(std::move(printer)));
    if (SpoolerHandoff::isSystemPrinter(*job->printer_)) {
        job->handoff_ = SpoolerHandoff::prepare(*job->printer_, error);
        if (!job->handoff_) {
            job->done_ = true;
            return nullptr;
        }
    }
    if (!job->painter_->begin(&job->target())) {
        error = describe(*job->printer_) + "に印刷を始められません";
        job->done_ = true;
        return nullptr;
    }
    job->surface_ = std::make_unique<QtPaintSurface>(*job->painter_);
    job->surface_->setUnit(SurfaceUnit::Millimetres);
    return job;
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

bool QtPrintJob::finish(std::string& error) {
    if (done_) {
        error = "印刷はすでに終わっています";
        return false;
    }
    done_ = true;
    const bool ended = painter_->end();
    if (!ended || target().printerState() == QPrinter::Error ||
        target().printerState() == QPrinter::Aborted) {
        error = describe(*printer_) + "への印刷を完了できませんでした";
        return false;
    }
    if (handoff_) {
        return handoff_->submit(error);
    }
    if (isPdf(*printer_)) {
        const QFileInfo written(printer_->outputFileName());
        if (!written.exists() || written.size() == 0) {
            error = describe(*printer_) + "を書き込めませんでした";
            return false;
        }
    }
    return true;
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
