#pragma once

#include <QGroupBox>

#include "model/PriceEmbeddedRule.h"

class LabelEditor;
class QComboBox;

// The frame 価格入りコード: the flag the shop's registers read as a
// price-embedded code (なし, 02, 20 to 29) and the layout of its digits, part
// of the print pattern.
class PriceEmbeddedFrame : public QGroupBox {
    Q_OBJECT

  public:
    explicit PriceEmbeddedFrame(LabelEditor& editor, QWidget* parent = nullptr);

    // Shows `rule` without running any command.
    void show(const PriceEmbeddedRule& rule);

  private:
    PriceEmbeddedRule chosen() const;

    QComboBox* flag_ = nullptr;
    QComboBox* layout_ = nullptr;
};
