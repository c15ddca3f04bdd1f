#include "SheetInput.h"

#include "StockChoice.h"
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

// The file is printed all the same, with defaults in place of what is damaged.
bool warnIfDamaged(PriceExtensionRead priceLines, int damagedValueLine, const std::string& path,
                   int damagedStockLine = 0) {
    if (priceLines == PriceExtensionRead::Damaged)
        reportError(priceLinesWarning(path));
    if (damagedValueLine > 0)
        reportError(damagedColorWarning(path, damagedValueLine));
    if (damagedStockLine > 0)
        reportError(damagedStockWarning(path, damagedStockLine));
    return priceLines == PriceExtensionRead::Damaged || damagedValueLine > 0 ||
           damagedStockLine > 0;
}

}  // namespace

Result readSheetForPrinting(const std::string& labelFile, const std::string& layoutFile,
                            LabelSheet& sheet, LayoutSettings& layout, int& misfitLine,
                            bool& warned) {
    layout = startingLayout();
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    int damagedValueLine = 0;
    int damagedStockLine = 0;
    if (Result read = readLabelFile(labelFile, sheet, layout, &priceLines, &misfitLine,
                                    &damagedValueLine, &damagedStockLine);
        !read.ok())
        return read;
    // A colour of the file's own pattern matters only when that pattern is printed;
    // its price lines carry the labels' tax rates either way, its stock line its labels.
    if (!layoutFile.empty())
        damagedValueLine = 0;
    warned = warnIfDamaged(priceLines, damagedValueLine, labelFile, damagedStockLine) || warned;
    if (layoutFile.empty())
        return {};
    if (Result read = readLayoutForPrinting(layoutFile, layout, warned); !read.ok())
        return read;
    // The labels are the file's, put on the other pattern's stock when they fit it.
    return putOnStock(layout.stock, layout, &sheet);
}

Result readLayoutForPrinting(const std::string& layoutFile, LayoutSettings& layout, bool& warned) {
    std::string layoutBytes;
    if (Result read = readWholeFile(layoutFile, layoutBytes); !read.ok())
        return read;
    layout = startingLayout();
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    int damagedValueLine = 0;
    int damagedStockLine = 0;
    // A label data file gives its pattern; anything else is read as a settings file.
    LabelSheet ignored;
    if (!parseLabelFile(layoutBytes, ignored, layout, &priceLines, nullptr, FileText::Cp932,
                        &damagedValueLine, &damagedStockLine)
             .ok()) {
        const SettingsRead read = readSettingsBytes(layoutBytes, layout);
        priceLines = read.priceLines;
        damagedValueLine = read.damagedValueLine;
        damagedStockLine = read.damagedStockLine;
    }
    warned = warnIfDamaged(priceLines, damagedValueLine, layoutFile, damagedStockLine) || warned;
    return {};
}

Result readLayoutOrPreferred(const std::string& layoutFile, LayoutSettings& layout, bool& warned) {
    if (!layoutFile.empty())
        return readLayoutForPrinting(layoutFile, layout, warned);
    layout = startingLayout();
    const std::string path = SettingsLocation::forThisProgram().paths().readPath;
    const SettingsRead read = loadSettingsFile(path, layout);
    if (read.load == SettingsLoad::Unreadable)
        reportError(patternNotReadWarning(read.failure));
    warnIfDamaged(read.priceLines, read.damagedValueLine, path, read.damagedStockLine);
    warned = read.needsWarning() || warned;
    return {};
}
