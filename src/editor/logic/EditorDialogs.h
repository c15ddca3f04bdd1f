#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/ProductList.h"
#include "files/ProductMaster.h"
#include "files/RememberedMappings.h"
#include "model/LayoutSettings.h"
#include "render/PrintJob.h"

enum class MessageIcon { None, Critical, Question, Information, Warning };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    std::string text;
    std::string title;  // empty: the application's title
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    bool operator==(const MessageRequest&) const = default;
};

struct FileFilter {
    std::string description;  // "テキスト ファイル (*.csv)"
    std::string pattern;      // "*.csv"
    bool operator==(const FileFilter&) const = default;
};

struct FileDialogRequest {
    std::vector<FileFilter> filters;
    std::string fileName;  // the file-name box: "*.csv" until a file has been chosen
};

// How a product list is to be printed, as the batch print dialog asks it.
struct BatchChoice {
    int startPosition = 1;  // the first sheet's first label (from 1)
    TextEncoding encoding = TextEncoding::Auto;
    // The price mode and rounding for this list; nothing: the pattern's own.
    std::optional<PricePattern> pricing;
    // The list's columns as chosen; nothing: as its header row says.
    std::optional<ColumnMapping> mapping;
};

// What the printer set-up dialog asks besides printer and paper: a sheet is
// printed in the number of copies (部数) chosen there, made by the spooler;
// the calibration page and a batch are printed once.
enum class PrintCopies { One, Chosen };

class StockChooser;

struct FontChoice {
    std::string name;
    double size = 0.0;  // points, may be fractional
    bool bold = false;
    bool italic = false;
};

// The modal dialogs of the input window.
class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    // The chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
    // The chosen full path, or nothing when cancelled. Asks nothing about an
    // existing file: the editor asks that itself.
    virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
    // The chosen colour (0x00BBGGRR), or nothing when cancelled.
    virtual std::optional<Color> chooseColor() = 0;
    // The chosen font, or nothing when cancelled. `current` is shown first.
    virtual std::optional<FontChoice> chooseFont(const ElementFont& current) = 0;
    // The printer set-up dialog (printer and paper, and with Chosen the
    // number of copies from 1 to 999), starting on `paper`, the pattern's
    // stock's. Returns the job ready to draw on, its
    // copies set on the printer, or none: cancelled (the result is Ok) or the
    // printer could not be opened (the result says why).
    virtual PrintJobStart choosePrinter(PrintCopies copies, const PaperSize& paper) = 0;
    // The batch print dialog for the list at `listPath`, picturing its first
    // sheet with `layout`, its columns as `remembered` holds them for its
    // header (startingMapping). The choice always holds the mapping shown.
    // Nothing when cancelled.
    virtual std::optional<BatchChoice> chooseBatchOptions(const std::string& listPath,
                                                          const LayoutSettings& layout,
                                                          const RememberedMappings& remembered) = 0;
    // The 用紙の設定 dialog over `chooser`: the stock chosen with OK (the
    // chooser's accept()), or nothing when cancelled.
    virtual std::optional<LabelStock> chooseStock(StockChooser& chooser) = 0;

    // The product search (商品検索) over `master`: products found by code or
    // any part of the name as the user types. The product chosen (its index
    // in the master), or nothing when closed without one.
    virtual std::optional<std::size_t> chooseMasterProduct(const ProductMaster& master) = 0;

    // The twelve digits the in-store codes start from, `suggested` shown
    // first. Nothing when cancelled.
    virtual std::optional<std::string> askInStoreStart(const std::string& /*suggested*/) {
        return std::nullopt;
    }
};
