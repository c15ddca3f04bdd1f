#include "platform/BatchPrint.h"

#include <QPainter>
#include <QPrinter>

#include "files/BatchSheets.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/SpoolerHandoff.h"
#include "render/SheetRenderer.h"

BatchPrintResult printProductList(QPrinter& chosen, ProductListReader& reader,
                                  const LayoutSettings& layout, int startPosition,
                                  const std::function<void(long)>& progress) {
    BatchPrintResult result;
    setPageOrigin(chosen);
    // A system printer's pages go to its queue in one piece at the end.
    std::unique_ptr<SpoolerHandoff> handoff;
    if (SpoolerHandoff::isSystemPrinter(chosen)) {
        handoff = SpoolerHandoff::prepare(chosen, result.error);
        if (!handoff) {
            result.ok = false;
            return result;
        }
    }
    QPrinter& printer = handoff ? handoff->printer() : chosen;
    BatchSheetBuilder builder(reader, startPosition);
    LabelSheet sheet;
    QPainter painter;
    while (builder.nextSheet(sheet, result.problems)) {
        if (result.sheets == 0) {
            if (!painter.begin(&printer)) {
                result.ok = false;
                result.error = "印刷先を開けませんでした";
                return result;
            }
        } else if (!printer.newPage()) {
            result.ok = false;
            result.error = "次のページを始められませんでした";
            break;
        }
        QtPaintSurface surface(painter);
        surface.setUnit(SurfaceUnit::Millimetres);
        drawSheet(surface, sheet, layout, RenderOptions::paper());
        if (!surface.ok()) {
            result.ok = false;
            result.error = "ページを描けませんでした";
            break;
        }
        ++result.sheets;
        if (progress)
            progress(result.sheets);
    }
    result.labels = builder.labelsPlaced();
    if (!result.ok) {
        printer.abort();
        return result;
    }
    if (painter.isActive() && !painter.end()) {
        result.ok = false;
        result.error = "印刷を終えられませんでした";
    } else if (handoff && result.sheets > 0 && !handoff->submit(result.error)) {
        result.ok = false;
    }
    return result;
}
