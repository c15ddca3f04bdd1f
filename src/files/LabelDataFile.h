#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/CsvText.h"
#include "files/PriceExtension.h"
#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// A label data file: the marker line "棚札", one record line for each label
// of the standard stock (kLabelFileRecords: " 1".." 10" and the six texts) and
// the layout block; 21 lines, CP932, CR LF, followed by the price lines when
// the sheet uses them.

// The first character of `text` a label data file cannot store, or nothing
// when it stores the whole text: a double quote (it would end the field) wherever
// it stands, else the first character code page 932 lacks (UTF-8 lacks none).
std::optional<std::string> firstUnstorableCharacter(std::string_view text,
                                                    FileText form = FileText::Cp932);

// The whole file's bytes, or an error naming the label and field (or the
// setting) whose text cannot be stored. A sheet on another stock than the
// standard one keeps its first ten labels in the records and the stock and
// the other labels in extension lines (StockExtension.h). A sheet whose
// number of labels is not its pattern's stock's is refused (SheetNotStorable).
// `form` UTF-8 gives the same lines in UTF-8 (the program's own files), which
// hold any character.
Result formatLabelFile(const LabelSheet& sheet, const LayoutSettings& settings, std::string& bytes,
                       FileText form = FileText::Cp932);

// Writes the file, replacing any file of that name atomically. Nothing is
// written when a text cannot be stored; on a failed write the old file is
// left as it was.
Result writeLabelFile(const std::string& path, const LabelSheet& sheet,
                      const LayoutSettings& settings);

// Reads a label data file. NotLabelFile (and nothing changed) unless the
// first field is exactly "棚札". Otherwise the sheet becomes one of the standard
// stock, the records are
// placed by their number (1..10; others skipped), the layout block is applied
// to `settings` (values missing or unreadable keep what they were) and the
// adjustment texts are applied to the origin. Exactly 1 + 70 + 100 fields are
// read, whatever the lines; anything after them is ignored. A file that ends
// early keeps the labels read (a record cut short keeps the texts it has) and
// the previous value of every setting not read. A file that cannot be read
// (missing, not permitted, a folder, larger than readWholeFile's limit) is
// refused with readWholeFile's result, naming the file as NotLabelFile does;
// parseLabelFile's NotLabelFile names none. The price lines after
// the defined fields are read too (see PriceExtension.h); `extension`, when
// given, tells whether they were absent, read or damaged. `misfitLine`, when
// given, receives firstMisfitLine() of a file read, so the caller can warn
// before the damaged file is saved over. `damagedValueLine`, when given,
// receives the first line of the layout block holding a damaged value (a
// colour outside 0..0xFFFFFF, read as the default colour), 0 when none does.
// The sheet takes the size of the stock its stock line gives (the standard
// stock without one); `damagedStockLine`, when given, receives the line of a
// stock or label line that cannot be read (0: none): the file is then read
// on the standard stock, with the labels of its records.
Result readLabelFile(const std::string& path, LabelSheet& sheet, LayoutSettings& settings,
                     PriceExtensionRead* extension = nullptr, int* misfitLine = nullptr,
                     int* damagedValueLine = nullptr, int* damagedStockLine = nullptr);
Result parseLabelFile(std::string_view bytes, LabelSheet& sheet, LayoutSettings& settings,
                      PriceExtensionRead* extension = nullptr, int* misfitLine = nullptr,
                      FileText form = FileText::Cp932, int* damagedValueLine = nullptr,
                      int* damagedStockLine = nullptr);

// The first line (1-based) of a label data file whose fields do not line up
// as the writer puts them: the marker alone on line 1, on lines 2 to 11 seven
// fields each beginning with a number " 1".." 10", on lines 12 to 21 ten
// fields each; a file that ends before line 21 misfits at the line after its
// end, a quote never closed at its line. 0 when everything lines up (the
// price lines after the 21st are looked at by their own reader). The reader
// reads such a file all the same, by counting fields; its labels and
// settings may have shifted.
int firstMisfitLine(std::string_view bytes);
