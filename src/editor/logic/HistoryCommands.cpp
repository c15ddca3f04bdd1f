// Undo and redo: every command that changes the sheet, the layout or the file
// name is one step, kept as the whole state before it.
#include <utility>

#include "editor/logic/LabelEditor.h"

EditorSnapshot LabelEditor::snapshot() const {
    return EditorSnapshot{sheet_, layout_, currentLabel_, currentFileName_};
}

void LabelEditor::recordStep(EditCommand command, EditorSnapshot before) {
    if (before.sameWork(snapshot()))
        return;  // a command that changed nothing is no step
    history_.record(command, std::move(before));
    view_.historyChanged();
}

void LabelEditor::startHistory() {
    history_.clear();
    view_.historyChanged();
    keepRecoveryCurrent();
}

void LabelEditor::undo() {
    stepHistory(HistoryDirection::Undo);
}

void LabelEditor::redo() {
    stepHistory(HistoryDirection::Redo);
}

void LabelEditor::stepHistory(HistoryDirection direction) {
    // Typing in the focused box is taken back before any command.
    if (const auto box = view_.focusedBox(); box && view_.hasTypingStep(*box, direction)) {
        view_.takeTypingStep(*box, direction);
        view_.historyChanged();
        return;
    }
    std::optional<EditorSnapshot> state = history_.step(direction, snapshot());
    if (!state)
        return;
    restore(*state);
    view_.historyChanged();
}

void LabelEditor::restore(const EditorSnapshot& state) {
    const bool layoutChanged = !(state.layout == layout_);
    const bool stockChanged = !(state.layout.stock == layout_.stock);
    sheet_ = state.sheet;
    layout_ = state.layout;
    currentFileName_ = state.fileName;
    masterNoticeLabel_ = 0;  // what the master put may be what was taken back
    showCaption();
    if (stockChanged)
        view_.showStock(layout_.stock);
    if (layoutChanged)
        view_.showLayout(layout_, viewState_);
    showLabel(state.currentLabel);
}

std::string LabelEditor::historyStepName(HistoryDirection direction) const {
    if (const auto box = view_.focusedBox(); box && view_.hasTypingStep(*box, direction))
        return editCommandName(EditCommand::Typing);
    const std::optional<EditCommand> command = history_.next(direction);
    return command ? editCommandName(*command) : "";
}
