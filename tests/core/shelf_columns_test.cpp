// The product list's columns for what a shop's label shows: each header a
// till or a shop's spreadsheet writes fills its detail of the label, and a
// cell written over several lines is kept on one.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "files/ProductColumns.h"
#include "files/ProductList.h"

namespace {

TEST(ShelfColumns, HeaderNamesFillTheirDetailOfTheLabel) {
    const struct {
        const char* cell;
        const char* text;
        std::function<void(ShelfDetails&)> expect;
    } cases[] = {
        {"内容量", "500g", [](ShelfDetails& d) { d.contents = "500g"; }},
        {" 容量 ", "1.5L", [](ShelfDetails& d) { d.contents = "1.5L"; }},
        {"単位", "12枚", [](ShelfDetails& d) { d.contents = "12枚"; }},
        {"基準量", "100g", [](ShelfDetails& d) { d.baseQuantity = "100g"; }},
        {"通常価格", "1,280", [](ShelfDetails& d) { d.regularPrice = "1,280"; }},
        {"定価", "980", [](ShelfDetails& d) { d.regularPrice = "980"; }},
        {"Compare At Price", "19.80", [](ShelfDetails& d) { d.regularPrice = "19.80"; }},
        {"期間", "12/10まで", [](ShelfDetails& d) { d.salePeriod = "12/10まで"; }},
        {"産地", "静岡県産", [](ShelfDetails& d) { d.origin = "静岡県産"; }},
        {"原産地", "国産\r\n(静岡)", [](ShelfDetails& d) { d.origin = "国産  (静岡)"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        const ProductColumn* column = columnForHeader(c.cell);
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->position, -1) << "named by a header only";
        LabelRecord label;
        ASSERT_TRUE(column->fill(label, c.text).ok());
        LabelRecord expected;
        c.expect(expected.details);
        // The contents stand as the 規格 of a list that has none.
        expected.spec = expected.details.contents;
        EXPECT_EQ(label, expected);
    }
}

}  // namespace
