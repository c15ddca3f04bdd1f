#include "files/ProductColumns.h"

#include <algorithm>

#include "files/ProductList.h"

namespace {

template <LabelField Field>
Result fillText(LabelRecord& label, const std::string& text) {
    label.field(Field) = text;
    return {};
}

Result fillTaxRate(LabelRecord& label, const std::string& text) {
    const std::optional<TaxRate> rate = taxRateFromListText(text);
    if (!rate)
        return Result::failure(ResultCode::RowBadTaxRate, text);
    label.taxRate = *rate;
    return {};
}

Result fillQrContent(LabelRecord& label, const std::string& text) {
    label.qrContent = text;
    return {};
}

// The label's six texts take the first six places of a list without a header
// row, in the order of a label data file; the tax rate needs its header.
const std::vector<ProductColumn>& columnTable() {
    static const std::vector<ProductColumn> kColumns = {
        {"JANコード",
         0,
         {"jan", "janコード", "jancode", "jan code"},
         &fillText<LabelField::JanCode>},
        {"メーカー", 1, {"メーカー", "maker"}, &fillText<LabelField::Maker>},
        {"品名", 2, {"品名", "name", "product name"}, &fillText<LabelField::ProductName>},
        {"規格", 3, {"規格", "spec"}, &fillText<LabelField::Spec>},
        {"ロット", 4, {"ロット", "lot"}, &fillText<LabelField::Lot>},
        {"売価", 5, {"売価", "price", "価格"}, &fillText<LabelField::Price>},
        {"税率", -1, {"税率", "消費税率", "tax", "tax rate"}, &fillTaxRate},
        {"QR", -1, {"qr", "url", "qrコード"}, &fillQrContent},
    };
    return kColumns;
}

}  // namespace

std::span<const ProductColumn> productColumns() {
    return columnTable();
}

const ProductColumn* columnNamed(std::string_view name) {
    for (const ProductColumn& column : columnTable()) {
        if (std::find(column.headers.begin(), column.headers.end(), name) != column.headers.end())
            return &column;
    }
    return nullptr;
}

std::vector<const ProductColumn*> positionalColumns() {
    std::vector<const ProductColumn*> columns;
    for (const ProductColumn& column : columnTable()) {
        if (column.position < 0)
            continue;
        const auto place = static_cast<std::size_t>(column.position);
        if (columns.size() <= place)
            columns.resize(place + 1, nullptr);
        columns[place] = &column;
    }
    return columns;
}

Result fillLabel(const ProductRow& row, LabelRecord& label) {
    Result outcome;
    for (const ColumnText& t : row.texts) {
        if (Result filled = t.column->fill(label, t.text); !filled.ok())
            outcome = std::move(filled).withLine(row.lineNumber);
    }
    return outcome;
}
