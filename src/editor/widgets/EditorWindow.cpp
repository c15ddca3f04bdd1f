#include "editor/widgets/EditorWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "editor/logic/EditorMessages.h"
#include "editor/logic/OriginAdjustment.h"
#include "editor/widgets/BatchProgressDialog.h"
#include "editor/widgets/CommandButton.h"
#include "editor/widgets/ElementFrame.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"
#include "editor/widgets/PriceEmbeddedFrame.h"
#include "editor/widgets/PriceFrame.h"
#include "editor/widgets/QtEditorDialogs.h"
#include "editor/widgets/RecoverySlot.h"
#include "editor/widgets/TaxRateButton.h"
#include "model/ToggleCaptions.h"
#include "platform/LabelTemplateReader.h"
#include "platform/PageSetup.h"
#include "platform/TextGauge.h"
#include "platform/UserManual.h"

namespace {

QString qs(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int index(InputBox box) {
    return static_cast<int>(box);
}

// The boxes as they stand in the window and in the tab order: the Enter cycle.
struct BoxInfo {
    InputBox box;
    const char* objectName;
    const char* caption;
};
constexpr std::array<BoxInfo, 6> kBoxes = {{
    {InputBox::Text1, "Text1", "JANコード OR 空白"},
    {InputBox::Text2, "Text2", "メーカー等"},
    {InputBox::Text3, "Text3", "品名等"},
    {InputBox::Text4, "Text4", "規格等"},
    {InputBox::Text6, "Text6", "ロット等"},
    {InputBox::Text5, "Text5", "売価等"},
}};

constexpr int kMakerLimit = 6;
// Unsaved work reaches the recovery file within two seconds of a change.
constexpr int kRecoveryIntervalMs = 1000;
constexpr int kProductNameLimit = 13;

// Whether the focus moved between the window's own controls. A menu opened
// with the mouse (a popup), a dialog or another window taking the activation:
// none of these is a move. (The menu bar opened from the keyboard is handled
// apart: it borrows the focus.)
bool isFocusMove(Qt::FocusReason reason) {
    return reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason &&
           reason != Qt::ActiveWindowFocusReason;
}

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX()
                                                                  : 96.0;
}

// The default printer's paper, or the stock's paper when no printer is installed.
QPageSize printerPage(const PaperSize& stockPaper) {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid()) {
            return size;
        }
    }
    return pageSizeOf(stockPaper);
}

}  // namespace

EditorWindow::EditorWindow(SettingsPaths settingsPaths, QWidget* parent)
    : EditorWindow(std::move(settingsPaths), nullptr, parent) {}

EditorWindow::EditorWindow(SettingsPaths settingsPaths, EditorDialogs& dialogs, QWidget* parent)
    : EditorWindow(std::move(settingsPaths), &dialogs, parent) {}

EditorWindow::EditorWindow(SettingsPaths settingsPaths, EditorDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(qs(kObjectName));
    setAttribute(Qt::WA_DeleteOnClose);
    if (dialogs == nullptr) {
        ownDialogs_ = std::make_unique<QtEditorDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    dialogs_ = dialogs;
    editor_ = std::make_unique<LabelEditor>(*this, *dialogs, std::move(settingsPaths));
    editor_->setTemplateSources({[] { return readInstalledLabelTemplates(); },
                                 [](const std::string& path, LabelTemplates& read) {
                                     return readLabelTemplateFile(path, read);
                                 }});
    build();
    startUp();
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &EditorWindow::openManual);
    // The focus going on from the menu bar to a control other than a box.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now != menuBar() && now->window() == this) {
            settleLentFocus();
        }
        refreshEditMenu();
    });
}

EditorWindow::~EditorWindow() {
    // The boxes outlive this part of the window; the focus events of their
    // destruction must not reach the editor any more.
    disconnect(focusWatch_);
    for (InputBoxEdit* box : boxes_) {
        box->setHandlers({});
    }
}

void EditorWindow::openManual() {
    if (!openUserManual()) {
        const QString path = userManualPath();
        dialogs_->showMessage(messages::manualNotOpened(
            QDir::toNativeSeparators(path).toStdString(), QFileInfo::exists(path)));
    }
}

InputBoxEdit* EditorWindow::inputBox(InputBox box) const {
    return boxes_[index(box)];
}

CommandButton* EditorWindow::button(const char* objectName, const char* caption) {
    return new CommandButton(qs(objectName), qs(caption));
}

