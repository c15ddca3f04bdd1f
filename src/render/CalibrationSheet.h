#pragma once

#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"

// The calibration sheet: one page printed on (or held over) a sheet of label
// stock, to find the origin adjustment that puts the labels where the stock's
// labels are. Drawn from the origin of `layout`: each label's outline and a
// cross at its top-left corner, and in the first label two millimetre scales
// numbered from -10 to +10: one across its left edge for X, one across its top
// edge for Y, each 20 mm in from the corner, so the stock's own edge crosses
// it whatever the other adjustment is. Mark v stands where the labels' edge
// is with the adjustment v (the default origin + v mm): the mark the stock's
// edge crosses is the adjustment to set, and the printed edge crosses the
// mark of the current adjustment. Nothing is cleared: the page is drawn on as
// it is.
void drawCalibrationSheet(DrawingSurface& surface, const LayoutSettings& layout);

// The extent of the scales: marks from -kCalibrationRange to +kCalibrationRange.
inline constexpr int kCalibrationRange = 10;
