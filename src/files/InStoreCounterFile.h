#pragma once

#include <optional>
#include <string>

#include "model/Result.h"

// Where the next in-store code starts, kept between sessions in a file of
// its own beside the settings file, one line in the form of the extension
// lines:
//
//   "拡張","インストア次番号","200000000013"
//
// written through the one atomic writer, so a code once given is never given
// again even when the program stops half way.

// The twelve digits stored at `path`; nothing when the file is missing or
// holds no valid start (then `failure` says why, unless it is just missing).
std::optional<std::string> loadInStoreCounter(const std::string& path, Result* failure = nullptr);

// Stores `next` (twelve digits) at `path`, replacing the file whole.
Result saveInStoreCounter(const std::string& path, const std::string& next);
