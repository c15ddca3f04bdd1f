#include "files/ProductList.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "files/Cp932.h"
#include "files/FileIo.h"
#include "files/HeaderName.h"
#include "files/RowCells.h"
#include "files/Utf16Text.h"
#include "model/Blanks.h"
#include "model/Utf8Text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// A row longer than this (a line of endless commas, a file without line ends,
// a quote never closed) is read to its end but not kept: it is reported.
constexpr std::size_t kMaxRecordBytes = 64 * 1024;
// A quoted cell goes on over at most this many lines: a quote left open is
// given up on soon, so that a list full of them is still read at once.
constexpr int kMaxRecordLines = 200;

bool isAllDigits(const std::string& cell) {
    return std::all_of(cell.begin(), cell.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == ','; });
}

bool allEmpty(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
}

}  // namespace

const ProductColumn* columnForHeader(const std::string& cell) {
    return columnNamed(foldHeaderName(cell));
}

ProductListReader::ProductListReader(std::istream& in, TextEncoding encoding,
                                     std::optional<ColumnMapping> mapping)
    : in_(&in),
      form_(encoding == TextEncoding::Utf8    ? Form::Utf8
            : encoding == TextEncoding::Cp932 ? Form::Cp932
                                              : Form::Auto),
      mappingGiven_(mapping.has_value()),
      mapping_(mapping ? std::move(*mapping) : ColumnMapping::positional()) {
    // A UTF-16 list is read as UTF-8 made of it, whatever was chosen: its
    // byte-order mark leaves no doubt.
    std::streambuf* buf = in.rdbuf();
    if (buf == nullptr)
        return;
    const auto start = buf->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    char mark[2] = {};
    const std::streamsize got = buf->sgetn(mark, 2);
    const std::optional<Utf16Order> order = utf16Mark(std::string_view(mark, std::size_t(got)));
    if (!order) {
        buf->pubseekpos(start, std::ios_base::in);
        return;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    transcoded_.str(utf16ToUtf8(bytes, *order));
    in_ = &transcoded_;
    form_ = Form::Utf16;
}

// Reads one line without its line end into `line`; false at the end of the
// list. A line longer than kMaxRecordBytes is read through but not kept
// (`tooLong`).
bool ProductListReader::readLine(std::string& line, bool& tooLong) {
    using Traits = std::char_traits<char>;
    std::streambuf* buf = in_->rdbuf();
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
    if (form_ != Form::Cp932 && utf8::isValid(bytes))
        return std::string(bytes);
    if (form_ == Form::Utf8 || form_ == Form::Utf16)
        return std::nullopt;
    std::string text = cp932::decode(bytes);
    if (text.find(kReplacementCharacter) != std::string::npos)
        return std::nullopt;
    return text;
}

ResultCode ProductListReader::undecodable() const {
    switch (form_) {
        case Form::Utf8:
            return ResultCode::RowNotUtf8;
        case Form::Cp932:
            return ResultCode::RowNotCp932;
        case Form::Utf16:
            return ResultCode::RowNotUtf16;
        case Form::Auto:
            break;
    }
    return ResultCode::RowNotDecodable;
}

// The cells of the next row, its first line in `firstLine`; nothing at the
// end of the list. A row that cannot be read is reported and skipped; after
// a quote that is never closed, reading goes on at the line after the one it
// was opened on.
std::optional<std::vector<std::string>> ProductListReader::readRecord(
    int& firstLine, std::vector<Result>& problems) {
    std::string bytes;
    bool tooLong = false;
    while (readLine(bytes, tooLong)) {
        firstLine = line_;
        const auto report = [&](ResultCode damage) {
            problems.push_back(Result::failure(damage).withLine(firstLine));
            first_ = false;
        };
        std::string_view view(bytes);
        if (firstLine == 1 && form_ != Form::Cp932 && view.starts_with(kUtf8Bom))
            view.remove_prefix(kUtf8Bom.size());
        std::optional<std::string> text = decodeLine(view);
        if (tooLong || !text) {
            report(tooLong ? ResultCode::RowTooLong : undecodable());
            continue;
        }
        if (separator_ == 0 && !trimBlanks(*text).empty())
            separator_ = detectSeparator(*text);
        RowCells cells(separator_ == 0 ? ',' : separator_);
        if (cells.addLine(*text))
            return cells.take();
        // A quoted cell goes on over the next lines.
        std::streambuf* buf = in_->rdbuf();
        const auto afterFirst = buf->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
        std::size_t length = bytes.size();
        bool closed = false;
        while (!closed && line_ - firstLine < kMaxRecordLines && readLine(bytes, tooLong)) {
            length += bytes.size() + 1;
            text = decodeLine(bytes);
            if (tooLong || !text || length > kMaxRecordBytes)
                break;
            closed = cells.addLine(*text);
        }
        if (closed)
            return cells.take();
        report(ResultCode::RowQuoteNotClosed);
        in_->clear();
        buf->pubseekpos(afterFirst, std::ios_base::in);
        line_ = firstLine;
    }
    return std::nullopt;
}

// A first row is the header when any of its cells names a column; a row with
// a plain number in it (a JAN code, a price) is a product, whatever its texts.
bool ProductListReader::isHeader(const std::vector<std::string>& cells) const {
    if (std::any_of(cells.begin(), cells.end(),
                    [](const std::string& c) { return !c.empty() && isAllDigits(c); }))
        return false;
    return std::any_of(cells.begin(), cells.end(),
                       [](const std::string& c) { return columnForHeader(c) != nullptr; });
}

std::optional<ProductRow> ProductListReader::nameColumns(const std::vector<std::string>& fields,
                                                         int lineNumber,
                                                         std::vector<Result>& problems) const {
    // Cells beyond the header's (or the label's six) are a row out of step.
    const std::size_t width = mapping_.hasHeader() ? mapping_.header().size()
                                                   : static_cast<std::size_t>(kLabelFields.size());
    for (std::size_t i = width; i < fields.size(); ++i) {
        if (!fields[i].empty()) {
            problems.push_back(Result::failure(ResultCode::RowTooManyColumns).withLine(lineNumber));
            return std::nullopt;
        }
    }
    ProductRow row;
    row.lineNumber = lineNumber;
    for (const ColumnMapping::Fill& fill : mapping_.fills()) {
        const auto column = static_cast<std::size_t>(fill.column);
        if (column < fields.size())
            row.texts.push_back({fill.part, fields[column]});
    }
    return row;
}

std::optional<ProductRow> ProductListReader::next(std::vector<Result>& problems) {
    int lineNumber = 0;
    while (std::optional<std::vector<std::string>> cells = readRecord(lineNumber, problems)) {
        if (allEmpty(*cells))
            continue;
        if (first_) {
            first_ = false;
            if (mappingGiven_ ? mapping_.hasHeader() : isHeader(*cells)) {
                if (!mappingGiven_)
                    mapping_ = ColumnMapping::fromHeader(std::move(*cells));
                continue;
            }
        }
        if (std::optional<ProductRow> row = nameColumns(*cells, lineNumber, problems))
            return row;
    }
    return std::nullopt;
}

ColumnMapping listMapping(std::istream& in, TextEncoding encoding) {
    ProductListReader reader(in, encoding);
    std::vector<Result> ignored;
    reader.next(ignored);
    return reader.mapping();
}

Result readProductListFile(const std::string& path, std::string& bytes) {
    return readWholeFile(path, bytes, kMaxProductListBytes);
}
