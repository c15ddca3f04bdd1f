#include <QPrinter>

#include "platform/SpoolerHandoff.h"

// On Windows, Qt's print engine draws through the printer's own driver and
// hands the job to the spooler itself, which keeps the copies, the duplex
// setting and the paper of the printer dialog: no printer goes through a
// handoff, so the pages are drawn on the chosen printer directly.

bool SpoolerHandoff::isSystemPrinter(const QPrinter& /*printer*/) {
    return false;
}

JobStart<SpoolerHandoff> SpoolerHandoff::prepare(const QPrinter& chosen) {
    return {nullptr, Result::failure(ResultCode::PrinterNotOpened)
                         .withPrinter(chosen.printerName().toStdString())};
}

SpoolerHandoff::~SpoolerHandoff() = default;

Result SpoolerHandoff::submit() {
    return queueResult({QueueProblem::Refused, {}, 0}, queue_);
}
