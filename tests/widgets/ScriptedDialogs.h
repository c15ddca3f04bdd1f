#pragma once

// Dialogs for widget tests: questions answered from a script, every request
// counted, and the printer dialog handing out whatever job the test makes.

#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/logic/EditorDialogs.h"
#include "editor/logic/StockChooser.h"

class ScriptedDialogs : public EditorDialogs {
  public:
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;  // No when the script has run out
    int openRequests = 0;
    int saveRequests = 0;
    int printerRequests = 0;
    int colorRequests = 0;
    int batchRequests = 0;
    std::optional<std::string> openChoice;   // the open dialog's answer
    std::optional<BatchChoice> batchChoice;  // the batch print dialog's answer
    std::optional<Color> color;              // the colour dialog's answer
    // Makes the job of the printer dialog; nothing means cancelled.
    std::function<PrintJobStart()> makeJob;

    MessageAnswer showMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (request.buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest&) override {
        ++openRequests;
        return openChoice;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override {
        ++saveRequests;
        return std::nullopt;
    }
    std::optional<Color> chooseColor() override {
        ++colorRequests;
        return color;
    }
    std::optional<FontChoice> chooseFont(const ElementFont&) override { return std::nullopt; }
    // A choice without a mapping takes the columns as the dialog shows them.
    std::optional<BatchChoice> chooseBatchOptions(const std::string& listPath,
                                                  const LayoutSettings&,
                                                  const RememberedMappings& remembered) override {
        ++batchRequests;
        std::optional<BatchChoice> choice = batchChoice;
        if (choice && !choice->mapping) {
            std::ifstream in(listPath, std::ios::binary);
            choice->mapping = startingMapping(listMapping(in, choice->encoding), remembered);
        }
        return choice;
    }
    // The stock dialog: `stockScript` acts in it, or it is cancelled.
    std::function<std::optional<LabelStock>(StockChooser&)> stockScript;
    int stockRequests = 0;
    std::optional<LabelStock> chooseStock(StockChooser& chooser) override {
        ++stockRequests;
        return stockScript ? stockScript(chooser) : std::nullopt;
    }

    // The product search: what the user types before Enter (the first
    // product found is chosen); nothing closes it without a product.
    std::optional<std::string> productQuery;
    int productSearchRequests = 0;
    std::optional<std::size_t> chooseMasterProduct(const ProductMaster& master) override {
        ++productSearchRequests;
        if (!productQuery)
            return std::nullopt;
        const ProductMaster::Matches found = master.search(*productQuery, 1);
        if (found.products.empty())
            return std::nullopt;
        return found.products.front();
    }
    PrintJobStart choosePrinter(PrintCopies, const PaperSize&) override {
        ++printerRequests;
        return makeJob ? makeJob() : PrintJobStart{};
    }
};
