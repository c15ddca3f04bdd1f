#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "editor/logic/EditorDialogs.h"
#include "files/ProductList.h"
#include "files/RememberedMappings.h"
#include "jobs/BatchPrint.h"
#include "model/LayoutSettings.h"

class ColumnMappingPanel;
class QComboBox;
class QPushButton;
class QLabel;
class QSpinBox;

// Asks how a product list is to be printed: the start position on the first
// sheet (1 to the stock's number of labels, to finish a half-used sheet) and, when it must be
// forced, the list's encoding, and how prices are shown (税込のみ or 本体＋税込, and the rounding),
// starting from the print pattern's. Shows how many products and sheets that gives, the rows that
// will not print as they stand, and a picture of the first sheet as it will print. The columns
// of the list are shown and chosen in a ColumnMappingPanel, starting from those remembered for
// its header; a list whose columns fill neither the JAN code nor the name is not printed.
class BatchPrintDialog : public QDialog {
    Q_OBJECT

  public:
    BatchPrintDialog(const QString& listPath, const LayoutSettings& layout,
                     const RememberedMappings& remembered = {}, QWidget* parent = nullptr);

    static constexpr const char* kObjectName = "一括印刷";

    int startPosition() const;
    TextEncoding encoding() const;
    // The print pattern with the price mode and rounding chosen here.
    const LayoutSettings& layout() const { return layout_; }
    long productCount() const;
    long sheetCount() const;
    // The columns the list is printed with.
    const ColumnMapping& mapping() const;
    ColumnMappingPanel* mappingPanel() const { return mappingPanel_; }
    // The picture of the first sheet as shown (the page at 96 dpi, full size).
    const QImage& firstSheetPicture() const { return picture_; }

  private:
    // Opens and counts the list (the whole list is read; when the encoding, the
    // pricing or the columns change). A list read anew (`mappingShown` unset)
    // starts on the columns remembered for its header.
    void countList();
    // The summary and the picture of the first sheet, for the start position.
    void refresh();
    // The first products of the list as they will print.
    std::vector<LabelRecord> firstRows();
    // The count of problem rows and the first of them, or empty.
    QString problemRowsText() const;

    QString listPath_;
    LayoutSettings layout_;
    RememberedMappings remembered_;
    std::optional<ColumnMapping> mappingShown_;
    ColumnMappingPanel* mappingPanel_;
    std::unique_ptr<ProductListBatch> batch_;
    QImage picture_;
    QSpinBox* start_;
    QComboBox* encoding_;
    QComboBox* priceMode_;
    QComboBox* rounding_;
    QLabel* summary_;
    QLabel* problems_;
    QLabel* preview_;
    QPushButton* printButton_;
};

// Prints the product list at `listPath` on `job` (begun on the printer chosen
// in the printer set-up dialog) with `layout`, with a progress dialog on
// `parent` for jobs over a second.
BatchOutcome printProductListFile(const std::string& listPath, const BatchChoice& choice,
                                  const LayoutSettings& layout, PrintJob& job, QWidget* parent);

// What the user is told afterwards: how much was printed and the rows to look
// at (printed without a barcode, not printed), or why the job failed.
QString batchOutcomeMessage(const BatchOutcome& outcome);
