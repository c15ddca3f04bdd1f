// The columns of a product list in 一括印刷: a list whose code and name columns
// are both unknown is never printed until they are chosen, and the columns
// chosen for a header are remembered, so that the same export next time
// prints without a choice.

#include <gtest/gtest.h>

#include <string>

#include "editor/EditorHarness.h"
#include "editor/logic/BatchCommand.h"
#include "editor/logic/ListMessages.h"
#include "files/ListSettings.h"

namespace {

// A register's export whose header names neither the code nor the name.
const std::string kExport =
    "品番,表示名,値段,税率\n"
    "4901234567894,特選しょうゆ,298,8\n"
    "49123456,ティッシュペーパー,398,10\n";
const std::vector<std::string> kExportHeader = {"品番", "表示名", "値段", "税率"};

class NoProgress : public BatchProgressPort {
  public:
    void started(long) override {}
    void advanced(long) override {}
    void ended() override {}
};

const ProductColumn& part(const char* name) {
    return *labelPart(name);
}

// The export's columns as the user chooses them in the dialog.
ColumnMapping chosenForExport() {
    ColumnMapping mapping = ColumnMapping::fromHeader(kExportHeader);
    mapping.assign(part("JANコード"), 0);
    mapping.assign(part("品名"), 1);
    mapping.assign(part("売価"), 2);
    return mapping;
}

BatchChoice choiceWith(std::optional<ColumnMapping> mapping) {
    BatchChoice choice;
    choice.mapping = std::move(mapping);
    return choice;
}

class BatchMapping : public ::testing::Test {
  protected:
    SettingsPaths paths() const { return {folder.path("data.txt"), folder.path("data.txt")}; }
    void SetUp() override { folder.put("export.csv", kExport); }
    // One batch in a window of its own, the dialog answering `choice`.
    std::unique_ptr<EditorHarness> batch(std::optional<BatchChoice> choice) {
        auto h = std::make_unique<EditorHarness>(paths());
        h->open();
        h->dialogs.openChoices.push_back(folder.path("export.csv"));
        h->dialogs.batchChoices.push_back(std::move(choice));
        NoProgress progress;
        h->view.click([&] { h->editor.batchPrint(progress); });
        return h;
    }
    RememberedMappings remembered() const {
        ListSettings settings;
        EXPECT_TRUE(loadListSettings(folder.path(kListSettingsFileName), settings).ok());
        return settings.mappings;
    }
    static bool toldPrinted(const EditorHarness& h, const std::string& text) {
        return !h.dialogs.messages.empty() &&
               h.dialogs.messages.back().text.find(text) != std::string::npos;
    }
    TempFolder folder{"batch-mapping"};
};

}  // namespace

TEST_F(BatchMapping, AListOfUnknownColumnsIsNeverPrintedAsShown) {
    const auto h = batch(choiceWith(std::nullopt));  // printed with the columns shown
    EXPECT_EQ(h->dialogs.printerRequests, 0);
    ASSERT_EQ(h->dialogs.messages.size(), 1u);
    EXPECT_NE(h->dialogs.messages[0].text.find("JANコードの列も品名の列もありません"),
              std::string::npos);
    EXPECT_TRUE(remembered().empty());
}

TEST_F(BatchMapping, TheColumnsChosenAreRememberedAndTakenNextTime) {
    const auto first = batch(choiceWith(chosenForExport()));
    EXPECT_TRUE(first->dialogs.rememberedShown.at(0).empty());
    EXPECT_TRUE(toldPrinted(*first, "2 件のラベルを印刷しました"));
    ASSERT_EQ(remembered().size(), 1u);
    EXPECT_EQ(remembered()[0], chosenForExport());

    // Next week: the same export, printed as the dialog shows it, no choice made.
    folder.put("export.csv", kExport + "4512345678906,ポテトチップス,128,8\n");
    const auto next = batch(choiceWith(std::nullopt));
    ASSERT_EQ(next->dialogs.rememberedShown.at(0).size(), 1u);
    EXPECT_TRUE(toldPrinted(*next, "3 件のラベルを印刷しました"));
    EXPECT_EQ(next->dialogs.messages.size(), 1u);
}

TEST_F(BatchMapping, ColumnsAsTheHeaderNamesThemNeedNoMemory) {
    folder.put("export.csv", "JANコード,品名,売価\n4901234567894,特選しょうゆ,298\n");
    const auto h = batch(choiceWith(std::nullopt));
    EXPECT_TRUE(toldPrinted(*h, "1 件のラベルを印刷しました"));
    EXPECT_FALSE(std::filesystem::exists(folder.path(kListSettingsFileName)));

    // Choosing back what the header gives forgets what was chosen before.
    folder.put("export.csv", kExport);
    batch(choiceWith(chosenForExport()));
    ASSERT_EQ(remembered().size(), 1u);
    ColumnMapping none = ColumnMapping::fromHeader(kExportHeader);
    batch(choiceWith(none));  // refused: it fills neither code nor name
    EXPECT_EQ(remembered().size(), 1u);
}

TEST_F(BatchMapping, ASettingsFileThatCannotBeWrittenIsToldAndThePrintGoesOn) {
    std::filesystem::create_directory(folder.path("data.txt"));  // no file can go beside it...
    std::filesystem::create_directory(folder.path(kListSettingsFileName));  // ...nor here
    auto h = std::make_unique<EditorHarness>(paths());
    h->open();
    h->dialogs.messages.clear();  // the unreadable settings, told at start
    h->dialogs.openChoices.push_back(folder.path("export.csv"));
    h->dialogs.batchChoices.push_back(choiceWith(chosenForExport()));
    NoProgress progress;
    h->view.click([&] { h->editor.batchPrint(progress); });
    ASSERT_EQ(h->dialogs.messages.size(), 2u);
    EXPECT_EQ(h->dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(toldPrinted(*h, "2 件のラベルを印刷しました"));
}
