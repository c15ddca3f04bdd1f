#include "SheetOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

#include "files/AtomicFile.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJobFactory.h"
#include "render/SheetRenderer.h"

namespace {

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

// One page put out on `target` through Qt's jobs.
Result putOutPage(const PaperPage& draw, const OutputTarget& target) {
    QtPrintJobFactory factory;
    OutputJob output;
    if (Result opened = output.open(target, factory); !opened.ok())
        return opened;
    return output.printPage(draw);
}

}  // namespace

Result writeSheetPdf(const LabelSheet& sheet, const LayoutSettings& layout, const std::string& path,
                     const std::vector<std::string>& inputs, int dotsPerInch) {
    return writePagePdf(sheetPage(sheet, layout), path, inputs, dotsPerInch, layout.stock.paper);
}

Result printSheet(const LabelSheet& sheet, const LayoutSettings& layout,
                  const std::string& printerName, int copies) {
    return printPage(sheetPage(sheet, layout), printerName, layout.stock.paper, copies);
}

Result writePagePdf(const PaperPage& draw, const std::string& path,
                    const std::vector<std::string>& inputs, int dotsPerInch,
                    const PaperSize& paper) {
    OutputTarget target = OutputTarget::pdf(path, inputs, dotsPerInch);
    target.paper = paper;
    return putOutPage(draw, target);
}

Result writePreviewPng(const LabelSheet& sheet, const LayoutSettings& layout,
                       const std::string& path, const std::vector<std::string>& inputs,
                       double zoom) {
    // The output's name and folder are checked before anything is drawn.
    AtomicFile file;
    if (Result begun = file.begin(path, inputs); !begun.ok())
        return outputFailure(std::move(begun), path);
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
    Result written =
        file.write(std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (written.ok())
        written = file.commit();
    return written.ok() ? written : outputFailure(std::move(written), path);
}

Result printPage(const PaperPage& draw, const std::string& printerName, const PaperSize& paper,
                 int copies) {
    OutputTarget target = OutputTarget::printer(printerName, copies);
    target.paper = paper;
    return putOutPage(draw, target);
}
