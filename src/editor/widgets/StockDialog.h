#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "editor/logic/StockChooser.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QSpinBox;
class StockPicture;

// 用紙の設定: the stocks to pick from (presets, the user's own, the label
// designer's templates and template files), the stock's values to enter,
// a live picture of the sheet and what is wrong with it. Every decision is
// the chooser's; the dialog shows it and passes on what the user does.
class StockDialog : public QDialog {
    Q_OBJECT

  public:
    StockDialog(StockChooser& chooser, QWidget* parent = nullptr);

    static constexpr const char* kObjectName = "用紙の設定";

    // The stock chosen with OK.
    const std::optional<LabelStock>& chosen() const { return chosen_; }

  private:
    QWidget* buildList();
    QWidget* buildForm();
    QWidget* buildStockButtons();
    // The list from the chooser, the form's entry selected.
    void showEntries();
    // The form, the picture and the problem from the chooser's form.
    void showForm();
    // The chooser's form from the form's boxes.
    void formEdited();
    void saveUserStock();
    void finish();

    StockChooser& chooser_;
    std::optional<LabelStock> chosen_;
    QListWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QComboBox* paper_ = nullptr;
    std::array<QDoubleSpinBox*, 7> lengths_{};
    std::array<QSpinBox*, 2> counts_{};
    StockPicture* picture_ = nullptr;
    QLabel* problem_ = nullptr;
    bool showing_ = false;  // the boxes are being set from the chooser
};
