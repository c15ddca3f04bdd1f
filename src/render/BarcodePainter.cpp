#include "render/BarcodePainter.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "barcode/JanCode.h"
#include "barcode/Symbology.h"

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

Color moduleColour(const ModuleMatrix& matrix, int column, int row) {
    return matrix.isDark(column, row) ? kBlack : kWhite;
}

// Where the modules go in whole device pixels, as places on the page:
// modules are laid on the page's pixel grid wherever the surface's origin
// stands, and drawn from the origin after.
struct PixelGrid {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t moduleWidth = 0;  // below 1: a module is narrower than a pixel
    std::int64_t rowHeight = 0;
};

// The surface's origin on the page, in millimetres and in pixels.
struct FrameOrigin {
    SurfacePoint millimetres;
    SurfacePoint pixels;
};

// The grid for the rectangle (x1, y1)-(x2, y2) given in `unit` from the
// origin `frame`, on a surface already set to pixels. A module width below 1
// when the rectangle cannot be laid out in pixels at all.
PixelGrid pixelGrid(const DrawingSurface& surface, SurfaceUnit unit, const FrameOrigin& frame,
                    const ModuleMatrix& matrix, double x1, double y1, double x2, double y2) {
    const double tx = surface.twipsPerPixelX();
    const double ty = surface.twipsPerPixelY();
    double px[4] = {};  // width, left, top, height in pixels, not yet floored
    if (unit == SurfaceUnit::Pixels) {
        px[0] = x2 - x1;
        px[1] = frame.pixels.x + x1;
        px[2] = frame.pixels.y + y1;
        px[3] = y2 - y1;
    } else if (tx > 0 && ty > 0) {
        px[0] = (x2 - x1) * kTwipsPerMillimetre / tx;
        px[1] = (frame.millimetres.x + x1) * kTwipsPerMillimetre / tx;
        px[2] = (frame.millimetres.y + y1) * kTwipsPerMillimetre / ty;
        px[3] = (y2 - y1) * kTwipsPerMillimetre / ty;
    } else {
        return {};
    }
    if (!withinLimit(px[0]) || !withinLimit(px[1]) || !withinLimit(px[2]) || !withinLimit(px[3]))
        return {};
    PixelGrid grid;
    grid.moduleWidth = floorWhole(px[0]) / matrix.width();
    grid.left = floorWhole(px[1]);
    grid.top = floorWhole(px[2]);
    // Both corners are included: the rows share height + 1 pixels.
    grid.rowHeight = (floorWhole(px[3]) + 1) / matrix.height();
    return grid;
}

void paintInPixels(DrawingSurface& surface, const ModuleMatrix& matrix, const PixelGrid& grid,
                   SurfacePoint framePixels) {
    surface.beginFillRun();
    for (int row = 0; row < matrix.height(); ++row) {
        for (int column = 0; column < matrix.width(); ++column) {
            surface.fillRect(
                static_cast<double>(grid.left + column * grid.moduleWidth) - framePixels.x,
                static_cast<double>(grid.top + row * grid.rowHeight) - framePixels.y,
                static_cast<double>(grid.moduleWidth), static_cast<double>(grid.rowHeight),
                moduleColour(matrix, column, row));
        }
    }
    surface.endFillRun();
}

// Narrower than a pixel a module: draw in the surface's own unit, the module
// width rounded down to hundredths.
void paintInSurfaceUnit(DrawingSurface& surface, const ModuleMatrix& matrix, double x1, double y1,
                        double x2, double y2) {
    if (!withinLimit(x1) || !withinLimit(y1) || !withinLimit(x2) || !withinLimit(y2))
        return;  // no rectangle to draw in
    const auto hundredths = static_cast<std::int64_t>(std::nearbyint((x2 - x1) * 100));
    const double moduleWidth = static_cast<double>(hundredths / matrix.width()) / 100;
    if (moduleWidth <= 0.01)
        return;  // no module can be drawn that narrow
    const double rowHeight = (y2 - y1) / matrix.height();
    for (int row = 0; row < matrix.height(); ++row) {
        for (int column = 0; column < matrix.width(); ++column) {
            surface.fillRect(x1 + static_cast<double>(column) * moduleWidth,
                             y1 + static_cast<double>(row) * rowHeight, moduleWidth - 0.01,
                             rowHeight, moduleColour(matrix, column, row));
        }
    }
}

}  // namespace

