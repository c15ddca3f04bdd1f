#include "start/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/logic/EditorMessages.h"
#include "editor/widgets/QtEditorDialogs.h"
#include "platform/ProgramNotice.h"
#include "platform/UserManual.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help01"));
    setWindowTitle(QString::fromUtf8(kCaption));

    label1_ = new QLabel(QString::fromUtf8(kUpperText), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(QString::fromUtf8(kLowerText), this);
    label2_->setObjectName(QStringLiteral("Label2"));

    manualLink_ = new QLabel(QStringLiteral("<a href=\"manual\">%1</a>")
                                 .arg(QString::fromUtf8(kManualLink).toHtmlEscaped()),
                             this);
    manualLink_->setObjectName(QStringLiteral("manualLink"));
    manualLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(manualLink_, &QLabel::linkActivated, this, [this] { openManual(this); });

    licenceLine_ = new QLabel(QStringLiteral("%1 <a href=\"notice\">%2</a>")
                                  .arg(QString::fromUtf8(kLicence).toHtmlEscaped(),
                                       QString::fromUtf8(kNoticeLink).toHtmlEscaped()),
                              this);
    licenceLine_->setObjectName(QStringLiteral("licenceLine"));
    licenceLine_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    connect(licenceLine_, &QLabel::linkActivated, this, &HelpWindow::openNotice);

    QFont font = label1_->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    for (QLabel* label : {label1_, label2_}) {
        label->setFont(font);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    manualLink_->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addSpacing(6);
    layout->addWidget(manualLink_);
    layout->addStretch();
    layout->addSpacing(6);
    layout->addWidget(licenceLine_);
    setFixedSize(sizeHint());
}

void HelpWindow::openManual(QWidget* parent) {
    if (!openUserManual()) {
        const QString path = userManualPath();
        QtEditorDialogs(parent).showMessage(messages::manualNotOpened(
            QDir::toNativeSeparators(path).toStdString(), QFileInfo::exists(path)));
    }
}

void HelpWindow::openNotice() {
    if (!openProgramNotice()) {
        const QString path = programNoticePath();
        QtEditorDialogs(this).showMessage(messages::noticeNotOpened(
            QDir::toNativeSeparators(path).toStdString(), QFileInfo::exists(path)));
    }
}
