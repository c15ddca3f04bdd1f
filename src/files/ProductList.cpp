#include "files/ProductList.h"

#include <algorithm>
#include <array>
#include <utility>

#include "files/Cp932.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A row longer than this (a quote never closed, a line of endless commas) is
// read to its end but not kept: it is reported as damaged.
constexpr std::size_t kMaxRecordBytes = 64 * 1024;

// Validates UTF-8 incrementally: feed bytes, then finish().
class Utf8Validator {
  public:
    void feed(unsigned char c) {
        if (pending_ > 0) {
            if ((c & 0xC0) != 0x80) {
                valid_ = false;
                pending_ = 0;
                return;
            }
            --pending_;
            return;
        }
        if (c < 0x80)
            return;
        if (c >= 0xC2 && c <= 0xDF)
            pending_ = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            pending_ = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            pending_ = 3;
        else
            valid_ = false;
    }
    bool valid() const { return valid_ && pending_ == 0; }

  private:
    int pending_ = 0;
    bool valid_ = true;
};

bool isValidUtf8(std::string_view s) {
    Utf8Validator v;
    for (char c : s)
        v.feed(static_cast<unsigned char>(c));
    return v.valid();
}

std::string trimBlanks(std::string s) {
    const auto notBlank = [](char c) { return c != ' ' && c != '\t'; };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notBlank));
    s.erase(std::find_if(s.rbegin(), s.rend(), notBlank).base(), s.end());
    return s;
}

std::string asciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

}  // namespace

TextEncoding detectTextEncoding(std::istream& in) {
    Utf8Validator validator;
    std::array<char, 64 * 1024> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        const auto n = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < n; ++i)
            validator.feed(static_cast<unsigned char>(buffer[i]));
    }
    in.clear();
    in.seekg(0);
    return validator.valid() ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::optional<LabelField> columnForHeader(const std::string& rawName) {
    std::string name = asciiLower(trimBlanks(rawName));
    if (name.starts_with(kUtf8Bom))
        name.erase(0, kUtf8Bom.size());
    static const std::array<std::pair<const char*, LabelField>, 16> kNames = {{
        {"jan", LabelField::JanCode},
        {"janコード", LabelField::JanCode},
        {"jancode", LabelField::JanCode},
        {"jan code", LabelField::JanCode},
        {"メーカー", LabelField::Maker},
        {"maker", LabelField::Maker},
        {"品名", LabelField::ProductName},
        {"name", LabelField::ProductName},
        {"規格", LabelField::Spec},
        {"spec", LabelField::Spec},
        {"ロット", LabelField::Lot},
        {"lot", LabelField::Lot},
        {"売価", LabelField::Price},
        {"price", LabelField::Price},
        {"価格", LabelField::Price},
        {"product name", LabelField::ProductName},
    }};
    for (const auto& [text, field] : kNames) {
        if (name == text)
            return field;
    }
    return std::nullopt;
}

bool isTaxRateHeader(const std::string& rawName) {
    std::string name = asciiLower(trimBlanks(rawName));
    if (name.starts_with(kUtf8Bom))
        name.erase(0, kUtf8Bom.size());
    return name == "税率" || name == "消費税率" || name == "tax" || name == "tax rate";
}

