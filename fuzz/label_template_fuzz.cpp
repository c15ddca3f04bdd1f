// Feeds arbitrary bytes to the label template reader. It either refuses them
// with a result or offers stocks whose every size is a finite length within
// bounds and whose grid has whole, positive counts; reading the same bytes
// again gives the same stocks.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/LabelTemplateReader.h"

namespace {

bool bounded(double mm) {
    return std::isfinite(mm) && std::fabs(mm) <= 10000.0;
}

bool sound(const LabelStock& s) {
    return bounded(s.labelWidthMm) && s.labelWidthMm > 0 && bounded(s.labelHeightMm) &&
           s.labelHeightMm > 0 && bounded(s.cornerRadiusMm) && s.cornerRadiusMm >= 0 &&
           bounded(s.firstLabel.x) && bounded(s.firstLabel.y) && bounded(s.pitchXMm) &&
           bounded(s.pitchYMm) && s.columns >= 1 && s.columns <= 1000 && s.rows >= 1 &&
           s.rows <= 1000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LabelTemplates templates;
    const Result read = readLabelTemplateBytes(bytes, templates);
    if (!read.ok()) {
        if (read.code != ResultCode::NotLabelTemplate && read.code != ResultCode::ReadFailed)
            std::abort();
        if (!templates.stocks.empty() || templates.skipped != 0 || templates.damaged != 0)
            std::abort();
        return 0;
    }
    for (const TemplateStock& s : templates.stocks) {
        if (!sound(s.stock))
            std::abort();
    }
    LabelTemplates again;
    if (!readLabelTemplateBytes(bytes, again).ok() || again.stocks != templates.stocks ||
        again.skipped != templates.skipped || again.damaged != templates.damaged ||
        again.firstDamagedLine != templates.firstDamagedLine)
        std::abort();
    return 0;
}
