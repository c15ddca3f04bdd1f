#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "files/ColumnMapping.h"
#include "files/ListTaxRate.h"
#include "files/ProductColumns.h"
#include "files/ProductRow.h"
#include "model/Result.h"
#include "model/TaxRate.h"

// A product list exported from a till, an online shop or a spreadsheet: one
// product a row. Without a header row the columns are the six texts in the
// label's field order (JAN code, maker, product name, spec, lot, price). A
// first row that names any column of the table (files/ProductColumns.h) is
// the header: it puts the columns in any order, may add columns a list
// without it cannot have (the tax rate), and is never a label. The columns
// can be chosen otherwise (files/ColumnMapping.h).
//
// The list is UTF-8 (with or without a byte-order mark), code page 932, or
// UTF-16 with a byte-order mark (either byte order). Cells are separated by
// commas, tabs or semicolons, whichever the first line has most of. A cell may
// be quoted, with doubled quotes inside, and may then hold line breaks (a
// spreadsheet's Alt+Enter, a shop's description): on the label they become
// blanks. A quote that is not closed within a row's length is the fault of
// that row alone, reported; the next line is the next row.

// Auto decides row by row: a row that is valid UTF-8 is UTF-8, any other row
// code page 932. Lists put together from several sources mix both. A list
// that begins with a UTF-16 byte-order mark is UTF-16 whatever is chosen.
enum class TextEncoding { Auto, Utf8, Cp932 };

// The largest product list read (a till's whole range fits many times over).
inline constexpr std::size_t kMaxProductListBytes = 64u * 1024 * 1024;

// Reads the list row by row, holding only the current row in memory. The
// stream must be seekable (a quote never closed is read past, then the reader
// goes back to the line after it).
class ProductListReader {
  public:
    // Reads with `mapping` when one is given (its header row, if it has one,
    // is skipped), else with the mapping the list's first row gives.
    ProductListReader(std::istream& in, TextEncoding encoding,
                      std::optional<ColumnMapping> mapping = std::nullopt);

    // The next product's texts by column, or nothing at the end of the list.
    // Rows that cannot be read are skipped and reported through `problems` (a
    // Row... code and the line); empty rows are skipped. fillLabel() makes a
    // label of a row.
    std::optional<ProductRow> next(std::vector<Result>& problems);

    // The columns the rows are read with: the mapping given, or, once the
    // first row has been read, the one its header gives (positional without).
    const ColumnMapping& mapping() const { return mapping_; }

  private:
    enum class Form { Auto, Utf8, Cp932, Utf16 };

    bool readLine(std::string& line, bool& tooLong);
    std::optional<std::string> decodeLine(std::string_view bytes) const;
    ResultCode undecodable() const;
    std::optional<std::vector<std::string>> readRecord(int& firstLine,
                                                       std::vector<Result>& problems);
    bool isHeader(const std::vector<std::string>& cells) const;
    std::optional<ProductRow> nameColumns(const std::vector<std::string>& fields, int lineNumber,
                                          std::vector<Result>& problems) const;

    std::istream* in_;
    std::istringstream transcoded_;  // a UTF-16 list as UTF-8
    Form form_;
    char separator_ = 0;  // 0 until the first line is read
    int line_ = 0;        // the line last read
    bool first_ = true;
    bool mappingGiven_ = false;
    ColumnMapping mapping_;
};

// The mapping the list `in` is read with when none is chosen: the one its
// header row gives, or the label's field order. Reads up to the first row.
ColumnMapping listMapping(std::istream& in, TextEncoding encoding);

// The column a header cell names, or nullptr when it names none. Blanks, the
// case of letters, full-width and half-width forms and a byte-order mark do
// not matter.
const ProductColumn* columnForHeader(const std::string& cell);

// Reads a product list file whole: a regular file of at most
// kMaxProductListBytes, opened without waiting (a named pipe, a folder or a
// device is refused at once).
Result readProductListFile(const std::string& path, std::string& bytes);
