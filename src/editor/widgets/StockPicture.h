#pragma once

#include <QWidget>

#include "model/LabelStock.h"

// The live picture of a stock in the 用紙の設定 dialog: the paper in white and
// every label's outline (with its corner radius) where it stands, scaled to
// fit. A stock that cannot be printed on is drawn in red, as far as it can be.
class StockPicture : public QWidget {
    Q_OBJECT

  public:
    explicit StockPicture(QWidget* parent = nullptr);

    void show(const LabelStock& stock, bool printable);
    QSize sizeHint() const override { return {240, 320}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    LabelStock stock_;
    bool printable_ = true;
};
