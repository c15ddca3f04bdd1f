#pragma once

#include <string>
#include <vector>

#include "jobs/LabelProblems.h"

// The words in which the window and tanahuda-print tell the user what is
// wrong with a label.
namespace messages {

// The name of a text element in messages: "品名等", "JANコード", "円".
const char* elementCaption(LabelElement element);

// One problem in plain words, without the label number.
std::string problemText(const LabelProblem& problem);
// "ラベル 3: " followed by the problem.
std::string problemLine(const LabelProblem& problem);
// The lines of a list of problems, one a line, the first `limit` only (the
// rest summed up in a last line).
std::string problemList(const std::vector<LabelProblem>& problems, std::size_t limit = 20);

}  // namespace messages
