#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "barcode/JanCode.h"
#include "render/BarcodePainter.h"
#include "support/RecordingSurface.h"

namespace {

// The module pattern of 4901234567894, as the symbology gives it.
constexpr const char* kPattern4901234567894 =
    "00000000020200010110100111001100100100110100001001110103030100111010100001000100100100011101"
    "001011100404000000000";

RecordingSurface printerAt600Dpi() {
    RecordingSurface s;
    s.twipsX = 2.4;
    s.twipsY = 2.4;
    s.currentUnit = SurfaceUnit::Millimetres;
    return s;
}

std::string fill(double x, double y, double w, double h, bool dark) {
    return "fill " + RecordingSurface::number(x) + " " + RecordingSurface::number(y) + " " +
           RecordingSurface::number(w) + " " + RecordingSurface::number(h) +
           (dark ? " #000000" : " #ffffff");
}

// The fills a pixel-path barcode must consist of: module i (from 0) at
// x0 + i * w, every one w wide and height + 1 high (both corners included).
std::vector<std::string> pixelModules(const std::string& pattern, long x0, long y0, long w,
                                      long height) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        out.push_back(fill(static_cast<double>(x0 + static_cast<long>(i) * w),
                           static_cast<double>(y0), static_cast<double>(w),
                           static_cast<double>(height + 1), pattern[i] != '0'));
    return out;
}

std::vector<std::string> fills(const RecordingSurface& s) {
    return s.callsStartingWith("fill ");
}

// 600 dpi, 55 x 10 mm: 1299 pixels across, 11 a module, 236 high.
TEST(DrawEan13Barcode, WorkedExampleAt600Dpi) {
    RecordingSurface s = printerAt600Dpi();
    // The rectangle of label 1 at the default origin: (52, 12.8)-(107, 22.8) mm.
    EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", 52.0, 12.8, 107.0, 22.8));
    ASSERT_EQ(s.calls.size(), 115u);
    EXPECT_EQ(s.calls.front(), "unit px");
    EXPECT_EQ(s.calls.back(), "unit mm");
    EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres);
    // X0 = floor(52 * 56.7 / 2.4) = 1228, Y0 = floor(12.8 * 56.7 / 2.4) = 302.
    EXPECT_EQ(fills(s), pixelModules(kPattern4901234567894, 1228, 302, 11, 236));
    EXPECT_EQ(s.calls[1], "fill 1228.00 302.00 11.00 237.00 #ffffff");
    EXPECT_EQ(s.calls[10], "fill 1327.00 302.00 11.00 237.00 #000000");  // start guard
    // 113 modules of 11 pixels: 1243 pixels, the rest of the 1299 untouched.
    EXPECT_EQ(s.calls[113], "fill 2460.00 302.00 11.00 237.00 #ffffff");
}

TEST(DrawEan13Barcode, EightDigitsGetWiderModules) {
    RecordingSurface s = printerAt600Dpi();
    EXPECT_TRUE(drawEan13Barcode(s, "49123456", 52.0, 12.8, 107.0, 22.8));
    const std::string pattern = buildModulePattern("49123456");
    ASSERT_EQ(pattern.size(), 85u);
    EXPECT_EQ(fills(s), pixelModules(pattern, 1228, 302, 15, 236));  // 1299 div 85 = 15
    EXPECT_EQ(s.calls.back(), "unit mm");
}

// Millimetres and pixels take the pixel path; the rectangle is floored to
// whole pixels, values exactly on a pixel boundary included.
TEST(DrawEan13Barcode, PixelPathInEveryUnit) {
    struct Case {
        SurfaceUnit unit;
        double tx, ty;
        double x1, y1, x2, y2;
        long x0, y0, w, height;
    };
    const Case cases[] = {
        {SurfaceUnit::Millimetres, 2.4, 2.4, 52.0, 12.8, 107.0, 22.8, 1228, 302, 11, 236},
        {SurfaceUnit::Millimetres, 1.2, 2.4, 52.0, 12.8, 107.0, 22.8, 2457, 302, 22, 236},
        // Pixels already: only floored.
        {SurfaceUnit::Pixels, 99, 99, 10.7, 20.2, 310.7, 70.9, 10, 20, 2, 50},
        // 4 mm at 1200 dpi is exactly 189 pixels, though the product in
        // doubles falls just short.
        {SurfaceUnit::Millimetres, 1.2, 1.2, 52.0, 4.2, 107.0, 8.2, 2457, 198, 22, 189},
    };
    for (const Case& c : cases) {
        RecordingSurface s;
        s.twipsX = c.tx;
        s.twipsY = c.ty;
        s.currentUnit = c.unit;
        const std::string unitLine = "unit " + RecordingSurface::unitName(c.unit);
        EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", c.x1, c.y1, c.x2, c.y2));
        EXPECT_EQ(fills(s), pixelModules(kPattern4901234567894, c.x0, c.y0, c.w, c.height))
            << unitLine;
        ASSERT_FALSE(s.calls.empty());
        EXPECT_EQ(s.calls.front(), "unit px") << unitLine;
        EXPECT_EQ(s.calls.back(), unitLine);
        EXPECT_EQ(s.currentUnit, c.unit) << unitLine;
    }
}

