#include "platform/BatchPrint.h"

#include <filesystem>

#include "files/BatchSheets.h"
#include "render/SheetRenderer.h"

namespace {

// A UTF-8 path in the form the streams open on every system.
std::filesystem::path utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

ProductListBatch::ProductListBatch(const std::string& listPath, TextEncoding encoding,
                                   int startPosition)
    : listPath_(listPath),
      list_(utf8Path(listPath), std::ios::binary),
      encoding_(encoding),
      startPosition_(startPosition) {
    if (!list_) {
        listResult_ = Result::failure(ResultCode::ListNotOpened).withPath(listPath_);
        return;
    }
    // Decided once: the list is then read twice (to count, to print), not four times.
    if (encoding_ == TextEncoding::Auto)
        encoding_ = detectTextEncoding(list_);
    // One pass as printing makes it: the products and the rows that will not
    // print as they stand.
    {
        ProductListReader reader(list_, encoding_);
        BatchSheetBuilder builder(reader, 1);
        LabelSheet sheet;
        while (builder.nextSheet(sheet, problems_)) {
        }
        products_ = builder.labelsPlaced();
    }
    rewind();
    if (products_ == 0)
        listResult_ = Result::failure(ResultCode::ListEmpty).withPath(listPath_);
}

long ProductListBatch::sheetCount() const {
    return sheetsNeeded(products_, startPosition_);
}

void ProductListBatch::rewind() {
    list_.clear();
    list_.seekg(0);
}

LabelSheet ProductListBatch::firstSheet() {
    LabelSheet first;
    if (!list_.is_open())
        return first;
    rewind();
    ProductListReader reader(list_, encoding_);
    BatchSheetBuilder builder(reader, startPosition_);
    std::vector<Result> ignored;
    builder.nextSheet(first, ignored);
    return first;
}

BatchOutcome ProductListBatch::print(PrintJob& job, const LayoutSettings& layout,
                                     const BatchProgress& progress) {
    BatchOutcome outcome;
    rewind();
    ProductListReader reader(list_, encoding_);
    BatchSheetBuilder builder(reader, startPosition_);
    LabelSheet sheet;
    while (builder.nextSheet(sheet, outcome.problems)) {
        if (outcome.sheets > 0) {
            if (Result next = job.newPage(); !next.ok()) {
                outcome.result = std::move(next);
                break;
            }
        }
        DrawingSurface& page = job.page();
        page.setUnit(SurfaceUnit::Millimetres);
        drawSheet(page, sheet, layout, RenderOptions::paper());
        if (!page.ok()) {
            outcome.result = Result::failure(ResultCode::PageNotDrawn);
            break;
        }
        ++outcome.sheets;
        if (progress)
            progress(outcome.sheets);
    }
    outcome.labels = builder.labelsPlaced();
    if (!outcome.ok()) {
        job.abort();
        return outcome;
    }
    outcome.result = job.finish();
    return outcome;
}
