#pragma once

#include <string>

#include "render/SheetRenderer.h"

// Captions of the zoom button: each names the zoom a click switches to.
namespace captions {
inline constexpr const char* kZoomTo100 = "倍率切替100%";  // preview at 50 % now
inline constexpr const char* kZoomTo50 = "倍率切替50%";    // preview at 100 % now
}  // namespace captions

// How the window last drew the sheet: on screen or on paper, and the zoom of
// its preview.
struct ViewState {
    bool printMode = false;    // false: preview ("0"); true: printing ("1")
    double previewZoom = 0.5;  // 0.5 or 1.0

    std::string zoomCaption() const {
        return previewZoom == 1.0 ? captions::kZoomTo50 : captions::kZoomTo100;
    }
    // The window's rules: paper always at full size, the preview at the zoom
    // its button shows.
    RenderOptions renderOptions() const {
        return printMode ? RenderOptions::paper() : RenderOptions::preview(previewZoom);
    }
};
