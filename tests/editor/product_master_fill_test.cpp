// The product master in the window: chosen once and kept, a code typed into
// Text1 filling the label's empty texts, and the search putting a product
// on the current label, each one step of the history.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "editor/logic/ListMessages.h"
#include "files/ListSettings.h"

namespace {

const std::string kMaster =
    "JANコード,メーカー,品名,規格,売価,税率\n"
    "4901234567894,山田食品,特選しょうゆ,1L,298,8\n"
    "49123456,海野商店,ティッシュペーパー,5箱,398,\n"
    "4512345678906,川村製菓,ポテトチップス うすしお,60g,128,8\n";

bool statusSays(const EditorHarness& h, const char* text) {
    return h.view.statusLine.find(text) != std::string::npos;
}

class ProductMasterInWindow : public ::testing::Test {
  protected:
    ProductMasterInWindow() : h(paths()) {}
    SettingsPaths paths() const { return {folder.path("data.txt"), folder.path("data.txt")}; }
    void SetUp() override {
        folder.put("master.csv", kMaster);
        h.open();
        h.dialogs.openChoices.push_back(folder.path("master.csv"));
        h.view.click([&] { h.editor.chooseProductMaster(); });
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        h.dialogs.messages.clear();
        h.view.focusBox(InputBox::Text1);
    }
    // Types `code` into Text1 of the current label and leaves it with Enter.
    void typeCode(const std::string& code) {
        h.view.focusBox(InputBox::Text1);
        h.view.type(code);
        h.view.pressEnter();
    }
    TempFolder folder{"master-window"};
    EditorHarness h;
};

}  // namespace

