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
    result = writePriceExtension(writer, settings, nullptr);
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

void readSettingsBytes(std::string_view bytes, LayoutSettings& settings,
                       PriceExtensionRead* extension) {
    CsvFieldReader reader(bytes);
    readLayoutBlock(reader, settings);
    applyAdjustTextsToOrigin(settings);
    const PriceExtensionRead priceLines = readPriceExtension(reader, settings, nullptr);
    if (extension)
        *extension = priceLines;
}

SettingsLoad loadSettingsFile(const std::string& path, LayoutSettings& settings,
                              PriceExtensionRead* extension) {
    std::string bytes;
    const Result read = readWholeFile(path, bytes);
    if (read.code == ResultCode::NotFound) {
        applyDefaultLayout(settings);
        return SettingsLoad::Missing;
    }
    if (!read.ok()) {
        applyDefaultLayout(settings);
        return SettingsLoad::Unreadable;
    }
    readSettingsBytes(bytes, settings, extension);
    return SettingsLoad::Loaded;
}
