#pragma once

#include "files/CsvText.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The price settings that the ten-line layout block has no place for (the
// price mode, the rounding, the tax line's style and the labels' tax rates)
// follow the last line of a label data file or a settings file, in lines of
// the same form, each beginning with the text field "拡張" and a key:
//
//   "拡張","価格表示",mode,rounding
//       mode 0 税込のみ, 1 本体＋税込, 2 税込＋本体; rounding 0 切り捨て, 1 四捨五入, 2 切り上げ
//   "拡張","税込",font name,size,bold,italic,colour,visibility caption,0,offset x,offset y
//       the tax line's style, field for field as the block's "売価" line
//   "拡張","税率",rate of label 1,...,rate of label 10
//       label files only; 10, 8 or 0, and 10 for an empty label
//
// Readers that take the defined number of fields and ignore the rest open
// such files as before. The lines are written only when something differs
// from the defaults, so a sheet that uses none of this is written exactly as
// before.

// True when `settings` (and `sheet`, if given) hold something the lines must carry.
bool needsPriceExtension(const LayoutSettings& settings, const LabelSheet* sheet);

// Appends the lines when needsPriceExtension; otherwise nothing. Fails (and
// appends nothing) when the tax line's font name cannot be stored.
Result writePriceExtension(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet);

enum class PriceExtensionRead {
    Absent,   // no lines: the defaults apply (a file from before, or from elsewhere)
    Read,     // the lines were read
    Damaged,  // a line could not be read: the defaults apply, and the user is told
};

// Reads the lines after the defined fields: first the rest of the line the
// reader stands in, then every line that begins with "拡張", up to the first
// one that does not, dispatching each on its key (a table in
// PriceExtension.cpp; StockExtension.h has the stock's keys). Sets the price
// settings (and the rates of `sheet`, if given) from them, or to their
// defaults when they are absent or damaged; the same for the stock (the
// sheet takes the stock's size) and the fine origin adjustment, each on its
// own. Applies the adjustment to the origin. Returns how the price lines
// were found; `damagedStockLine`, when given, receives the line of a damaged
// stock or label line (0: none), on which the standard stock applies.
PriceExtensionRead readPriceExtension(CsvFieldReader& reader, LayoutSettings& settings,
                                      LabelSheet* sheet, int* damagedStockLine = nullptr);

// Appends every extension line `settings` and `sheet` (when given) need, in
// the order readers expect them: the price lines, the stock and the labels
// past the tenth, then what the labels carry beside their texts (the shop's
// details, the QR code). Nothing for a sheet that uses none of it.
Result writeExtensionLines(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet);
