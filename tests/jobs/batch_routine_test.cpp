// The batch routine behind the window's 一括印刷 and tanahuda-print
// --products, on a recording job: the list opened and counted once, one page
// a sheet, and a job that fails part way abandoned so nothing is printed.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "files/Cp932.h"
#include "jobs/BatchPrint.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

namespace {

// A print job whose pages record what is drawn. It can refuse a page, fail
// while a page is drawn, or fail to end the document.
class RecordingJob : public PrintJob {
  public:
    int refusePage = 0;       // the page (2..) that cannot be begun; 0: none
    int failDrawingPage = 0;  // the page (1..) whose drawing fails; 0: none
    Result finishResult;
    std::vector<std::unique_ptr<RecordingSurface>> pages;
    bool finished = false;
    bool aborted = false;

    RecordingJob() { addPage(); }
    DrawingSurface& page() override { return *pages.back(); }
    Result newPage() override {
        if (static_cast<int>(pages.size()) + 1 == refusePage)
            return Result::failure(ResultCode::PageNotStarted);
        addPage();
        return {};
    }
    Result finish() override {
        finished = finishResult.ok();
        return finishResult;
    }
    void abort() override { aborted = true; }

  private:
    void addPage() {
        pages.push_back(std::make_unique<RecordingSurface>());
        if (static_cast<int>(pages.size()) == failDrawingPage)
            pages.back()->failAfterCalls = 5;
    }
};

std::string products(int count) {
    std::string list = "JANコード,品名,売価\n";
    for (int i = 1; i <= count; ++i)
        list += "4901234567894,商品" + std::to_string(i) + ",100\n";
    return list;
}

// The product names drawn on a page, in drawing order.
int namesOn(const RecordingSurface& page) {
    int names = 0;
    for (const std::string& text : page.callsStartingWith("text "))
        names += text.find("商品") != std::string::npos ? 1 : 0;
    return names;
}

TEST(BatchRoutine, PrintsOneSheetAPageOrAbandonsTheJob) {
    TempFolder folder{"tanahuda-batch"};
    folder.put("list.csv", products(25));
    const LayoutSettings layout = initialLayoutSettings();
    enum class Fault { None, PageRefused, DrawingFails, FinishFails };
    const struct Case {
        const char* what;
        Fault fault;
        ResultCode code;
        long sheets;
        bool aborted;
    } cases[] = {
        {"all well", Fault::None, ResultCode::Ok, 4, false},
        {"third page refused", Fault::PageRefused, ResultCode::PageNotStarted, 2, true},
        {"second page not drawn", Fault::DrawingFails, ResultCode::PageNotDrawn, 1, true},
        {"document not ended", Fault::FinishFails, ResultCode::PrintNotFinished, 4, false},
    };
    for (const Case& c : cases) {
        ProductListBatch batch(folder.path("list.csv"), TextEncoding::Auto, 7, kStandardStock);
        ASSERT_TRUE(batch.listResult().ok()) << c.what;
        EXPECT_EQ(batch.productCount(), 25) << c.what;
        EXPECT_EQ(batch.sheetCount(), 4) << c.what;
        RecordingJob job;
        job.refusePage = c.fault == Fault::PageRefused ? 3 : 0;
        job.failDrawingPage = c.fault == Fault::DrawingFails ? 2 : 0;
        if (c.fault == Fault::FinishFails)
            job.finishResult = Result::failure(ResultCode::PrintNotFinished);
        std::vector<long> progress;
        const BatchOutcome outcome =
            batch.print(job, layout, [&](long done) { progress.push_back(done); });
        EXPECT_EQ(outcome.result.code, c.code) << c.what;
        EXPECT_EQ(outcome.sheets, c.sheets) << c.what;
        EXPECT_EQ(job.aborted, c.aborted) << c.what;
        EXPECT_EQ(job.finished, c.code == ResultCode::Ok) << c.what;
        EXPECT_EQ(static_cast<long>(progress.size()), c.sheets) << c.what;
        EXPECT_TRUE(outcome.problems.empty()) << c.what;
        EXPECT_TRUE(outcome.labelProblems.empty()) << c.what;
        if (c.fault == Fault::None || c.fault == Fault::FinishFails) {
            ASSERT_EQ(job.pages.size(), 4u) << c.what;
            EXPECT_EQ(outcome.labels, 25) << c.what;
            // From label 7: 4, 10, 10 and 1 products; every page in millimetres.
            const int expected[] = {4, 10, 10, 1};
            for (int p = 0; p < 4; ++p) {
                EXPECT_EQ(namesOn(*job.pages[p]), expected[p]) << c.what << " page " << p + 1;
                EXPECT_EQ(job.pages[p]->calls.front(), "unit mm") << c.what;
            }
        }
    }
}

// Every printed label is checked as a typed sheet is, and each problem is
// told with the line of the row it came from, across sheets; a row that
// prints nothing is told once, as a row.
TEST(BatchRoutine, ChecksEveryPrintedLabelAndTellsItsLine) {
    TempFolder folder{"tanahuda-batch"};
    std::string list = "JANコード,メーカー,品名,売価\n";  // line 1
    for (int i = 2; i <= 11; ++i)
        list += "4901234567894,m,商品,100\n";  // lines 2..11 fill the first sheet
    list += "4901234567894," + std::string(400, 'M') + ",clipped maker,100\n";  // 12
    list += "4901234567894,m,絵文字\xF0\x9F\x98\x80,100\n";                     // 13
    list += "4901234567894,m,品名が長くて縮めて印刷される,100\n";               // 14
    list += "4901234567894," + std::string(400, 'M') + ",,100\n";               // 15: no name
    folder.put("list.csv", list);
    ProductListBatch batch(folder.path("list.csv"), TextEncoding::Auto, 1, kStandardStock);
    ASSERT_TRUE(batch.listResult().ok());
    RecordingJob job;
    const BatchOutcome outcome = batch.print(job, initialLayoutSettings());
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.sheets, 2);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].code, ResultCode::RowWithoutName);
    EXPECT_EQ(outcome.problems[0].line, 15);
    const struct {
        int line;
        LabelProblemKind kind;
        LabelElement element;
    } expected[] = {
        {12, LabelProblemKind::TextClipped, LabelElement::Maker},
        {13, LabelProblemKind::CharacterNotDrawn, LabelElement::ProductName},
        {14, LabelProblemKind::TextCondensed, LabelElement::ProductName},
    };
    ASSERT_EQ(outcome.labelProblems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const RowLabelProblem& found = outcome.labelProblems[i];
        EXPECT_EQ(found.line, expected[i].line) << i;
        EXPECT_EQ(found.problem.kind, expected[i].kind) << i;
        EXPECT_EQ(found.problem.element, expected[i].element) << i;
    }
    EXPECT_EQ(outcome.labelProblems[1].problem.character, "\xF0\x9F\x98\x80");
    EXPECT_LT(outcome.labelProblems[2].problem.percent, 100);
}

