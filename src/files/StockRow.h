#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "files/CsvText.h"
#include "model/LabelStock.h"
#include "model/Result.h"

// A label stock as the fields of one line, shared by the stock line of label
// data files and settings files and by the user's stock file:
//
//   name,paper,label width,label height,corner radius,columns,rows,
//   top margin,left margin,pitch across,pitch down
//
// name and paper ("A4", "B5", "A5", "Letter") as texts, the lengths in
// millimetres to the hundredth, the counts as whole numbers.
inline constexpr std::size_t kStockRowFields = 11;

// Appends the fields (no line end). Fails with QuoteInText or NotEncodable
// when the name cannot be stored, with StockUnknownPaper for a paper that has no name.
Result writeStockRow(CsvLineWriter& writer, const NamedStock& stock);

// The stock in `fields` from `first` on (exactly kStockRowFields of them),
// or nothing when a field cannot be read or the stock fails checkStock.
std::optional<NamedStock> readStockRow(const std::vector<CsvField>& fields, std::size_t first);
