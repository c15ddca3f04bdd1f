#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "jobs/BatchPrint.h"
#include "jobs/LabelProblems.h"
#include "model/Result.h"

// The one line tanahuda-print writes on stderr for a failed result, naming
// the file, list or printer it is about, e.g. "ファイルがありません: 棚札.csv".
std::string toolMessage(const Result& failure);

// A text for the terminal: control characters shown as \xNN instead of
// acting on the terminal.
std::string printable(std::string_view text);

// The warning for a label data file whose lines do not line up from `line` on.
std::string misfitWarning(const std::string& path, int line);

// The warnings for a print pattern not (or not wholly) taken: the price
// lines of `path` that could not be read, a colour of `path` at `line` read as
// the default, the user's preferred pattern that could not be read.
std::string priceLinesWarning(const std::string& path);
std::string damagedColorWarning(const std::string& path, int line);
std::string patternNotReadWarning(const Result& failure);
// The stock line (or a label line past the tenth) of `path` at `line` that
// could not be read: the standard stock is printed on.
std::string damagedStockWarning(const std::string& path, int line);

// Why --map cannot be followed (MappingPartUnknown, MappingColumnUnknown),
// naming the parts or the list's header cells it can name.
std::string mappingFailureMessage(const Result& failure, const std::vector<std::string>& header);

// After a batch with problem rows: how many labels were printed and how many
// rows were not, then the rows by reason with their first lines, a line each.
std::vector<std::string> batchSummary(const BatchOutcome& outcome);

// The line for one problem row of the product list `listPath`:
// "LIST:LINE: what is wrong".
std::string toolProblemLine(const std::string& listPath, const Result& problem);
// The same for a printed label, filled from line `line`, that did not come
// out as its row reads.
std::string toolProblemLine(const std::string& listPath, int line, const LabelProblem& problem);
