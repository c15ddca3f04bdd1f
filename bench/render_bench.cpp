// How long a full sheet (every label of the standard stock) takes to draw: as
// the preview on a screen-resolution image of the page (redrawn after every
// change in the window), and as the printed page on a 600 dpi PDF.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <string>
#include <vector>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/ToggleCaptions.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "platform/QtPrintJob.h"
#include "render/SheetRenderer.h"

namespace {

LabelSheet fullSheet() {
    static const std::vector<std::string> codes = {
        "0258147036929", "1703692581473", "27418529",      "3703692581471", "4258147036925",
        "56307412",      "6258147036923", "7703692581477", "85296305",      "9703692581475",
    };
    LabelSheet sheet;
    for (int k = 1; k <= sheet.labelCount(); ++k) {
        LabelRecord& r = sheet.label(k);
        r.janCode = codes[static_cast<std::size_t>(k - 1) % codes.size()];
        r.maker = "株式会社メーカー" + std::to_string(k);
        r.productName = "商品名 サンプル" + std::to_string(k);
        r.spec = "500ml × 24本";
        r.lot = "ロット A-" + std::to_string(k);
        r.price = std::to_string(k * 1280);
    }
    return sheet;
}

void previewSheet(benchmark::State& state, double zoom,
                  PriceMode mode = PriceMode::TaxIncludedOnly) {
    LabelSheet sheet = fullSheet();
    for (int k = 1; k <= sheet.labelCount(); k += 2)
        sheet.label(k).taxRate = TaxRate::Reduced;
    LayoutSettings layout = initialLayoutSettings();
    layout.borderOn = true;
    layout.pricing.mode = mode;
    QImage image(previewPageSize(layout.stock.paper), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        drawSheet(surface, sheet, layout, RenderOptions::preview(zoom));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PreviewSheetZoom100(benchmark::State& state) {
    previewSheet(state, 1.0);
}
void BM_PreviewSheetZoom50(benchmark::State& state) {
    previewSheet(state, 0.5);
}

// Both prices: every label also works out and draws its tax line.
void BM_PreviewSheetDualPricesZoom100(benchmark::State& state) {
    previewSheet(state, 1.0, PriceMode::BaseAndTaxIncluded);
}

void BM_PrintSheetPdf600(benchmark::State& state) {
    const LabelSheet sheet = fullSheet();
    const LayoutSettings layout = initialLayoutSettings();
    const QString path = QDir::temp().filePath(QStringLiteral("tanahuda-render-bench.pdf"));
    for (auto _ : state) {
        std::unique_ptr<QtPrintJob> job =
            QtPrintJob::begin(makePdfPrinter(path, 600, kStandardStock.paper)).job;
        if (!job) {
            state.SkipWithError("the PDF printer could not be opened");
            break;
        }
        drawSheet(job->page(), sheet, layout, RenderOptions::paper());
        if (!job->finish().ok()) {
            state.SkipWithError("the PDF could not be finished");
            break;
        }
    }
    QFile::remove(path);
}

BENCHMARK(BM_PreviewSheetZoom100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PreviewSheetZoom50)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PreviewSheetDualPricesZoom100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PrintSheetPdf600)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
