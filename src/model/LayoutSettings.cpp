#include "model/LayoutSettings.h"

#include <cassert>
#include <charconv>

#include "model/ToggleCaptions.h"

namespace {

using FontMember = ElementFont LayoutSettings::*;
using ColorMember = Color LayoutSettings::*;
using OffsetMember = std::int16_t LayoutSettings::*;
using CaptionMember = std::string LayoutSettings::*;

FontMember fontMember(LabelElement e) {
    switch (e) {
        case LabelElement::Jan:
            return &LayoutSettings::janFont;
        case LabelElement::Maker:
            return &LayoutSettings::makerFont;
        case LabelElement::ProductName:
            return &LayoutSettings::productNameFont;
        case LabelElement::Spec:
            return &LayoutSettings::specFont;
        case LabelElement::Lot:
            return &LayoutSettings::lotFont;
        case LabelElement::Price:
            return &LayoutSettings::priceFont;
        case LabelElement::Yen:
            return &LayoutSettings::yenFont;
        default:
            break;
    }
    assert(!"element has no font");
    return &LayoutSettings::janFont;
}

ColorMember colorMember(LabelElement e) {
    switch (e) {
        case LabelElement::Jan:
            return &LayoutSettings::janColor;
        case LabelElement::Maker:
            return &LayoutSettings::makerColor;
        case LabelElement::ProductName:
            return &LayoutSettings::productNameColor;
        case LabelElement::Spec:
            return &LayoutSettings::specColor;
        case LabelElement::Lot:
            return &LayoutSettings::lotColor;
        case LabelElement::Price:
            return &LayoutSettings::priceColor;
        case LabelElement::Yen:
            return &LayoutSettings::yenColor;
        case LabelElement::Border:
            return &LayoutSettings::borderColor;
        default:
            break;
    }
    assert(!"element has no colour");
    return &LayoutSettings::janColor;
}

OffsetMember offsetMember(LabelElement e, bool x) {
    switch (e) {
        case LabelElement::Jan:
            return x ? &LayoutSettings::janOffsetX : &LayoutSettings::janOffsetY;
        case LabelElement::Barcode:
            return x ? &LayoutSettings::barcodeOffsetX : &LayoutSettings::barcodeOffsetY;
        case LabelElement::Maker:
            return x ? &LayoutSettings::makerOffsetX : &LayoutSettings::makerOffsetY;
        case LabelElement::ProductName:
            return x ? &LayoutSettings::productNameOffsetX : &LayoutSettings::productNameOffsetY;
        case LabelElement::Spec:
            return x ? &LayoutSettings::specOffsetX : &LayoutSettings::specOffsetY;
        case LabelElement::Lot:
            return x ? &LayoutSettings::lotOffsetX : &LayoutSettings::lotOffsetY;
        case LabelElement::Price:
            return x ? &LayoutSettings::priceOffsetX : &LayoutSettings::priceOffsetY;
        case LabelElement::Yen:
            return x ? &LayoutSettings::yenOffsetX : &LayoutSettings::yenOffsetY;
        default:
            break;
    }
    assert(!"element has no offset");
    return &LayoutSettings::janOffsetX;
}

CaptionMember visibleMember(LabelElement e) {
    switch (e) {
        case LabelElement::Jan:
            return &LayoutSettings::janVisibleCaption;
        case LabelElement::Barcode:
            return &LayoutSettings::barcodeVisibleCaption;
        case LabelElement::Maker:
            return &LayoutSettings::makerVisibleCaption;
        case LabelElement::ProductName:
            return &LayoutSettings::productNameVisibleCaption;
        case LabelElement::Spec:
            return &LayoutSettings::specVisibleCaption;
        case LabelElement::Lot:
            return &LayoutSettings::lotVisibleCaption;
        case LabelElement::Price:
            return &LayoutSettings::priceVisibleCaption;
        case LabelElement::Yen:
            return &LayoutSettings::yenVisibleCaption;
        default:
            break;
    }
    assert(!"element has no visibility toggle");
    return &LayoutSettings::janVisibleCaption;
}

CaptionMember underlineMember(LabelElement e) {
    switch (e) {
        case LabelElement::Maker:
            return &LayoutSettings::makerUnderlineCaption;
        case LabelElement::ProductName:
            return &LayoutSettings::productNameUnderlineCaption;
        case LabelElement::Spec:
            return &LayoutSettings::specUnderlineCaption;
        case LabelElement::Lot:
            return &LayoutSettings::lotUnderlineCaption;
        default:
            break;
    }
    assert(!"element has no underline toggle");
    return &LayoutSettings::makerUnderlineCaption;
}

bool hasUnderlineToggle(LabelElement e) {
    for (LabelElement u : kUnderlinableElements) {
        if (u == e)
            return true;
    }
    return false;
}

}  // namespace

