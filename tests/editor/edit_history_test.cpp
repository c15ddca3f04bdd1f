// Undo and redo: one step per command that changes the sheet, the layout or
// the file name, the current label brought back with it, the typing in the
// focused box taken back first, and the length of the history.
#include <gtest/gtest.h>

#include <functional>

#include "editor/EditorHarness.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "M" + s, "P" + s, "S" + s, "L" + s, "V" + s};
}

// Labels 1..9 filled, label 10 free (so 挿入 is allowed), label 4 current.
void prepareSheet(EditorHarness& h) {
    h.open();
    h.setLabels([](LabelSheet& sheet) {
        for (int i = 1; i <= 9; ++i)
            sheet.label(i) = record(i);
    });
    h.goToLabel(4);
}

struct State {
    LabelSheet sheet;
    LayoutSettings layout;
    std::string fileName;
    int currentLabel = 0;
    bool operator==(const State&) const = default;
};

State stateOf(const EditorHarness& h) {
    return {h.editor.sheet(), h.editor.layout(), h.editor.currentFileName(),
            h.editor.currentLabel()};
}

struct Case {
    const char* name;  // as the edit menu names the step
    std::function<void(EditorHarness&)> command;
};

void click(EditorHarness& h, void (LabelEditor::*command)()) {
    h.view.click([&] { (h.editor.*command)(); });
}

const Case kCases[] = {
    {"入力",
     [](EditorHarness& h) {
         h.view.focusBox(InputBox::Text3);
         h.view.type("新しい品名");
         click(h, &LabelEditor::goNext);
     }},
    {"クリア", [](EditorHarness& h) { click(h, &LabelEditor::clearLabel); }},
    {"全画面クリア",
     [](EditorHarness& h) {
         h.dialogs.answers = {MessageAnswer::Yes};
         click(h, &LabelEditor::clearAll);
     }},
    {"コピー", [](EditorHarness& h) { click(h, &LabelEditor::copyPrevious); }},
    {"全コピー", [](EditorHarness& h) { click(h, &LabelEditor::copyFirstToAll); }},
    {"削除",
     [](EditorHarness& h) {
         h.dialogs.answers = {MessageAnswer::Yes};
         click(h, &LabelEditor::deleteLabel);
     }},
    {"挿入", [](EditorHarness& h) { click(h, &LabelEditor::insertLabel); }},
    {"前候補",
     [](EditorHarness& h) {
         h.view.focusBox(InputBox::Text3);
         click(h, &LabelEditor::previousCandidate);
     }},
    {"移動",
     [](EditorHarness& h) {
         h.view.click([&] { h.editor.moveElement(LabelElement::Yen, MoveDirection::Left); });
     }},
    {"印字位置調整",
     [](EditorHarness& h) { h.view.click([&] { h.editor.moveOrigin(Axis::Y, -1); }); }},
    {"フォント",
     [](EditorHarness& h) {
         h.dialogs.fonts = {FontChoice{"ＭＳ 明朝", 20.0, true, false}};
         h.view.click([&] { h.editor.chooseFont(LabelElement::ProductName); });
     }},
    {"色",
     [](EditorHarness& h) {
         h.dialogs.colors = {Color{255}};
         h.view.click([&] { h.editor.chooseColor(LabelElement::Maker); });
     }},
    {"表示切替",
     [](EditorHarness& h) {
         h.view.click([&] { h.editor.toggleVisibility(LabelElement::Maker); });
     }},
    {"アンダーライン",
     [](EditorHarness& h) { h.view.click([&] { h.editor.toggleUnderline(LabelElement::Spec); }); }},
    {"縁取り",
     [](EditorHarness& h) {
         h.dialogs.colors = {Color{0x00ff00}};
         click(h, &LabelEditor::toggleBorder);
     }},
    {"デフォルトパターン",
     [](EditorHarness& h) {
         h.view.click([&] { h.editor.moveElement(LabelElement::Jan, MoveDirection::Down); });
         h.dialogs.answers = {MessageAnswer::Yes};
         click(h, &LabelEditor::restoreDefaultLayout);
     }},
    {"税率", [](EditorHarness& h) { h.view.shortcut([&] { h.editor.toggleTaxRate(); }); }},
    {"価格表示",
     [](EditorHarness& h) {
         h.view.click([&] { h.editor.setPriceMode(PriceMode::BaseAndTaxIncluded); });
     }},
    {"端数処理",
     [](EditorHarness& h) { h.view.click([&] { h.editor.setTaxRounding(TaxRounding::HalfUp); }); }},
    {"新規作成",
     [](EditorHarness& h) {
         h.dialogs.answers = {MessageAnswer::Yes};
         h.view.shortcut([&] { h.editor.newSheet(); });
     }},
};

}  // namespace

