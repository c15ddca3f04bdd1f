// The print job over a QPrinter writing a PDF: the page it offers, the end of
// the document, abandoning it, and a file that cannot be made.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "PlatformTestSupport.h"
#include "jobs/ResultText.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"
#include "support/PdfPrintTest.h"

namespace {

using PrintJobTest = PdfPrintTest;

TEST_F(PrintJobTest, PdfPageIsA4FromThePaperCornerInMillimetres) {
    std::unique_ptr<QPrinter> printer = makePdfPrinter(path("page.pdf"), 600, kStandardStock.paper);
    EXPECT_TRUE(printer->fullPage());
    EXPECT_EQ(printer->pageLayout().fullRect(QPageLayout::Point).size().toSize(), QSize(595, 842));
    JobStart<QtPrintJob> start = QtPrintJob::begin(std::move(printer));
    ASSERT_NE(start.job, nullptr) << resulttext::printFailure(start.result);
    std::unique_ptr<QtPrintJob>& job = start.job;
    DrawingSurface& page = job->page();
    EXPECT_TRUE(page.ok());
    EXPECT_EQ(page.unit(), SurfaceUnit::Millimetres);
    EXPECT_DOUBLE_EQ(page.twipsPerPixelX(), 2.4);
    EXPECT_DOUBLE_EQ(page.twipsPerPixelY(), 2.4);
    EXPECT_EQ(job->printer().width(), 4958);
    EXPECT_EQ(job->printer().height(), 7017);
    page.setFont(SurfaceFont{"ＭＳ 明朝", 12});
    page.drawText(20, 13.8, "4901234567894");
    ASSERT_TRUE(job->finish().ok());
    EXPECT_FALSE(page.ok());

    QFile pdf(path("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
    // A second end is refused.
    EXPECT_FALSE(job->finish().ok());
}

TEST_F(PrintJobTest, APdfChosenInTheDialogIsAlsoDrawnFromThePaperCorner) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path("dialog.pdf"));
    ASSERT_FALSE(printer->fullPage());
    JobStart<QtPrintJob> start = QtPrintJob::begin(std::move(printer));
    ASSERT_NE(start.job, nullptr) << resulttext::printFailure(start.result);
    std::unique_ptr<QtPrintJob>& job = start.job;
    EXPECT_TRUE(job->printer().fullPage());
    job->page().setFont(SurfaceFont{"ＭＳ 明朝", 12});
    job->page().drawText(20, 13.8, "4901234567894");
    ASSERT_TRUE(job->finish().ok());
    const ProcessResult text =
        runProcess(QStringLiteral("pdftotext"),
                   {QStringLiteral("-bbox"), path("dialog.pdf"), QStringLiteral("-")});
    // 20 mm = 56.69 pt, 13.8 mm = 39.12 pt from the paper's corner.
    EXPECT_NE(text.out.indexOf("xMin=\"56.69"), -1) << text.out.toStdString();
    EXPECT_NE(text.out.indexOf("yMin=\"39.11"), -1) << text.out.toStdString();
}

TEST_F(PrintJobTest, AbandonedJobsLeaveNoFile) {
    {
        std::unique_ptr<QtPrintJob> job =
            QtPrintJob::begin(makePdfPrinter(path("aborted.pdf"), 600, kStandardStock.paper)).job;
        ASSERT_NE(job, nullptr);
        job->page().fillRect(10, 10, 50, 50, 0);
        job->abort();
        EXPECT_FALSE(job->page().ok());
    }
    {
        std::unique_ptr<QtPrintJob> job =
            QtPrintJob::begin(makePdfPrinter(path("dropped.pdf"), 600, kStandardStock.paper)).job;
        ASSERT_NE(job, nullptr);
        job->page().fillRect(10, 10, 50, 50, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(path("aborted.pdf")));
    EXPECT_FALSE(QFileInfo::exists(path("dropped.pdf")));
}

TEST_F(PrintJobTest, AFileThatCannotBeMadeIsReportedInJapanese) {
    const QString target = path("missing/page.pdf");
    JobStart<QtPrintJob> start =
        QtPrintJob::begin(makePdfPrinter(target, 600, kStandardStock.paper));
    EXPECT_EQ(start.job, nullptr);
    const std::string error = resulttext::printFailure(start.result);
    EXPECT_EQ(error, "PDF ファイル「" + target.toStdString() + "」に印刷を始められません");
    start = QtPrintJob::begin(nullptr);
    EXPECT_EQ(start.job, nullptr);
    EXPECT_EQ(resulttext::printFailure(start.result), "プリンターがありません");
}

TEST_F(PrintJobTest, AnUnknownPrinterIsNotFound) {
    ensureGuiApplication();
    const SystemPrinter none =
        makeSystemPrinter(QStringLiteral("NoSuchPrinter"), kStandardStock.paper);
    EXPECT_EQ(none.printer, nullptr);
    const std::string error = resulttext::printFailure(none.result);
    EXPECT_EQ(error.rfind("プリンターが見つかりません: NoSuchPrinter", 0), 0u) << error;
    EXPECT_FALSE(QPrinterInfo::availablePrinterNames().contains(QStringLiteral("NoSuchPrinter")));
}

}  // namespace
