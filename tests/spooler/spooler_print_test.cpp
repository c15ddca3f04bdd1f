// Printing through a real print spooler (a private cupsd): tanahuda-print
// --printer for a label file and a product list, the pages read back from what
// the spooler's filters produced (barcodes decoded, label positions measured
// on a queue without and one with unprintable margins), and the queues a user
// meets when something is wrong: stopped, refusing, removed, no spooler.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "PrivateSpooler.h"
#include "barcode/JanCode.h"
#include "platform/LabelFileFixture.h"
#include "platform/PageSetup.h"
#include "platform/PrinterQueue.h"
#include "support/PageInk.h"
#include "support/PdfPrintTest.h"

namespace {

constexpr int kDpi = 300;
const QString kPlain = QStringLiteral("Plain");
const QString kEdged = QStringLiteral("Edged");

// A valid EAN-13 code for product `i`, or an EAN-8 code for every fourth.
std::string codeFor(int i) {
    std::string data = i % 4 == 3 ? "4" + std::to_string(100000 + i * 37).substr(0, 6)
                                  : std::to_string(i % 10) + std::to_string(10000000000 + i * 7919);
    return data + checkJanCode(data + "0").checkDigit;
}

std::set<std::string> decodeAll(const QImage& page, const QString& scratch) {
    std::set<std::string> codes;
    const std::string out = decode(page, scratch);
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        const std::string line = out.substr(start, end - start);
        if (!line.empty()) {
            codes.insert(line);
        }
        start = end == std::string::npos ? out.size() : end + 1;
    }
    return codes;
}

class SpoolerPrintTest : public PdfPrintTest {
  protected:
    static void SetUpTestSuite() {
        spooler_ = new PrivateSpooler();
        if (spooler_->running()) {
            spooler_->addQueue(kPlain);
            spooler_->addQueue(kEdged, PrivateSpooler::kMarginPoints);
        }
    }
    static void TearDownTestSuite() {
        delete spooler_;
        spooler_ = nullptr;
    }
    void SetUp() override {
        PdfPrintTest::SetUp();
        if (!PrivateSpooler::possibleHere()) {
            GTEST_SKIP() << "a print spooler of the test's own needs root";
        }
        ASSERT_TRUE(spooler_->running() || spoolerStopped_) << "the private spooler did not start";
    }
    // A full sheet with the border drawn: its top bar starts 3 mm right of
    // and 2 mm below each label's corner, left of and above everything else.
    QString fullSheet() {
        LabelSheet sheet;
        for (int k = 1; k <= 10; ++k) {
            sheet.label(k).janCode = codeFor(k);
            sheet.label(k).productName = "商品" + std::to_string(k);
            sheet.label(k).price = "198";
        }
        LayoutSettings layout = initialLayoutSettings();
        layout.borderOn = true;
        const QString file = path("sheet.csv");
        writeLabels(file.toStdString(), sheet, layout);
        return file;
    }

    static PrivateSpooler* spooler_;
    static bool spoolerStopped_;
};

PrivateSpooler* SpoolerPrintTest::spooler_ = nullptr;
bool SpoolerPrintTest::spoolerStopped_ = false;

TEST_F(SpoolerPrintTest, ALabelFileIsPrintedFromThePrintableCornerOfEachQueue) {
    const QString sheet = fullSheet();
    const double margin = PrivateSpooler::kMarginPoints * 25.4 / 72.0;
    const struct {
        QString queue;
        double edge;  // mm of paper the printer cannot print on
    } queues[] = {{kPlain, 0.0}, {kEdged, margin}};
    std::set<std::string> expected;
    for (int k = 1; k <= 10; ++k) {
        expected.insert(codeFor(k));
    }
    for (const auto& q : queues) {
        const std::set<QString> before = spooler_->jobs();
        const ProcessResult run = runPrintTool({sheet, QStringLiteral("--printer"), q.queue});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty() && run.out.isEmpty()) << run.err.toStdString();
        EXPECT_EQ(spooler_->jobs().size(), before.size() + 1) << q.queue.toStdString();
        ASSERT_TRUE(spooler_->waitUntilIdle());

        const std::vector<QImage> pages = spooler_->pages(q.queue, kDpi);
        ASSERT_EQ(pages.size(), 1u) << q.queue.toStdString();
        EXPECT_EQ(decodeAll(pages[0], path("page.png")), expected) << q.queue.toStdString();
        // The layout is measured from the printer's origin, the corner of its
        // printable area: the first border bar at origin + (3, 2) mm + edge.
        const QPointF corner = PageInk(pages[0], kDpi).corner();
        EXPECT_NEAR(corner.x(), q.edge + kOriginX + 3.0, 0.15) << q.queue.toStdString();
        EXPECT_NEAR(corner.y(), q.edge + kOriginY + 2.0, 0.15) << q.queue.toStdString();
    }
}

