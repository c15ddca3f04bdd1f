#pragma once

#include <string>
#include <vector>

#include "model/Result.h"

// The print spooler's queue of a system printer: whether it would take a job
// now, and the hand-over of a finished document to it. The spooler answers
// for itself, so nothing is reported as printed that it did not accept.

enum class QueueProblem {
    None,
    SpoolerDown,   // no spooler answers
    Missing,       // no queue of that name
    Stopped,       // the queue holds its jobs until the printer is resumed
    NotAccepting,  // the queue refuses new jobs
    Refused,       // the spooler refused the job for another reason
};

struct QueueAnswer {
    QueueProblem problem = QueueProblem::None;
    std::string detail;  // the spooler's own words, when it gave any
    int jobId = 0;       // the accepted job

    bool ok() const { return problem == QueueProblem::None; }
};

struct JobOption {
    std::string name;
    std::string value;
};

// Asks the spooler about `queue` ("name" or "name/instance").
QueueAnswer checkPrinterQueue(const std::string& queue);

// Hands the finished document `file` to `queue` as one job called `title`.
// Accepted: the job's id.
QueueAnswer submitToPrinterQueue(const std::string& queue, const std::string& file,
                                 const std::string& title, const std::vector<JobOption>& options);

// The answer as a result about `queue`: PrinterNotFound, SpoolerDown,
// QueueStopped, QueueNotAccepting or QueueRefused, with the spooler's own
// words as the detail; Ok when the queue took it.
Result queueResult(const QueueAnswer& answer, const std::string& queue);
