#include "render/BarcodePainter.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "barcode/JanCode.h"

namespace {

constexpr Color kWhite = 0xFFFFFF;

// Twips in a millimetre when laying the modules out in pixels. 56.7, not the
// exact 1440 / 25.4 = 56.69...: kept on purpose so that barcodes print pixel
// for pixel as they always have.
constexpr double kTwipsPerMillimetre = 56.7;

// Rounds down to a whole number, taking a value that lies within rounding
// noise of a whole number as that number (15.6 cm at 1.2 twips per pixel is
// exactly 7371 pixels, though the product in doubles falls just short).
std::int64_t floorWhole(double value) {
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) <= 1e-9 * std::fmax(1.0, std::fabs(value)))
        return static_cast<std::int64_t>(nearest);
    return static_cast<std::int64_t>(std::floor(value));
}

// Far beyond any page in any unit; values past it (or not finite) are not
// converted to whole numbers at all.
constexpr double kLimit = 1e12;

bool withinLimit(double value) {
    return std::fabs(value) < kLimit;  // false for infinities and NaN too
}

bool isLight(char module) {
    return module == '0';
}

}  // namespace

bool drawEan13Barcode(DrawingSurface& surface, std::string_view code, double x1, double y1,
                      double x2, double y2) {
    const JanCheck check = checkJanCode(code);
    if (!check.valid)
        return false;
    const std::string pattern = buildModulePattern(check.completedCode());
    const auto n = static_cast<std::int64_t>(pattern.size());

    const SurfaceUnit savedUnit = surface.unit();
    // Modules are laid on the page's pixel grid, wherever the surface's origin
    // stands: the rectangle is rounded down as a place on the page, and drawn
    // from the origin (in pixels) after.
    const SurfacePoint frame = surface.origin();
    surface.setUnit(SurfaceUnit::Pixels);
    const SurfacePoint framePixels = surface.origin();
    const double tx = surface.twipsPerPixelX();
    const double ty = surface.twipsPerPixelY();

    // The rectangle in whole device pixels, every module the same width.
    std::int64_t w = -1;
    std::int64_t x0 = 0, top = 0, height = 0;
    double px[4] = {};  // width, left, top, height in pixels, not yet floored
    bool inPixels = false;
    if (savedUnit == SurfaceUnit::Pixels) {
        px[0] = x2 - x1;
        px[1] = framePixels.x + x1;
        px[2] = framePixels.y + y1;
        px[3] = y2 - y1;
        inPixels = true;
    } else if (tx > 0 && ty > 0) {
        px[0] = (x2 - x1) * kTwipsPerMillimetre / tx;
        px[1] = (frame.x + x1) * kTwipsPerMillimetre / tx;
        px[2] = (frame.y + y1) * kTwipsPerMillimetre / ty;
        px[3] = (y2 - y1) * kTwipsPerMillimetre / ty;
        inPixels = true;
    }
    if (inPixels && withinLimit(px[0]) && withinLimit(px[1]) && withinLimit(px[2]) &&
        withinLimit(px[3])) {
        w = floorWhole(px[0]) / n;
        x0 = floorWhole(px[1]);
        top = floorWhole(px[2]);
        height = floorWhole(px[3]);
    }

    if (w > 0) {
        surface.beginFillRun();
        for (std::int64_t i = 0; i < n; ++i) {
            // Both corners are included: w pixels wide, height + 1 pixels high.
            surface.fillRect(static_cast<double>(x0 + i * w) - framePixels.x,
                             static_cast<double>(top) - framePixels.y, static_cast<double>(w),
                             static_cast<double>(height + 1),
                             isLight(pattern[static_cast<std::size_t>(i)]) ? kWhite : kBlack);
        }
        surface.endFillRun();
        surface.setUnit(savedUnit);
        return true;
    }

    // Narrower than a pixel a module: draw in the surface's own unit, the
    // module width rounded down to hundredths.
    surface.setUnit(savedUnit);
    if (!withinLimit(x1) || !withinLimit(y1) || !withinLimit(x2) || !withinLimit(y2))
        return true;  // no rectangle to draw in
    const auto hundredths = static_cast<std::int64_t>(std::nearbyint((x2 - x1) * 100));
    const double moduleWidth = static_cast<double>(hundredths / n) / 100;
    if (moduleWidth <= 0.01)
        return true;  // no module can be drawn that narrow
    for (std::int64_t i = 0; i < n; ++i) {
        surface.fillRect(x1 + static_cast<double>(i) * moduleWidth, y1, moduleWidth - 0.01, y2 - y1,
                         isLight(pattern[static_cast<std::size_t>(i)]) ? kWhite : kBlack);
    }
    return true;
}
