#include "editor/widgets/PreviewArea.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "editor/logic/LabelEditor.h"
#include "editor/widgets/PreviewPicture.h"

namespace {

void applyRange(QScrollBar* bar, const EditorView::ScrollRange& range) {
    bar->setRange(0, range.maximum);
    bar->setPageStep(range.largeStep);
    bar->setSingleStep(range.smallStep);
    bar->setEnabled(range.maximum > 0);
}

}  // namespace

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("picFrame"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setAutoFillBackground(true);
    QPalette palette = frame_->palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    frame_->setPalette(palette);
    frame_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    frame_->setMinimumSize(200, 200);
    frame_->installEventFilter(this);

    picture_ = new PreviewPicture(frame_);
    picture_->installEventFilter(this);

    vertical_ = new QScrollBar(Qt::Vertical, this);
    vertical_->setObjectName(QStringLiteral("VScroll1"));
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    horizontal_->setObjectName(QStringLiteral("HScroll1"));
    for (QScrollBar* bar : {vertical_, horizontal_}) {
        bar->setTracking(false);  // follow completed scrolls only
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this, [this] { placePicture(); });
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(frame_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
}

void PreviewArea::setPageSize(QSize pixels, double dotsPerInch) {
    dotsPerInch_ = dotsPerInch > 0.0 ? dotsPerInch : 96.0;
    picture_->setPageSize(pixels, dotsPerInch_);
    placePicture();
}

QSize PreviewArea::pageTwips() const {
    const double t = twipsPerPixel();
    return QSize(static_cast<int>(std::lround(picture_->width() * t)),
                 static_cast<int>(std::lround(picture_->height() * t)));
}

QSize PreviewArea::frameTwips() const {
    const double t = twipsPerPixel();
    return QSize(static_cast<int>(std::lround(frame_->width() * t)),
                 static_cast<int>(std::lround(frame_->height() * t)));
}

void PreviewArea::setScrollRanges(const EditorView::ScrollRange& vertical,
                                  const EditorView::ScrollRange& horizontal) {
    applyRange(vertical_, vertical);
    applyRange(horizontal_, horizontal);
    placePicture();
}

namespace {

// The bar's value that shows [from, to) in a frame `frame` long, moving as
// little as possible; the start wins when the span is longer than the frame.
int valueShowing(const QScrollBar* bar, int from, int to, int frame) {
    int value = bar->value();
    if (to > value + frame)
        value = to - frame;
    if (from < value)
        value = from;
    return std::clamp(value, bar->minimum(), bar->maximum());
}

}  // namespace

void PreviewArea::keepInView(const QRectF& mm) {
    constexpr double kTwipsPerMm = 1440.0 / 25.4;
    const QSize frame = frameTwips();
    horizontal_->setValue(valueShowing(horizontal_, static_cast<int>(mm.left() * kTwipsPerMm),
                                       static_cast<int>(std::ceil(mm.right() * kTwipsPerMm)),
                                       frame.width()));
    vertical_->setValue(valueShowing(vertical_, static_cast<int>(mm.top() * kTwipsPerMm),
                                     static_cast<int>(std::ceil(mm.bottom() * kTwipsPerMm)),
                                     frame.height()));
}

void PreviewArea::fitRangesToFrame() {
    const QSize page = pageTwips();
    const QSize frame = frameTwips();
    setScrollRanges(scrollRangeFor(page.height(), frame.height()),
                    scrollRangeFor(page.width(), frame.width()));
}

void PreviewArea::placePicture() {
    const double t = twipsPerPixel();
    picture_->move(-static_cast<int>(std::lround(horizontal_->value() / t)),
                   -static_cast<int>(std::lround(vertical_->value() / t)));
}

bool PreviewArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_ && event->type() == QEvent::Resize) {
        fitRangesToFrame();
    } else if (event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(vertical_, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
