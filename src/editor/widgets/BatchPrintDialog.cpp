#include "editor/widgets/BatchPrintDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/logic/BatchCommand.h"
#include "editor/logic/EditorMessages.h"
#include "editor/widgets/BatchProgressDialog.h"
#include "editor/widgets/ColumnMappingPanel.h"
#include "files/BatchSheets.h"
#include "jobs/BatchPrint.h"
#include "jobs/ResultText.h"
#include "platform/PageSetup.h"
#include "platform/QtPaintSurface.h"
#include "render/SheetRenderer.h"

namespace {

// How many problem rows the dialog shows before printing.
constexpr std::size_t kProblemsShown = 5;

}  // namespace

BatchPrintDialog::BatchPrintDialog(const QString& listPath, const LayoutSettings& layout,
                                   const RememberedMappings& remembered, QWidget* parent)
    : QDialog(parent), listPath_(listPath), layout_(layout), remembered_(remembered) {
    setObjectName(QString::fromUtf8(kObjectName));
    setWindowTitle(QStringLiteral("一括印刷"));

    auto* form = new QFormLayout;
    auto* name = new QLabel(QFileInfo(listPath).fileName());
    name->setToolTip(listPath);
    form->addRow(QStringLiteral("商品リスト"), name);

    encoding_ = new QComboBox;
    encoding_->setObjectName(QStringLiteral("文字コード"));
    encoding_->addItem(QStringLiteral("自動判定"), static_cast<int>(TextEncoding::Auto));
    encoding_->addItem(QStringLiteral("UTF-8"), static_cast<int>(TextEncoding::Utf8));
    encoding_->addItem(QStringLiteral("シフトJIS (CP932)"), static_cast<int>(TextEncoding::Cp932));
    auto* encodingLabel = new QLabel(QStringLiteral("文字コード"));
    encodingLabel->setBuddy(encoding_);
    form->addRow(encodingLabel, encoding_);

    start_ = new QSpinBox;
    start_->setObjectName(QStringLiteral("開始位置"));
    const int labels = layout_.stock.labelCount();
    start_->setRange(1, labels);
    start_->setValue(1);
    auto* startLabel = new QLabel(QStringLiteral("最初のシートの開始位置 (1〜%1)").arg(labels));
    startLabel->setBuddy(start_);
    form->addRow(startLabel, start_);

    priceMode_ = new QComboBox;
    priceMode_->setObjectName(QStringLiteral("価格表示"));
    priceMode_->addItem(QStringLiteral("税込のみ"), static_cast<int>(PriceMode::TaxIncludedOnly));
    priceMode_->addItem(QStringLiteral("本体＋税込"),
                        static_cast<int>(PriceMode::BaseAndTaxIncluded));
    priceMode_->addItem(QStringLiteral("税込＋本体"),
                        static_cast<int>(PriceMode::TaxIncludedWithBase));
    priceMode_->setCurrentIndex(priceMode_->findData(static_cast<int>(layout.pricing.mode)));
    auto* priceModeLabel = new QLabel(QStringLiteral("価格表示"));
    priceModeLabel->setBuddy(priceMode_);
    form->addRow(priceModeLabel, priceMode_);

    rounding_ = new QComboBox;
    rounding_->setObjectName(QStringLiteral("税込の端数"));
    rounding_->addItem(QStringLiteral("切り捨て"), static_cast<int>(TaxRounding::Floor));
    rounding_->addItem(QStringLiteral("四捨五入"), static_cast<int>(TaxRounding::HalfUp));
    rounding_->addItem(QStringLiteral("切り上げ"), static_cast<int>(TaxRounding::Ceiling));
    rounding_->setCurrentIndex(rounding_->findData(static_cast<int>(layout.pricing.rounding)));
    auto* roundingLabel = new QLabel(QStringLiteral("税込の端数"));
    roundingLabel->setBuddy(rounding_);
    form->addRow(roundingLabel, rounding_);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("枚数"));
    form->addRow(summary_);

    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("最初のシート"));
    preview_->setAccessibleName(QStringLiteral("最初のシート"));
    preview_->setFrameShape(QFrame::Box);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    printButton_ = buttons->addButton(QStringLiteral("印刷..."), QDialogButtonBox::AcceptRole);
    printButton_->setObjectName(QStringLiteral("一括印刷実行"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The rows to look at before printing, just above the print button.
    problems_ = new QLabel;
    problems_->setObjectName(QStringLiteral("問題のある行"));
    problems_->setTextFormat(Qt::PlainText);
    problems_->setWordWrap(true);
    QPalette problemPalette = problems_->palette();
    problemPalette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    problems_->setPalette(problemPalette);

    mappingPanel_ = new ColumnMappingPanel;
    connect(mappingPanel_, &ColumnMappingPanel::mappingChanged, this, [this] {
        mappingShown_ = mappingPanel_->mapping();
        countList();
        refresh();
    });

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(mappingPanel_);
    left->addStretch(1);
    left->addWidget(problems_);
    left->addWidget(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(preview_);

    connect(start_, &QSpinBox::valueChanged, this, &BatchPrintDialog::refresh);
    for (QComboBox* choice : {priceMode_, rounding_}) {
        connect(choice, &QComboBox::currentIndexChanged, this, [this] {
            layout_.pricing = {static_cast<PriceMode>(priceMode_->currentData().toInt()),
                               static_cast<TaxRounding>(rounding_->currentData().toInt())};
            countList();  // which rows print depends on the price the box holds
            refresh();
        });
    }
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this] {
        mappingShown_.reset();  // the header may read otherwise
        countList();
        refresh();
    });
    countList();
    refresh();
}

