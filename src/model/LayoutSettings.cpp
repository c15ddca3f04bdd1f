#include "model/LayoutSettings.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "model/ElementTemplate.h"

namespace {

std::size_t indexOf(LabelElement e) {
    const auto index = static_cast<std::size_t>(e);
    assert(index < kStyledElementCount && "the border has no element style");
    return index < kStyledElementCount ? index : 0;
}

}  // namespace

ElementStyle& LayoutSettings::element(LabelElement e) {
    return elements[indexOf(e)];
}

const ElementStyle& LayoutSettings::element(LabelElement e) const {
    return elements[indexOf(e)];
}

bool LayoutSettings::isVisible(LabelElement e) const {
    return e == LabelElement::Border ? borderOn : element(e).visible;
}

bool LayoutSettings::isUnderlined(LabelElement e) const {
    return canBeUnderlined(e) && element(e).underlined;
}

LayoutSettings initialLayoutSettings() {
    LayoutSettings s;  // every element visible, no underline, no border, black border colour
    applyDefaultLayout(s);
    return s;
}

void applyDefaultLayout(LayoutSettings& s) {
    const ElementTemplate& places = elementTemplateFor(s.stock);
    const auto defaultStyle = [&](LabelElement e) {
        s.element(e).font = ElementFont{kDefaultFaceName, places.place(e).fontSize, false, false};
        s.element(e).color = places.place(e).color;
        s.element(e).offsetX = 0;
        s.element(e).offsetY = 0;
    };
    for (LabelElement e : kTextElements)
        defaultStyle(e);
    for (LabelElement e : kShelfTextElements)
        defaultStyle(e);
    for (LabelElement e : kMovableElements) {
        s.element(e).offsetX = 0;
        s.element(e).offsetY = 0;
    }
    s.originX = s.stock.firstLabel.x;
    s.originY = s.stock.firstLabel.y;
    s.xAdjustText = "0";
    s.yAdjustText = "0";
    s.xFineTenths = 0;
    s.yFineTenths = 0;
    s.borderOn = false;
}

bool parseAdjustText(const std::string& text, int& value) {
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;  // from_chars does not take a plus sign
    if (first == last)
        return false;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

namespace {

constexpr int kMostSteps = 10;  // whole millimetres either way
constexpr int kMostTenths = kMostSteps * 10;

// One axis: a valid text (and fine part) moves the origin from its default;
// anything else is reset.
void applyAxis(std::string& text, int& fineTenths, double& origin, double defaultOrigin) {
    int steps = 0;
    const bool whole = parseAdjustText(text, steps) && steps >= -kMostSteps && steps <= kMostSteps;
    if (!whole) {
        text = "0";
        steps = 0;
    }
    const int tenths = steps * 10 + fineTenths;
    if (!whole || fineTenths < -9 || fineTenths > 9 || tenths < -kMostTenths ||
        tenths > kMostTenths)
        fineTenths = 0;
    origin = defaultOrigin + steps + fineTenths / 10.0;
}

struct AxisRefs {
    std::string& text;
    int& fine;
    double& origin;
    double first;
};

AxisRefs axisOf(LayoutSettings& s, int axis) {
    if (axis == 0)
        return {s.xAdjustText, s.xFineTenths, s.originX, s.stock.firstLabel.x};
    return {s.yAdjustText, s.yFineTenths, s.originY, s.stock.firstLabel.y};
}

}  // namespace

void applyAdjustTextsToOrigin(LayoutSettings& s) {
    applyAxis(s.xAdjustText, s.xFineTenths, s.originX, s.stock.firstLabel.x);
    applyAxis(s.yAdjustText, s.yFineTenths, s.originY, s.stock.firstLabel.y);
}

void setAdjustTenths(LayoutSettings& s, int axis, int tenths) {
    tenths = std::clamp(tenths, -kMostTenths, kMostTenths);
    AxisRefs a = axisOf(s, axis);
    // Truncated towards zero, so that whole and fine part share their sign.
    a.text = std::to_string(tenths / 10);
    a.fine = tenths % 10;
    applyAxis(a.text, a.fine, a.origin, a.first);
}

int adjustTenths(const LayoutSettings& s, int axis) {
    const std::string& text = axis == 0 ? s.xAdjustText : s.yAdjustText;
    const int fine = axis == 0 ? s.xFineTenths : s.yFineTenths;
    int steps = 0;
    if (!parseAdjustText(text, steps) || steps < -kMostSteps || steps > kMostSteps)
        return 0;
    return std::clamp(steps * 10 + fine, -kMostTenths, kMostTenths);
}

void changeStock(LayoutSettings& s, const LabelStock& stock) {
    s.stock = stock;
    const ElementTemplate& places = elementTemplateFor(stock);
    for (LabelElement e : kTextElements)
        s.element(e).font.size = places.place(e).fontSize;
    for (LabelElement e : kMovableElements) {
        s.element(e).offsetX = 0;
        s.element(e).offsetY = 0;
    }
    applyAdjustTextsToOrigin(s);
}
