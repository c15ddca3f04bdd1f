// The window on the 24-label stock, chosen in the 用紙の設定 dialog as a user
// chooses it: the counter, navigation, the label commands, the preview of the
// whole page at both zooms and click-to-select all count and place the
// stock's labels; the change is one undo step, and a file on another stock
// puts the window on it.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorHarness.h"
#include "model/StockPresets.h"

namespace {

const char* const k24 = "A4 24面 66×33.9mm";

LabelStock stockNamed(const char* name) {
    return stockPresetNamed(name).value().stock;
}

// What the dialog does when the user picks the preset `name` and presses OK.
std::function<std::optional<LabelStock>(StockChooser&)> pickPreset(const std::string& name) {
    return [name](StockChooser& chooser) -> std::optional<LabelStock> {
        for (std::size_t i = 0; i < chooser.entries().size(); ++i) {
            if (chooser.entries()[i].stock.name == name) {
                chooser.pick(i);
                return chooser.accept();
            }
        }
        ADD_FAILURE() << "no stock " << name;
        return std::nullopt;
    };
}

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"", "M" + s, "P" + s, "S" + s, "L" + s, std::to_string(100 + n)};
}

class WindowOn24Labels : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        choose(k24);
    }
    void choose(const char* name) {
        h.dialogs.stockScripts.push_back(pickPreset(name));
        h.view.click([&] { h.editor.chooseStock(); });
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int n = 1; n <= h.editor.sheet().labelCount(); ++n)
            out.push_back(h.editor.sheet().label(n).productName);
        return out;
    }
    // The cell of label `n` on the preview at `zoom`, in millimetres.
    RecordingSurface::Box cellAt(int n, double zoom) const {
        const LayoutSettings& l = h.editor.layout();
        const PointMm cell = l.stock.cellOrigin(n, {l.originX, l.originY});
        return {cell.x * zoom, cell.y * zoom, l.stock.labelWidthMm * zoom,
                l.stock.labelHeightMm * zoom};
    }

    const LabelStock stock = stockNamed(k24);
    EditorHarness h;
};

TEST_F(WindowOn24Labels, TheChosenStockIsTheSheetsThePatternsAndThePreviews) {
    EXPECT_EQ(h.editor.layout().stock, stock);
    EXPECT_EQ(h.editor.sheet().labelCount(), 24);
    EXPECT_EQ(h.view.counter, "1/24");
    ASSERT_FALSE(h.view.shownStocks.empty());
    EXPECT_EQ(h.view.shownStocks.back(), stock);
    EXPECT_EQ(h.editor.layout().originX, stock.firstLabel.x);
    EXPECT_EQ(h.editor.layout().originY, stock.firstLabel.y);
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "用紙の設定");

    // Chosen again: nothing changes, no step.
    const std::size_t shown = h.view.shownStocks.size();
    choose(k24);
    EXPECT_EQ(h.view.shownStocks.size(), shown);

    h.view.click([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.layout().stock, kStandardStock);
    EXPECT_EQ(h.view.counter, "1/10");
    EXPECT_EQ(h.view.shownStocks.back(), kStandardStock);
    h.view.click([&] { h.editor.redo(); });
    EXPECT_EQ(h.view.counter, "1/24");
    EXPECT_EQ(h.view.shownStocks.back(), stock);
}

TEST_F(WindowOn24Labels, TheCounterAndNavigationReachEveryLabel) {
    h.fillLabels(record);
    for (int n = 2; n <= 24; ++n) {
        h.view.click([&] { h.editor.goNext(); });
        EXPECT_EQ(h.view.counter, std::to_string(n) + "/24");
        EXPECT_EQ(h.view.texts[InputBox::Text3], "P" + std::to_string(n));
    }
    h.view.click([&] { h.editor.goNext(); });
    EXPECT_EQ(h.view.counter, "24/24");
    h.view.click([&] { h.editor.goFirst(); });
    EXPECT_EQ(h.view.counter, "1/24");
    h.view.click([&] { h.editor.goLast(); });
    EXPECT_EQ(h.view.counter, "24/24");
    h.view.focusBox(InputBox::Text5);
    h.view.pressEnter();  // the price box steps on no further than the last label
    EXPECT_EQ(h.view.counter, "24/24");
}

TEST_F(WindowOn24Labels, ClearAllCopyDeleteAndInsertCoverEveryLabel) {
    h.fillLabels(record);
    h.goToLabel(5);
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(h.editor.sheet().label(5).productName, "P6");
    EXPECT_EQ(h.editor.sheet().label(23).productName, "P24");
    EXPECT_TRUE(h.editor.sheet().label(24).isEmpty());
    h.view.click([&] { h.editor.insertLabel(); });
    EXPECT_TRUE(h.editor.sheet().label(5).isEmpty());
    EXPECT_EQ(h.editor.sheet().label(24).productName, "P24");

    h.view.click([&] { h.editor.copyFirstToAll(); });
    EXPECT_EQ(names(), std::vector<std::string>(24, "P1"));
    h.dialogs.answers = {MessageAnswer::Yes};
    h.view.click([&] { h.editor.clearAll(); });
    EXPECT_EQ(names(), std::vector<std::string>(24, ""));
}

