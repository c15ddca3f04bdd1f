#pragma once

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

// Paints the bars of a JAN code (EAN-13 or EAN-8, quiet zones included) as
// paintModules() does. Returns false, having drawn nothing, when the check
// digit is wrong (or the code is not 13 or 8 digits); true otherwise.
bool drawEan13Barcode(DrawingSurface& surface, std::string_view code, double x1, double y1,
                      double x2, double y2);
