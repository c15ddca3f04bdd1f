#include "files/ListSettings.h"

#include <optional>
#include <vector>

#include "files/CsvText.h"
#include "files/FileIo.h"

namespace {

constexpr std::string_view kMasterKey = "商品マスタ";

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

// The fields of the next line, or nothing at the end of the input.
std::optional<std::vector<CsvField>> nextLine(CsvFieldReader& reader) {
    std::vector<CsvField> line;
    while (std::optional<CsvField> field = reader.next()) {
        const bool ends = field->endsLine;
        line.push_back(*std::move(field));
        if (ends)
            return line;
    }
    if (line.empty())
        return std::nullopt;
    return line;
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
    while (std::optional<std::vector<CsvField>> line = nextLine(reader)) {
        if (line->size() >= 2 && (*line)[0].text == kMasterKey && !(*line)[1].unclosed)
            settings.masterPath = unescaped((*line)[1].text);
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
    return writer.result();
}

Result saveListSettings(const std::string& path, const ListSettings& settings) {
    return writeFileAtomically(path, formatListSettings(settings));
}
