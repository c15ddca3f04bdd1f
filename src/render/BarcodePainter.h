#pragma once

#include <cstdint>
#include <string_view>

#include "barcode/ModuleMatrix.h"
#include "render/DrawingSurface.h"

// Paints every module of `matrix`, light ones white and dark ones black, into
// the rectangle (x1, y1)-(x2, y2), given in the surface's current unit.
// Whenever a module is at least one device pixel wide, every module gets the
// same whole number of pixels across, and every row of modules the same whole
// number of pixels down (a one-row symbol fills the rectangle's height, both
// corners included); otherwise the modules are drawn in the surface's own
// unit, each as wide as the rectangle's width in hundredths divided by the
// module count. The surface's unit is the same afterwards.
void paintModules(DrawingSurface& surface, const ModuleMatrix& matrix, double x1, double y1,
                  double x2, double y2);

// The smallest module printed: 0.33 mm, as readers of QR codes at arm's
// length need.
inline constexpr double kMinPrintedModuleMm = 0.33;

// Device pixels across each module of a square symbol of `modules` modules
// drawn into a square of `sideMm`, on a device of `twipsPerPixel`: as many
// as fit, and at least `minModuleMm` worth. 0 when that many do not fit.
std::int64_t squareModulePixels(double sideMm, int modules, double twipsPerPixel,
                                double minModuleMm);

// Whether a square symbol of `modules` modules fits into a square of `sideMm`
// with modules of at least kMinPrintedModuleMm in whole pixels of a 300 dpi
// printer. Those modules are 0.339 mm, as they are at 600 and 1200 dpi: what
// fits there fits on every label printer and in every PDF the program writes.
bool squareSymbolFits(double sideMm, int modules);

// Paints a square symbol (a QR code, quiet zone included) from (x, y) into a
// square of `side`, all in millimetres, every module the same whole number of
// device pixels across and down, at least `minModuleMm` (0 for the screen).
// Where a module would be narrower than a pixel on the screen, the modules
// are drawn in millimetres instead. Returns false, having drawn nothing, when
// modules of `minModuleMm` do not fit.
bool paintSquareModules(DrawingSurface& surface, const ModuleMatrix& matrix, double x, double y,
                        double side, double minModuleMm);

// Paints the bars of a JAN code (EAN-13 or EAN-8, quiet zones included) as
// paintModules() does. Returns false, having drawn nothing, when the check
// digit is wrong (or the code is not 13 or 8 digits); true otherwise.
bool drawEan13Barcode(DrawingSurface& surface, std::string_view code, double x1, double y1,
                      double x2, double y2);
