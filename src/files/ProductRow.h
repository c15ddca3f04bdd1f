#pragma once

#include <string>
#include <vector>

struct ProductColumn;

// One text of a product row and the column it stands in.
struct ColumnText {
    const ProductColumn* column = nullptr;
    std::string text;
};

// One product of a list as read: each text under the column it stands in,
// in the list's column order. Columns the list has but no column of the table
// (files/ProductColumns.h) names are left out.
struct ProductRow {
    int lineNumber = 0;  // line of the file where the row starts (1-based)
    std::vector<ColumnText> texts;
};
