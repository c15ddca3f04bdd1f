#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/ColumnMapping.h"
#include "files/HeaderName.h"
#include "files/ProductList.h"

namespace {

// The name of the part a column fills, or "" for no column.
std::string partName(const ProductColumn* column) {
    return column == nullptr ? "" : std::string(column->name);
}

// The header cell that fills the part named `part`, or "なし".
std::string cellFor(const ColumnMapping& mapping, const char* part) {
    const ProductColumn* column = labelPart(part);
    EXPECT_NE(column, nullptr) << part;
    if (column == nullptr)
        return "?";
    const std::optional<int> at = mapping.columnOf(*column);
    return at ? mapping.header().at(static_cast<std::size_t>(*at)) : "なし";
}

ColumnMapping mappingOf(const std::string& list) {
    std::istringstream in(list);
    return listMapping(in, TextEncoding::Auto);
}

}  // namespace

// Header cells as Japanese tills, online shops and spreadsheets write them,
// and the part of the label each fills; prices with what their amounts are.
TEST(HeaderNames, CellsOfRealExportsNameTheirPart) {
    const struct {
        const char* cell;
        const char* part;
        PriceMeaning meaning;
    } cases[] = {
        {"JANコード", "JANコード", PriceMeaning::AsSheet},
        {"ＪＡＮコード", "JANコード", PriceMeaning::AsSheet},
        {"JAN ｺｰﾄﾞ", "JANコード", PriceMeaning::AsSheet},
        {"\xEF\xBB\xBF商品コード", "JANコード", PriceMeaning::AsSheet},
        {"Variant Barcode", "JANコード", PriceMeaning::AsSheet},
        {"GTIN", "JANコード", PriceMeaning::AsSheet},
        {"ﾊﾞｰｺｰﾄﾞ", "JANコード", PriceMeaning::AsSheet},
        {"商品名", "品名", PriceMeaning::AsSheet},
        {"Title", "品名", PriceMeaning::AsSheet},
        {"Item Name", "品名", PriceMeaning::AsSheet},
        {"品　名", "品名", PriceMeaning::AsSheet},
        {"Vendor", "メーカー", PriceMeaning::AsSheet},
        {"ブランド名", "メーカー", PriceMeaning::AsSheet},
        {"製造元", "メーカー", PriceMeaning::AsSheet},
        {"内容量", "内容量", PriceMeaning::AsSheet},
        {"Variation Name", "規格", PriceMeaning::AsSheet},
        {"ロット番号", "ロット", PriceMeaning::AsSheet},
        {"売価", "売価", PriceMeaning::AsSheet},
        {"商品単価", "売価", PriceMeaning::AsSheet},
        {"Variant Price", "売価", PriceMeaning::AsSheet},
        {"税込価格", "売価", PriceMeaning::TaxIncluded},
        {"売価（税込）", "売価", PriceMeaning::TaxIncluded},
        {"税抜価格", "売価", PriceMeaning::PreTax},
        {"本体価格", "売価", PriceMeaning::PreTax},
        {"販売価格(税抜)", "売価", PriceMeaning::PreTax},
        {"Tax Rate", "税率", PriceMeaning::AsSheet},
        {"税区分", "税率", PriceMeaning::AsSheet},
        {"課税区分", "税率", PriceMeaning::AsSheet},
        {"軽減税率", "軽減税率", PriceMeaning::AsSheet},
        {"在庫数", "", PriceMeaning::AsSheet},
        {"商品ID", "", PriceMeaning::AsSheet},
        {"Handle", "", PriceMeaning::AsSheet},
        {"Variant SKU", "", PriceMeaning::AsSheet},
        {"", "", PriceMeaning::AsSheet},
        {"jan-code", "", PriceMeaning::AsSheet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(partName(columnForHeader(c.cell)), c.part);
        EXPECT_EQ(priceMeaningOfHeader(c.cell), c.meaning);
    }
}

TEST(HeaderNames, FoldingIgnoresWidthCaseBlanksAndTheMark) {
    const struct {
        const char* cell;
        const char* folded;
    } cases[] = {
        {"  Product  Name ", "productname"},
        {"ＰＲＩＣＥ（ＴＡＸ）", "price(tax)"},
        {"\xEF\xBB\xBFjan", "jan"},
        {"ｶﾞｲﾄﾞ", "ガイド"},
        {"ﾎﾟｲﾝﾄ", "ポイント"},
        {"ｳﾞｨ", "ヴィ"},
        {"ｱﾞ", "ア゛"},  // a kana that takes no voiced mark keeps it apart
        {"品\u3000名\t", "品名"},
        {"ﾊﾟﾊﾞﾋﾟ", "パバピ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foldHeaderName(c.cell), c.folded) << c.cell;
    // Every name of the table is written in the folded form, so that it can be found.
    for (const ProductColumn& column : productColumns()) {
        for (const std::string_view header : column.headers)
            EXPECT_EQ(foldHeaderName(header), header);
    }
}

// The header rows of real exports: which cell fills which part.
TEST(ColumnMapping, HeadersOfExportsFillTheLabel) {
    const struct {
        const char* name;
        std::string header;
        std::vector<std::pair<const char*, const char*>> expected;  // part, cell
        PriceMeaning meaning;
    } cases[] = {
        {"register export with BOM",
         "\xEF\xBB\xBF商品コード,商品名,メーカー,規格,税抜価格,税率",
         {{"JANコード", "商品コード"},
          {"品名", "商品名"},
          {"メーカー", "メーカー"},
          {"売価", "税抜価格"},
          {"税率", "税率"},
          {"ロット", "なし"}},
         PriceMeaning::PreTax},
        {"register with ids",
         "商品ID,部門ID,商品コード,商品名,商品単価,規格",
         {{"JANコード", "商品コード"},
          {"品名", "商品名"},
          {"売価", "商品単価"},
          {"規格", "規格"},
          {"メーカー", "なし"}},
         PriceMeaning::AsSheet},
        {"online shop",
         "Handle,Title,Vendor,Variant SKU,Variant Barcode,Variant Price",
         {{"JANコード", "Variant Barcode"},
          {"品名", "Title"},
          {"メーカー", "Vendor"},
          {"売価", "Variant Price"}},
         PriceMeaning::AsSheet},
        {"half a header of before",
         "JANコード,商品名,価格",
         {{"JANコード", "JANコード"}, {"品名", "商品名"}, {"売価", "価格"}},
         PriceMeaning::AsSheet},
        // Two cells of one part: the better name wins, wherever it stands.
        {"code and JAN",
         "商品コード,JAN,品名,税込価格,本体価格",
         {{"JANコード", "JAN"}, {"売価", "税込価格"}},
         PriceMeaning::TaxIncluded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnMapping mapping = mappingOf(c.header + "\r\n");
        ASSERT_TRUE(mapping.hasHeader());
        for (const auto& [part, cell] : c.expected)
            EXPECT_EQ(cellFor(mapping, part), cell) << part;
        EXPECT_EQ(mapping.priceMeaning(), c.meaning);
        EXPECT_TRUE(mapping.canPrint());
    }
}

TEST(ColumnMapping, AListIsPrintableOnlyWithACodeOrANameColumn) {
    const struct {
        const char* list;
        bool hasHeader;
        bool printable;
    } cases[] = {
        {"メーカー,規格,売価\nA,B,1\n", true, false},
        {"JAN,売価\n4901234567894,1\n", true, true},
        {"品名\nA\n", true, true},
        {"在庫数,部門\n1,2\n", false, true},  // no header: the label's order
        {"4901234567894,m,n,,,1\n", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        const ColumnMapping mapping = mappingOf(c.list);
        EXPECT_EQ(mapping.hasHeader(), c.hasHeader);
        EXPECT_EQ(mapping.canPrint(), c.printable);
    }
}

TEST(ColumnMapping, AChoiceChangesOnlyItsPartAndTheKeyFollowsTheHeader) {
    ColumnMapping mapping = mappingOf("JAN,商品名,税抜価格,備考\n");
    const ProductColumn& name = *labelPart("品名");
    const ProductColumn& price = *labelPart("売価");
    mapping.assign(name, 3);
    EXPECT_EQ(cellFor(mapping, "品名"), "備考");
    EXPECT_EQ(cellFor(mapping, "JANコード"), "JAN");
    EXPECT_EQ(mapping.priceMeaning(), PriceMeaning::PreTax);
    mapping.assign(price, std::nullopt);
    EXPECT_EQ(cellFor(mapping, "売価"), "なし");
    EXPECT_EQ(mapping.priceMeaning(), PriceMeaning::AsSheet);
    mapping.assign(name, std::nullopt);
    EXPECT_TRUE(mapping.canPrint());  // the code still comes from a column
    mapping.assign(*labelPart("JAN"), std::nullopt);
    EXPECT_FALSE(mapping.canPrint());

    // The key is the header's, compared as names are, and no row's.
    const std::string key = mappingOf("JAN,商品名,税抜価格,備考\n1,2,3,4\n").headerKey();
    EXPECT_EQ(key, mapping.headerKey());
    EXPECT_EQ(key, mappingOf("\xEF\xBB\xBFＪＡＮ, 商品名 ,税抜価格,備考\n").headerKey());
    EXPECT_NE(key, mappingOf("JAN,商品名,税込価格,備考\n").headerKey());
    EXPECT_NE(key, mappingOf("JAN,商品名,税抜価格\n").headerKey());
    EXPECT_EQ(mappingOf("4901234567894,a,b\n").headerKey(), "");
}

TEST(ColumnMapping, AMappingTextNamesPartsAndHeaderCells) {
    const struct {
        const char* text;
        ResultCode code;
        std::vector<std::pair<const char*, const char*>> expected;
    } cases[] = {
        {"品名=備考,売価=税抜価格", ResultCode::Ok, {{"品名", "備考"}, {"売価", "税抜価格"}}},
        {" name = 備考 ", ResultCode::Ok, {{"品名", "備考"}}},
        {"メーカー=なし,JANコード=", ResultCode::Ok, {{"メーカー", "なし"}, {"JANコード", "なし"}}},
        {"品名=在庫", ResultCode::MappingColumnUnknown, {{"品名", "商品名"}}},
        {"色=備考", ResultCode::MappingPartUnknown, {{"品名", "商品名"}}},
        {"品名", ResultCode::MappingPartUnknown, {{"品名", "商品名"}}},
        {"", ResultCode::Ok, {{"品名", "商品名"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ColumnMapping mapping = mappingOf("JAN,商品名,税抜価格,備考,メーカー\n");
        EXPECT_EQ(applyMappingText(mapping, c.text).code, c.code);
        for (const auto& [part, cell] : c.expected)
            EXPECT_EQ(cellFor(mapping, part), cell) << part;
    }
}

// A list read with a chosen mapping: its header row is skipped, its rows fill
// the parts as chosen.
TEST(ColumnMapping, AListIsReadWithTheMappingGiven) {
    const std::string list = "JAN,商品名,備考\n4901234567894,お茶,緑茶 500ml\n";
    ColumnMapping mapping = mappingOf(list);
    mapping.assign(*labelPart("品名"), 2);
    mapping.assign(*labelPart("規格"), 1);
    std::istringstream in(list);
    ProductListReader reader(in, TextEncoding::Auto, mapping);
    std::vector<Result> problems;
    const std::optional<ProductRow> row = reader.next(problems);
    ASSERT_TRUE(row);
    LabelRecord label;
    ASSERT_TRUE(fillLabel(*row, label).ok());
    EXPECT_EQ(label.productName, "緑茶 500ml");
    EXPECT_EQ(label.spec, "お茶");
    EXPECT_EQ(label.janCode, "4901234567894");
    EXPECT_EQ(row->lineNumber, 2);
    EXPECT_FALSE(reader.next(problems));
    EXPECT_TRUE(problems.empty());
}
