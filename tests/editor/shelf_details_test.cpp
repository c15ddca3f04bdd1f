// A label's details in the input window (contents, base quantity, regular
// price, period, origin), the third price mode, and the price box settling
// full-width digits into ASCII when it is left.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"

namespace {

LabelRecord record(int n) {
    const std::string s = std::to_string(n);
    return {"", "M" + s, "P" + s, "S" + s, "L" + s, std::to_string(100 * n)};
}

class ShelfDetailsInWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        h.fillLabels([](int n) { return n <= 4 ? record(n) : LabelRecord{}; });
    }
    EditorHarness h;
};

TEST_F(ShelfDetailsInWindow, ADetailGoesIntoTheShownLabelAndComesBackWithIt) {
    h.goToLabel(2);
    h.editor.setLabelDetail(ShelfDetailField::Contents, "500g");
    h.editor.setLabelDetail(ShelfDetailField::Origin, "静岡県産");
    EXPECT_EQ(h.editor.sheet().label(2).details.contents, "500g");
    EXPECT_EQ(h.editor.sheet().label(2).details.origin, "静岡県産");
    EXPECT_TRUE(h.editor.sheet().label(1).details.isEmpty());
    h.goToLabel(3);
    EXPECT_TRUE(h.view.shownDetails.isEmpty());
    h.goToLabel(2);
    EXPECT_EQ(h.view.shownDetails.contents, "500g");
    EXPECT_EQ(h.view.shownDetails.origin, "静岡県産");
}

TEST_F(ShelfDetailsInWindow, EachDetailIsOneStepOfTheHistory) {
    h.goToLabel(1);
    h.editor.setLabelDetail(ShelfDetailField::RegularPrice, "1280");
    h.editor.setLabelDetail(ShelfDetailField::SalePeriod, "12/10まで");
    h.editor.setLabelDetail(ShelfDetailField::SalePeriod, "12/10まで");  // unchanged: no step
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "内容量・特売・産地");
    h.editor.undo();
    EXPECT_EQ(h.editor.sheet().label(1).details.salePeriod, "");
    EXPECT_EQ(h.editor.sheet().label(1).details.regularPrice, "1280");
    h.editor.undo();
    EXPECT_TRUE(h.editor.sheet().label(1).details.isEmpty());
    h.editor.redo();
    EXPECT_EQ(h.editor.sheet().label(1).details.regularPrice, "1280");
}

TEST_F(ShelfDetailsInWindow, DetailsTravelWithTheirLabelAndAClearTakesThem) {
    h.goToLabel(2);
    h.editor.setLabelDetail(ShelfDetailField::Origin, "国産");
    h.view.click([&] { h.editor.insertLabel(); });  // label 2 moves to 3
    EXPECT_EQ(h.editor.sheet().label(3).details.origin, "国産");
    EXPECT_TRUE(h.editor.sheet().label(2).details.isEmpty());
    h.goToLabel(3);
    h.view.click([&] { h.editor.clearLabel(); });
    EXPECT_TRUE(h.editor.sheet().label(3).details.isEmpty());
}

TEST_F(ShelfDetailsInWindow, TheStatusLineTellsADetailsProblemAtOnce) {
    h.goToLabel(1);
    h.editor.setLabelDetail(ShelfDetailField::RegularPrice, "50");  // below 100
    EXPECT_NE(h.view.statusLine.find("通常価格"), std::string::npos) << h.view.statusLine;
}

TEST_F(ShelfDetailsInWindow, APriceTypedInFullWidthIsWrittenBackInAscii) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"１，９８０", "1,980"},
        {"￥９８０円", "￥980円"},
        {"１２．５", "12.5"},
        {"オープン", "オープン"},
    };
    for (const Case& c : cases) {
        h.goToLabel(4);
        h.view.focusBox(InputBox::Text5);
        h.view.type(c.typed);
        h.view.focusBox(InputBox::Text1);  // leaving the box
        EXPECT_EQ(h.editor.sheet().label(4).price, c.kept) << c.typed;
    }
}

TEST_F(ShelfDetailsInWindow, TheThirdPriceModeIsChosenAndUndoneAsTheOthers) {
    h.editor.setPriceMode(PriceMode::TaxIncludedWithBase);
    EXPECT_EQ(h.editor.layout().pricing.mode, PriceMode::TaxIncludedWithBase);
    h.editor.undo();
    EXPECT_EQ(h.editor.layout().pricing.mode, PriceMode::TaxIncludedOnly);
}

}  // namespace
