#include "jobs/BatchPrint.h"

#include "files/BatchSheets.h"
#include "jobs/CodeProblems.h"
#include "jobs/ShelfProblems.h"
#include "render/SheetRenderer.h"

namespace {

// The drawing problems of the sheet's printed labels, each with its row's line.
void checkSheet(const LabelSheet& sheet, const BatchSheetBuilder& builder,
                const LayoutSettings& layout, DrawingSurface& page,
                std::vector<RowLabelProblem>& problems) {
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        const LabelRecord& label = sheet.label(n);
        const int line = builder.lineOf(n);
        if (line == 0 || label.productName.empty())
            continue;
        for (LabelProblem& p : findDrawingProblems(label, n, layout, page))
            problems.push_back({line, std::move(p)});
        for (LabelProblem& p : findShelfProblems(label, n, layout, &page)) {
            // The row's price is reported as no amount when it is read.
            if (p.kind != LabelProblemKind::PriceNotWholeYen)
                problems.push_back({line, std::move(p)});
        }
        for (LabelProblem& p : printingProblems(findCodeProblems(label, n, layout)))
            problems.push_back({line, std::move(p)});
    }
}

// The header as the list has it, its cells joined by commas.
std::string headerText(const ColumnMapping& mapping) {
    std::string text;
    for (const std::string& cell : mapping.header())
        text += (text.empty() ? "" : ",") + cell;
    return text;
}

Result columnsUnknown(const ColumnMapping& mapping, const std::string& listPath) {
    return Result::failure(ResultCode::ListColumnsUnknown, headerText(mapping)).withPath(listPath);
}

}  // namespace

Result checkListColumns(const std::string& listPath, TextEncoding encoding,
                        const std::optional<ColumnMapping>& mapping) {
    if (mapping)
        return mapping->canPrint() ? Result{} : columnsUnknown(*mapping, listPath);
    std::string bytes;
    if (!readProductListFile(listPath, bytes).ok())
        return {};
    std::istringstream in(std::move(bytes));
    const ColumnMapping own = listMapping(in, encoding);
    return own.canPrint() ? Result{} : columnsUnknown(own, listPath);
}

ProductListBatch::ProductListBatch(const std::string& listPath, TextEncoding encoding,
                                   int startPosition, const LabelStock& stock,
                                   std::optional<ColumnMapping> mapping,
                                   const PricePattern& pricing)
    : listPath_(listPath),
      encoding_(encoding),
      startPosition_(startPosition),
      stock_(stock),
      pricing_(pricing) {
    // Read whole and bounded, like a label file: a folder, a pipe or a device
    // is refused at once, and a read error is a result.
    std::string bytes;
    if (Result read = readProductListFile(listPath_, bytes); !read.ok()) {
        listResult_ = Result::failure(ResultCode::ListNotOpened, read.detail).withPath(listPath_);
        return;
    }
    list_.str(std::move(bytes));
    opened_ = true;
    mapping_ = mapping ? std::move(*mapping) : listMapping(list_, encoding_);
    rewind();
    if (!mapping_.canPrint()) {
        // Labels without a code or a name are blank sheets: nothing is printed.
        opened_ = false;
        listResult_ = columnsUnknown(mapping_, listPath_);
        return;
    }
    // One pass as printing makes it: the products and the rows that will not
    // print as they stand.
    {
        ProductListReader reader(list_, encoding_, mapping_);
        BatchSheetBuilder builder(reader, 1, pricing_);
        LabelSheet sheet(stock_);
        while (builder.nextSheet(sheet, problems_)) {
        }
        products_ = builder.labelsPlaced();
    }
    rewind();
    if (products_ == 0) {
        listResult_ =
            Result::failure(problems_.empty() ? ResultCode::ListEmpty : ResultCode::ListUnreadable)
                .withPath(listPath_);
    }
}

long ProductListBatch::sheetCount() const {
    return sheetsNeeded(products_, startPosition_, stock_.labelCount());
}

void ProductListBatch::rewind() {
    list_.clear();
    list_.seekg(0);
}

LabelSheet ProductListBatch::firstSheet() {
    LabelSheet first(stock_);
    if (!opened_)
        return first;
    rewind();
    ProductListReader reader(list_, encoding_, mapping_);
    BatchSheetBuilder builder(reader, startPosition_, pricing_);
    std::vector<Result> ignored;
    builder.nextSheet(first, ignored);
    if (std::optional<InStoreNumbering> numbering = inStore_)
        numberLabelsWithoutCode(first, *numbering);
    return first;
}

BatchOutcome ProductListBatch::print(PrintJob& job, const LayoutSettings& layout,
                                     const BatchProgress& progress) {
    BatchOutcome outcome;
    rewind();
    ProductListReader reader(list_, encoding_, mapping_);
    BatchSheetBuilder builder(reader, startPosition_, layout.pricing);
    LabelSheet sheet(stock_);
    outcome.inStore = inStore_;
    while (builder.nextSheet(sheet, outcome.problems)) {
        // Once the flag's numbers are used up, the rest print without a code.
        if (outcome.inStore)
            numberLabelsWithoutCode(sheet, *outcome.inStore);
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
        checkSheet(sheet, builder, layout, page, outcome.labelProblems);
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
