#pragma once

#include <vector>

#include "jobs/LabelProblems.h"

// The problems of what a shop's label shows beside its six texts, for a
// printed label (one with a product name): a price that is no whole number of
// yen on a sheet that needs a second price, a price overlapping 円 or another
// text, a text outside its label, a regular price not above the sale price,
// and contents that give no unit price. Overlaps and places are measured on
// `gauge` as the renderer places the texts, and left out without one.
std::vector<LabelProblem> findShelfProblems(const LabelRecord& label, int number,
                                            const LayoutSettings& layout, DrawingSurface* gauge);

// Appends a CharacterNotSaved problem for each detail of the label (contents,
// base quantity, regular price, period, origin) holding a character a label
// data file cannot hold.
void appendUnsavedDetails(const LabelRecord& label, int number,
                          std::vector<LabelProblem>& problems);
