// The values of a product list as tills, shops and spreadsheets write them:
// codes, tax rates and prices, and what a label makes of each.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "barcode/JanCode.h"
#include "barcode/ListCode.h"
#include "files/ListTaxRate.h"
#include "model/ListPrice.h"
#include "model/TaxPrice.h"

TEST(ListCode, CodesAsListsHoldThemAreNeverRewrittenInSilence) {
    const struct {
        const char* text;
        const char* code;  // what the label holds
        ResultCode fault;
    } cases[] = {
        {"4901234567894", "4901234567894", ResultCode::Ok},
        {" 4901234567894 ", "4901234567894", ResultCode::Ok},
        {"'4901234567894", "4901234567894", ResultCode::Ok},
        {"４９０１２３４５６７８９４", "4901234567894", ResultCode::Ok},
        {"4500020048530", "4500020048530", ResultCode::RowWrongCheckDigit},
        {"49123457", "49123457", ResultCode::RowWrongCheckDigit},
        {"49123456", "49123456", ResultCode::Ok},
        {"036000291452", "0036000291452", ResultCode::Ok},  // UPC-A: its leading 0 back
        {"'036000291452", "0036000291452", ResultCode::Ok},
        {"490123456789", "490123456789", ResultCode::RowCodeTwelveDigits},
        {"4.90123E+12", "4.90123E+12", ResultCode::RowCodeExponent},
        {"4,90123E+12", "4,90123E+12", ResultCode::RowCodeExponent},
        {"4.9E12", "4.9E12", ResultCode::RowCodeExponent},
        {"4901234", "49012347", ResultCode::Ok},  // EAN-8 without its check digit
        {"", "", ResultCode::Ok},
        {"ABC-123", "ABC-123", ResultCode::Ok},  // no code at all: told as before
        {"49012345678941", "49012345678941", ResultCode::Ok},
        {"E12", "E12", ResultCode::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ListCode settled = settleListCode(c.text);
        EXPECT_EQ(settled.code, c.code);
        EXPECT_EQ(settled.fault.code, c.fault);
        if (!settled.fault.ok()) {
            EXPECT_EQ(settled.fault.detail, c.code);
        }
    }
}

TEST(ListTaxRate, RatesAsTillsAndShopsWriteThem) {
    const struct {
        const char* text;
        std::optional<TaxRate> rate;
        std::optional<TaxRate> asFlag;  // under a 軽減税率 column
    } cases[] = {
        {"10", TaxRate::Standard, TaxRate::Standard},
        {"１０％", TaxRate::Standard, TaxRate::Standard},
        {" 8 %", TaxRate::Reduced, TaxRate::Reduced},
        {"0", TaxRate::Exempt, TaxRate::Standard},
        {"", TaxRate::Standard, TaxRate::Standard},
        {"標準", TaxRate::Standard, TaxRate::Standard},
        {"軽減税率", TaxRate::Reduced, TaxRate::Reduced},
        {"非課税", TaxRate::Exempt, TaxRate::Exempt},
        {"内税", TaxRate::Standard, TaxRate::Standard},
        {"外税", TaxRate::Standard, TaxRate::Standard},
        {"0.08", TaxRate::Reduced, TaxRate::Reduced},
        {"1", std::nullopt, TaxRate::Reduced},
        {"○", std::nullopt, TaxRate::Reduced},
        {"TRUE", std::nullopt, TaxRate::Reduced},
        {"×", std::nullopt, TaxRate::Standard},
        {"5", std::nullopt, std::nullopt},
        {"オープン", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(taxRateFromListText(c.text), c.rate);
        EXPECT_EQ(reducedFlagFromListText(c.text), c.asFlag);
    }
}

// Every pre-tax price gives back itself from its tax-inclusive amount, and
// an amount no price gives is found to be one, at every rate and rounding.
TEST(ListPrice, ThePreTaxPriceIsTheOneWhoseTaxIncludedAmountIsThePrice) {
    constexpr std::int64_t kUpTo = 30000;
    for (const TaxRate rate : {TaxRate::Standard, TaxRate::Reduced, TaxRate::Exempt}) {
        for (const TaxRounding rounding :
             {TaxRounding::Floor, TaxRounding::HalfUp, TaxRounding::Ceiling}) {
            SCOPED_TRACE(std::to_string(ratePercent(rate)) + "% rounding " +
                         std::to_string(static_cast<int>(rounding)));
            std::map<std::int64_t, std::int64_t> given;  // tax-inclusive -> pre-tax
            for (std::int64_t base = 0; base <= kUpTo; ++base)
                given[taxIncludedYen(base, rate, rounding)] = base;
            long skipped = 0;
            for (std::int64_t amount = 0; amount <= given.rbegin()->first; ++amount) {
                const auto found = given.find(amount);
                const std::optional<std::int64_t> base = preTaxYenFor(amount, rate, rounding);
                if (found == given.end()) {
                    EXPECT_FALSE(base) << amount;
                    ++skipped;
                } else {
                    EXPECT_EQ(base, found->second) << amount;
                }
            }
            // A rate skips amounts; no rate gives none.
            EXPECT_EQ(skipped > 0, rate != TaxRate::Exempt);
        }
    }
    EXPECT_EQ(preTaxYenFor(kMaxPriceYen + 1, TaxRate::Standard, TaxRounding::Floor), std::nullopt);
    EXPECT_EQ(preTaxYenFor(-1, TaxRate::Standard, TaxRounding::Floor), std::nullopt);
}

TEST(ListPrice, APriceIsBroughtToWhatTheBoxHolds) {
    const PricePattern taxIncluded{PriceMode::TaxIncludedOnly, TaxRounding::Floor};
    const PricePattern dual{PriceMode::BaseAndTaxIncluded, TaxRounding::Floor};
    const struct {
        const char* text;
        PriceMeaning meaning;
        TaxRate rate;
        PricePattern pattern;
        const char* box;
        ListPriceOutcome outcome;
    } cases[] = {
        {"1,980", PriceMeaning::AsSheet, TaxRate::Standard, dual, "1,980",
         ListPriceOutcome::AsWritten},
        {"1,980", PriceMeaning::TaxIncluded, TaxRate::Standard, taxIncluded, "1,980",
         ListPriceOutcome::AsWritten},
        {"1,800", PriceMeaning::PreTax, TaxRate::Standard, taxIncluded, "1,980",
         ListPriceOutcome::Converted},
        {"¥1,000", PriceMeaning::PreTax, TaxRate::Reduced, taxIncluded, "1,080",
         ListPriceOutcome::Converted},
        {"１０００円", PriceMeaning::PreTax, TaxRate::Exempt, taxIncluded, "1,000",
         ListPriceOutcome::Converted},
        {"1980円", PriceMeaning::TaxIncluded, TaxRate::Standard, dual, "1,800",
         ListPriceOutcome::Converted},
        {"1,080", PriceMeaning::TaxIncluded, TaxRate::Reduced, dual, "1,000",
         ListPriceOutcome::Converted},
        {"10", PriceMeaning::TaxIncluded, TaxRate::Standard, dual, "10",
         ListPriceOutcome::NoPreTaxPrice},
        {"オープン", PriceMeaning::PreTax, TaxRate::Standard, taxIncluded, "オープン",
         ListPriceOutcome::NotAnAmount},
        {"", PriceMeaning::PreTax, TaxRate::Standard, taxIncluded, "", ListPriceOutcome::AsWritten},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ListPrice price = priceForBox(c.text, c.meaning, c.rate, c.pattern);
        EXPECT_EQ(price.text, c.box);
        EXPECT_EQ(price.outcome, c.outcome);
    }
    // Each price mode says what its box holds.
    for (const PriceModeRow& row : priceModeRows())
        EXPECT_NE(row.boxHolds, PriceMeaning::AsSheet);
    EXPECT_EQ(priceBoxHolds(PriceMode::TaxIncludedOnly), PriceMeaning::TaxIncluded);
    EXPECT_EQ(priceBoxHolds(PriceMode::BaseAndTaxIncluded), PriceMeaning::PreTax);
}
