#include "jobs/RowGroups.h"

#include <algorithm>
#include <array>

#include "jobs/ProblemMessages.h"
#include "jobs/ResultText.h"

namespace {

// The rows that still take a label, printed without what their fault costs.
constexpr std::array<ResultCode, 5> kPrintedRows = {
    ResultCode::RowWithoutBarcode, ResultCode::RowCodeExponent, ResultCode::RowCodeTwelveDigits,
    ResultCode::RowWrongCheckDigit, ResultCode::RowPriceNotAnAmount};

void add(std::vector<RowGroup>& groups, std::string reason, bool printed, int line) {
    auto group = std::find_if(groups.begin(), groups.end(), [&](const RowGroup& g) {
        return g.reason == reason && g.printed == printed;
    });
    if (group == groups.end()) {
        groups.push_back({std::move(reason), printed, 0, {}});
        group = groups.end() - 1;
    }
    ++group->count;
    if (group->lines.size() < kLinesPerGroup)
        group->lines.push_back(line);
}

}  // namespace

bool rowPrinted(ResultCode code) {
    return std::find(kPrintedRows.begin(), kPrintedRows.end(), code) != kPrintedRows.end();
}

std::vector<RowGroup> groupRows(const BatchOutcome& outcome) {
    std::vector<RowGroup> groups;
    for (const Result& problem : outcome.problems)
        add(groups, resulttext::rowReason(problem.code), rowPrinted(problem.code), problem.line);
    for (const RowLabelProblem& p : outcome.labelProblems)
        add(groups, messages::problemText(p.problem), true, p.line);
    std::stable_partition(groups.begin(), groups.end(),
                          [](const RowGroup& g) { return !g.printed; });
    return groups;
}

long rowsNotPrinted(const std::vector<RowGroup>& groups) {
    long rows = 0;
    for (const RowGroup& group : groups)
        rows += group.printed ? 0 : group.count;
    return rows;
}
