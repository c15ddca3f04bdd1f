#include "platform/SpoolerHandoff.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintEngine>
#include <QPrinter>

namespace {

// Where Qt's printer dialog keeps the spooler options it was given (tray,
// quality and the like from the printer's properties): a name, value list.
const QPrintEngine::PrintEnginePropertyKey kSpoolerOptionsKey =
    QPrintEngine::PrintEnginePropertyKey(0xfe00);

std::vector<JobOption> jobOptions(const QPrinter& chosen) {
    std::vector<JobOption> options;
    // The paper the page was drawn for, at its size: a label sheet must never
    // be shrunk to fit.
    options.push_back({"media", chosen.pageLayout().pageSize().key().toStdString()});
    options.push_back({"print-scaling", "none"});
    switch (chosen.duplex()) {
        case QPrinter::DuplexNone:
            options.push_back({"sides", "one-sided"});
            break;
        case QPrinter::DuplexAuto:
        case QPrinter::DuplexLongSide:
            options.push_back({"sides", "two-sided-long-edge"});
            break;
        case QPrinter::DuplexShortSide:
            options.push_back({"sides", "two-sided-short-edge"});
            break;
    }
    // Copies are the spooler's to make: the document holds each page once.
    if (chosen.copyCount() > 1)
        options.push_back({"copies", std::to_string(chosen.copyCount())});
    const QStringList pairs =
        chosen.printEngine() != nullptr
            ? chosen.printEngine()->property(kSpoolerOptionsKey).toStringList()
            : QStringList();
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        options.push_back({pairs[i].toStdString(), pairs[i + 1].toStdString()});
    }
    return options;
}

}  // namespace

bool SpoolerHandoff::isSystemPrinter(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

JobStart<SpoolerHandoff> SpoolerHandoff::prepare(const QPrinter& chosen) {
    const std::string queue = chosen.printerName().toStdString();
    const QueueAnswer state = checkPrinterQueue(queue);
    if (!state.ok())
        return {nullptr, queueResult(state, queue)};
    std::unique_ptr<SpoolerHandoff> handoff(new SpoolerHandoff());
    handoff->queue_ = queue;
    handoff->title_ = chosen.docName().isEmpty() ? "tanahuda" : chosen.docName().toStdString();
    handoff->options_ = jobOptions(chosen);
    handoff->file_.setFileTemplate(
        QDir::temp().filePath(QStringLiteral("tanahuda-job-XXXXXX.pdf")));
    if (!handoff->file_.open()) {
        return {nullptr, Result::failure(ResultCode::ScratchFileNotMade,
                                         handoff->file_.errorString().toStdString())};
    }
    handoff->file_.close();
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(handoff->file_.fileName());
    pdf->setResolution(chosen.resolution());
    pdf->setPageLayout(chosen.pageLayout());
    pdf->setFullPage(chosen.fullPage());
    pdf->setDocName(chosen.docName());
    handoff->pdf_ = std::move(pdf);
    return {std::move(handoff), Result{}};
}

SpoolerHandoff::~SpoolerHandoff() = default;

Result SpoolerHandoff::submit() {
    const QueueAnswer answer =
        submitToPrinterQueue(queue_, file_.fileName().toStdString(), title_, options_);
    if (answer.ok())
        jobId_ = answer.jobId;
    return queueResult(answer, queue_);
}
