// The tax rate of each label and the sheet's price choices in the input window.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "editor/logic/EditorMessages.h"
#include "files/LabelDataFile.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"", "M" + s, "P" + s, "S" + s, "L" + s, std::to_string(100 * n)};
}

class TaxRates : public ::testing::Test {
  protected:
    void SetUp() override { h.open(); }
    TaxRate rate(int n) const { return h.editor.sheet().label(n).taxRate; }
    // The rate of labels 1..10, in percent.
    std::vector<int> rates() const {
        std::vector<int> out;
        for (int n = 1; n <= 10; ++n)
            out.push_back(ratePercent(rate(n)));
        return out;
    }
    void fillWithReducedAt(std::initializer_list<int> reduced) {
        h.setLabels([&](LabelSheet& sheet) {
            for (int n = 1; n <= 8; ++n)
                sheet.label(n) = record(n);
            for (int n : reduced)
                sheet.label(n).taxRate = TaxRate::Reduced;
        });
    }
    EditorHarness h;
};

TEST_F(TaxRates, TheRateControlChangesTheShownLabelAndLeavesTheFocus) {
    h.typeLabel(record(1));  // label 2 is current now
    h.view.focusBox(InputBox::Text5);
    h.view.type("980");
    const std::size_t paints = h.view.paints.size();
    h.view.shortcut([&] { h.editor.toggleTaxRate(); });
    EXPECT_EQ(rate(2), TaxRate::Reduced);
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);
    EXPECT_EQ(h.view.focused, InputBox::Text5);
    EXPECT_EQ(h.editor.currentLabel(), 2);
    EXPECT_GT(h.view.paints.size(), paints);  // the preview follows
    EXPECT_EQ(h.view.boxText(InputBox::Text5), "980");
    h.view.shortcut([&] { h.editor.toggleTaxRate(); });
    EXPECT_EQ(rate(2), TaxRate::Standard);
    h.view.shortcut([&] { h.editor.setTaxRate(TaxRate::Exempt); });
    h.view.shortcut([&] { h.editor.toggleTaxRate(); });
    EXPECT_EQ(rate(2), TaxRate::Standard);
    EXPECT_EQ(rate(1), TaxRate::Standard);
}

TEST_F(TaxRates, ANewLabelTakesTheRateOfTheOneBefore) {
    h.view.shortcut([&] { h.editor.setTaxRate(TaxRate::Reduced); });
    for (int n = 1; n <= 3; ++n)
        h.typeLabel(record(n));
    EXPECT_EQ(rates(), (std::vector<int>{8, 8, 8, 8, 10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);
    h.view.shortcut([&] { h.editor.setTaxRate(TaxRate::Standard); });
    h.typeLabel(record(4));
    EXPECT_EQ(rates(), (std::vector<int>{8, 8, 8, 10, 10, 10, 10, 10, 10, 10}));
    // A label already begun keeps its own rate when it is shown again.
    h.view.click([&] { h.editor.goFirst(); });
    h.view.click([&] { h.editor.goNext(); });
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);
}

TEST_F(TaxRates, CopyInsertDeleteAndClearCarryTheRate) {
    fillWithReducedAt({3});
    h.goToLabel(2);
    h.dialogs.answers.push_back(MessageAnswer::Yes);
    h.view.click([&] { h.editor.deleteLabel(); });
    EXPECT_EQ(h.editor.sheet().label(2).productName, "P3");
    EXPECT_EQ(rates(), (std::vector<int>{10, 8, 10, 10, 10, 10, 10, 10, 10, 10}));

    h.view.click([&] { h.editor.insertLabel(); });  // an empty label 2, 8 % moves to 3
    EXPECT_EQ(h.editor.sheet().label(3).productName, "P3");
    EXPECT_EQ(rate(3), TaxRate::Reduced);
    EXPECT_TRUE(h.editor.sheet().label(2).isEmpty());
    EXPECT_EQ(rate(2), TaxRate::Standard);  // the rate of label 1

    h.goToLabel(4);
    h.view.click([&] { h.editor.copyPrevious(); });
    EXPECT_EQ(h.editor.sheet().label(4), h.editor.sheet().label(3));
    EXPECT_EQ(rate(4), TaxRate::Reduced);

    h.goToLabel(4);
    h.view.click([&] { h.editor.clearLabel(); });
    EXPECT_TRUE(h.editor.sheet().label(4).isEmpty());
    EXPECT_EQ(rate(4), TaxRate::Reduced);  // cleared, then the rate of label 3
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);
}

