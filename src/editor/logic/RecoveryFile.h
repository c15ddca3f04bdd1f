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
// The file is a label data file (it opens as one) followed by one more line,
// "#name:" and the file name in UTF-8 with every byte outside printable ASCII,
// and "%", written as %XX.
struct RecoveryContent {
    LabelSheet sheet;
    LayoutSettings layout;
    std::string fileName;  // as the window held it ("無題" while untitled)
    bool operator==(const RecoveryContent&) const = default;
};

// The file's bytes, or the error of a text the label file form cannot hold.
Result formatRecoveryFile(const RecoveryContent& content, std::string& bytes);
// Replaces `path` atomically.
Result writeRecoveryFile(const std::string& path, const RecoveryContent& content);

// Nothing when the bytes are no label data file.
std::optional<RecoveryContent> parseRecoveryFile(std::string_view bytes);
std::optional<RecoveryContent> readRecoveryFile(const std::string& path);

// Removes the file; a file that is not there counts as removed.
bool removeRecoveryFile(const std::string& path);
