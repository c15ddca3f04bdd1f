// What the price elements of a shop's label show: the big price and its
// small line in each price mode, the regular price of a sale, and unit prices
// worked out in whole yen for every rounding, rate and unit.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "model/ShownPrices.h"
#include "model/TaxPrice.h"
#include "model/UnitPrice.h"

namespace {

LabelRecord priced(const char* price, TaxRate rate = TaxRate::Standard) {
    LabelRecord r;
    r.productName = "品名";
    r.price = price;
    r.taxRate = rate;
    return r;
}

PricePattern pattern(PriceMode mode, TaxRounding rounding = TaxRounding::Floor) {
    return PricePattern{mode, rounding};
}

TEST(ShownPrices, EachModeShowsTheBigPriceAndTheSmallLineItPromises) {
    struct Case {
        PriceMode mode;
        const char* typed;
        TaxRate rate;
        std::string big;
        std::optional<std::string> line;
        std::optional<std::string> caption;
    };
    const Case cases[] = {
        {PriceMode::TaxIncludedOnly, "1,078", TaxRate::Standard, "1,078", std::nullopt,
         std::nullopt},
        {PriceMode::BaseAndTaxIncluded, "980", TaxRate::Standard, "980", "税込 1,078円", "本体"},
        {PriceMode::TaxIncludedWithBase, "980", TaxRate::Standard, "1,078", "本体 980円", "税込"},
        {PriceMode::TaxIncludedWithBase, "980", TaxRate::Reduced, "1,058", "本体 980円", "税込"},
        {PriceMode::TaxIncludedWithBase, "１，９８０円", TaxRate::Reduced, "2,138", "本体 1,980円",
         "税込"},
        {PriceMode::TaxIncludedWithBase, "150", TaxRate::Exempt, "150", "本体 150円", "税込"},
        // No whole number of yen: nothing to work out, the text stays as typed.
        {PriceMode::TaxIncludedWithBase, "オープン", TaxRate::Standard, "オープン", std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const LabelRecord label = priced(c.typed, c.rate);
        EXPECT_EQ(bigPriceText(label, pattern(c.mode)), c.big);
        EXPECT_EQ(taxLineFor(label, pattern(c.mode)), c.line);
        EXPECT_EQ(priceCaptionText(label, pattern(c.mode)), c.caption);
    }
}

TEST(ShownPrices, APriceThatIsNoWholeYenIsMissingItsLineInBothModesThatNeedOne) {
    const LabelRecord fraction = priced("98.5");
    EXPECT_FALSE(missingTaxLine(fraction, pattern(PriceMode::TaxIncludedOnly)));
    EXPECT_EQ(missingTaxLine(fraction, pattern(PriceMode::BaseAndTaxIncluded)),
              PriceReading::NotWholeYen);
    EXPECT_EQ(missingTaxLine(fraction, pattern(PriceMode::TaxIncludedWithBase)),
              PriceReading::NotWholeYen);
}

TEST(ShownPrices, TheRegularPriceStandsOnTheFootingOfTheBigPrice) {
    LabelRecord label = priced("980", TaxRate::Reduced);
    label.details.regularPrice = "1280";
    EXPECT_EQ(regularPriceText(label, pattern(PriceMode::TaxIncludedOnly)), "1,280円");
    EXPECT_EQ(regularPriceText(label, pattern(PriceMode::BaseAndTaxIncluded)), "1,280円");
    // 1280 × 1.08 = 1382.4: tax-inclusive where the big price is.
    EXPECT_EQ(regularPriceText(label, pattern(PriceMode::TaxIncludedWithBase)), "1,382円");
    EXPECT_EQ(
        regularPriceText(label, pattern(PriceMode::TaxIncludedWithBase, TaxRounding::Ceiling)),
        "1,383円");
    label.details.regularPrice = "時価";
    EXPECT_EQ(regularPriceText(label, pattern(PriceMode::TaxIncludedOnly)), "時価");
    label.details.regularPrice.clear();
    EXPECT_FALSE(regularPriceText(label, pattern(PriceMode::TaxIncludedOnly)));
}

TEST(ShownPrices, ARegularPriceNotAboveTheSalePriceIsFound) {
    struct Case {
        const char* price;
        const char* regular;
        bool notAbove;
    };
    const Case cases[] = {
        {"980", "1280", false}, {"980", "980", true},   {"980", "¥880", true},
        {"980", "", false},     {"980", "時価", false}, {"", "980", false},
    };
    for (const Case& c : cases) {
        LabelRecord label = priced(c.price);
        label.details.regularPrice = c.regular;
        EXPECT_EQ(regularPriceNotAbove(label), c.notAbove) << c.price << " / " << c.regular;
    }
}

TEST(Quantity, ContentsAreReadAsANumberAndAUnit) {
    struct Case {
        const char* text;
        std::optional<Quantity> quantity;
    };
    const Case cases[] = {
        {"500g", Quantity{500'000, QuantityUnit::Gram}},
        {"1.5L", Quantity{1'500, QuantityUnit::Litre}},
        {"1.5l", Quantity{1'500, QuantityUnit::Litre}},
        {"12枚", Quantity{12'000, QuantityUnit::Sheet}},
        {" 100 ml ", Quantity{100'000, QuantityUnit::Millilitre}},
        {"５００ｇ", Quantity{500'000, QuantityUnit::Gram}},
        {"2KG", Quantity{2'000, QuantityUnit::Kilogram}},
        {"0.125kg", Quantity{125, QuantityUnit::Kilogram}},
        {"6個", Quantity{6'000, QuantityUnit::Piece}},
        {"20m", Quantity{20'000, QuantityUnit::Metre}},
        {"99999.999g", Quantity{kMaxQuantityThousandths, QuantityUnit::Gram}},
        {"100000g", std::nullopt},   // beyond the largest number
        {"1.2345kg", std::nullopt},  // four decimals
        {"0g", std::nullopt},
        {"g", std::nullopt},
        {"500", std::nullopt},
        {"500gr", std::nullopt},
        {"5.g", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseQuantity(c.text), c.quantity) << c.text;
}

TEST(Quantity, EachUnitHasItsUsualBaseAndIsWrittenBack) {
    struct Case {
        const char* contents;
        const char* base;
    };
    const Case cases[] = {{"500g", "100g"}, {"2kg", "100g"}, {"500ml", "100ml"}, {"1.5L", "100ml"},
                          {"6個", "1個"},   {"12枚", "1枚"}, {"20m", "1m"}};
    for (const Case& c : cases) {
        const std::optional<Quantity> q = parseQuantity(c.contents);
        ASSERT_TRUE(q) << c.contents;
        EXPECT_EQ(quantityText(usualBaseQuantity(q->unit)), c.base);
        EXPECT_EQ(quantityText(*q), c.contents);
    }
}

TEST(UnitPrice, WorkedOutInWholeYenAsThePatternRounds) {
    struct Case {
        std::int64_t price;
        const char* contents;
        const char* base;
        std::int64_t floor, halfUp, ceiling;
    };
    const Case cases[] = {
        {1080, "500g", "100g", 216, 216, 216},        // exact
        {298, "350g", "100g", 85, 85, 86},            // 85.14…
        {198, "1.5L", "100ml", 13, 13, 14},           // 13.2
        {250, "3個", "1個", 83, 83, 84},              // 83.33…
        {125, "2個", "1個", 62, 63, 63},              // 62.5: the half goes up
        {398, "12枚", "10枚", 331, 332, 332},         // 331.66…
        {1980, "2kg", "100g", 99, 99, 99},            // kilograms against grams
        {1980, "800g", "1kg", 2475, 2475, 2475},      // grams against kilograms
        {1, "99999.999g", "100g", 0, 0, 1},           // a fraction of a yen
        {999'999'999'999, "0.001g", "1kg", 0, 0, 0},  // too large: see below
    };
    const TaxRounding roundings[] = {TaxRounding::Floor, TaxRounding::HalfUp, TaxRounding::Ceiling};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.contents) + " / " + c.base);
        const Quantity contents = *parseQuantity(c.contents);
        const Quantity base = *parseQuantity(c.base);
        const std::int64_t expected[] = {c.floor, c.halfUp, c.ceiling};
        for (int i = 0; i < 3; ++i) {
            const UnitPriceResult r = unitPriceYen(c.price, contents, base, roundings[i]);
            if (c.price == 999'999'999'999) {
                EXPECT_FALSE(r.yen);
                EXPECT_EQ(r.trouble, UnitPriceTrouble::TooLarge);
            } else {
                EXPECT_EQ(r.yen, expected[i]);
            }
        }
    }
}

TEST(UnitPrice, QuantitiesMeasuredDifferentlyGiveNone) {
    const UnitPriceResult r =
        unitPriceYen(500, *parseQuantity("500g"), *parseQuantity("100ml"), TaxRounding::Floor);
    EXPECT_FALSE(r.yen);
    EXPECT_EQ(r.trouble, UnitPriceTrouble::UnitsDiffer);
}

TEST(UnitPrice, TheLineIsWorkedOutFromThePricePaidAtEachRateAndMode) {
    struct Case {
        PriceMode mode;
        TaxRounding rounding;
        TaxRate rate;
        const char* price;
        const char* contents;
        const char* base;
        std::optional<std::string> line;
        std::optional<UnitPriceTrouble> trouble;
    };
    const Case cases[] = {
        // 税込のみ: the typed price is paid.
        {PriceMode::TaxIncludedOnly, TaxRounding::Floor, TaxRate::Standard, "1,080", "500g", "",
         "100gあたり 216円", std::nullopt},
        // 1000 × 1.08 = 1080 paid, for 500 g.
        {PriceMode::BaseAndTaxIncluded, TaxRounding::Floor, TaxRate::Reduced, "1000", "500g", "",
         "100gあたり 216円", std::nullopt},
        {PriceMode::TaxIncludedWithBase, TaxRounding::Floor, TaxRate::Standard, "1000", "500g", "",
         "100gあたり 220円", std::nullopt},
        // 178 × 1.08 = 192.24 → 192 paid; 192 / 1.5 L = 12.8 per 100 ml.
        {PriceMode::TaxIncludedWithBase, TaxRounding::Floor, TaxRate::Reduced, "178", "1.5L", "",
         "100mlあたり 12円", std::nullopt},
        // Rounded up twice: 192.24 → 193 paid, 12.866… → 13.
        {PriceMode::TaxIncludedWithBase, TaxRounding::Ceiling, TaxRate::Reduced, "178", "1.5L", "",
         "100mlあたり 13円", std::nullopt},
        {PriceMode::TaxIncludedOnly, TaxRounding::HalfUp, TaxRate::Standard, "398", "12枚", "10枚",
         "10枚あたり 332円", std::nullopt},
        {PriceMode::TaxIncludedOnly, TaxRounding::Floor, TaxRate::Standard, "398", "12袋", "",
         std::nullopt, UnitPriceTrouble::ContentsUnreadable},
        {PriceMode::TaxIncludedOnly, TaxRounding::Floor, TaxRate::Standard, "398", "500g", "100",
         std::nullopt, UnitPriceTrouble::BaseUnreadable},
        {PriceMode::TaxIncludedOnly, TaxRounding::Floor, TaxRate::Standard, "398", "500g", "100ml",
         std::nullopt, UnitPriceTrouble::UnitsDiffer},
        // No price to work from: no line, and nothing of the unit price to tell.
        {PriceMode::TaxIncludedOnly, TaxRounding::Floor, TaxRate::Standard, "時価", "500g", "",
         std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.price) + " " + c.contents);
        LabelRecord label = priced(c.price, c.rate);
        label.details.contents = c.contents;
        label.details.baseQuantity = c.base;
        const UnitPriceLine line = unitPriceLineFor(label, pattern(c.mode, c.rounding));
        EXPECT_EQ(line.text, c.line);
        EXPECT_EQ(line.trouble, c.trouble);
    }
    EXPECT_FALSE(unitPriceLineFor(priced("398"), pattern(PriceMode::TaxIncludedOnly)).text);
}

}  // namespace
