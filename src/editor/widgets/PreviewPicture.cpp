#include "editor/widgets/PreviewPicture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "platform/QtPaintSurface.h"

PreviewPicture::PreviewPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picDraw"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PreviewPicture::setPageSize(QSize pixels, double dotsPerInch) {
    // On a high-density screen the buffer holds the screen's own pixels, so
    // the sheet is as sharp as the screen allows; it is drawn in the same
    // (logical) pixels and millimetres either way.
    const qreal ratio = devicePixelRatioF() > 1.0 ? devicePixelRatioF() : 1.0;
    buffer_ = QImage(pixels * ratio, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(ratio);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    buffer_.setDotsPerMeterX(dotsPerMeter);
    buffer_.setDotsPerMeterY(dotsPerMeter);
    buffer_.fill(Qt::white);
    resize(pixels);
    update();
}

void PreviewPicture::paintBuffer(const std::function<void(DrawingSurface&)>& draw) {
    {
        QPainter painter(&buffer_);
        QtPaintSurface surface(painter);
        draw(surface);
    }
    update();
}

void PreviewPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = buffer_.devicePixelRatio();
    painter.drawImage(QRectF(area), buffer_,
                      QRectF(area.topLeft() * ratio, QSizeF(area.size()) * ratio));
}

void PreviewPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked(event->position());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
