#include "start/HelpWindow.h"

#include <QLabel>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help01"));
    setWindowTitle(QString::fromUtf8(kCaption));

    label1_ = new QLabel(QString::fromUtf8(kUpperText), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(QString::fromUtf8(kLowerText), this);
    label2_->setObjectName(QStringLiteral("Label2"));

    QFont font = label1_->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    for (QLabel* label : {label1_, label2_}) {
        label->setFont(font);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addStretch();
    setFixedSize(sizeHint());
}