void EditorWindow::build() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(8);
    row->addWidget(buildInputPanel());
    preview_ = new PreviewArea(central);
    connect(preview_->picture(), &PreviewPicture::clicked, this, [this](QPointF point) {
        const double mmPerPixel = 25.4 / preview_->dotsPerInch();
        editor_->previewClicked(point.x() * mmPerPixel, point.y() * mmPerPixel);
    });
    row->addWidget(preview_, 1);
    row->addWidget(buildLayoutPanel());
    setCentralWidget(central);
    buildMenu();

    // Tab order: the Enter cycle first.
    for (std::size_t i = 0; i + 1 < kBoxes.size(); ++i) {
        setTabOrder(inputBox(kBoxes[i].box), inputBox(kBoxes[i + 1].box));
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        // The whole screen up to a comfortable size, leaving room for the
        // window's title bar.
        resize(QSize(available.width(), available.height() - 40).boundedTo(QSize(1600, 1000)));
    }
}

QWidget* EditorWindow::buildInputPanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(buildBoxFrame());
    column->addLayout(buildNavigation());
    column->addWidget(buildStatusLine());
    column->addWidget(buildEditFrame());
    column->addWidget(buildViewFrame());
    column->addWidget(buildPatternFrame());
    column->addStretch(1);
    CommandButton* close = button("Command1", "終了");
    connect(close, &QPushButton::clicked, this, [this] { editor_->closeWindow(); });
    column->addWidget(close);

    panel->setFixedWidth(std::max(panel->sizeHint().width(), 280));
    return panel;
}

QGroupBox* EditorWindow::buildBoxFrame() {
    // The six input boxes with their captions.
    auto* boxFrame = new QGroupBox(qs("棚札データ"));
    boxFrame->setObjectName(QStringLiteral("frame_input"));
    auto* grid = new QGridLayout(boxFrame);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const BoxInfo& info : kBoxes) {
        auto* edit = new InputBoxEdit(info.box, qs(info.objectName));
        auto* caption = new QLabel(qs(info.caption));
        caption->setObjectName(qs(info.objectName) + QStringLiteral("_caption"));
        caption->setBuddy(edit);
        edit->setAccessibleName(qs(info.caption));
        edit->setMinimumWidth(150);
        edit->setHandlers({
            [this](InputBox b, Qt::FocusReason r) { boxFocusIn(b, r); },
            [this](InputBox b, Qt::FocusReason r) { boxFocusOut(b, r); },
            [this](InputBox b) { editor_->enterPressed(b); },
            [this](InputBox b, int limit, const QString& cut) {
                editor_->boxTextCut(b, limit, cut.toStdString());
            },
        });
        connect(edit, &QLineEdit::textEdited, this,
                [this, box = info.box] { editor_->boxEdited(box); });
        boxes_[index(info.box)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &EditorWindow::refreshEditMenu);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    taxRate_ = new TaxRateButton(*editor_);
    grid->addWidget(taxRate_, row, 1, Qt::AlignRight);
    priceNote_ = new QLabel;
    priceNote_->setObjectName(QStringLiteral("税込の注意"));
    priceNote_->setWordWrap(true);
    priceNote_->setStyleSheet(QStringLiteral("color: #c00000;"));
    priceNote_->hide();
    grid->addWidget(priceNote_, row + 1, 0, 1, 2);
    // The QR content is no box of the Enter cycle: most labels take the
    // pattern's, and the six boxes keep their order.
    auto* qrCaption = new QLabel(qs("QR"));
    qrContent_ = new QLineEdit;
    qrContent_->setObjectName(QStringLiteral("QR内容"));
    qrContent_->setAccessibleName(qs("QRコードの内容"));
    qrContent_->setPlaceholderText(qs("空欄: パターンのとおり"));
    qrCaption->setBuddy(qrContent_);
    connect(qrContent_, &QLineEdit::editingFinished, this,
            [this] { editor_->setQrContent(qrContent_->text().toStdString()); });
    grid->addWidget(qrCaption, row + 2, 0);
    grid->addWidget(qrContent_, row + 2, 1);
    configureBoxes();
    return boxFrame;
}

