#include "render/SheetRenderer.h"

#include <string>

#include "barcode/JanCode.h"
#include "model/LabelSheet.h"
#include "model/Utf8Text.h"
#include "render/BarcodePainter.h"
#include "render/LabelTexts.h"

namespace {

// The preview stands in for the bars with the same fourteen black rectangles
// for every code: left edge and width in mm, from the label's left edge.
struct PlaceholderBar {
    double left;
    double width;
};
constexpr PlaceholderBar kPlaceholderBars[] = {{44, 1}, {46, 2}, {49, 3}, {53, 1}, {55, 2},
                                               {58, 3}, {62, 1}, {64, 2}, {67, 2}, {71, 1},
                                               {73, 2}, {76, 2}, {80, 1}, {82, 2}};
constexpr double kPlaceholderLeft = 44.0;
constexpr double kPlaceholderRight = 84.0;
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
        for (const LabelText& t : labelTexts(label, layout_))
            drawElementText(t);
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
        if (!janSymbologyForLength(length))
            return;
        const ElementStyle& barcode = layout_.element(LabelElement::Barcode);
        const double bx = barcode.offsetX;
        const double by = barcode.offsetY;
        if (mode_ == RenderMode::Preview && !checkJanCode(janCode).valid) {
            drawCrossedPlaceholder(bx, by);
            return;
        }
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

    // Where a code will print no barcode, the preview shows the placeholder's
    // outline crossed in red rather than bars the paper will not have.
    void drawCrossedPlaceholder(double bx, double by) {
        const double left = x(kPlaceholderLeft + bx);
        const double top = y(kPlaceholderTop + by);
        const double right = x(kPlaceholderRight + bx);
        const double bottom = y(kPlaceholderTop + kPlaceholderHeight + by);
        surface_.drawRect(left, top, right - left, bottom - top, kRed);
        surface_.drawLine(left, top, right, bottom, kRed);
        surface_.drawLine(left, bottom, right, top, kRed);
    }

    // Sets every attribute of the element's text, then draws it at its anchor.
    // A text that would end beyond the label's right edge is condensed to end
    // inside it, down to half its width, and clipped at the edge beyond that.
    void drawElementText(const LabelText& t) {
        const ElementStyle& style = layout_.element(t.element);
        const ElementFont& font = style.font;
        surface_.setFont(SurfaceFont{font.name, font.size * z_, font.bold, font.italic,
                                     layout_.isUnderlined(t.element)});
        surface_.setTextColor(style.color);
        const double left = x(t.dx);
        const double right = x(kLabelWidthMm);
        const TextFit fit = fitText(surface_.textWidth(t.text), right - left);
        if (fit.scale == 1.0)
            surface_.drawText(left, y(t.dy), t.text);
        else
            surface_.drawCondensedText(left, y(t.dy), t.text, fit.scale, right);
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
