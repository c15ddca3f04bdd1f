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
#include <fstream>
#include <memory>

#include "SheetInput.h"
#include "ToolExit.h"
#include "files/BatchSheets.h"
#include "files/ProductList.h"
#include "files/SettingsFile.h"
#include "platform/BatchPrint.h"
#include "platform/PageSetup.h"
#include "platform/SettingsLocation.h"

namespace {

TextEncoding encodingOption(const std::string& name) {
    if (name == "utf8")
        return TextEncoding::Utf8;
    if (name == "cp932")
        return TextEncoding::Cp932;
    return TextEncoding::Auto;
}

// The print pattern: the given file, or the user's preferred pattern.
bool batchLayout(const PrintToolOptions& options, LayoutSettings& layout, std::string& error) {
    if (!options.layoutFile.empty())
        return readLayoutForPrinting(options.layoutFile, layout, error);
    layout = initialLayoutSettings();
    loadSettingsFile(SettingsLocation::forThisProgram().paths().readPath, layout);
    return true;
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) == 1;
#endif
}

// A UTF-8 path, as every path is here, in the form the streams open.
std::filesystem::path utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

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

}  // namespace

int runBatch(const PrintToolOptions& options) {
    std::string error;
    LayoutSettings layout;
    if (!batchLayout(options, layout, error)) {
        reportError(error);
        return kExitFailure;
    }
    options.applyPricing(layout);
    std::ifstream list(utf8Path(options.productsFile), std::ios::binary);
    if (!list) {
        reportError("商品リストを開けません: " + options.productsFile);
        return kExitFailure;
    }
    // Decided once: the list is then read twice (to count, to print), not four times.
    TextEncoding encoding = encodingOption(options.encoding);
    if (encoding == TextEncoding::Auto)
        encoding = detectTextEncoding(list);
    const long products = countProducts(list, encoding);
    if (products == 0) {
        reportError("商品リストに印刷する商品がありません: " + options.productsFile);
        return kExitFailure;
    }
    const long sheets = sheetsNeeded(products, options.startPosition);

    // A PDF is written beside its final name and renamed into place when
    // complete, so a failed job leaves no half file and the old one whole.
    std::unique_ptr<QTemporaryFile> scratch;
    std::unique_ptr<QPrinter> printer;
    if (options.mode == PrintToolOptions::Mode::Printer) {
        printer = makeSystemPrinter(QString::fromStdString(options.printerName), error);
        if (!printer) {
            reportError(error);
            return kExitFailure;
        }
    } else {
        const QFileInfo target(QString::fromStdString(options.outputFile));
        if (target.isDir()) {
            reportError("出力先はフォルダーです: " + options.outputFile);
            return kExitFailure;
        }
        scratch = std::make_unique<QTemporaryFile>(
            target.absoluteDir().filePath(QStringLiteral(".tanahuda-print-XXXXXX.pdf")));
        if (!scratch->open()) {
            reportError("出力先に書き込めません: " + options.outputFile + " (" +
                        scratch->errorString().toStdString() + ")");
            return kExitFailure;
        }
        scratch->close();
        printer = makePdfPrinter(scratch->fileName(), options.dotsPerInch);
    }

    ProductListReader reader(list, encoding);
    BatchPrintResult result;
    {
        ProgressLine progress(sheets);
        result = printProductList(*printer, reader, layout, options.startPosition,
                                  [&](long done) { progress.update(done); });
    }
    for (const ProductProblem& problem : result.problems) {
        std::fprintf(stderr, "tanahuda-print: %s:%d: %s\n", options.productsFile.c_str(),
                     problem.lineNumber, problem.message.c_str());
    }
    if (!result.ok) {
        reportError(result.error);
        return kExitFailure;
    }
    if (scratch) {
        printer.reset();  // closes the PDF file
        // The temporary file is private to its owner; the PDF takes the old
        // file's permissions, or those of a newly made file.
        const QFileInfo old(QString::fromStdString(options.outputFile));
        scratch->setPermissions(old.exists() ? old.permissions()
                                             : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const std::string from = scratch->fileName().toStdString();
        if (!replaceFile(from, options.outputFile)) {
            reportError("出力先に書き込めません: " + options.outputFile);
            return kExitFailure;
        }
        scratch->setAutoRemove(false);
    }
    return result.problems.empty() ? 0 : kExitReported;
}
