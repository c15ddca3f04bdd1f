#pragma once

#include <string>
#include <string_view>

#include "files/FileResult.h"
#include "model/LayoutSettings.h"

// The settings file (data.txt): one layout block, nothing else.

// Where the preferred print pattern (data.txt) is read from and written to:
// the same file, or (an installed program) the shipped file read until the
// user has saved one of their own.
struct SettingsPaths {
    std::string readPath;
    std::string writePath;
};

// Writes the layout block to `path`, replacing the file atomically: on any
// failure the old file is left as it was.
FileResult saveSettingsFile(const std::string& path, const LayoutSettings& settings);

enum class SettingsLoad { Loaded, Missing, Unreadable };

// Reads the layout block of `path` into `settings` and then applies the
// adjustment texts to the origin (applyAdjustTextsToOrigin). When the file does
// not exist, applies the default pattern (applyDefaultLayout) instead. When it
// exists but cannot be read, the defaults too, and Unreadable is returned.
SettingsLoad loadSettingsFile(const std::string& path, LayoutSettings& settings);

// The same on bytes already read (for tools and tests).
void readSettingsBytes(std::string_view bytes, LayoutSettings& settings);
std::string formatSettingsBytes(const LayoutSettings& settings, FileResult& result);
