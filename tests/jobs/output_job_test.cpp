// The output job on jobs that fail where they are told to: a PDF reaches its
// path whole or not at all (an old file stays byte for byte, no temporary
// file is left), and a printer's document goes through the same steps without
// a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "jobs/OutputJob.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kOldPdf = "%PDF-1.4\nthe old sheet\n%%EOF\n";
constexpr const char* kNewPdf = "%PDF-1.4\nthe new sheet\n%%EOF\n";

// What can go wrong, one at a time.
enum class Fault {
    None,
    JobNotStarted,  // the factory cannot open the file or the printer
    PageNotDrawn,   // the surface fails while the page is drawn
    NotFinished,    // the document cannot be ended
    PdfCutShort,    // the writer stops before the PDF's end, reporting nothing
    FolderRemoved,  // the output's folder is deleted while the job writes
};

// A job that writes its PDF by name when the document ends, as Qt's PDF
// engine does, and removes it when abandoned.
class FileWritingJob : public PrintJob {
  public:
    FileWritingJob(std::string path, Fault fault) : path_(std::move(path)), fault_(fault) {
        if (fault_ == Fault::PageNotDrawn)
            page_.failAfterCalls = 1;
    }
    DrawingSurface& page() override { return page_; }
    Result newPage() override { return {}; }
    Result finish() override {
        if (fault_ == Fault::NotFinished)
            return Result::failure(ResultCode::PrintNotFinished).withPath(path_);
        if (fault_ == Fault::FolderRemoved) {
            std::filesystem::remove_all(std::filesystem::path(path_).parent_path());
            return Result::failure(ResultCode::PdfNotWritten).withPath(path_);
        }
        if (!path_.empty()) {
            std::ofstream out(path_, std::ios::binary | std::ios::trunc);
            const std::string pdf = kNewPdf;
            out << (fault_ == Fault::PdfCutShort ? pdf.substr(0, 12) : pdf);
        }
        return {};
    }
    void abort() override {
        aborted = true;
        // As Qt's job does: the file stays while another handle holds it
        // (on Windows), and the writer removes it then.
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove(path_, ignored);
    }
    bool aborted = false;

  private:
    std::string path_;
    Fault fault_;
    RecordingSurface page_;
};

class FaultyFactory : public PrintJobFactory {
  public:
    explicit FaultyFactory(Fault fault) : fault_(fault) {}
    PrintJobStart pdfJob(const std::string& path, int dotsPerInch, const PaperSize&) override {
        pdfPaths.push_back(path);
        this->dotsPerInch = dotsPerInch;
        return start(path);
    }
    PrintJobStart printerJob(const std::string& printerName, const PaperSize&, int) override {
        printers.push_back(printerName);
        return start("");
    }
    std::vector<std::string> pdfPaths;
    std::vector<std::string> printers;
    int dotsPerInch = 0;

  private:
    PrintJobStart start(const std::string& path) {
        if (fault_ == Fault::JobNotStarted)
            return {nullptr, Result::failure(ResultCode::PrinterNotOpened).withPath(path)};
        return {std::make_unique<FileWritingJob>(path, fault_), Result{}};
    }
    Fault fault_;
};

void drawSomething(DrawingSurface& page) {
    page.drawLine(0, 0, 10, 10, 0);
}

TEST(OutputJob, APdfIsPutInPlaceWholeOrNotAtAll) {
    const struct Case {
        const char* what;
        Fault fault;
        ResultCode code;
        bool namesTarget;    // the failure names the PDF the user asked for
        const char* reason;  // the system's reason it gives
    } cases[] = {
        {"all well", Fault::None, ResultCode::Ok, false, ""},
        // Qt's engine fails only for its file, and says no more.
        {"job not started", Fault::JobNotStarted, ResultCode::WriteFailed, true,
         "Input/output error"},
        {"page not drawn", Fault::PageNotDrawn, ResultCode::PageNotDrawn, false, ""},
        {"document not ended", Fault::NotFinished, ResultCode::WriteFailed, true,
         "Input/output error"},
        {"PDF cut short", Fault::PdfCutShort, ResultCode::Incomplete, true, "Input/output error"},
#ifndef _WIN32  // Windows keeps a folder while a file in it is open
        {"folder removed", Fault::FolderRemoved, ResultCode::WriteFailed, true,
         "No such file or directory"},
#endif
    };
    for (const Case& c : cases) {
        TempFolder folder{"tanahuda-output"};
        folder.put("sheet.pdf", kOldPdf);
        FaultyFactory factory(c.fault);
        Result result;
        {
            OutputJob output;
            const Result opened = output.open(
                OutputTarget::pdf(folder.path("sheet.pdf"), {folder.path("in.txt")}, 300), factory);
            result = opened.ok() ? output.printPage(drawSomething) : opened;
        }
        EXPECT_EQ(result.code, c.code) << c.what;
        // A temporary file in the target's own folder, never the target itself.
        ASSERT_EQ(factory.pdfPaths.size(), 1u) << c.what;
        EXPECT_EQ(std::filesystem::path(factory.pdfPaths[0]).parent_path(), folder.dir()) << c.what;
        EXPECT_NE(factory.pdfPaths[0], folder.path("sheet.pdf")) << c.what;
        EXPECT_EQ(factory.dotsPerInch, 300) << c.what;
        // The temporary file is no name the user knows: a failure names the
        // target, or nothing.
        EXPECT_EQ(result.path, c.namesTarget ? folder.path("sheet.pdf") : "") << c.what;
        EXPECT_EQ(result.detail, c.reason) << c.what;
        if (c.fault == Fault::FolderRemoved) {
            EXPECT_FALSE(std::filesystem::exists(folder.dir())) << c.what;
            continue;
        }
        EXPECT_EQ(folder.get("sheet.pdf"), c.code == ResultCode::Ok ? kNewPdf : kOldPdf) << c.what;
        EXPECT_EQ(folder.entries(), std::set<std::string>{"sheet.pdf"}) << c.what;
    }
}

