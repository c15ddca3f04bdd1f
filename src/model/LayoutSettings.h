#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/LabelElement.h"
#include "model/LabelStock.h"
#include "model/PriceEmbeddedRule.h"
#include "model/TaxRate.h"

// 0x00BBGGRR: red in the lowest byte. 0 is black, 255 red.
using Color = std::int32_t;

inline constexpr Color kBlack = 0;
inline constexpr Color kRed = 255;

struct ElementFont {
    std::string name;
    std::int16_t size = 0;  // whole points
    bool bold = false;
    bool italic = false;
    bool operator==(const ElementFont&) const = default;
};

// The face of the default pattern, and of the sheet's own texts.
inline constexpr const char* kDefaultFaceName = "ＭＳ 明朝";

// How one element of a label is drawn. The barcode uses only its offsets and
// visibility; only the underlinable elements are ever underlined.
struct ElementStyle {
    ElementFont font;
    Color color = kBlack;
    std::int16_t offsetX = 0;  // whole mm from the element's fixed place, to the right
    std::int16_t offsetY = 0;  // and downwards
    bool visible = true;
    bool underlined = false;
    bool operator==(const ElementStyle&) const = default;
};

// The print pattern: where each element of a label is drawn and how it looks.
struct LayoutSettings {
    // Indexed by LabelElement; use element().
    std::array<ElementStyle, kStyledElementCount> elements{};

    bool borderOn = false;
    Color borderColor = kBlack;

    // The stock the pattern is made for.
    LabelStock stock;

    // The first label's corner: the stock's, moved by the adjustment texts.
    double originX = kStandardStock.firstLabel.x;
    double originY = kStandardStock.firstLabel.y;

    // Texts of the origin adjustment displays (x座標調整, y座標調整).
    std::string xAdjustText = "0";
    std::string yAdjustText = "0";
    // The fine part of the adjustment, in tenths of a millimetre (-9..9),
    // added to the whole millimetres of the texts; 0 for a pattern in whole
    // millimetres. The whole adjustment stays within ±10 mm.
    int xFineTenths = 0;
    int yFineTenths = 0;

    // Price mode and rounding of the tax line.
    PricePattern pricing;

    // The QR code of a label with no content of its own: this text with
    // {JAN} replaced by the label's code; empty for none.
    std::string qrPattern;
    // How the shop's registers read price-embedded codes.
    PriceEmbeddedRule priceEmbedded;

    // The style of any element but the border.
    ElementStyle& element(LabelElement e);
    const ElementStyle& element(LabelElement e) const;

    // Whether the element is drawn; for the border, borderOn.
    bool isVisible(LabelElement e) const;
    // Whether the element's text is underlined; never for an element without
    // an underline toggle.
    bool isUnderlined(LabelElement e) const;

    bool operator==(const LayoutSettings&) const = default;
};

// The state of a new input window before any settings are read: every element
// visible, no underline, no border, border colour black. Fonts, colours,
// offsets, origin and adjustment texts are the default pattern.
LayoutSettings initialLayoutSettings();

// Sets the default pattern: fonts, colours, offsets, origin, adjustment texts,
// and the border off. Leaves visibility, underline and borderColor as they are.
void applyDefaultLayout(LayoutSettings& settings);

// Brings the origin in line with the adjustment texts, each axis on its own:
// a text that is a whole number v from -10 to 10 puts the origin at the
// stock's first label + v mm; any other text
// becomes "0" and that axis of the origin its default. Used whenever a stored
// layout block has been applied.
void applyAdjustTextsToOrigin(LayoutSettings& settings);

// Sets an axis's adjustment to `tenths` of a millimetre (clamped to ±100):
// the whole millimetres into the text, the rest into the fine part, and the
// origin from both. Axis 0 is x, 1 is y.
void setAdjustTenths(LayoutSettings& settings, int axis, int tenths);
// The axis's whole adjustment in tenths of a millimetre.
int adjustTenths(const LayoutSettings& settings, int axis);

// Puts the pattern on another stock: the stock, the default font sizes and
// places of its labels (offsets back to 0; faces, colours, visibility,
// underline and border kept) and the origin from the adjustment.
void changeStock(LayoutSettings& settings, const LabelStock& stock);

// Parses an adjustment text: a whole number (optional sign, digits, nothing
// else). Returns false when it is not one.
bool parseAdjustText(const std::string& text, int& value);
