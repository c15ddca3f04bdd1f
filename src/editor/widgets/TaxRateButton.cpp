#include "editor/widgets/TaxRateButton.h"

#include <QShortcut>

#include "editor/logic/LabelEditor.h"

namespace {

QString rateCaption(TaxRate rate) {
    switch (rate) {
        case TaxRate::Reduced:
            return QStringLiteral("税率 8%");
        case TaxRate::Exempt:
            return QStringLiteral("非課税");
        case TaxRate::Standard:
            break;
    }
    return QStringLiteral("税率 10%");
}

}  // namespace

TaxRateButton::TaxRateButton(LabelEditor& editor, QWidget* parent)
    : QPushButton(rateCaption(TaxRate::Standard), parent) {
    setObjectName(QStringLiteral("税率"));
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("税率"));
    setToolTip(QStringLiteral("この棚札の税率を 10% と 8% (軽減税率) で切り替えます (Ctrl+T)"));
    connect(this, &QPushButton::clicked, this, [&editor] { editor.toggleTaxRate(); });
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, [&editor] { editor.toggleTaxRate(); });
}

void TaxRateButton::show(TaxRate rate) {
    setText(rateCaption(rate));
}
