// 一括印刷 driven headless as a user goes through it: a list chosen, the
// batch options, a printer, the list printed with its progress told, and
// the outcome told; cancelled at any of the three questions, nothing prints.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorHarness.h"
#include "editor/logic/BatchCommand.h"

namespace {

std::string products(int count) {
    std::string list = "JANコード,品名,売価\n";
    for (int i = 1; i <= count; ++i)
        list += "4901234567894,商品" + std::to_string(i) + ",100\n";
    return list;
}

// The progress as the window would show it, one line a call.
class RecordedProgress : public BatchProgressPort {
  public:
    std::vector<std::string> calls;
    void started(long sheets) override { calls.push_back("started " + std::to_string(sheets)); }
    void advanced(long done) override { calls.push_back("advanced " + std::to_string(done)); }
    void ended() override { calls.push_back("ended"); }
};

struct BatchHarness : EditorHarness {
    TempFolder folder{"tanahuda-batch-command"};
    RecordedProgress progress;

    BatchHarness() { open(); }
    void run() {
        view.click([this] { editor.batchPrint(progress); });
    }
};

BatchChoice fromLabel(int start) {
    BatchChoice choice;
    choice.startPosition = start;
    return choice;
}

TEST(BatchCommand, CancelledAtAnyQuestionPrintsNothingAndSaysNothing) {
    enum class Cancel { List, Options, Printer };
    for (const Cancel cancel : {Cancel::List, Cancel::Options, Cancel::Printer}) {
        BatchHarness h;
        h.folder.put("list.csv", products(3));
        h.dialogs.openChoices.push_back(
            cancel == Cancel::List ? std::nullopt : std::optional(h.folder.path("list.csv")));
        if (cancel != Cancel::List)
            h.dialogs.batchChoices.push_back(
                cancel == Cancel::Options ? std::nullopt : std::optional(fromLabel(1)));
        h.dialogs.printer = FakeEditorDialogs::Printer::Cancel;
        h.run();
        const int asked = static_cast<int>(cancel) + 1;
        EXPECT_EQ(h.dialogs.openRequests.size(), 1u);
        EXPECT_EQ(h.dialogs.batchRequests.size(), asked >= 2 ? 1u : 0u);
        EXPECT_EQ(h.dialogs.printerRequests, asked >= 3 ? 1 : 0);
        EXPECT_TRUE(h.dialogs.messages.empty());
        EXPECT_TRUE(h.progress.calls.empty());
        EXPECT_FALSE(h.dialogs.printRecord->finished);
    }
}

TEST(BatchCommand, TheChosenListIsPrintedFromTheChosenLabelAndTheOutcomeTold) {
    BatchHarness h;
    h.folder.put("list.csv", products(25));
    h.dialogs.openChoices.push_back(h.folder.path("list.csv"));
    h.dialogs.batchChoices.push_back(fromLabel(7));
    h.run();

    // The list chosen among product lists, then shown in the batch dialog.
    ASSERT_EQ(h.dialogs.openRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.openRequests[0].filters.front().pattern, "*.csv *.txt");
    EXPECT_EQ(h.dialogs.batchRequests, std::vector<std::string>{h.folder.path("list.csv")});
    // A batch is printed once: the printer dialog offers no copies.
    EXPECT_EQ(h.dialogs.copiesAsked, std::vector<PrintCopies>{PrintCopies::One});
    // From label 7: 4, 10, 10 and 1 products, four pages, each told.
    EXPECT_EQ(h.dialogs.printRecord->pages, 4);
    EXPECT_TRUE(h.dialogs.printRecord->finished);
    EXPECT_FALSE(h.dialogs.printRecord->aborted);
    EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"started 4", "advanced 1", "advanced 2",
                                                          "advanced 3", "advanced 4", "ended"}));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    const MessageRequest& told = h.dialogs.messages[0];
    EXPECT_EQ(told.title, "一括印刷");
    EXPECT_EQ(told.icon, MessageIcon::Information);
    EXPECT_EQ(told.buttons, MessageButtons::Ok);
    EXPECT_EQ(told.text, "4 枚のシートに 25 件のラベルを印刷しました。");
}

TEST(BatchCommand, FailuresAndProblemRowsAreToldWithTheirIcon) {
    enum class Fault { None, ListGone, ProblemRows, NotFinished, PrinterNotOpened, NoColumns };
    const struct Case {
        const char* what;
        Fault fault;
        MessageIcon icon;
        const char* says;  // a part of the message
        bool aborted;
    } cases[] = {
        {"list emptied after it was chosen", Fault::ListGone, MessageIcon::Critical,
         "一括印刷できませんでした。", true},
        {"rows without a barcode", Fault::ProblemRows, MessageIcon::Warning,
         "(バーコードなし) (1 行): 2 行目", false},
        {"rows not printed", Fault::ProblemRows, MessageIcon::Warning,
         "1 行は印刷しませんでした。\n\n印刷しなかった行:\n・品名が空です (1 行): 3 行目", false},
        {"neither code nor name column", Fault::NoColumns, MessageIcon::Critical,
         "商品リストの見出し「メーカー,売価」には、JANコードの列も品名の列もありません", false},
        {"document not ended", Fault::NotFinished, MessageIcon::Critical,
         "一括印刷できませんでした。", false},
        {"printer not opened", Fault::PrinterNotOpened, MessageIcon::Critical, "事務所のプリンター",
         false},
    };
    for (const Case& c : cases) {
        BatchHarness h;
        h.folder.put("list.csv", c.fault == Fault::ProblemRows
                                     ? "4901234567894,m,good,,,1\n12345,m,no code,,,1\n"
                                       "4901234567894,m,,,,1\n"
                                 : c.fault == Fault::NoColumns ? "メーカー,売価\nm,1\n"
                                                               : products(3));
        h.dialogs.openChoices.push_back(h.folder.path("list.csv"));
        h.dialogs.batchChoices.push_back(fromLabel(1));
        if (c.fault == Fault::NotFinished)
            h.dialogs.printRecord->finishFailure = Result::failure(ResultCode::PrintNotFinished);
        if (c.fault == Fault::PrinterNotOpened)
            h.dialogs.printer = FakeEditorDialogs::Printer::CannotOpen;
        if (c.fault == Fault::ListGone)
            h.folder.put("list.csv", "");  // emptied since the batch dialog counted it
        h.run();
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << c.what;
        EXPECT_EQ(h.dialogs.messages[0].icon, c.icon) << c.what;
        EXPECT_NE(h.dialogs.messages[0].text.find(c.says), std::string::npos)
            << c.what << ": " << h.dialogs.messages[0].text;
        EXPECT_EQ(h.dialogs.printRecord->aborted, c.aborted) << c.what;
        // A list that would print labels of nothing is refused before a printer is chosen.
        EXPECT_EQ(h.dialogs.printerRequests, c.fault == Fault::NoColumns ? 0 : 1) << c.what;
    }
}

}  // namespace