void EditorWindow::configureBoxes() {
    // JAN code and price right-aligned; the price in the larger face.
    inputBox(InputBox::Text1)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inputBox(InputBox::Text5)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont priceFont(qs("ＭＳ Ｐゴシック"));
    priceFont.setPointSizeF(14.25);
    inputBox(InputBox::Text5)->setFont(priceFont);
    inputBox(InputBox::Text2)->setTypingLimit(kMakerLimit);
    inputBox(InputBox::Text3)->setTypingLimit(kProductNameLimit);
    // Maker and product name are typed in Japanese; the other boxes prefer
    // Latin letters and digits but still let the user switch to Japanese.
    for (const BoxInfo& info : kBoxes) {
        Qt::InputMethodHints hints = Qt::ImhNone;
        switch (info.box) {
            case InputBox::Text2:
            case InputBox::Text3:
                break;
            case InputBox::Text1:
                hints = Qt::ImhPreferNumbers | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText;
                break;
            case InputBox::Text5:
                hints = Qt::ImhPreferLatin | Qt::ImhPreferNumbers;
                break;
            default:
                hints = Qt::ImhPreferLatin;
                break;
        }
        inputBox(info.box)->setInputMethodHints(hints);
    }
    // A code typed through an input method comes out in full width; the JAN
    // code box takes the keys as they are.
    inputBox(InputBox::Text1)->setAttribute(Qt::WA_InputMethodEnabled, false);
}

QHBoxLayout* EditorWindow::buildNavigation() {
    // Moving between labels, with the counter between the arrows.
    auto* navigation = new QHBoxLayout;
    navigation->setSpacing(4);
    const std::array<std::pair<CommandButton*, void (LabelEditor::*)()>, 2> back = {{
        {button("cmdfirst", "<<"), &LabelEditor::goFirst},
        {button("cmdprevious", "<"), &LabelEditor::goPrevious},
    }};
    const std::array<std::pair<CommandButton*, void (LabelEditor::*)()>, 2> forward = {{
        {button("Cmdnext", ">"), &LabelEditor::goNext},
        {button("Cmdlast", ">>"), &LabelEditor::goLast},
    }};
    for (const auto& [b, op] : back) {
        navigation->addWidget(b);
    }
    counter_ = new QLabel(QStringLiteral("1/%1").arg(editor_->sheet().labelCount()));
    counter_->setObjectName(QStringLiteral("Label6"));
    counter_->setAlignment(Qt::AlignCenter);
    counter_->setMinimumWidth(64);
    QFont counterFont = counter_->font();
    counterFont.setPointSizeF(counterFont.pointSizeF() * 1.4);
    counterFont.setBold(true);
    counter_->setFont(counterFont);
    counter_->setAccessibleDescription(qs("ラベル番号"));
    navigation->addWidget(counter_, 1);
    for (const auto& [b, op] : forward) {
        navigation->addWidget(b);
    }
    for (const auto& list : {back, forward}) {
        for (const auto& [b, op] : list) {
            b->setFixedWidth(52);
            connect(b, &QPushButton::clicked, this, [this, op = op] { ((*editor_).*op)(); });
        }
    }
    return navigation;
}

QLabel* EditorWindow::buildStatusLine() {
    // What is wrong with the current label, in plain words; empty for a sound one.
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    QPalette statusPalette = status_->palette();
    statusPalette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    status_->setPalette(statusPalette);
    status_->setAccessibleName(qs("ラベルの問題"));
    return status_;
}

QGroupBox* EditorWindow::buildEditFrame() {
    // Commands on whole labels.
    auto* editFrame = new QGroupBox(qs("編集"));
    editFrame->setObjectName(QStringLiteral("frame_edit"));
    auto* edits = new QGridLayout(editFrame);
    edits->setSpacing(4);
    struct Command {
        const char* name;
        const char* caption;
        void (LabelEditor::*op)();
        int row, column, span;
        CommandButton** kept;  // where the window keeps the button, if it does
    };
    const Command editCommands[] = {
        {"クリア", "クリア", &LabelEditor::clearLabel, 0, 0, 1, nullptr},
        {"全クリア", "全画面クリア", &LabelEditor::clearAll, 0, 1, 1, nullptr},
        {"コピー", "前のデータをコピーする &C", &LabelEditor::copyPrevious, 1, 0, 2, nullptr},
        {"全コピー", "１番項目を全コピー", &LabelEditor::copyFirstToAll, 2, 0, 2, nullptr},
        {"削除", "削除", &LabelEditor::deleteLabel, 3, 0, 1, nullptr},
        {"挿入", "挿入", &LabelEditor::insertLabel, 3, 1, 1, nullptr},
        {"前候補", "前候補 ", &LabelEditor::previousCandidate, 4, 0, 2, &candidate_},
    };
    for (const Command& c : editCommands) {
        CommandButton* b = button(c.name, c.caption);
        edits->addWidget(b, c.row, c.column, 1, c.span);
        connect(b, &QPushButton::clicked, this, [this, op = c.op] { ((*editor_).*op)(); });
        if (c.kept != nullptr) {
            *c.kept = b;
        }
    }
    return editFrame;
}

