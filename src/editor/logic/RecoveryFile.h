#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// What the input window keeps on disk while it holds unsaved work, so that a
// crash, a kill or a power cut loses nothing: the sheet, the layout and the
// name of the file the sheet belongs to.
//
// The file holds the lines of a label data file in UTF-8, so that it keeps
// whatever the window holds (code page 932 cannot store every character),
// followed by one more line, "#name:" and the file name in UTF-8 with every
// byte outside printable ASCII, and "%", written as %XX. Files an earlier
// version wrote in code page 932, and UTF-8 files beginning with a byte order
// mark, are read too: the marker of the first line tells which.
struct RecoveryContent {
    LabelSheet sheet;
    LayoutSettings layout;
    std::string fileName;  // as the window held it ("無題" while untitled)
    bool operator==(const RecoveryContent&) const = default;
};

// The file's bytes, or the error of a text the label file form cannot hold
// (a double quote).
Result formatRecoveryFile(const RecoveryContent& content, std::string& bytes);
// Replaces `path` atomically.
Result writeRecoveryFile(const std::string& path, const RecoveryContent& content);

// Nothing when the bytes are no label data file.
std::optional<RecoveryContent> parseRecoveryFile(std::string_view bytes);
std::optional<RecoveryContent> readRecoveryFile(const std::string& path);

// Removes the file; a file that is not there counts as removed.
bool removeRecoveryFile(const std::string& path);

// A recovery file that could not be read is never removed: it is renamed
// beside the others, its name ending in "-unreadable.csv", which no window
// offers again. The new path, or the failure (the file then stays where it is).
Result setAsideRecoveryFile(const std::string& path, std::string& asidePath);
// True for the name of a file set aside.
bool isSetAsideRecoveryFile(std::string_view path);
