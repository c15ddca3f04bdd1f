#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/LabelElement.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "render/DrawingSurface.h"

// One text of a label as the sheet renderer draws it.
struct LabelText {
    LabelElement element = LabelElement::Jan;
    double dx = 0.0;      // the top-left corner of its first character, in mm from
    double dy = 0.0;      // the label's top-left corner, the element's offset included
    std::string text;     // as drawn: centred, right-aligned or indented with spaces
    bool cut = false;     // the text was longer than kLongestLabelText: `text` is its start
    bool struck = false;  // a line is drawn across it (a regular price no longer asked)
};

// The most characters of one text that are measured and drawn. Even at half
// width in the smallest font no label shows more; a longer text (a damaged
// file, a runaway list cell) is cut to this and counts as clipped, so its
// width never reaches the limits of a device's arithmetic.
inline constexpr std::size_t kLongestLabelText = 2000;

// The visible texts of a label, in the order they are drawn (each after the
// border and the barcode): JAN digits, product name, price, yen sign, maker,
// spec, lot, tax line, then the price's caption, the regular price (struck),
// the sale's period, the unit price and the origin where the sheet or the
// label has them; each at its anchor in the element template. A label without a product name
// is not drawn at all, yet its texts are listed all the same.
std::vector<LabelText> labelTexts(const LabelRecord& label, const LayoutSettings& layout);

// How a text is fitted into the room left of its label's right edge.
struct TextFit {
    double scale = 1.0;    // horizontal scale: 1 for a text that fits, down to kMinimumTextScale
    bool clipped = false;  // even at the smallest scale the text runs past the edge
};

// Texts are condensed down to half their width, never further.
inline constexpr double kMinimumTextScale = 0.5;

// The fit of a text `width` long whose left edge stands `room` before the
// label's right edge (both in the same unit).
TextFit fitText(double width, double room);

// Where a text of a label lands and how it is fitted, in the label's frame at
// `zoom`: the font it is drawn in, its top-left corner, the label's right
// edge, and its fit into the room between them. The printer and the check
// before printing both take a text's fit from here.
struct PlacedText {
    SurfaceFont font;
    double x = 0.0;
    double y = 0.0;
    double right = 0.0;
    TextFit fit;
};

// Sets the text's font on `gauge` and measures the text with it (in the
// gauge's millimetres: the gauge is to be in that unit).
PlacedText placeText(DrawingSurface& gauge, const LabelText& text, const LayoutSettings& layout,
                     double zoom);

// The box a placed text covers in its label's frame, at the zoom it was
// placed at: from its first character that is not a blank (the price is
// aligned with blanks) to its end as drawn, condensed or cut at the edge, and
// the font's height. The check before printing finds overlaps with it; the
// renderer strikes a text through its middle.
struct TextBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    bool overlaps(const TextBox& other) const;
};
TextBox textBox(DrawingSurface& gauge, const LabelText& text, const PlacedText& placed);
