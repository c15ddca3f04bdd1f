#pragma once

#include <memory>

#include "editor/logic/BatchProgress.h"

class QProgressDialog;
class QWidget;

// The progress of a batch print as a window-modal dialog on `parent`, shown
// only for jobs over a second.
class BatchProgressDialog : public BatchProgressPort {
  public:
    explicit BatchProgressDialog(QWidget* parent);
    ~BatchProgressDialog() override;
    BatchProgressDialog(const BatchProgressDialog&) = delete;
    BatchProgressDialog& operator=(const BatchProgressDialog&) = delete;

    void started(long sheets) override;
    void advanced(long sheetsDone) override;
    void ended() override;

  private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};
