#include "render/BarcodePainter.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "barcode/JanCode.h"

namespace {

constexpr Color kWhite = 0xFFFFFF;

// Twips in one unit of the surface, horizontally and vertically. Pixels have
// none (their coordinates are already pixels); nor would an unknown unit.
struct TwipsPerUnit {
    double x;
    double y;
};

std::optional<TwipsPerUnit> twipsPerUnit(SurfaceUnit unit) {
    switch (unit) {
        case SurfaceUnit::Millimetres:
            return TwipsPerUnit{56.7, 56.7};
        case SurfaceUnit::Twips:
            return TwipsPerUnit{1, 1};
        case SurfaceUnit::Centimetres:
            return TwipsPerUnit{567, 567};
        case SurfaceUnit::Characters:
            return TwipsPerUnit{120, 240};
        case SurfaceUnit::Points:
            return TwipsPerUnit{20, 20};
        case SurfaceUnit::Inches:
            return TwipsPerUnit{1440, 1440};
        case SurfaceUnit::Pixels:
            break;
    }
    return std::nullopt;
}

// Rounds down to a whole number, taking a value that lies within rounding
// noise of a whole number as that number (52 mm at 2.4 twips per pixel is
// exactly 1134 pixels, though the product in doubles falls just short).
std::int64_t floorWhole(double value) {
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) <= 1e-9 * std::fmax(1.0, std::fabs(value)))
        return static_cast<std::int64_t>(nearest);
    return static_cast<std::int64_t>(std::floor(value));
}

bool isLight(char module) {
    return module == '0';
}

}  // namespace

std::int16_t drawEan13Barcode(DrawingSurface& surface, std::string_view code, double x1, double y1,
                              double x2, double y2) {
    const JanCheck check = checkJanCode(code);
    if (check.result == 1)
        return 1;
    const std::string pattern = buildModulePattern(check.completedCode());
    const auto n = static_cast<std::int64_t>(pattern.size());

    const SurfaceUnit savedUnit = surface.unit();
    surface.setUnit(SurfaceUnit::Pixels);
    const double tx = surface.twipsPerPixelX();
    const double ty = surface.twipsPerPixelY();

    // The rectangle in whole device pixels, every module the same width.
    std::int64_t w = -1;
    std::int64_t x0 = 0, top = 0, height = 0;
    if (savedUnit == SurfaceUnit::Pixels) {
        w = floorWhole(x2 - x1) / n;
        x0 = floorWhole(x1);
        top = floorWhole(y1);
        height = floorWhole(y2 - y1);
    } else if (const auto u = twipsPerUnit(savedUnit); u && tx > 0 && ty > 0) {
        w = floorWhole((x2 - x1) * u->x / tx) / n;
        x0 = floorWhole(x1 * u->x / tx);
        top = floorWhole(y1 * u->y / ty);
        height = floorWhole((y2 - y1) * u->y / ty);
    }

    if (w > 0) {
        surface.beginFillRun();
        for (std::int64_t i = 0; i < n; ++i) {
            // Both corners are included: w pixels wide, height + 1 pixels high.
            surface.fillRect(static_cast<double>(x0 + i * w), static_cast<double>(top),
                             static_cast<double>(w), static_cast<double>(height + 1),
                             isLight(pattern[static_cast<std::size_t>(i)]) ? kWhite : kBlack);
        }
        surface.endFillRun();
        surface.setUnit(savedUnit);
        return 0;
    }

    // Narrower than a pixel a module: draw in the surface's own unit, the
    // module width rounded down to hundredths.
    surface.setUnit(savedUnit);
    const auto hundredths = static_cast<std::int64_t>(std::nearbyint((x2 - x1) * 100));
    const double moduleWidth = static_cast<double>(hundredths / n) / 100;
    if (moduleWidth <= 0.01) return 0;  // no module can be drawn that narrow
    for (std::int64_t i = 0; i < n; ++i) {
        surface.fillRect(x1 + static_cast<double>(i) * moduleWidth, y1, moduleWidth - 0.01, y2 - y1,
                         isLight(pattern[static_cast<std::size_t>(i)]) ? kWhite : kBlack);
    }
    return 0;
}
