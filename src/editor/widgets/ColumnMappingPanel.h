#pragma once

#include <QGroupBox>
#include <vector>

#include "files/ColumnMapping.h"
#include "model/LabelSheet.h"

class QComboBox;
class QLabel;
class QTableWidget;

// 列の対応: the header a product list was read with and, for each part of a
// label, the column that fills it (a drop-down each, なし allowed), the
// meaning of the price column, and the first rows as they will print. A list
// without a header row is read in the label's field order, shown but not
// changed here.
class ColumnMappingPanel : public QGroupBox {
    Q_OBJECT

  public:
    explicit ColumnMappingPanel(QWidget* parent = nullptr);

    // How many rows are shown as they will print.
    static constexpr int kRowsShown = 5;

    // Shows `mapping` (a new list, or the same list read anew).
    void showMapping(const ColumnMapping& mapping);
    const ColumnMapping& mapping() const { return mapping_; }
    // The first products of the list as they will print.
    void showRows(const std::vector<LabelRecord>& rows);

    // The drop-down of the part whose own name is `partName` (for tests).
    QComboBox* partChoice(std::string_view partName) const;
    QComboBox* priceMeaningChoice() const { return priceMeaning_; }
    QTableWidget* rowsShown() const { return rows_; }

  signals:
    // The user chose another column for a part, or another price meaning.
    void mappingChanged();

  private:
    void partChosen(std::size_t part);
    void refreshWarning();

    ColumnMapping mapping_;
    QLabel* header_;
    std::vector<QComboBox*> parts_;  // in the order of the column table
    QComboBox* priceMeaning_;
    QLabel* warning_;
    QTableWidget* rows_;
};
