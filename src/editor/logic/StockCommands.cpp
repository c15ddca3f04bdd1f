// The window's stock: chosen in the 用紙の設定 dialog, and followed by the
// sheet, the pattern and the preview.
#include <algorithm>
#include <utility>

#include "editor/logic/LabelEditor.h"
#include "editor/logic/StockMessages.h"
#include "files/UserStockFile.h"

namespace {

// The labels past `count` that hold a text: the first and the last, or 0.
std::pair<int, int> labelsPast(const LabelSheet& sheet, int count) {
    std::pair<int, int> past{0, 0};
    for (int n = count + 1; n <= sheet.labelCount(); ++n) {
        if (sheet.label(n).isEmpty())
            continue;
        if (past.first == 0)
            past.first = n;
        past.second = n;
    }
    return past;
}

}  // namespace

void LabelEditor::chooseStock() {
    commitPendingEdit();
    // Without a settings file (tests) there is no place for the user's stocks.
    const std::string userStocks = settingsPaths_.writePath.empty()
                                       ? std::string()
                                       : userStockPathBeside(settingsPaths_.writePath);
    StockChooser chooser(layout_.stock, dialogs_, userStocks, templateSources_);
    const std::optional<LabelStock> chosen = dialogs_.chooseStock(chooser);
    if (!chosen || *chosen == layout_.stock) {
        focusText1();
        return;
    }
    const auto [first, last] = labelsPast(sheet_, chosen->labelCount());
    if (first > 0 &&
        dialogs_.showMessage(messages::askDropLabels(first, last)) != MessageAnswer::Yes) {
        focusText1();
        return;
    }
    putOnStock(*chosen, EditCommand::ChooseStock);
}

void LabelEditor::putOnStock(const LabelStock& stock, EditCommand command) {
    EditorSnapshot before = snapshot();
    LabelSheet resized(stock);
    for (int n = 1; n <= std::min(resized.labelCount(), sheet_.labelCount()); ++n)
        resized.label(n) = sheet_.label(n);
    sheet_ = std::move(resized);
    changeStock(layout_, stock);
    recordStep(command, std::move(before));
    view_.showStock(layout_.stock);
    view_.showLayout(layout_, viewState_);
    showLabel(std::min(currentLabel_, sheet_.labelCount()));
}
