#pragma once

#include <string_view>

#include "files/CsvText.h"
#include "model/LabelElement.h"
#include "model/LayoutSettings.h"

// One text element's style as a line of the layout block stores it, and the
// price lines store the tax line's: the key, then font name, size, bold,
// italic, colour, visibility caption, underline caption (0 for an element
// that cannot be underlined), offset x and offset y. The line is not ended.
void writeElementStyleRow(CsvLineWriter& writer, std::string_view key, LabelElement element,
                          const ElementStyle& style);
