// 位置合わせ印刷: the calibration sheet goes to the printer chosen in the
// set-up dialog, drawn with the origin the window's adjustment has set, and
// fails like any print.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/EditorHarness.h"

namespace {

class CalibrationPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        h.open();
        h.typeLabel({"4901234567894", "メーカー", "品名", "規格", "ロット", "100"});
    }
    bool printed(const std::string& call) const {
        const auto& calls = h.dialogs.printRecord->page.calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    EditorHarness h;
};

TEST_F(CalibrationPrint, DrawsTheLabelOutlinesFromTheOriginTheAdjustmentSet) {
    for (int i = 0; i < 3; ++i)
        h.view.click([&] { h.editor.moveOrigin(Axis::X, +1); });
    for (int i = 0; i < 2; ++i)
        h.view.click([&] { h.editor.moveOrigin(Axis::Y, -1); });
    h.view.click([&] { h.editor.printCalibration(); });

    const PrintRecord& page = *h.dialogs.printRecord;
    EXPECT_TRUE(page.finished);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(page.page.calls.front(), "unit mm");
    EXPECT_TRUE(printed("rect 15.00 5.80 91.00 55.00 #000000"));
    EXPECT_TRUE(printed("rect 106.00 225.80 91.00 55.00 #000000"));
    EXPECT_EQ(page.page.callsStartingWith("rect ").size(), 10u);
    // The calibration sheet only: nothing of the labels typed.
    for (const std::string& text : page.page.callsStartingWith("text "))
        EXPECT_EQ(text.find("品名"), std::string::npos) << text;
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

TEST_F(CalibrationPrint, FailsAsAnyPrintDoes) {
    h.dialogs.printer = FakeEditorDialogs::Printer::Cancel;
    h.view.click([&] { h.editor.printCalibration(); });
    EXPECT_TRUE(h.dialogs.printRecord->page.calls.empty());
    EXPECT_TRUE(h.dialogs.messages.empty());

    h.dialogs.printer = FakeEditorDialogs::Printer::Job;
    h.dialogs.printRecord->finishFailure =
        Result::failure(ResultCode::QueueStopped).withPrinter("Q");
    h.view.click([&] { h.editor.printCalibration(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        h.dialogs.messages[0].text,
        "印刷できませんでした。\nプリンターが停止しています: Q。再開してから印刷してください");

    h.dialogs.printRecord->finishFailure = {};
    h.dialogs.printRecord->page.failAfterCalls = 5;
    h.view.click([&] { h.editor.printCalibration(); });
    EXPECT_TRUE(h.dialogs.printRecord->aborted);
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_EQ(h.view.focused, InputBox::Text1);
}

}  // namespace