QGroupBox* EditorWindow::buildViewFrame() {
    // Preview, zoom and print.
    auto* viewFrame = new QGroupBox(qs("表示と印刷"));
    viewFrame->setObjectName(QStringLiteral("frame_view"));
    auto* views = new QGridLayout(viewFrame);
    views->setSpacing(4);
    CommandButton* previewButton = button("プレビュー", "プレビュー");
    zoom_ = button("倍率", ViewState{}.zoomCaption().c_str());
    CommandButton* printButton = button("印刷", "印刷");
    views->addWidget(previewButton, 0, 0);
    views->addWidget(zoom_, 0, 1);
    views->addWidget(printButton, 1, 0, 1, 2);
    connect(previewButton, &QPushButton::clicked, this, [this] { editor_->preview(); });
    connect(zoom_, &QPushButton::clicked, this, [this] { editor_->toggleZoom(); });
    connect(printButton, &QPushButton::clicked, this, [this] { editor_->print(); });
    return viewFrame;
}

QGroupBox* EditorWindow::buildPatternFrame() {
    // The pattern as a whole.
    auto* patternFrame = new QGroupBox(qs("印字パターン"));
    patternFrame->setObjectName(QStringLiteral("frame_pattern"));
    auto* pattern = new QVBoxLayout(patternFrame);
    pattern->setSpacing(4);
    CommandButton* stock = button("用紙の設定", "用紙の設定…");
    connect(stock, &QPushButton::clicked, this, [this] { editor_->chooseStock(); });
    pattern->addWidget(stock);
    border_ = button("縁取", captions::forBorder(false));
    CommandButton* defaults = button("デフォルト", "デフォルトパターンに戻す");
    CommandButton* save = button("pt保存", "この印字位置やフォントパターンを保存しておく");
    connect(border_, &QPushButton::clicked, this, [this] { editor_->toggleBorder(); });
    connect(defaults, &QPushButton::clicked, this, [this] { editor_->restoreDefaultLayout(); });
    connect(save, &QPushButton::clicked, this, [this] { editor_->savePattern(); });
    pattern->addWidget(border_);
    pattern->addWidget(defaults);
    pattern->addWidget(save);
    return patternFrame;
}

QWidget* EditorWindow::buildLayoutPanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto* firstPage = new QWidget;
    auto* elements = new QGridLayout(firstPage);
    elements->setContentsMargins(0, 4, 0, 0);
    elements->setSpacing(4);
    for (std::size_t i = 0; i < kElementControls.size(); ++i) {
        auto* frame = new ElementFrame(kElementControls[i], *editor_);
        elementFrames_[i] = frame;
        if (kElementControls[i].element == LabelElement::Qr)
            frame->addSettingRow(buildQrPatternEdit());
        elements->addWidget(frame, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    elements->setRowStretch(static_cast<int>((kElementControls.size() + 1) / 2), 1);
    auto* pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("elementPages"));
    pages->addTab(firstPage, qs("印字項目"));
    pages->addTab(buildShelfPage(), qs("価格・特売・産地"));
    column->addWidget(pages);

    // The whole sheet on the page.
    auto* bottom = new QHBoxLayout;
    auto* origin = new QGroupBox(qs("印字位置調整"));
    origin->setObjectName(qs("印字位置調整"));
    auto* originGrid = new QGridLayout(origin);
    originGrid->setSpacing(4);
    addOriginAxis(originGrid, 0, Axis::X);
    addOriginAxis(originGrid, 1, Axis::Y);
    const int row = 2;
    // A page to find the adjustment for the label stock with.
    CommandButton* calibrate = button("位置合わせ印刷", "位置合わせ印刷");
    connect(calibrate, &QPushButton::clicked, this, [this] { editor_->printCalibration(); });
    originGrid->addWidget(calibrate, row, 0, 1, 4);
    bottom->addWidget(origin);
    priceFrame_ = new PriceFrame(*editor_);
    bottom->addWidget(priceFrame_);
    priceEmbedded_ = new PriceEmbeddedFrame(*editor_);
    bottom->addWidget(priceEmbedded_);

    bottom->addStretch(1);
    column->addLayout(bottom);
    column->addStretch(1);
    // As narrow as its buttons allow: the preview takes the rest.
    panel->setFixedWidth(panel->sizeHint().width());
    return panel;
}

