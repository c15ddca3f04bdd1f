// The six input boxes: the Enter cycle, writing back on leaving a box, the
// check-digit correction, the step after the price, and the Text1 hub.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "M" + s, "P" + s, "S" + s, "L" + s, "V" + s};
}

class InputBoxes : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        h.fillLabels(record);
    }
    void goToLabel(int n) {
        h.goToLabel(n);
        ASSERT_EQ(h.editor.currentLabel(), n);
    }
    EditorHarness h;
};

TEST_F(InputBoxes, EnterWalksTheSixBoxesInTheirCycle) {
    std::vector<std::string> visited;
    for (int i = 0; i < 6; ++i) {
        h.view.pressEnter();
        visited.push_back(boxName(*h.view.focused));
    }
    EXPECT_EQ(visited,
              (std::vector<std::string>{"Text2", "Text3", "Text4", "Text6", "Text5", "Text1"}));
    // Leaving the price box stepped on to label 2.
    EXPECT_EQ(h.editor.currentLabel(), 2);
    EXPECT_EQ(h.view.counter, "2/10");
}

TEST_F(InputBoxes, TypingALabelStoresEachTextWhenItsBoxIsLeft) {
    h.setLabels([](LabelSheet& sheet) { sheet.clear(); });
    h.view.type("4901234567899");
    EXPECT_EQ(h.editor.sheet().label(1).janCode, "") << "pending text is not in the sheet yet";
    h.view.pressEnter();
    EXPECT_EQ(h.editor.sheet().label(1).janCode, "4901234567894");
    for (const char* text : {"メーカー", "品名", "規格", "ロット", "980"}) {
        h.view.type(text);
        h.view.pressEnter();
    }
    EXPECT_EQ(h.editor.sheet().label(1),
              (LabelRecord{"4901234567894", "メーカー", "品名", "規格", "ロット", "980"}));
    EXPECT_EQ(h.editor.currentLabel(), 2);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.view.boxes(), std::vector<std::string>(6, ""));
}

// Leaving Text1 stores the code as the user meant it and says on the status
// line what it changed.
TEST_F(InputBoxes, LeavingTheJanCodeBoxCorrectsTheCheckDigit) {
    struct Case {
        const char* typed;
        const char* stored;
        const char* notice;
    };
    const Case cases[] = {
        {"4901234567899", "4901234567894", "チェックデジットを 9 から 4 に直しました"},
        {"4901234567894", "4901234567894", ""},                                // right one kept
        {"49012340", "49012347", "チェックデジットを 0 から 7 に直しました"},  // EAN-8
        // 12 or 7 digits are a code typed without its check digit.
        {"490123456789", "4901234567894", "チェックデジット 4 を付けました"},
        {"4901234", "49012347", "チェックデジット 7 を付けました"},
        {"", "", ""},
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKL0", "チェックデジットを M から 0 に直しました"},
        // Full-width digits (an input method left on) are the same digits.
        {"４９０１２３４５６７８９４", "4901234567894", ""},
        {"４９０１２３４５６７８９９", "4901234567894", "チェックデジットを 9 から 4 に直しました"},
        {"４９０１２３４５６７８９", "4901234567894", "チェックデジット 4 を付けました"},
        {"４９０１２３４", "49012347", "チェックデジット 7 を付けました"},
        {"４９０１−２３４", "4901-237",
         "チェックデジットを 4 から 7 に直しました"},  // 8 characters
        {"49012345678941", "49012345678941", ""},      // 14 characters: as typed
        // Blanks around a code (typed, or pasted from a list) are dropped,
        // before the check digit rule; blanks inside are kept.
        {"　４９０１２３４５６７８９４　", "4901234567894", ""},
        {"　4901234567894　", "4901234567894", ""},
        {" \t490123456789 ", "4901234567894", "チェックデジット 4 を付けました"},
        {"  4901234567899", "4901234567894", "チェックデジットを 9 から 4 に直しました"},
        {"4901 2345678 9", "4901 2345678 9", ""},
        {" 　 ", "", ""},
    };
    for (const Case& c : cases) {
        h.view.focusBox(InputBox::Text1);
        h.view.type(c.typed);
        h.view.pressEnter();
        EXPECT_EQ(h.editor.sheet().label(1).janCode, c.stored) << c.typed;
        EXPECT_EQ(h.view.boxText(InputBox::Text1), c.stored) << "the box shows the stored code";
        EXPECT_EQ(h.view.statusLine.substr(0, std::string(c.notice).size()), c.notice) << c.typed;
        if (*c.notice == '\0') {
            EXPECT_EQ(h.view.statusLine.find("チェックデジット"), std::string::npos) << c.typed;
        }
    }
}

TEST_F(InputBoxes, LeavingThePriceStepsToTheNextLabelAndStopsAtTen) {
    goToLabel(4);
    h.view.focusBox(InputBox::Text5);
    h.view.type("1280");
    h.view.pressEnter();
    EXPECT_EQ(h.editor.sheet().label(4).price, "1280");
    EXPECT_EQ(h.editor.currentLabel(), 5);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.view.counter, "5/10");
    EXPECT_EQ(h.view.boxes(), (std::vector<std::string>{"J5", "M5", "P5", "S5", "L5", "V5"}));

    h.view.click([&] { h.editor.goLast(); });
    h.view.focusBox(InputBox::Text5);
    h.view.type("99");
    h.view.pressEnter();
    EXPECT_EQ(h.editor.sheet().label(10).price, "99");
    EXPECT_EQ(h.editor.currentLabel(), 10);
    EXPECT_EQ(h.view.counter, "10/10");
    EXPECT_EQ(h.view.boxes(), (std::vector<std::string>{"J10", "M10", "P10", "S10", "L10", "99"}));
}

