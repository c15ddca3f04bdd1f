#include "BatchOutput.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <QElapsedTimer>
#include <cstdio>
#include <sstream>

#include "SheetInput.h"
#include "StockChoice.h"
#include "ToolExit.h"
#include "files/SettingsFile.h"
#include "jobs/BatchPrint.h"
#include "jobs/OutputJob.h"
#include "jobs/RowGroups.h"
#include "platform/QtPrintJobFactory.h"

namespace {

TextEncoding encodingOption(const std::string& name) {
    if (name == "utf8")
        return TextEncoding::Utf8;
    if (name == "cp932")
        return TextEncoding::Cp932;
    return TextEncoding::Auto;
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) == 1;
#endif
}

// A progress line on a terminal, once the job has taken more than a second.
class ProgressLine {
  public:
    explicit ProgressLine(long total) : total_(total), enabled_(stderrIsTerminal()) {
        timer_.start();
    }
    void update(long done) {
        if (!enabled_)
            return;
        const qint64 ms = timer_.elapsed();
        if (ms < 1000 && done < total_)
            return;
        if (ms < 1000 && !shown_)
            return;
        shown_ = true;
        const double rate = ms > 0 ? done * 1000.0 / ms : 0.0;
        std::fprintf(stderr, "\r%ld / %ld シート (%.0f シート/秒)", done, total_, rate);
        std::fflush(stderr);
    }
    ~ProgressLine() {
        if (shown_)
            std::fputc('\n', stderr);
    }

  private:
    long total_;
    bool enabled_;
    bool shown_ = false;
    QElapsedTimer timer_;
};

// Where the sheets go: the named printer, or a PDF written through the one
// atomic writer, so a failed or interrupted job leaves no half file and the
// old one whole.
OutputTarget batchTarget(const PrintToolOptions& options, const PaperSize& paper) {
    OutputTarget target =
        options.mode == PrintToolOptions::Mode::Printer
            ? OutputTarget::printer(options.printerName, options.copies)
            : OutputTarget::pdf(options.outputFile, {options.productsFile, options.layoutFile},
                                options.dotsPerInch);
    target.paper = paper;
    return target;
}

// The problems of a list, one line each: the rows first, then the printed
// labels that did not come out as their rows read.
void reportProblems(const std::string& listPath, const std::vector<Result>& problems,
                    const std::vector<RowLabelProblem>& labelProblems = {}) {
    for (const Result& problem : problems)
        reportError(toolProblemLine(listPath, problem));
    for (const RowLabelProblem& p : labelProblems)
        reportError(toolProblemLine(listPath, p.line, p.problem));
}

// The columns as --map chooses them, or nothing for the header's own (also
// when the list cannot be read: the batch says why).
std::optional<ColumnMapping> chosenMapping(const PrintToolOptions& options, Result& failure) {
    if (options.mapping.empty())
        return std::nullopt;
    std::string bytes;
    if (!readProductListFile(options.productsFile, bytes).ok())
        return std::nullopt;
    std::istringstream in(std::move(bytes));
    ColumnMapping mapping = listMapping(in, encodingOption(options.encoding));
    if (Result applied = applyMappingText(mapping, options.mapping); !applied.ok()) {
        failure = std::move(applied).withPath(options.productsFile);
        reportError(mappingFailureMessage(failure, mapping.header()));
    }
    return mapping;
}

}  // namespace

int runBatch(const PrintToolOptions& options) {
    LayoutSettings layout;
    bool warned = false;
    if (Result read = readLayoutOrPreferred(options.layoutFile, layout, warned); !read.ok()) {
        reportError(read);
        return kExitFailure;
    }
    if (Result stock = applyStockOption(options.stock, layout, nullptr, options.stockTemplate);
        !stock.ok()) {
        reportError(stock);
        return kExitFailure;
    }
    // The last label a sheet can start at is the stock's, known only now.
    if (options.startGiven && options.startPosition > layout.stock.labelCount()) {
        reportError(
            startRangeError(layout.stock.labelCount(), std::to_string(options.startPosition)));
        return kExitUsage;
    }
    options.applyPricing(layout);
    Result mappingFailure;
    std::optional<ColumnMapping> mapping = chosenMapping(options, mappingFailure);
    if (!mappingFailure.ok())
        return kExitFailure;
    options.applyQrPattern(layout);
    ProductListBatch batch(options.productsFile, encodingOption(options.encoding),
                           options.startPosition, layout.stock, std::move(mapping), layout.pricing);
    if (std::optional<InStoreNumbering> inStore = InStoreNumbering::from(options.inStoreFrom))
        batch.giveInStoreCodes(*inStore);
    if (!batch.listResult().ok()) {
        reportProblems(options.productsFile, batch.problems());
        reportError(batch.listResult());
        return kExitFailure;
    }
    QtPrintJobFactory factory;
    OutputJob target;
    if (Result opened = target.open(batchTarget(options, layout.stock.paper), factory);
        !opened.ok()) {
        reportError(opened);
        return kExitFailure;
    }
    BatchOutcome outcome;
    {
        ProgressLine progress(batch.sheetCount());
        outcome = batch.print(target.job(), layout, [&](long done) { progress.update(done); });
    }
    reportProblems(options.productsFile, outcome.problems, outcome.labelProblems);
    if (outcome.ok() && outcome.hasProblems()) {
        for (const std::string& line : batchSummary(outcome))
            reportError(line);
    }
    if (!outcome.ok()) {
        reportError(target.failure(std::move(outcome.result)));
        return kExitFailure;
    }
    if (Result committed = target.commit(); !committed.ok()) {
        reportError(committed);
        return kExitFailure;
    }
    if (outcome.inStore)
        reportLastInStoreCode(*outcome.inStore);
    return outcome.hasProblems() || warned ? kExitReported : 0;
}
