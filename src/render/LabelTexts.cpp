#include "render/LabelTexts.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "barcode/Symbology.h"
#include "model/ElementTemplate.h"
#include "model/ShownPrices.h"
#include "model/TaxPrice.h"
#include "model/Utf8Text.h"

namespace {

constexpr const char* kYenSign = "円";

// Width of the field the product name is centred in, in characters.
constexpr std::size_t kProductNameField = 13;
// Width of the field the price is right-aligned in, in characters.
constexpr std::size_t kPriceField = 7;

std::string janDigitsText(const std::string& janCode) {
    // A short code stands under the middle of its narrower barcode.
    const bool shortCode = janSymbologyForLength(utf8::length(janCode)) == Symbology::Ean8;
    return shortCode ? "    " + janCode : janCode;
}

std::string productNameText(const std::string& name) {
    // Names of up to eleven characters are centred in a field of thirteen.
    const std::size_t n = utf8::length(name);
    const bool centred = n > 0 && n < kProductNameField - 1;
    return centred ? std::string(kProductNameField - n, ' ') + name : name;
}

std::string priceText(const std::string& price) {
    // Right-aligned in a field of seven. A longer price is drawn whole from
    // the field's left edge (and condensed to fit) rather than losing its
    // leading characters.
    return utf8::length(price) <= kPriceField ? utf8::right("     " + price, kPriceField) : price;
}

// The texts a shop's label shows beside the six, each only where the sheet
// or the label has one.
template <typename Add>
void addShelfTexts(const LabelRecord& label, const PricePattern& pricing, Add& add) {
    if (const std::optional<std::string> caption = priceCaptionText(label, pricing))
        add(LabelElement::PriceCaption, *caption);
    if (const std::optional<std::string> regular = regularPriceText(label, pricing))
        add(LabelElement::RegularPrice, *regular, true);
    const ShelfDetails& details = label.details;
    if (!details.salePeriod.empty())
        add(LabelElement::SalePeriod, details.salePeriod);
    if (const std::optional<std::string> unit = unitPriceLineFor(label, pricing).text)
        add(LabelElement::UnitPrice, *unit);
    if (!details.origin.empty())
        add(LabelElement::Origin, details.origin);
}

}  // namespace

std::vector<LabelText> labelTexts(const LabelRecord& label, const LayoutSettings& layout) {
    const ElementTemplate& places = elementTemplateFor(layout.stock);
    std::vector<LabelText> texts;
    auto add = [&](LabelElement element, const std::string& text, bool struck = false) {
        if (!layout.isVisible(element))
            return;
        const PointMm anchor = places.place(element).anchor;
        const ElementStyle& style = layout.element(element);
        LabelText placed{element, anchor.x + style.offsetX, anchor.y + style.offsetY,
                         utf8::left(text, kLongestLabelText)};
        placed.cut = placed.text.size() < text.size();
        placed.struck = struck;
        texts.push_back(std::move(placed));
    };
    const std::pair<LabelElement, std::string> elementTexts[] = {
        {LabelElement::Jan, janDigitsText(label.janCode)},
        {LabelElement::ProductName, productNameText(label.productName)},
        {LabelElement::Price, priceText(bigPriceText(label, layout.pricing))},
        {LabelElement::Yen, kYenSign},
        {LabelElement::Maker, label.maker},
        {LabelElement::Spec, label.spec},
        {LabelElement::Lot, label.lot},
    };
    for (const auto& [element, text] : elementTexts)
        add(element, text);
    // Only a sheet showing both prices has one, and only for a whole-yen price.
    if (const std::optional<std::string> tax = taxLineFor(label, layout.pricing))
        add(LabelElement::TaxLine, *tax);
    addShelfTexts(label, layout.pricing, add);
    return texts;
}

PlacedText placeText(DrawingSurface& gauge, const LabelText& text, const LayoutSettings& layout,
                     double zoom) {
    const ElementStyle& style = layout.element(text.element);
    const ElementFont& font = style.font;
    PlacedText placed;
    placed.font = SurfaceFont{font.name, font.size * zoom, font.bold, font.italic,
                              layout.isUnderlined(text.element)};
    placed.x = text.dx * zoom;
    placed.y = text.dy * zoom;
    placed.right = layout.stock.labelWidthMm * zoom;
    gauge.setFont(placed.font);
    // A cut text runs past the edge whatever its start measures.
    placed.fit = text.cut ? TextFit{kMinimumTextScale, true}
                          : fitText(gauge.textWidth(text.text), placed.right - placed.x);
    return placed;
}

TextFit fitText(double width, double room) {
    // A hair of tolerance, so that a text ending exactly at the edge counts as fitting.
    constexpr double kTolerance = 1e-9;
    if (!(width > 0.0) || width <= room + kTolerance)
        return {};
    const double scale = room > 0.0 ? room / width : 0.0;
    if (scale >= kMinimumTextScale)
        return {scale, false};
    return {kMinimumTextScale, true};
}

bool TextBox::overlaps(const TextBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
}

TextBox textBox(DrawingSurface& gauge, const LabelText& text, const PlacedText& placed) {
    constexpr double kMmPerPoint = 25.4 / 72.0;
    gauge.setFont(placed.font);
    std::size_t blanks = 0;
    while (blanks < text.text.size() && text.text[blanks] == ' ')
        ++blanks;
    const double scale = placed.fit.scale;
    const double lead = blanks == 0 ? 0.0 : gauge.textWidth(text.text.substr(0, blanks)) * scale;
    const double width = gauge.textWidth(text.text) * scale;
    TextBox box;
    box.left = placed.x + lead;
    box.right = std::min(placed.x + width, placed.right);
    box.top = placed.y;
    box.bottom = placed.y + placed.font.sizePt * kMmPerPoint;
    return box;
}
