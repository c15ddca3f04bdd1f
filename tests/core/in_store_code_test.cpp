// In-store codes: which kind a code is, the price a price-embedded code
// carries under each register layout, consecutive numbering with check
// digits, and the next start kept in a file between sessions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/InStoreCode.h"
#include "barcode/InStoreNumbering.h"
#include "barcode/JanCode.h"
#include "files/Cp932.h"
#include "files/InStoreCounterFile.h"
#include "support/TempFolder.h"

namespace {

// Twelve digits with their check digit.
std::string coded(const std::string& twelve) {
    return checkJanCode(twelve + "0").completedCode();
}

TEST(JanCodeKind, MakerInStoreAndPriceEmbeddedCodes) {
    const PriceEmbeddedRule flag02{"02", "5+5"};  // five item and five price digits
    const PriceEmbeddedRule flag21{"21", "6+4"};
    const struct {
        std::string code;
        std::optional<JanCodeKind> with02;
        std::optional<JanCodeKind> with21;
    } cases[] = {
        {"4901234567894", JanCodeKind::Maker, JanCodeKind::Maker},
        {"4512345678906", JanCodeKind::Maker, JanCodeKind::Maker},
        {"49123456", JanCodeKind::Maker, JanCodeKind::Maker},
        {coded("020000000001"), JanCodeKind::PriceEmbedded, JanCodeKind::InStore},
        {coded("200000000001"), JanCodeKind::InStore, JanCodeKind::InStore},
        {coded("210000000001"), JanCodeKind::InStore, JanCodeKind::PriceEmbedded},
        {coded("290000000001"), JanCodeKind::InStore, JanCodeKind::InStore},
        {coded("010000000001"), JanCodeKind::Maker, JanCodeKind::Maker},
        {coded("300000000001"), JanCodeKind::Maker, JanCodeKind::Maker},
        {"20123451", JanCodeKind::InStore, JanCodeKind::InStore},
        {"2000000000010", std::nullopt, std::nullopt},  // wrong check digit
        {"200000000001", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    // Until the shop sets a flag, no code carries a price.
    EXPECT_EQ(janCodeKind(coded("020000000001"), PriceEmbeddedRule{}), JanCodeKind::InStore);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(janCodeKind(c.code, flag02), c.with02);
        EXPECT_EQ(janCodeKind(c.code, flag21), c.with21);
    }
}

TEST(EmbeddedPrice, EveryLayoutReadsItsPriceDigits) {
    const struct {
        PriceEmbeddedRule rule;
        std::string twelve;
        std::optional<std::int64_t> yen;
    } cases[] = {
        {{"02", "5+5"}, "021234500198", 198},
        {{"02", "5+5"}, "021234599999", 99999},
        {{"02", "5+5"}, "021234500000", 0},
        {{"02", "6+4"}, "021234560198", 198},
        {{"02", "6+4"}, "021234569800", 9800},
        {{"02", "5+1+4"}, "021234570198", 198},  // the digit before the price is not read
        {{"02", "5+1+4"}, "021234531980", 1980},
        {{"25", "5+5"}, "251234501280", 1280},
        {{"25", "5+5"}, "021234501280", std::nullopt},   // another flag: a plain in-store code
        {{"02", "none"}, "021234500198", std::nullopt},  // no such layout
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule.flag + " " + c.rule.layout + " " + c.twelve);
        EXPECT_EQ(embeddedPrice(coded(c.twelve), c.rule), c.yen);
    }
    for (const PriceEmbeddedLayout& layout : priceEmbeddedLayouts()) {
        SCOPED_TRACE(layout.name);
        EXPECT_EQ(2 + layout.itemDigits + layout.skippedDigits + layout.priceDigits + 1, 13);
        EXPECT_EQ(priceEmbeddedLayoutNamed(layout.name), &layout);
    }
}

TEST(InStoreCodes, ConsecutiveWithCheckDigitsWithinTheirFlag) {
    const std::optional<std::vector<std::string>> codes = inStoreCodes("200000000009", 3);
    ASSERT_TRUE(codes);
    EXPECT_EQ(*codes, (std::vector<std::string>{coded("200000000009"), coded("200000000010"),
                                                coded("200000000011")}));
    for (const std::string& code : *codes)
        EXPECT_TRUE(checkJanCode(code).valid) << code;

    const struct {
        const char* first;
        int count;
        bool given;
    } cases[] = {
        {"029999999999", 1, true},   {"029999999999", 2, false},  // would become 03...
        {"299999999998", 2, true},   {"299999999999", 2, false}, {"020000000001", 0, true},
        {"190000000001", 1, false},  {"300000000001", 1, false}, {"20000000001", 1, false},
        {"2000000000012", 1, false}, {"20000000000a", 1, false}, {"", 1, false},
        {"200000000001", -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " x" + std::to_string(c.count));
        EXPECT_EQ(inStoreCodes(c.first, c.count).has_value(), c.given);
    }
}

TEST(InStoreNumbering, GivesLabelsWithoutACodeTheNextCodesInOrder) {
    LabelSheet sheet;
    sheet.label(1).productName = "にんじん";
    sheet.label(2).productName = "だいこん";
    sheet.label(2).janCode = "4901234567894";
    sheet.label(3).maker = "名のない札";  // prints nothing: takes no code
    sheet.label(4).productName = "ごぼう";
    sheet.label(7).productName = "れんこん";
    std::optional<InStoreNumbering> numbering = InStoreNumbering::from("250000000100");
    ASSERT_TRUE(numbering);
    EXPECT_TRUE(numberLabelsWithoutCode(sheet, *numbering));
    EXPECT_EQ(sheet.label(1).janCode, coded("250000000100"));
    EXPECT_EQ(sheet.label(2).janCode, "4901234567894");
    EXPECT_EQ(sheet.label(3).janCode, "");
    EXPECT_EQ(sheet.label(4).janCode, coded("250000000101"));
    EXPECT_EQ(sheet.label(7).janCode, coded("250000000102"));
    EXPECT_EQ(numbering->given(), 3);
    EXPECT_EQ(numbering->last(), coded("250000000102"));
    EXPECT_EQ(numbering->next(), "250000000103");

    // At the end of its flag the numbering stops; later labels stay without.
    LabelSheet more;
    more.label(1).productName = "a";
    more.label(2).productName = "b";
    std::optional<InStoreNumbering> last = InStoreNumbering::from("029999999999");
    ASSERT_TRUE(last);
    EXPECT_FALSE(numberLabelsWithoutCode(more, *last));
    EXPECT_EQ(more.label(1).janCode, coded("029999999999"));
    EXPECT_EQ(more.label(2).janCode, "");
    EXPECT_EQ(last->next(), "");
    EXPECT_FALSE(InStoreNumbering::from("499999999999"));
}

TEST(InStoreCounterFile, TheNextStartSurvivesARestartAndIsWrittenWhole) {
    TempFolder dir("tanahuda-instore");
    const std::string path = dir.path("instore.txt");
    Result failure;
    EXPECT_FALSE(loadInStoreCounter(path, &failure));
    EXPECT_TRUE(failure.ok());  // missing: nothing given yet

    // Two sessions one after the other: the second goes on where the first stopped.
    std::vector<std::string> given;
    for (int session = 0; session < 2; ++session) {
        const std::string start = loadInStoreCounter(path).value_or("200000000001");
        std::optional<InStoreNumbering> numbering = InStoreNumbering::from(start);
        ASSERT_TRUE(numbering);
        for (int i = 0; i < 3; ++i)
            given.push_back(*numbering->take());
        ASSERT_TRUE(saveInStoreCounter(path, numbering->next()).ok());
    }
    EXPECT_EQ(given, *inStoreCodes("200000000001", 6));
    EXPECT_EQ(dir.get("instore.txt"),
              *cp932::encode("\"拡張\",\"インストア次番号\",\"200000000007\"\r\n"));
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"instore.txt"}));

    for (const char* damaged : {"", "\"拡張\",\"インストア次番号\",\"30000000000\"\r\n",
                                "\"拡張\",\"別\",\"200000000001\"\r\n"}) {
        dir.put("instore.txt", *cp932::encode(damaged));
        failure = Result{};
        EXPECT_FALSE(loadInStoreCounter(path, &failure)) << damaged;
        EXPECT_EQ(failure.code, ResultCode::ReadFailed);
    }
}

}  // namespace
