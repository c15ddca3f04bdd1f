#include "start/StartPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "platform/QtPaintSurface.h"
#include "render/SheetRenderer.h"

namespace {

// The part of the page shown, in millimetres: every column of two full rows of
// labels and the top of the third, with a small margin of paper around them.
constexpr double kMarginMm = 4.0;
constexpr int kFullRowsShown = 2;
constexpr double kNextRowShownMm = 18.0;

struct ShownArea {
    double widthMm;
    double heightMm;
    int labels;  // the labels (partly) in sight, from the first
};

ShownArea shownArea(const LabelStock& stock) {
    const double width = (stock.columns - 1) * stock.pitchXMm + stock.labelWidthMm;
    const double height = kFullRowsShown * stock.pitchYMm + kNextRowShownMm;
    return {width + 2 * kMarginMm, height + kMarginMm,
            std::min(stock.labelCount(), stock.columns * (kFullRowsShown + 1))};
}

// The picture's pattern: the default one, with the first label at the margin.
LayoutSettings sampleLayout() {
    LayoutSettings layout = initialLayoutSettings();
    layout.originX = kMarginMm;
    layout.originY = kMarginMm;
    return layout;
}

LabelSheet sampleSheet(const LabelStock& stock) {
    LabelSheet sheet(stock);
    const LabelRecord samples[] = {
        {"4901234567894", "山田製菓", "ほうじ茶クッキー", "１２枚入", "", "298"},
        {"4912345678904", "丸山食品", "有機みかんジュース", "１０００ｍｌ", "", "398"},
        {"4945678901234", "青葉文具", "ゲルインクボールペン", "０．５ｍｍ", "１０本入", "980"},
        {"49123456", "森の工房", "木製まな板", "30×20cm", "", "1980"},
        {"4567890123456", "山田製菓", "黒糖かりんとう", "２００ｇ", "", "248"},
        {"4901234567894", "丸山食品", "国産りんご酢", "５００ｍｌ", "", "458"},
    };
    int number = 1;
    for (const LabelRecord& sample : samples) {
        if (number > sheet.labelCount())
            break;
        sheet.label(number++) = sample;
    }
    return sheet;
}

}  // namespace

QImage drawSampleSheet(int widthPx) {
    const LayoutSettings layout = sampleLayout();
    const LabelStock& stock = layout.stock;
    const ShownArea shown = shownArea(stock);
    const double pixelsPerMm = widthPx / shown.widthMm;
    const int heightPx = static_cast<int>(std::lround(shown.heightMm * pixelsPerMm));
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    // The image's resolution makes millimetres and points come out at the
    // picture's scale.
    const int dotsPerMeter = static_cast<int>(std::lround(pixelsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);

    QPainter painter(&image);
    // The cuts between the labels of the card stock.
    painter.setPen(QColor(0xD8, 0xDC, 0xE0));
    for (int number = 1; number <= shown.labels; ++number) {
        const PointMm cell = stock.cellOrigin(number, {layout.originX, layout.originY});
        painter.drawRect(QRectF(cell.x * pixelsPerMm, cell.y * pixelsPerMm,
                                stock.labelWidthMm * pixelsPerMm,
                                stock.labelHeightMm * pixelsPerMm));
    }

    QtPaintSurface surface(painter);
    drawSheet(surface, sampleSheet(stock), layout, RenderOptions::paper());
    return image;
}

StartPicture::StartPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("棚札の印刷見本"));
}

QSize StartPicture::sizeHint() const {
    return QSize(620, 480);
}

void StartPicture::setMargins(int top, int bottom) {
    topMargin_ = top;
    bottomMargin_ = bottom;
    cache_ = QImage();
    update();
}

void StartPicture::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = size() * ratio;
    if (cache_.size() != devicePixels) {
        cache_ = QImage(devicePixels, QImage::Format_RGB32);
        cache_.setDevicePixelRatio(ratio);
        QPainter painter(&cache_);
        painter.setRenderHint(QPainter::Antialiasing);

        // The desk.
        QLinearGradient desk(0, 0, 0, height());
        desk.setColorAt(0.0, QColor(0x3E, 0x5C, 0x76));
        desk.setColorAt(1.0, QColor(0x24, 0x3B, 0x4F));
        painter.fillRect(rect(), desk);

        // The card, as large as the space between the buttons allows.
        const QRectF space = QRectF(rect()).adjusted(16, topMargin_ + 12, -16, -bottomMargin_ - 12);
        if (space.width() > 20 && space.height() > 20) {
            const ShownArea shown = shownArea(sampleLayout().stock);
            const double aspect = shown.heightMm / shown.widthMm;
            double width = space.width();
            if (width * aspect > space.height())
                width = space.height() / aspect;
            const QRectF card(space.center().x() - width / 2,
                              space.center().y() - width * aspect / 2, width, width * aspect);
            painter.fillRect(card.translated(4, 5), QColor(0, 0, 0, 70));  // shadow
            QImage sheet = drawSampleSheet(static_cast<int>(std::lround(width * ratio)));
            sheet.setDevicePixelRatio(ratio);
            painter.drawImage(card.topLeft(), sheet);
        }
    }
    QPainter(this).drawImage(0, 0, cache_);
}
