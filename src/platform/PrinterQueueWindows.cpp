#include "platform/PrinterQueue.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// winspool.h needs windows.h first.
#include <winspool.h>

#include <QString>
#include <vector>

// The Windows spooler's answer about a printer. Jobs reach it through Qt's
// Windows print engine (SpoolerHandoffWindows.cpp), so only the state of a
// queue is asked here.

namespace {

struct StateProblem {
    DWORD status;
    QueueProblem problem;
};

// The printer states that keep a job from printing now, in the order asked.
constexpr StateProblem kStateProblems[] = {
    {PRINTER_STATUS_PENDING_DELETION, QueueProblem::NotAccepting},
    {PRINTER_STATUS_PAUSED, QueueProblem::Stopped},
    {PRINTER_STATUS_ERROR, QueueProblem::Stopped},
    {PRINTER_STATUS_OFFLINE, QueueProblem::Stopped},
};

}  // namespace

QueueAnswer checkPrinterQueue(const std::string& queue) {
    std::wstring name = QString::fromStdString(queue).toStdWString();
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr))
        return {QueueProblem::Missing, {}, 0};
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed > 0 ? needed : 1);
    QueueAnswer answer;
    if (needed > 0 && GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        for (const StateProblem& state : kStateProblems) {
            if (answer.ok() && (info->Status & state.status) != 0)
                answer.problem = state.problem;
        }
    }
    ClosePrinter(printer);
    return answer;
}

QueueAnswer submitToPrinterQueue(const std::string& /*queue*/, const std::string& /*file*/,
                                 const std::string& /*title*/,
                                 const std::vector<JobOption>& /*options*/) {
    // Windows takes no PDF documents: pages go through Qt's print engine.
    return {QueueProblem::Refused, {}, 0};
}
