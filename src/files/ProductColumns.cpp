#include "files/ProductColumns.h"

#include <algorithm>

#include "files/HeaderName.h"
#include "files/ListTaxRate.h"

namespace {

template <LabelField Field>
Result fillText(LabelRecord& label, const std::string& text) {
    label.field(Field) = text;
    return {};
}

// A column that says whether the reduced rate applies: 1, ○, yes, 対象...
Result fillReducedFlag(LabelRecord& label, const std::string& text) {
    const std::optional<TaxRate> rate = reducedFlagFromListText(text);
    if (!rate)
        return Result::failure(ResultCode::RowBadTaxRate, text);
    label.taxRate = *rate;
    return {};
}

Result fillTaxRate(LabelRecord& label, const std::string& text) {
    const std::optional<TaxRate> rate = taxRateFromListText(text);
    if (!rate)
        return Result::failure(ResultCode::RowBadTaxRate, text);
    label.taxRate = *rate;
    return {};
}

// A detail of a shop's label, on one line however the cell was written.
template <std::string ShelfDetails::*Detail>
Result fillDetail(LabelRecord& label, const std::string& text) {
    std::string oneLine = text;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    label.details.*Detail = std::move(oneLine);
    return {};
}

// The contents ("500g") give the unit price, and stand as the 規格 too when
// the list has no 規格 of its own (a 規格 column later in the row wins).
Result fillContents(LabelRecord& label, const std::string& text) {
    Result filled = fillDetail<&ShelfDetails::contents>(label, text);
    if (label.spec.empty())
        label.spec = label.details.contents;
    return filled;
}

Result fillQrContent(LabelRecord& label, const std::string& text) {
    label.qrContent = text;
    return {};
}

// The label's six texts take the first six places of a list without a header
// row, in the order of a label data file; the tax rate needs its header.
// Header names are written as foldHeaderName() gives them (lower case, no
// blanks, ASCII for full-width letters): those of Japanese tills, online shops
// and spreadsheets, Japanese and English. Within a row, a name before
// another is the better one when a header has both.
const std::vector<ProductColumn>& columnTable() {
    static const std::vector<ProductColumn> kColumns = {
        {"JANコード",
         0,
         {"janコード", "jan", "jancode", "jan/ean", "eanコード", "ean", "eancode", "gtin",
          "gtinコード", "upc", "バーコード", "バーコード番号", "商品バーコード", "barcode",
          "variantbarcode", "商品コード", "productcode", "itemcode", "jancd"},
         &fillText<LabelField::JanCode>},
        {"メーカー",
         1,
         {"メーカー", "メーカー名", "maker", "ブランド", "ブランド名", "brand", "vendor", "製造元",
          "製造者", "manufacturer"},
         &fillText<LabelField::Maker>},
        {"品名",
         2,
         {"品名", "商品名", "商品名称", "name", "productname", "itemname", "title", "名称"},
         &fillText<LabelField::ProductName>},
        {"規格",
         3,
         {"規格", "spec", "規格名", "サイズ", "variationname", "size"},
         &fillText<LabelField::Spec>},
        {"ロット",
         4,
         {"ロット", "lot", "ロット番号", "lotno", "lotnumber"},
         &fillText<LabelField::Lot>},
        {"売価",
         5,
         {"売価",
          "price",
          "価格",
          "販売価格",
          "商品単価",
          "単価",
          "販売単価",
          "variantprice",
          "sellingprice",
          "retailprice",
          "税込価格",
          "税込売価",
          "税込",
          "税込み価格",
          "売価(税込)",
          "価格(税込)",
          "販売価格(税込)",
          "税込単価",
          "pricetaxincluded",
          "price(taxincluded)",
          "taxincludedprice",
          "税抜価格",
          "税抜売価",
          "税抜",
          "税抜き価格",
          "本体価格",
          "本体",
          "本体売価",
          "売価(税抜)",
          "価格(税抜)",
          "販売価格(税抜)",
          "税抜単価",
          "pricetaxexcluded",
          "price(taxexcluded)"},
         &fillText<LabelField::Price>},
        {"税率",
         -1,
         {"税率", "消費税率", "tax", "taxrate", "税区分", "課税区分", "消費税区分", "税率区分"},
         &fillTaxRate},
        {"軽減税率", -1, {"軽減税率", "軽減", "軽減税率対象", "reducedtaxrate"}, &fillReducedFlag},
        {"内容量", -1, {"内容量", "容量", "単位", "contents"}, &fillContents},
        {"基準量", -1, {"基準量", "basequantity"}, &fillDetail<&ShelfDetails::baseQuantity>},
        {"通常価格",
         -1,
         {"通常価格", "定価", "compareatprice", "regularprice"},
         &fillDetail<&ShelfDetails::regularPrice>},
        {"期間", -1, {"期間", "特売期間", "saleperiod"}, &fillDetail<&ShelfDetails::salePeriod>},
        {"産地", -1, {"産地", "原産地", "origin"}, &fillDetail<&ShelfDetails::origin>},
        {"QR", -1, {"qr", "url", "qrコード"}, &fillQrContent},
    };
    return kColumns;
}

// The price columns whose header says what their amounts are.
const std::vector<std::pair<std::string_view, PriceMeaning>>& priceMeanings() {
    static const std::vector<std::pair<std::string_view, PriceMeaning>> kMeanings = {
        {"税込価格", PriceMeaning::TaxIncluded},
        {"税込売価", PriceMeaning::TaxIncluded},
        {"税込", PriceMeaning::TaxIncluded},
        {"税込み価格", PriceMeaning::TaxIncluded},
        {"売価(税込)", PriceMeaning::TaxIncluded},
        {"価格(税込)", PriceMeaning::TaxIncluded},
        {"販売価格(税込)", PriceMeaning::TaxIncluded},
        {"税込単価", PriceMeaning::TaxIncluded},
        {"pricetaxincluded", PriceMeaning::TaxIncluded},
        {"price(taxincluded)", PriceMeaning::TaxIncluded},
        {"taxincludedprice", PriceMeaning::TaxIncluded},
        {"税抜価格", PriceMeaning::PreTax},
        {"税抜売価", PriceMeaning::PreTax},
        {"税抜", PriceMeaning::PreTax},
        {"税抜き価格", PriceMeaning::PreTax},
        {"本体価格", PriceMeaning::PreTax},
        {"本体", PriceMeaning::PreTax},
        {"本体売価", PriceMeaning::PreTax},
        {"売価(税抜)", PriceMeaning::PreTax},
        {"価格(税抜)", PriceMeaning::PreTax},
        {"販売価格(税抜)", PriceMeaning::PreTax},
        {"税抜単価", PriceMeaning::PreTax},
        {"pricetaxexcluded", PriceMeaning::PreTax},
        {"price(taxexcluded)", PriceMeaning::PreTax},
    };
    return kMeanings;
}

}  // namespace

PriceMeaning priceMeaningOfHeader(std::string_view cell) {
    const std::string name = foldHeaderName(cell);
    for (const auto& [header, meaning] : priceMeanings()) {
        if (header == name)
            return meaning;
    }
    return PriceMeaning::AsSheet;
}

int headerRank(const ProductColumn& column, std::string_view cell) {
    const std::string name = foldHeaderName(cell);
    const auto found = std::find(column.headers.begin(), column.headers.end(), name);
    return found == column.headers.end() ? -1 : static_cast<int>(found - column.headers.begin());
}

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
