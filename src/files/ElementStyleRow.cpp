#include "files/ElementStyleRow.h"

#include "model/ToggleCaptions.h"

void writeElementStyleRow(CsvLineWriter& w, std::string_view key, LabelElement element,
                          const ElementStyle& style) {
    w.text(key);
    w.text(style.font.name);
    w.number(style.font.size);
    w.boolean(style.font.bold);
    w.boolean(style.font.italic);
    w.number(style.color);
    w.text(captions::forVisible(style.visible));
    if (canBeUnderlined(element)) {
        w.text(captions::forUnderlined(style.underlined));
    } else {
        w.number(0);
    }
    w.number(style.offsetX);
    w.number(style.offsetY);
}

ColorField readColorField(const CsvField& field, Color& color) {
    constexpr Color kWhite = 0xFFFFFF;
    const std::optional<std::int32_t> value = fieldToInt32(field);
    if (!value)
        return ColorField::NotNumber;
    if (*value < 0 || *value > kWhite)
        return ColorField::Damaged;
    color = *value;
    return ColorField::Valid;
}

bool readElementStyleRow(const std::vector<CsvField>& line, ElementStyle& style) {
    constexpr std::size_t kFields = 11;  // marker, key and the nine fields
    if (line.size() != kFields || line[2].text.empty())
        return false;
    const std::optional<std::int16_t> size = fieldToInt16(line[3]);
    const std::optional<bool> bold = fieldToBool(line[4]);
    const std::optional<bool> italic = fieldToBool(line[5]);
    Color color = kBlack;
    const bool colorRead = readColorField(line[6], color) == ColorField::Valid;
    const std::optional<std::int16_t> offsetX = fieldToInt16(line[9]);
    const std::optional<std::int16_t> offsetY = fieldToInt16(line[10]);
    if (!size || *size < 1 || !bold || !italic || !colorRead || !offsetX || !offsetY)
        return false;
    style.font = ElementFont{line[2].text, *size, *bold, *italic};
    style.color = color;
    style.visible = captions::visibleFromCaption(line[7].text);
    style.offsetX = *offsetX;
    style.offsetY = *offsetY;
    return true;
}
