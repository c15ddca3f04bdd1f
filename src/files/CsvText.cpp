#include "files/CsvText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "files/Cp932.h"
#include "model/Blanks.h"

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the line end at `at`, 0 when there is none there. A run of
// CRs before an LF (CR LF, or CR CR LF after two line-end conversions) is one
// line end; a CR without an LF after it is one on its own.
std::size_t lineEndLength(std::string_view s, std::size_t at) {
    if (at >= s.size() || !isLineEnd(s[at]))
        return 0;
    if (s[at] == '\n')
        return 1;
    std::size_t end = at + 1;
    while (end < s.size() && s[end] == '\r')
        ++end;
    return end < s.size() && s[end] == '\n' ? end + 1 - at : 1;
}

// Length of the number at the start of `s`: optional sign, digits with an
// optional decimal point, an optional exponent. 0 when there is none.
std::size_t numberPrefixLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// Parses a number written in decimal (see numberPrefixLength); nothing when
// `s` is not exactly one.
std::optional<double> parseNumber(std::string_view s) {
    if (s.empty() || numberPrefixLength(s) != s.size())
        return std::nullopt;
    if (s.front() == '+')
        s.remove_prefix(1);  // from_chars takes no plus sign
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ptr != s.data() + s.size())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too large: an infinity of the right sign, which every range refuses.
        // Too small: zero.
        const bool tiny =
            s.find_first_of("eE") != std::string_view::npos && s[s.find_first_of("eE") + 1] == '-';
        if (tiny)
            return 0.0;
        return s.front() == '-' ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

// A field as a number: its text, blanks around it ignored.
std::optional<double> fieldNumber(const CsvField& field) {
    return parseNumber(trimBlanks(field.text));
}

}  // namespace

std::optional<double> fieldToMillimetres(const CsvField& field) {
    const std::optional<double> value = fieldNumber(field);
    if (!value || !std::isfinite(*value) || std::abs(*value) > 1e6)
        return std::nullopt;
    return std::round(*value * 100.0) / 100.0;
}

namespace {

template <typename Int>
std::optional<Int> fieldToInt(const CsvField& field) {
    const std::optional<double> value = fieldNumber(field);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

CsvFieldReader::CsvFieldReader(std::string_view bytes, FileText form) : data_(bytes), form_(form) {}

std::string CsvFieldReader::decoded(std::string_view raw) const {
    return form_ == FileText::Utf8 ? std::string(raw) : cp932::decode(raw);
}

bool CsvFieldReader::skipLineEnd() {
    const std::size_t length = lineEndLength(data_, pos_);
    pos_ += length;
    line_ += length > 0 ? 1 : 0;
    return length > 0;
}

std::optional<std::vector<CsvField>> CsvFieldReader::nextLine(std::size_t keepAtMost) {
    std::vector<CsvField> fields;
    while (std::optional<CsvField> field = next()) {
        const bool ends = field->endsLine;
        fields.push_back(*std::move(field));
        if (ends)
            return fields;
        if (fields.size() >= keepAtMost) {
            while (std::optional<CsvField> rest = next()) {
                if (rest->endsLine)
                    break;
            }
            return fields;
        }
    }
    if (fields.empty())
        return std::nullopt;
    return fields;
}

std::optional<CsvField> CsvFieldReader::next() {
    const std::size_t size = data_.size();
    while (pos_ < size && isAsciiBlank(data_[pos_]))
        ++pos_;
    if (pos_ >= size)
        return std::nullopt;

    CsvField field;
    field.line = line_;
    std::size_t end = pos_;
    if (data_[pos_] == '"') {
        field.quoted = true;
        const std::size_t start = pos_ + 1;
        std::size_t close = data_.find('"', start);
        field.unclosed = close == std::string_view::npos;
        if (field.unclosed)
            close = size;
        const std::string_view inside = data_.substr(start, close - start);
        field.text = decoded(inside);
        // The lines a quoted text spans count as lines of the file.
        for (std::size_t i = 0; i < inside.size(); ++i) {
            const std::size_t length = lineEndLength(inside, i);
            if (length > 0) {
                i += length - 1;
                ++line_;
            }
        }
        end = close < size ? close + 1 : size;
        // Whatever follows the closing quote up to the field's end is dropped.
        while (end < size && data_[end] != ',' && !isLineEnd(data_[end]))
            ++end;
    } else {
        while (end < size && data_[end] != ',' && !isLineEnd(data_[end]))
            ++end;
        std::string_view raw = data_.substr(pos_, end - pos_);
        while (!raw.empty() && isAsciiBlank(raw.back()))
            raw.remove_suffix(1);
        field.text = decoded(raw);
    }
    // Consume the separator: a comma, or one line end.
    pos_ = end;
    if (pos_ < size && data_[pos_] == ',')
        ++pos_;
    else
        field.endsLine = skipLineEnd() || pos_ >= size;
    atLineStart_ = field.endsLine;
    return field;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<bool> fieldToBool(const CsvField& field) {
    if (!field.quoted) {
        const std::string_view text = trimBlanks(field.text);
        if (text == "#TRUE#")
            return true;
        if (text == "#FALSE#")
            return false;
    }
    const std::optional<double> value = fieldNumber(field);
    if (!value)
        return std::nullopt;
    return *value != 0.0;
}

std::optional<std::int16_t> fieldToInt16(const CsvField& field) {
    return fieldToInt<std::int16_t>(field);
}

std::optional<std::int32_t> fieldToInt32(const CsvField& field) {
    return fieldToInt<std::int32_t>(field);
}

std::int64_t leadingNumber(std::string_view text) {
    while (!text.empty() && isAsciiBlank(text.front()))
        text.remove_prefix(1);
    const std::optional<double> value = parseNumber(text.substr(0, numberPrefixLength(text)));
    if (!value)
        return 0;
    const double rounded = roundHalfEven(*value);
    // Far outside any label number either way; clamped so the conversion is defined.
    constexpr double kLimit = 1e15;
    if (!(rounded < kLimit))
        return static_cast<std::int64_t>(kLimit);
    if (!(rounded > -kLimit))
        return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(rounded);
}

bool CsvLineWriter::canStore(std::string_view value) const {
    return form_ == FileText::Utf8 || cp932::canEncode(value);
}

void CsvLineWriter::separate() {
    if (lineStarted_)
        out_ += ',';
    lineStarted_ = true;
}

void CsvLineWriter::text(std::string_view value) {
    separate();
    out_ += '"';
    out_ += value;
    out_ += '"';
}

void CsvLineWriter::number(std::int64_t value) {
    separate();
    out_ += std::to_string(value);
}

void CsvLineWriter::millimetres(double value) {
    separate();
    const long long hundredths = std::llround(value * 100.0);
    const long long whole = hundredths / 100;
    const long long part = std::llabs(hundredths % 100);
    if (hundredths < 0 && whole == 0)
        out_ += '-';
    out_ += std::to_string(whole);
    if (part != 0) {
        out_ += '.';
        out_ += char('0' + part / 10);
        if (part % 10 != 0)
            out_ += char('0' + part % 10);
    }
}

void CsvLineWriter::boolean(bool value) {
    separate();
    out_ += value ? "#TRUE#" : "#FALSE#";
}

void CsvLineWriter::endLine() {
    out_ += "\r\n";
    lineStarted_ = false;
}
