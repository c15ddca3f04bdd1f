#pragma once

// Modal dialogs answered from scripts the test fills in beforehand. Every
// request is recorded; a question without a scripted answer fails the test.

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/logic/EditorDialogs.h"
#include "editor/logic/StockChooser.h"
#include "support/RecordingJob.h"

class FakeEditorDialogs : public EditorDialogs {
  public:
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;

    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::deque<std::optional<std::string>> openChoices, saveChoices;

    int colorRequests = 0;
    std::deque<std::optional<Color>> colors;

    std::vector<ElementFont> fontRequests;
    std::deque<std::optional<FontChoice>> fonts;

    // The printer dialog: cancelled, a printer that cannot be opened, or a job.
    enum class Printer { Cancel, CannotOpen, Job };
    Printer printer = Printer::Job;
    Result printerFailure =
        Result::failure(ResultCode::PrinterNotOpened).withPrinter("事務所のプリンター");
    int printerRequests = 0;
    std::vector<PrintCopies> copiesAsked;  // what each printer dialog offered
    std::vector<PaperSize> papersAsked;    // the paper each printer dialog started on
    std::shared_ptr<PrintRecord> printRecord = std::make_shared<PrintRecord>();

    MessageAnswer showMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (request.buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << request.text;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openChoices, "open dialog");
    }
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveChoices, "save dialog");
    }
    std::optional<Color> chooseColor() override {
        ++colorRequests;
        return next(colors, "colour dialog");
    }
    std::optional<FontChoice> chooseFont(const ElementFont& current) override {
        fontRequests.push_back(current);
        return next(fonts, "font dialog");
    }
    PrintJobStart choosePrinter(PrintCopies copies, const PaperSize& paper) override {
        papersAsked.push_back(paper);
        ++printerRequests;
        copiesAsked.push_back(copies);
        switch (printer) {
            case Printer::Cancel:
                return {};
            case Printer::CannotOpen:
                return {nullptr, printerFailure};
            case Printer::Job:
                break;
        }
        printRecord->page.twipsX = printRecord->page.twipsY = 2.4;  // 600 dpi
        return {std::make_unique<FakePrintJob>(printRecord), Result{}};
    }

    std::vector<std::string> batchRequests;  // the lists the batch dialog was shown
    // Each answer of the batch dialog; one without a mapping takes the columns
    // as the dialog shows them (startingMapping), as the real one does.
    std::deque<std::optional<BatchChoice>> batchChoices;
    std::vector<RememberedMappings> rememberedShown;  // what each dialog was given
    std::optional<BatchChoice> chooseBatchOptions(const std::string& listPath,
                                                  const LayoutSettings&,
                                                  const RememberedMappings& remembered) override {
        batchRequests.push_back(listPath);
        rememberedShown.push_back(remembered);
        std::optional<BatchChoice> choice = next(batchChoices, "batch print dialog");
        if (choice && !choice->mapping)
            choice->mapping = mappingShown(listPath, choice->encoding, remembered);
        return choice;
    }
    static ColumnMapping mappingShown(const std::string& listPath, TextEncoding encoding,
                                      const RememberedMappings& remembered) {
        std::ifstream in(listPath, std::ios::binary);
        return startingMapping(listMapping(in, encoding), remembered);
    }

    // The stock dialog: what the user does in it, then OK (the chooser's
    // accept()) or, without a script, nothing chosen.
    int stockRequests = 0;
    std::deque<std::function<std::optional<LabelStock>(StockChooser&)>> stockScripts;
    std::optional<LabelStock> chooseStock(StockChooser& chooser) override {
        ++stockRequests;
        if (stockScripts.empty()) {
            ADD_FAILURE() << "unexpected stock dialog";
            return std::nullopt;
        }
        auto script = std::move(stockScripts.front());
        stockScripts.pop_front();
        return script(chooser);
    }

    // The product search: each answer is what the user types before Enter
    // (the first product found is chosen), or nothing for a search closed
    // without a product.
    std::deque<std::optional<std::string>> productSearches;
    int productSearchRequests = 0;
    std::optional<std::size_t> chooseMasterProduct(const ProductMaster& master) override {
        ++productSearchRequests;
        const std::optional<std::string> typed = next(productSearches, "product search");
        if (!typed)
            return std::nullopt;
        const ProductMaster::Matches found = master.search(*typed, 1);
        if (found.products.empty())
            return std::nullopt;
        return found.products.front();
    }

    std::vector<std::string> inStoreSuggestions;  // what each start dialog offered
    std::deque<std::optional<std::string>> inStoreStarts;
    std::optional<std::string> askInStoreStart(const std::string& suggested) override {
        inStoreSuggestions.push_back(suggested);
        return next(inStoreStarts, "in-store start dialog");
    }

  private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& script, const char* what) {
        if (script.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return std::nullopt;
        }
        std::optional<T> value = script.front();
        script.pop_front();
        return value;
    }
};
