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
    EditorView::ScrollRange range;
    const double maximum = std::clamp(nearestEven(surfaceTwips - frameTwips), 0.0, 32767.0);
    range.maximum = static_cast<int>(maximum);
    range.largeStep = std::max(1, static_cast<int>(nearestEven(range.maximum / 10.0)));
    range.smallStep = std::max(1, static_cast<int>(nearestEven(range.largeStep / 10.0)));
    return range;
}
