#include "render/SheetRenderer.h"

#include <string>

#include "model/LabelSheet.h"
#include "model/TaxPrice.h"
#include "model/Utf8Text.h"
#include "render/BarcodePainter.h"

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

// The preview stands in for the bars with the same fourteen black rectangles
// for every code: left edge and width in mm, from the label's left edge.
struct PlaceholderBar {
    double left;
    double width;
};
constexpr PlaceholderBar kPlaceholderBars[] = {{44, 1}, {46, 2}, {49, 3}, {53, 1}, {55, 2},
                                               {58, 3}, {62, 1}, {64, 2}, {67, 2}, {71, 1},
                                               {73, 2}, {76, 2}, {80, 1}, {82, 2}};
constexpr double kPlaceholderTop = 4.0;
constexpr double kPlaceholderHeight = 9.5;

// Draws one label whose top-left corner is (lx, ly) mm on the page, at zoom z.
class LabelPainter {
  public:
    LabelPainter(DrawingSurface& surface, const LayoutSettings& layout, RenderMode mode, double z,
                 double lx, double ly)
        : surface_(surface), layout_(layout), mode_(mode), z_(z), lx_(lx), ly_(ly) {}

    void draw(const LabelRecord& label) {
        if (layout_.borderOn)
            drawBorder();
        if (layout_.isVisible(LabelElement::Barcode))
            drawBarcode(label.janCode);
        if (layout_.isVisible(LabelElement::Jan))
            drawJanDigits(label.janCode);
        if (layout_.isVisible(LabelElement::ProductName))
            drawProductName(label.productName);
        if (layout_.isVisible(LabelElement::Price))
            drawPrice(label.price);
        if (layout_.isVisible(LabelElement::Yen))
            drawElementText(LabelElement::Yen, 62, 39, kYenSign);
        if (layout_.isVisible(LabelElement::Maker))
            drawElementText(LabelElement::Maker, 8, 17, label.maker);
        if (layout_.isVisible(LabelElement::Spec))
            drawElementText(LabelElement::Spec, 8, 36, label.spec);
        if (layout_.isVisible(LabelElement::Lot))
            drawElementText(LabelElement::Lot, 8, 40, label.lot);
        if (layout_.isVisible(LabelElement::TaxLine)) {
            // Only a sheet showing both prices has one, and only for a whole-yen price.
            if (const std::optional<std::string> text = taxLineFor(label, layout_.pricing))
                drawElementText(LabelElement::TaxLine, kTaxLineX, kTaxLineY, *text);
        }
    }

  private:
    double x(double dx) const { return (lx_ + dx) * z_; }
    double y(double dy) const { return (ly_ + dy) * z_; }

    void drawBorder() {
        for (double top : {2.0, 50.0})
            surface_.fillRect(x(3), y(top), 85 * z_, 2 * z_, layout_.borderColor);
    }

    void drawBarcode(const std::string& janCode) {
        const std::size_t length = utf8::length(janCode);
        if (length != 13 && length != 8)
            return;
        const ElementStyle& barcode = layout_.element(LabelElement::Barcode);
        const double bx = barcode.offsetX;
        const double by = barcode.offsetY;
        if (mode_ == RenderMode::Preview) {
            for (const PlaceholderBar& bar : kPlaceholderBars) {
                surface_.fillRect(x(bar.left + bx), y(kPlaceholderTop + by), bar.width * z_,
                                  kPlaceholderHeight * z_, kBlack);
            }
            return;
        }
        // A wrong check digit leaves no barcode; the label is drawn as usual.
        drawEan13Barcode(surface_, janCode, x(40 + bx), y(5 + by), x(95 + bx), y(15 + by));
    }

    void drawJanDigits(const std::string& janCode) {
        // A short code stands under the middle of its narrower barcode.
        const std::string text = utf8::length(janCode) == 8 ? "    " + janCode : janCode;
        drawElementText(LabelElement::Jan, 8, 6, text);
    }

    void drawProductName(const std::string& name) {
        // Names of up to eleven characters are centred in a field of thirteen.
        const std::size_t n = utf8::length(name);
        const bool centred = n > 0 && n < kProductNameField - 1;
        drawElementText(LabelElement::ProductName, 4, 24,
                        centred ? std::string(kProductNameField - n, ' ') + name : name);
    }

    void drawPrice(const std::string& price) {
        // Right-aligned in a field of seven. A longer price is drawn whole from
        // the field's left edge rather than losing its leading characters.
        const std::string text =
            utf8::length(price) <= kPriceField ? utf8::right("     " + price, kPriceField) : price;
        drawElementText(LabelElement::Price, 0, 33, text);
    }

    // Sets every attribute of the element's text, then draws it at its anchor
    // (fixed place plus the element's offset).
    void drawElementText(LabelElement e, double dx, double dy, const std::string& text) {
        const ElementStyle& style = layout_.element(e);
        const ElementFont& font = style.font;
        surface_.setFont(SurfaceFont{font.name, font.size * z_, font.bold, font.italic,
                                     layout_.isUnderlined(e)});
        surface_.setTextColor(style.color);
        surface_.drawText(x(dx + style.offsetX), y(dy + style.offsetY), text);
    }

    DrawingSurface& surface_;
    const LayoutSettings& layout_;
    RenderMode mode_;
    double z_;
    double lx_;
    double ly_;
};

}  // namespace

void drawSheet(DrawingSurface& surface, const LabelSheet& sheet, const LayoutSettings& layout,
               const RenderOptions& options) {
    const double z = options.zoom;

    surface.setFont(SurfaceFont{kDefaultFaceName, 16, false, false, false});
    surface.setTextColor(kBlack);
    surface.setUnit(SurfaceUnit::Millimetres);

    if (options.mode == RenderMode::Preview) {
        surface.clear();
        surface.setTransparentFill();
        for (int k = 1; k <= LabelSheet::kLabelCount; ++k) {
            const PointMm cell = labelCellOrigin(k, layout.originX, layout.originY);
            surface.drawRect(cell.x * z, cell.y * z, kLabelWidthMm * z, kLabelHeightMm * z,
                             kFrameColor);
        }
    }

    for (int k = 1; k <= LabelSheet::kLabelCount; ++k) {
        // A failed surface (a printer page that broke) abandons the rest.
        if (!surface.ok())
            break;
        const LabelRecord& label = sheet.label(k);
        if (label.productName.empty())
            continue;  // a free label
        const PointMm cell = labelCellOrigin(k, layout.originX, layout.originY);
        LabelPainter(surface, layout, options.mode, z, cell.x, cell.y).draw(label);
    }
}

void drawSheetGuide(DrawingSurface& surface, const LayoutSettings& layout, double z) {
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.clear();
    for (int k = 1; k <= LabelSheet::kLabelCount; ++k) {
        const PointMm cell = labelCellOrigin(k, layout.originX, layout.originY);
        surface.drawRect(cell.x * z, cell.y * z, kLabelWidthMm * z, kLabelHeightMm * z,
                         kGuideColor);
        surface.setFont(SurfaceFont{kDefaultFaceName, 10 * z, false, false, false});
        surface.setTextColor(kGuideColor);
        const std::string number = k < 10 ? " " + std::to_string(k) : std::to_string(k);
        surface.drawText((cell.x + 56) * z, (cell.y + 16) * z, number);
    }
}
