#include "model/StockPresets.h"

#include <cmath>
#include <vector>

namespace {

// One package: its label grid, and its margins when the package gives them.
struct PresetRow {
    const char* name;
    double labelWidth;
    double labelHeight;
    double cornerRadius;
    int columns;
    int rows;
    double pitchX;
    double pitchY;
    // From the paper's corner; NAN where only the size and count are known
    // and the grid is centred on the page.
    double leftMargin = NAN;
    double topMargin = NAN;
};

// A4 throughout; the standard stock comes first, as it always has been.
const PresetRow kPresetRows[] = {
    {"A4 10面 86.4×50.8mm", 86.4, 50.8, 3.0, 2, 5, 96.5, 50.8},
    {"A4 12面 86.4×42.3mm", 86.4, 42.3, 3.0, 2, 6, 96.5, 42.3},
    {"A4 18面 70×42.3mm", 70.0, 42.3, 0.0, 3, 6, 70.0, 42.3},
    {"A4 21面 70×42.3mm", 70.0, 42.3, 0.0, 3, 7, 70.0, 42.3},
    {"A4 24面 66×33.9mm", 66.0, 33.9, 2.0, 3, 8, 66.0, 33.9},
    {"A4 40面 48.3×25.4mm", 48.3, 25.4, 1.5, 4, 10, 48.3, 25.4},
    {"A4 44面 48.3×25.4mm", 48.3, 25.4, 1.5, 4, 11, 48.3, 25.4},
    {"A4 65面 38.1×21.2mm", 38.1, 21.2, 1.0, 5, 13, 40.6, 21.2},
};

// Where the grid starts so that it stands in the middle of the paper.
double centredMargin(double paper, double label, double pitch, int count) {
    const double span = pitch * (count - 1) + label;
    return std::round((paper - span) / 2.0 * 100.0) / 100.0;
}

NamedStock fromRow(const PresetRow& row) {
    LabelStock s;
    s.labelWidthMm = row.labelWidth;
    s.labelHeightMm = row.labelHeight;
    s.cornerRadiusMm = row.cornerRadius;
    s.columns = row.columns;
    s.rows = row.rows;
    s.pitchXMm = row.pitchX;
    s.pitchYMm = row.pitchY;
    s.firstLabel.x = std::isnan(row.leftMargin)
                         ? centredMargin(s.paper.widthMm, row.labelWidth, row.pitchX, row.columns)
                         : row.leftMargin;
    s.firstLabel.y = std::isnan(row.topMargin)
                         ? centredMargin(s.paper.heightMm, row.labelHeight, row.pitchY, row.rows)
                         : row.topMargin;
    return {row.name, s};
}

std::vector<NamedStock> makePresets() {
    std::vector<NamedStock> presets{{"A4 10面 91×55mm", kStandardStock}};
    for (const PresetRow& row : kPresetRows)
        presets.push_back(fromRow(row));
    return presets;
}

}  // namespace

std::span<const NamedStock> stockPresets() {
    static const std::vector<NamedStock> presets = makePresets();
    return presets;
}

std::string comparableStockName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ' ' || c == '\t')
            continue;
        if (name.substr(i, 3) == "\u3000") {  // a full-width blank
            i += 2;
            continue;
        }
        if (c == 'x' || c == 'X' || c == '*') {
            out += "×";
            continue;
        }
        out += c == 'M' ? 'm' : c;
    }
    return out;
}

std::optional<NamedStock> stockPresetNamed(std::string_view name) {
    const std::string wanted = comparableStockName(name);
    for (const NamedStock& preset : stockPresets()) {
        if (comparableStockName(preset.name) == wanted)
            return preset;
    }
    return std::nullopt;
}

std::optional<NamedStock> stockPresetFor(const LabelStock& stock) {
    for (const NamedStock& preset : stockPresets()) {
        if (preset.stock == stock)
            return preset;
    }
    return std::nullopt;
}
