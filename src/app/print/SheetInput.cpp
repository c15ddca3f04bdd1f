#include "SheetInput.h"

#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"

namespace {

constexpr const char* kLabelMarker = "棚札";

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

Result readSheetForPrinting(const std::string& labelFile, const std::string& layoutFile,
                            LabelSheet& sheet, LayoutSettings& layout) {
    std::string bytes;
    if (Result read = readWholeFile(labelFile, bytes); !read.ok())
        return read;
    layout = startingLayout();
    if (parseLabelFile(bytes, sheet, layout) != LabelFileRead::Read)
        return Result::failure(ResultCode::NotLabelFile).withPath(labelFile);
    if (layoutFile.empty())
        return {};
    return readLayoutForPrinting(layoutFile, layout);
}

Result readLayoutForPrinting(const std::string& layoutFile, LayoutSettings& layout) {
    std::string layoutBytes;
    if (Result read = readWholeFile(layoutFile, layoutBytes); !read.ok())
        return read;
    layout = startingLayout();
    if (startsWithLabelMarker(layoutBytes)) {
        LabelSheet ignored;
        parseLabelFile(layoutBytes, ignored, layout);
    } else {
        readSettingsBytes(layoutBytes, layout);
    }
    return {};
}
