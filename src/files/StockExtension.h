#pragma once

#include <vector>

#include "files/CsvText.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The stock a sheet or a pattern is made for, the labels a label data file's
// ten records have no room for, and the fine part of the origin adjustment,
// in extension lines after the defined ones (see PriceExtension.h):
//
//   "拡張","用紙",name,paper,width,height,radius,columns,rows,top,left,pitch x,pitch y
//       the stock, field for field as StockRow.h; only for a stock other
//       than the standard one
//   "拡張","ラベル",n,JAN code,maker,product name,spec,lot,price,tax rate
//       label n (11 and on) of a label file, one line per label with a text;
//       the first ten stay in the records, where every reader finds them
//   "拡張","位置微調整",x,y
//       the fine adjustment in tenths of a millimetre (-9..9), when not 0
//
// A file on the standard stock, in whole millimetres, has none of them and is
// written exactly as before.

// Appends the lines `settings` (and `sheet`, if given) need; nothing for the
// standard stock and a whole-millimetre adjustment.
Result writeStockExtension(CsvLineWriter& writer, const LayoutSettings& settings,
                           const LabelSheet* sheet);

// The readers of the keys above, for the extension key table: each reads one
// whole line into `settings` and `sheet` (the reader's working copies) and
// returns false for a line it cannot take.
bool readStockLine(const std::vector<CsvField>& line, LayoutSettings& settings, LabelSheet* sheet);
bool readExtraLabelLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                        LabelSheet* sheet);
bool readFineOriginLine(const std::vector<CsvField>& line, LayoutSettings& settings,
                        LabelSheet* sheet);

// Back to the standard stock, keeping the sheet's first labels (those of the
// records); for a damaged stock line.
void resetStock(LayoutSettings& settings, LabelSheet* sheet);
// The adjustment back to whole millimetres; for a damaged fine line.
void resetFineOrigin(LayoutSettings& settings, LabelSheet* sheet);
