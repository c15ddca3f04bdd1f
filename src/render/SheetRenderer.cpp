#include "render/SheetRenderer.h"

#include <algorithm>
#include <string>

#include "barcode/JanCode.h"
#include "model/ElementTemplate.h"
#include "model/LabelSheet.h"
#include "model/QrContent.h"
#include "model/Utf8Text.h"
#include "render/BarcodePainter.h"
#include "render/LabelFrame.h"
#include "render/LabelTexts.h"

namespace {

// The labels drawn: those of the stock, as far as the sheet holds labels.
int drawnLabelCount(const LabelSheet& sheet, const LayoutSettings& layout) {
    return std::min(layout.stock.labelCount(), sheet.labelCount());
}

// Draws one label in its own frame: millimetres from its top-left corner, at zoom z.
class LabelPainter {
  public:
    LabelPainter(DrawingSurface& surface, const LayoutSettings& layout, RenderMode mode, double z)
        : surface_(surface),
          layout_(layout),
          places_(elementTemplateFor(layout.stock)),
          mode_(mode),
          z_(z) {}

    void draw(const LabelRecord& label) {
        if (layout_.borderOn)
            drawBorder();
        if (layout_.isVisible(LabelElement::Barcode))
            drawBarcode(label.janCode);
        if (layout_.isVisible(LabelElement::Qr))
            drawQr(qrContentFor(label, layout_.qrPattern));
        for (const LabelText& t : labelTexts(label, layout_))
            drawElementText(t);
    }

  private:
    void fill(const RectMm& r, Color color) {
        surface_.fillRect(r.x * z_, r.y * z_, r.width * z_, r.height * z_, color);
    }

    void drawBorder() {
        for (const RectMm& bar : places_.borderBars)
            fill(bar, layout_.borderColor);
    }

    void drawBarcode(const std::string& janCode) {
        const std::size_t length = utf8::length(janCode);
        if (!janSymbologyForLength(length))
            return;
        const ElementStyle& barcode = layout_.element(LabelElement::Barcode);
        const double bx = barcode.offsetX;
        const double by = barcode.offsetY;
        const RectMm& stand = places_.placeholder;
        if (mode_ == RenderMode::Preview && !checkJanCode(janCode).valid) {
            drawCrossedPlaceholder(RectMm{stand.x + bx, stand.y + by, stand.width, stand.height});
            return;
        }
        if (mode_ == RenderMode::Preview) {
            for (const PlaceholderBar& bar : places_.placeholderBars)
                fill(RectMm{stand.x + bar.left + bx, stand.y + by, bar.width, stand.height},
                     kBlack);
            return;
        }
        // A wrong check digit leaves no barcode; the label is drawn as usual.
        const ElementPlace& box = places_.place(LabelElement::Barcode);
        const double left = box.anchor.x + bx;
        const double top = box.anchor.y + by;
        drawEan13Barcode(surface_, janCode, left * z_, top * z_, (left + box.boxWidthMm) * z_,
                         (top + box.boxHeightMm) * z_);
    }

    // The QR code fills the square of its box's shorter side from the box's
    // corner. On paper a content too long for modules of the printed minimum
    // prints no code (the check before printing says so); the preview shows
    // the box crossed out instead.
    void drawQr(const std::string& content) {
        if (content.empty())
            return;
        const ElementStyle& style = layout_.element(LabelElement::Qr);
        const ElementPlace& box = places_.place(LabelElement::Qr);
        const RectMm square{box.anchor.x + style.offsetX, box.anchor.y + style.offsetY,
                            std::min(box.boxWidthMm, box.boxHeightMm),
                            std::min(box.boxWidthMm, box.boxHeightMm)};
        const ModuleMatrix symbol = encodeSymbol(Symbology::Qr, content);
        const double minModule = mode_ == RenderMode::Paper ? kMinPrintedModuleMm : 0.0;
        const bool fits = !symbol.empty() && squareSymbolFits(square.width, symbol.width());
        if (fits && paintSquareModules(surface_, symbol, square.x * z_, square.y * z_,
                                       square.width * z_, minModule))
            return;
        if (mode_ == RenderMode::Preview)
            drawCrossedPlaceholder(square);
    }

