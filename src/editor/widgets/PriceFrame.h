#pragma once

#include <QGroupBox>
#include <array>

#include "model/TaxRate.h"

class LabelEditor;
class QRadioButton;

// The frame 価格表示: how the sheet shows its prices (税込のみ, 本体＋税込 or
// 税込＋本体)
// and how the tax-inclusive amount is rounded, both part of the print pattern.
class PriceFrame : public QGroupBox {
    Q_OBJECT

  public:
    explicit PriceFrame(LabelEditor& editor, QWidget* parent = nullptr);

    // Checks the buttons of `pricing` without running any command.
    void show(const PricePattern& pricing);

  private:
    std::array<QRadioButton*, 3> modes_{};
    std::array<QRadioButton*, 3> roundings_{};
};
