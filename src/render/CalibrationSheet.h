#pragma once

#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"

// The calibration sheet: one page printed on (or held over) a sheet of label
// stock, to find the origin adjustment that puts the labels where the stock's
// labels are. Drawn from the origin of `layout`: each label's outline and a
// cross at its top-left corner; along the top and the left edge of the first
// label a millimetre scale numbered from -10 to +10. Scale mark v stands where
// the first label's corner is with the adjustment v (the default origin + v
// mm), so the mark under the stock's own label corner is the adjustment to
// set, and the printed corner stands on the mark of the current adjustment.
// Nothing is cleared: the page is drawn on as it is.
void drawCalibrationSheet(DrawingSurface& surface, const LayoutSettings& layout);

// The extent of the scales: marks from -kCalibrationRange to +kCalibrationRange.
inline constexpr int kCalibrationRange = 10;
