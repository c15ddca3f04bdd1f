#include "editor/widgets/PriceEmbeddedFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <algorithm>

#include "barcode/InStoreCode.h"
#include "editor/logic/LabelEditor.h"

PriceEmbeddedFrame::PriceEmbeddedFrame(LabelEditor& editor, QWidget* parent)
    : QGroupBox(QString::fromUtf8("価格入りコード"), parent) {
    setObjectName(QString::fromUtf8("価格入りコード"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 6);
    flag_ = new QComboBox;
    flag_->setObjectName(QString::fromUtf8("価格入りフラグ"));
    flag_->setAccessibleName(QString::fromUtf8("価格入りコードのフラグ"));
    flag_->addItem(QString::fromUtf8("なし"), QString());
    flag_->addItem(QStringLiteral("02"), QStringLiteral("02"));
    for (int second = 0; second <= 9; ++second)
        flag_->addItem(QStringLiteral("2%1").arg(second), QStringLiteral("2%1").arg(second));
    layout_ = new QComboBox;
    layout_->setObjectName(QString::fromUtf8("価格入り桁"));
    layout_->setAccessibleName(QString::fromUtf8("商品コードと価格の桁"));
    for (const PriceEmbeddedLayout& layout : priceEmbeddedLayouts()) {
        const QString name =
            QString::fromUtf8(layout.name.data(), static_cast<int>(layout.name.size()));
        layout_->addItem(name, name);
    }
    row->addWidget(flag_);
    row->addWidget(layout_);
    const auto changed = [this, &editor] { editor.setPriceEmbeddedRule(chosen()); };
    connect(flag_, &QComboBox::activated, this, changed);
    connect(layout_, &QComboBox::activated, this, changed);
}

PriceEmbeddedRule PriceEmbeddedFrame::chosen() const {
    return {flag_->currentData().toString().toStdString(),
            layout_->currentData().toString().toStdString()};
}

void PriceEmbeddedFrame::show(const PriceEmbeddedRule& rule) {
    const QSignalBlocker flagBlocker(flag_);
    const QSignalBlocker layoutBlocker(layout_);
    flag_->setCurrentIndex(std::max(0, flag_->findData(QString::fromStdString(rule.flag))));
    layout_->setCurrentIndex(std::max(0, layout_->findData(QString::fromStdString(rule.layout))));
}