std::optional<TaxRate> taxRateFromListText(const std::string& raw) {
    std::string text = trimBlanks(raw);
    for (const std::string_view percent : {"%", "％"}) {
        if (text.ends_with(percent))
            text = trimBlanks(text.substr(0, text.size() - percent.size()));
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
    : in_(in), encoding_(encoding) {
    if (encoding_ == TextEncoding::Auto)
        encoding_ = detectTextEncoding(in_);
    for (int i = 0; i < 6; ++i)
        columns_.push_back(i);
    // A UTF-8 byte order mark is not part of the first field.
    if (encoding_ == TextEncoding::Utf8) {
        std::streambuf* buf = in_.rdbuf();
        if (buf->sgetc() == 0xEF) {
            std::string head;
            for (int i = 0; i < 3 && buf->sgetc() != std::char_traits<char>::eof(); ++i)
                head.push_back(static_cast<char>(buf->sbumpc()));
            if (head != kUtf8Bom) {
                // Not a BOM after all: put the bytes back.
                for (auto it = head.rbegin(); it != head.rend(); ++it)
                    buf->sputbackc(*it);
            }
        }
    }
}

ProductListReader::RawStatus ProductListReader::readRecord(std::vector<std::string>& fields,
                                                           int& startLine, ResultCode& damage) {
    using Traits = std::char_traits<char>;
    std::streambuf* buf = in_.rdbuf();
    fields.clear();
    damage = ResultCode::Ok;
    startLine = line_;
    if (buf->sgetc() == Traits::eof())
        return RawStatus::End;

    std::string field;
    bool quoted = false;    // the current field began with a quote
    bool inQuotes = false;  // inside the quotes
    bool fieldStarted = false;
    std::size_t recordBytes = 0;
    bool tooLong = false;
    auto endField = [&] {
        if (!tooLong)
            fields.push_back(quoted ? std::move(field) : trimBlanks(std::move(field)));
        field.clear();
        quoted = inQuotes = fieldStarted = false;
    };
    auto finish = [&] {
        endField();
        if (tooLong) {
            fields.clear();
            damage = ResultCode::RowTooLong;
        }
        return RawStatus::Record;
    };
    while (true) {
        const int ch = buf->sbumpc();
        if (ch == Traits::eof()) {
            if (inQuotes && !tooLong)
                damage = ResultCode::RowQuoteNotClosed;
            return finish();
        }
        if (++recordBytes > kMaxRecordBytes && !tooLong) {
            tooLong = true;
            fields.clear();
            field.clear();
        }
        if (tooLong)
            field.clear();  // read on to the row's end, keeping nothing
        const char c = static_cast<char>(ch);
        if (inQuotes) {
            if (c == '"') {
                if (buf->sgetc() == '"') {
                    buf->sbumpc();
                    field.push_back('"');
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == '\n')
                    ++line_;
                field.push_back(c);
            }
            continue;
        }
        if (c == ',') {
            endField();
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && buf->sgetc() == '\n')
                buf->sbumpc();
            ++line_;
            return finish();
        }
        if (c == '"' && !fieldStarted) {
            quoted = inQuotes = fieldStarted = true;
            continue;
        }
        if (c != ' ' && c != '\t')
            fieldStarted = true;
        field.push_back(c);
    }
}

bool ProductListReader::decodeField(std::string& field) const {
    if (encoding_ == TextEncoding::Utf8)
        return isValidUtf8(field);
    field = cp932::decode(field);
    return field.find("\xEF\xBF\xBD") == std::string::npos;  // no U+FFFD
}

bool ProductListReader::applyHeader(const std::vector<std::string>& fields) {
    std::vector<int> columns(fields.size(), -1);
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
        if (auto field = columnForHeader(fields[i])) {
            columns[i] = static_cast<int>(*field);
            ++named;
        } else if (isTaxRateHeader(fields[i])) {
            columns[i] = kTaxRateColumn;
            ++named;
        }
    }
    if (named == 0 || named < std::min(2, nonEmpty))
        return false;
    columns_ = std::move(columns);
    return true;
}

std::optional<ProductRow> ProductListReader::next(std::vector<Result>& problems) {
    std::vector<std::string> fields;
    while (true) {
        int startLine = 0;
        ResultCode damage = ResultCode::Ok;
        if (readRecord(fields, startLine, damage) == RawStatus::End)
            return std::nullopt;
        if (damage == ResultCode::Ok) {
            for (std::string& f : fields) {
                if (!decodeField(f)) {
                    damage = encoding_ == TextEncoding::Utf8 ? ResultCode::RowNotUtf8
                                                             : ResultCode::RowNotCp932;
                    break;
                }
            }
        }
        const bool empty = std::all_of(fields.begin(), fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (damage != ResultCode::Ok) {
            problems.push_back(Result::failure(damage).withLine(startLine));
            first_ = false;
            continue;
        }
        if (empty)
            continue;
        if (first_) {
            first_ = false;
            if (applyHeader(fields))
                continue;
        }
        ProductRow row;
        row.lineNumber = startLine;
        bool extra = false;
        std::optional<std::string> badRate;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int column = i < columns_.size() ? columns_[i] : -1;
            if (column == kTaxRateColumn) {
                if (const std::optional<TaxRate> rate = taxRateFromListText(fields[i]))
                    row.record.taxRate = *rate;
                else
                    badRate = fields[i];
            } else if (column >= 0) {
                row.record.field(static_cast<LabelField>(column)) = fields[i];
            } else if (i >= columns_.size() && !fields[i].empty()) {
                extra = true;
            }
        }
        if (extra) {
            problems.push_back(Result::failure(ResultCode::RowTooManyColumns).withLine(startLine));
            continue;
        }
        if (badRate) {
            problems.push_back(
                Result::failure(ResultCode::RowBadTaxRate, *badRate).withLine(startLine));
            continue;
        }
        return row;
    }
}
