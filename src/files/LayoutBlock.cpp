#include "files/LayoutBlock.h"

#include <array>
#include <vector>

#include "files/ElementStyleRow.h"
#include "model/ToggleCaptions.h"

namespace {

constexpr int kLines = 10;
constexpr int kFieldsPerLine = 10;

constexpr std::array<const char*, kLines> kKeys = {
    "印字位置調整", "縁取り", "jan", "BARCODE", "メーカー", "品名", "規格", "ロット", "売価", "円"};

// Lines 3 and 5 to 10 each describe one text element (line 4 only the barcode's offsets).
constexpr int kJanLine = 2;
constexpr int kBarcodeLine = 3;
constexpr std::array<LabelElement, kLines> kLineElements = {
    LabelElement::Border, LabelElement::Border,      LabelElement::Jan,  LabelElement::Barcode,
    LabelElement::Maker,  LabelElement::ProductName, LabelElement::Spec, LabelElement::Lot,
    LabelElement::Price,  LabelElement::Yen};

struct StoredText {
    const std::string* text;
    std::string settingName;
};

// Every text the block stores, with the name of the setting it belongs to.
std::vector<StoredText> storedTexts(const LayoutSettings& s) {
    std::vector<StoredText> texts = {
        {&s.xAdjustText, "x座標調整"},
        {&s.yAdjustText, "y座標調整"},
    };
    for (int line = kJanLine; line < kLines; ++line) {
        if (line == kBarcodeLine)
            continue;
        const LabelElement e = kLineElements[line];
        const std::string key = kKeys[line];
        texts.push_back({&s.element(e).font.name, key + " フォント名"});
    }
    return texts;
}

void zeros(CsvLineWriter& w, int count) {
    for (int i = 0; i < count; ++i)
        w.number(0);
}

// A colour field, or the default colour when its value is damaged. False when damaged.
bool applyColor(const CsvField& field, Color& color, Color defaultColor) {
    if (readColorField(field, color) != ColorField::Damaged)
        return true;
    color = defaultColor;
    return false;
}

// Applies one field; false when its value was damaged (and replaced by the default).
bool applyField(int line, int index, const CsvField& field, LayoutSettings& s) {
    if (index == 0)
        return true;  // the key: read, never compared
    static const LayoutSettings defaults = initialLayoutSettings();
    if (line == 0) {
        if (index == 1)
            s.xAdjustText = field.text;
        if (index == 2)
            s.yAdjustText = field.text;
        return true;
    }
    if (line == 1) {
        if (index == 1)
            s.borderOn = captions::borderFromCaption(field.text);
        if (index == 2)
            return applyColor(field, s.borderColor, defaults.borderColor);
        return true;
    }
    ElementStyle& style = s.element(kLineElements[line]);
    if (index == 8 || index == 9) {
        if (auto v = fieldToInt16(field))
            (index == 8 ? style.offsetX : style.offsetY) = *v;
        return true;
    }
    if (line == kBarcodeLine)
        return true;  // the barcode's visibility is not stored
    ElementFont& font = style.font;
    switch (index) {
        case 1:
            // A face name is never empty: an empty one would leave the element without a font.
            if (!field.text.empty())
                font.name = field.text;
            break;
        case 2:
            // Likewise a size below one point cannot be drawn.
            if (auto v = fieldToInt16(field); v && *v >= 1)
                font.size = *v;
            break;
        case 3:
            if (auto v = fieldToBool(field))
                font.bold = *v;
            break;
        case 4:
            if (auto v = fieldToBool(field))
                font.italic = *v;
            break;
        case 5:
            return applyColor(field, style.color, defaults.element(kLineElements[line]).color);
        case 6:
            style.visible = captions::visibleFromCaption(field.text);
            break;
        case 7:
            if (canBeUnderlined(kLineElements[line]))
                style.underlined = captions::underlinedFromCaption(field.text);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace

Result writeLayoutBlock(CsvLineWriter& writer, const LayoutSettings& s) {
    for (const StoredText& t : storedTexts(s)) {
        Result r;
        if (t.text->find('"') != std::string::npos) {
            r.code = ResultCode::QuoteInText;
        } else if (!writer.canStore(*t.text)) {
            r.code = ResultCode::NotEncodable;
        } else {
            continue;
        }
        r.detail = *t.text;
        r.settingName = t.settingName;
        return r;
    }

    CsvLineWriter& w = writer;
    w.text(kKeys[0]);
    w.text(s.xAdjustText);
    w.text(s.yAdjustText);
    zeros(w, 7);
    w.endLine();

    w.text(kKeys[1]);
    w.text(captions::forBorder(s.borderOn));
    w.number(s.borderColor);
    zeros(w, 7);
    w.endLine();

    for (int line = kJanLine; line < kLines; ++line) {
        const LabelElement e = kLineElements[line];
        const ElementStyle& style = s.element(e);
        if (line == kBarcodeLine) {
            w.text(kKeys[line]);
            zeros(w, 7);
            w.number(style.offsetX);
            w.number(style.offsetY);
        } else {
            writeElementStyleRow(w, kKeys[line], e, style);
        }
        w.endLine();
    }
    return {};
}

int readLayoutBlock(CsvFieldReader& reader, LayoutSettings& settings, int* damagedLine) {
    int count = 0;
    for (int line = 0; line < kLines; ++line) {
        for (int index = 0; index < kFieldsPerLine; ++index) {
            const std::optional<CsvField> field = reader.next();
            if (!field)
                return count;
            ++count;
            if (!applyField(line, index, *field, settings) && damagedLine && *damagedLine == 0)
                *damagedLine = field->line;
        }
    }
    return count;
}
