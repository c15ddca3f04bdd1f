#include "SheetOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include "files/FileIo.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJob.h"
#include "render/SheetRenderer.h"

namespace {

// Draws the page into `job` and ends the document.
Result printInto(PrintJob& job, const PaperPage& draw) {
    draw(job.page());
    if (!job.page().ok()) {
        job.abort();
        return Result::failure(ResultCode::PageNotDrawn);
    }
    return job.finish();
}

// Puts `bytes` at `path` only once they are complete: the old file stays as it
// was when anything fails.
Result writeOutput(const std::string& path, const QByteArray& bytes) {
    if (QFileInfo(QString::fromStdString(path)).isDir())
        return Result::failure(ResultCode::IsFolder).withPath(path);
    return writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The sheet as the print command draws it.
PaperPage sheetPage(const LabelSheet& sheet, const LayoutSettings& layout) {
    return [&sheet, &layout](DrawingSurface& page) {
        drawSheet(page, sheet, layout, RenderOptions::paper());
    };
}

}  // namespace

Result writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     int dotsPerInch) {
    return writePagePdf(sheetPage(sheet, layout), path, dotsPerInch);
}

Result printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                  const std::string& printerName) {
    return printPage(sheetPage(sheet, layout), printerName);
}

Result writePagePdf(const PaperPage& draw, const std::string& path, int dotsPerInch) {
    // The PDF engine writes to a file: a private one, removed afterwards.
    QTemporaryFile scratch(QDir::temp().filePath(QStringLiteral("tanahuda-print-XXXXXX.pdf")));
    if (!scratch.open()) {
        return Result::failure(ResultCode::ScratchFileNotMade, scratch.errorString().toStdString());
    }
    scratch.close();
    JobStart<QtPrintJob> start = QtPrintJob::begin(makePdfPrinter(scratch.fileName(), dotsPerInch));
    if (!start.job)
        return start.result;
    if (Result printed = printInto(*start.job, draw); !printed.ok())
        return printed;
    QFile pdf(scratch.fileName());
    if (!pdf.open(QIODevice::ReadOnly))
        return Result::failure(ResultCode::PdfNotReadBack, pdf.errorString().toStdString());
    return writeOutput(path, pdf.readAll());
}

Result writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout,
                       const std::string& path, double zoom) {
    QImage image(kPreviewPageWidth, kPreviewPageHeight, QImage::Format_RGB32);
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
    return writeOutput(path, png);
}

Result printPage(const PaperPage& draw, const std::string& printerName) {
    SystemPrinter system = makeSystemPrinter(QString::fromStdString(printerName));
    if (!system.printer)
        return system.result;
    JobStart<QtPrintJob> start = QtPrintJob::begin(std::move(system.printer));
    if (!start.job)
        return start.result;
    return printInto(*start.job, draw);
}
