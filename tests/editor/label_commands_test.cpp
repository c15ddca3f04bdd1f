// Moving between labels and editing whole labels: navigation, clear, copy,
// delete, insert and fetching earlier values with the previous-candidate button.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "editor/logic/EditorMessages.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "M" + s, "P" + s, "S" + s, "L" + s, "V" + s};
}

std::vector<std::string> shownRecord(int n) {
    const LabelRecord r = record(n);
    return {r.janCode, r.maker, r.productName, r.spec, r.lot, r.price};
}

class LabelCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        fill();
    }
    void fill() { h.fillLabels(record); }
    void goToLabel(int n) {
        h.goToLabel(n);
        ASSERT_EQ(h.editor.currentLabel(), n);
    }
    // The sheet as the labels' numbers in record(): 0 for an empty label.
    std::vector<int> sheetNumbers() const {
        std::vector<int> out;
        for (int i = 1; i <= 10; ++i) {
            const LabelRecord& r = h.editor.sheet().label(i);
            int found = r.isEmpty() ? 0 : -1;
            for (int n = 1; n <= 10 && found < 0; ++n) {
                if (r == record(n))
                    found = n;
            }
            out.push_back(found);
        }
        return out;
    }
    // Label n is current, counted and framed, with the focus in Text1.
    void expectShowing(int n) {
        EXPECT_EQ(h.editor.currentLabel(), n);
        EXPECT_EQ(h.view.counter, std::to_string(n) + "/10");
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
    EditorHarness h;
};

TEST_F(LabelCommands, NavigationStepsAndStopsAtBothEnds) {
    struct Case {
        int from;
        void (LabelEditor::*command)();
        int to;
    };
    const Case cases[] = {
        {5, &LabelEditor::goFirst, 1},  {5, &LabelEditor::goLast, 10},
        {5, &LabelEditor::goNext, 6},   {5, &LabelEditor::goPrevious, 4},
        {10, &LabelEditor::goNext, 10}, {1, &LabelEditor::goPrevious, 1},
        {1, &LabelEditor::goFirst, 1},  {10, &LabelEditor::goLast, 10},
    };
    for (const Case& c : cases) {
        goToLabel(c.from);
        h.view.focusBox(InputBox::Text4);
        h.view.type("not yet stored");
        h.view.texts[InputBox::Text2] = "scribbled";  // reloaded away
        h.view.click([&] { (h.editor.*c.command)(); });
        SCOPED_TRACE(c.from);
        EXPECT_EQ(h.editor.sheet().label(c.from).spec, "not yet stored");
        h.editor.sheet().label(c.from).spec = record(c.from).spec;
        h.view.click([&] { h.editor.goFirst(); });
        for (int i = 1; i < c.to; ++i)
            h.view.click([&] { h.editor.goNext(); });
        expectShowing(c.to);
        EXPECT_EQ(h.view.boxes(), shownRecord(c.to));
    }
}

TEST_F(LabelCommands, ClearEmptiesTheCurrentLabelOnly) {
    goToLabel(3);
    h.view.click([&] { h.editor.clearLabel(); });
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 0, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
    EXPECT_EQ(h.editor.currentLabel(), 3);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(LabelCommands, ClearAllAsksAndOnYesEmptiesEverythingAndTheFileName) {
    goToLabel(6);
    const std::size_t paints = h.view.paints.size();
    h.dialogs.answers = {MessageAnswer::No};
    h.view.click([&] { h.editor.clearAll(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0],
              (MessageRequest{"データを全部クリアしますか？", "", MessageIcon::None,
                              MessageButtons::YesNo, MessageAnswer::Yes}));
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(h.view.paints.size(), paints);
    EXPECT_EQ(h.view.caption, "棚札入力画面  無題");
    EXPECT_EQ(h.view.focused, std::nullopt) << "the focus stays on the button";

    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.clearAll(); });
    EXPECT_EQ(sheetNumbers(), std::vector<int>(10, 0));
    EXPECT_EQ(h.editor.currentLabel(), 6);
    EXPECT_EQ(h.view.counter, "6/10");
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
    EXPECT_EQ(h.view.caption, "棚札入力画面  ");
    EXPECT_EQ(h.editor.currentFileName(), "");
    EXPECT_TRUE(h.editor.isUntitled());
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(LabelCommands, CopyFirstToAllCopiesLabelOneEverywhere) {
    goToLabel(4);
    h.view.click([&] { h.editor.copyFirstToAll(); });
    EXPECT_EQ(sheetNumbers(), std::vector<int>(10, 1));
    EXPECT_EQ(h.view.boxes(), shownRecord(1));
    EXPECT_EQ(h.editor.currentLabel(), 4);

    h.setLabels([](LabelSheet& sheet) { sheet.label(1) = LabelRecord{}; });
    h.view.click([&] { h.editor.copyFirstToAll(); });
    EXPECT_EQ(sheetNumbers(), std::vector<int>(10, 0));
}

TEST_F(LabelCommands, CopyTakesThePreviousLabelAndStepsOn) {
    // On label 1 nothing is copied.
    goToLabel(1);
    h.view.click([&] { h.editor.copyPrevious(); });
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(h.editor.currentLabel(), 1);

    // Repeated copies fill consecutive labels, one a click.
    h.setLabels([](LabelSheet& sheet) {
        for (int i = 2; i <= 10; ++i)
            sheet.label(i) = LabelRecord{};
    });
    goToLabel(2);
    for (int i = 0; i < 3; ++i)
        h.view.click([&] { h.editor.copyPrevious(); });
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    expectShowing(5);
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
}

TEST_F(LabelCommands, CopyDoesNothingWhenThePreviousLabelHasNoProductName) {
    h.setLabels([](LabelSheet& sheet) { sheet.label(4).productName = ""; });
    goToLabel(5);
    const std::size_t paints = h.view.paints.size();
    h.view.click([&] { h.editor.copyPrevious(); });
    EXPECT_EQ(h.editor.sheet().label(5), record(5));
    EXPECT_EQ(h.editor.currentLabel(), 5);
    EXPECT_EQ(h.view.focused, std::nullopt) << "the focus stays on the button";
    EXPECT_EQ(h.view.paints.size(), paints);
}

TEST_F(LabelCommands, CopyOntoTheLastLabelStaysThere) {
    goToLabel(10);
    h.view.click([&] { h.editor.copyPrevious(); });
    EXPECT_EQ(h.editor.sheet().label(10), record(9));
    expectShowing(10);
    EXPECT_EQ(h.view.boxes(), shownRecord(9));
}

TEST_F(LabelCommands, DeleteAsksFirstAndMovesLaterLabelsUp) {
    const MessageRequest question{"削除しますか?。", "削除", MessageIcon::Critical,
                                  MessageButtons::YesNo, MessageAnswer::No};
    goToLabel(3);
    h.dialogs.answers = {MessageAnswer::No};
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(h.dialogs.messages.back(), question);
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(h.view.focused, InputBox::Text1);

    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(h.dialogs.messages.back(), question);
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 0}));
    expectShowing(3);
    EXPECT_EQ(h.view.boxes(), shownRecord(4));

    fill();
    goToLabel(10);
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
}

