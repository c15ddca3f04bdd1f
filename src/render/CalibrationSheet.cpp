#include "render/CalibrationSheet.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "render/LabelFrame.h"

namespace {

constexpr const char* kFontName = "ＭＳ ゴシック";
constexpr double kCrossArm = 4.0;    // mm each way from the corner
constexpr double kShortMark = 1.5;   // mm, every millimetre
constexpr double kLongMark = 4.0;    // mm, every fifth
constexpr double kNumberSize = 6.0;  // pt
constexpr double kLineMm = 0.15;     // drawn line width
// How far into the first label each scale crosses the other edge: beyond the
// reach of the other adjustment, so the stock's edge always meets the scale.
constexpr double kScaleInset = kCalibrationRange + 10.0;
// Numbers stand clear of their mark and of the label's edge through mark 0.
constexpr double kNumberGap = 0.4;

std::string signedNumber(double value) {
    char text[32];
    if (value == std::round(value))
        std::snprintf(text, sizeof text, "%+d", static_cast<int>(std::lround(value)));
    else
        std::snprintf(text, sizeof text, "%+.1f", value);
    // Zero carries no sign.
    return std::string(text) == "+0" ? "0" : text;
}

// Lines about kLineMm wide in the surface's pixels.
void setLineWidth(DrawingSurface& surface) {
    const double pixelMm = surface.twipsPerPixelX() / 56.7;
    surface.setLineWidth(std::max(1, static_cast<int>(std::lround(kLineMm / pixelMm))));
}

void drawOutlinesAndCrosses(DrawingSurface& surface, const LayoutSettings& layout) {
    surface.setTransparentFill();
    // Not clipped: the crosses reach beyond the label on purpose.
    for (int k = 1; k <= layout.stock.labelCount(); ++k) {
        const LabelFrame frame(surface, layout, k, 1.0, FrameClip::None);
        surface.drawRect(0, 0, layout.stock.labelWidthMm, layout.stock.labelHeightMm, kBlack);
        surface.drawLine(-kCrossArm, 0, kCrossArm, 0, kBlack);
        surface.drawLine(0, -kCrossArm, 0, kCrossArm, kBlack);
    }
}

// The X scale: horizontal, across the first label's left edge, kScaleInset
// below its top edge, where the stock's left edge crosses it whatever the Y
// adjustment. Marks point down, numbers below every fifth.
void drawXScale(DrawingSurface& surface, const LayoutSettings& layout) {
    const double y = layout.originY + kScaleInset;
    surface.drawLine(layout.stock.firstLabel.x - kCalibrationRange, y,
                     layout.stock.firstLabel.x + kCalibrationRange, y, kBlack);
    for (int v = -kCalibrationRange; v <= kCalibrationRange; ++v) {
        const double x = layout.stock.firstLabel.x + v;
        const bool fifth = v % 5 == 0;
        surface.drawLine(x, y, x, y + (fifth ? kLongMark : kShortMark), kBlack);
        if (fifth)
            surface.drawText(x + kNumberGap, y + kShortMark + kNumberGap, signedNumber(v));
    }
}

// The Y scale: vertical, across the first label's top edge, kScaleInset
// right of its left edge. Marks point right; every fifth is long, its number
// below it.
void drawYScale(DrawingSurface& surface, const LayoutSettings& layout) {
    const double x = layout.originX + kScaleInset;
    surface.drawLine(x, layout.stock.firstLabel.y - kCalibrationRange, x,
                     layout.stock.firstLabel.y + kCalibrationRange, kBlack);
    for (int v = -kCalibrationRange; v <= kCalibrationRange; ++v) {
        const double y = layout.stock.firstLabel.y + v;
        const bool fifth = v % 5 == 0;
        surface.drawLine(x, y, x + (fifth ? kLongMark : kShortMark), y, kBlack);
        if (fifth)
            surface.drawText(x + kShortMark + kNumberGap, y + kNumberGap, signedNumber(v));
    }
}

// The room the instructions take in the first label, from its corner.
constexpr double kInstructionsWidth = 85.0;
constexpr double kInstructionsHeight = 50.0;

// What the page is for and how to read it, inside the first label. A label
// too small for them goes without: written over the other labels, they would
// hide the crosses the page is printed for.
void drawInstructions(DrawingSurface& surface, const LayoutSettings& layout) {
    if (layout.stock.labelWidthMm < kInstructionsWidth ||
        layout.stock.labelHeightMm < kInstructionsHeight)
        return;
    const LabelFrame frame(surface, layout, 1, 1.0, FrameClip::None);
    surface.setFont(SurfaceFont{kFontName, 12, true, false, false});
    surface.drawText(kScaleInset + 12.0, 6.0, "位置合わせ印刷");
    surface.setFont(SurfaceFont{kFontName, 8, false, false, false});
    const std::string lines[] = {
        "横の目盛り: ラベル用紙の左の縁が指す数字を",
        "　　　　　  印字位置調整のＸ座標に",
        "縦の目盛り: ラベル用紙の上の縁が指す数字を",
        "　　　　　  印字位置調整のＹ座標に設定します",
        "この印刷の設定: Ｘ " + signedNumber(layout.originX - layout.stock.firstLabel.x) + "  Ｙ " +
            signedNumber(layout.originY - layout.stock.firstLabel.y),
    };
    double lineY = kScaleInset + 9.0;
    for (const std::string& line : lines) {
        surface.drawText(5.0, lineY, line);
        lineY += 4.0;
    }
}

}  // namespace

void drawCalibrationSheet(DrawingSurface& surface, const LayoutSettings& layout) {
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.setTextColor(kBlack);
    setLineWidth(surface);
    drawOutlinesAndCrosses(surface, layout);
    surface.setFont(SurfaceFont{kFontName, kNumberSize, false, false, false});
    drawXScale(surface, layout);
    drawYScale(surface, layout);
    drawInstructions(surface, layout);
    surface.setLineWidth(1);
}
