#pragma once

#include <string>
#include <vector>

#include "barcode/JanCode.h"
#include "editor/logic/EditorDialogs.h"
#include "jobs/LabelProblems.h"

// The words in which the window and tanahuda-print tell the user what is
// wrong with a label, and what the JAN code box did to a typed code.
namespace messages {

inline constexpr const char* kAskPrintWithProblems = "問題のあるラベルがあります。印刷しますか？";

// The name of a text element in messages: "品名等", "JANコード", "円".
const char* elementCaption(LabelElement element);

// One problem in plain words, without the label number.
std::string problemText(const LabelProblem& problem);
// "ラベル 3: " followed by the problem.
std::string problemLine(const LabelProblem& problem);
// The lines of a list of problems, one a line, the first `limit` only (the
// rest summed up in a last line).
std::string problemList(const std::vector<LabelProblem>& problems, std::size_t limit = 20);

// The notice of the JAN code box, or an empty text when it changed nothing.
std::string janFixNotice(const JanInput& input);

// The question before printing a sheet with problems: はい prints.
MessageRequest askPrintWithProblems(const std::vector<LabelProblem>& problems);

// A label text that cannot be stored in a label data file: names the
// character, the label and the box.
std::string characterNotSaved(int label, LabelField field, const std::string& character);

}  // namespace messages
