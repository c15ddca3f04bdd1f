#include "render/LabelTexts.h"

#include <cmath>

#include "barcode/Symbology.h"
#include "model/TaxPrice.h"
#include "model/Utf8Text.h"

namespace {

constexpr const char* kYenSign = "円";

// Width of the field the product name is centred in, in characters.
constexpr std::size_t kProductNameField = 13;
// Width of the field the price is right-aligned in, in characters.
constexpr std::size_t kPriceField = 7;
// The tax line's fixed place: right of the maker, between the barcode and the
// product name.
constexpr double kTaxLineX = 42;
constexpr double kTaxLineY = 17;

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
    struct Place {
        LabelElement element;
        double dx;
        double dy;
        std::string text;
    };
    const Place places[] = {
        {LabelElement::Jan, 8, 6, janDigitsText(label.janCode)},
        {LabelElement::ProductName, 4, 24, productNameText(label.productName)},
        {LabelElement::Price, 0, 33, priceText(label.price)},
        {LabelElement::Yen, 62, 39, kYenSign},
        {LabelElement::Maker, 8, 17, label.maker},
        {LabelElement::Spec, 8, 36, label.spec},
        {LabelElement::Lot, 8, 40, label.lot},
    };
    std::vector<LabelText> texts;
    auto add = [&](const Place& p) {
        if (!layout.isVisible(p.element))
            return;
        const ElementStyle& style = layout.element(p.element);
        texts.push_back(LabelText{p.element, p.dx + style.offsetX, p.dy + style.offsetY, p.text});
    };
    for (const Place& p : places)
        add(p);
    // Only a sheet showing both prices has one, and only for a whole-yen price.
    if (const std::optional<std::string> tax = taxLineFor(label, layout.pricing))
        add(Place{LabelElement::TaxLine, kTaxLineX, kTaxLineY, *tax});
    return texts;
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
