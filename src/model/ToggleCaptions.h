#pragma once

#include <string_view>

// The captions of the toggle buttons of the print pattern. Each caption names
// what the next click will do; the settings file and label data files store
// these same texts. The states themselves are held as values (LayoutSettings):
// the captions are derived from them where shown or stored, and read back
// into them here.
namespace captions {

inline constexpr const char* kVisibleOn = "表示しない";           // shown now; a click hides it
inline constexpr const char* kVisibleOff = "表示する";            // hidden now; a click shows it
inline constexpr const char* kUnderlineOff = "アンダーライン有";  // not underlined now
inline constexpr const char* kUnderlineOn = "アンダーライン無";   // underlined now
inline constexpr const char* kBorderOn = "縁取りしない";          // border drawn now
inline constexpr const char* kBorderOff = "カラーで縁取りする";   // no border now

inline constexpr const char* forVisible(bool visible) {
    return visible ? kVisibleOn : kVisibleOff;
}
inline constexpr const char* forUnderlined(bool underlined) {
    return underlined ? kUnderlineOn : kUnderlineOff;
}
inline constexpr const char* forBorder(bool on) {
    return on ? kBorderOn : kBorderOff;
}

// Reading a stored caption back. Files edited by hand may hold any text:
// only the exact "shown" caption means visible, anything but the exact
// "not underlined" caption means underlined, and only the exact "border
// drawn" caption turns the border on.
inline constexpr bool visibleFromCaption(std::string_view caption) {
    return caption == kVisibleOn;
}
inline constexpr bool underlinedFromCaption(std::string_view caption) {
    return caption != kUnderlineOff;
}
inline constexpr bool borderFromCaption(std::string_view caption) {
    return caption == kBorderOn;
}

}  // namespace captions
