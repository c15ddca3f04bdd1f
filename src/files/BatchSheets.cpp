#include "files/BatchSheets.h"

#include "barcode/JanCode.h"

namespace {

// A start position off the sheet starts at its first label.
int firstPosition(int startPosition, int labelsPerSheet) {
    return startPosition < 1 || startPosition > labelsPerSheet ? 1 : startPosition;
}

}  // namespace

BatchSheetBuilder::BatchSheetBuilder(ProductListReader& reader, int startPosition)
    : reader_(reader), nextPosition_(startPosition) {}

bool BatchSheetBuilder::nextSheet(LabelSheet& sheet, std::vector<Result>& problems) {
    sheet.clear();
    lines_.assign(static_cast<std::size_t>(sheet.labelCount()) + 1, 0);
    // The sheet tells how many labels it has, so the start is checked here.
    nextPosition_ = firstPosition(nextPosition_, sheet.labelCount());
    bool any = false;
    while (nextPosition_ <= sheet.labelCount()) {
        std::optional<ProductRow> row = reader_.next(problems);
        if (!row)
            break;
        LabelRecord filled;
        if (Result fault = fillLabel(*row, filled); !fault.ok()) {
            problems.push_back(std::move(fault));  // not printed
            continue;
        }
        lines_[static_cast<std::size_t>(nextPosition_)] = row->lineNumber;
        LabelRecord& label = sheet.label(nextPosition_++);
        label = std::move(filled);
        label.janCode = settleJanInput(label.janCode).code;  // as the JAN code box does
        any = true;
        ++placed_;
        if (label.productName.empty()) {
            problems.push_back(
                Result::failure(ResultCode::RowWithoutName).withLine(row->lineNumber));
        } else if (!label.janCode.empty() && !checkJanCode(label.janCode).valid) {
            problems.push_back(Result::failure(ResultCode::RowWithoutBarcode, label.janCode)
                                   .withLine(row->lineNumber));
        }
    }
    if (nextPosition_ > sheet.labelCount())
        nextPosition_ = 1;
    return any;
}

int BatchSheetBuilder::lineOf(int position) const {
    if (position < 1 || static_cast<std::size_t>(position) >= lines_.size())
        return 0;
    return lines_[static_cast<std::size_t>(position)];
}

long sheetsNeeded(long productCount, int startPosition, int labelsPerSheet) {
    if (productCount <= 0 || labelsPerSheet <= 0)
        return 0;
    const long first = firstPosition(startPosition, labelsPerSheet);
    // The labels before the start position count as used.
    return (productCount + first - 1 + labelsPerSheet - 1) / labelsPerSheet;
}
