#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "jobs/PrintJobFactory.h"
#include "model/LabelStock.h"
#include "model/Result.h"
#include "render/DrawingSurface.h"
#include "render/PrintJob.h"

// Where a document goes: a PDF file, or a system printer.
struct OutputTarget {
    std::string pdfPath;              // empty: the printer `printerName`
    std::vector<std::string> inputs;  // the files the PDF is made from: never written over
    int dotsPerInch = 0;              // the PDF's resolution
    std::string printerName;
    int copies = 1;  // a printer's copies of the document, made by its spooler
    PaperSize paper = kStandardStock.paper;  // the page each sheet is drawn on

    static OutputTarget pdf(std::string path, std::vector<std::string> inputs, int dotsPerInch);
    static OutputTarget printer(std::string name, int copies = 1);
    bool isPdf() const { return !pdfPath.empty(); }
};

// Draws one page on a surface in millimetres from the page's origin.
using PaperPage = std::function<void(DrawingSurface&)>;

// One document put out, from opening its target to the PDF in place. A PDF is
// written into its atomic temporary file by the factory's job and put in place
// only once it is whole, so a failed or interrupted output leaves no half file
// and an old one as it was. Failures about the temporary file name the PDF the
// user asked for, with the reason (the temporary file is no name the user
// knows). A printer's document goes through the same steps without the file.
class OutputJob {
  public:
    OutputJob() = default;
    OutputJob(const OutputJob&) = delete;
    OutputJob& operator=(const OutputJob&) = delete;

    // Opens the target and a job drawing on it.
    Result open(const OutputTarget& target, PrintJobFactory& factory);

    // The job to draw on, once open() succeeded. Whoever draws ends it
    // (finish) or abandons it (abort).
    PrintJob& job() { return *job_; }

    // After the job was finished: puts the PDF at its path, checking that the
    // writer, which reports no errors of its own, wrote it to its end.
    // Nothing to do for a printer.
    Result commit();

    // The whole of a one-page output: draws the page, ends the document and
    // commits. A page that cannot be drawn abandons the job (PageNotDrawn).
    Result printPage(const PaperPage& draw);

    // A failure of the job as the user is told it: for a PDF, a step that
    // could not write the file becomes WriteFailed naming the target, with
    // the reason (the disk full, the folder removed); other failures name no
    // temporary file.
    Result failure(Result jobFailure) const;

  private:
    OutputTarget target_;
    AtomicFile pdf_;  // declared before the job: the job closes its file first
    std::unique_ptr<PrintJob> job_;
};