// The frame of the current label as drawn on the preview, in millimetres.
struct FrameCase {
    int label;
    bool fullSize;
    std::vector<std::string> calls;
};

TEST_F(InputBoxes, Text1ReceivingTheFocusRedrawsFramesCountsAndReloads) {
    const FrameCase cases[] = {
        // 50 %: label 2 starts at 0.5 * (91 + 12.0), 0.5 * 7.8, lines 2 pixels wide.
        {2,
         false,
         {"unit mm", "linewidth 2", "line 51.50 3.90 97.00 3.90 #0000ff",
          "line 51.50 3.90 51.50 31.40 #0000ff", "line 51.50 31.40 97.00 31.40 #0000ff",
          "line 97.00 3.90 97.00 31.40 #0000ff", "linewidth 1"}},
        // 100 %: label 7 is in the left column, fourth row; lines 5 pixels wide.
        {7,
         true,
         {"unit mm", "linewidth 5", "line 12.00 172.80 103.00 172.80 #0000ff",
          "line 12.00 172.80 12.00 227.80 #0000ff", "line 12.00 227.80 103.00 227.80 #0000ff",
          "line 103.00 172.80 103.00 227.80 #0000ff", "linewidth 1"}},
    };
    for (const FrameCase& c : cases) {
        if (c.fullSize != (h.editor.viewState().previewZoom == 1.0)) {
            h.view.click([&] { h.editor.toggleZoom(); });
        }
        goToLabel(c.label);
        // Into Text3, then back into Text1 with the mouse.
        h.view.focusBox(InputBox::Text3);
        EXPECT_TRUE(h.view.candidateEnabled);
        h.view.type("edited");
        h.view.texts[InputBox::Text2] = "scribbled";
        const std::size_t paintsBefore = h.view.paints.size();
        h.view.events.clear();
        h.view.focusBox(InputBox::Text1);

        ASSERT_EQ(h.view.paints.size(), paintsBefore + 2) << "sheet, then frame";
        const auto& sheetPaint = h.view.paints[paintsBefore];
        EXPECT_NE(std::find(sheetPaint.begin(), sheetPaint.end(), "clear"), sheetPaint.end());
        EXPECT_EQ(h.view.paints.back(), c.calls) << "label " << c.label;
        EXPECT_EQ(h.view.counter, std::to_string(c.label) + "/10");
        const std::string n = std::to_string(c.label);
        EXPECT_EQ(h.view.boxes(),
                  (std::vector<std::string>{"J" + n, "M" + n, "edited", "S" + n, "L" + n, "V" + n}))
            << "the boxes are reloaded from the sheet";
        EXPECT_FALSE(h.view.candidateEnabled);
        EXPECT_EQ(h.view.events,
                  (std::vector<std::string>{"out Text3", "in Text1", "select Text1"}));
        EXPECT_FALSE(h.editor.viewState().printMode);
    }
}

TEST_F(InputBoxes, CandidateTrackingFollowsTheLastOfTheFourMiddleBoxes) {
    goToLabel(4);
    EXPECT_EQ(h.editor.candidateBox(), std::nullopt);
    for (const InputBox box :
         {InputBox::Text2, InputBox::Text3, InputBox::Text4, InputBox::Text6}) {
        h.view.focusBox(box);
        EXPECT_TRUE(h.view.candidateEnabled);
        EXPECT_EQ(h.editor.candidateBox(), box);
        EXPECT_EQ(h.editor.candidateLabel(), 4);
        EXPECT_EQ(h.view.events.back(), std::string("select ") + boxName(box));
    }
    h.view.focusBox(InputBox::Text5);
    EXPECT_FALSE(h.view.candidateEnabled);
    EXPECT_EQ(h.editor.candidateBox(), InputBox::Text6);
}

TEST_F(InputBoxes, ACommandClickedFromThePriceBoxActsOnTheNextLabel) {
    goToLabel(4);
    h.view.focusBox(InputBox::Text5);
    h.view.type("500");
    h.view.click([&] { h.editor.clearLabel(); });
    EXPECT_EQ(h.editor.sheet().label(4).price, "500");
    EXPECT_EQ(h.editor.sheet().label(5), LabelRecord{});
    EXPECT_EQ(h.editor.sheet().label(6), record(6));
    EXPECT_EQ(h.editor.currentLabel(), 5);
    EXPECT_EQ(h.view.counter, "5/10");
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(InputBoxes, ClickingAnotherBoxFromThePriceBoxLeavesTheNextLabelUntouched) {
    // The focus is on its way to Text3 when the price box hands it to Text1:
    // Text3, still showing label 4, must not write into label 5.
    goToLabel(4);
    h.view.focusBox(InputBox::Text5);
    h.view.focusBox(InputBox::Text3);
    EXPECT_EQ(h.editor.sheet().label(4), record(4));
    EXPECT_EQ(h.editor.sheet().label(5), record(5));
    EXPECT_EQ(h.editor.currentLabel(), 5);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.view.boxes(), (std::vector<std::string>{"J5", "M5", "P5", "S5", "L5", "V5"}));
}

}  // namespace