    // Where a code will print no barcode, the preview shows the placeholder's
    // outline crossed in red rather than bars the paper will not have.
    void drawCrossedPlaceholder(const RectMm& r) {
        const double left = r.x * z_;
        const double top = r.y * z_;
        const double right = r.right() * z_;
        const double bottom = r.bottom() * z_;
        surface_.drawRect(left, top, right - left, bottom - top, kRed);
        surface_.drawLine(left, top, right, bottom, kRed);
        surface_.drawLine(left, bottom, right, top, kRed);
    }

    // Sets every attribute of the element's text, then draws it at its anchor.
    // A text that would end beyond the label's right edge is condensed to end
    // inside it, down to half its width, and clipped at the edge beyond that.
    void drawElementText(const LabelText& t) {
        const PlacedText placed = placeText(surface_, t, layout_, z_);
        surface_.setTextColor(layout_.element(t.element).color);
        if (placed.fit.scale == 1.0)
            surface_.drawText(placed.x, placed.y, t.text);
        else
            surface_.drawCondensedText(placed.x, placed.y, t.text, placed.fit.scale, placed.right);
        if (t.struck)
            strikeThrough(textBox(surface_, t, placed), layout_.element(t.element).color);
    }

    // A line across the middle of the text, as thick as a pen's stroke on
    // paper (a quarter millimetre), and at least one pixel on screen.
    void strikeThrough(const TextBox& box, Color color) {
        constexpr double kStrokeMm = 0.25;
        const double mmPerPixel = surface_.twipsPerPixelY() / 1440.0 * 25.4;
        const int pixels = mmPerPixel > 0.0 ? static_cast<int>(kStrokeMm * z_ / mmPerPixel) : 1;
        const double middle = (box.top + box.bottom) / 2.0;
        surface_.setLineWidth(std::max(pixels, 1));
        surface_.drawLine(box.left, middle, box.right, middle, color);
        surface_.setLineWidth(1);
    }

    DrawingSurface& surface_;
    const LayoutSettings& layout_;
    const ElementTemplate& places_;
    RenderMode mode_;
    double z_;
};

// The outline of every label of the stock, in `color`, at zoom z.
void drawCellOutlines(DrawingSurface& surface, const LayoutSettings& layout, double z,
                      Color color) {
    for (int k = 1; k <= layout.stock.labelCount(); ++k) {
        const LabelFrame frame(surface, layout, k, z, FrameClip::None);
        surface.drawRect(0, 0, layout.stock.labelWidthMm * z, layout.stock.labelHeightMm * z,
                         color);
    }
}

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
        drawCellOutlines(surface, layout, z, kFrameColor);
    }

    for (int k = 1; k <= drawnLabelCount(sheet, layout); ++k) {
        // A failed surface (a printer page that broke) abandons the rest.
        if (!surface.ok())
            break;
        const LabelRecord& label = sheet.label(k);
        if (label.productName.empty())
            continue;  // a free label
        const LabelFrame frame(surface, layout, k, z, FrameClip::ToLabel);
        LabelPainter(surface, layout, options.mode, z).draw(label);
    }
}

void drawSheetGuide(DrawingSurface& surface, const LayoutSettings& layout, double z) {
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.clear();
    const ElementTemplate& places = elementTemplateFor(layout.stock);
    for (int k = 1; k <= layout.stock.labelCount(); ++k) {
        const LabelFrame frame(surface, layout, k, z, FrameClip::None);
        surface.drawRect(0, 0, layout.stock.labelWidthMm * z, layout.stock.labelHeightMm * z,
                         kGuideColor);
        surface.setFont(
            SurfaceFont{kDefaultFaceName, places.guideNumberSize * z, false, false, false});
        surface.setTextColor(kGuideColor);
        // Numbers of one digit stand where the second digit of two would.
        const std::string number = k < 10 ? " " + std::to_string(k) : std::to_string(k);
        surface.drawText(places.guideNumber.x * z, places.guideNumber.y * z, number);
    }
}
