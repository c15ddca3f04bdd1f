#include "editor/widgets/StockPicture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// More labels than this are not drawn one by one: the stock is refused anyway,
// and a count typed as a million must not hang the dialog.
constexpr int kMostDrawnLabels = 400;
constexpr double kMarginPx = 8.0;

bool drawable(double mm) {
    return std::isfinite(mm) && std::fabs(mm) < 10000.0;
}

}  // namespace

StockPicture::StockPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("用紙の図"));
    setMinimumSize(160, 200);
    setAccessibleName(QString::fromUtf8("用紙の図"));
}

void StockPicture::show(const LabelStock& stock, bool printable) {
    stock_ = stock;
    printable_ = printable;
    update();
}

void StockPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const PaperSize& paper = stock_.paper;
    if (!drawable(paper.widthMm) || !drawable(paper.heightMm) || paper.widthMm <= 0 ||
        paper.heightMm <= 0)
        return;
    const double scale = std::min((width() - 2 * kMarginPx) / paper.widthMm,
                                  (height() - 2 * kMarginPx) / paper.heightMm);
    const QSizeF page(paper.widthMm * scale, paper.heightMm * scale);
    painter.translate((width() - page.width()) / 2.0, (height() - page.height()) / 2.0);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), page), Qt::white);
    painter.setPen(QPen(Qt::darkGray, 1.0));
    painter.drawRect(QRectF(QPointF(0, 0), page));

    const bool countable = stock_.columns > 0 && stock_.rows > 0 &&
                           static_cast<long long>(stock_.columns) * stock_.rows <= kMostDrawnLabels;
    if (!countable || !drawable(stock_.labelWidthMm) || !drawable(stock_.labelHeightMm) ||
        !drawable(stock_.pitchXMm) || !drawable(stock_.pitchYMm))
        return;
    const double radius = drawable(stock_.cornerRadiusMm) ? stock_.cornerRadiusMm * scale : 0.0;
    painter.setPen(QPen(printable_ ? QColor(0x20, 0x40, 0xC0) : QColor(0xC0, 0x00, 0x00), 1.0));
    painter.setBrush(printable_ ? QColor(0xE8, 0xEE, 0xFF) : QColor(0xFF, 0xE8, 0xE8));
    for (int n = 1; n <= stock_.labelCount(); ++n) {
        const PointMm cell = stock_.cellOrigin(n, stock_.firstLabel);
        const QRectF label(cell.x * scale, cell.y * scale, stock_.labelWidthMm * scale,
                           stock_.labelHeightMm * scale);
        painter.drawRoundedRect(label, radius, radius);
    }
}
