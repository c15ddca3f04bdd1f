#pragma once

#include <string>

#include "files/CsvText.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The ten-line layout block, ten fields a line, keyed "印字位置調整", "縁取り",
// "jan", "BARCODE", "メーカー", "品名", "規格", "ロット", "売価", "円".

// Appends the ten lines to `writer`, each on/off state as the caption its
// toggle button shows for it. Fails (and appends nothing) when a font name or
// adjustment text holds a double quote or a character code page 932 cannot hold.
Result writeLayoutBlock(CsvLineWriter& writer, const LayoutSettings& settings);

// Reads the next 100 fields and applies them by position (the key of each line
// is read but not compared). A value that cannot be converted, and every value
// after the end of the input, leaves its setting as it was; so does an empty
// face name or a size below one point. Adjustment texts are taken as they are;
// each caption sets its on/off state (see ToggleCaptions.h for texts edited by
// hand). The origin and the barcode's visibility are not touched. Returns the number of fields
// read (100 when the block was whole). A colour outside 0..0xFFFFFF is a
// damaged value: the default pattern's colour is taken, and `damagedLine`,
// when given and still 0, receives the line it stands on.
int readLayoutBlock(CsvFieldReader& reader, LayoutSettings& settings, int* damagedLine = nullptr);
