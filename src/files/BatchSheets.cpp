#include "files/BatchSheets.h"

#include "barcode/JanCode.h"

BatchSheetBuilder::BatchSheetBuilder(ProductListReader& reader, int startPosition)
    : reader_(reader), nextPosition_(startPosition < 1 || startPosition > 10 ? 1 : startPosition) {}

bool BatchSheetBuilder::nextSheet(LabelSheet& sheet, std::vector<Result>& problems) {
    sheet.clear();
    bool any = false;
    while (nextPosition_ <= LabelSheet::kLabelCount) {
        std::optional<ProductRow> row = reader_.next(problems);
        if (!row)
            break;
        LabelRecord filled;
        if (Result fault = fillLabel(*row, filled); !fault.ok()) {
            problems.push_back(std::move(fault));  // not printed
            continue;
        }
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
    if (nextPosition_ > LabelSheet::kLabelCount)
        nextPosition_ = 1;
    return any;
}

long sheetsNeeded(long productCount, int startPosition) {
    if (productCount <= 0)
        return 0;
    const long first = (startPosition < 1 || startPosition > 10) ? 1 : startPosition;
    return (productCount + first - 1 + 9) / 10;
}