TEST_F(LabelCommands, InsertMakesRoomAtTheCurrentLabel) {
    h.setLabels([](LabelSheet& sheet) { sheet.label(10) = LabelRecord{}; });
    goToLabel(3);
    h.view.click([&] { h.editor.insertLabel(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(h.editor.currentLabel(), 3);
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
}

TEST_F(LabelCommands, InsertIsRefusedWhenTheLastLabelHoldsAnyText) {
    const MessageRequest refusal{"最後尾にデータがあります。挿入できません。", "エラー",
                                 MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok};
    // A product name, or any other text alone: nothing may be pushed off the sheet.
    const LabelRecord lastLabels[] = {record(10),
                                      {"4901234567894", "", "", "", "", ""},
                                      {"", "", "", "", "", "100"},
                                      {"", "", "", "", "ロット", ""}};
    for (const LabelRecord& last : lastLabels) {
        fill();
        h.setLabels([&](LabelSheet& sheet) { sheet.label(10) = last; });
        const LabelSheet before = h.editor.sheet();
        goToLabel(3);
        h.dialogs.messages.clear();
        h.view.click([&] { h.editor.insertLabel(); });
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << last.janCode << last.price;
        EXPECT_EQ(h.dialogs.messages[0], refusal);
        EXPECT_EQ(h.editor.sheet(), before);
        EXPECT_EQ(h.view.focused, InputBox::Text1);
    }
}

TEST_F(LabelCommands, PreviousCandidatePagesBackThroughEarlierValues) {
    goToLabel(4);
    h.view.focusBox(InputBox::Text3);
    const std::size_t paints = h.view.paints.size();
    const char* expected[] = {"P3", "P2", "P1", "P1", "P1"};
    for (const char* value : expected) {
        h.view.click([&] { h.editor.previousCandidate(); });
        EXPECT_EQ(h.view.boxText(InputBox::Text3), value);
        EXPECT_EQ(h.editor.sheet().label(4).productName, value);
    }
    EXPECT_EQ(h.editor.candidateLabel(), 1);
    EXPECT_EQ(h.view.focused, std::nullopt) << "the focus stays on the button";
    EXPECT_EQ(h.view.paints.size(), paints) << "no redraw";
    EXPECT_EQ(h.editor.sheet().label(3), record(3));

    // Giving the focus back to a box restarts the walk from the current label.
    h.view.focusBox(InputBox::Text2);
    EXPECT_EQ(h.editor.candidateLabel(), 4);
    h.view.click([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(h.editor.sheet().label(4).maker, "M3");
    EXPECT_EQ(h.view.boxText(InputBox::Text2), "M3");
}

TEST_F(LabelCommands, PreviousCandidateFetchesEmptyValuesToo) {
    h.setLabels([](LabelSheet& sheet) { sheet.label(3).lot = ""; });
    goToLabel(4);
    h.view.focusBox(InputBox::Text6);
    h.view.click([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(h.editor.sheet().label(4).lot, "");
    h.view.click([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(h.editor.sheet().label(4).lot, "L2");
}

TEST_F(LabelCommands, PreviousCandidateDoesNothingBeforeAnyMiddleBoxHadTheFocus) {
    goToLabel(4);
    h.view.click([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(sheetNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

}  // namespace
