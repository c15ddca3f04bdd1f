#include "files/ListSettings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "files/CsvText.h"
#include "files/FileIo.h"

namespace {

constexpr std::string_view kMasterKey = "商品マスタ";
constexpr std::string_view kMappingKey = "列対応";

// A text as it stands between the quotes of a field: the quote, the line
// ends and the escape sign itself written as %22, %0D, %0A and %25, so that
// any path or header cell is kept as it is.
constexpr std::string_view kEscaped = "%\"\r\n";

std::string escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        if (kEscaped.find(c) == std::string_view::npos) {
            out.push_back(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        out += {'%', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text `escaped` wrote; a % not followed by two hex digits stands for itself.
std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// A whole number of a field, or nothing.
std::optional<int> fieldNumber(const CsvField& field) {
    if (field.unclosed)
        return std::nullopt;
    return fieldToInt32(field);
}

void writeMapping(CsvLineWriter& writer, const ColumnMapping& mapping) {
    writer.text(kMappingKey);
    writer.number(static_cast<int>(mapping.priceMeaning()));
    writer.number(static_cast<std::int64_t>(mapping.header().size()));
    for (const std::string& cell : mapping.header())
        writer.text(escaped(cell));
    for (const ProductColumn& part : productColumns()) {
        writer.text(part.name);
        writer.number(mapping.columnOf(part).value_or(-1));
    }
    writer.endLine();
}

// A mapping's line after its key; nothing when it cannot be read.
std::optional<ColumnMapping> readMapping(std::span<const CsvField> fields) {
    const std::optional<int> meaning = fields.size() >= 2 ? fieldNumber(fields[0]) : std::nullopt;
    const std::optional<int> cells = fields.size() >= 2 ? fieldNumber(fields[1]) : std::nullopt;
    if (!meaning || *meaning < 0 || *meaning > static_cast<int>(PriceMeaning::PreTax) || !cells ||
        *cells <= 0 || static_cast<std::size_t>(*cells) > fields.size() - 2)
        return std::nullopt;
    std::vector<std::string> header;
    for (const CsvField& cell : fields.subspan(2, static_cast<std::size_t>(*cells)))
        header.push_back(unescaped(cell.text));
    ColumnMapping mapping = ColumnMapping::fromHeader(std::move(header));
    const auto parts = fields.subspan(2 + static_cast<std::size_t>(*cells));
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const ProductColumn* part = labelPart(parts[i].text);
        const std::optional<int> column = fieldNumber(parts[i + 1]);
        if (part == nullptr || part->name != parts[i].text || !column || *column >= *cells)
            continue;
        mapping.assign(*part, *column >= 0 ? column : std::nullopt);
    }
    mapping.setPriceMeaning(static_cast<PriceMeaning>(*meaning));
    return mapping;
}

}  // namespace

std::string listSettingsPathBeside(const std::string& patternPath) {
    if (patternPath.empty())
        return {};
    const std::size_t slash = patternPath.find_last_of("/\\");
    const std::size_t folderEnd = slash == std::string::npos ? 0 : slash + 1;
    return patternPath.substr(0, folderEnd) + kListSettingsFileName;
}

ListSettings readListSettings(std::string_view bytes) {
    ListSettings settings;
    CsvFieldReader reader(bytes, FileText::Utf8);
    while (std::optional<std::vector<CsvField>> line = reader.nextLine()) {
        if (line->size() >= 2 && (*line)[0].text == kMasterKey && !(*line)[1].unclosed)
            settings.masterPath = unescaped((*line)[1].text);
        if (line->size() >= 2 && (*line)[0].text == kMappingKey) {
            if (std::optional<ColumnMapping> mapping =
                    readMapping(std::span<const CsvField>(*line).subspan(1)))
                rememberMapping(settings.mappings, *mapping);
        }
    }
    return settings;
}

Result loadListSettings(const std::string& path, ListSettings& settings) {
    settings = ListSettings{};
    std::string bytes;
    Result read = readWholeFile(path, bytes);
    if (read.code == ResultCode::NotFound)
        return {};
    if (!read.ok())
        return std::move(read).withPath(path);
    settings = readListSettings(bytes);
    return {};
}

std::string formatListSettings(const ListSettings& settings) {
    CsvLineWriter writer(FileText::Utf8);
    if (!settings.masterPath.empty()) {
        writer.text(kMasterKey);
        writer.text(escaped(settings.masterPath));
        writer.endLine();
    }
    for (const ColumnMapping& mapping : settings.mappings)
        writeMapping(writer, mapping);
    return writer.result();
}

Result saveListSettings(const std::string& path, const ListSettings& settings) {
    Result written = writeFileAtomically(path, formatListSettings(settings));
    if (!written.ok() && written.path.empty())
        written.path = path;
    return written;
}
