#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "model/LabelSheet.h"
#include "model/Result.h"

// A product list exported from a till or a spreadsheet: one product a row,
// comma-separated, the six texts in the label's field order (JAN code, maker,
// product name, spec, lot, price). An optional first row of column names
// (JAN/JANコード, メーカー/maker, 品名/name, 規格/spec, ロット/lot, 売価/price)
// may put the columns in any order, and may add a column 税率 (tax rate) that
// a list without that row cannot have. Fields may be quoted, with doubled quotes
// inside and line breaks inside quotes, as spreadsheets write them.

enum class TextEncoding { Auto, Utf8, Cp932 };

// Decides between UTF-8 (with or without BOM) and code page 932 by reading the
// whole stream once (constant memory): UTF-8 when every byte sequence is valid
// UTF-8, code page 932 otherwise. Leaves the stream at its start.
TextEncoding detectTextEncoding(std::istream& in);

struct ProductRow {
    int lineNumber = 0;  // line of the file where the row starts (1-based)
    LabelRecord record;
};

// Reads the list row by row, holding only the current row in memory.
class ProductListReader {
  public:
    // `in` must be seekable when `encoding` is Auto (it is read twice).
    ProductListReader(std::istream& in, TextEncoding encoding);

    // The next product, or nothing at the end of the list. Rows that cannot be
    // read are skipped and reported through `problems` (a Row... code and the
    // line); empty rows are skipped.
    std::optional<ProductRow> next(std::vector<Result>& problems);

  private:
    enum class RawStatus { Record, End };
    // `damage` is Ok, or the Row... code of a row that cannot be read.
    RawStatus readRecord(std::vector<std::string>& fields, int& startLine, ResultCode& damage);
    bool decodeField(std::string& field) const;
    bool applyHeader(const std::vector<std::string>& fields);

    std::istream& in_;
    TextEncoding encoding_;
    int line_ = 1;
    bool first_ = true;
    // columns_[i]: the label field that column i holds, kTaxRateColumn, or -1
    // for an ignored column.
    std::vector<int> columns_;
    static constexpr int kTaxRateColumn = 6;
};

// The column a header cell names, or nothing when it names none.
std::optional<LabelField> columnForHeader(const std::string& name);
// True when a header cell names the tax rate column (税率, 消費税率, tax, tax rate).
bool isTaxRateHeader(const std::string& name);

// A tax rate as tills export it: 10, 8 or 0 with or without "%" (half or full
// width), 標準 (10), 軽減 (8), 非課税 (0); empty is the standard rate.
// Nothing for anything else.
std::optional<TaxRate> taxRateFromListText(const std::string& text);