TEST(EditHistory, EveryKindOfCommandIsUndoneAndRedoneWithItsLabel) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        prepareSheet(h);
        c.command(h);
        const State after = stateOf(h);
        ASSERT_EQ(h.editor.historyStepName(HistoryDirection::Undo), c.name);
        EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Redo), "");

        // Undone: back to the state before the command, with its label shown.
        h.view.shortcut([&] { h.editor.undo(); });
        const State before = stateOf(h);
        EXPECT_FALSE(before.sheet == after.sheet && before.layout == after.layout &&
                     before.fileName == after.fileName);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
        EXPECT_EQ(h.view.counter, std::to_string(before.currentLabel) + "/10");
        const LabelRecord& shown = h.editor.sheet().label(before.currentLabel);
        EXPECT_EQ(h.view.boxes(),
                  (std::vector<std::string>{shown.janCode, shown.maker, shown.productName,
                                            shown.spec, shown.lot, shown.price}));
        EXPECT_EQ(h.view.shownLayout, h.editor.layout());
        EXPECT_EQ(h.view.caption, "棚札入力画面  " + h.editor.currentFileName());
        EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Redo), c.name);

        h.view.shortcut([&] { h.editor.redo(); });
        EXPECT_EQ(stateOf(h), after);
        EXPECT_EQ(h.view.shownLayout, h.editor.layout());
        h.view.shortcut([&] { h.editor.undo(); });
        EXPECT_EQ(stateOf(h), before);
    }
}

TEST(EditHistory, UndoGoesBackToTheStateBeforeTheCommandAndItsLabel) {
    // The exact state before: label 4 current, 削除 answered Yes.
    EditorHarness h;
    prepareSheet(h);
    const State before = stateOf(h);
    h.dialogs.answers = {MessageAnswer::Yes};
    click(h, &LabelEditor::deleteLabel);
    h.goToLabel(8);
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(stateOf(h), before);
    EXPECT_EQ(h.view.counter, "4/10");

    // Typing on label 4 went on to label 5; undo comes back to label 4.
    const State typed = stateOf(h);
    h.view.focusBox(InputBox::Text5);
    h.view.type("980");
    h.view.pressEnter();
    EXPECT_EQ(h.editor.currentLabel(), 5);
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(stateOf(h), typed);
}

TEST(EditHistory, TheFocusedBoxTakesBackItsOwnTypingFirst) {
    EditorHarness h;
    prepareSheet(h);
    h.view.click([&] { h.editor.moveElement(LabelElement::Jan, MoveDirection::Right); });
    h.view.focusBox(InputBox::Text3);
    h.view.type("P4x");
    h.view.type("P4xy");
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "入力");

    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.view.boxText(InputBox::Text3), "P4x");
    EXPECT_EQ(h.view.focused, InputBox::Text3);
    EXPECT_EQ(h.editor.layout().element(LabelElement::Jan).offsetX, 1) << "the command waits";
    h.view.shortcut([&] { h.editor.redo(); });
    EXPECT_EQ(h.view.boxText(InputBox::Text3), "P4xy");
    h.view.shortcut([&] { h.editor.undo(); });
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.view.boxText(InputBox::Text3), "P4");
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "移動");

    // Nothing left to take back in the box: the move is undone, and the box
    // is left without writing anything back.
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.layout().element(LabelElement::Jan).offsetX, 0);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.editor.sheet().label(4), record(4));
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "");
}

TEST(EditHistory, KeepsAtLeastTwoHundredStepsAndDropsTheOldestBeyondItsLimit) {
    static_assert(EditHistory::kLimit >= 200);
    EditorHarness h;
    prepareSheet(h);
    const int steps = static_cast<int>(EditHistory::kLimit) + 20;
    for (int i = 0; i < steps; ++i)
        h.view.shortcut([&] { h.editor.moveElement(LabelElement::Lot, MoveDirection::Down); });
    ASSERT_EQ(h.editor.layout().element(LabelElement::Lot).offsetY, steps);
    int undone = 0;
    while (!h.editor.historyStepName(HistoryDirection::Undo).empty()) {
        h.view.shortcut([&] { h.editor.undo(); });
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(EditHistory::kLimit));
    EXPECT_EQ(h.editor.layout().element(LabelElement::Lot).offsetY, 20);

    // A new command after undoing drops what there was to redo.
    h.view.shortcut([&] { h.editor.redo(); });
    h.view.shortcut([&] { h.editor.moveElement(LabelElement::Lot, MoveDirection::Up); });
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Redo), "");
}

TEST(EditHistory, CommandsThatChangeNothingAndOpeningAFileLeaveNoStep) {
    TempFolder folder("tanahuda-history");
    EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
    prepareSheet(h);
    h.view.click([&] { h.editor.goLast(); });
    h.dialogs.colors = {std::nullopt};
    h.view.click([&] { h.editor.chooseColor(LabelElement::Maker); });
    h.view.click([&] { h.editor.preview(); });
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "");

    h.dialogs.saveChoices = {folder.path("a.csv")};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    h.dialogs.openChoices = {folder.path("a.csv")};
    h.view.shortcut([&] { h.editor.openFile(); });
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "");
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Redo), "");
}
