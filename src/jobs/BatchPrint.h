#pragma once

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/InStoreNumbering.h"
#include "files/ProductList.h"
#include "jobs/LabelProblems.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"
#include "render/PrintJob.h"

// A printed label that did not come out as its row reads (a text condensed
// or clipped, a character no font draws), found as the sheet check finds it.
struct RowLabelProblem {
    int line = 0;  // the list's line the label was filled from
    LabelProblem problem;
    bool operator==(const RowLabelProblem&) const = default;
};

// How a batch print went.
struct BatchOutcome {
    Result result;                 // Ok, or why the job failed (nothing was printed then)
    long sheets = 0;               // pages drawn
    long labels = 0;               // labels placed on them
    std::vector<Result> problems;  // the list's problem rows, each naming its line
    std::vector<RowLabelProblem> labelProblems;  // the printed labels' problems, by line
    // The in-store numbering after the job: the last code given and the next.
    std::optional<InStoreNumbering> inStore{};

    bool ok() const { return result.ok(); }
    bool hasProblems() const { return !problems.empty() || !labelProblems.empty(); }
};

// Called after each printed page with the number of sheets done so far.
using BatchProgress = std::function<void(long sheetsDone)>;

// Whether the list at `listPath` can be printed with `mapping` (or its
// header's own): Ok, or ListColumnsUnknown as ProductListBatch gives it. Reads
// only up to the list's first row; a list that cannot be read is Ok here (the
// batch tells why).
Result checkListColumns(const std::string& listPath, TextEncoding encoding,
                        const std::optional<ColumnMapping>& mapping);

// Printing a product list, one sheet of the stock's labels a page: the one routine
// behind the window's 一括印刷 and tanahuda-print --products.
//
// Opening reads the list at once (each row in its own encoding when Auto)
// and counts its products and problem rows, so the caller knows the sheets
// and the rows to check before it chooses where to print. print() then streams
// the list, holding one sheet in memory at a time, and draws each label
// exactly as the print command draws a typed sheet.
class ProductListBatch {
  public:
    // `listPath` is UTF-8; `startPosition` (from 1) is the first sheet's first
    // label; the sheets are those of `stock` (the print pattern's), priced as
    // `pricing` says. The list's columns are read as `mapping` says, or as its
    // header row says.
    ProductListBatch(const std::string& listPath, TextEncoding encoding, int startPosition,
                     const LabelStock& stock, std::optional<ColumnMapping> mapping = std::nullopt,
                     const PricePattern& pricing = {});

    // Ok, ListNotOpened (with the reader's reason), ListColumnsUnknown (the
    // header, its cells joined by commas, as the detail: neither the code nor
    // the name has a column, so nothing would print), ListEmpty or
    // ListUnreadable (rows, but none that can be read), naming the list.
    const Result& listResult() const { return listResult_; }
    long productCount() const { return products_; }
    long sheetCount() const;
    // The columns the list is read with.
    const ColumnMapping& mapping() const { return mapping_; }
    // The list's problem rows, found while it was counted.
    const std::vector<Result>& problems() const { return problems_; }
    // Another start position, without reading the list again.
    void setStartPosition(int startPosition) { startPosition_ = startPosition; }
    // Rows printed without a code take consecutive in-store codes from
    // `numbering`, the same ones in every print of the batch.
    void giveInStoreCodes(const InStoreNumbering& numbering) { inStore_ = numbering; }

    // The first sheet as it will be printed: the labels before the start
    // position stay free. Empty when the list cannot be read.
    LabelSheet firstSheet();

    // Prints every sheet on `job` (priced as `layout` says), which has begun and whose first page
    // is empty, and ends the document. Each printed label is checked on the page it is drawn on, as
    // the sheet tool checks a typed sheet. When a page cannot be begun or drawn the job is
    // abandoned: nothing reaches the printer.
    BatchOutcome print(PrintJob& job, const LayoutSettings& layout,
                       const BatchProgress& progress = {});

  private:
    void rewind();

    std::string listPath_;
    std::istringstream list_;
    bool opened_ = false;
    TextEncoding encoding_;
    int startPosition_;
    LabelStock stock_;
    PricePattern pricing_;
    ColumnMapping mapping_;
    long products_ = 0;
    std::vector<Result> problems_;
    Result listResult_;
    std::optional<InStoreNumbering> inStore_;
};
