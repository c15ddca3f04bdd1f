// Unsaved work: the question before it is dropped, and the recovery file that
// keeps it through a crash.
#include <utility>

#include "barcode/JanCode.h"
#include "editor/logic/EditorMessages.h"
#include "editor/logic/LabelEditor.h"
#include "files/FileIo.h"

LabelSheet LabelEditor::sheetAsTyped() const {
    LabelSheet sheet = sheet_;
    if (const auto box = view_.focusedBox()) {
        const std::string text = view_.boxText(*box);
        sheet.label(shownLabel_).field(fieldOfBox(*box)) =
            *box == InputBox::Text1 ? correctJanCheckDigit(text) : text;
    }
    return sheet;
}

bool LabelEditor::hasWorkToLose() const {
    return saved_.wouldLoseWork(sheetAsTyped(), layout_);
}

bool LabelEditor::settleUnsavedWork() {
    if (!hasWorkToLose())
        return true;
    switch (dialogs_.showMessage(messages::askSaveChanges())) {
        case MessageAnswer::Yes:
            return save();  // a cancelled or failed save keeps the work
        case MessageAnswer::No:
            return true;
        case MessageAnswer::Ok:
        case MessageAnswer::Cancel:
            break;
    }
    return false;
}

bool LabelEditor::approveClose() {
    if (closeApproved_)
        return true;
    if (!settleUnsavedWork())
        return false;
    // Saved, or dropped on purpose: nothing is left to recover.
    if (!recoveryPath_.empty())
        removeRecoveryFile(recoveryPath_);
    recoveryPath_.clear();
    recovered_.reset();
    return true;
}

void LabelEditor::setRecoveryPath(std::string path) {
    recoveryPath_ = std::move(path);
    recovered_.reset();
    keepRecoveryCurrent();
}

void LabelEditor::keepRecoveryCurrent() {
    if (recoveryPath_.empty())
        return;
    if (!hasWorkToLose()) {
        if (recovered_ || fileExists(recoveryPath_)) {
            removeRecoveryFile(recoveryPath_);
            recovered_.reset();
        }
        return;
    }
    RecoveryContent content{sheetAsTyped(), layout_, currentFileName_};
    if (recovered_ == content && !recoveryFailing_)
        return;
    // A failed write leaves the last recovery file as it was; every tick tries
    // again, and the user hears of it when it begins and when it ends.
    Result written = writeRecoveryFile(recoveryPath_, content);
    if (written.ok()) {
        recovered_ = std::move(content);
        if (!recoveryFailing_ && recoveryNotice_ == messages::kRecoveryWrittenAgain)
            recoveryNotice_.clear();  // said once; the next status line drops it
    }
    if (written.ok() != recoveryFailing_)
        return;
    recoveryFailing_ = !written.ok();
    recoveryNotice_ =
        recoveryFailing_ ? messages::recoveryNotWritten(written) : messages::kRecoveryWrittenAgain;
    showStatus(sheetAsTyped());
    if (recoveryFailing_)
        dialogs_.showMessage(
            messages::recoveryNotWrittenMessage(std::move(written).withPath(recoveryPath_)));
}

bool LabelEditor::offerRecovery(const std::string& path) {
    const std::optional<RecoveryContent> content = readRecoveryFile(path);
    if (!content) {
        // What could not be read may still hold work: it is kept, out of the way.
        std::string aside;
        const bool setAside = setAsideRecoveryFile(path, aside).ok();
        dialogs_.showMessage(messages::recoveryNotRead(setAside ? aside : path, setAside));
        return false;
    }
    if (!holdsAnyText(content->sheet)) {
        removeRecoveryFile(path);
        return false;
    }
    if (dialogs_.showMessage(messages::question(messages::kAskRestore)) != MessageAnswer::Yes) {
        removeRecoveryFile(path);
        return false;
    }
    sheet_ = content->sheet;
    layout_ = content->layout;
    currentFileName_ = content->fileName;
    showCaption();
    view_.showLayout(layout_, viewState_);
    showFirstLabel();
    // Kept in this window's own recovery file before the other one goes.
    startHistory();
    if (recoveryPath_.empty() || recovered_)
        removeRecoveryFile(path);
    return true;
}
