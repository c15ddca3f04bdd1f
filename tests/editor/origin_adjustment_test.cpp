// The origin's adjustment to the tenth of a millimetre: Shift held on the
// "+" and "-" buttons, or a value typed into the box; whole-millimetre steps
// and the ±10 mm range stay as they were.
#include <gtest/gtest.h>

#include "editor/EditorHarness.h"
#include "editor/logic/OriginAdjustment.h"

namespace {

TEST(OriginAdjustment, TypedTextsAreTenthsOfAMillimetre) {
    const struct {
        const char* typed;
        std::optional<int> tenths;
    } cases[] = {
        {"1.5", 15},   {"-0.3", -3}, {"+1.2", 12},    {"２", 20},  {"－０．３", -3},
        {" 3 ", 30},   {"10", 100},  {"-10.0", -100}, {".5", 5},   {"4.", 40},
        {"−1.5", -15}, {"1.25", {}}, {"abc", {}},     {"", {}},    {"-", {}},
        {"1.5mm", {}}, {"1,5", {}},  {"99999", {}},   {"--1", {}}, {".", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseAdjustTenths(c.typed), c.tenths) << c.typed;
}

class FineOrigin : public ::testing::Test {
  protected:
    void SetUp() override { h.open(); }
    std::string shown(int axis) const { return originAdjustText(h.view.shownLayout, axis); }
    double firstX() const { return h.editor.layout().stock.firstLabel.x; }
    double firstY() const { return h.editor.layout().stock.firstLabel.y; }
    EditorHarness h;
};

TEST_F(FineOrigin, ShiftStepsATenthAndWholeStepsGoOnFromThere) {
    h.view.click([&] { h.editor.moveOriginFine(Axis::X, +1); });
    EXPECT_EQ(shown(0), "0.1");
    EXPECT_DOUBLE_EQ(h.editor.layout().originX, firstX() + 0.1);
    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    EXPECT_EQ(shown(0), "1.1");
    EXPECT_DOUBLE_EQ(h.editor.layout().originX, firstX() + 1.1);
    for (int i = 0; i < 12; ++i)
        h.view.click([&] { h.editor.moveOriginFine(Axis::Y, -1); });
    EXPECT_EQ(shown(1), "-1.2");
    EXPECT_DOUBLE_EQ(h.editor.layout().originY, firstY() - 1.2);
    // Back to whole millimetres: the box shows the text as it always has.
    h.view.click([&] { h.editor.moveOriginFine(Axis::X, -1); });
    EXPECT_EQ(shown(0), "1");
    EXPECT_EQ(h.editor.layout().xAdjustText, "1");
    EXPECT_EQ(h.editor.layout().xFineTenths, 0);
    h.view.click([&] { h.editor.undo(); });
    EXPECT_EQ(shown(0), "1.1");
}

TEST_F(FineOrigin, TheRangeStaysTenMillimetresEitherWay) {
    h.view.click([&] { h.editor.typeOriginAdjustment(Axis::X, "9.5"); });
    h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });  // 10.5: refused
    EXPECT_EQ(shown(0), "9.5");
    for (int i = 0; i < 8; ++i)
        h.view.click([&] { h.editor.moveOriginFine(Axis::X, +1); });
    EXPECT_EQ(shown(0), "10");
    EXPECT_DOUBLE_EQ(h.editor.layout().originX, firstX() + 10.0);
    // Whole steps alone, as they always were.
    for (int i = 0; i < 25; ++i)
        h.view.click([&] { h.editor.moveOrigin(Axis::Y, -1); });
    EXPECT_EQ(shown(1), "-10");
    EXPECT_EQ(h.editor.layout().yFineTenths, 0);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(FineOrigin, ATypedValueMovesTheOriginOrIsRefusedWithAMessage) {
    h.view.click([&] { h.editor.typeOriginAdjustment(Axis::Y, "－２．５"); });
    EXPECT_EQ(shown(1), "-2.5");
    EXPECT_DOUBLE_EQ(h.editor.layout().originY, firstY() - 2.5);
    EXPECT_EQ(h.editor.historyStepName(HistoryDirection::Undo), "印字位置調整");
    for (const char* refused : {"12", "1.25", "右へ 2"}) {
        h.dialogs.messages.clear();
        h.view.click([&] { h.editor.typeOriginAdjustment(Axis::Y, refused); });
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << refused;
        EXPECT_NE(h.dialogs.messages[0].text.find("Ｙ座標"), std::string::npos);
        EXPECT_EQ(shown(1), "-2.5") << refused;
    }
    h.view.click([&] { h.editor.typeOriginAdjustment(Axis::Y, "3"); });
    EXPECT_EQ(shown(1), "3");
    EXPECT_EQ(h.editor.layout().yFineTenths, 0);
}

}  // namespace
