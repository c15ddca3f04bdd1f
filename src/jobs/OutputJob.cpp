#include "jobs/OutputJob.h"

#include <string_view>
#include <utility>

namespace {

// The last line of every complete PDF.
constexpr std::string_view kPdfEnd = "%%EOF";

// The job, or why there is none: a factory gives no job without a reason.
Result takeJob(PrintJobStart start, std::unique_ptr<PrintJob>& job) {
    job = std::move(start.job);
    if (!job && start.result.ok())
        return Result::failure(ResultCode::PrinterNotOpened);
    return std::move(start.result);
}

}  // namespace

OutputTarget OutputTarget::pdf(std::string path, std::vector<std::string> inputs, int dotsPerInch) {
    OutputTarget target;
    target.pdfPath = std::move(path);
    target.inputs = std::move(inputs);
    target.dotsPerInch = dotsPerInch;
    return target;
}

OutputTarget OutputTarget::printer(std::string name, int copies) {
    OutputTarget target;
    target.printerName = std::move(name);
    target.copies = copies;
    return target;
}

Result OutputJob::open(const OutputTarget& target, PrintJobFactory& factory) {
    target_ = target;
    if (!target_.isPdf())
        return takeJob(factory.printerJob(target_.printerName, target_.paper, target_.copies),
                       job_);
    if (Result begun = pdf_.begin(target_.pdfPath, target_.inputs); !begun.ok())
        return std::move(begun).withPath(target_.pdfPath);
    Result started =
        takeJob(factory.pdfJob(pdf_.temporaryPath(), target_.dotsPerInch, target_.paper), job_);
    return started.ok() ? started : failure(std::move(started));
}

Result OutputJob::failure(Result jobFailure) const {
    if (!target_.isPdf())
        return jobFailure;
    // For a PDF, the job's steps fail only for its file, and Qt's engine
    // gives no reason: the writer finds it.
    static constexpr ResultCode kFileSteps[] = {
        ResultCode::PrinterNotOpened, ResultCode::PageNotStarted, ResultCode::PrintNotFinished,
        ResultCode::PdfNotWritten};
    for (const ResultCode step : kFileSteps) {
        if (jobFailure.code == step)
            return pdf_.whyNotWritten().withPath(target_.pdfPath);
    }
    jobFailure.path.clear();  // the temporary file, no name the user knows
    return jobFailure;
}

Result OutputJob::commit() {
    if (!target_.isPdf())
        return {};
    job_.reset();  // closes the PDF file
    Result committed = pdf_.commit(kPdfEnd);
    return committed.ok() ? committed : std::move(committed).withPath(target_.pdfPath);
}

Result OutputJob::printPage(const PaperPage& draw) {
    draw(job_->page());
    if (!job_->page().ok()) {
        job_->abort();
        return Result::failure(ResultCode::PageNotDrawn);
    }
    if (Result finished = job_->finish(); !finished.ok())
        return failure(std::move(finished));
    return commit();
}
