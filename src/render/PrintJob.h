#pragma once

#include <memory>
#include <utility>

#include "model/Result.h"
#include "render/DrawingSurface.h"

// One printed document, from the choice of printer to its end: a sheet on
// one page, or a batch of sheets one a page.
// The editor draws through it without knowing the printer; the Qt printer
// (QtPrintJob) and the tests' fakes implement it.
class PrintJob {
  public:
    virtual ~PrintJob() = default;
    // The page to draw on. Its unit starts as millimetres.
    virtual DrawingSurface& page() = 0;
    // Ends the page drawn and begins the next; page() is then a fresh page
    // (and a reference to the old one is no longer valid). PageNotStarted when
    // the printer refuses.
    virtual Result newPage() = 0;
    // Ends the document so the page goes to the printer: PrintNotFinished,
    // PdfNotWritten or PrintFinished (ended before) when it fails.
    virtual Result finish() = 0;
    // Abandons the document: nothing reaches the printer.
    virtual void abort() = 0;
};

// A job ready to draw on, or none: the printer could not be opened (the
// result says why) or the choice was cancelled (the result is Ok). A start of
// a particular kind of job (QtPrintJob) passes on as a start of any job.
template <typename Job>
struct JobStart {
    std::unique_ptr<Job> job;
    Result result;

    JobStart() = default;
    JobStart(std::unique_ptr<Job> started, Result why)
        : job(std::move(started)), result(std::move(why)) {}
    template <typename Kind>
    JobStart(JobStart<Kind>&& other)  // NOLINT: a QtPrintJob start is a PrintJob start
        : job(std::move(other.job)), result(std::move(other.result)) {}
};
using PrintJobStart = JobStart<PrintJob>;
