#include "files/SettingsFile.h"

#include "files/Cp932.h"
#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/LayoutBlock.h"

std::string formatSettingsBytes(const LayoutSettings& settings, Result& result) {
    CsvLineWriter writer;
    result = writeLayoutBlock(writer, settings);
    if (!result.ok())
        return {};
    result = writeExtensionLines(writer, settings, nullptr);
    if (!result.ok())
        return {};
    std::optional<std::string> bytes = cp932::encode(writer.result());
    if (!bytes) {  // every text was checked above; kept for safety
        result.code = ResultCode::NotEncodable;
        result.detail = writer.result();
        return {};
    }
    return *std::move(bytes);
}

Result saveSettingsFile(const std::string& path, const LayoutSettings& settings) {
    Result result;
    const std::string bytes = formatSettingsBytes(settings, result);
    if (!result.ok())
        return result;
    return writeFileAtomically(path, bytes);
}

SettingsRead readSettingsBytes(std::string_view bytes, LayoutSettings& settings) {
    SettingsRead read;
    read.load = SettingsLoad::Loaded;
    CsvFieldReader reader(bytes);
    readLayoutBlock(reader, settings, &read.damagedValueLine);
    applyAdjustTextsToOrigin(settings);
    read.priceLines = readPriceExtension(reader, settings, nullptr, &read.damagedStockLine);
    return read;
}

SettingsRead loadSettingsFile(const std::string& path, LayoutSettings& settings) {
    std::string bytes;
    Result failure = readWholeFile(path, bytes);
    if (failure.ok())
        return readSettingsBytes(bytes, settings);
    applyDefaultLayout(settings);
    SettingsRead read;
    read.load =
        failure.code == ResultCode::NotFound ? SettingsLoad::Missing : SettingsLoad::Unreadable;
    failure.path = path;
    read.failure = std::move(failure);
    return read;
}
