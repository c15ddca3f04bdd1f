#pragma once

#include <QTemporaryFile>
#include <memory>
#include <string>
#include <vector>

#include "platform/PrinterQueue.h"
#include "render/PrintJob.h"

class QPrinter;

// The pages of a job for a system printer, drawn into a PDF of that printer's
// paper, printable area and resolution, and handed to its queue whole when the
// drawing is done. Qt hands its jobs over itself and drops the spooler's
// answer; here a stopped, refusing or vanished queue is known and reported.
// A handoff destroyed before submit() leaves nothing behind.
class SpoolerHandoff {
  public:
    // Whether `printer` is a system printer (not a PDF file).
    static bool isSystemPrinter(const QPrinter& printer);

    // Checks the queue of `chosen` and sets up the PDF to draw on in its
    // place. None, with the queue's answer (or ScratchFileNotMade), when the
    // queue would not take the job.
    static JobStart<SpoolerHandoff> prepare(const QPrinter& chosen);
    ~SpoolerHandoff();
    SpoolerHandoff(const SpoolerHandoff&) = delete;
    SpoolerHandoff& operator=(const SpoolerHandoff&) = delete;

    // The printer to draw the pages on.
    QPrinter& printer() { return *pdf_; }

    // Hands the finished pages (painting on printer() has ended) to the queue:
    // the spooler's answer when it did not accept them.
    Result submit();

    // The job's id once accepted.
    int jobId() const { return jobId_; }

  private:
    SpoolerHandoff() = default;

    std::string queue_;
    std::string title_;
    std::vector<JobOption> options_;
    QTemporaryFile file_;
    std::unique_ptr<QPrinter> pdf_;
    int jobId_ = 0;
};
