#include "files/ProductList.h"

#include <algorithm>
#include <array>
#include <utility>

#include "files/Cp932.h"
#include "files/FileIo.h"
#include "model/Blanks.h"
#include "model/Utf8Text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// A line longer than this (a line of endless commas, a file without line ends)
// is read to its end but not kept: it is reported as damaged.
constexpr std::size_t kMaxRecordBytes = 64 * 1024;

// Splits one line into its fields. Commas separate them; a field that begins
// with a double quote (blanks before it dropped) runs to its closing quote, a
// doubled quote inside standing for one, and whatever follows the closing
// quote up to the next comma is kept. Nothing when a quote is left open.
std::optional<std::vector<std::string>> splitRow(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;    // the current field began with a quote
    bool inQuotes = false;  // inside the quotes
    bool started = false;   // something other than blanks seen in this field
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inQuotes) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                inQuotes = false;
            }
        } else if (c == ',') {
            fields.push_back(quoted ? std::move(field) : std::string(trimBlanks(field)));
            field.clear();
            quoted = started = false;
        } else if (c == '"' && !started) {
            field.clear();
            quoted = inQuotes = started = true;
        } else {
            started = started || (c != ' ' && c != '\t');
            field.push_back(c);
        }
    }
    if (inQuotes)
        return std::nullopt;
    fields.push_back(quoted ? std::move(field) : std::string(trimBlanks(field)));
    return fields;
}

ResultCode undecodable(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return ResultCode::RowNotUtf8;
        case TextEncoding::Cp932:
            return ResultCode::RowNotCp932;
        case TextEncoding::Auto:
            break;
    }
    return ResultCode::RowNotDecodable;
}

std::string asciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

}  // namespace

const ProductColumn* columnForHeader(const std::string& cell) {
    std::string name = asciiLower(std::string(trimBlanks(cell)));
    if (name.starts_with(kUtf8Bom))
        name.erase(0, kUtf8Bom.size());
    return columnNamed(name);
}

std::optional<TaxRate> taxRateFromListText(const std::string& raw) {
    std::string text(trimBlanks(raw));
    for (const std::string_view percent : {"%", "％"}) {
        if (text.ends_with(percent))
            text = std::string(
                trimBlanks(std::string_view(text).substr(0, text.size() - percent.size())));
    }
    static const std::array<std::pair<const char*, TaxRate>, 10> kValues = {{
        {"", TaxRate::Standard},
        {"10", TaxRate::Standard},
        {"１０", TaxRate::Standard},
        {"標準", TaxRate::Standard},
        {"8", TaxRate::Reduced},
        {"８", TaxRate::Reduced},
        {"軽減", TaxRate::Reduced},
        {"0", TaxRate::Exempt},
        {"０", TaxRate::Exempt},
        {"非課税", TaxRate::Exempt},
    }};
    for (const auto& [value, rate] : kValues) {
        if (text == value)
            return rate;
    }
    return std::nullopt;
}

ProductListReader::ProductListReader(std::istream& in, TextEncoding encoding)
    : in_(in), encoding_(encoding), columns_(positionalColumns()) {}

// Reads one line without its line end into `line`; false at the end of the
// list. A line longer than kMaxRecordBytes is read through but not kept
// (`tooLong`).
bool ProductListReader::readLine(std::string& line, bool& tooLong) {
    using Traits = std::char_traits<char>;
    std::streambuf* buf = in_.rdbuf();
    line.clear();
    tooLong = false;
    if (buf == nullptr || buf->sgetc() == Traits::eof())
        return false;
    ++line_;
    for (int ch = buf->sbumpc(); ch != Traits::eof(); ch = buf->sbumpc()) {
        if (ch == '\n')
            return true;
        if (ch == '\r') {
            // CR LF ends a line, and so does CR CR LF, which a list passed
            // twice through a line-end conversion has; lone CRs end a line each.
            int returns = 1;
            while (buf->sgetc() == '\r') {
                buf->sbumpc();
                ++returns;
            }
            if (buf->sgetc() == '\n')
                buf->sbumpc();
            else
                line_ += returns - 1;
            return true;
        }
        if (line.size() < kMaxRecordBytes)
            line.push_back(static_cast<char>(ch));
        else
            tooLong = true;
    }
    return true;
}

// The line as UTF-8, or nothing when it is not written in an encoding the
// reader may use for it.
std::optional<std::string> ProductListReader::decodeLine(std::string_view bytes) const {
    if (encoding_ != TextEncoding::Cp932 && utf8::isValid(bytes))
        return std::string(bytes);
    if (encoding_ == TextEncoding::Utf8)
        return std::nullopt;
    std::string text = cp932::decode(bytes);
    if (text.find(kReplacementCharacter) != std::string::npos)
        return std::nullopt;
    return text;
}

bool ProductListReader::applyHeader(const std::vector<std::string>& fields) {
    std::vector<const ProductColumn*> columns(fields.size(), nullptr);
    int named = 0;
    int nonEmpty = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].empty())
            continue;
        // Column names are never plain numbers (a JAN code, a price).
        if (std::all_of(fields[i].begin(), fields[i].end(),
                        [](char c) { return (c >= '0' && c <= '9') || c == ','; }))
            return false;
        ++nonEmpty;
        if (const ProductColumn* column = columnForHeader(fields[i])) {
            columns[i] = column;
            ++named;
        }
    }
    if (named == 0 || named < std::min(2, nonEmpty))
        return false;
    columns_ = std::move(columns);
    return true;
}

std::optional<ProductRow> ProductListReader::nameColumns(const std::vector<std::string>& fields,
                                                         int lineNumber,
                                                         std::vector<Result>& problems) const {
    ProductRow row;
    row.lineNumber = lineNumber;
    bool extra = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ProductColumn* column = i < columns_.size() ? columns_[i] : nullptr;
        if (column != nullptr)
            row.texts.push_back({column, fields[i]});
        else if (i >= columns_.size() && !fields[i].empty())
            extra = true;
    }
    if (extra) {
        problems.push_back(Result::failure(ResultCode::RowTooManyColumns).withLine(lineNumber));
        return std::nullopt;
    }
    return row;
}

std::optional<ProductRow> ProductListReader::next(std::vector<Result>& problems) {
    std::string bytes;
    bool tooLong = false;
    while (readLine(bytes, tooLong)) {
        const int lineNumber = line_;
        const auto report = [&](ResultCode damage) {
            problems.push_back(Result::failure(damage).withLine(lineNumber));
            first_ = false;
        };
        std::string_view view(bytes);
        if (lineNumber == 1 && encoding_ != TextEncoding::Cp932 && view.starts_with(kUtf8Bom))
            view.remove_prefix(kUtf8Bom.size());
        if (tooLong) {
            report(ResultCode::RowTooLong);
            continue;
        }
        const std::optional<std::string> text = decodeLine(view);
        if (!text) {
            report(undecodable(encoding_));
            continue;
        }
        const std::optional<std::vector<std::string>> fields = splitRow(*text);
        if (!fields) {
            report(ResultCode::RowQuoteNotClosed);
            continue;
        }
        if (std::all_of(fields->begin(), fields->end(),
                        [](const std::string& f) { return f.empty(); }))
            continue;
        if (first_) {
            first_ = false;
            if (applyHeader(*fields))
                continue;
        }
        if (std::optional<ProductRow> row = nameColumns(*fields, lineNumber, problems))
            return row;
    }
    return std::nullopt;
}

Result readProductListFile(const std::string& path, std::string& bytes) {
    return readWholeFile(path, bytes, kMaxProductListBytes);
}
