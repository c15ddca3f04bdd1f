#include "render/LabelTexts.h"

#include <cmath>
#include <utility>

#include "barcode/Symbology.h"
#include "model/ElementTemplate.h"
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

}  // namespace

std::vector<LabelText> labelTexts(const LabelRecord& label, const LayoutSettings& layout) {
    const ElementTemplate& places = elementTemplateFor(layout.stock);
    std::vector<LabelText> texts;
    auto add = [&](LabelElement element, const std::string& text) {
        if (!layout.isVisible(element))
            return;
        const PointMm anchor = places.place(element).anchor;
        const ElementStyle& style = layout.element(element);
        LabelText placed{element, anchor.x + style.offsetX, anchor.y + style.offsetY,
                         utf8::left(text, kLongestLabelText)};
        placed.cut = placed.text.size() < text.size();
        texts.push_back(std::move(placed));
    };
    const std::pair<LabelElement, std::string> elementTexts[] = {
        {LabelElement::Jan, janDigitsText(label.janCode)},
        {LabelElement::ProductName, productNameText(label.productName)},
        {LabelElement::Price, priceText(label.price)},
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
