#include "SheetInput.h"

#include "ToolExit.h"
#include "files/FileIo.h"
#include "files/LabelDataFile.h"
#include "files/SettingsFile.h"
#include "platform/SettingsLocation.h"

namespace {

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
    layout = startingLayout();
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    if (Result read = readLabelFile(labelFile, sheet, layout, &priceLines, &misfitLine); !read.ok())
        return read;
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
    // A label data file gives its pattern; anything else is read as a settings file.
    LabelSheet ignored;
    if (!parseLabelFile(layoutBytes, ignored, layout, &priceLines).ok())
        readSettingsBytes(layoutBytes, layout, &priceLines);
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
