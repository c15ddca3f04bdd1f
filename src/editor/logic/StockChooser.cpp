#include "editor/logic/StockChooser.h"

#include <algorithm>
#include <utility>

#include "editor/logic/StockMessages.h"
#include "files/UserStockFile.h"
#include "jobs/ResultText.h"
#include "model/PaperSizes.h"
#include "model/StockCheck.h"
#include "model/StockPresets.h"

namespace {

// The papers the dialog offers templates of: those the shops here buy.
constexpr const char* kTemplatePapers[] = {"A4", "Letter"};

bool offeredPaper(const PaperSize& paper) {
    const std::optional<std::string> name = paperName(paper);
    return name && std::find(std::begin(kTemplatePapers), std::end(kTemplatePapers), *name) !=
                       std::end(kTemplatePapers);
}

// The templates this program can print on, as entries; the rest are counted.
std::vector<StockEntry> usableTemplates(const LabelTemplates& templates, StockOrigin origin,
                                        int& skipped) {
    std::vector<StockEntry> entries;
    skipped = templates.skipped;
    for (const TemplateStock& t : templates.stocks) {
        if (offeredPaper(t.stock.paper) && checkStock(t.stock).ok())
            entries.push_back({origin, {t.name, t.stock}});
        else
            ++skipped;
    }
    return entries;
}

const std::vector<FileFilter> kTemplateFilters = {
    {"ラベルのテンプレート (*.xml *.template)", "*.xml *.template"},
    {"すべてのファイル (*.*)", "*.*"},
};
const std::vector<FileFilter> kStockFileFilters = {
    {"棚札の用紙 (*.csv)", "*.csv"},
    {"すべてのファイル (*.*)", "*.*"},
};

}  // namespace

StockChooser::StockChooser(const LabelStock& current, EditorDialogs& dialogs,
                           std::string userStockPath, TemplateSources templates)
    : dialogs_(dialogs),
      userStockPath_(std::move(userStockPath)),
      templates_(std::move(templates)),
      form_(current) {
    if (templates_.installed)
        installed_ =
            usableTemplates(templates_.installed(), StockOrigin::Installed, skippedInstalled_);
    listUserStocks();
}

std::string StockChooser::templateNote() const {
    return messages::installedTemplatesNote(static_cast<int>(installed_.size()), skippedInstalled_);
}

void StockChooser::listUserStocks() {
    // A missing file is no stock yet; a damaged line was said when it was
    // imported, and the lines that can be read are listed.
    userStocks_ = readUserStocks(userStockPath_).stocks;
    listEntries();
}

void StockChooser::listEntries() {
    entries_.clear();
    for (const NamedStock& preset : stockPresets())
        entries_.push_back({StockOrigin::Preset, preset});
    for (const NamedStock& own : userStocks_)
        entries_.push_back({StockOrigin::User, own});
    entries_.insert(entries_.end(), fromFiles_.begin(), fromFiles_.end());
    entries_.insert(entries_.end(), installed_.begin(), installed_.end());
}

void StockChooser::pick(std::size_t index) {
    if (index < entries_.size())
        form_ = entries_[index].stock.stock;
}

std::optional<std::size_t> StockChooser::pickedEntry() const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].stock.stock == form_)
            return i;
    }
    return std::nullopt;
}

std::string StockChooser::problem() const {
    const Result check = checkStock(form_);
    return check.ok() ? std::string() : resulttext::stockProblem(check);
}

bool StockChooser::keepUserStocks(const std::vector<NamedStock>& stocks) {
    if (const Result written = writeUserStocks(userStockPath_, stocks); !written.ok()) {
        dialogs_.showMessage(messages::userStocksNotWritten(userStockPath_, written));
        return false;
    }
    userStocks_ = stocks;
    listEntries();
    return true;
}

bool StockChooser::saveUserStock(const std::string& name) {
    if (const Result check = checkStock(form_); !check.ok()) {
        dialogs_.showMessage(messages::stockRefused(check, true));
        return false;
    }
    if (name.find_first_not_of(" \t") == std::string::npos) {
        dialogs_.showMessage(messages::stockNameMissing());
        return false;
    }
    std::vector<NamedStock> stocks = userStocks_;
    const auto same = std::find_if(stocks.begin(), stocks.end(),
                                   [&](const NamedStock& s) { return s.name == name; });
    if (same != stocks.end())
        same->stock = form_;
    else
        stocks.push_back({name, form_});
    return keepUserStocks(stocks);
}

void StockChooser::exportUserStocks() {
    const std::optional<std::string> path =
        dialogs_.chooseSaveFile({kStockFileFilters, "棚札用紙.csv"});
    if (!path)
        return;
    if (const Result written = writeUserStocks(*path, userStocks_); !written.ok())
        dialogs_.showMessage(messages::userStocksNotWritten(*path, written));
}

void StockChooser::importUserStocks() {
    const std::optional<std::string> path = dialogs_.chooseOpenFile({kStockFileFilters, "*.csv"});
    if (!path)
        return;
    const UserStocksRead read = readUserStocks(*path);
    if (read.stocks.empty()) {
        dialogs_.showMessage(messages::userStocksNotRead(
            read.failure.ok() ? Result::failure(ResultCode::NotLabelFile).withPath(*path)
                              : read.failure));
        return;
    }
    std::vector<NamedStock> stocks = userStocks_;
    for (const NamedStock& incoming : read.stocks) {
        const auto same = std::find_if(stocks.begin(), stocks.end(), [&](const NamedStock& s) {
            return s.name == incoming.name;
        });
        if (same != stocks.end())
            *same = incoming;
        else
            stocks.push_back(incoming);
    }
    if (keepUserStocks(stocks))
        dialogs_.showMessage(
            messages::userStocksImported(static_cast<int>(read.stocks.size()), read.failure));
}

void StockChooser::openTemplateFile() {
    if (!templates_.readFile)
        return;
    const std::optional<std::string> path = dialogs_.chooseOpenFile({kTemplateFilters, "*.xml"});
    if (!path)
        return;
    LabelTemplates read;
    if (const Result result = templates_.readFile(*path, read); !result.ok()) {
        dialogs_.showMessage(messages::templateFileNotRead(result));
        return;
    }
    int skipped = 0;
    std::vector<StockEntry> usable = usableTemplates(read, StockOrigin::TemplateFile, skipped);
    if (usable.empty()) {
        dialogs_.showMessage(messages::templateFileUnusable(*path, skipped));
        return;
    }
    form_ = usable.front().stock.stock;
    fromFiles_.insert(fromFiles_.end(), usable.begin(), usable.end());
    listEntries();
}

std::optional<LabelStock> StockChooser::accept() {
    if (const Result check = checkStock(form_); !check.ok()) {
        dialogs_.showMessage(messages::stockRefused(check, false));
        return std::nullopt;
    }
    return form_;
}
