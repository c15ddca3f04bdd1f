#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ProductColumns.h"
#include "files/ProductRow.h"
#include "model/Result.h"
#include "model/TaxRate.h"

// A product list exported from a till or a spreadsheet: one product a row,
// comma-separated. Without a header row the columns are the six texts in the
// label's field order (JAN code, maker, product name, spec, lot, price). An
// optional first row of column names puts the columns in any order and may
// add columns that a list without that row cannot have (the tax rate); the
// table of columns (files/ProductColumns.h) says which names mean what.
// Fields may be quoted, with doubled quotes inside, as spreadsheets write
// them. A row is one line: a label text never holds a line break, so a quote
// left open at the end of its line is a fault of that row alone, reported,
// and the next line is the next row.

// Auto decides row by row: a row that is valid UTF-8 is UTF-8, any other row
// code page 932. Lists put together from several sources mix both.
enum class TextEncoding { Auto, Utf8, Cp932 };

// The largest product list read (a till's whole range fits many times over).
inline constexpr std::size_t kMaxProductListBytes = 64u * 1024 * 1024;

// Reads the list row by row, holding only the current row in memory.
class ProductListReader {
  public:
    ProductListReader(std::istream& in, TextEncoding encoding);

    // The next product's texts by column, or nothing at the end of the list.
    // Rows that cannot be read are skipped and reported through `problems` (a
    // Row... code and the line); empty rows are skipped. fillLabel() makes a
    // label of a row.
    std::optional<ProductRow> next(std::vector<Result>& problems);

  private:
    bool readLine(std::string& line, bool& tooLong);
    std::optional<std::string> decodeLine(std::string_view bytes) const;
    bool applyHeader(const std::vector<std::string>& fields);
    std::optional<ProductRow> nameColumns(const std::vector<std::string>& fields, int lineNumber,
                                          std::vector<Result>& problems) const;

    std::istream& in_;
    TextEncoding encoding_;
    int line_ = 0;  // the line last read
    bool first_ = true;
    // columns_[i]: the column i of the list stands in, or nullptr for a
    // column that is ignored.
    std::vector<const ProductColumn*> columns_;
};

// The column a header cell names, or nullptr when it names none. Blanks
// around the name, the case of ASCII letters and a byte-order mark do not
// matter.
const ProductColumn* columnForHeader(const std::string& cell);

// A tax rate as tills export it: 10, 8 or 0 with or without "%" (half or full
// width), 標準 (10), 軽減 (8), 非課税 (0); empty is the standard rate.
// Nothing for anything else.
std::optional<TaxRate> taxRateFromListText(const std::string& text);

// Reads a product list file whole: a regular file of at most
// kMaxProductListBytes, opened without waiting (a named pipe, a folder or a
// device is refused at once).
Result readProductListFile(const std::string& path, std::string& bytes);