TEST_F(ProductMasterInWindow, ATypedCodeFillsTheEmptyTextsOnly) {
    const struct Case {
        const char* name;
        LabelRecord before;  // the label before the code is typed
        const char* typed;
        LabelRecord after;
        bool notice;
    } cases[] = {
        {"empty label",
         {},
         "4901234567894",
         {"4901234567894", "山田食品", "特選しょうゆ", "1L", "", "298", TaxRate::Reduced},
         true},
        {"check digit appended first",
         {},
         "490123456789",
         {"4901234567894", "山田食品", "特選しょうゆ", "1L", "", "298", TaxRate::Reduced},
         true},
        {"texts typed before stay",
         {"", "自社", "", "", "L7", "250"},
         "4901234567894",
         {"4901234567894", "自社", "特選しょうゆ", "1L", "L7", "250", TaxRate::Reduced},
         true},
        {"a named product keeps its rate",
         {"", "", "自社のしょうゆ", "", "", ""},
         "4901234567894",
         {"4901234567894", "山田食品", "自社のしょうゆ", "1L", "", "298", TaxRate::Standard},
         true},
        {"a master without a rate leaves the label's",
         {"", "", "", "", "", "", TaxRate::Reduced},
         "49123456",
         {"49123456", "海野商店", "ティッシュペーパー", "5箱", "", "398", TaxRate::Reduced},
         true},
        {"a full label is left as it is",
         {"", "a", "b", "c", "d", "e"},
         "49123456",
         {"49123456", "a", "b", "c", "d", "e"},
         false},
        {"a code the master does not hold",
         {},
         "4909999999998",
         {"4909999999998", "", "", "", "", ""},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.setLabels([&](LabelSheet& sheet) {
            sheet.clear();
            sheet.label(1) = c.before;
        });
        h.goToLabel(1);
        typeCode(c.typed);
        EXPECT_EQ(h.editor.sheet().label(1), c.after);
        EXPECT_EQ(h.view.focused, InputBox::Text2);
        // The boxes show what the label holds.
        EXPECT_EQ(h.view.boxes(),
                  (std::vector<std::string>{c.after.janCode, c.after.maker, c.after.productName,
                                            c.after.spec, c.after.lot, c.after.price}));
        EXPECT_EQ(h.view.shownRate, c.after.taxRate);
        EXPECT_EQ(statusSays(h, messages::kFilledFromMaster), c.notice);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(ProductMasterPrices, ThePriceComesAsTheSheetsPriceBoxHoldsIt) {
    const struct {
        const char* header;
        PriceMode mode;
        const char* price;
    } cases[] = {
        {"税込価格", PriceMode::TaxIncludedOnly, "324"},
        {"税込価格", PriceMode::BaseAndTaxIncluded, "300"},
        {"税抜価格", PriceMode::TaxIncludedOnly, "349"},  // 324 at 8 %, rounded down
        {"税抜価格", PriceMode::BaseAndTaxIncluded, "324"},
        {"売価", PriceMode::BaseAndTaxIncluded, "324"},  // as the sheet takes it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.header) + (c.mode == PriceMode::TaxIncludedOnly ? " 税込" : ""));
        TempFolder folder("master-prices");
        folder.put("master.csv", std::string("JANコード,品名,") + c.header +
                                     ",税率\n4901234567894,特選しょうゆ,324,8\n");
        EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
        h.open();
        h.dialogs.openChoices.push_back(folder.path("master.csv"));
        h.view.click([&] { h.editor.chooseProductMaster(); });
        h.view.shortcut([&] { h.editor.setPriceMode(c.mode); });
        h.view.focusBox(InputBox::Text1);
        h.view.type("4901234567894");
        h.view.pressEnter();
        EXPECT_EQ(h.editor.sheet().label(1).price, c.price);
        // The search takes it the same way.
        h.dialogs.productSearches.push_back("しょうゆ");
        h.view.shortcut([&] { h.editor.searchProduct(); });
        EXPECT_EQ(h.editor.sheet().label(1).price, c.price);
    }
}

TEST_F(ProductMasterInWindow, UndoTakesTheFillBackAsOneStepThenTheCode) {
    h.setLabels([](LabelSheet& sheet) { sheet.label(1).price = "250"; });
    h.goToLabel(1);
    typeCode("4512345678906");
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "商品マスタ");
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.sheet().label(1), (LabelRecord{"4512345678906", "", "", "", "", "250"}));
    EXPECT_FALSE(statusSays(h, messages::kFilledFromMaster));
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.sheet().label(1), (LabelRecord{"", "", "", "", "", "250"}));
    h.view.shortcut([&] { h.editor.redo(); });
    h.view.shortcut([&] { h.editor.redo(); });
    EXPECT_EQ(h.editor.sheet().label(1).productName, "ポテトチップス うすしお");
    EXPECT_EQ(h.editor.sheet().label(1).taxRate, TaxRate::Reduced);
}

TEST_F(ProductMasterInWindow, OnlyACodeJustTypedFills) {
    typeCode("4901234567894");
    // The user empties the 規格 box on purpose; passing Text1 again fills nothing.
    h.view.focusBox(InputBox::Text4);
    h.view.type("");
    h.view.click([&] { h.editor.goNext(); });
    h.view.click([&] { h.editor.goPrevious(); });
    h.view.pressEnter();
    EXPECT_EQ(h.editor.sheet().label(1).spec, "");
    // Leaving Text1 by a click on another label fills the label the code was typed on.
    h.view.focusBox(InputBox::Text1);
    h.goToLabel(3);
    h.view.type("49123456");
    h.view.click([&] { h.editor.goNext(); });
    EXPECT_EQ(h.editor.sheet().label(3).productName, "ティッシュペーパー");
    EXPECT_EQ(h.editor.currentLabel(), 4);
    EXPECT_TRUE(h.editor.sheet().label(4).isEmpty());
}

