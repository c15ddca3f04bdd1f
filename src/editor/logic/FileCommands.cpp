// The file commands: new, open, overwrite-save and save-as of label data files.
#include <utility>

#include "editor/logic/EditorMessages.h"
#include "editor/logic/FileFilterList.h"
#include "editor/logic/LabelEditor.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"

FileDialogRequest LabelEditor::fileDialogRequest() const {
    return FileDialogRequest{fileFilterList(), lastDialogFileName_};
}

void LabelEditor::newSheet() {
    if (dialogs_.showMessage(messages::question(messages::kAskClearAll)) != MessageAnswer::Yes) {
        return;
    }
    EditorSnapshot before = snapshot();
    sheet_.clear();
    currentFileName_ = kUntitled;
    recordStep(EditCommand::NewSheet, std::move(before));
    showCaption();
    showFirstLabel();
}

void LabelEditor::openFile() {
    if (!settleUnsavedWork())
        return;
    const std::optional<std::string> path = dialogs_.chooseOpenFile(fileDialogRequest());
    if (path)
        readIntoWindow(*path);
}

void LabelEditor::openFileAt(const std::string& path) {
    if (settleUnsavedWork())
        readIntoWindow(path);
}

void LabelEditor::readIntoWindow(const std::string& path) {
    lastDialogFileName_ = path;

    // Read into copies, so that a rejected file leaves the window as it was.
    LabelSheet sheet = sheet_;
    LayoutSettings layout = layout_;
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    int misfitLine = 0;
    int damagedValueLine = 0;
    int damagedStockLine = 0;
    if (const Result read = readLabelFile(path, sheet, layout, &priceLines, &misfitLine,
                                          &damagedValueLine, &damagedStockLine);
        !read.ok()) {
        dialogs_.showMessage(messages::labelFileNotOpened(read));
        return;
    }
    // Opened all the same: the labels and the layout are whole.
    if (priceLines == PriceExtensionRead::Damaged)
        dialogs_.showMessage(messages::notice(messages::kPriceLinesDamagedInFile));
    if (damagedValueLine > 0)
        dialogs_.showMessage(messages::damagedColorValue(path, damagedValueLine));
    // A damaged file opens untitled, so that an overwrite-save cannot put the
    // shifted labels in its place.
    if (misfitLine > 0)
        dialogs_.showMessage(messages::damagedLabelFile(path, misfitLine));
    // Labels past the tenth are lost with a damaged stock line: saving over
    // the file would lose them for good.
    if (damagedStockLine > 0)
        dialogs_.showMessage(messages::damagedStockLine(path, damagedStockLine));
    // A file on another stock puts the window on it.
    const bool stockChanged = !(layout.stock == layout_.stock);
    sheet_ = sheet;
    layout_ = layout;
    if (stockChanged)
        view_.showStock(layout_.stock);
    const bool damaged = misfitLine > 0 || damagedStockLine > 0;
    currentFileName_ = damaged ? std::string(kUntitled) : path;
    saved_.remember(sheet_, layout_);
    showCaption();
    view_.showLayout(layout_, viewState_);
    // Text still being typed belonged to the old sheet and is dropped with it.
    showFirstLabel();
    startHistory();
}

bool LabelEditor::writeSheetTo(const std::string& path) {
    // What the user sees in the focused box is what gets saved.
    commitPendingEdit();
    const Result result = writeLabelFile(path, sheet_, layout_);
    if (!result.ok()) {
        dialogs_.showMessage(messages::labelFileNotSaved(path, result));
        return false;
    }
    saved_.remember(sheet_, layout_);
    return true;
}

bool LabelEditor::saveAs() {
    const std::optional<std::string> path = dialogs_.chooseSaveFile(fileDialogRequest());
    if (!path) {
        focusText1();
        return false;
    }
    lastDialogFileName_ = *path;
    if (fileExists(*path) &&
        dialogs_.showMessage(messages::askOverwrite(*path)) != MessageAnswer::Yes) {
        focusText1();
        return false;
    }
    // A failed save keeps the old name: the sheet is not stored under the new one.
    if (!writeSheetTo(*path))
        return false;
    currentFileName_ = *path;
    showCaption();
    showFirstLabel();
    keepRecoveryCurrent();
    return true;
}

bool LabelEditor::save() {
    if (isUntitled()) {
        const bool saved = saveAs();
        focusText1();
        return saved;
    }
    if (!writeSheetTo(currentFileName_))
        return false;
    showCaption();
    showFirstLabel();
    keepRecoveryCurrent();
    return true;
}

void LabelEditor::saveFileAs() {
    saveAs();
}

void LabelEditor::saveFile() {
    save();
}
