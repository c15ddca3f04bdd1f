#include "SheetOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "files/AtomicFile.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJob.h"
#include "render/SheetRenderer.h"

namespace {

// The last line of every complete PDF.
constexpr std::string_view kPdfEnd = "%%EOF";

// Draws the page into `job` and ends the document.
Result printInto(PrintJob& job, const PaperPage& draw) {
    draw(job.page());
    if (!job.page().ok()) {
        job.abort();
        return Result::failure(ResultCode::PageNotDrawn);
    }
    return job.finish();
}

// Why an output cannot be written, naming it.
Result outputFailure(Result result, const std::string& path) {
    return std::move(result).withPath(path);
}

// The sheet as the print command draws it.
PaperPage sheetPage(const LabelSheet& sheet, const LayoutSettings& layout) {
    return [&sheet, &layout](DrawingSurface& page) {
        drawSheet(page, sheet, layout, RenderOptions::paper());
    };
}

}  // namespace

Result writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     const std::vector<std::string>& inputs, int dotsPerInch) {
    return writePagePdf(sheetPage(sheet, layout), path, inputs, dotsPerInch, layout.stock.paper);
}

Result printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                  const std::string& printerName) {
    return printPage(sheetPage(sheet, layout), printerName, layout.stock.paper);
}

Result writePagePdf(const PaperPage& draw, const std::string& path,
                    const std::vector<std::string>& inputs, int dotsPerInch,
                    const PaperSize& paper) {
    // Qt's PDF engine writes by name into the temporary file beside the
    // target; it reports no write errors, so commit() checks the file's end.
    AtomicFile pdf;
    if (Result begun = pdf.begin(path, inputs); !begun.ok())
        return outputFailure(std::move(begun), path);
    JobStart<QtPrintJob> start = QtPrintJob::begin(
        makePdfPrinter(QString::fromStdString(pdf.temporaryPath()), dotsPerInch, paper));
    if (!start.job) {
        start.result.path.clear();  // the temporary file, no name the user knows
        return start.result;
    }
    if (Result printed = printInto(*start.job, draw); !printed.ok()) {
        printed.path.clear();
        return printed;
    }
    if (Result committed = pdf.commit(kPdfEnd); !committed.ok())
        return outputFailure(std::move(committed), path);
    return {};
}

Result writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout,
                       const std::string& path, const std::vector<std::string>& inputs,
                       double zoom) {
    QImage image(previewPageSize(layout.stock.paper), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        drawSheet(surface, sheet, layout, RenderOptions::preview(zoom));
        if (!surface.ok())
            return Result::failure(ResultCode::PageNotDrawn);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Result::failure(ResultCode::ImageNotMade);
    Result written = writeFileAtomically(
        path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())), inputs);
    return written.ok() ? written : outputFailure(std::move(written), path);
}

Result printPage(const PaperPage& draw, const std::string& printerName, const PaperSize& paper) {
    SystemPrinter system = makeSystemPrinter(QString::fromStdString(printerName), paper);
    if (!system.printer)
        return system.result;
    JobStart<QtPrintJob> start = QtPrintJob::begin(std::move(system.printer));
    if (!start.job)
        return start.result;
    return printInto(*start.job, draw);
}