// Narrower than one pixel a module: the modules are drawn in the surface's
// own unit, each (N div n) / 100 wide less 0.01, N being the width in
// hundredths rounded half to even.
TEST(DrawEan13Barcode, FallbackBelowOnePixelAModule) {
    RecordingSurface s = printerAt600Dpi();
    // 4 mm is 94 pixels, fewer than 113 modules. N = 400, 400 div 113 = 3.
    EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", 20.0, 30.0, 24.0, 40.0));
    ASSERT_EQ(s.calls.size(), 115u);
    EXPECT_EQ(s.calls[0], "unit px");
    EXPECT_EQ(s.calls[1], "unit mm");  // restored before drawing
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < 113; ++i)
        expected.push_back(fill(20.0 + 0.03 * static_cast<double>(i), 30.0, 0.02, 10.0,
                                kPattern4901234567894[i] != '0'));
    EXPECT_EQ(fills(s), expected);
    EXPECT_EQ(s.calls[2], "fill 20.00 30.00 0.02 10.00 #ffffff");
    EXPECT_EQ(s.calls[114], "fill 23.36 30.00 0.02 10.00 #ffffff");
    EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres);
}

TEST(DrawEan13Barcode, FallbackTooNarrowForAnyModuleDrawsNothing) {
    // 1.12 mm: 112 div 113 = 0 hundredths a module; 1.13 mm gives 0.01, and a
    // module 0.01 - 0.01 wide. Neither can be drawn: no rectangles at all
    // (never a negative width), and the unit is the old one.
    for (double width : {1.0, 1.12, 1.13}) {
        RecordingSurface s = printerAt600Dpi();
        s.twipsX = s.twipsY = 100000;
        EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", 20.0, 30.0, 20.0 + width, 40.0));
        EXPECT_TRUE(fills(s).empty()) << width;
        EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres);
    }
}

// A pixel size so small that the rectangle has no whole number of pixels
// falls back to the surface's unit; a rectangle that is not a number at all
// draws nothing. The unit is restored either way.
TEST(DrawEan13Barcode, RectanglesBeyondAnyPageAreNotConverted) {
    RecordingSurface tiny = printerAt600Dpi();
    tiny.twipsX = tiny.twipsY = 1e-300;
    EXPECT_TRUE(drawEan13Barcode(tiny, "4901234567894", 52.0, 12.8, 107.0, 22.8));
    const std::vector<std::string> f = fills(tiny);
    ASSERT_EQ(f.size(), 113u);
    EXPECT_EQ(f[0], "fill 52.00 12.80 0.47 10.00 #ffffff");  // 5500 div 113 = 48 hundredths
    EXPECT_EQ(tiny.currentUnit, SurfaceUnit::Millimetres);

    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const double rects[][4] = {
        {nan, 0, 55, 10}, {0, 0, inf, 10}, {-inf, 0, 55, 10}, {0, 0, 55, nan}, {0, 0, 1e300, 10}};
    for (const auto& r : rects) {
        RecordingSurface s = printerAt600Dpi();
        EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", r[0], r[1], r[2], r[3]));
        EXPECT_TRUE(fills(s).empty()) << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
        EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres);
    }
}

TEST(DrawEan13Barcode, FallbackWidthRoundsHalfToEven) {
    // 57.625 mm is exactly 5762.5 hundredths: to even 5762, 5762 div 113 = 50,
    // so 0.50 a module (rounding the half up would give 5763 = 113 * 51).
    RecordingSurface s;
    s.currentUnit = SurfaceUnit::Millimetres;
    s.twipsX = s.twipsY = 100000;  // pixels far coarser than a module
    EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", 1.0, 2.0, 58.625, 3.0));
    const std::vector<std::string> f = fills(s);
    ASSERT_EQ(f.size(), 113u);
    EXPECT_EQ(f[1], "fill 1.50 2.00 0.49 1.00 #ffffff");
    EXPECT_EQ(f[9], "fill 5.50 2.00 0.49 1.00 #000000");
    EXPECT_EQ(f[112], "fill 57.00 2.00 0.49 1.00 #ffffff");
}

TEST(DrawEan13Barcode, WrongCheckDigitDrawsNothing) {
    for (const char* code : {"4901234567890", "49123457", "490123456789X", "490123456789", ""}) {
        RecordingSurface s = printerAt600Dpi();
        EXPECT_FALSE(drawEan13Barcode(s, code, 52.0, 12.8, 107.0, 22.8)) << code;
        EXPECT_TRUE(s.calls.empty()) << code;
        EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres) << code;
    }
}

TEST(DrawEan13Barcode, ScreenSurfaceUsesItsOwnPixelSize) {
    RecordingSurface s;  // a 96 dpi screen picture in millimetres
    s.currentUnit = SurfaceUnit::Millimetres;
    EXPECT_TRUE(drawEan13Barcode(s, "4901234567894", 52.0, 12.8, 107.0, 22.8));
    // 55 mm = floor(207.9) = 207 px: 1 a module; X0 = floor(196.56), Y0 = floor(48.384).
    EXPECT_EQ(fills(s), pixelModules(kPattern4901234567894, 196, 48, 1, 37));
}

}  // namespace