TEST_F(ProductMasterInWindow, SearchPutsTheChosenProductOnTheCurrentLabel) {
    h.goToLabel(2);
    h.view.focusBox(InputBox::Text6);
    h.view.type("L9");  // typed, not yet stored: it stays with the label
    h.dialogs.productSearches.push_back("ぽてと");
    h.view.shortcut([&] { h.editor.searchProduct(); });
    EXPECT_EQ(h.dialogs.productSearchRequests, 1);
    EXPECT_EQ(h.editor.sheet().label(2),
              (LabelRecord{"4512345678906", "川村製菓", "ポテトチップス うすしお", "60g", "L9",
                           "128", TaxRate::Reduced}));
    EXPECT_EQ(h.editor.currentLabel(), 2) << "Text6 was settled, not stepped on from";
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    EXPECT_EQ(h.view.boxText(InputBox::Text3), "ポテトチップス うすしお");
    EXPECT_TRUE(statusSays(h, messages::kFilledFromMaster));

    // The whole product came in one step.
    h.view.shortcut([&] { h.editor.undo(); });
    EXPECT_EQ(h.editor.sheet().label(2), (LabelRecord{"", "", "", "", "L9", ""}));

    // A search closed without a product changes nothing.
    h.dialogs.productSearches.push_back(std::nullopt);
    const std::size_t steps = h.view.historyChanges;
    h.view.shortcut([&] { h.editor.searchProduct(); });
    EXPECT_EQ(h.editor.sheet().label(2), (LabelRecord{"", "", "", "", "L9", ""}));
    EXPECT_EQ(h.view.historyChanges, static_cast<int>(steps));
}

TEST_F(ProductMasterInWindow, TheMasterChosenIsKeptForTheNextWindow) {
    ListSettings kept;
    ASSERT_TRUE(loadListSettings(folder.path(kListSettingsFileName), kept).ok());
    EXPECT_EQ(kept.masterPath, folder.path("master.csv"));

    EditorHarness next(paths());
    next.open();
    next.view.type("49123456");
    next.view.pressEnter();
    EXPECT_EQ(next.editor.sheet().label(1).productName, "ティッシュペーパー");
    EXPECT_TRUE(next.dialogs.messages.empty());
    EXPECT_TRUE(next.dialogs.openRequests.empty());
}

TEST_F(ProductMasterInWindow, AListThatCannotBeReadLeavesTheMasterBefore) {
    h.dialogs.openChoices.push_back(folder.path("gone.csv"));
    h.view.click([&] { h.editor.chooseProductMaster(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(h.dialogs.messages[0].text.find(folder.path("gone.csv")), std::string::npos);
    typeCode("49123456");
    EXPECT_EQ(h.editor.sheet().label(1).maker, "海野商店");
    ListSettings kept;
    ASSERT_TRUE(loadListSettings(folder.path(kListSettingsFileName), kept).ok());
    EXPECT_EQ(kept.masterPath, folder.path("master.csv"));
}

TEST_F(ProductMasterInWindow, AMasterRemovedSinceIsToldOnFirstUse) {
    std::filesystem::remove(folder.path("master.csv"));
    EditorHarness next(paths());
    next.open();
    EXPECT_TRUE(next.dialogs.messages.empty()) << "nothing is said before the master is used";
    next.view.type("49123456");
    next.view.pressEnter();
    ASSERT_EQ(next.dialogs.messages.size(), 1u);
    EXPECT_EQ(next.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(next.editor.sheet().label(1), (LabelRecord{"49123456", "", "", "", "", ""}));
    next.view.type("4901234567894");
    next.view.pressEnter();
    EXPECT_EQ(next.dialogs.messages.size(), 1u) << "told once";
}

TEST(ProductMasterSearch, WithoutAMasterSaysHowToChooseOne) {
    EditorHarness h;
    h.open();
    h.view.shortcut([&] { h.editor.searchProduct(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, messages::kNoMasterChosen);
    EXPECT_EQ(h.dialogs.productSearchRequests, 0);
}

TEST(ProductMasterSettings, AnUnreadableSettingsFileIsToldAndTheWindowStarts) {
    TempFolder folder("master-settings");
    std::filesystem::create_directory(folder.path(kListSettingsFileName));
    EditorHarness h({folder.path("data.txt"), folder.path("data.txt")});
    h.open();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}
