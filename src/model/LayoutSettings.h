#pragma once

#include <cstdint>
#include <string>

#include "model/LabelElement.h"

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

inline constexpr double kDefaultOriginX = 12.0;
inline constexpr double kDefaultOriginY = 7.8;

// The print pattern: where each element of a label is drawn and how it looks.
// The on/off states are held as the captions of their toggle buttons (see
// ToggleCaptions.h); the accessors below apply the tests to them.
struct LayoutSettings {
    ElementFont janFont, makerFont, productNameFont, specFont, lotFont, priceFont, yenFont;
    Color janColor = 0, makerColor = 0, productNameColor = 0, specColor = 0, lotColor = 0,
          priceColor = 0, yenColor = 0;
    Color borderColor = 0;

    double originX = kDefaultOriginX;
    double originY = kDefaultOriginY;

    std::int16_t janOffsetX = 0, janOffsetY = 0;
    std::int16_t barcodeOffsetX = 0, barcodeOffsetY = 0;
    std::int16_t makerOffsetX = 0, makerOffsetY = 0;
    std::int16_t productNameOffsetX = 0, productNameOffsetY = 0;
    std::int16_t specOffsetX = 0, specOffsetY = 0;
    std::int16_t lotOffsetX = 0, lotOffsetY = 0;
    std::int16_t priceOffsetX = 0, priceOffsetY = 0;
    std::int16_t yenOffsetX = 0, yenOffsetY = 0;

    // Texts of the origin adjustment displays (x座標調整, y座標調整).
    std::string xAdjustText = "0";
    std::string yAdjustText = "0";

    // Captions of the visibility toggles.
    std::string janVisibleCaption, barcodeVisibleCaption, makerVisibleCaption,
        productNameVisibleCaption, specVisibleCaption, lotVisibleCaption, priceVisibleCaption,
        yenVisibleCaption;
    // Captions of the underline toggles.
    std::string makerUnderlineCaption, productNameUnderlineCaption, specUnderlineCaption,
        lotUnderlineCaption;
    // Caption of the border toggle.
    std::string borderCaption;

    // The state tests, applied to the captions.
    bool janVisible() const { return isVisible(LabelElement::Jan); }
    bool barcodeVisible() const { return isVisible(LabelElement::Barcode); }
    bool makerVisible() const { return isVisible(LabelElement::Maker); }
    bool productNameVisible() const { return isVisible(LabelElement::ProductName); }
    bool specVisible() const { return isVisible(LabelElement::Spec); }
    bool lotVisible() const { return isVisible(LabelElement::Lot); }
    bool priceVisible() const { return isVisible(LabelElement::Price); }
    bool yenVisible() const { return isVisible(LabelElement::Yen); }
    bool makerUnderline() const { return isUnderlined(LabelElement::Maker); }
    bool productNameUnderline() const { return isUnderlined(LabelElement::ProductName); }
    bool specUnderline() const { return isUnderlined(LabelElement::Spec); }
    bool lotUnderline() const { return isUnderlined(LabelElement::Lot); }
    bool borderOn() const;

    // Visible exactly when the element's caption is "表示しない". Border: borderOn().
    bool isVisible(LabelElement e) const;
    // Underlined exactly when the caption is not "アンダーライン有"; never for
    // elements without an underline toggle.
    bool isUnderlined(LabelElement e) const;

    // Element-indexed access to the members above. font() and color() take a
    // text element (color() also Border); the offsets a movable element;
    // visibleCaption() a movable element; underlineCaption() an underlinable one.
    ElementFont& font(LabelElement e);
    const ElementFont& font(LabelElement e) const;
    Color& color(LabelElement e);
    Color color(LabelElement e) const;
    std::int16_t& offsetX(LabelElement e);
    std::int16_t offsetX(LabelElement e) const;
    std::int16_t& offsetY(LabelElement e);
    std::int16_t offsetY(LabelElement e) const;
    std::string& visibleCaption(LabelElement e);
    const std::string& visibleCaption(LabelElement e) const;
    std::string& underlineCaption(LabelElement e);
    const std::string& underlineCaption(LabelElement e) const;

    bool operator==(const LayoutSettings&) const = default;
};

// The state of a new input window before any settings are read: every element
// visible, no underline, no border, border colour black. Fonts, colours,
// offsets, origin and adjustment texts are the default pattern.
LayoutSettings initialLayoutSettings();

// Sets the default pattern: fonts, colours, offsets, origin, adjustment texts
// and the border caption. Leaves the visibility and underline captions and
// borderColor as they are.
void applyDefaultLayout(LayoutSettings& settings);

// Brings the origin in line with the adjustment texts, each axis on its own:
// a text that is a whole number v from -10 to 10 puts the origin at its
// default + v mm (originX = 12.0 + x, originY = 7.8 + y); any other text
// becomes "0" and that axis of the origin its default. Used whenever a stored
// layout block has been applied.
void applyAdjustTextsToOrigin(LayoutSettings& settings);

// Parses an adjustment text: a whole number (optional sign, digits, nothing
// else). Returns false when it is not one.
bool parseAdjustText(const std::string& text, int& value);
