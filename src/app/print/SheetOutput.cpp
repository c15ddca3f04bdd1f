#include "SheetOutput.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "ReplacingOutputFile.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJob.h"
#include "render/SheetRenderer.h"
#include "render/ViewState.h"

namespace {

// A4 at 96 dots per inch, the size of the preview picture.
constexpr int kPreviewWidth = 794;
constexpr int kPreviewHeight = 1123;

ViewState printView() {
    ViewState view;
    view.printMode = true;
    return view;
}

// Draws the printed sheet into `job` and ends the document.
bool printInto(std::unique_ptr<QtPrintJob> job, const LabelSheet& sheet,
               const LayoutSettings& layout, std::string& error) {
    ViewState view = printView();
    drawSheet(job->page(), sheet, layout, view);
    if (!job->page().ok()) {
        job->abort();
        error = "シートを描けませんでした";
        return false;
    }
    return job->finish(error);
}

}  // namespace

bool writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                   int dotsPerInch, std::string& error) {
    ReplacingOutputFile output(path);
    if (!output.open(error)) {
        return false;
    }
    std::unique_ptr<QtPrintJob> job = QtPrintJob::begin(
        makePdfPrinter(QString::fromStdString(output.temporaryPath()), dotsPerInch), error);
    if (!job) {
        return false;
    }
    if (!printInto(std::move(job), sheet, layout, error)) {
        return false;
    }
    return output.commit(error);
}

bool writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     double zoom, std::string& error) {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPaintSurface surface(painter, false);
        ViewState view;
        view.previewZoom = zoom;
        view.zoomCaption = zoom == 0.5 ? captions::kZoomTo100 : captions::kZoomTo50;
        drawSheet(surface, sheet, layout, view);
        if (!surface.ok()) {
            error = "プレビューを描けませんでした";
            return false;
        }
    }
    ReplacingOutputFile output(path);
    if (!output.open(error)) {
        return false;
    }
    if (!image.save(QString::fromStdString(output.temporaryPath()), "PNG")) {
        error = "PNG 画像を書き込めません: " + path;
        return false;
    }
    return output.commit(error);
}

bool printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                const std::string& printerName, std::string& error) {
    std::unique_ptr<QPrinter> printer = makeSystemPrinter(QString::fromStdString(printerName));
    if (!printer) {
        error = "プリンターが見つかりません: " + printerName;
        return false;
    }
    std::unique_ptr<QtPrintJob> job = QtPrintJob::begin(std::move(printer), error);
    if (!job) {
        return false;
    }
    return printInto(std::move(job), sheet, layout, error);
}