TEST(OutputJob, ATargetThatCannotBeWrittenIsRefusedBeforeAnyJob) {
    TempFolder folder{"tanahuda-output"};
    folder.put("list.csv", "4901234567894,商品,100\n");
    std::filesystem::create_directory(folder.dir() / "folder.pdf");
    const struct Case {
        const char* what;
        std::string target;
        ResultCode code;
    } cases[] = {
        {"a folder", folder.path("folder.pdf"), ResultCode::IsFolder},
        {"an input", folder.path("list.csv"), ResultCode::SameAsInput},
        // Found before anything is drawn, not at the rename at the end.
        {"a name too long", folder.path(std::string(300, 'a') + ".pdf"), ResultCode::WriteFailed},
        {"a file as folder", folder.path("list.csv") + "/sheet.pdf", ResultCode::WriteFailed},
        {"no such folder", folder.path("gone") + "/sheet.pdf", ResultCode::WriteFailed},
    };
    for (const Case& c : cases) {
        FaultyFactory factory(Fault::None);
        OutputJob output;
        const Result opened =
            output.open(OutputTarget::pdf(c.target, {folder.path("list.csv")}, 600), factory);
        EXPECT_EQ(opened.code, c.code) << c.what;
        EXPECT_EQ(opened.path, c.target) << c.what;
        EXPECT_TRUE(factory.pdfPaths.empty()) << c.what;
    }
    EXPECT_EQ(folder.get("list.csv"), "4901234567894,商品,100\n");
}

TEST(OutputJob, APrinterDocumentGoesThroughTheSameStepsWithoutAFile) {
    const struct Case {
        const char* what;
        Fault fault;
        ResultCode code;
    } cases[] = {
        {"all well", Fault::None, ResultCode::Ok},
        {"printer not opened", Fault::JobNotStarted, ResultCode::PrinterNotOpened},
        {"page not drawn", Fault::PageNotDrawn, ResultCode::PageNotDrawn},
        {"document not ended", Fault::NotFinished, ResultCode::PrintNotFinished},
    };
    for (const Case& c : cases) {
        FaultyFactory factory(c.fault);
        OutputJob output;
        const Result opened = output.open(OutputTarget::printer("事務所"), factory);
        const Result result = opened.ok() ? output.printPage(drawSomething) : opened;
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_EQ(factory.printers, std::vector<std::string>{"事務所"}) << c.what;
        EXPECT_TRUE(factory.pdfPaths.empty()) << c.what;
    }
}

// A batch draws many pages on the job itself and ends it; the output job
// then puts the PDF in place, or leaves the old one when the job was abandoned.
TEST(OutputJob, ADocumentDrawnByItsCallerIsCommittedOnlyWhenEnded) {
    for (const bool ended : {true, false}) {
        TempFolder folder{"tanahuda-output"};
        folder.put("batch.pdf", kOldPdf);
        FaultyFactory factory(Fault::None);
        {
            OutputJob output;
            ASSERT_TRUE(
                output.open(OutputTarget::pdf(folder.path("batch.pdf"), {}, 600), factory).ok());
            drawSomething(output.job().page());
            ASSERT_TRUE(output.job().newPage().ok());
            if (ended) {
                ASSERT_TRUE(output.job().finish().ok());
                EXPECT_TRUE(output.commit().ok());
            } else {
                output.job().abort();
            }
        }
        EXPECT_EQ(folder.get("batch.pdf"), ended ? kNewPdf : kOldPdf) << ended;
        EXPECT_EQ(folder.entries(), std::set<std::string>{"batch.pdf"}) << ended;
    }
}

}  // namespace