TEST(BatchRoutine, TheListIsOpenedCountedAndPicturedBeforeAnyPrinter) {
    TempFolder folder{"tanahuda-batch"};
    folder.put("header-only.csv", "JAN,品名\n\n");
    folder.put("cp932.csv", cp932::encode("4901234567894,メーカー,品名,,,100\n").value());
    folder.put("list.csv", products(3));
    folder.put("unreadable.csv", "\"open,quote\n\x81\x20,x,y\n");
    folder.put("some-problems.csv", "4901234567894,m,good,,,1\n\"open\n12345,m,no code,,,1\n");

    ProductListBatch missing(folder.path("none.csv"), TextEncoding::Auto, 1, kStandardStock);
    EXPECT_EQ(missing.listResult().code, ResultCode::ListNotOpened);
    EXPECT_EQ(missing.listResult().path, folder.path("none.csv"));
    EXPECT_TRUE(missing.firstSheet().label(1).isEmpty());

    ProductListBatch empty(folder.path("header-only.csv"), TextEncoding::Auto, 1, kStandardStock);
    EXPECT_EQ(empty.listResult().code, ResultCode::ListEmpty);
    EXPECT_EQ(empty.sheetCount(), 0);

    ProductListBatch cp932(folder.path("cp932.csv"), TextEncoding::Auto, 1, kStandardStock);
    EXPECT_TRUE(cp932.listResult().ok());
    EXPECT_EQ(cp932.firstSheet().label(1).maker, "メーカー");

    // Every row is unreadable: said so, with the rows, before any printer.
    ProductListBatch unreadable(folder.path("unreadable.csv"), TextEncoding::Auto, 1,
                                kStandardStock);
    EXPECT_EQ(unreadable.listResult().code, ResultCode::ListUnreadable);
    ASSERT_EQ(unreadable.problems().size(), 2u);
    EXPECT_EQ(unreadable.problems()[0].code, ResultCode::RowQuoteNotClosed);
    EXPECT_EQ(unreadable.problems()[1].code, ResultCode::RowNotDecodable);
    EXPECT_EQ(unreadable.problems()[1].line, 2);

    // The rows that will be reported are known before printing starts.
    ProductListBatch some(folder.path("some-problems.csv"), TextEncoding::Auto, 1, kStandardStock);
    EXPECT_TRUE(some.listResult().ok());
    EXPECT_EQ(some.productCount(), 2);
    ASSERT_EQ(some.problems().size(), 2u);
    EXPECT_EQ(some.problems()[0].line, 2);
    EXPECT_EQ(some.problems()[1].code, ResultCode::RowWithoutBarcode);

    // A folder, a named pipe and an endless device are refused at once.
    ASSERT_EQ(::mkfifo(folder.path("fifo").c_str(), 0600), 0);
    for (const std::string& special :
         {folder.dir().string(), folder.path("fifo"), std::string("/dev/zero")}) {
        ProductListBatch refused(special, TextEncoding::Auto, 1, kStandardStock);
        EXPECT_EQ(refused.listResult().code, ResultCode::ListNotOpened) << special;
        EXPECT_FALSE(refused.listResult().detail.empty()) << special;
    }

    ProductListBatch list(folder.path("list.csv"), TextEncoding::Auto, 9, kStandardStock);
    EXPECT_EQ(list.sheetCount(), 2);
    LabelSheet first = list.firstSheet();
    EXPECT_TRUE(first.label(8).isEmpty());
    EXPECT_EQ(first.label(9).productName, "商品1");
    EXPECT_EQ(first.label(10).productName, "商品2");
    list.setStartPosition(1);  // no second reading of the list needed
    EXPECT_EQ(list.sheetCount(), 1);
    EXPECT_EQ(list.firstSheet().label(3).productName, "商品3");
}

}  // namespace
