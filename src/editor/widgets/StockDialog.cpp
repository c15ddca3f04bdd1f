#include "editor/widgets/StockDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/widgets/StockPicture.h"
#include "model/PaperSizes.h"

namespace {

QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The lengths of a stock as the form shows them, in the order they are typed.
struct LengthBox {
    const char* caption;
    double (*get)(const LabelStock&);
    void (*set)(LabelStock&, double);
};
const std::array<LengthBox, 7> kLengths = {{
    {"ラベルの幅", [](const LabelStock& s) { return s.labelWidthMm; },
     [](LabelStock& s, double v) { s.labelWidthMm = v; }},
    {"ラベルの高さ", [](const LabelStock& s) { return s.labelHeightMm; },
     [](LabelStock& s, double v) { s.labelHeightMm = v; }},
    {"角の丸み", [](const LabelStock& s) { return s.cornerRadiusMm; },
     [](LabelStock& s, double v) { s.cornerRadiusMm = v; }},
    {"上の余白", [](const LabelStock& s) { return s.firstLabel.y; },
     [](LabelStock& s, double v) { s.firstLabel.y = v; }},
    {"左の余白", [](const LabelStock& s) { return s.firstLabel.x; },
     [](LabelStock& s, double v) { s.firstLabel.x = v; }},
    {"横の間隔", [](const LabelStock& s) { return s.pitchXMm; },
     [](LabelStock& s, double v) { s.pitchXMm = v; }},
    {"縦の間隔", [](const LabelStock& s) { return s.pitchYMm; },
     [](LabelStock& s, double v) { s.pitchYMm = v; }},
}};
struct CountBox {
    const char* caption;
    int LabelStock::*member;
};
const std::array<CountBox, 2> kCounts = {{
    {"列数", &LabelStock::columns},
    {"行数", &LabelStock::rows},
}};

// Where an entry of the list comes from, as the list says it.
const char* originCaption(StockOrigin origin) {
    switch (origin) {
        case StockOrigin::Preset:
            return "プリセット";
        case StockOrigin::User:
            return "登録";
        case StockOrigin::Installed:
            return "テンプレート";
        case StockOrigin::TemplateFile:
            return "ファイル";
    }
    return "";
}

}  // namespace

StockDialog::StockDialog(StockChooser& chooser, QWidget* parent)
    : QDialog(parent), chooser_(chooser) {
    setObjectName(qs(kObjectName));
    setWindowTitle(qs(kObjectName));
    auto* row = new QHBoxLayout;
    row->addWidget(buildList(), 3);
    row->addWidget(buildForm(), 2);
    picture_ = new StockPicture;
    row->addWidget(picture_, 2);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row, 1);
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("用紙の問題"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #c00000;"));
    column->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(qs("この用紙にする"));
    buttons->button(QDialogButtonBox::Cancel)->setText(qs("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &StockDialog::finish);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildStockButtons());
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    column->addLayout(bottom);
    showEntries();
    showForm();
    resize(900, 520);
}

QWidget* StockDialog::buildList() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("用紙の一覧"));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0)
            return;
        chooser_.pick(static_cast<std::size_t>(row));
        showForm();
    });
    note_ = new QLabel;
    note_->setWordWrap(true);
    auto* open = new QPushButton(qs("テンプレートのファイルを開く…"));
    open->setObjectName(QStringLiteral("テンプレートを開く"));
    connect(open, &QPushButton::clicked, this, [this] {
        chooser_.openTemplateFile();
        showEntries();
        showForm();
    });
    column->addWidget(list_, 1);
    column->addWidget(note_);
    column->addWidget(open);
    return panel;
}

