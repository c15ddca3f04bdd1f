#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "files/CsvText.h"
#include "model/LabelElement.h"
#include "model/LayoutSettings.h"

// One text element's style as a line of the layout block stores it, and the
// price lines store the tax line's: the key, then font name, size, bold,
// italic, colour, visibility caption, underline caption (0 for an element
// that cannot be underlined), offset x and offset y. The line is not ended.
void writeElementStyleRow(CsvLineWriter& writer, std::string_view key, LabelElement element,
                          const ElementStyle& style);

// Reads such a row from an extension line ("拡張", key, then the nine fields
// above) into `style`; false, leaving `style` as it was, when a field cannot
// be read. The underline field is not read: extension elements have none.
bool readElementStyleRow(const std::vector<CsvField>& line, ElementStyle& style);

// A colour field: a number within 0..0xFFFFFF (0x00BBGGRR). A number outside
// it is a damaged value (-1 would print white text), told apart from a field
// that is no number at all.
enum class ColorField { Valid, NotNumber, Damaged };
ColorField readColorField(const CsvField& field, Color& color);
