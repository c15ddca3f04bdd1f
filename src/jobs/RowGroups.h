#pragma once

#include <string>
#include <vector>

#include "jobs/BatchPrint.h"

// The problem rows of a batch grouped by reason, for the counts the window
// and the tool give after printing.
struct RowGroup {
    std::string reason;      // in a few words (resulttext::rowReason, or the label's problem)
    bool printed = false;    // the rows were printed, otherwise than they read
    long count = 0;          // rows of this reason
    std::vector<int> lines;  // the first of them (kLinesPerGroup at most)
};

inline constexpr std::size_t kLinesPerGroup = 5;

// Whether a row reported with `code` was printed (without its barcode or tax
// line) or left out.
bool rowPrinted(ResultCode code);

// The groups in the order their first row was reported: the rows left out
// first, then the rows printed otherwise than they read.
std::vector<RowGroup> groupRows(const BatchOutcome& outcome);

// Rows of the list that were not printed.
long rowsNotPrinted(const std::vector<RowGroup>& groups);
