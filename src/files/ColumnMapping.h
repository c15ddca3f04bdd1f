#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ProductColumns.h"
#include "model/ListPrice.h"

// Which column of a product list fills which part of a label: made from the
// list's header row (or, for a list without one, the label's field order),
// then changed as the user chooses. A part may be filled by no column ("なし").
// The parts are the rows of the column table (files/ProductColumns.h).
class ColumnMapping {
  public:
    // A list without a header row: the columns in the label's field order.
    static ColumnMapping positional();
    // The mapping a header row gives by itself: each part is filled by the
    // first of the list's columns whose header names it; when several names
    // of one part are in the header, the name the table lists first wins
    // ("JANコード" before "商品コード").
    static ColumnMapping fromHeader(std::vector<std::string> header);

    // Whether the list has a header row (then it is never a label).
    bool hasHeader() const { return hasHeader_; }
    // The header row's cells as read (empty without one).
    const std::vector<std::string>& header() const { return header_; }

    // The list's column (from 0) that fills `part`, or nothing.
    std::optional<int> columnOf(const ProductColumn& part) const;
    // The user's choice: `column` fills `part`; nothing is "なし". Any other
    // part the column filled keeps it.
    void assign(const ProductColumn& part, std::optional<int> column);

    // What the amounts of the price column are: from its header cell (税込,
    // 税抜, 本体...), or as the sheet takes them without a header.
    PriceMeaning priceMeaning() const { return priceMeaning_; }
    void setPriceMeaning(PriceMeaning meaning) { priceMeaning_ = meaning; }

    // A list can be printed only when its JAN code or its product name comes
    // from a column: a list that fills neither prints labels of nothing.
    bool canPrint() const;

    // The same for every list with this header row, whatever its rows: the
    // key a chosen mapping is remembered under. Cells are compared as header
    // names are (files/HeaderName.h). Empty for a list without a header.
    std::string headerKey() const;

    // Which column fills which part, in the order of the column table.
    struct Fill {
        const ProductColumn* part = nullptr;
        int column = 0;
        bool operator==(const Fill&) const = default;
    };
    const std::vector<Fill>& fills() const { return fills_; }

    bool operator==(const ColumnMapping&) const = default;

  private:
    bool hasHeader_ = false;
    std::vector<std::string> header_;
    std::vector<Fill> fills_;  // in the order of the column table
    PriceMeaning priceMeaning_ = PriceMeaning::AsSheet;
};

// The column of `mapping`'s header whose cell is `name` (compared as header
// names are), or nothing.
std::optional<int> headerColumn(const ColumnMapping& mapping, std::string_view name);

// The part of a label `name` names: a column-table row's own name or one of
// its header names ("品名", "商品名", "name"); nullptr for none.
const ProductColumn* labelPart(std::string_view name);

// Changes `mapping` as a text "品名=商品名,売価=税抜価格" says: each pair
// names a part of the label and the list's header cell that fills it (an
// empty cell or "なし": no column). Fails with MappingPartUnknown or
// MappingColumnUnknown (the name as the detail), leaving `mapping` as it was.
Result applyMappingText(ColumnMapping& mapping, std::string_view text);

// The first pair of a mapping text whose part no label has (or that has no
// "="), or nothing when every pair names a part.
std::optional<std::string> unknownMappingPart(std::string_view text);
