#include "files/BatchSheets.h"

#include "barcode/JanCode.h"
#include "barcode/ListCode.h"
#include "model/ListPrice.h"
#include "model/TaxPrice.h"

namespace {

// A start position off the sheet starts at its first label.
int firstPosition(int startPosition, int labelsPerSheet) {
    return startPosition < 1 || startPosition > labelsPerSheet ? 1 : startPosition;
}

}  // namespace

BatchSheetBuilder::BatchSheetBuilder(ProductListReader& reader, int startPosition,
                                     const PricePattern& pricing)
    : reader_(reader), pricing_(pricing), nextPosition_(startPosition) {}

std::optional<LabelRecord> BatchSheetBuilder::labelOf(const ProductRow& row,
                                                      std::vector<Result>& problems) const {
    const auto report = [&](Result problem) {
        problems.push_back(std::move(problem).withLine(row.lineNumber));
    };
    LabelRecord label;
    if (Result fault = fillLabel(row, label); !fault.ok()) {
        problems.push_back(std::move(fault));
        return std::nullopt;
    }
    if (label.productName.empty()) {
        report(Result::failure(ResultCode::RowWithoutName));
        return std::nullopt;
    }
    const ListPrice price =
        priceForBox(label.price, reader_.mapping().priceMeaning(), label.taxRate, pricing_);
    if (price.outcome == ListPriceOutcome::NoPreTaxPrice) {
        report(Result::failure(ResultCode::RowNoPreTaxPrice, label.price));
        return std::nullopt;
    }
    label.price = price.text;
    ListCode code = settleListCode(label.janCode);
    label.janCode = std::move(code.code);
    if (!code.fault.ok())
        report(std::move(code.fault));
    else if (!label.janCode.empty() && !checkJanCode(label.janCode).valid)
        report(Result::failure(ResultCode::RowWithoutBarcode, label.janCode));
    if (missingTaxLine(label, pricing_))
        report(Result::failure(ResultCode::RowPriceNotAnAmount, label.price));
    return label;
}

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
        std::optional<LabelRecord> label = labelOf(*row, problems);
        if (!label)
            continue;  // not printed
        lines_[static_cast<std::size_t>(nextPosition_)] = row->lineNumber;
        sheet.label(nextPosition_++) = std::move(*label);
        any = true;
        ++placed_;
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