void EditorWindow::addOriginAxis(QGridLayout* grid, int row, Axis axis) {
    struct AxisControls {
        const char* caption;
        const char* display;
        const char* minus;
        const char* plus;
    };
    const AxisControls a = axis == Axis::X
                               ? AxisControls{"Ｘ座標", "x座標調整", "xマイナス", "xプラス"}
                               : AxisControls{"Ｙ座標", "y座標調整", "yマイナス", "yプラス"};
    auto* caption = new QLabel(qs(a.caption));
    // The box shows the adjustment and takes one typed to the tenth of a millimetre.
    auto* display = new QLineEdit(QStringLiteral("0"));
    display->setObjectName(qs(a.display));
    display->setFocusPolicy(Qt::ClickFocus);
    display->setAlignment(Qt::AlignCenter);
    display->setFixedWidth(52);
    display->setAccessibleName(qs(a.caption));
    display->setToolTip(qs("mm の数を入れて Enter (0.1 mm 単位、-10 から 10 まで)"));
    caption->setBuddy(display);
    connect(display, &QLineEdit::editingFinished, this, [this, axis, display] {
        if (display->text() != qs(originAdjustText(editor_->layout(), axis == Axis::X ? 0 : 1)))
            editor_->typeOriginAdjustment(axis, display->text().toStdString());
    });
    CommandButton* minus = button(a.minus, "-");
    CommandButton* plus = button(a.plus, "+");
    for (auto [b, step] : {std::pair{minus, -1}, std::pair{plus, +1}}) {
        b->setFixedWidth(32);
        b->setAccessibleName(qs(a.caption) + QLatin1Char(' ') + b->text());
        b->setToolTip(qs("1 mm ずつ (Shift を押しながらで 0.1 mm ずつ)"));
        // Shift held: a tenth of a millimetre.
        connect(b, &QPushButton::clicked, this, [this, axis, step = step] {
            if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
                editor_->moveOriginFine(axis, step);
            else
                editor_->moveOrigin(axis, step);
        });
    }
    grid->addWidget(caption, row, 0);
    grid->addWidget(minus, row, 1);
    grid->addWidget(display, row, 2);
    grid->addWidget(plus, row, 3);
    (axis == Axis::X ? xAdjust_ : yAdjust_) = display;
}

QWidget* EditorWindow::buildShelfPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setSpacing(4);
    // The current label's details: typed here, outside the Enter cycle of the
    // six boxes; each is taken when its field is left or Enter is pressed.
    auto* details = new QGroupBox(qs("このラベルの内容"));
    details->setObjectName(QStringLiteral("frame_details"));
    auto* form = new QGridLayout(details);
    form->setSpacing(4);
    for (std::size_t i = 0; i < kShelfDetailFields.size(); ++i) {
        const ShelfDetailFieldInfo& info = kShelfDetailFields[i];
        auto* field = new QLineEdit;
        field->setObjectName(qs(info.objectName));
        field->setPlaceholderText(qs(info.hint));
        field->setAccessibleName(qs(info.caption));
        auto* caption = new QLabel(qs(info.caption));
        caption->setBuddy(field);
        const auto row = static_cast<int>(i % 3);
        const auto column = static_cast<int>(i / 3) * 2;
        form->addWidget(caption, row, column);
        form->addWidget(field, row, column + 1);
        connect(field, &QLineEdit::editingFinished, this, [this, field, which = info.field] {
            editor_->setLabelDetail(which, field->text().toStdString());
        });
        detailFields_[i] = field;
    }
    grid->addWidget(details, 0, 0, 1, 2);
    for (std::size_t i = 0; i < kShelfElementControls.size(); ++i) {
        auto* frame = new ElementFrame(kShelfElementControls[i], *editor_);
        elementFrames_[kElementControls.size() + i] = frame;
        grid->addWidget(frame, 1 + static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    grid->setRowStretch(1 + static_cast<int>((kShelfElementControls.size() + 1) / 2), 1);
    return page;
}

void EditorWindow::showDetails(const ShelfDetails& details) {
    for (std::size_t i = 0; i < kShelfDetailFields.size(); ++i) {
        const QSignalBlocker quiet(detailFields_[i]);
        detailFields_[i]->setText(qs(details.*kShelfDetailFields[i].text));
    }
}

void EditorWindow::buildMenu() {
    // "ファィル" and "プレピュー" are spelt as users have always seen them, and
    // Ctrl+A (save as) and Ctrl+V (preview) are kept for their habits: not slips.
    QMenu* file = menuBar()->addMenu(qs("ファィル(&F)"));
    file->setObjectName(QStringLiteral("f_file"));
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence key;
        void (LabelEditor::*op)();
        bool separatorBefore;
    };
    const Item items[] = {
        {"KURIA", "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N), &LabelEditor::newSheet,
         false},
        {"f_open", "ファィルを開く(&O)", QKeySequence(Qt::CTRL | Qt::Key_O), &LabelEditor::openFile,
         false},
        {"U_SAVE", "ファィルの上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S),
         &LabelEditor::saveFile, false},
        {"N_SAVE", "名前を付けてファィルを保存(&A)", QKeySequence(Qt::CTRL | Qt::Key_A),
         &LabelEditor::saveFileAs, false},
        {"M_プレビュー", "プレピュー(&V)", QKeySequence(Qt::CTRL | Qt::Key_V),
         &LabelEditor::preview, true},
        {"P_印刷", "印刷(&P)", QKeySequence(Qt::CTRL | Qt::Key_P), &LabelEditor::print, false},
        {"MNUEXIT", "終了(&x)", QKeySequence(Qt::CTRL | Qt::Key_Q), &LabelEditor::closeWindow,
         true},
    };
    QList<QKeySequence> keys;
    for (const Item& item : items) {
        if (item.separatorBefore) {
            file->addSeparator();
        }
        auto* action = new QAction(qs(item.caption), this);
        action->setObjectName(qs(item.name));
        action->setShortcut(item.key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, op = item.op] { ((*editor_).*op)(); });
        file->addAction(action);
        addAction(action);  // the shortcut works while the menu bar is hidden too
        keys << item.key;
    }
    buildEditMenu(keys);
    buildMasterItems(file, keys);
    for (InputBoxEdit* box : boxes_) {
        box->setWindowShortcuts(keys);
    }

    // Many sheets from a product list, with the current pattern; the sheet
    // being edited is not touched.
    auto* batch = new QAction(qs("一括印刷…"), this);
    batch->setObjectName(QStringLiteral("一括印刷"));
    connect(batch, &QAction::triggered, this, &EditorWindow::batchPrint);
    file->insertAction(file->actions().at(file->actions().size() - 2), batch);
    auto* inStore = new QAction(qs("インストアコードを付ける…"), this);
    inStore->setObjectName(QStringLiteral("インストアコード"));
    connect(inStore, &QAction::triggered, this, [this] { editor_->giveInStoreCodes(); });
    file->insertAction(batch, inStore);
}

