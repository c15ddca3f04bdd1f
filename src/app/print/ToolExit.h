#pragma once

#include <cstdio>
#include <string>

#include "ToolMessages.h"
#include "model/Result.h"

// How tanahuda-print ends: its exit statuses, and the one line on stderr that
// reports an error.
inline constexpr int kExitFailure = 1;   // the job failed
inline constexpr int kExitUsage = 2;     // the command line is not a valid call
inline constexpr int kExitReported = 3;  // printed, but labels or rows of the list were reported

inline void reportError(const std::string& message) {
    std::fprintf(stderr, "tanahuda-print: %s\n", message.c_str());
}

inline void reportError(const Result& failure) {
    reportError(toolMessage(failure));
}
