#include "platform/TextGauge.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "platform/QtPaintSurface.h"

namespace {

constexpr double kGaugeDotsPerInch = 600.0;

}  // namespace

struct TextGauge::State {
    QImage picture{1, 1, QImage::Format_RGB32};
    QPainter painter;
    std::unique_ptr<QtPaintSurface> surface;  // ends before the painter does
};

TextGauge::TextGauge() : state_(std::make_unique<State>()) {
    const int dotsPerMeter = static_cast<int>(std::lround(kGaugeDotsPerInch / 0.0254));
    state_->picture.setDotsPerMeterX(dotsPerMeter);
    state_->picture.setDotsPerMeterY(dotsPerMeter);
    state_->painter.begin(&state_->picture);
    state_->surface = std::make_unique<QtPaintSurface>(state_->painter);
}

TextGauge::~TextGauge() = default;

DrawingSurface& TextGauge::surface() {
    return *state_->surface;
}
