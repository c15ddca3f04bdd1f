#include "files/ListSettings.h"

#include <optional>
#include <vector>

#include "files/CsvText.h"
#include "files/FileIo.h"

namespace {

constexpr std::string_view kMasterKey = "商品マスタ";

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
            settings.masterPath = (*line)[1].text;
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

std::string formatListSettings(const ListSettings& settings, Result& result) {
    result = {};
    CsvLineWriter writer(FileText::Utf8);
    if (!settings.masterPath.empty()) {
        if (settings.masterPath.find('"') != std::string::npos) {
            result = Result::failure(ResultCode::QuoteInText, settings.masterPath);
            return {};
        }
        writer.text(kMasterKey);
        writer.text(settings.masterPath);
        writer.endLine();
    }
    return writer.result();
}

Result saveListSettings(const std::string& path, const ListSettings& settings) {
    Result result;
    const std::string bytes = formatListSettings(settings, result);
    if (!result.ok())
        return std::move(result).withPath(path);
    return writeFileAtomically(path, bytes);
}
