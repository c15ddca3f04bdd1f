#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

// Picture1, the start window's picture: the top of a finished label sheet,
// four sample labels and the beginning of the next row, printed by the same
// renderer as the real sheet (with real barcodes) on a paper card lying on a
// desk. The picture is drawn on its first paint and kept until the widget's
// size changes, so the start window opens without waiting for it.
class StartPicture : public QWidget {
    Q_OBJECT

  public:
    explicit StartPicture(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Space kept free at the top and the bottom for the buttons laid over
    // the picture, in widget pixels.
    void setMargins(int top, int bottom);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage cache_;
    int topMargin_ = 0;
    int bottomMargin_ = 0;
};

// The printed part of the sheet: `widthPx` device pixels wide, with the
// height that keeps the sheet's proportions, white paper with the label
// cuts in light grey. Exposed for tests.
QImage drawSampleSheet(int widthPx);
