// The window's label commands on a sheet of another stock: how many labels
// there are and where they stand come from the stock, not from the standard
// sheet. Twelve labels in three columns of four, with gaps between them.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorHarness.h"

namespace {

LabelStock twelveLabelStock() {
    LabelStock stock;
    stock.labelWidthMm = 60.0;
    stock.labelHeightMm = 40.0;
    stock.columns = 3;
    stock.rows = 4;
    stock.pitchXMm = 64.0;
    stock.pitchYMm = 45.0;
    stock.firstLabel = {8.0, 10.0};
    return stock;
}

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"J" + s, "M" + s, "P" + s, "S" + s, "L" + s, "V" + s};
}

class SheetOfAnotherStock : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        h.editor.layout().stock = stock;
        h.editor.layout().originX = stock.firstLabel.x;
        h.editor.layout().originY = stock.firstLabel.y;
        h.setLabels([&](LabelSheet& sheet) {
            sheet = LabelSheet(stock);
            for (int n = 1; n <= sheet.labelCount(); ++n)
                sheet.label(n) = record(n);
        });
    }
    // The product names of the sheet, "" for an empty label.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int n = 1; n <= h.editor.sheet().labelCount(); ++n)
            out.push_back(h.editor.sheet().label(n).productName);
        return out;
    }
    void expectShowing(int n) {
        EXPECT_EQ(h.editor.currentLabel(), n);
        EXPECT_EQ(h.view.counter, std::to_string(n) + "/12");
        EXPECT_EQ(h.view.texts[InputBox::Text3], "P" + std::to_string(n));
    }

    const LabelStock stock = twelveLabelStock();
    EditorHarness h;
};

TEST_F(SheetOfAnotherStock, NavigationAndTheCounterReachEveryLabel) {
    expectShowing(1);
    for (int n = 2; n <= 12; ++n) {
        h.view.click([&] { h.editor.goNext(); });
        expectShowing(n);
    }
    h.view.click([&] { h.editor.goNext(); });  // stops at the last label
    expectShowing(12);
    h.view.click([&] { h.editor.goFirst(); });
    h.view.click([&] { h.editor.goLast(); });
    expectShowing(12);
    // Enter in the price box steps on, as far as the last label.
    h.view.focusBox(InputBox::Text5);
    h.view.pressEnter();
    expectShowing(12);
}

TEST_F(SheetOfAnotherStock, ClearAllAndCopyCoverEveryLabel) {
    h.goToLabel(11);
    h.view.click([&] { h.editor.copyFirstToAll(); });
    EXPECT_EQ(names(), std::vector<std::string>(12, "P1"));

    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.clearAll(); });
    EXPECT_EQ(names(), std::vector<std::string>(12, ""));
    EXPECT_EQ(h.editor.sheet().labelCount(), 12);
    EXPECT_EQ(h.view.counter, "11/12");
}

TEST_F(SheetOfAnotherStock, DeleteAndInsertShiftUpToTheLastLabel) {
    h.goToLabel(3);
    const std::size_t shown = h.dialogs.messages.size();
    h.view.click([&] { h.editor.insertLabel(); });  // refused: label 12 holds text
    EXPECT_EQ(h.dialogs.messages.size(), shown + 1);
    EXPECT_EQ(h.editor.sheet().label(12).productName, "P12");

    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(h.editor.sheet().label(3).productName, "P4");
    EXPECT_EQ(h.editor.sheet().label(11).productName, "P12");
    EXPECT_TRUE(h.editor.sheet().label(12).isEmpty());

    h.view.click([&] { h.editor.insertLabel(); });  // label 12 is free now
    EXPECT_TRUE(h.editor.sheet().label(3).isEmpty());
    EXPECT_EQ(h.editor.sheet().label(12).productName, "P12");
}

// A click anywhere in a label's cell selects it, in the gaps none; the frame
// and the scrolling follow the stock's cell.
TEST_F(SheetOfAnotherStock, ClickSelectsTheLabelInTheStocksCell) {
    const double zoom = h.editor.viewState().previewZoom;
    const struct {
        int number;
        double dx, dy;  // from the cell's corner, in millimetres
        int selected;
    } cases[] = {
        {11, 30.0, 20.0, 11}, {12, 59.9, 39.9, 12}, {4, 0.0, 0.0, 4},
        {6, 1.0, 1.0, 6},     {5, 62.0, 20.0, 6},  // in the gap after label 5: label 6 stays
                                                   // current
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const PointMm cell = stock.cellOrigin(c.number, stock.firstLabel);
        h.editor.previewClicked((cell.x + c.dx) * zoom, (cell.y + c.dy) * zoom);
        EXPECT_EQ(h.editor.currentLabel(), c.selected);
        EXPECT_EQ(h.view.counter, std::to_string(c.selected) + "/12");
        const PointMm shown = stock.cellOrigin(c.selected, stock.firstLabel);
        EXPECT_DOUBLE_EQ(h.view.keptInView[0], shown.x * zoom);
        EXPECT_DOUBLE_EQ(h.view.keptInView[1], shown.y * zoom);
        EXPECT_DOUBLE_EQ(h.view.keptInView[2], stock.labelWidthMm * zoom);
        EXPECT_DOUBLE_EQ(h.view.keptInView[3], stock.labelHeightMm * zoom);
    }
}

// The label file keeps the stock and the labels past the tenth: the sheet is
// saved whole and opens again on its stock, every label as it was.
TEST_F(SheetOfAnotherStock, SavingKeepsTheStockAndEveryLabel) {
    TempFolder folder("tanahuda-stock");
    const std::string path = folder.path("twelve.csv");
    h.dialogs.saveChoices = {path};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.editor.currentFileName(), path);
    EXPECT_FALSE(h.editor.hasWorkToLose());
    const LabelSheet saved = h.editor.sheet();

    h.goToLabel(5);
    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.editor.sheet(), saved);
    EXPECT_EQ(h.editor.layout().stock, stock);
    EXPECT_EQ(names().back(), "P12");
    expectShowing(1);
}

}  // namespace
