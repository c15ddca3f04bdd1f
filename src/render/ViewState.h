#pragma once

#include <string>

// Captions of the zoom button: each names the zoom a click switches to.
namespace captions {
inline constexpr const char* kZoomTo100 = "倍率切替100%";  // preview at 50 % now
inline constexpr const char* kZoomTo50 = "倍率切替50%";    // preview at 100 % now
}  // namespace captions

// How the sheet is being drawn: previewed or printed, and at which zoom.
struct ViewState {
    bool printMode = false;    // false: preview ("0"); true: printing ("1")
    double previewZoom = 0.5;  // 0.5 or 1.0
    std::string zoomCaption = captions::kZoomTo100;
};
