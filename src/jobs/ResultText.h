#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"

// The user's words for results, where the window and the print tool say the
// same thing: the problem rows of a product list and the failures of
// printing. Each forms its own sentence around them.
namespace resulttext {

// One problem row of a product list, without its line number, e.g.
// "品名が空のため、このラベルは印刷されません".
std::string rowProblem(const Result& problem);

// The reason of a problem row in a few words, without what the row holds,
// for rows grouped by reason: "品名が空です".
std::string rowReason(ResultCode code);

// A list whose header names neither the code's nor the name's column
// (ListColumnsUnknown): the header as read and the names each part is
// read under, each part's after `between` ("\n" for a line each).
std::string listColumnsUnknown(const Result& failure, std::string_view between);

// Why printing failed, naming the printer or the PDF file when the result
// does (a single sheet's job) and in general words when it does not (a
// batch, whose PDF is a temporary file until it is complete). A printer's
// queue is named with what to do, e.g. "プリンターが停止しています: 事務所「Paused」。
// 再開してから印刷してください".
std::string printFailure(const Result& failure);

// The name of a stock's value as the stock dialog shows it: "ラベルの幅".
const char* stockValueCaption(StockValue value);

// Why a stock cannot be used, naming the value at fault, e.g. "ラベルが用紙の
// 右端から 3.5 mm はみ出します (横の間隔)"; also a stock that is not found and a
// damaged line of a stock file. Empty for a result of another kind.
std::string stockProblem(const Result& failure);

// Whether a file was being read or written when it failed.
enum class FileAccess { Read, Write };

// A system reason for a failed file operation ("Permission denied"), in
// words the user can read.
std::string systemReason(const std::string& reason, FileAccess access = FileAccess::Write);

}  // namespace resulttext
