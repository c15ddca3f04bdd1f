// The 用紙の設定 dialog without its widgets: picking a preset, entering a stock
// that cannot be printed on, keeping the user's own stocks, and the label
// designer's templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editor/FakeEditorDialogs.h"
#include "editor/logic/StockChooser.h"
#include "files/UserStockFile.h"
#include "model/PaperSizes.h"
#include "model/StockPresets.h"
#include "support/TempFolder.h"

namespace {

const char* const k24 = "A4 24面 66×33.9mm";

std::optional<std::size_t> entryNamed(const StockChooser& chooser, const std::string& name,
                                      StockOrigin origin) {
    const auto& entries = chooser.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].stock.name == name && entries[i].origin == origin)
            return i;
    }
    return std::nullopt;
}

LabelStock preset(const char* name) {
    return stockPresetNamed(name).value().stock;
}

class StockChooserTest : public ::testing::Test {
  protected:
    StockChooser chooser(TemplateSources sources = {}) {
        return StockChooser(kStandardStock, dialogs, userStocks, std::move(sources));
    }
    TempFolder folder{"stock-chooser"};
    const std::string userStocks = folder.path(kUserStockFileName);
    FakeEditorDialogs dialogs;
};

TEST_F(StockChooserTest, EveryPresetIsListedAndAPickedOneIsAccepted) {
    StockChooser c = chooser();
    ASSERT_GE(c.entries().size(), stockPresets().size());
    EXPECT_EQ(c.pickedEntry(), 0u);  // the standard stock, as the window prints on it
    for (const NamedStock& p : stockPresets())
        EXPECT_TRUE(entryNamed(c, p.name, StockOrigin::Preset)) << p.name;
    c.pick(*entryNamed(c, k24, StockOrigin::Preset));
    EXPECT_EQ(c.form(), preset(k24));
    EXPECT_TRUE(c.problem().empty());
    EXPECT_EQ(c.accept(), preset(k24));
    EXPECT_TRUE(dialogs.messages.empty());
}

