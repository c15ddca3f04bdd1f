#pragma once

#include <vector>

#include "jobs/LabelProblems.h"

// What the check before printing finds in a printed label's codes: a QR code
// that will not print, the kind of a shop's own code, and a price-embedded
// code whose price is not the label's.
std::vector<LabelProblem> findCodeProblems(const LabelRecord& label, int number,
                                           const LayoutSettings& layout);

// True for the kinds that only tell what a code is.
bool isCodeNote(LabelProblemKind kind);
