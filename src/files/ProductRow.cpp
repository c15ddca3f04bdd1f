#include "files/ProductRow.h"

#include "files/ProductColumns.h"

const std::string* ProductRow::text(std::string_view columnName) const {
    const std::string* found = nullptr;
    for (const ColumnText& t : texts) {
        if (t.column->name == columnName)
            found = &t.text;
    }
    return found;
}
