#include "StockChoice.h"

#include <cstdio>

#include "TemplateChoice.h"
#include "files/FileIo.h"
#include "files/UserStockFile.h"
#include "model/PaperSizes.h"
#include "model/StockPresets.h"
#include "platform/SettingsLocation.h"

Result findStock(const std::string& nameOrFile, const std::string& userStockFile,
                 NamedStock& found) {
    if (std::optional<NamedStock> preset = stockPresetNamed(nameOrFile)) {
        found = *std::move(preset);
        return {};
    }
    const std::string wanted = comparableStockName(nameOrFile);
    for (NamedStock& own : readUserStocks(userStockFile).stocks) {
        if (comparableStockName(own.name) == wanted) {
            found = std::move(own);
            return {};
        }
    }
    if (!fileExists(nameOrFile))
        return Result::failure(ResultCode::StockNotFound, nameOrFile);
    UserStocksRead read = readUserStocks(nameOrFile);
    if (read.stocks.empty()) {
        Result failure = read.failure.ok() ? Result::failure(ResultCode::StockNotFound, nameOrFile)
                                           : std::move(read.failure);
        failure.path = nameOrFile;
        return failure;
    }
    found = std::move(read.stocks.front());
    return {};
}

Result putOnStock(const LabelStock& stock, LayoutSettings& layout, LabelSheet* sheet) {
    if (sheet) {
        for (int n = stock.labelCount() + 1; n <= sheet->labelCount(); ++n) {
            if (sheet->label(n).isEmpty())
                continue;
            Result r =
                Result::failure(ResultCode::StockTooManyLabels, std::to_string(stock.labelCount()));
            r.labelNumber = n;
            return r;
        }
        LabelSheet resized(stock);
        for (int n = 1; n <= std::min(resized.labelCount(), sheet->labelCount()); ++n)
            resized.label(n) = sheet->label(n);
        *sheet = std::move(resized);
    }
    if (layout.stock != stock)
        changeStock(layout, stock);
    return {};
}

std::string userStockFile() {
    return userStockPathBeside(SettingsLocation::forThisProgram().paths().writePath);
}

Result applyStockOption(const std::string& stockOption, LayoutSettings& layout, LabelSheet* sheet,
                        const std::string& templateName) {
    if (stockOption.empty())
        return {};
    NamedStock named;
    if (Result found = templateName.empty() ? findStock(stockOption, userStockFile(), named)
                                            : findTemplateStock(stockOption, templateName, named);
        !found.ok())
        return found;
    return putOnStock(named.stock, layout, sheet);
}

namespace {

std::string describe(const NamedStock& named) {
    const LabelStock& s = named.stock;
    char grid[160];
    std::snprintf(grid, sizeof grid, "%s, %d 列 × %d 行, %.2f × %.2f mm",
                  paperName(s.paper).value_or("?").c_str(), s.columns, s.rows, s.labelWidthMm,
                  s.labelHeightMm);
    return named.name + "\t" + grid;
}

}  // namespace

std::vector<std::string> stockListLines(const std::vector<NamedStock>& userStocks) {
    std::vector<std::string> lines;
    for (const NamedStock& preset : stockPresets())
        lines.push_back(describe(preset));
    for (const NamedStock& own : userStocks)
        lines.push_back(describe(own) + " (ユーザー)");
    return lines;
}
