#include "TemplateChoice.h"

#include <string_view>

#include "model/StockCheck.h"
#include "model/StockPresets.h"
#include "platform/LabelTemplateReader.h"

namespace {

// The maker and part of a template's name, before its description.
std::string_view makerAndPart(std::string_view name) {
    const std::size_t dash = name.find(" — ");
    return dash == std::string_view::npos ? name : name.substr(0, dash);
}

}  // namespace

Result findTemplateStock(const std::string& path, const std::string& name, NamedStock& found) {
    LabelTemplates templates;
    if (Result read = readLabelTemplateFile(path, templates); !read.ok())
        return read;
    const std::string wanted = comparableStockName(name);
    for (const TemplateStock& t : templates.stocks) {
        if (comparableStockName(t.name) != wanted &&
            comparableStockName(makerAndPart(t.name)) != wanted)
            continue;
        if (Result check = checkStock(t.stock); !check.ok())
            return std::move(check).withPath(path);
        found = {t.name, t.stock};
        return {};
    }
    return Result::failure(ResultCode::StockNotFound, name).withPath(path);
}