QWidget* StockDialog::buildForm() {
    auto* panel = new QWidget;
    auto* form = new QFormLayout(panel);
    paper_ = new QComboBox;
    paper_->setObjectName(qs("用紙"));
    for (const NamedPaper& paper : knownPapers())
        paper_->addItem(qs(paper.name));
    form->addRow(qs("用紙"), paper_);
    connect(paper_, &QComboBox::currentIndexChanged, this, &StockDialog::formEdited);
    for (std::size_t i = 0; i < kLengths.size(); ++i) {
        auto* box = new QDoubleSpinBox;
        box->setObjectName(qs(kLengths[i].caption));
        box->setDecimals(2);
        box->setRange(-999.0, 999.0);  // impossible values are told, not blocked
        box->setSuffix(QStringLiteral(" mm"));
        connect(box, &QDoubleSpinBox::valueChanged, this, &StockDialog::formEdited);
        form->addRow(qs(kLengths[i].caption), box);
        lengths_[i] = box;
    }
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
        auto* box = new QSpinBox;
        box->setObjectName(qs(kCounts[i].caption));
        box->setRange(0, 999);
        connect(box, &QSpinBox::valueChanged, this, &StockDialog::formEdited);
        form->insertRow(4 + static_cast<int>(i), qs(kCounts[i].caption), box);
        counts_[i] = box;
    }
    return panel;
}

QWidget* StockDialog::buildStockButtons() {
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* caption;
        void (StockDialog::*own)();
        void (StockChooser::*op)();
    } buttons[] = {
        {"登録…", &StockDialog::saveUserStock, nullptr},
        {"書き出し…", nullptr, &StockChooser::exportUserStocks},
        {"読み込み…", nullptr, &StockChooser::importUserStocks},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(qs(b.caption));
        button->setObjectName(qs(b.caption).chopped(1));
        connect(button, &QPushButton::clicked, this, [this, b] {
            if (b.own != nullptr)
                (this->*b.own)();
            else
                (chooser_.*b.op)();
            showEntries();
            showForm();
        });
        row->addWidget(button);
    }
    return panel;
}

void StockDialog::showEntries() {
    showing_ = true;
    list_->clear();
    for (const StockEntry& entry : chooser_.entries()) {
        list_->addItem(QStringLiteral("[%1] %2").arg(qs(originCaption(entry.origin)),
                                                     QString::fromStdString(entry.stock.name)));
    }
    note_->setText(QString::fromStdString(chooser_.templateNote()));
    showing_ = false;
}

void StockDialog::showForm() {
    showing_ = true;
    const LabelStock& stock = chooser_.form();
    const std::optional<std::string> paper = paperName(stock.paper);
    paper_->setCurrentIndex(paper ? paper_->findText(QString::fromStdString(*paper)) : -1);
    for (std::size_t i = 0; i < kLengths.size(); ++i)
        lengths_[i]->setValue(kLengths[i].get(stock));
    for (std::size_t i = 0; i < kCounts.size(); ++i)
        counts_[i]->setValue(stock.*kCounts[i].member);
    const std::optional<std::size_t> picked = chooser_.pickedEntry();
    list_->setCurrentRow(picked ? static_cast<int>(*picked) : -1);
    const std::string problem = chooser_.problem();
    problem_->setText(QString::fromStdString(problem));
    picture_->show(stock, problem.empty());
    showing_ = false;
}

void StockDialog::formEdited() {
    if (showing_)
        return;
    LabelStock stock = chooser_.form();
    if (const std::optional<PaperSize> paper = paperNamed(paper_->currentText().toStdString()))
        stock.paper = *paper;
    for (std::size_t i = 0; i < kLengths.size(); ++i)
        kLengths[i].set(stock, lengths_[i]->value());
    for (std::size_t i = 0; i < kCounts.size(); ++i)
        stock.*kCounts[i].member = counts_[i]->value();
    chooser_.setForm(stock);
    showForm();
}

void StockDialog::saveUserStock() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, qs("用紙の登録"), qs("用紙の名前:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok)
        chooser_.saveUserStock(name.trimmed().toStdString());
}

void StockDialog::finish() {
    chosen_ = chooser_.accept();
    if (chosen_)
        accept();
}
