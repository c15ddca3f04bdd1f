#include "editor/widgets/BatchProgressDialog.h"

#include <QProgressDialog>
#include <QString>

BatchProgressDialog::BatchProgressDialog(QWidget* parent) : parent_(parent) {}

BatchProgressDialog::~BatchProgressDialog() = default;

void BatchProgressDialog::started(long sheets) {
    dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("印刷しています..."), QString(), 0,
                                                static_cast<int>(sheets), parent_);
    dialog_->setWindowTitle(QStringLiteral("一括印刷"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(1000);
}

void BatchProgressDialog::advanced(long sheetsDone) {
    if (dialog_)
        dialog_->setValue(static_cast<int>(sheetsDone));
}

void BatchProgressDialog::ended() {
    // Gone before the outcome is told.
    if (dialog_)
        dialog_->reset();
    dialog_.reset();
}
