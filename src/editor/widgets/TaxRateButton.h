#pragma once

#include <QPushButton>

#include "model/TaxRate.h"

class LabelEditor;

// The rate control beside the price box: shows the rate of the label being
// typed and switches it between 10 % and 8 % when clicked or with Ctrl+T. It
// never takes the keyboard focus, so the box being typed in stays, and it
// stands outside the Enter cycle of the input boxes.
class TaxRateButton : public QPushButton {
    Q_OBJECT

  public:
    explicit TaxRateButton(LabelEditor& editor, QWidget* parent = nullptr);

    void show(TaxRate rate);
};
