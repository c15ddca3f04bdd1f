#pragma once

#include <string>
#include <string_view>

#include "model/LayoutSettings.h"

// Units in which a surface takes coordinates: the page's millimetres, or the
// device's own pixels (barcode modules are laid out in whole pixels).
enum class SurfaceUnit { Millimetres, Pixels };

// Everything a text is drawn with.
struct SurfaceFont {
    std::string name;
    double sizePt = 10.0;  // may be fractional (zoomed sizes)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const SurfaceFont&) const = default;
};

// A point in a surface's current unit.
struct SurfacePoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const SurfacePoint&) const = default;
};

// A page or picture the renderer draws on: the preview picture, a printer
// page or a PDF page. Whether it is drawn as a preview or as paper is the
// renderer's choice (RenderOptions), not the surface's. Coordinates are in the surface's current
// unit, measured from the current origin: at first the surface's top-left corner (for a printer,
// the corner of its printable area), moved by translate(). A label is drawn in its own frame:
// save(), translate() to its corner, clipRect() to its size, draw, restore().
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    virtual SurfaceUnit unit() const = 0;
    virtual void setUnit(SurfaceUnit unit) = 0;

    // Keeps the current origin and clip; restore() brings back the last ones
    // kept. Every save() is matched by one restore().
    virtual void save() = 0;
    virtual void restore() = 0;
    // Moves the origin by (dx, dy) in the current unit. The new origin holds
    // in both units: after setUnit() coordinates are still measured from it.
    virtual void translate(double dx, double dy) = 0;
    // Nothing is painted outside this rectangle (current unit, from the
    // current origin) until the matching restore(); within a clip already
    // set, only their overlap is painted.
    virtual void clipRect(double x, double y, double width, double height) = 0;
    // Where the current origin stands, from the surface's own top-left corner,
    // in the current unit (fractions of a pixel included).
    virtual SurfacePoint origin() const = 0;

    // Paints the whole surface in its background colour (white).
    virtual void clear() = 0;
    // Outline rectangles are not filled from now on.
    virtual void setTransparentFill() = 0;

    virtual void setFont(const SurfaceFont& font) = 0;
    virtual void setTextColor(Color color) = 0;
    // Draws `text` (UTF-8) with the top-left corner of its first character at
    // (x, y), in the current font and text colour, without a background.
    virtual void drawText(double x, double y, std::string_view text) = 0;

    // Width of `text` as drawText() would draw it in the current font, in the
    // current unit.
    virtual double textWidth(std::string_view /*text*/) const { return 0.0; }
    // True when every character of `text` comes out as a glyph in the current
    // font (or a font the surface falls back to), not as an empty box.
    virtual bool canDrawText(std::string_view /*text*/) const { return true; }
    // Draws `text` as drawText() does but narrowed to `scale` (0 < scale < 1)
    // of its width from its left edge (長体), painting nothing right of `clipRight`.
    virtual void drawCondensedText(double x, double y, std::string_view text, double /*scale*/,
                                   double /*clipRight*/) {
        drawText(x, y, text);
    }

    // A rectangle from its top-left corner (x, y), `width` wide and `height`
    // high, in the current unit: an outline of the current line width, or filled.
    virtual void drawRect(double x, double y, double width, double height, Color color) = 0;
    virtual void fillRect(double x, double y, double width, double height, Color color) = 0;

    // Filled rectangles given between these two calls (the modules of a
    // barcode) may be painted together when the run ends: the same pixels, in
    // fewer painting calls. Nothing is held back after endFillRun().
    virtual void beginFillRun() {}
    virtual void endFillRun() {}

    virtual void drawLine(double x1, double y1, double x2, double y2, Color color) = 0;
    // Line width in device pixels (at least 1).
    virtual void setLineWidth(int pixels) = 0;

    // Size of one device pixel in twips (1/1440 inch), horizontally and
    // vertically.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;

    // False once a drawing operation has failed (for example a printer page
    // that could not be opened); the caller then abandons the drawing.
    virtual bool ok() const { return true; }
};
