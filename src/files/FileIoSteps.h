#pragma once

// The steps of reading a file that every system shares
// (FileIo.cpp), for the system's own source (FileIoPosix.cpp or
// FileIoWindows.cpp, chosen by CMake) and nothing else.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/FileIo.h"

namespace fileio {

// readWholeFile on this system; the result names no path.
Result readFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// The reader's own reasons, in the user's words.
inline constexpr const char* kNotRegularFile = "通常のファイルではありません";
inline constexpr const char* kTooLarge = "ファイルが大きすぎます";

}  // namespace fileio
