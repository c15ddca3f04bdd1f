#pragma once

#include <string>

#include "editor/logic/EditorDialogs.h"
#include "model/Result.h"

// The words of the 用紙の設定 dialog and of changing the window's stock.
namespace messages {

inline constexpr const char* kStockTitle = "用紙の設定";

// The stock entered cannot be printed on: why, naming the value; nothing was
// changed or saved.
MessageRequest stockRefused(const Result& problem, bool saving);
MessageRequest stockNameMissing();
// The user's stock file could not be written, read, or read whole.
MessageRequest userStocksNotWritten(const std::string& path, const Result& failure);
MessageRequest userStocksNotRead(const Result& failure);
// After an import: how many stocks came in, and the first line skipped.
MessageRequest userStocksImported(int count, const Result& skipped);
// A template file refused, or one that offers nothing (`skipped` left out).
MessageRequest templateFileNotRead(const Result& failure);
MessageRequest templateFileUnusable(const std::string& path, int skipped);
// Under the list: how many of the installed templates are offered and left out.
std::string installedTemplatesNote(int offered, int skipped);
// A typed origin adjustment that is no number of millimetres to the tenth
// within ±10 (`axis`: "Ｘ座標").
MessageRequest originAdjustRefused(const std::string& axis);
// The labels `first`..`last` of the sheet hold texts a smaller stock has no
// room for: はい drops them (one undo step brings them back).
MessageRequest askDropLabels(int first, int last);

}  // namespace messages
