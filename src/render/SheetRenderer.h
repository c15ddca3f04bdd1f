#pragma once

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"
#include "render/ViewState.h"

// Draws the whole sheet. In preview mode the surface is cleared, the ten label
// frames are drawn in grey and each barcode is a fixed placeholder; in print
// mode the zoom is forced to 1.0 for the drawing, nothing is cleared or
// framed, and real barcodes are painted. Afterwards the zoom is put back to
// 0.5 when the zoom caption says the preview is at 50 %.
// Stops early, leaving the rest undrawn, when the surface reports a failure.
void drawSheet(DrawingSurface& surface, const LabelSheet& sheet, const LayoutSettings& layout,
               ViewState& view);

// The start-up guide: ten numbered frames in a light colour at the zoom of
// `view`, from the origin of `layout`.
void drawSheetGuide(DrawingSurface& surface, const LayoutSettings& layout, const ViewState& view);

// Light grey of the start-up guide.
inline constexpr Color kGuideColor = 0xC8D0D4;
// Grey of the label frames in the preview.
inline constexpr Color kFrameColor = 0x808080;