void EditorWindow::buildEditMenu(QList<QKeySequence>& keys) {
    QMenu* edit = menuBar()->addMenu(qs("編集(&E)"));
    edit->setObjectName(QStringLiteral("編集"));
    undo_ = new QAction(this);
    undo_->setObjectName(QStringLiteral("元に戻す"));
    undo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo_ = new QAction(this);
    redo_->setObjectName(QStringLiteral("やり直し"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, [this] { editor_->undo(); });
    connect(redo_, &QAction::triggered, this, [this] { editor_->redo(); });
    for (QAction* action : {undo_, redo_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        edit->addAction(action);
        addAction(action);
        // The editor decides whether a box takes back its own typing first.
        keys << action->shortcuts();
    }
    refreshEditMenu();
}

void EditorWindow::buildMasterItems(QMenu* file, QList<QKeySequence>& keys) {
    // Chosen once and kept; placed before 一括印刷 and 終了.
    auto* choose = new QAction(qs("商品マスタの選択..."), this);
    choose->setObjectName(QStringLiteral("商品マスタの選択"));
    connect(choose, &QAction::triggered, this, [this] { editor_->chooseProductMaster(); });
    file->insertAction(file->actions().at(file->actions().size() - 2), choose);

    auto* search = new QAction(qs("商品検索(&F)..."), this);
    search->setObjectName(QStringLiteral("商品検索"));
    search->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    search->setShortcutContext(Qt::WindowShortcut);
    connect(search, &QAction::triggered, this, [this] { editor_->searchProduct(); });
    QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("編集"));
    edit->addSeparator();
    edit->addAction(search);
    addAction(search);
    keys << search->shortcut();
}

void EditorWindow::refreshEditMenu() {
    if (undo_ == nullptr || !editor_) {
        return;
    }
    const std::array<std::pair<QAction*, HistoryDirection>, 2> items = {
        {{undo_, HistoryDirection::Undo}, {redo_, HistoryDirection::Redo}}};
    for (const auto& [action, direction] : items) {
        const QString caption =
            qs(direction == HistoryDirection::Undo ? "元に戻す(&U)" : "やり直し(&R)");
        const std::string step = editor_->historyStepName(direction);
        action->setText(step.empty() ? caption : caption + QStringLiteral(": ") + qs(step));
        action->setEnabled(!step.empty());
    }
}

void EditorWindow::batchPrint() {
    BatchProgressDialog progress(this);
    editor_->batchPrint(progress);
}

void EditorWindow::startUp() {
    editor_->startUp(sizePreview(printerPage(editor_->layout().stock.paper)));
}

void EditorWindow::showStock(const LabelStock& stock) {
    // The standard stock's paper as the printer has it, as at start-up.
    const StartupGeometry g = sizePreview(
        stock.paper == kStandardStock.paper ? printerPage(stock.paper) : pageSizeOf(stock.paper));
    setScrollRanges(scrollRangeFor(g.pageHeightTwips, g.frameHeightTwips),
                    scrollRangeFor(g.pageWidthTwips, g.frameWidthTwips));
}

StartupGeometry EditorWindow::sizePreview(const QPageSize& pageSize) {
    const double dpi = screenDotsPerInch();
    const QSizeF pageMm = pageSize.size(QPageSize::Millimeter);
    const QSize pagePixels(static_cast<int>(std::lround(pageMm.width() / 25.4 * dpi)),
                           static_cast<int>(std::lround(pageMm.height() / 25.4 * dpi)));
    preview_->setPageSize(pagePixels, dpi);
    const QSize frameHint = preview_->frame()->sizeHint().expandedTo(QSize(640, 640));
    const double twips = preview_->twipsPerPixel();
    StartupGeometry geometry;
    const QSize page = preview_->pageTwips();
    geometry.pageWidthTwips = page.width();
    geometry.pageHeightTwips = page.height();
    geometry.frameWidthTwips = static_cast<int>(std::lround(frameHint.width() * twips));
    geometry.frameHeightTwips = static_cast<int>(std::lround(frameHint.height() * twips));
    return geometry;
}

void EditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_ && !event->spontaneous()) {
        shownOnce_ = true;
        // The window opens with the caret in the JAN code box, which draws the
        // first preview.
        focusBox(InputBox::Text1);
        if (recovery_) {
            // Asked once the window is on screen, so the question has its parent.
            QTimer::singleShot(0, this, &EditorWindow::offerLeftoverWork);
        }
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    // The close box asks about unsaved work as 終了 does.
    if (!editor_->approveClose()) {
        event->ignore();
        return;
    }
    if (recoveryTimer_ != nullptr) {
        recoveryTimer_->stop();
    }
    QMainWindow::closeEvent(event);
}