// Every label's texts are drawn inside its own cell, at 50 % and at 100 %.
TEST_F(WindowOn24Labels, ThePreviewShowsTheWholePageAtBothZooms) {
    h.fillLabels(record);
    for (double zoom : {0.5, 1.0}) {
        SCOPED_TRACE(zoom);
        if (h.editor.viewState().previewZoom != zoom)
            h.view.click([&] { h.editor.toggleZoom(); });
        h.view.buffer.marks.clear();
        h.view.click([&] { h.editor.preview(); });
        for (int n = 1; n <= 24; ++n) {
            const std::string name = "P" + std::to_string(n);
            int found = 0;
            for (const RecordingSurface::Mark& m : h.view.buffer.marks) {
                // Names are centred with leading blanks.
                if (m.text.substr(std::min(m.text.find_first_not_of(' '), m.text.size())) != name)
                    continue;
                ++found;
                EXPECT_TRUE(cellAt(n, zoom).contains(m.page, 0.2 * zoom)) << name;
            }
            EXPECT_EQ(found, 1) << name;
        }
    }
}

TEST_F(WindowOn24Labels, AClickSelectsTheLabelOfItsCellAtBothZooms) {
    h.fillLabels(record);
    for (double zoom : {0.5, 1.0}) {
        if (h.editor.viewState().previewZoom != zoom)
            h.view.click([&] { h.editor.toggleZoom(); });
        for (int n : {24, 1, 14, 3, 22}) {
            SCOPED_TRACE(n);
            const RecordingSurface::Box cell = cellAt(n, zoom);
            h.editor.previewClicked(cell.x + cell.width * 0.9, cell.y + cell.height * 0.1);
            EXPECT_EQ(h.editor.currentLabel(), n);
            EXPECT_EQ(h.view.counter, std::to_string(n) + "/24");
            EXPECT_EQ(h.view.texts[InputBox::Text3], "P" + std::to_string(n));
            EXPECT_DOUBLE_EQ(h.view.keptInView[0], cell.x);
            EXPECT_DOUBLE_EQ(h.view.keptInView[2], cell.width);
        }
        // Past the last row: nothing changes.
        const RecordingSurface::Box last = cellAt(24, zoom);
        h.editor.previewClicked(last.x + 1, last.bottom() + 1);
        EXPECT_EQ(h.editor.currentLabel(), 22);
    }
}

TEST_F(WindowOn24Labels, ASmallerStockDropsLabelsOnlyWhenTheUserAgrees) {
    h.setLabels([](LabelSheet& sheet) {
        sheet.label(3) = record(3);
        sheet.label(12) = record(12);
        sheet.label(20) = record(20);
    });
    h.dialogs.answers = {MessageAnswer::No};
    choose("A4 10面 91×55mm");
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].text.find("ラベル 12〜20"), std::string::npos);
    EXPECT_EQ(h.editor.layout().stock, stock);
    EXPECT_EQ(h.editor.sheet().label(20).productName, "P20");

    h.dialogs.answers = {MessageAnswer::Yes};
    choose("A4 10面 91×55mm");
    EXPECT_EQ(h.editor.sheet().labelCount(), 10);
    EXPECT_EQ(h.editor.sheet().label(3).productName, "P3");
    h.view.click([&] { h.editor.undo(); });  // one step brings them back
    EXPECT_EQ(h.editor.sheet().labelCount(), 24);
    EXPECT_EQ(h.editor.sheet().label(20).productName, "P20");
}

TEST_F(WindowOn24Labels, AFileOnAnotherStockPutsTheWindowOnIt) {
    TempFolder folder("window-stock");
    const std::string path = folder.path("二十四面.csv");
    h.fillLabels(record);
    h.dialogs.saveChoices = {path};
    h.view.shortcut([&] { h.editor.saveFileAs(); });
    ASSERT_TRUE(h.dialogs.messages.empty()) << h.dialogs.messages.front().text;

    h.dialogs.answers = {MessageAnswer::Yes};  // a new sheet: nothing left to drop
    h.view.click([&] { h.editor.newSheet(); });
    choose("A4 10面 91×55mm");
    ASSERT_EQ(h.editor.layout().stock, kStandardStock);

    h.dialogs.openChoices = {path};
    h.view.click([&] { h.editor.openFile(); });
    EXPECT_EQ(h.editor.layout().stock, stock);
    EXPECT_EQ(h.view.shownStocks.back(), stock);
    EXPECT_EQ(h.view.counter, "1/24");
    EXPECT_EQ(h.editor.sheet().label(24).productName, "P24");
    EXPECT_EQ(h.editor.currentFileName(), path);
}

}  // namespace
