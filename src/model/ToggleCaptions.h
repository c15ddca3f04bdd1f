#pragma once

// The on/off states of the print pattern are held as the captions of their
// toggle buttons; each caption names what the next click will do. These
// texts are also what the settings file and label data files store.
namespace captions {

inline constexpr const char* kVisibleOn = "表示しない";           // shown now; a click hides it
inline constexpr const char* kVisibleOff = "表示する";            // hidden now; a click shows it
inline constexpr const char* kUnderlineOff = "アンダーライン有";  // not underlined now
inline constexpr const char* kUnderlineOn = "アンダーライン無";   // underlined now
inline constexpr const char* kBorderOn = "縁取りしない";          // border drawn now
inline constexpr const char* kBorderOff = "カラーで縁取りする";   // no border now

}  // namespace captions