// Copies are asked of the spooler with the job: one job of the page drawn
// once, whatever the count.
TEST_F(SpoolerPrintTest, CopiesGoToTheSpoolerWithTheOneJob) {
    const QString sheet = fullSheet();
    for (const int copies : {1, 3, 999}) {
        const std::set<QString> before = spooler_->jobs();
        QStringList args{sheet, QStringLiteral("--printer"), kPlain};
        if (copies > 1) {
            args << QStringLiteral("--copies") << QString::number(copies);
        }
        const ProcessResult run = runPrintTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const std::set<QString> after = spooler_->jobs();
        ASSERT_EQ(after.size(), before.size() + 1) << copies;
        std::vector<QString> added;
        std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                            std::back_inserter(added));
        ASSERT_EQ(added.size(), 1u);
        ASSERT_TRUE(spooler_->waitUntilIdle());
        EXPECT_EQ(spooler_->copiesOf(added.front()), copies) << added.front().toStdString();
    }
}

TEST_F(SpoolerPrintTest, TheCalibrationPageIsDrawnFromThePrintableCornerToo) {
    QFile pattern(path("data.txt"));
    ASSERT_TRUE(pattern.open(QIODevice::WriteOnly));
    pattern.write("\"印字位置調整\",\"3\",\"-2\",0,0,0,0,0,0,0\r\n");
    pattern.close();
    const ProcessResult run =
        runPrintTool({QStringLiteral("--calibration"), QStringLiteral("--layout"), path("data.txt"),
                      QStringLiteral("--printer"), kEdged});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(spooler_->waitUntilIdle());
    const std::vector<QImage> pages = spooler_->pages(kEdged, kDpi);
    ASSERT_EQ(pages.size(), 1u);
    const PageInk page(pages[0], kDpi);
    const double edge = PrivateSpooler::kMarginPoints * 25.4 / 72.0;
    const double ox = edge + 15.0, oy = edge + 5.8;
    EXPECT_NEAR(page.leftmost(oy + 30, oy + 50), ox, 0.15);
    EXPECT_NEAR(page.topmost(ox + 45, ox + 85), oy, 0.15);
}

