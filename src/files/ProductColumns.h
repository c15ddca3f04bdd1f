#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/ProductRow.h"
#include "model/LabelSheet.h"
#include "model/ListPrice.h"
#include "model/Result.h"

// What a column's text does to a label: fills its part of it, or tells why
// the text cannot be used (a failure with the text as its detail).
using ColumnFill = Result (*)(LabelRecord& label, const std::string& text);

// A column a product list can have and what it fills, as one row of a table:
// a new column is one more row.
struct ProductColumn {
    // The column's own name: its usual header in a Japanese list.
    std::string_view name;
    // Its place in a list without a header row (0 first); -1 for a column
    // that only a header row can name.
    int position;
    // The header cells that name it, as foldHeaderName() writes them.
    std::vector<std::string_view> headers;
    ColumnFill fill;
};

std::span<const ProductColumn> productColumns();

// The column of the table whose header names include `name` (already folded
// by foldHeaderName()); nullptr for none.
const ProductColumn* columnNamed(std::string_view name);

// What the amounts under the header cell `cell` are (税込, 税抜, 本体...).
PriceMeaning priceMeaningOfHeader(std::string_view cell);

// The place of `cell` among the header names of `column` (0 the best), or -1
// when it does not name the column.
int headerRank(const ProductColumn& column, std::string_view cell);

// The columns of a list without a header row, by their place.
std::vector<const ProductColumn*> positionalColumns();

// Fills `label` from the texts of `row`, column by column in the row's order.
// A text that cannot be used fails the row (RowBadTaxRate with the text, and
// the row's line); when several fail, the last one is reported.
Result fillLabel(const ProductRow& row, LabelRecord& label);
