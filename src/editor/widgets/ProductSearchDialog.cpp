#include "editor/widgets/ProductSearchDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace {

// The columns of the list, each a text of the product.
struct ResultColumn {
    const char* caption;
    LabelField field;
};
constexpr ResultColumn kColumns[] = {
    {"JANコード", LabelField::JanCode}, {"メーカー", LabelField::Maker},
    {"品名", LabelField::ProductName},  {"規格", LabelField::Spec},
    {"売価", LabelField::Price},
};

}  // namespace

ProductSearchDialog::ProductSearchDialog(const ProductMaster& master, QWidget* parent)
    : QDialog(parent), master_(master) {
    setObjectName(QString::fromUtf8(kObjectName));
    setWindowTitle(QStringLiteral("商品検索"));

    query_ = new QLineEdit;
    query_->setObjectName(QStringLiteral("検索"));
    query_->setPlaceholderText(QStringLiteral("JANコードまたは品名の一部"));
    query_->setClearButtonEnabled(true);
    query_->installEventFilter(this);

    results_ = new QTableWidget(0, static_cast<int>(std::size(kColumns)));
    results_->setObjectName(QStringLiteral("検索結果"));
    QStringList captions;
    for (const ResultColumn& column : kColumns)
        captions << QString::fromUtf8(column.caption);
    results_->setHorizontalHeaderLabels(captions);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->verticalHeader()->hide();
    results_->horizontalHeader()->setStretchLastSection(true);
    results_->setFocusPolicy(Qt::NoFocus);  // the typing stays in the query box

    count_ = new QLabel;
    count_->setObjectName(QStringLiteral("件数"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ラベルに入れる"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(results_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    connect(query_, &QLineEdit::textChanged, this, &ProductSearchDialog::search);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(query_);
    layout->addWidget(results_, 1);
    layout->addWidget(count_);
    layout->addWidget(buttons);
    resize(720, 420);
    search(QString());
}

std::optional<std::size_t> ProductSearchDialog::chosenProduct() const {
    const int row = results_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= found_.size())
        return std::nullopt;
    return found_[static_cast<std::size_t>(row)];
}

void ProductSearchDialog::search(const QString& text) {
    const ProductMaster::Matches matches = master_.search(text.toStdString(), kListed);
    found_ = matches.products;
    results_->setUpdatesEnabled(false);
    results_->clearContents();
    results_->setRowCount(static_cast<int>(found_.size()));
    for (int row = 0; row < results_->rowCount(); ++row) {
        const LabelRecord& label = master_.product(found_[static_cast<std::size_t>(row)]).label;
        for (int column = 0; column < results_->columnCount(); ++column) {
            results_->setItem(row, column,
                              new QTableWidgetItem(QString::fromStdString(
                                  label.field(kColumns[static_cast<std::size_t>(column)].field))));
        }
    }
    results_->setUpdatesEnabled(true);
    if (!found_.empty())
        results_->setCurrentCell(0, 0);
    if (text.trimmed().isEmpty())
        count_->setText(QStringLiteral("商品マスタの %1 件から探します").arg(master_.size()));
    else if (matches.total > found_.size())
        count_->setText(
            QStringLiteral("%1 件 (はじめの %2 件を表示)").arg(matches.total).arg(found_.size()));
    else
        count_->setText(QStringLiteral("%1 件").arg(matches.total));
}

// The arrow and page keys in the query box move through the list, so that
// the hands stay on the keyboard.
bool ProductSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != query_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    int step = 0;
    switch (key->key()) {
        case Qt::Key_Down:
            step = 1;
            break;
        case Qt::Key_Up:
            step = -1;
            break;
        case Qt::Key_PageDown:
            step = 10;
            break;
        case Qt::Key_PageUp:
            step = -10;
            break;
        default:
            return QDialog::eventFilter(watched, event);
    }
    if (results_->rowCount() > 0) {
        const int row = std::clamp(results_->currentRow() + step, 0, results_->rowCount() - 1);
        results_->setCurrentCell(row, 0);
    }
    return true;
}
