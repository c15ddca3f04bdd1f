#pragma once

#include <QString>

#include "editor/logic/EditorDialogs.h"

class QPrinter;
class QWidget;

// The input window's dialogs over Qt: QMessageBox, QFileDialog, QColorDialog,
// QFontDialog, QPrintDialog (the set-up form: printer and paper only) and the
// batch print dialog, all modal on `parent`.
class QtEditorDialogs : public EditorDialogs {
  public:
    explicit QtEditorDialogs(QWidget* parent);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<Color> chooseColor() override;
    std::optional<FontChoice> chooseFont(const ElementFont& current) override;
    PrintJobStart choosePrinter(PrintCopies copies, const PaperSize& paper) override;
    std::optional<BatchChoice> chooseBatchOptions(const std::string& listPath,
                                                  const LayoutSettings& layout,
                                                  const RememberedMappings& remembered) override;
    std::optional<LabelStock> chooseStock(StockChooser& chooser) override;
    std::optional<std::size_t> chooseMasterProduct(const ProductMaster& master) override;
    std::optional<std::string> askInStoreStart(const std::string& suggested) override;

    // The title of a message box for which none is given.
    static QString applicationTitle();

    // The printer set-up dialog (printer and paper; the number of copies too
    // when `copies` is Chosen, else one copy) on the default printer, or a
    // PDF file when there is none, on `paper`. Nothing when cancelled.
    static std::unique_ptr<QPrinter> setUpPrinter(QWidget* parent,
                                                  PrintCopies copies = PrintCopies::One,
                                                  const PaperSize& paper = kStandardStock.paper);

  private:
    QWidget* parent_;
};
