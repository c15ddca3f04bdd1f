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

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "SheetInput.h"
#include "ToolExit.h"
#include "platform/BatchPrint.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"

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

#ifdef _WIN32
// A UTF-8 path, as every path is here, in the form Windows takes.
std::filesystem::path utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
#endif

// Puts the finished file in place of any old one.
bool replaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    // std::rename refuses an existing target here.
    return MoveFileExW(utf8Path(from).c_str(), utf8Path(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
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

// Where the sheets go: the named printer, or a PDF written beside its final
// name and renamed into place when complete, so a failed job leaves no half
// file and the old one whole.
class BatchTarget {
  public:
    Result open(const PrintToolOptions& options) {
        if (options.mode == PrintToolOptions::Mode::Printer) {
            SystemPrinter system = makeSystemPrinter(QString::fromStdString(options.printerName));
            if (!system.printer)
                return system.result;
            return begin(std::move(system.printer));
        }
        const QFileInfo target(QString::fromStdString(options.outputFile));
        if (target.isDir())
            return Result::failure(ResultCode::IsFolder).withPath(options.outputFile);
        scratch_ = std::make_unique<QTemporaryFile>(
            target.absoluteDir().filePath(QStringLiteral(".tanahuda-print-XXXXXX.pdf")));
        if (!scratch_->open()) {
            return Result::failure(ResultCode::WriteFailed, scratch_->errorString().toStdString())
                .withPath(options.outputFile);
        }
        scratch_->close();
        Result begun = begin(makePdfPrinter(scratch_->fileName(), options.dotsPerInch));
        // The temporary file is no name the user knows: the failure is told in
        // general words.
        begun.path.clear();
        return begun;
    }

    PrintJob& job() { return *job_; }

    // Puts a finished PDF at `outputFile`; nothing to do for a printer.
    Result commit(const std::string& outputFile) {
        if (!scratch_)
            return {};
        job_.reset();  // closes the PDF file
        // The temporary file is private to its owner; the PDF takes the old
        // file's permissions, or those of a newly made file.
        const QFileInfo old(QString::fromStdString(outputFile));
        scratch_->setPermissions(old.exists()
                                     ? old.permissions()
                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (!replaceFile(scratch_->fileName().toStdString(), outputFile))
            return Result::failure(ResultCode::WriteFailed).withPath(outputFile);
        scratch_->setAutoRemove(false);
        return {};
    }

  private:
    Result begin(std::unique_ptr<QPrinter> printer) {
        JobStart<QtPrintJob> start = QtPrintJob::begin(std::move(printer));
        job_ = std::move(start.job);
        return start.result;
    }

    std::unique_ptr<QTemporaryFile> scratch_;
    std::unique_ptr<QtPrintJob> job_;
};

void reportProblems(const std::string& listPath, const std::vector<Result>& problems) {
    for (const Result& problem : problems)
        std::fprintf(stderr, "tanahuda-print: %s\n", toolProblemLine(listPath, problem).c_str());
}

}  // namespace

int runBatch(const PrintToolOptions& options) {
    LayoutSettings layout;
    if (Result read = readLayoutOrPreferred(options.layoutFile, layout); !read.ok()) {
        reportError(read);
        return kExitFailure;
    }
    options.applyPricing(layout);
    ProductListBatch batch(options.productsFile, encodingOption(options.encoding),
                           options.startPosition);
    if (!batch.listResult().ok()) {
        reportError(batch.listResult());
        return kExitFailure;
    }
    BatchTarget target;
    if (Result opened = target.open(options); !opened.ok()) {
        reportError(opened);
        return kExitFailure;
    }
    BatchOutcome outcome;
    {
        ProgressLine progress(batch.sheetCount());
        outcome = batch.print(target.job(), layout, [&](long done) { progress.update(done); });
    }
    reportProblems(options.productsFile, outcome.problems);
    if (!outcome.ok()) {
        outcome.result.path.clear();  // the temporary PDF, no name the user knows
        reportError(outcome.result);
        return kExitFailure;
    }
    if (Result committed = target.commit(options.outputFile); !committed.ok()) {
        reportError(committed);
        return kExitFailure;
    }
    return outcome.problems.empty() ? 0 : kExitReported;
}
