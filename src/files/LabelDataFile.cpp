#include "files/LabelDataFile.h"

#include <string>

#include "files/Cp932.h"
#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/LabelFileRecords.h"
#include "files/LayoutBlock.h"

namespace {

constexpr const char* kMarker = "棚札";
constexpr std::string_view kQuote = "\"";
constexpr int kFieldsPerRecord = 7;
constexpr int kLayoutFields = 10;
constexpr int kLayoutLines = 10;
constexpr int kFirstLayoutLine = 2 + kLabelFileRecords;
constexpr int kFormLines = kFirstLayoutLine - 1 + kLayoutLines;

// " 1", " 2"... in quotes, as the writer numbers its records.
bool isRecordNumber(const CsvField& field) {
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        if (field.text == " " + std::to_string(n))
            return field.quoted;
    }
    return false;
}

// The first text of the sheet that the file form cannot store, if any.
Result checkSheetTexts(const LabelSheet& sheet, FileText form) {
    Result r;
    for (int n = 1; n <= sheet.labelCount(); ++n) {
        for (LabelField f : kLabelFields) {
            const std::string& text = sheet.label(n).field(f);
            const std::optional<std::string> c = firstUnstorableCharacter(text, form);
            if (!c)
                continue;
            r.code = *c == kQuote ? ResultCode::QuoteInText : ResultCode::NotEncodable;
            r.detail = text;
            r.labelNumber = n;
            r.field = f;
            return r;
        }
    }
    return r;
}

}  // namespace

std::optional<std::string> firstUnstorableCharacter(std::string_view text, FileText form) {
    // A quote would end the field early; it counts wherever it stands.
    if (text.find(kQuote) != std::string_view::npos)
        return std::string(kQuote);
    if (form == FileText::Utf8)
        return std::nullopt;  // UTF-8 holds every character
    return cp932::firstUnencodable(text);
}

Result formatLabelFile(const LabelSheet& sheet, const LayoutSettings& settings, std::string& bytes,
                       FileText form) {
    bytes.clear();
    // A sheet that is not the pattern's stock's would lose labels without a word.
    if (sheet.labelCount() != settings.stock.labelCount())
        return Result::failure(ResultCode::SheetNotStorable);
    Result result = checkSheetTexts(sheet, form);
    if (!result.ok())
        return result;

    CsvLineWriter writer(form);
    writer.text(kMarker);
    writer.endLine();
    for (int n = 1; n <= kLabelFileRecords; ++n) {
        // A stock of fewer labels leaves the last records empty.
        const LabelRecord label = n <= sheet.labelCount() ? sheet.label(n) : LabelRecord{};
        writer.text(" " + std::to_string(n));
        for (LabelField f : kLabelFields)
            writer.text(label.field(f));
        writer.endLine();
    }
    result = writeLayoutBlock(writer, settings);
    if (!result.ok())
        return result;
    result = writeExtensionLines(writer, settings, &sheet);
    if (!result.ok())
        return result;

    if (form == FileText::Utf8) {
        bytes = writer.result();
        return result;
    }
    std::optional<std::string> encoded = cp932::encode(writer.result());
    if (!encoded) {  // every text was checked above; kept for safety
        result.code = ResultCode::NotEncodable;
        result.detail = writer.result();
        return result;
    }
    bytes = *std::move(encoded);
    return result;
}

Result writeLabelFile(const std::string& path, const LabelSheet& sheet,
                      const LayoutSettings& settings) {
    std::string bytes;
    Result result = formatLabelFile(sheet, settings, bytes);
    if (!result.ok())
        return result;
    return writeFileAtomically(path, bytes);
}

int firstMisfitLine(std::string_view bytes) {
    CsvFieldReader reader(bytes);
    int nextLine = 1;  // where the next line of the form should begin
    for (int formLine = 1; formLine <= kFormLines; ++formLine) {
        const bool record = formLine >= 2 && formLine < kFirstLayoutLine;
        const int fields = formLine == 1 ? 1 : record ? kFieldsPerRecord : kLayoutFields;
        for (int f = 0; f < fields; ++f) {
            const std::optional<CsvField> field = reader.next();
            if (!field)
                return nextLine;
            const bool last = f == fields - 1;
            // A text never holds a line break: one that spans lines is misplaced.
            const int lineAfter = field->line + (last ? 1 : 0);
            if (field->unclosed || field->endsLine != last || reader.line() > lineAfter ||
                (f == 0 && field->line != nextLine) ||
                (f == 0 && record && !isRecordNumber(*field)))
                return field->line;
            if (last)
                nextLine = field->line + 1;
        }
    }
    return 0;
}

Result parseLabelFile(std::string_view bytes, LabelSheet& sheet, LayoutSettings& settings,
                      PriceExtensionRead* extension, int* misfitLine, FileText form,
                      int* damagedValueLine, int* damagedStockLine) {
    CsvFieldReader reader(bytes, form);
    const std::optional<CsvField> marker = reader.next();
    if (!marker || marker->text != kMarker)
        return Result::failure(ResultCode::NotLabelFile);
    if (misfitLine != nullptr)
        *misfitLine = firstMisfitLine(bytes);

    // Built on copies, so that the caller's sheet and settings change only as a whole.
    LabelSheet newSheet(kLabelFileRecords);
    LayoutSettings newSettings = settings;
    for (int record = 0; record < kLabelFileRecords; ++record) {
        const std::optional<CsvField> number = reader.next();
        if (!number)
            break;
        LabelRecord texts;
        bool ended = false;
        for (LabelField f : kLabelFields) {
            std::optional<CsvField> field = reader.next();
            if (!field) {
                ended = true;
                break;
            }
            texts.field(f) = std::move(field->text);
        }
        static_assert(kFieldsPerRecord == 1 + kLabelFields.size());
        const std::int64_t n = leadingNumber(number->text);
        if (n >= 1 && n <= kLabelFileRecords)
            newSheet.label(static_cast<int>(n)) = texts;
        if (ended)
            break;
    }
    int damagedLine = 0;
    readLayoutBlock(reader, newSettings, &damagedLine);
    if (damagedValueLine)
        *damagedValueLine = damagedLine;
    applyAdjustTextsToOrigin(newSettings);
    const PriceExtensionRead priceLines =
        readPriceExtension(reader, newSettings, &newSheet, damagedStockLine);
    if (extension)
        *extension = priceLines;

    sheet = std::move(newSheet);
    settings = std::move(newSettings);
    return {};
}

Result readLabelFile(const std::string& path, LabelSheet& sheet, LayoutSettings& settings,
                     PriceExtensionRead* extension, int* misfitLine, int* damagedValueLine,
                     int* damagedStockLine) {
    std::string bytes;
    if (Result read = readWholeFile(path, bytes); !read.ok())
        return read;
    Result parsed = parseLabelFile(bytes, sheet, settings, extension, misfitLine, FileText::Cp932,
                                   damagedValueLine, damagedStockLine);
    if (!parsed.ok())
        parsed.path = path;
    return parsed;
}
