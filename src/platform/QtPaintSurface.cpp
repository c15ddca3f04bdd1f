#include "platform/QtPaintSurface.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/FontSubstitution.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;
// The smallest text size drawn; a stored size of zero or less (a damaged
// layout) is drawn at this size rather than handed to the font system.
constexpr double kMinimumPointSize = 1.0;

constexpr double kTwipsPerMillimetre = kTwipsPerInch / 25.4;

QColor toQColor(Color color) {
    const auto bits = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

// A device pixel edge for a coordinate: the nearest pixel boundary.
int snap(double devicePixels) {
    if (!std::isfinite(devicePixels)) {
        return 0;
    }
    const double clamped = std::clamp(devicePixels, -1.0e8, 1.0e8);
    return static_cast<int>(std::lround(clamped));
}

// Pixel edges [from, to) of a span that starts at `start` and is `length`
// long, both in device pixels. A span of positive length covers at least one
// pixel, so nothing drawn disappears at a low resolution.
std::pair<int, int> snapSpan(double start, double length) {
    double a = start;
    double b = start + length;
    if (b < a) {
        std::swap(a, b);
    }
    const int from = snap(a);
    int to = snap(b);
    if (to == from && b > a) {
        to = from + 1;
    }
    return {from, to};
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

struct QtPaintSurface::State {
    QPainter& painter;
    SurfaceUnit unit = SurfaceUnit::Millimetres;
    double dpiX = 96.0;
    double dpiY = 96.0;
    int lineWidth = 1;
    QColor textColor = Qt::black;
    SurfaceFont font;
    bool fontSet = false;
    double ascent = 0.0;  // device pixels, of the current font
    // The font as save() found it: the painter's restore() brings its font
    // back, so the font known to be set must come back with it, or a later
    // setFont of the same font would be skipped and draw in the restored one.
    struct SavedFont {
        SurfaceFont font;
        bool fontSet = false;
        double ascent = 0.0;
    };
    std::vector<SavedFont> savedFonts;
    // Within a fill run, filled rectangles that continue one another to the
    // right in the same colour (the modules of a barcode) are painted as one:
    // the same pixels, far fewer painting calls on a PDF page.
    bool inFillRun = false;
    QRect pendingFill;
    QColor pendingColor;

    void flushFill() {
        if (!pendingFill.isEmpty() && painter.isActive())
            painter.fillRect(pendingFill, pendingColor);
        pendingFill = QRect();
    }

    explicit State(QPainter& p) : painter(p) {}

    // The current origin in millimetres from the device's corner, and the
    // origins kept by save(). Held in millimetres, so that a label's corner
    // plus a position inside it comes to the same device pixel as the sum
    // given at once.
    SurfacePoint originMm;
    std::vector<SurfacePoint> savedOrigins;

    double mmToDeviceX(double mm) const { return mm * dpiX * kTwipsPerMillimetre / kTwipsPerInch; }
    double mmToDeviceY(double mm) const { return mm * dpiY * kTwipsPerMillimetre / kTwipsPerInch; }
    // A position in the current unit, from the current origin, in device pixels.
    double toDeviceX(double v) const {
        return unit == SurfaceUnit::Pixels ? mmToDeviceX(originMm.x) + v
                                           : mmToDeviceX(originMm.x + v);
    }
    double toDeviceY(double v) const {
        return unit == SurfaceUnit::Pixels ? mmToDeviceY(originMm.y) + v
                                           : mmToDeviceY(originMm.y + v);
    }
    // A length in the current unit, in device pixels.
    double lengthX(double v) const { return unit == SurfaceUnit::Pixels ? v : mmToDeviceX(v); }
    double lengthY(double v) const { return unit == SurfaceUnit::Pixels ? v : mmToDeviceY(v); }
    QRect deviceRect(double x, double y, double width, double height) const {
        const auto [left, right] = snapSpan(toDeviceX(x), lengthX(width));
        const auto [top, bottom] = snapSpan(toDeviceY(y), lengthY(height));
        return QRect(left, top, right - left, bottom - top);
    }
};

QtPaintSurface::QtPaintSurface(QPainter& painter) : state_(std::make_unique<State>(painter)) {
    installJapaneseFontSubstitutions();
    if (const QPaintDevice* device = painter.device()) {
        if (device->logicalDpiX() > 0) {
            state_->dpiX = device->logicalDpiX();
        }
        if (device->logicalDpiY() > 0) {
            state_->dpiY = device->logicalDpiY();
        }
    }
    if (painter.isActive()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setBrush(Qt::NoBrush);
    }
}

QtPaintSurface::~QtPaintSurface() {
    state_->flushFill();
}

void QtPaintSurface::beginFillRun() {
    state_->inFillRun = true;
}

void QtPaintSurface::endFillRun() {
    state_->flushFill();
    state_->inFillRun = false;
}

SurfaceUnit QtPaintSurface::unit() const {
    return state_->unit;
}

void QtPaintSurface::setUnit(SurfaceUnit unit) {
    state_->flushFill();
    state_->unit = unit;
}

void QtPaintSurface::save() {
    state_->flushFill();
    state_->savedOrigins.push_back(state_->originMm);
    state_->savedFonts.push_back({state_->font, state_->fontSet, state_->ascent});
    if (ok())
        state_->painter.save();
}

void QtPaintSurface::restore() {
    state_->flushFill();
    if (state_->savedOrigins.empty())
        return;  // an unmatched restore() keeps the frame it is in
    state_->originMm = state_->savedOrigins.back();
    state_->savedOrigins.pop_back();
    const State::SavedFont saved = state_->savedFonts.back();
    state_->savedFonts.pop_back();
    state_->font = saved.font;
    state_->fontSet = saved.fontSet;
    state_->ascent = saved.ascent;
    if (ok())
        state_->painter.restore();
}

void QtPaintSurface::translate(double dx, double dy) {
    state_->flushFill();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    if (state_->unit == SurfaceUnit::Millimetres) {
        state_->originMm.x += dx;
        state_->originMm.y += dy;
        return;
    }
    state_->originMm.x += dx / state_->mmToDeviceX(1.0);
    state_->originMm.y += dy / state_->mmToDeviceY(1.0);
}

void QtPaintSurface::clipRect(double x, double y, double width, double height) {
    state_->flushFill();
    if (!ok())
        return;
    // On the same pixel edges as a filled rectangle of that size, so a label
    // filled to its edge is painted whole and nothing beyond it.
    QPainter& p = state_->painter;
    p.setClipRect(state_->deviceRect(x, y, width, height),
                  p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

SurfacePoint QtPaintSurface::origin() const {
    const SurfacePoint mm = state_->originMm;
    if (state_->unit == SurfaceUnit::Millimetres)
        return mm;
    return {state_->mmToDeviceX(mm.x), state_->mmToDeviceY(mm.y)};
}

void QtPaintSurface::clear() {
    state_->flushFill();
    if (!ok()) {
        return;
    }
    const QPaintDevice* device = state_->painter.device();
    state_->painter.fillRect(QRect(0, 0, device->width(), device->height()), Qt::white);
}

void QtPaintSurface::setTransparentFill() {
    // Outline rectangles are never filled; the brush stays empty.
    if (ok()) {
        state_->painter.setBrush(Qt::NoBrush);
    }
}

void QtPaintSurface::setFont(const SurfaceFont& font) {
    if (!ok()) {
        return;
    }
    if (state_->fontSet && state_->font == font) {
        return;
    }
    QFont qfont(QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size())));
    const double size =
        std::isfinite(font.sizePt) ? std::max(font.sizePt, kMinimumPointSize) : kMinimumPointSize;
    qfont.setPointSizeF(std::min(size, 2000.0));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    state_->painter.setFont(qfont);
    state_->ascent = QFontMetricsF(qfont, state_->painter.device()).ascent();
    state_->font = font;
    state_->fontSet = true;
}

void QtPaintSurface::setTextColor(Color color) {
    state_->textColor = toQColor(color);
}

void QtPaintSurface::drawText(double x, double y, std::string_view text) {
    state_->flushFill();
    if (!ok() || text.empty()) {
        return;
    }
    if (!state_->fontSet) {
        setFont(SurfaceFont{});
    }
    const double px = state_->toDeviceX(x);
    const double py = state_->toDeviceY(y) + state_->ascent;
    if (!std::isfinite(px) || !std::isfinite(py)) {
        return;
    }
    state_->painter.setPen(state_->textColor);
    state_->painter.drawText(QPointF(px, py),
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

namespace {

// Qt adds advances in 26.6 fixed point, which wraps past 2^25 device pixels:
// a long text in a large font at printer resolution measured negative or
// small and was taken to fit. The text is measured in pieces that stay far
// below that, each piece as many characters as the font could never make
// wider than it, and the pieces are added up here as doubles.
double advanceInPieces(const QFontMetricsF& metrics, const QString& text) {
    constexpr double kSafePiece = 4.0e6;  // device pixels, an eighth of the wrap
    constexpr double kWidestCharacterInEms = 4.0;
    const double em = std::max(1.0, metrics.height());
    const auto piece =
        static_cast<qsizetype>(std::clamp(kSafePiece / (em * kWidestCharacterInEms), 2.0, 65536.0));
    double pixels = 0.0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = std::min(piece, text.size() - from);
        // A pair of surrogates stays in one piece.
        if (from + count < text.size() && text.at(from + count - 1).isHighSurrogate())
            --count;
        pixels += metrics.horizontalAdvance(text.mid(from, count));
        from += count;
    }
    return pixels;
}

}  // namespace

double QtPaintSurface::textWidth(std::string_view text) const {
    if (!ok() || text.empty())
        return 0.0;
    const QFontMetricsF metrics(state_->painter.font(), state_->painter.device());
    const double pixels = advanceInPieces(metrics, toQString(text));
    const double perUnit = state_->lengthX(1.0);
    return perUnit > 0.0 ? pixels / perUnit : 0.0;
}

bool QtPaintSurface::canDrawText(std::string_view text) const {
    if (!ok() || text.empty())
        return true;
    // Most texts are all in the element's own font: asked of it directly,
    // which is cheap, as the batch checks every label it prints.
    const QString chars = toQString(text);
    const QFontMetricsF metrics(state_->painter.font(), state_->painter.device());
    bool allInFont = true;
    for (const char32_t c : chars.toUcs4())
        allInFont = allInFont && metrics.inFontUcs4(c);
    if (allInFont)
        return true;
    // Laid out as it would be drawn, fallback fonts included: a character no
    // font has comes out as glyph 0, the empty box.
    QTextLayout layout(chars, state_->painter.font(), state_->painter.device());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 glyph : run.glyphIndexes()) {
            if (glyph == 0)
                return false;
        }
    }
    return true;
}

void QtPaintSurface::drawCondensedText(double x, double y, std::string_view text, double scale,
                                       double clipRight) {
    state_->flushFill();
    if (!ok() || text.empty())
        return;
    if (!state_->fontSet)
        setFont(SurfaceFont{});
    const double px = state_->toDeviceX(x);
    const double py = state_->toDeviceY(y) + state_->ascent;
    const double right = state_->toDeviceX(clipRight);
    if (!std::isfinite(px) || !std::isfinite(py) || !(scale > 0.0) || !std::isfinite(right))
        return;
    QPainter& p = state_->painter;
    p.save();
    // Nothing beyond the label's right edge, whatever the scale.
    const double tall = 1.0e6;
    p.setClipRect(QRectF(right - 2 * tall, -tall, 2 * tall, 2 * tall),
                  p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    p.translate(px, py);
    p.scale(scale, 1.0);
    p.setPen(state_->textColor);
    p.drawText(QPointF(0.0, 0.0), toQString(text));
    p.restore();
}

void QtPaintSurface::drawRect(double x, double y, double width, double height, Color color) {
    state_->flushFill();
    if (!ok()) {
        return;
    }
    const QRect r = state_->deviceRect(x, y, width, height);
    QPen pen(toQColor(color));
    pen.setWidth(state_->lineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    state_->painter.setPen(pen);
    state_->painter.setBrush(Qt::NoBrush);
    // The outline runs along the pixels of both corners, as a box drawn from
    // (x, y) to (x + width, y + height) inclusive.
    // (A stroked QRect covers its size plus the pen width.)
    state_->painter.drawRect(r);
}

void QtPaintSurface::fillRect(double x, double y, double width, double height, Color color) {
    if (!ok()) {
        return;
    }
    const QRect r = state_->deviceRect(x, y, width, height);
    if (r.isEmpty()) {
        return;
    }
    const QColor c = toQColor(color);
    if (!state_->inFillRun) {
        state_->flushFill();
        state_->painter.fillRect(r, c);
        return;
    }
    QRect& pending = state_->pendingFill;
    if (!pending.isEmpty() && c == state_->pendingColor && r.top() == pending.top() &&
        r.height() == pending.height() && r.left() == pending.right() + 1) {
        pending.setRight(r.right());
        return;
    }
    state_->flushFill();
    pending = r;
    state_->pendingColor = c;
}

void QtPaintSurface::drawLine(double x1, double y1, double x2, double y2, Color color) {
    state_->flushFill();
    if (!ok()) {
        return;
    }
    QPen pen(toQColor(color));
    pen.setWidth(state_->lineWidth);
    state_->painter.setPen(pen);
    state_->painter.drawLine(QPoint(snap(state_->toDeviceX(x1)), snap(state_->toDeviceY(y1))),
                             QPoint(snap(state_->toDeviceX(x2)), snap(state_->toDeviceY(y2))));
}

void QtPaintSurface::setLineWidth(int pixels) {
    state_->lineWidth = std::max(1, pixels);
}

double QtPaintSurface::twipsPerPixelX() const {
    return kTwipsPerInch / state_->dpiX;
}

double QtPaintSurface::twipsPerPixelY() const {
    return kTwipsPerInch / state_->dpiY;
}

bool QtPaintSurface::ok() const {
    return state_->painter.isActive();
}
