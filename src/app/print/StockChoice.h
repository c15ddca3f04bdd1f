#pragma once

#include <string>
#include <vector>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The stock tanahuda-print prints on when --stock names one: a preset by
// its name, one of the user's own stocks by its name, or a stock file (the
// first stock it holds).

// The stock `nameOrFile` names, looked for in that order among the presets,
// the stocks of `userStockFile` and as a file. StockNotFound (`detail`: the
// name) when it is none of them; a stock file that cannot be read gives its
// reader's failure.
Result findStock(const std::string& nameOrFile, const std::string& userStockFile,
                 NamedStock& found);

// Puts `layout` on `stock` (the element places and sizes of its labels) when
// it is on another, and `sheet`, when given, with it. Fails with
// StockTooManyLabels (`labelNumber`: the first) when the sheet has labels
// the stock has no place for.
Result putOnStock(const LabelStock& stock, LayoutSettings& layout, LabelSheet* sheet);

// The user's stock file, beside the preferred print pattern.
std::string userStockFile();

// Puts `layout` (and `sheet`) on the stock --stock names, when it names one;
// with --template, the template of that name in the template file --stock names.
Result applyStockOption(const std::string& stockOption, LayoutSettings& layout, LabelSheet* sheet,
                        const std::string& templateName = {});

// The lines of --list-stocks: every preset, then the user's stocks, each
// with its paper, grid and label size.
std::vector<std::string> stockListLines(const std::vector<NamedStock>& userStocks);