void EditorWindow::enableRecovery(const QString& folder) {
    recovery_ = std::make_unique<RecoverySlot>(folder);
    if (recovery_->path().isEmpty()) {
        recovery_.reset();
        return;
    }
    // A folder that cannot be written yet is tried again every tick: the
    // failed writes are what tells the user.
    editor_->setRecoveryPath(recovery_->path().toStdString());
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(kRecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] {
        recovery_->retake();
        editor_->keepRecoveryCurrent();
    });
    recoveryTimer_->start();
}

void EditorWindow::offerLeftoverWork() {
    if (!recovery_) {
        return;
    }
    // The newest first; once one is restored the others wait for another window.
    for (const QString& path : recovery_->claimLeftovers()) {
        if (editor_->offerRecovery(path.toStdString())) {
            break;
        }
    }
    recovery_->releaseLeftovers();
}

void EditorWindow::boxFocusIn(InputBox box, Qt::FocusReason reason) {
    if (lentToMenuBar_ == box) {
        lentToMenuBar_.reset();  // back from the menu bar: the box was never left
        return;
    }
    settleLentFocus();  // the focus went on from the menu bar to this box
    if (!isFocusMove(reason)) {
        return;
    }
    editor_->focusIn(box);
}

void EditorWindow::boxFocusOut(InputBox box, Qt::FocusReason reason) {
    if (reason == Qt::MenuBarFocusReason) {
        // Alt or Alt+F: the menu bar borrows the focus and hands it back when
        // it closes; only when the focus goes on elsewhere is the box left.
        lentToMenuBar_ = box;
        return;
    }
    if (!isFocusMove(reason)) {
        return;
    }
    editor_->focusOut(box);
}

void EditorWindow::settleLentFocus() {
    if (lentToMenuBar_) {
        const InputBox box = *lentToMenuBar_;
        lentToMenuBar_.reset();
        editor_->focusOut(box);
    }
}

// ---- EditorView ----

std::string EditorWindow::boxText(InputBox box) const {
    return inputBox(box)->text().toStdString();
}

void EditorWindow::setBoxText(InputBox box, const std::string& text) {
    inputBox(box)->setFullText(qs(text));
}

