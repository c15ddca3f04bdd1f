#pragma once

#include <memory>

#include "render/DrawingSurface.h"

// A surface that draws nothing visible and measures texts as a 600 dpi
// printer page would: their widths and whether every character has a glyph.
class TextGauge {
  public:
    TextGauge();
    ~TextGauge();
    TextGauge(const TextGauge&) = delete;
    TextGauge& operator=(const TextGauge&) = delete;

    DrawingSurface& surface();

  private:
    struct State;
    std::unique_ptr<State> state_;
};