TEST_F(SpoolerPrintTest, ABatchOfTwentyFiveProductsIsOneJobOfThreePages) {
    std::string list = "JAN,品名,売価\n";
    std::set<std::string> expected;
    for (int i = 0; i < 25; ++i) {
        list += codeFor(i) + ",商品" + std::to_string(i + 1) + "," + std::to_string(100 + i) + "\n";
        expected.insert(codeFor(i));
    }
    QFile file(path("list.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(list.data(), static_cast<qint64>(list.size()));
    file.close();
    QFile(path("default.txt")).open(QIODevice::WriteOnly);

    const std::set<QString> before = spooler_->jobs();
    const ProcessResult run =
        runPrintTool({QStringLiteral("--products"), path("list.csv"), QStringLiteral("--layout"),
                      path("default.txt"), QStringLiteral("--printer"), kPlain});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(spooler_->jobs().size(), before.size() + 1);
    ASSERT_TRUE(spooler_->waitUntilIdle());
    const std::vector<QImage> pages = spooler_->pages(kPlain, kDpi);
    ASSERT_EQ(pages.size(), 3u);
    std::set<std::string> printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::set<std::string> codes = decodeAll(pages[p], path("page.png"));
        EXPECT_EQ(codes.size(), p < 2 ? 10u : 5u) << "page " << p + 1;
        printed.insert(codes.begin(), codes.end());
    }
    EXPECT_EQ(printed, expected);
}

struct QueueFault {
    const char* what;
    QStringList breakIt;  // the spooler command that breaks the queue
    QStringList mendIt;   // and the one that mends it
    QString queue;
    const char* message;
};

TEST_F(SpoolerPrintTest, AQueueThatWouldNotPrintIsReportedAndGetsNoJob) {
    const QString sheet = fullSheet();
    QFile list(path("list.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(codeFor(1).c_str());
    list.write(",りんご,100\n");
    list.close();
    const std::vector<QueueFault> faults = {
        {"stopped",
         {QStringLiteral("cupsdisable"), kPlain},
         {QStringLiteral("cupsenable"), kPlain},
         kPlain,
         "プリンターが停止しています: Plain「Paused」。再開してから印刷してください"},
        {"stopped with a reason",
         {QStringLiteral("cupsdisable"), QStringLiteral("-r"), QStringLiteral("用紙切れ"), kPlain},
         {QStringLiteral("cupsenable"), kPlain},
         kPlain,
         "プリンターが停止しています: Plain「用紙切れ」。再開してから印刷してください"},
        {"refusing jobs",
         {QStringLiteral("cupsreject"), kPlain},
         {QStringLiteral("cupsaccept"), kPlain},
         kPlain,
         "プリンターが印刷を受け付けていません: Plain「Rejecting Jobs」"},
        {"removed",
         {QStringLiteral("lpadmin"), QStringLiteral("-x"), kEdged},
         {},
         kEdged,
         "プリンターが見つかりません: Edged"},
    };
    for (const QueueFault& f : faults) {
        ASSERT_EQ(PrivateSpooler::command(f.breakIt.front(), f.breakIt.mid(1)).exitCode, 0)
            << f.what;
        const std::set<QString> before = spooler_->jobs();
        for (const QStringList& args : {QStringList{sheet, QStringLiteral("--printer"), f.queue},
                                        QStringList{QStringLiteral("--products"), path("list.csv"),
                                                    QStringLiteral("--printer"), f.queue}}) {
            const ProcessResult run = runPrintTool(args);
            EXPECT_EQ(run.exitCode, 1) << f.what;
            EXPECT_EQ(run.err.toStdString(), "tanahuda-print: " + std::string(f.message) + "\n")
                << f.what;
        }
        EXPECT_EQ(spooler_->jobs(), before) << f.what;
        if (!f.mendIt.isEmpty()) {
            PrivateSpooler::command(f.mendIt.front(), f.mendIt.mid(1));
        }
    }
    spooler_->addQueue(kEdged, PrivateSpooler::kMarginPoints);
}

TEST_F(SpoolerPrintTest, TheSpoolerAnswersForTheJobItself) {
    // A queue that starts refusing after the check: the hand-over itself is
    // refused, and says so.
    ASSERT_TRUE(checkPrinterQueue(kPlain.toStdString()).ok());
    const QString pdf = path("page.pdf");
    ASSERT_EQ(runPrintTool({fullSheet(), QStringLiteral("-o"), pdf}).exitCode, 0);
    PrivateSpooler::command(QStringLiteral("cupsreject"), {kPlain});
    const QueueAnswer refused =
        submitToPrinterQueue(kPlain.toStdString(), pdf.toStdString(), "test", {});
    PrivateSpooler::command(QStringLiteral("cupsaccept"), {kPlain});
    EXPECT_EQ(refused.problem, QueueProblem::NotAccepting);
    EXPECT_EQ(refused.jobId, 0);
    const QueueAnswer gone = submitToPrinterQueue("Gone", pdf.toStdString(), "test", {});
    EXPECT_EQ(gone.problem, QueueProblem::Missing);
    const QueueAnswer accepted =
        submitToPrinterQueue(kPlain.toStdString(), pdf.toStdString(), "test", {});
    EXPECT_TRUE(accepted.ok()) << accepted.detail;
    EXPECT_GT(accepted.jobId, 0);
    ASSERT_TRUE(spooler_->waitUntilIdle());
}

// Last: the spooler goes away.
TEST_F(SpoolerPrintTest, ZNoSpoolerRunningIsReportedAsSuch) {
    const QString sheet = fullSheet();
    spooler_->stop();
    spoolerStopped_ = true;
    const ProcessResult run = runPrintTool({sheet, QStringLiteral("--printer"), kPlain});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.err.toStdString(),
        "tanahuda-print: プリンターが見つかりません: Plain (印刷スプーラーが動いていません)\n");
    EXPECT_EQ(checkPrinterQueue(kPlain.toStdString()).problem, QueueProblem::SpoolerDown);
}

}  // namespace
