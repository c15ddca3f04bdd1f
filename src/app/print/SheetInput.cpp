#include "SheetInput.h"

#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"

namespace {

constexpr const char* kLabelMarker = "棚札";

bool readFile(const std::string& path, std::string& bytes, std::string& error) {
    const FileResult result = readWholeFile(path, bytes);
    switch (result.code) {
        case FileErrorCode::None:
            return true;
        case FileErrorCode::NotFound:
            error = "ファイルがありません: " + path;
            return false;
        default:
            error = "ファイルを読めません: " + path +
                    (result.detail.empty() ? std::string() : " (" + result.detail + ")");
            return false;
    }
}

bool startsWithLabelMarker(std::string_view bytes) {
    CsvFieldReader reader(bytes);
    const std::optional<CsvField> first = reader.next();
    return first && first->text == kLabelMarker;
}

// The pattern a new input window starts from before any file is read.
LayoutSettings startingLayout() {
    return initialLayoutSettings();
}

}  // namespace

bool readSheetForPrinting(const std::string& labelFile, const std::string& layoutFile,
                          LabelSheet& sheet, LayoutSettings& layout, std::string& error) {
    std::string bytes;
    if (!readFile(labelFile, bytes, error)) {
        return false;
    }
    layout = startingLayout();
    if (parseLabelFile(bytes, sheet, layout) != LabelFileRead::Read) {
        error = "棚札形式のデータではありません: " + labelFile;
        return false;
    }
    if (layoutFile.empty()) {
        return true;
    }

    return readLayoutForPrinting(layoutFile, layout, error);
}

bool readLayoutForPrinting(const std::string& layoutFile, LayoutSettings& layout,
                           std::string& error) {
    std::string layoutBytes;
    if (!readFile(layoutFile, layoutBytes, error)) {
        return false;
    }
    layout = startingLayout();
    if (startsWithLabelMarker(layoutBytes)) {
        LabelSheet ignored;
        parseLabelFile(layoutBytes, ignored, layout);
    } else {
        readSettingsBytes(layoutBytes, layout);
    }
    return true;
}
