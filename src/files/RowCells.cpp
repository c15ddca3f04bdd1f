#include "files/RowCells.h"

#include <array>

#include "model/Blanks.h"

void RowCells::endCell() {
    cells_.push_back(quoted_ ? std::move(cell_) : std::string(trimBlanks(cell_)));
    cell_.clear();
    quoted_ = started_ = false;
}

bool RowCells::addLine(std::string_view line) {
    if (inQuotes_)
        cell_ += ' ';  // the line break inside the quotes
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inQuotes_) {
            if (c != '"') {
                cell_.push_back(c);
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                cell_.push_back('"');
                ++i;
            } else {
                inQuotes_ = false;
            }
        } else if (c == separator_) {
            endCell();
        } else if (c == '"' && !started_) {
            cell_.clear();
            quoted_ = inQuotes_ = started_ = true;
        } else {
            started_ = started_ || !isAsciiBlank(c);
            cell_.push_back(c);
        }
    }
    return !inQuotes_;
}

std::vector<std::string> RowCells::take() {
    endCell();
    return std::move(cells_);
}

char detectSeparator(std::string_view line) {
    constexpr std::array<char, 3> kSeparators = {',', '\t', ';'};
    std::array<int, 3> counts{};
    bool inQuotes = false;
    for (const char c : line) {
        if (c == '"')
            inQuotes = !inQuotes;
        for (std::size_t k = 0; k < kSeparators.size(); ++k)
            counts[k] += !inQuotes && c == kSeparators[k] ? 1 : 0;
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < kSeparators.size(); ++k) {
        if (counts[k] > counts[best])
            best = k;
    }
    return kSeparators[best];
}
