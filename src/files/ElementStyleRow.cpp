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
