#pragma once

// A print job for tests whose one page records what is drawn, and what became
// of the job: pages begun, finished or abandoned. A test can make the end of
// the document fail.

#include <memory>

#include "render/PrintJob.h"
#include "support/RecordingSurface.h"

// What became of the one page of a print job.
struct PrintRecord {
    RecordingSurface page;
    int pages = 1;  // pages begun
    bool finished = false;
    bool aborted = false;
    Result finishFailure;  // not Ok: finish() fails with this result
};

class FakePrintJob : public PrintJob {
  public:
    explicit FakePrintJob(std::shared_ptr<PrintRecord> record) : record_(std::move(record)) {}
    DrawingSurface& page() override { return record_->page; }
    Result newPage() override {
        ++record_->pages;
        return {};
    }
    Result finish() override {
        if (!record_->finishFailure.ok())
            return record_->finishFailure;
        record_->finished = true;
        return {};
    }
    void abort() override { record_->aborted = true; }

  private:
    std::shared_ptr<PrintRecord> record_;
};
