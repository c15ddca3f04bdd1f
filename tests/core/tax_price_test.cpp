#include <gtest/gtest.h>

#include <string>

#include "model/TaxPrice.h"

namespace {

TEST(TaxIncludedYen, EveryRateRoundingAndPrice) {
    using R = TaxRounding;
    struct Case {
        std::int64_t price;
        TaxRate rate;
        std::int64_t floor, halfUp, ceiling;
    };
    const Case cases[] = {
        {0, TaxRate::Reduced, 0, 0, 0},
        {0, TaxRate::Standard, 0, 0, 0},
        {1, TaxRate::Reduced, 1, 1, 2},          // 1.08
        {1, TaxRate::Standard, 1, 1, 2},         // 1.1
        {9, TaxRate::Reduced, 9, 10, 10},        // 9.72
        {9, TaxRate::Standard, 9, 10, 10},       // 9.9
        {98, TaxRate::Reduced, 105, 106, 106},   // 105.84
        {98, TaxRate::Standard, 107, 108, 108},  // 107.8
        {100, TaxRate::Reduced, 108, 108, 108},
        {100, TaxRate::Standard, 110, 110, 110},
        {980, TaxRate::Reduced, 1058, 1058, 1059},  // 1058.4
        {980, TaxRate::Standard, 1078, 1078, 1078},
        {1980, TaxRate::Reduced, 2138, 2138, 2139},  // 2138.4
        {1980, TaxRate::Standard, 2178, 2178, 2178},
        {9999999, TaxRate::Reduced, 10799998, 10799999, 10799999},   // 10799998.92
        {9999999, TaxRate::Standard, 10999998, 10999999, 10999999},  // 10999998.9
        {25, TaxRate::Standard, 27, 28, 28},                         // 27.5: a half rounds up
        {75, TaxRate::Reduced, 81, 81, 81},
        {980, TaxRate::Exempt, 980, 980, 980},
        // The largest price: the product stays exact.
        {kMaxPriceYen, TaxRate::Standard, 1099999999998, 1099999999999, 1099999999999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.price << " at " << ratePercent(c.rate) << "%");
        EXPECT_EQ(taxIncludedYen(c.price, c.rate, R::Floor), c.floor);
        EXPECT_EQ(taxIncludedYen(c.price, c.rate, R::HalfUp), c.halfUp);
        EXPECT_EQ(taxIncludedYen(c.price, c.rate, R::Ceiling), c.ceiling);
    }
}

TEST(ParsePriceText, AcceptsWhatShopsTypeAndRefusesTheRest) {
    struct Case {
        const char* text;
        PriceReading reading;
        std::int64_t yen;
    };
    const Case cases[] = {
        {"980", PriceReading::Yen, 980},
        {"0", PriceReading::Yen, 0},
        {"1,980", PriceReading::Yen, 1980},
        {"9,999,999", PriceReading::Yen, 9999999},
        {"¥980", PriceReading::Yen, 980},
        {"￥1,980", PriceReading::Yen, 1980},
        {"\\980", PriceReading::Yen, 980},
        {"980円", PriceReading::Yen, 980},
        {"¥1,980円", PriceReading::Yen, 1980},
        {"９８０", PriceReading::Yen, 980},
        {"１，９８０円", PriceReading::Yen, 1980},
        {"  980 ", PriceReading::Yen, 980},
        {"\u3000980\u3000", PriceReading::Yen, 980},
        {"0980", PriceReading::Yen, 980},
        {"999,999,999,999", PriceReading::Yen, kMaxPriceYen},
        {"", PriceReading::Empty, 0},
        {"   ", PriceReading::Empty, 0},
        {"98.5", PriceReading::NotWholeYen, 0},
        {"-100", PriceReading::NotWholeYen, 0},
        {"+100", PriceReading::NotWholeYen, 0},
        {"オープン", PriceReading::NotWholeYen, 0},
        {"980円より", PriceReading::NotWholeYen, 0},
        {"2個で500", PriceReading::NotWholeYen, 0},
        {"¥", PriceReading::NotWholeYen, 0},
        {"円", PriceReading::NotWholeYen, 0},
        {",", PriceReading::NotWholeYen, 0},
        {"¥¥980", PriceReading::NotWholeYen, 0},
        {"980円円", PriceReading::NotWholeYen, 0},
        {"1000000000000", PriceReading::TooLarge, 0},
        {"99999999999999999999999", PriceReading::TooLarge, 0},
        {"\xff\xfe", PriceReading::NotWholeYen, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ParsedPrice p = parsePriceText(c.text);
        EXPECT_EQ(p.reading, c.reading);
        EXPECT_EQ(p.yen, c.yen);
    }
}

TEST(TaxLine, TextHasSeparatorsAndFollowsTheMode) {
    EXPECT_EQ(groupThousands(0), "0");
    EXPECT_EQ(groupThousands(999), "999");
    EXPECT_EQ(groupThousands(1078), "1,078");
    EXPECT_EQ(groupThousands(999999), "999,999");
    EXPECT_EQ(groupThousands(10799999), "10,799,999");
    EXPECT_EQ(taxLineText(1078), "税込 1,078円");

    LabelRecord label;
    label.price = "980";
    const PricePattern dual{PriceMode::BaseAndTaxIncluded, TaxRounding::Floor};
    EXPECT_EQ(taxLineFor(label, dual), "税込 1,078円");
    label.taxRate = TaxRate::Reduced;
    EXPECT_EQ(taxLineFor(label, dual), "税込 1,058円");
    EXPECT_EQ(taxLineFor(label, {PriceMode::BaseAndTaxIncluded, TaxRounding::Ceiling}),
              "税込 1,059円");
    EXPECT_EQ(taxLineFor(label, PricePattern{}), std::nullopt);  // tax-inclusive only
    label.price = "オープン価格";
    EXPECT_EQ(taxLineFor(label, dual), std::nullopt);
    EXPECT_EQ(missingTaxLine(label, dual), PriceReading::NotWholeYen);
    EXPECT_EQ(missingTaxLine(label, PricePattern{}), std::nullopt);
    label.price = "1000000000000";
    EXPECT_EQ(missingTaxLine(label, dual), PriceReading::TooLarge);
    label.price = "";
    EXPECT_EQ(taxLineFor(label, dual), std::nullopt);
    EXPECT_EQ(missingTaxLine(label, dual), std::nullopt);  // nothing to say of no price
    label.price = "980";
    EXPECT_EQ(missingTaxLine(label, dual), std::nullopt);
}

TEST(TaxRate, PercentsRoundTrip) {
    for (TaxRate r : {TaxRate::Exempt, TaxRate::Reduced, TaxRate::Standard})
        EXPECT_EQ(taxRateFromPercent(ratePercent(r)), r);
    EXPECT_EQ(taxRateFromPercent(5), std::nullopt);
    EXPECT_EQ(LabelRecord{}.taxRate, TaxRate::Standard);
}

}  // namespace
