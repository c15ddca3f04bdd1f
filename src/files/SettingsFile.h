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

// What reading the settings file found, so that the window and the tool can
// say when the user's pattern was not (or not wholly) taken.
struct SettingsRead {
    SettingsLoad load = SettingsLoad::Missing;
    Result failure;  // why an Unreadable file could not be read, naming it
    PriceExtensionRead priceLines = PriceExtensionRead::Absent;
    int damagedValueLine = 0;  // the first line holding a damaged value (0: none)
    int damagedStockLine = 0;  // a stock line that cannot be read: the standard stock (0: none)

    // True when the user's pattern was dropped or partly replaced by defaults.
    bool needsWarning() const {
        return load == SettingsLoad::Unreadable || priceLines == PriceExtensionRead::Damaged ||
               damagedValueLine > 0 || damagedStockLine > 0;
    }
};

// Reads the layout block of `path` into `settings` and then applies the
// adjustment texts to the origin (applyAdjustTextsToOrigin). When the file does
// not exist, applies the default pattern (applyDefaultLayout) instead. When it
// exists but cannot be read (a folder, too large, not permitted), the defaults
// too, with load Unreadable and the reason in `failure`.
SettingsRead loadSettingsFile(const std::string& path, LayoutSettings& settings);

// The same on bytes already read (for tools and tests); load is Loaded.
SettingsRead readSettingsBytes(std::string_view bytes, LayoutSettings& settings);
std::string formatSettingsBytes(const LayoutSettings& settings, Result& result);