void EditorWindow::selectToEnd(InputBox box) {
    inputBox(box)->selectToEnd();
}

bool EditorWindow::hasTypingStep(InputBox box, HistoryDirection direction) const {
    const InputBoxEdit* edit = inputBox(box);
    return direction == HistoryDirection::Undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
}

void EditorWindow::takeTypingStep(InputBox box, HistoryDirection direction) {
    InputBoxEdit* edit = inputBox(box);
    if (direction == HistoryDirection::Undo) {
        edit->undo();
    } else {
        edit->redo();
    }
}

void EditorWindow::historyChanged() {
    refreshEditMenu();
}

void EditorWindow::focusBox(InputBox box) {
    InputBoxEdit* target = inputBox(box);
    QWidget* old = focusWidget();
    if (old == target) {
        return;
    }
    if (isActiveWindow()) {
        target->setFocus(Qt::OtherFocusReason);  // the focus events arrive now
        return;
    }
    // The window is not active (being shown, or a dialog has just closed and
    // the window system has not activated it again yet): Qt moves the focus
    // without events, so the editor hears of the move here.
    target->setFocus(Qt::OtherFocusReason);
    settleLentFocus();
    if (auto* oldBox = qobject_cast<InputBoxEdit*>(old);
        oldBox != nullptr && oldBox->window() == this) {
        editor_->focusOut(oldBox->box());
    }
    if (focusWidget() == target) {
        editor_->focusIn(box);
    }
}

std::optional<InputBox> EditorWindow::focusedBox() const {
    if (auto* box = qobject_cast<InputBoxEdit*>(focusWidget()); box != nullptr) {
        return box->box();
    }
    return std::nullopt;
}

void EditorWindow::setWindowCaption(const std::string& caption) {
    setWindowTitle(qs(caption));
}

void EditorWindow::setCounter(const std::string& text) {
    counter_->setText(qs(text));
}

void EditorWindow::setStatusLine(const std::string& text) {
    status_->setText(qs(text));
}

DrawingSurface* EditorWindow::textGauge() {
    if (!gauge_)
        gauge_ = std::make_unique<TextGauge>();
    return &gauge_->surface();
}

void EditorWindow::keepInView(double x, double y, double width, double height) {
    preview_->keepInView(QRectF(x, y, width, height));
}

void EditorWindow::setCandidateEnabled(bool enabled) {
    candidate_->setEnabled(enabled);
}

void EditorWindow::showTaxRate(TaxRate rate) {
    taxRate_->show(rate);
}

void EditorWindow::showQrContent(const std::string& content) {
    qrContent_->setText(qs(content));
}

QLineEdit* EditorWindow::buildQrPatternEdit() {
    qrPattern_ = new QLineEdit;
    qrPattern_->setObjectName(QStringLiteral("QRパターン"));
    qrPattern_->setAccessibleName(qs("QRコードのパターン"));
    qrPattern_->setPlaceholderText(qs("https://example.jp/item/{JAN}"));
    qrPattern_->setToolTip(qs("内容のないラベルの QRコード。{JAN} はラベルの JANコードになります"));
    connect(qrPattern_, &QLineEdit::editingFinished, this,
            [this] { editor_->setQrPattern(qrPattern_->text().toStdString()); });
    return qrPattern_;
}

void EditorWindow::showPriceNote(const std::string& note) {
    priceNote_->setText(qs(note));
    priceNote_->setVisible(!note.empty());
}

void EditorWindow::showLayout(const LayoutSettings& layout, const ViewState& view) {
    for (ElementFrame* frame : elementFrames_) {
        const LabelElement e = frame->element();
        frame->showStates(layout.isVisible(e), layout.isUnderlined(e));
    }
    border_->setText(qs(captions::forBorder(layout.borderOn)));
    xAdjust_->setText(qs(originAdjustText(layout, 0)));
    yAdjust_->setText(qs(originAdjustText(layout, 1)));
    zoom_->setText(qs(view.zoomCaption()));
    priceFrame_->show(layout.pricing);
    priceEmbedded_->show(layout.priceEmbedded);
    if (qrPattern_->text() != qs(layout.qrPattern))
        qrPattern_->setText(qs(layout.qrPattern));
}

void EditorWindow::paintPreview(const std::function<void(DrawingSurface&)>& draw) {
    preview_->picture()->paintBuffer(draw);
}

void EditorWindow::setScrollRanges(const ScrollRange& vertical, const ScrollRange& horizontal) {
    preview_->setScrollRanges(vertical, horizontal);
}

void EditorWindow::closeWindow() {
    close();
}