bool LayoutSettings::borderOn() const {
    return borderCaption == captions::kBorderOn;
}

bool LayoutSettings::isVisible(LabelElement e) const {
    if (e == LabelElement::Border)
        return borderOn();
    return visibleCaption(e) == captions::kVisibleOn;
}

bool LayoutSettings::isUnderlined(LabelElement e) const {
    return hasUnderlineToggle(e) && underlineCaption(e) != captions::kUnderlineOff;
}

ElementFont& LayoutSettings::font(LabelElement e) {
    return this->*fontMember(e);
}
const ElementFont& LayoutSettings::font(LabelElement e) const {
    return this->*fontMember(e);
}
Color& LayoutSettings::color(LabelElement e) {
    return this->*colorMember(e);
}
Color LayoutSettings::color(LabelElement e) const {
    return this->*colorMember(e);
}
std::int16_t& LayoutSettings::offsetX(LabelElement e) {
    return this->*offsetMember(e, true);
}
std::int16_t LayoutSettings::offsetX(LabelElement e) const {
    return this->*offsetMember(e, true);
}
std::int16_t& LayoutSettings::offsetY(LabelElement e) {
    return this->*offsetMember(e, false);
}
std::int16_t LayoutSettings::offsetY(LabelElement e) const {
    return this->*offsetMember(e, false);
}
std::string& LayoutSettings::visibleCaption(LabelElement e) {
    return this->*visibleMember(e);
}
const std::string& LayoutSettings::visibleCaption(LabelElement e) const {
    return this->*visibleMember(e);
}
std::string& LayoutSettings::underlineCaption(LabelElement e) {
    return this->*underlineMember(e);
}
const std::string& LayoutSettings::underlineCaption(LabelElement e) const {
    return this->*underlineMember(e);
}

LayoutSettings initialLayoutSettings() {
    LayoutSettings s;
    for (LabelElement e : kMovableElements)
        s.visibleCaption(e) = captions::kVisibleOn;
    for (LabelElement e : kUnderlinableElements)
        s.underlineCaption(e) = captions::kUnderlineOff;
    s.borderCaption = captions::kBorderOff;
    s.borderColor = kBlack;
    applyDefaultLayout(s);
    return s;
}

void applyDefaultLayout(LayoutSettings& s) {
    for (LabelElement e : kTextElements)
        s.font(e) = ElementFont{"ＭＳ 明朝", 10, false, false};
    s.janFont.size = 12;
    s.productNameFont.size = 18;
    s.priceFont.size = 48;
    s.yenFont.size = 24;
    for (LabelElement e : kTextElements)
        s.color(e) = kBlack;
    s.priceColor = kRed;
    s.yenColor = kRed;
    for (LabelElement e : kMovableElements) {
        s.offsetX(e) = 0;
        s.offsetY(e) = 0;
    }
    s.originX = kDefaultOriginX;
    s.originY = kDefaultOriginY;
    s.xAdjustText = "0";
    s.yAdjustText = "0";
    s.borderCaption = captions::kBorderOff;
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
    applyAxis(s.xAdjustText, s.originX, kDefaultOriginX);
    applyAxis(s.yAdjustText, s.originY, kDefaultOriginY);
}
