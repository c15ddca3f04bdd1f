#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/ProductMaster.h"
#include "files/SearchText.h"
#include "support/TempFolder.h"

namespace {

ProductMaster masterOf(const std::string& list, std::vector<Result>* problems = nullptr) {
    std::istringstream in(list);
    std::vector<Result> found;
    ProductMaster master = ProductMaster::read(in, TextEncoding::Auto, found);
    if (problems != nullptr)
        *problems = found;
    return master;
}

const std::string kList =
    "JANコード,メーカー,品名,規格,売価,税率\n"
    "4901234567894,山田食品,特選しょうゆ,1L,298,8\n"
    "49123456,海野商店,ティッシュペーパー,5箱,398,\n"
    "4512345678906,ＡＢＣ社,Green Tea ｼｮｳﾕ味,500ml,150,10\n"
    "4901234567894,別の会社,同じコードの後の行,,1,\n"
    ",,コードのない品,,50,\n";

// The names of the products a search finds, in the order found.
std::vector<std::string> namesFound(const ProductMaster& master, std::string_view query,
                                    std::size_t limit = 10) {
    std::vector<std::string> names;
    for (std::size_t i : master.search(query, limit).products)
        names.push_back(master.product(i).label.productName);
    return names;
}

}  // namespace

TEST(SearchText, FoldsWidthCaseKanaAndBlanks) {
    const struct {
        const char* typed;
        const char* folded;
    } cases[] = {
        {"ＡＢＣ１２３", "abc123"},
        {"Green Tea", "greentea"},
        {"特選　しょうゆ", "特選ショウユ"},
        {"ｼｮｳﾕ", "ショウユ"},
        {"ｶﾞｽ ﾊﾟﾝ ｳﾞ", "ガスパンヴ"},
        {"か\u3099ぱ", "ガパ"},  // a combining voiced mark
        {"ﾝﾞ", "ン゛"},          // a mark its kana cannot take stays
        {"\xEF\xBB\xBF"
         "a\tb",
         "ab"},  // a byte-order mark and a tab
        {"ﾄﾞﾘﾝｸ", "ドリンク"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foldForSearch(c.typed), c.folded) << c.typed;
}

TEST(ProductMaster, FindsAProductByItsCodeAsTyped) {
    const ProductMaster master = masterOf(kList);
    ASSERT_EQ(master.size(), 5u);
    const struct {
        const char* typed;
        const char* name;  // nullptr: not found
    } cases[] = {
        {"4901234567894", "特選しょうゆ"},  // the first of two rows with the code
        {"４９０１２３４５６７８９４", "特選しょうゆ"},
        {" 49123456 ", "ティッシュペーパー"},
        {"'4512345678906", "Green Tea ｼｮｳﾕ味"},
        {"490123456789", nullptr},  // part of a code finds nothing here
        {"", nullptr},
        {"4901234567895", nullptr},
    };
    for (const auto& c : cases) {
        const MasterProduct* product = master.findCode(c.typed);
        if (c.name == nullptr) {
            EXPECT_EQ(product, nullptr) << c.typed;
        } else {
            ASSERT_NE(product, nullptr) << c.typed;
            EXPECT_EQ(product->label.productName, c.name);
        }
    }
}

TEST(ProductMaster, KeepsEveryTextOfTheRowAndWhetherItGivesARate) {
    std::vector<Result> problems;
    const ProductMaster master = masterOf(kList + "4909999999996,,税率の悪い品,,1,12\n", &problems);
    const MasterProduct& shoyu = *master.findCode("4901234567894");
    EXPECT_EQ(shoyu.label, (LabelRecord{"4901234567894", "山田食品", "特選しょうゆ", "1L", "",
                                        "298", TaxRate::Reduced}));
    EXPECT_TRUE(shoyu.statesTaxRate);
    EXPECT_EQ(shoyu.lineNumber, 2);
    EXPECT_FALSE(master.findCode("49123456")->statesTaxRate);  // an empty cell gives none
    // A row whose rate cannot be read is reported and kept with its texts.
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].code, ResultCode::RowBadTaxRate);
    EXPECT_EQ(problems[0].line, 7);
    const MasterProduct* bad = master.findCode("4909999999996");
    ASSERT_NE(bad, nullptr);
    EXPECT_FALSE(bad->statesTaxRate);
}

TEST(ProductMaster, SearchFindsAnyPartOfCodeOrNameAsTyped) {
    const ProductMaster master = masterOf(kList);
    using Names = std::vector<std::string>;
    EXPECT_EQ(namesFound(master, "しょうゆ"), (Names{"特選しょうゆ", "Green Tea ｼｮｳﾕ味"}));
    EXPECT_EQ(namesFound(master, "ショウユ"), namesFound(master, "ｼｮｳﾕ"));
    EXPECT_EQ(namesFound(master, "ｇｒｅｅｎ ｔｅａ"), (Names{"Green Tea ｼｮｳﾕ味"}));
    EXPECT_EQ(namesFound(master, "TISSHU"), Names{});
    EXPECT_EQ(namesFound(master, "てぃっしゅ"), (Names{"ティッシュペーパー"}));
    EXPECT_EQ(namesFound(master, "2345"), (Names{"特選しょうゆ", "ティッシュペーパー",
                                                 "Green Tea ｼｮｳﾕ味", "同じコードの後の行"}));
    EXPECT_EQ(namesFound(master, "   "), Names{});
    // A query never runs from one product on into the next one's code.
    EXPECT_EQ(namesFound(master, "ゆ4912"), Names{});
    EXPECT_EQ(namesFound(master, "ゆ49"), Names{});
    EXPECT_EQ(namesFound(master, "ゆ"), (Names{"特選しょうゆ", "Green Tea ｼｮｳﾕ味"}));
}

TEST(ProductMaster, SearchPutsTheExactCodeFirstAndCountsBeyondTheLimit) {
    ProductMaster master;
    for (int i = 0; i < 30; ++i) {
        MasterProduct p;
        p.label.janCode = std::to_string(4900000000000 + i * 10);
        p.label.productName = "品" + std::to_string(i);
        master.add(p);
    }
    const ProductMaster::Matches matches = master.search("4900000000200", 3);
    EXPECT_EQ(matches.total, 1u);
    ASSERT_EQ(matches.products.size(), 1u);
    EXPECT_EQ(master.product(matches.products[0]).label.productName, "品20");

    const ProductMaster::Matches many = master.search("49000000002", 3);
    EXPECT_EQ(many.total, 10u);  // 4900000000200 to 4900000000290
    ASSERT_EQ(many.products.size(), 3u);
    EXPECT_EQ(master.product(many.products[0]).label.productName, "品20");
    EXPECT_EQ(master.product(many.products[2]).label.productName, "品22");
}

TEST(ProductMaster, LoadsAFileOrSaysWhyNot) {
    TempFolder folder("master");
    folder.put("master.csv", "\xEF\xBB\xBF" + kList);
    ProductMaster master;
    std::vector<Result> problems;
    ASSERT_TRUE(loadProductMaster(folder.path("master.csv"), master, problems).ok());
    EXPECT_EQ(master.size(), 5u);
    EXPECT_TRUE(problems.empty());

    const Result missing = loadProductMaster(folder.path("none.csv"), master, problems);
    EXPECT_EQ(missing.code, ResultCode::NotFound);
    EXPECT_EQ(missing.path, folder.path("none.csv"));
    const Result folderRead = loadProductMaster(folder.dir().string(), master, problems);
    EXPECT_FALSE(folderRead.ok());
}
