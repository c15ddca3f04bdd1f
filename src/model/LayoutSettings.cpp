#include "model/LayoutSettings.h"

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
    const ElementTemplate& places = standardElementTemplate();
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

// One axis: a valid text moves the origin from its default; anything else is reset.
void applyAxis(std::string& text, double& origin, double defaultOrigin) {
    int steps = 0;
    if (parseAdjustText(text, steps) && steps >= -10 && steps <= 10) {
        origin = defaultOrigin + steps;
        return;
    }
    text = "0";
    origin = defaultOrigin;
}

}  // namespace

void applyAdjustTextsToOrigin(LayoutSettings& s) {
    applyAxis(s.xAdjustText, s.originX, s.stock.firstLabel.x);
    applyAxis(s.yAdjustText, s.originY, s.stock.firstLabel.y);
}
