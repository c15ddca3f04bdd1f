#pragma once

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"

enum class RenderMode {
    Preview,  // on screen: the page cleared, label frames, placeholder bars
    Paper,    // printed: nothing cleared or framed, real barcodes
};

// How a sheet is drawn: for the screen or for paper, and at which zoom
// (1.0 is full size).
struct RenderOptions {
    RenderMode mode = RenderMode::Preview;
    double zoom = 1.0;

    static RenderOptions preview(double zoom) { return {RenderMode::Preview, zoom}; }
    static RenderOptions paper() { return {RenderMode::Paper, 1.0}; }
};

// Draws the whole sheet as `options` say. In preview mode the surface is
// cleared, the ten label frames are drawn in grey and each barcode is a fixed
// placeholder; on paper nothing is cleared or framed and real barcodes are
// painted. Stops early, leaving the rest undrawn, when the surface reports a
// failure.
void drawSheet(DrawingSurface& surface, const LabelSheet& sheet, const LayoutSettings& layout,
               const RenderOptions& options);

// The start-up guide: ten numbered frames in a light colour at `zoom`, from
// the origin of `layout`.
void drawSheetGuide(DrawingSurface& surface, const LayoutSettings& layout, double zoom);

// Light grey of the start-up guide.
inline constexpr Color kGuideColor = 0xC8D0D4;
// Grey of the label frames in the preview.
inline constexpr Color kFrameColor = 0x808080;
