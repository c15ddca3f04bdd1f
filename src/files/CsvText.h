#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The comma-separated text form shared by the settings file and the label
// data files.
//
// Reading takes the bytes as one sequence of fields and ignores line
// boundaries: a comma and a line end both end a field.
// A line end is an LF, a run of CRs before an LF (CR LF; CR CR LF in a file
// passed twice through a line-end conversion) or a CR alone.
// Blanks before a field are skipped. A field that begins with a double quote
// ends at the next double quote, and whatever stands between that quote and
// the next comma or line end is skipped (a field whose quote is never closed
// runs to the end of the input). Any other field ends at the next comma or
// line end, and blanks at its end are dropped. A line end right where a field
// begins gives an empty field; the input ends where only blanks remain.
// The character code of a file's bytes: code page 932 for the files users
// exchange, UTF-8 for the program's own (the recovery file).
enum class FileText { Cp932, Utf8 };

struct CsvField {
    std::string text;       // decoded to UTF-8
    bool quoted = false;    // the field stood between double quotes
    bool unclosed = false;  // its quote was never closed
    bool endsLine = false;  // a line end (or the end of the input) follows it
    int line = 1;           // the line it begins on (1-based)
};

class CsvFieldReader {
  public:
    // `bytes` must outlive the reader.
    explicit CsvFieldReader(std::string_view bytes, FileText form = FileText::Cp932);

    // The next field, or nothing at the end of the input.
    std::optional<CsvField> next();
    // The fields of the next line, or nothing at the end of the input. A line
    // longer than `keepAtMost` fields keeps its first `keepAtMost` and the
    // rest of it is passed over, so that a line of thousands is not held.
    std::optional<std::vector<CsvField>> nextLine(std::size_t keepAtMost = SIZE_MAX);
    // The line reading has reached (1-based).
    int line() const { return line_; }

    // True before the first field and after a field that ended its line.
    bool atLineStart() const { return atLineStart_; }

  private:
    // Consumes the line end at pos_, if any; true when there was one.
    bool skipLineEnd();

    std::string decoded(std::string_view raw) const;

    std::string_view data_;
    FileText form_;
    std::size_t pos_ = 0;
    bool atLineStart_ = true;
    int line_ = 1;
};

// Conversions of a read field. An unquoted "#TRUE#"/"#FALSE#" is a true/false
// value. A number (quoted or not, blanks around it ignored) is decimal with an
// optional sign, fraction and exponent, and rounds to the nearest whole number
// with halves to the even neighbour. A value that cannot be converted, or is
// out of range after rounding, gives nothing.
std::optional<bool> fieldToBool(const CsvField& field);  // also any number: non-zero is true
std::optional<std::int16_t> fieldToInt16(const CsvField& field);
std::optional<std::int32_t> fieldToInt32(const CsvField& field);
// A length in millimetres: a finite decimal number (quoted or not), kept to
// the hundredth; nothing for any other text.
std::optional<double> fieldToMillimetres(const CsvField& field);
// The leading numeric part of a text (blanks before it skipped), 0 when there
// is none; rounded half to even. Used for the label number of a record.
std::int64_t leadingNumber(std::string_view text);
// Rounds half to even (10.5 -> 10, 11.5 -> 12).
double roundHalfEven(double value);

// Builds lines in the text form, as UTF-8; for a code page 932 file encode
// the result with cp932::encode.
class CsvLineWriter {
  public:
    explicit CsvLineWriter(FileText form = FileText::Cp932) : form_(form) {}
    // Whether the file's character code holds every character of `value`.
    bool canStore(std::string_view value) const;

    void text(std::string_view value);  // "value" (nothing escaped)
    void number(std::int64_t value);    // decimal, leading "-" when negative
    void boolean(bool value);           // #TRUE# or #FALSE#
    void millimetres(double value);     // to the hundredth, no trailing zeros: 7.8, 91, -0.25
    void endLine();                     // CR LF
    const std::string& result() const { return out_; }

  private:
    void separate();
    FileText form_;
    std::string out_;
    bool lineStarted_ = false;
};
