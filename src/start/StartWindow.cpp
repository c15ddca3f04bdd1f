#include "start/StartWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "editor/widgets/EditorWindow.h"
#include "start/HelpWindow.h"
#include "start/StartPicture.h"

namespace {

constexpr int kTopBand = 44;     // the link to the manual
constexpr int kBottomBand = 64;  // "作成" and "終了"

QPushButton* commandButton(const char* objectName, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(objectName));
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    button->setFont(font);
    button->setMinimumSize(120, 38);
    return button;
}

}  // namespace

StartWindow::StartWindow(SettingsLocation settingsLocation, QString recoveryFolder, QWidget* parent)
    : QMainWindow(parent),
      settingsLocation_(std::move(settingsLocation)),
      recoveryFolder_(std::move(recoveryFolder)) {
    setObjectName(QStringLiteral("tanahuda"));
    setWindowTitle(QString::fromUtf8(kCaption));

    picture_ = new StartPicture(this);
    picture_->setMargins(kTopBand, kBottomBand);
    setCentralWidget(picture_);

    // The link at the top opens the manual this PC holds: no web address is
    // needed, nor a network.
    manualButton_ = new QPushButton(QString::fromUtf8(HelpWindow::kManualLink), picture_);
    manualButton_->setObjectName(QStringLiteral("Command5"));
    manualButton_->setCursor(Qt::PointingHandCursor);
    manualButton_->setFlat(true);
    manualButton_->setStyleSheet(
        QStringLiteral("QPushButton { color: white; border: none; text-decoration: underline;"
                       " padding: 6px 12px; }"
                       "QPushButton:hover { color: #FFE9A8; }"
                       "QPushButton:focus { border: 1px dotted white; }"));
    manualButton_->setToolTip(QStringLiteral("使い方 (マニュアル) をブラウザーで開きます"));

    createButton_ = commandButton("Command1", "作成", picture_);
    quitButton_ = commandButton("Command4", "終了", picture_);

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(manualButton_);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(createButton_);
    bottom->addSpacing(12);
    bottom->addWidget(quitButton_);
    auto* layout = new QVBoxLayout(picture_);
    layout->setContentsMargins(16, 8, 16, 14);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(bottom);

    helpAction_ = menuBar()->addAction(QStringLiteral("使い方"));
    helpAction_->setObjectName(QStringLiteral("HELP1"));

    connect(createButton_, &QPushButton::clicked, this, &StartWindow::showInputWindow);
    connect(quitButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(manualButton_, &QPushButton::clicked, this, &StartWindow::openManual);
    connect(helpAction_, &QAction::triggered, this, &StartWindow::showHelpWindow);

    setMinimumSize(420, 340);
    createButton_->setFocus();
}

StartWindow::~StartWindow() {
    // Both windows are top-level windows of their own (closing this one leaves
    // them open); whatever is still there when the program ends goes with it.
    delete helpWindow_.data();
    delete inputWindow_.data();
}

QWidget* StartWindow::helpWindow() const {
    return helpWindow_;
}

void StartWindow::showInputWindow() {
    emit inputWindowRequested();
    if (!inputWindow_) {
        // A new window starts afresh, reading the preferred pattern from where
        // it is kept now.
        auto* window = new EditorWindow(settingsLocation_.paths());
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!recoveryFolder_.isEmpty()) {
            window->enableRecovery(recoveryFolder_);
        }
        inputWindow_ = window;
    }
    inputWindow_->show();
    inputWindow_->raise();
    inputWindow_->activateWindow();
    emit inputWindowShown(inputWindow_);
}

void StartWindow::openLabelFile(const std::string& path) {
    showInputWindow();
    if (auto* window = qobject_cast<EditorWindow*>(inputWindow_.data()))
        window->editor().openFileAt(path);
}

void StartWindow::openManual() {
    HelpWindow::openManual(this);
}

void StartWindow::showHelpWindow() {
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow;
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}