void paintModules(DrawingSurface& surface, const ModuleMatrix& matrix, double x1, double y1,
                  double x2, double y2) {
    if (matrix.empty())
        return;
    const SurfaceUnit savedUnit = surface.unit();
    FrameOrigin frame;
    frame.millimetres = surface.origin();
    surface.setUnit(SurfaceUnit::Pixels);
    frame.pixels = surface.origin();
    const PixelGrid grid = pixelGrid(surface, savedUnit, frame, matrix, x1, y1, x2, y2);
    if (grid.moduleWidth > 0) {
        paintInPixels(surface, matrix, grid, frame.pixels);
        surface.setUnit(savedUnit);
        return;
    }
    surface.setUnit(savedUnit);
    paintInSurfaceUnit(surface, matrix, x1, y1, x2, y2);
}

std::int64_t squareModulePixels(double sideMm, int modules, double twipsPerPixel,
                                double minModuleMm) {
    if (modules <= 0 || !(twipsPerPixel > 0) || !withinLimit(sideMm))
        return 0;
    const double pixelMm = twipsPerPixel / kTwipsPerMillimetre;
    const std::int64_t fitting = floorWhole(sideMm / pixelMm) / modules;
    return static_cast<double>(fitting) * pixelMm >= minModuleMm - 1e-9 ? fitting : 0;
}

bool squareSymbolFits(double sideMm, int modules) {
    constexpr double kTwipsPerPixelAt300Dpi = 1440.0 / 300.0;
    return squareModulePixels(sideMm, modules, kTwipsPerPixelAt300Dpi, kMinPrintedModuleMm) > 0;
}

bool paintSquareModules(DrawingSurface& surface, const ModuleMatrix& matrix, double x, double y,
                        double side, double minModuleMm) {
    if (matrix.empty() || !withinLimit(x) || !withinLimit(y))
        return false;
    const std::int64_t modulePixels =
        squareModulePixels(side, matrix.width(), surface.twipsPerPixelX(), minModuleMm);
    if (modulePixels == 0 && minModuleMm > 0)
        return false;
    if (modulePixels == 0) {  // the screen at a small zoom: whole pixels would not show it
        const double module = side / matrix.width();
        for (int row = 0; row < matrix.height(); ++row) {
            for (int column = 0; column < matrix.width(); ++column)
                surface.fillRect(x + column * module, y + row * module, module, module,
                                 moduleColour(matrix, column, row));
        }
        return true;
    }
    const SurfaceUnit savedUnit = surface.unit();
    const SurfacePoint millimetres = surface.origin();
    surface.setUnit(SurfaceUnit::Pixels);
    const SurfacePoint pixels = surface.origin();
    // Modules are laid on the page's pixel grid, as the bars of a JAN code are.
    const double pxPerMm = kTwipsPerMillimetre / surface.twipsPerPixelX();
    const double pyPerMm = kTwipsPerMillimetre / surface.twipsPerPixelY();
    PixelGrid grid;
    grid.left = floorWhole((millimetres.x + x) * pxPerMm);
    grid.top = floorWhole((millimetres.y + y) * pyPerMm);
    grid.moduleWidth = modulePixels;
    grid.rowHeight = modulePixels;
    paintInPixels(surface, matrix, grid, pixels);
    surface.setUnit(savedUnit);
    return true;
}

bool drawEan13Barcode(DrawingSurface& surface, std::string_view code, double x1, double y1,
                      double x2, double y2) {
    const JanCheck check = checkJanCode(code);
    if (!check.valid)
        return false;
    const ModuleMatrix symbol =
        encodeSymbol(*janSymbologyForLength(code.size()), check.completedCode());
    paintModules(surface, symbol, x1, y1, x2, y2);
    return true;
}
