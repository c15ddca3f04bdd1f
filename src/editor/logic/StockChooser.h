#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "editor/logic/EditorDialogs.h"
#include "model/LabelStock.h"
#include "model/Result.h"
#include "platform/LabelTemplateReader.h"

// Where the label designer's templates come from. The window gives the
// installed database and the file reader; without them (headless) the dialog
// lists presets and the user's stocks only.
struct TemplateSources {
    std::function<LabelTemplates()> installed;
    std::function<Result(const std::string& path, LabelTemplates&)> readFile;
};

// Where a stock in the dialog's list comes from.
enum class StockOrigin { Preset, User, Installed, TemplateFile };

struct StockEntry {
    StockOrigin origin = StockOrigin::Preset;
    NamedStock stock;
};

// The 用紙の設定 dialog without its widgets: the stocks to pick from, the
// stock being entered, its check, and the user's own stocks kept, exported
// and imported. The dialog shows `entries()` and `form()`, and calls these
// as the user acts; every message goes through the dialogs.
class StockChooser {
  public:
    // `current`: the stock the window prints on; `userStockPath`: the user's
    // stock file (beside the settings file).
    StockChooser(const LabelStock& current, EditorDialogs& dialogs, std::string userStockPath,
                 TemplateSources templates);

    const std::vector<StockEntry>& entries() const { return entries_; }
    // The installed templates that are not offered: not rectangular, not in
    // one grid, not on A4 or Letter, or not a stock this program can print.
    int skippedInstalledTemplates() const { return skippedInstalled_; }
    // What the dialog says under its list about the installed templates.
    std::string templateNote() const;

    // The stock being entered, as the form shows it.
    const LabelStock& form() const { return form_; }
    void setForm(const LabelStock& stock) { form_ = stock; }
    // Puts entry `index` into the form.
    void pick(std::size_t index);
    // The entry the form is, if any (the first in the list).
    std::optional<std::size_t> pickedEntry() const;
    // Why the form's stock cannot be printed on, naming the value; empty
    // when it can. Shown live under the picture.
    std::string problem() const;

    // Keeps the form as a stock of the user's own called `name` (one of that
    // name is replaced). Refused with a message for an impossible stock or an
    // empty name; nothing is saved then. True when saved.
    bool saveUserStock(const std::string& name);
    // The user's stocks into a file the user picks, or from one (stocks of
    // the same name replaced). Each tells what went wrong.
    void exportUserStocks();
    void importUserStocks();
    // A template file the user picks: its stocks join the list.
    void openTemplateFile();

    // The stock to print on, or nothing: the form cannot be printed on (the
    // user is told why) .
    std::optional<LabelStock> accept();

  private:
    void listEntries();
    void listUserStocks();
    bool keepUserStocks(const std::vector<NamedStock>& stocks);

    EditorDialogs& dialogs_;
    std::string userStockPath_;
    TemplateSources templates_;
    LabelStock form_;
    std::vector<NamedStock> userStocks_;
    std::vector<StockEntry> installed_;
    std::vector<StockEntry> fromFiles_;
    int skippedInstalled_ = 0;
    std::vector<StockEntry> entries_;
};
