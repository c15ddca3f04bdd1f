#pragma once

#include <vector>

// Light modules around a symbol that a reader needs to find its edges,
// counted in modules.
struct QuietZone {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    bool operator==(const QuietZone&) const = default;
};

// A barcode symbol as a grid of modules, `width` across and `height` down
// (one row for a linear symbology), each dark or light. A symbol as drawn
// includes its quiet zone, which quietZone() then names. A matrix of no
// modules is empty: there is nothing to draw.
class ModuleMatrix {
  public:
    ModuleMatrix() = default;
    // All light.
    ModuleMatrix(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    const QuietZone& quietZone() const { return quietZone_; }

    // Columns and rows count from 0 at the top left.
    bool isDark(int column, int row) const;
    void setDark(int column, int row);

    // The same modules inside `zone` more light modules on each side; the
    // result names the zone as its quiet zone. An empty matrix stays empty.
    ModuleMatrix withQuietZone(const QuietZone& zone) const;

    bool operator==(const ModuleMatrix&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    QuietZone quietZone_;
    std::vector<bool> dark_;  // row by row
};
