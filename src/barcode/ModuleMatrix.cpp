#include "barcode/ModuleMatrix.h"

#include <cassert>
#include <cstddef>

ModuleMatrix::ModuleMatrix(int width, int height)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      dark_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), false) {}

bool ModuleMatrix::isDark(int column, int row) const {
    assert(column >= 0 && column < width_ && row >= 0 && row < height_);
    return dark_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(column)];
}

void ModuleMatrix::setDark(int column, int row) {
    assert(column >= 0 && column < width_ && row >= 0 && row < height_);
    dark_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(column)] = true;
}

ModuleMatrix ModuleMatrix::withQuietZone(const QuietZone& zone) const {
    if (empty())
        return {};
    ModuleMatrix padded(zone.left + width_ + zone.right, zone.top + height_ + zone.bottom);
    padded.quietZone_ = zone;
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            if (isDark(column, row))
                padded.setDark(zone.left + column, zone.top + row);
        }
    }
    return padded;
}