// A stock that cannot be printed on: the message names the value at fault,
// the dialog stays (nothing accepted) and nothing is saved.
TEST_F(StockChooserTest, AnImpossibleStockIsToldByItsValueAndNothingIsSaved) {
    struct Case {
        const char* what;
        void (*change)(LabelStock&);
        const char* named;  // the value the message names
    };
    const Case cases[] = {
        {"no width", [](LabelStock& s) { s.labelWidthMm = 0; }, "ラベルの幅"},
        {"negative height", [](LabelStock& s) { s.labelHeightMm = -5; }, "ラベルの高さ"},
        {"corner past half", [](LabelStock& s) { s.cornerRadiusMm = 30; }, "角の丸み"},
        {"past the right edge", [](LabelStock& s) { s.firstLabel.x = 40; }, "横の間隔"},
        {"past the top edge", [](LabelStock& s) { s.firstLabel.y = -1; }, "上の余白"},
        {"overlapping", [](LabelStock& s) { s.pitchYMm = 50; }, "縦の間隔"},
        {"over a hundred labels", [](LabelStock& s) { s.rows = 51; }, "行数"},
        {"unknown paper",
         [](LabelStock& s) {
             s.paper = {200, 300};
         },
         "用紙"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        StockChooser ch = chooser();
        LabelStock stock = kStandardStock;
        c.change(stock);
        ch.setForm(stock);
        EXPECT_NE(ch.problem(), "");
        EXPECT_FALSE(ch.accept());
        EXPECT_FALSE(ch.saveUserStock("棚の札"));
        ASSERT_EQ(dialogs.messages.size(), 2u);
        for (const MessageRequest& m : dialogs.messages) {
            EXPECT_EQ(m.icon, MessageIcon::Critical);
            EXPECT_NE(m.text.find(c.named), std::string::npos) << m.text;
        }
        EXPECT_NE(dialogs.messages[0].text.find("用紙は変えていません"), std::string::npos);
        EXPECT_NE(dialogs.messages[1].text.find("登録していません"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(userStocks));
        EXPECT_FALSE(entryNamed(ch, "棚の札", StockOrigin::User));
    }
}

TEST_F(StockChooserTest, AUserStockIsSavedAndListedAgainInTheNextDialog) {
    LabelStock own = preset(k24);
    own.firstLabel = {7.5, 13.0};
    {
        StockChooser c = chooser();
        c.setForm(own);
        EXPECT_FALSE(c.saveUserStock("  "));  // no name: told, nothing saved
        EXPECT_FALSE(std::filesystem::exists(userStocks));
        ASSERT_TRUE(c.saveUserStock("うちの棚札"));
        EXPECT_EQ(c.entries()[*entryNamed(c, "うちの棚札", StockOrigin::User)].stock.stock, own);
        EXPECT_EQ(c.pickedEntry(), entryNamed(c, "うちの棚札", StockOrigin::User));
    }
    EXPECT_EQ(dialogs.messages.size(), 1u);
    StockChooser again = chooser();
    const auto listed = entryNamed(again, "うちの棚札", StockOrigin::User);
    ASSERT_TRUE(listed);
    again.pick(*listed);
    EXPECT_EQ(again.form(), own);
    // Saved again under the same name: replaced, not listed twice.
    own.firstLabel.x = 8.0;
    again.setForm(own);
    ASSERT_TRUE(again.saveUserStock("うちの棚札"));
    EXPECT_EQ(readUserStocks(userStocks).stocks, (std::vector<NamedStock>{{"うちの棚札", own}}));
}

TEST_F(StockChooserTest, UserStocksGoOutToAFileAndComeInFromOne) {
    StockChooser c = chooser();
    c.pick(*entryNamed(c, k24, StockOrigin::Preset));
    ASSERT_TRUE(c.saveUserStock("二十四面"));
    const std::string exported = folder.path("持ち出し.csv");
    dialogs.saveChoices = {exported};
    c.exportUserStocks();
    EXPECT_TRUE(dialogs.messages.empty());

    TempFolder other("stock-chooser-other");
    StockChooser elsewhere(kStandardStock, dialogs, other.path(kUserStockFileName), {});
    EXPECT_FALSE(entryNamed(elsewhere, "二十四面", StockOrigin::User));
    dialogs.openChoices = {exported};
    elsewhere.importUserStocks();
    ASSERT_TRUE(entryNamed(elsewhere, "二十四面", StockOrigin::User));
    EXPECT_EQ(readUserStocks(other.path(kUserStockFileName)).stocks,
              (std::vector<NamedStock>{{"二十四面", preset(k24)}}));
    ASSERT_EQ(dialogs.messages.size(), 1u);  // how many came in
    EXPECT_NE(dialogs.messages[0].text.find("1 件"), std::string::npos);

    // A file that is no stock file: told, nothing changes.
    dialogs.messages.clear();
    other.put("list.csv", "4901234567894,しょうゆ\r\n");
    dialogs.openChoices = {other.path("list.csv")};
    elsewhere.importUserStocks();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(readUserStocks(other.path(kUserStockFileName)).stocks.size(), 1u);
}

TemplateStock templateStock(const char* name, PaperSize paper, int rows) {
    LabelStock s;
    s.paper = paper;
    s.labelWidthMm = 60;
    s.labelHeightMm = 20;
    s.columns = 3;
    s.rows = rows;
    s.pitchXMm = 65;
    s.pitchYMm = 22;
    s.firstLabel = {5, 10};
    return {name, s};
}

// The installed database: A4 and Letter stocks that can be printed on are
// listed; those on other papers, and those that cannot be printed, are
// counted with the ones the reader left out.
TEST_F(StockChooserTest, InstalledTemplatesOnA4AndLetterAreListedAndTheRestCounted) {
    LabelTemplates installed;
    installed.stocks = {
        templateStock("Shop A-1 — Labels", *paperNamed("A4"), 12),
        templateStock("Shop L-1 — Labels", *paperNamed("Letter"), 10),
        templateStock("Shop A5-1 — Labels", *paperNamed("A5"), 8),
        templateStock("Shop A-2 — Too many", *paperNamed("A4"), 14),  // past the paper
    };
    installed.skipped = 40;
    StockChooser c = chooser({[&] { return installed; }, {}});
    EXPECT_TRUE(entryNamed(c, "Shop A-1 — Labels", StockOrigin::Installed));
    EXPECT_TRUE(entryNamed(c, "Shop L-1 — Labels", StockOrigin::Installed));
    EXPECT_FALSE(entryNamed(c, "Shop A5-1 — Labels", StockOrigin::Installed));
    EXPECT_FALSE(entryNamed(c, "Shop A-2 — Too many", StockOrigin::Installed));
    EXPECT_EQ(c.skippedInstalledTemplates(), 42);
    EXPECT_NE(c.templateNote().find("2 件"), std::string::npos) << c.templateNote();
    EXPECT_NE(c.templateNote().find("42 件"), std::string::npos) << c.templateNote();
    c.pick(*entryNamed(c, "Shop L-1 — Labels", StockOrigin::Installed));
    EXPECT_EQ(c.accept(), installed.stocks[1].stock);
}

TEST_F(StockChooserTest, ATemplateFileIsReadOrRefusedWithTheReason) {
    const std::string good = folder.path("good.xml");
    const std::string round = folder.path("round.xml");
    const std::string bad = folder.path("bad.xml");
    auto read = [&](const std::string& path, LabelTemplates& t) -> Result {
        if (path == bad)
            return Result::failure(ResultCode::NotLabelTemplate).withLine(12).withPath(path);
        if (path == good)
            t.stocks = {templateStock("Mine — 36", *paperNamed("A4"), 12)};
        t.skipped = 3;
        return {};
    };
    StockChooser c = chooser({{}, read});
    dialogs.openChoices = {bad, round, good};
    c.openTemplateFile();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("12 行目"), std::string::npos);
    EXPECT_NE(dialogs.messages[0].text.find(bad), std::string::npos);
    c.openTemplateFile();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_NE(dialogs.messages[1].text.find("3 件"), std::string::npos);
    EXPECT_EQ(c.form(), kStandardStock);
    c.openTemplateFile();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(c.pickedEntry(), entryNamed(c, "Mine — 36", StockOrigin::TemplateFile));
    EXPECT_EQ(c.form(), templateStock("", *paperNamed("A4"), 12).stock);
}

}  // namespace
