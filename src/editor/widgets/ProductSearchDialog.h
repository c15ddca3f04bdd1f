#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>
#include <vector>

#include "files/ProductMaster.h"

class QLabel;
class QLineEdit;
class QTableWidget;

// 商品検索: finds products of the master by code or any part of the name as
// one types (width, case and kana do not matter), the first found chosen; the
// arrow keys choose another, Enter or a double click takes it.
class ProductSearchDialog : public QDialog {
    Q_OBJECT

  public:
    ProductSearchDialog(const ProductMaster& master, QWidget* parent = nullptr);

    static constexpr const char* kObjectName = "商品検索";
    // How many products are listed at most (a search finds more, and says so).
    static constexpr std::size_t kListed = 200;

    // The product chosen (its index in the master), or nothing.
    std::optional<std::size_t> chosenProduct() const;
    QLineEdit* queryBox() const { return query_; }
    QTableWidget* resultList() const { return results_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search(const QString& text);

    const ProductMaster& master_;
    std::vector<std::size_t> found_;
    QLineEdit* query_;
    QTableWidget* results_;
    QLabel* count_;
};
