#pragma once

#include "model/LabelStock.h"
#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"

// The top-left corner of label `number`'s cell on the page, in millimetres
// before zoom: the stock's cell from the first label's corner of `layout`.
inline PointMm labelCorner(const LayoutSettings& layout, int number) {
    return layout.stock.cellOrigin(number, PointMm{layout.originX, layout.originY});
}

// Whether a label's frame keeps its drawing inside the label.
enum class FrameClip { None, ToLabel };

// The frame of one label for as long as it lives: the surface's origin at the
// label's corner (at zoom z), and with FrameClip::ToLabel nothing painted
// outside the label. Drawing inside is in label-local millimetres (times z).
class LabelFrame {
  public:
    LabelFrame(DrawingSurface& surface, const LayoutSettings& layout, int number, double z,
               FrameClip clip)
        : surface_(surface) {
        const PointMm corner = labelCorner(layout, number);
        surface_.save();
        surface_.translate(corner.x * z, corner.y * z);
        if (clip == FrameClip::ToLabel)
            surface_.clipRect(0, 0, layout.stock.labelWidthMm * z, layout.stock.labelHeightMm * z);
    }
    ~LabelFrame() { surface_.restore(); }
    LabelFrame(const LabelFrame&) = delete;
    LabelFrame& operator=(const LabelFrame&) = delete;

  private:
    DrawingSurface& surface_;
};
