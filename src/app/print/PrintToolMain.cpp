// tanahuda-print: draws the sheet of a label data file into a PDF, a preview
// image or onto a printer, without any window.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#endif

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BatchOutput.h"
#include "EnglishUsage.h"
#include "PrintToolOptions.h"
#include "SheetInput.h"
#include "SheetOutput.h"
#include "StockChoice.h"
#include "ToolExit.h"
#include "app/HelpLanguage.h"
#include "files/UserStockFile.h"
#include "jobs/LabelProblems.h"
#include "jobs/ProblemMessages.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "platform/FontSubstitution.h"
#include "platform/TextGauge.h"
#include "render/CalibrationSheet.h"

namespace {

// Only the tool's own one-line errors reach stderr; Qt's notes and warnings
// (a missing runtime folder and the like) are not the user's concern.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        reportError(message.toStdString());
    }
}

// Lists on stderr each label that did not come out as typed (no barcode, not
// printed, condensed, a character without a glyph). True when there was one.
bool reportLabelProblems(const LabelSheet& sheet, const LayoutSettings& layout) {
    TextGauge gauge;
    const std::vector<LabelProblem> problems =
        printingProblems(findSheetProblems(sheet, layout, &gauge.surface()));
    for (const LabelProblem& problem : problems)
        reportError(messages::problemLine(problem));
    return !problems.empty();
}

// The files the output is made from: it may be none of them.
std::vector<std::string> inputsOf(const PrintToolOptions& options) {
    return {options.labelFile, options.layoutFile};
}

// The sheet put out as `options` ask.
Result putOut(const LabelSheet& sheet, const LayoutSettings& layout,
              const PrintToolOptions& options) {
    switch (options.mode) {
        case PrintToolOptions::Mode::Pdf:
            return writeSheetPdf(sheet, layout, options.outputFile, inputsOf(options),
                                 options.dotsPerInch);
        case PrintToolOptions::Mode::Preview:
            return writePreviewPng(sheet, layout, options.outputFile, inputsOf(options),
                                   options.zoom);
        case PrintToolOptions::Mode::Printer:
            return printSheet(sheet, layout, options.printerName, options.copies);
        case PrintToolOptions::Mode::Help:
        case PrintToolOptions::Mode::ListStocks:
            break;
    }
    return {};
}

int run(const PrintToolOptions& options) {
    LabelSheet sheet;
    LayoutSettings layout;
    int misfitLine = 0;
    bool warned = false;
    if (Result read = readSheetForPrinting(options.labelFile, options.layoutFile, sheet, layout,
                                           misfitLine, warned);
        !read.ok()) {
        reportError(read);
        return kExitFailure;
    }
    if (Result stock = applyStockOption(options.stock, layout, &sheet, options.stockTemplate);
        !stock.ok()) {
        reportError(stock);
        return kExitFailure;
    }
    options.applyPricing(layout);
    options.applyQrPattern(layout);
    std::optional<InStoreNumbering> inStore = InStoreNumbering::from(options.inStoreFrom);
    if (inStore)
        numberLabelsWithoutCode(sheet, *inStore);
    if (misfitLine > 0)
        reportError(misfitWarning(options.labelFile, misfitLine));
    const Result done = putOut(sheet, layout, options);
    if (done.code == ResultCode::PageNotDrawn) {
        reportError(options.mode == PrintToolOptions::Mode::Preview ? "プレビューを描けませんでした"
                                                                    : "シートを描けませんでした");
        return kExitFailure;
    }
    if (!done.ok()) {
        reportError(done);
        return kExitFailure;
    }
    if (inStore)
        reportLastInStoreCode(*inStore);
    const bool labelsReported = reportLabelProblems(sheet, layout);
    return labelsReported || misfitLine > 0 || warned ? kExitReported : EXIT_SUCCESS;
}

// The calibration page with the origin of the print pattern (--layout, or the
// user's preferred one), into a PDF or onto a printer.
int calibrate(const PrintToolOptions& options) {
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
    const PaperPage page = [&layout](DrawingSurface& surface) {
        drawCalibrationSheet(surface, layout);
    };
    const Result done =
        options.mode == PrintToolOptions::Mode::Printer
            ? printPage(page, options.printerName, layout.stock.paper, options.copies)
            : writePagePdf(page, options.outputFile, inputsOf(options), options.dotsPerInch,
                           layout.stock.paper);
    if (done.code == ResultCode::PageNotDrawn) {
        reportError("位置合わせのページを描けませんでした");
        return kExitFailure;
    }
    if (!done.ok()) {
        reportError(done);
        return kExitFailure;
    }
    return warned ? kExitReported : EXIT_SUCCESS;
}

// The presets and the user's own stocks, one a line on stdout.
int listStocks() {
    const UserStocksRead own = readUserStocks(userStockFile());
    for (const std::string& line : stockListLines(own.stocks))
        std::printf("%s\n", line.c_str());
    // A damaged stock file is said, but the stocks it does hold are listed.
    if (!own.failure.ok() && own.failure.code != ResultCode::NotFound) {
        reportError(own.failure);
        return kExitReported;
    }
    return EXIT_SUCCESS;
}

// The arguments in UTF-8, the form every path takes here. Windows hands main()
// its ANSI code page, which cannot hold every name: read its wide command line.
std::vector<std::string> toolArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i)
            args.push_back(QString::fromWCharArray(wide[i]).toStdString());
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
    const PrintToolCall call = parsePrintToolOptions(toolArguments(argc, argv));
    if (!call.valid()) {
        reportError(call.error);
        return kExitUsage;
    }
    const PrintToolOptions& options = call.options;
    if (options.mode == PrintToolOptions::Mode::Help) {
        std::fputs(
            helpLanguage() == HelpLanguage::English ? printToolUsageInEnglish() : printToolUsage(),
            stdout);
        return EXIT_SUCCESS;
    }

    // Nothing is shown, so no display is needed: draw off screen unless the
    // caller chose a platform. Windows' own platform needs no screen.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    qInstallMessageHandler(quietMessages);
    removeTemporaryFilesOnInterrupt();
    // Qt sees only the program name: every argument is the tool's own.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    // The same name as the window, so both find the user's preferred pattern.
    QGuiApplication::setApplicationName(QStringLiteral("tanahuda"));
    installJapaneseFontSubstitutions();
    if (options.mode == PrintToolOptions::Mode::ListStocks)
        return listStocks();
    if (options.calibration)
        return calibrate(options);
    return options.batch() ? runBatch(options) : run(options);
}
