#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "files/ProductColumns.h"
#include "files/ProductList.h"

namespace {

LabelRecord filledBy(const std::string& cell, const std::string& text) {
    LabelRecord label;
    const ProductColumn* column = columnForHeader(cell);
    if (column != nullptr) {
        EXPECT_TRUE(column->fill(label, text).ok()) << cell;
    }
    return label;
}

}  // namespace

// Header cells as tills and spreadsheets write them, and what their column
// fills on the label.
TEST(ProductColumns, HeaderNamesFillTheirPartOfTheLabel) {
    const struct {
        const char* cell;
        const char* text;
        std::function<void(LabelRecord&)> expect;
    } cases[] = {
        {" JAN Code ", "49123456", [](LabelRecord& r) { r.janCode = "49123456"; }},
        {"\xEF\xBB\xBFjan", "49123456", [](LabelRecord& r) { r.janCode = "49123456"; }},
        {"MAKER", "茶舗", [](LabelRecord& r) { r.maker = "茶舗"; }},
        {"Product Name", "お茶", [](LabelRecord& r) { r.productName = "お茶"; }},
        {"\t規格", "500ml", [](LabelRecord& r) { r.spec = "500ml"; }},
        {"Lot", "L9", [](LabelRecord& r) { r.lot = "L9"; }},
        {"価格", "298", [](LabelRecord& r) { r.price = "298"; }},
        {"Tax Rate", "非課税", [](LabelRecord& r) { r.taxRate = TaxRate::Exempt; }},
        {"消費税率", "", [](LabelRecord& r) { r.taxRate = TaxRate::Standard; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        ASSERT_NE(columnForHeader(c.cell), nullptr);
        LabelRecord expected;
        c.expect(expected);
        EXPECT_EQ(filledBy(c.cell, c.text), expected);
    }
}

TEST(ProductColumns, OtherHeaderCellsNameNoColumn) {
    for (const char* cell : {"在庫数", "", "jan-code", "商品ID", "部門"})
        EXPECT_EQ(columnForHeader(cell), nullptr) << cell;
    // Blanks anywhere and full-width letters are not part of a name.
    for (const char* cell : {"tax  rate", "ＪＡＮ", "品 名", "ｐｒｉｃｅ"})
        EXPECT_NE(columnForHeader(cell), nullptr) << cell;
}

// Each header name belongs to one column and finds it whatever its ASCII
// case and the blanks around it.
TEST(ProductColumns, EveryHeaderNameFindsItsOwnColumn) {
    std::set<std::string_view> headers;
    for (const ProductColumn& column : productColumns()) {
        for (std::string_view header : column.headers) {
            EXPECT_TRUE(headers.insert(header).second) << header;
            std::string upper(header);
            for (char& ch : upper)
                ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
            EXPECT_EQ(columnForHeader(std::string(header)), &column) << header;
            EXPECT_EQ(columnForHeader(" " + upper + " "), &column) << upper;
        }
    }
}

TEST(ProductColumns, ALabelIsFilledColumnByColumn) {
    const ProductColumn* name = columnForHeader("品名");
    const ProductColumn* rate = columnForHeader("税率");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(rate, nullptr);

    // The later of two columns of the same name wins, as it does on the label.
    const ProductRow twice{7, {{name, "お茶"}, {rate, "8"}, {name, "緑茶"}}};
    LabelRecord label;
    EXPECT_TRUE(fillLabel(twice, label).ok());
    EXPECT_EQ(label.productName, "緑茶");
    EXPECT_EQ(label.taxRate, TaxRate::Reduced);

    // A rate that cannot be read fails the row with its text and line.
    const ProductRow badRate{9, {{name, "酒"}, {rate, "5"}}};
    const Result fault = fillLabel(badRate, label);
    EXPECT_EQ(fault.code, ResultCode::RowBadTaxRate);
    EXPECT_EQ(fault.detail, "5");
    EXPECT_EQ(fault.line, 9);
}
