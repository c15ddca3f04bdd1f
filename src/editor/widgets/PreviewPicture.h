#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "render/DrawingSurface.h"

// The preview picture picDraw: a white picture of the whole printer page at
// screen resolution. The sheet is drawn into a buffer that persists, so
// covering and uncovering the window repaints from it without drawing the
// sheet again.
class PreviewPicture : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewPicture(QWidget* parent = nullptr);

    // Makes the buffer `pixels` large, at `dotsPerInch`, all white.
    void setPageSize(QSize pixels, double dotsPerInch);
    // Draws onto the buffer with `draw` and repaints.
    void paintBuffer(const std::function<void(DrawingSurface&)>& draw);

    const QImage& buffer() const { return buffer_; }
    QSize sizeHint() const override { return size(); }

  signals:
    // A left click at `point`, in the picture's (logical) pixels.
    void clicked(QPointF point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage buffer_;
};