TEST_F(TaxRates, PreviousCandidateBringsTheRateWithAProductName) {
    fillWithReducedAt({2});
    h.goToLabel(3);
    h.view.focusBox(InputBox::Text2);
    h.view.shortcut([&] { h.editor.previousCandidate(); });  // a maker: the rate stays
    EXPECT_EQ(rate(3), TaxRate::Standard);
    h.view.focusBox(InputBox::Text3);
    h.view.shortcut([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(h.editor.sheet().label(3).productName, "P2");
    EXPECT_EQ(rate(3), TaxRate::Reduced);
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);
    h.view.shortcut([&] { h.editor.previousCandidate(); });
    EXPECT_EQ(h.editor.sheet().label(3).productName, "P1");
    EXPECT_EQ(rate(3), TaxRate::Standard);
}

TEST_F(TaxRates, LabelsWithoutTaxLineAreNamedWithTheReason) {
    h.view.click([&] { h.editor.setPriceMode(PriceMode::BaseAndTaxIncluded); });
    EXPECT_EQ(h.view.priceNote, "");
    h.typeLabel({"", "", "牛乳", "", "", "オープン価格"});
    EXPECT_EQ(h.view.priceNote,
              "ラベル 1 の売価等は円の整数ではないため、税込の行は印刷されません");
    h.typeLabel({"", "", "米", "", "", "1000000000000"});
    h.typeLabel({"", "", "塩", "", "", "￥1,980"});
    h.typeLabel({"", "", "", "", "", "時価"});  // no product name: not printed at all
    EXPECT_EQ(h.view.priceNote,
              "ラベル 1 の売価等は円の整数ではないため、税込の行は印刷されません (ほか 1 枚)");
    h.goToLabel(1);
    h.view.click([&] { h.editor.clearLabel(); });
    EXPECT_EQ(h.view.priceNote, "ラベル 2 の売価等は大きすぎるため、税込の行は印刷されません");
    h.view.click([&] { h.editor.setPriceMode(PriceMode::TaxIncludedOnly); });
    EXPECT_EQ(h.view.priceNote, "");  // prices are printed as typed
}

TEST_F(TaxRates, PriceModeAndRoundingArePartOfThePattern) {
    h.view.click([&] { h.editor.setPriceMode(PriceMode::BaseAndTaxIncluded); });
    h.view.click([&] { h.editor.setTaxRounding(TaxRounding::Ceiling); });
    const PricePattern dual{PriceMode::BaseAndTaxIncluded, TaxRounding::Ceiling};
    EXPECT_EQ(h.editor.layout().pricing, dual);
    EXPECT_EQ(h.view.shownLayout.pricing, dual);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
    // デフォルト restores the look of the pattern, not the way prices are shown.
    h.dialogs.answers.push_back(MessageAnswer::Yes);
    h.view.click([&] { h.editor.restoreDefaultLayout(); });
    EXPECT_EQ(h.editor.layout().pricing, dual);
}

TEST(TaxRateFiles, ASavedDualSheetOpensWithItsRatesAndADamagedOneWarns) {
    TempFolder tmp("tanahuda-tax-editor");
    const std::string path = tmp.path("税込.csv");
    {
        EditorHarness h;
        h.open();
        h.view.click([&] { h.editor.setPriceMode(PriceMode::BaseAndTaxIncluded); });
        h.view.shortcut([&] { h.editor.setTaxRate(TaxRate::Reduced); });
        h.typeLabel(record(1));
        h.view.shortcut([&] { h.editor.setTaxRate(TaxRate::Standard); });
        h.typeLabel(record(2));
        h.dialogs.saveChoices.push_back(path);
        h.view.click([&] { h.editor.saveFileAs(); });
        ASSERT_TRUE(h.dialogs.messages.empty());
    }
    EditorHarness h;
    h.open();
    h.dialogs.openChoices.push_back(path);
    h.view.click([&] { h.editor.openFile(); });
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.editor.layout().pricing.mode, PriceMode::BaseAndTaxIncluded);
    EXPECT_EQ(h.editor.sheet().label(1).taxRate, TaxRate::Reduced);
    EXPECT_EQ(h.editor.sheet().label(2).taxRate, TaxRate::Standard);
    EXPECT_EQ(h.view.shownRate, TaxRate::Reduced);

    std::string bytes = tmp.get("税込.csv");
    bytes.replace(bytes.rfind(",8,"), 3, ",9,");
    tmp.put("税込.csv", bytes);
    h.dialogs.openChoices.push_back(path);
    h.view.click([&] { h.editor.openFile(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], messages::notice(messages::kPriceLinesDamagedInFile));
    EXPECT_EQ(h.editor.sheet().label(1).productName, "P1");
    EXPECT_EQ(h.editor.sheet().label(1).taxRate, TaxRate::Standard);
    EXPECT_EQ(h.editor.layout().pricing, PricePattern{});
    EXPECT_EQ(h.editor.currentFileName(), path);
}

}  // namespace
