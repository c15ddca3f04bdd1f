#pragma once

#include <cstdio>
#include <string>

#include "ToolMessages.h"
#include "barcode/InStoreNumbering.h"
#include "model/Result.h"

// How tanahuda-print ends: its exit statuses, and the one line on stderr that
// reports an error.
inline constexpr int kExitFailure = 1;   // the job failed
inline constexpr int kExitUsage = 2;     // the command line is not a valid call
inline constexpr int kExitReported = 3;  // printed, but labels or rows of the list (or a
                                         // damaged label file) were reported

// "tanahuda-print: " and the message on one line of stderr, control
// characters (from a list or a file name) shown as \xNN.
inline void reportError(const std::string& message) {
    std::fprintf(stderr, "tanahuda-print: %s\n", printable(message).c_str());
}

inline void reportError(const Result& failure) {
    reportError(toolMessage(failure));
}

// The last in-store code given, alone on a line of stdout, so that a script
// can start the next job after it; nothing when none was given.
void reportLastInStoreCode(const InStoreNumbering& numbering);

// On Ctrl-C, SIGTERM and SIGHUP the temporary file being written is removed
// and the tool ends with 128 + the signal's number (130, 143, 129).
void removeTemporaryFilesOnInterrupt();
