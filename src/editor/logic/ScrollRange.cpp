#include <algorithm>
#include <cmath>

#include "editor/logic/LabelEditor.h"

namespace {

// To the nearest whole number, halves to the even neighbour (532.5 -> 532).
double nearestEven(double value) {
    return std::nearbyint(value);
}

}  // namespace

EditorView::ScrollRange scrollRangeFor(double surfaceTwips, double frameTwips) {
    // An arrow click moves about 5 mm, a click beside the thumb one frame.
    constexpr double kLineTwips = 5.0 * 1440.0 / 25.4;
    EditorView::ScrollRange range;
    const double maximum = std::clamp(nearestEven(surfaceTwips - frameTwips), 0.0, 32767.0);
    range.maximum = static_cast<int>(maximum);
    range.largeStep = static_cast<int>(std::clamp(nearestEven(frameTwips), 1.0, 32767.0));
    range.smallStep = static_cast<int>(nearestEven(kLineTwips));
    return range;
}
