#include "render/CalibrationSheet.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/LabelSheet.h"

namespace {

constexpr const char* kFontName = "ＭＳ ゴシック";
constexpr double kCrossArm = 4.0;    // mm each way from the corner
constexpr double kShortMark = 1.5;   // mm, every millimetre
constexpr double kLongMark = 3.0;    // mm, every fifth
constexpr double kNumberSize = 6.0;  // pt
constexpr double kLineMm = 0.15;     // drawn line width
// A half-width character of the number font, in mm (half an em).
constexpr double kDigitWidth = kNumberSize / 2.0 * 25.4 / 72.0;
constexpr double kNumberHeight = kNumberSize * 25.4 / 72.0;

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
    for (int k = 1; k <= LabelSheet::kLabelCount; ++k) {
        const PointMm cell = labelCellOrigin(k, layout.originX, layout.originY);
        surface.drawRect(cell.x, cell.y, kLabelWidthMm, kLabelHeightMm, kBlack);
        surface.drawLine(cell.x - kCrossArm, cell.y, cell.x + kCrossArm, cell.y, kBlack);
        surface.drawLine(cell.x, cell.y - kCrossArm, cell.x, cell.y + kCrossArm, kBlack);
    }
}

// The scale along the top edge of the first label: marks pointing down into
// the label, numbers below every fifth.
void drawTopScale(DrawingSurface& surface, const LayoutSettings& layout) {
    const double y = layout.originY;
    surface.drawLine(kDefaultOriginX - kCalibrationRange, y, kDefaultOriginX + kCalibrationRange, y,
                     kBlack);
    for (int v = -kCalibrationRange; v <= kCalibrationRange; ++v) {
        const double x = kDefaultOriginX + v;
        const bool fifth = v % 5 == 0;
        surface.drawLine(x, y, x, y + (fifth ? kLongMark : kShortMark), kBlack);
        if (fifth) {
            const std::string number = signedNumber(v);
            surface.drawText(x - number.size() * kDigitWidth / 2.0, y + kLongMark + 0.5, number);
        }
    }
}

// The scale along the left edge of the first label: marks pointing right into
// the label, numbers beside every fifth.
void drawLeftScale(DrawingSurface& surface, const LayoutSettings& layout) {
    const double x = layout.originX;
    surface.drawLine(x, kDefaultOriginY - kCalibrationRange, x, kDefaultOriginY + kCalibrationRange,
                     kBlack);
    for (int v = -kCalibrationRange; v <= kCalibrationRange; ++v) {
        const double y = kDefaultOriginY + v;
        const bool fifth = v % 5 == 0;
        surface.drawLine(x, y, x + (fifth ? kLongMark : kShortMark), y, kBlack);
        if (fifth)
            surface.drawText(x + kLongMark + 0.5, y - kNumberHeight / 2.0, signedNumber(v));
    }
}

// What the page is for and how to read it, inside the first label.
void drawInstructions(DrawingSurface& surface, const LayoutSettings& layout) {
    const double x = layout.originX + 12.0;
    const double y = layout.originY + 14.0;
    surface.setFont(SurfaceFont{kFontName, 12, true, false, false});
    surface.drawText(x, y, "位置合わせ印刷");
    surface.setFont(SurfaceFont{kFontName, 8, false, false, false});
    const std::string lines[] = {
        "ラベル用紙の左上の角に当たる目盛りの数字を、",
        "印字位置調整のＸ座標 (上の目盛り) と",
        "Ｙ座標 (左の目盛り) に設定します。",
        "この印刷の設定: Ｘ " + signedNumber(layout.originX - kDefaultOriginX) + "  Ｙ " +
            signedNumber(layout.originY - kDefaultOriginY),
    };
    double lineY = y + 7.0;
    for (const std::string& line : lines) {
        surface.drawText(x, lineY, line);
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
    drawTopScale(surface, layout);
    drawLeftScale(surface, layout);
    drawInstructions(surface, layout);
    surface.setLineWidth(1);
}
