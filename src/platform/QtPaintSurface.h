#pragma once

#include <memory>

#include "render/DrawingSurface.h"

class QPainter;

// A drawing surface over a QPainter, for any paint device: a QImage for the
// preview, a QPrinter or QPdfWriter for paper and PDF. Coordinates are taken in
// the current unit (millimetres at the start) from the current origin and
// turned into device pixels with the device's resolution; the painter's own
// origin is the surface's first origin. Translations are kept by the surface
// (the painter is not transformed), so positions snap to device pixels as
// absolute page positions do; clips are the painter's, on whole pixels. Texts are placed by the
// top-left corner of their first character (the baseline is the font's ascent below it). Font names
// are used as stored; the Japanese font substitutions (installed on construction) pick the faces.
//
// Rectangles snap their edges to whole device pixels, so rectangles that share
// an edge meet without a seam and a rectangle given in pixels covers exactly
// its pixels.
class QtPaintSurface : public DrawingSurface {
  public:
    // `painter` must be active on its device for the surface's lifetime (ok()
    // turns false when it is not). Its pixels are the device's, at the
    // device's resolution.
    explicit QtPaintSurface(QPainter& painter);
    ~QtPaintSurface() override;
    QtPaintSurface(const QtPaintSurface&) = delete;
    QtPaintSurface& operator=(const QtPaintSurface&) = delete;

    SurfaceUnit unit() const override;
    void setUnit(SurfaceUnit unit) override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void clipRect(double x, double y, double width, double height) override;
    SurfacePoint origin() const override;
    void clear() override;
    void setTransparentFill() override;
    void setFont(const SurfaceFont& font) override;
    void setTextColor(Color color) override;
    void drawText(double x, double y, std::string_view text) override;
    double textWidth(std::string_view text) const override;
    bool canDrawText(std::string_view text) const override;
    void drawCondensedText(double x, double y, std::string_view text, double scale,
                           double clipRight) override;
    void drawRect(double x, double y, double width, double height, Color color) override;
    void fillRect(double x, double y, double width, double height, Color color) override;
    void beginFillRun() override;
    void endFillRun() override;
    void drawLine(double x1, double y1, double x2, double y2, Color color) override;
    void setLineWidth(int pixels) override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    bool ok() const override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};
