#pragma once

#include <string>
#include <string_view>

#include "files/PriceExtension.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// The settings file (data.txt): one layout block, followed by the price lines
// when the pattern uses them.

// Where the preferred print pattern (data.txt) is read from and written to:
// the same file, or (an installed program) the shipped file read until the
// user has saved one of their own.
struct SettingsPaths {
    std::string readPath;
    std::string writePath;
};

// Writes the layout block to `path`, replacing the file atomically: on any
// failure the old file is left as it was.
Result saveSettingsFile(const std::string& path, const LayoutSettings& settings);

enum class SettingsLoad { Loaded, Missing, Unreadable };

// Reads the layout block of `path` into `settings` and then applies the
// adjustment texts to the origin (applyAdjustTextsToOrigin). When the file does
// not exist, applies the default pattern (applyDefaultLayout) instead. When it
// exists but cannot be read, the defaults too, and Unreadable is returned.
// `extension`, when given, tells whether the price lines were absent, read or damaged.
SettingsLoad loadSettingsFile(const std::string& path, LayoutSettings& settings,
                              PriceExtensionRead* extension = nullptr);

// The same on bytes already read (for tools and tests).
void readSettingsBytes(std::string_view bytes, LayoutSettings& settings,
                       PriceExtensionRead* extension = nullptr);
std::string formatSettingsBytes(const LayoutSettings& settings, Result& result);
