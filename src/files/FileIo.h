#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/AtomicFile.h"
#include "model/Result.h"

// Reads a whole file of at most `maxBytes`: a regular file only, opened
// without waiting (a named pipe, a folder or a device is refused at once).
// Larger files are refused before they are read; read errors are results.
Result readWholeFile(const std::string& path, std::string& bytes,
                     std::size_t maxBytes = 4 * 1024 * 1024);

bool fileExists(const std::string& path);
