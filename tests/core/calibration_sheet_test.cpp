// The calibration sheet's drawing: outlines and crosses where the origin puts
// the labels, the two scales at the default origin's marks, for the default
// origin and one moved +3 / -2 mm.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/LayoutSettings.h"
#include "render/CalibrationSheet.h"
#include "support/RecordingSurface.h"

namespace {

using Lines = std::vector<std::string>;

std::string n(double v) {
    return RecordingSurface::number(v);
}

std::string line(double x1, double y1, double x2, double y2) {
    return "line " + n(x1) + " " + n(y1) + " " + n(x2) + " " + n(y2) + " #000000";
}

bool has(const Lines& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

struct Origin {
    double x, y;
    const char* setting;  // as the sheet states it
};

class CalibrationSheetTest : public ::testing::TestWithParam<Origin> {};

TEST_P(CalibrationSheetTest, OutlinesAndCrossesStandWhereTheOriginPutsTheLabels) {
    const Origin o = GetParam();
    LayoutSettings layout = initialLayoutSettings();
    layout.originX = o.x;
    layout.originY = o.y;
    RecordingSurface surface;
    drawCalibrationSheet(surface, layout);

    Lines outlines;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 2; ++column) {
            const double x = o.x + 91.0 * column, y = o.y + 55.0 * row;
            outlines.push_back("rect " + n(x) + " " + n(y) + " 91.00 55.00 #000000");
            EXPECT_TRUE(has(surface.calls, line(x - 4, y, x + 4, y))) << x << "," << y;
            EXPECT_TRUE(has(surface.calls, line(x, y - 4, x, y + 4))) << x << "," << y;
        }
    }
    EXPECT_EQ(surface.callsStartingWith("rect "), outlines);
    // Outlines, not filled boxes, in millimetres.
    EXPECT_EQ(surface.calls.front(), "unit mm");
    const auto transparent = std::find(surface.calls.begin(), surface.calls.end(), "transparent");
    const auto firstRect = std::find(surface.calls.begin(), surface.calls.end(), outlines.front());
    EXPECT_LT(transparent, firstRect);
    EXPECT_TRUE(surface.callsStartingWith("fill ").empty());
    EXPECT_TRUE(
        has(surface.calls, "text " + n(o.x + 32.0) + " " + n(o.y + 6.0) + " \"位置合わせ印刷\""));
    bool statesSetting = false;
    for (const std::string& text : surface.callsStartingWith("text ")) {
        statesSetting |= text.find(o.setting) != std::string::npos;
    }
    EXPECT_TRUE(statesSetting) << o.setting;
}

TEST_P(CalibrationSheetTest, ScalesMarkTheAdjustmentsFromMinusTenToTen) {
    const Origin o = GetParam();
    LayoutSettings layout = initialLayoutSettings();
    layout.originX = o.x;
    layout.originY = o.y;
    RecordingSurface surface;
    drawCalibrationSheet(surface, layout);

    // The X scale across the first label's left edge, 20 mm below its top;
    // the Y scale across its top edge, 20 mm right of its left. Mark v where
    // the edge stands with adjustment v: the default origin + v.
    const double xScale = o.y + 20.0, yScale = o.x + 20.0;
    EXPECT_TRUE(has(surface.calls, line(2.0, xScale, 22.0, xScale)));
    EXPECT_TRUE(has(surface.calls, line(yScale, -2.2, yScale, 17.8)));
    for (int v = -10; v <= 10; ++v) {
        const double length = v % 5 == 0 ? 4.0 : 1.5;
        EXPECT_TRUE(has(surface.calls, line(12.0 + v, xScale, 12.0 + v, xScale + length))) << v;
        EXPECT_TRUE(has(surface.calls, line(yScale, 7.8 + v, yScale + length, 7.8 + v))) << v;
    }
    // Numbers beside every fifth mark, clear of it by 0.4 mm.
    const struct {
        int v;
        const char* text;
    } numbers[] = {{-10, "-10"}, {-5, "-5"}, {0, "0"}, {5, "+5"}, {10, "+10"}};
    for (const auto& number : numbers) {
        const std::string quoted = std::string(" \"") + number.text + "\"";
        EXPECT_TRUE(
            has(surface.calls, "text " + n(12.4 + number.v) + " " + n(xScale + 1.9) + quoted))
            << number.text;
        EXPECT_TRUE(
            has(surface.calls, "text " + n(yScale + 1.9) + " " + n(8.2 + number.v) + quoted))
            << number.text;
    }
    EXPECT_EQ(surface.callsStartingWith("line ").size(), 10u * 2 + 2 + 2 * 21);
}

INSTANTIATE_TEST_SUITE_P(Origins, CalibrationSheetTest,
                         ::testing::Values(Origin{12.0, 7.8, "Ｘ 0  Ｙ 0"},
                                           Origin{15.0, 5.8, "Ｘ +3  Ｙ -2"}));

TEST(CalibrationSheetLines, AreAboutASixthOfAMillimetreOnAnyDeviceAndPutBack) {
    const struct {
        double twipsPerPixel;
        const char* width;
    } devices[] = {{15.0, "linewidth 1"}, {4.8, "linewidth 2"}, {2.4, "linewidth 4"}};
    for (const auto& d : devices) {
        RecordingSurface surface;
        surface.twipsX = surface.twipsY = d.twipsPerPixel;
        drawCalibrationSheet(surface, initialLayoutSettings());
        const Lines widths = surface.callsStartingWith("linewidth ");
        ASSERT_EQ(widths.size(), 2u);
        EXPECT_EQ(widths.front(), d.width) << d.twipsPerPixel;
        EXPECT_EQ(widths.back(), "linewidth 1");
    }
}

}  // namespace
