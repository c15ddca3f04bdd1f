#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/LabelElement.h"
#include "model/LabelStock.h"
#include "model/LayoutSettings.h"

// A rectangle on a label, in millimetres from the label's top-left corner.
struct RectMm {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    bool operator==(const RectMm&) const = default;
};

// Where one element stands on a label before the user's offset, and how it
// looks in the default pattern.
struct ElementPlace {
    // A text's anchor is the top-left corner of its first character; the
    // barcode's is the corner of the box its bars are fitted into.
    PointMm anchor;
    // The barcode's box; a text has none (it runs to the label's right edge).
    double boxWidthMm = 0.0;
    double boxHeightMm = 0.0;
    std::int16_t fontSize = 10;  // whole points, texts only
    Color color = kBlack;        // texts only
    bool operator==(const ElementPlace&) const = default;
};

// One bar of the preview's stand-in for a barcode: its left edge from the
// stand-in's left edge, and its width, in millimetres.
struct PlaceholderBar {
    double left = 0.0;
    double width = 0.0;
    bool operator==(const PlaceholderBar&) const = default;
};

// The element template: where every element of a label is drawn, for labels
// of one size. Everything the renderer places inside a label comes from here,
// in label-local millimetres, so a template for another label size is another
// value of this type, not other code.
struct ElementTemplate {
    // The label the template is made for.
    double labelWidthMm = 0.0;
    double labelHeightMm = 0.0;
    // Indexed by LabelElement; use place().
    std::array<ElementPlace, kStyledElementCount> elements{};
    // The border: bars across the label, drawn before everything else and
    // not moved by any offset.
    std::vector<RectMm> borderBars;
    // The preview's stand-in for the bars: the box (also the outline crossed
    // out for a code that prints no barcode) and the same bars for every code.
    RectMm placeholder;
    std::vector<PlaceholderBar> placeholderBars;
    // The label number of the start-up guide, and its size in points.
    PointMm guideNumber;
    double guideNumberSize = 10.0;

    const ElementPlace& place(LabelElement e) const;
    bool operator==(const ElementTemplate&) const = default;
};

// The template of the standard stock's 91 × 55 mm labels: the places and the
// default fonts and colours the program has always had.
const ElementTemplate& standardElementTemplate();

// The template for the labels of `stock`: the standard one scaled to the
// label, places by the width and height ratios, font sizes by the smaller
// ratio (never below kSmallestScaledFontSize). The standard template itself
// for 91 × 55 mm labels. The reference stays valid until the next call for
// another label size on the same thread.
const ElementTemplate& elementTemplateFor(const LabelStock& stock);

inline constexpr std::int16_t kSmallestScaledFontSize = 6;

// The standard template scaled to a label of that size (a new value).
ElementTemplate scaledElementTemplate(double labelWidthMm, double labelHeightMm);