int BatchPrintDialog::startPosition() const {
    return start_->value();
}

TextEncoding BatchPrintDialog::encoding() const {
    return static_cast<TextEncoding>(encoding_->currentData().toInt());
}

long BatchPrintDialog::productCount() const {
    return batch_->productCount();
}

long BatchPrintDialog::sheetCount() const {
    return batch_->sheetCount();
}

const ColumnMapping& BatchPrintDialog::mapping() const {
    return batch_->mapping();
}

void BatchPrintDialog::countList() {
    const auto read = [this](std::optional<ColumnMapping> mapping) {
        return std::make_unique<ProductListBatch>(listPath_.toStdString(), encoding(),
                                                  startPosition(), layout_.stock,
                                                  std::move(mapping), layout_.pricing);
    };
    if (mappingShown_) {
        batch_ = read(mappingShown_);
        return;
    }
    batch_ = read(std::nullopt);
    const ColumnMapping own = batch_->mapping();
    mappingShown_ = startingMapping(own, remembered_);
    if (!(*mappingShown_ == own))
        batch_ = read(mappingShown_);
    mappingPanel_->showMapping(*mappingShown_);
}

std::vector<LabelRecord> BatchPrintDialog::firstRows() {
    // From the top of the list, whatever the start position.
    batch_->setStartPosition(1);
    const LabelSheet sheet = batch_->firstSheet();
    batch_->setStartPosition(startPosition());
    std::vector<LabelRecord> rows;
    for (int n = 1; n <= sheet.labelCount() && rows.size() < ColumnMappingPanel::kRowsShown; ++n) {
        if (!sheet.label(n).isEmpty())  // the list may end before the sheet does
            rows.push_back(sheet.label(n));
    }
    return rows;
}

QString BatchPrintDialog::problemRowsText() const {
    const std::vector<Result>& rows = batch_->problems();
    if (rows.empty())
        return QString();
    QString text = QStringLiteral("問題のある行が %1 行あります。").arg(rows.size());
    for (std::size_t i = 0; i < rows.size() && i < kProblemsShown; ++i) {
        text += QStringLiteral("\n%1 行目: %2")
                    .arg(rows[i].line)
                    .arg(QString::fromStdString(resulttext::rowProblem(rows[i])));
    }
    if (rows.size() > kProblemsShown)
        text += QStringLiteral("\n…");
    return text;
}

void BatchPrintDialog::refresh() {
    // The first sheet as it will be printed: the labels before the start
    // position stay free.
    batch_->setStartPosition(startPosition());
    const LabelSheet first = batch_->firstSheet();
    const QSize page = previewPageSize(layout_.stock.paper);
    picture_ = QImage(page, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    {
        QPainter painter(&picture_);
        QtPaintSurface surface(painter);
        drawSheet(surface, first, layout_, RenderOptions::preview(1.0));
    }
    preview_->setPixmap(
        QPixmap::fromImage(picture_.scaled(page.width() * 2 / 5, page.height() * 2 / 5,
                                           Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    mappingPanel_->showRows(firstRows());
    const long products = productCount();
    if (!mapping().canPrint()) {
        summary_->setText(
            QStringLiteral("JANコードの列も品名の列もわかりません。"
                           "「列の対応」で選んでください。"));
    } else if (products == 0) {
        summary_->setText(QStringLiteral("印刷する商品がありません。"));
    } else {
        summary_->setText(QStringLiteral("%1 件の商品を %2 枚のシートに印刷します。")
                              .arg(products)
                              .arg(sheetCount()));
    }
    printButton_->setEnabled(products > 0 && mapping().canPrint());
    problems_->setText(problemRowsText());
    problems_->setVisible(!batch_->problems().empty());
}

BatchOutcome printProductListFile(const std::string& listPath, const BatchChoice& choice,
                                  const LayoutSettings& layout, PrintJob& job, QWidget* parent) {
    BatchProgressDialog progress(parent);
    return printProductList(listPath, choice, layout, job, progress);
}

QString batchOutcomeMessage(const BatchOutcome& outcome) {
    return QString::fromStdString(messages::batchOutcomeText(outcome));
}
