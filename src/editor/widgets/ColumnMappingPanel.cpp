#include "editor/widgets/ColumnMappingPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/ProductColumns.h"

namespace {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The price column's meanings as the drop-down offers them.
struct MeaningItem {
    const char* caption;
    PriceMeaning meaning;
};
constexpr MeaningItem kMeanings[] = {
    {"売価の欄のとおり", PriceMeaning::AsSheet},
    {"税込", PriceMeaning::TaxIncluded},
    {"税抜 (本体)", PriceMeaning::PreTax},
};

// The label's texts shown for each row, with their captions.
constexpr std::pair<const char*, LabelField> kRowTexts[] = {
    {"JANコード", LabelField::JanCode}, {"メーカー", LabelField::Maker},
    {"品名", LabelField::ProductName},  {"規格", LabelField::Spec},
    {"ロット", LabelField::Lot},        {"売価", LabelField::Price},
};

QString headerText(const ColumnMapping& mapping) {
    if (!mapping.hasHeader())
        return QStringLiteral(
            "見出しの行はありません。JANコード, メーカー, 品名, 規格, ロット, 売価 "
            "の順に読みます。");
    QStringList cells;
    for (const std::string& cell : mapping.header())
        cells << QString::fromStdString(cell);
    return QStringLiteral("見出し: ") + cells.join(QStringLiteral(", "));
}

}  // namespace

ColumnMappingPanel::ColumnMappingPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("列の対応"), parent) {
    setObjectName(QStringLiteral("列の対応"));
    header_ = new QLabel;
    header_->setObjectName(QStringLiteral("見出し"));
    header_->setTextFormat(Qt::PlainText);
    header_->setWordWrap(true);

    auto* form = new QFormLayout;
    for (const ProductColumn& part : productColumns()) {
        auto* choice = new QComboBox;
        choice->setObjectName(qs(part.name));
        const std::size_t index = parts_.size();
        connect(choice, &QComboBox::activated, this, [this, index] { partChosen(index); });
        form->addRow(qs(part.name), choice);
        parts_.push_back(choice);
    }
    priceMeaning_ = new QComboBox;
    priceMeaning_->setObjectName(QStringLiteral("売価の列の金額"));
    for (const MeaningItem& item : kMeanings)
        priceMeaning_->addItem(QString::fromUtf8(item.caption), static_cast<int>(item.meaning));
    connect(priceMeaning_, &QComboBox::activated, this, [this] {
        mapping_.setPriceMeaning(static_cast<PriceMeaning>(priceMeaning_->currentData().toInt()));
        emit mappingChanged();
    });
    form->addRow(QStringLiteral("売価の列の金額"), priceMeaning_);

    warning_ = new QLabel(QStringLiteral("JANコードか品名に使う列を選んでください。"));
    warning_->setObjectName(QStringLiteral("列を選んでください"));
    QPalette palette = warning_->palette();
    palette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    warning_->setPalette(palette);

    rows_ = new QTableWidget(0, static_cast<int>(std::size(kRowTexts)));
    rows_->setObjectName(QStringLiteral("最初の行"));
    QStringList captions;
    for (const auto& [caption, field] : kRowTexts)
        captions << QString::fromUtf8(caption);
    rows_->setHorizontalHeaderLabels(captions);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionMode(QAbstractItemView::NoSelection);
    rows_->verticalHeader()->hide();
    rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rows_->setMinimumHeight(rows_->horizontalHeader()->sizeHint().height() * (kRowsShown + 2));

    auto* column = new QVBoxLayout(this);
    column->addWidget(header_);
    column->addLayout(form);
    column->addWidget(warning_);
    column->addWidget(rows_);
}

void ColumnMappingPanel::showMapping(const ColumnMapping& mapping) {
    mapping_ = mapping;
    header_->setText(headerText(mapping));
    const auto table = productColumns();
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        QComboBox* choice = parts_[i];
        const QSignalBlocker quiet(choice);
        choice->clear();
        choice->addItem(QStringLiteral("なし"), -1);
        const std::vector<std::string>& cells = mapping.header();
        const int columns = mapping.hasHeader() ? static_cast<int>(cells.size())
                                                : static_cast<int>(std::size(kRowTexts));
        for (int c = 0; c < columns; ++c) {
            const QString caption =
                mapping.hasHeader()
                    ? QStringLiteral("%1: %2").arg(c + 1).arg(
                          QString::fromStdString(cells[static_cast<std::size_t>(c)]))
                    : QStringLiteral("%1 列目").arg(c + 1);
            choice->addItem(caption, c);
        }
        choice->setCurrentIndex(choice->findData(mapping.columnOf(table[i]).value_or(-1)));
        choice->setEnabled(mapping.hasHeader());
    }
    const QSignalBlocker quiet(priceMeaning_);
    priceMeaning_->setCurrentIndex(
        priceMeaning_->findData(static_cast<int>(mapping.priceMeaning())));
    priceMeaning_->setEnabled(mapping.hasHeader());
    refreshWarning();
}

void ColumnMappingPanel::showRows(const std::vector<LabelRecord>& rows) {
    rows_->clearContents();
    rows_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows_->rowCount(); ++r) {
        for (int c = 0; c < rows_->columnCount(); ++c) {
            const LabelField field = kRowTexts[static_cast<std::size_t>(c)].second;
            rows_->setItem(r, c,
                           new QTableWidgetItem(QString::fromStdString(
                               rows[static_cast<std::size_t>(r)].field(field))));
        }
    }
}

QComboBox* ColumnMappingPanel::partChoice(std::string_view partName) const {
    const auto table = productColumns();
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (table[i].name == partName)
            return parts_[i];
    }
    return nullptr;
}

void ColumnMappingPanel::partChosen(std::size_t part) {
    const int column = parts_[part]->currentData().toInt();
    mapping_.assign(productColumns()[part],
                    column >= 0 ? std::optional<int>(column) : std::nullopt);
    // The price column brings its meaning along (税込, 税抜...).
    const QSignalBlocker quiet(priceMeaning_);
    priceMeaning_->setCurrentIndex(
        priceMeaning_->findData(static_cast<int>(mapping_.priceMeaning())));
    refreshWarning();
    emit mappingChanged();
}

void ColumnMappingPanel::refreshWarning() {
    warning_->setVisible(!mapping_.canPrint());
}
