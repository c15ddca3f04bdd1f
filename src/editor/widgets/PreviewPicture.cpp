#include "editor/widgets/PreviewPicture.h"

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
    buffer_ = QImage(pixels, QImage::Format_RGB32);
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
        QtPaintSurface surface(painter, false);
        draw(surface);
    }
    update();
}

void PreviewPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), buffer_, event->rect());
}
