#include "SheetInput.h"

#include "ToolExit.h"
#include "files/CsvText.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"
#include "platform/SettingsLocation.h"

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

// The file is printed all the same, with the defaults in place of its price lines.
void warnIfDamaged(PriceExtensionRead priceLines, const std::string& path) {
    if (priceLines == PriceExtensionRead::Damaged)
        reportError("警告: " + path +
                    " の税込表示の設定 (「拡張」の行) が読めないため、税込のみ・税率 10% "
                    "として印刷します");
}

}  // namespace

Result readSheetForPrinting(const std::string& labelFile, const std::string& layoutFile,
                            LabelSheet& sheet, LayoutSettings& layout, int& misfitLine) {
    std::string bytes;
    if (Result read = readWholeFile(labelFile, bytes); !read.ok())
        return read;
    layout = startingLayout();
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    if (parseLabelFile(bytes, sheet, layout, &priceLines, &misfitLine) != LabelFileRead::Read)
        return Result::failure(ResultCode::NotLabelFile).withPath(labelFile);
    warnIfDamaged(priceLines, labelFile);
    if (layoutFile.empty())
        return {};
    return readLayoutForPrinting(layoutFile, layout);
}

Result readLayoutForPrinting(const std::string& layoutFile, LayoutSettings& layout) {
    std::string layoutBytes;
    if (Result read = readWholeFile(layoutFile, layoutBytes); !read.ok())
        return read;
    layout = startingLayout();
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    if (startsWithLabelMarker(layoutBytes)) {
        LabelSheet ignored;
        parseLabelFile(layoutBytes, ignored, layout, &priceLines);
    } else {
        readSettingsBytes(layoutBytes, layout, &priceLines);
    }
    warnIfDamaged(priceLines, layoutFile);
    return {};
}

Result readLayoutOrPreferred(const std::string& layoutFile, LayoutSettings& layout) {
    if (!layoutFile.empty())
        return readLayoutForPrinting(layoutFile, layout);
    layout = startingLayout();
    loadSettingsFile(SettingsLocation::forThisProgram().paths().readPath, layout);
    return {};
}
