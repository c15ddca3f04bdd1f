#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "barcode/JanCode.h"
#include "barcode/ModuleMatrix.h"
#include "barcode/Symbology.h"
#include "render/BarcodePainter.h"
#include "support/RecordingSurface.h"

namespace {

// Valid codes of both lengths, every first digit's parity among them.
const char* const kCodes[] = {"4901234567894", "0234567890129", "9234567890120",
                              "49123456",      "96385074",      "49012347"};

// A JAN symbol is one row: the pattern the label file and the tests know, dark
// wherever the pattern is not '0', inside light quiet zones.
TEST(EncodeSymbol, JanSymbolsAgreeWithTheModulePattern) {
    for (const std::string code : kCodes) {
        SCOPED_TRACE(code);
        const std::optional<Symbology> symbology = janSymbologyForLength(code.size());
        ASSERT_TRUE(symbology);
        const ModuleMatrix matrix = encodeSymbol(*symbology, code);
        const std::string pattern = buildModulePattern(code);
        ASSERT_EQ(matrix.width(), static_cast<int>(pattern.size()));
        ASSERT_EQ(matrix.height(), 1);
        for (int i = 0; i < matrix.width(); ++i)
            EXPECT_EQ(matrix.isDark(i, 0), pattern[static_cast<std::size_t>(i)] != '0') << i;
    }
}

// Between its quiet zones an EAN-13 symbol is 95 modules and an EAN-8 symbol
// 67, each starting and ending with a dark guard bar; the quiet zones are
// light and the same as the symbology's table row gives.
TEST(EncodeSymbol, QuietZonesAroundTheSymbol) {
    const struct {
        const char* code;
        int symbolWidth;
    } cases[] = {{"4901234567894", 95}, {"49123456", 67}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const Symbology symbology = *janSymbologyForLength(std::string_view(c.code).size());
        const ModuleMatrix matrix = encodeSymbol(symbology, c.code);
        const QuietZone& quiet = matrix.quietZone();
        EXPECT_EQ(quiet, symbologyRow(symbology).quietZone);
        EXPECT_GT(quiet.left, 0);
        EXPECT_GT(quiet.right, 0);
        EXPECT_EQ(matrix.width() - quiet.left - quiet.right, c.symbolWidth);
        EXPECT_EQ(matrix.height() - quiet.top - quiet.bottom, 1);
        for (int i = 0; i < quiet.left; ++i)
            EXPECT_FALSE(matrix.isDark(i, 0)) << i;
        for (int i = matrix.width() - quiet.right; i < matrix.width(); ++i)
            EXPECT_FALSE(matrix.isDark(i, 0)) << i;
        EXPECT_TRUE(matrix.isDark(quiet.left, 0));
        EXPECT_TRUE(matrix.isDark(matrix.width() - quiet.right - 1, 0));
    }
}

TEST(EncodeSymbol, DataTheSymbologyCannotCarryGivesNothingToDraw) {
    for (const char* data : {"49123456", "490123456789X", "490123456789", ""})
        EXPECT_TRUE(encodeSymbol(Symbology::Ean13, data).empty()) << data;
    for (const char* data : {"4901234567894", "４９１２３４５６"})
        EXPECT_TRUE(encodeSymbol(Symbology::Ean8, data).empty()) << data;
}

// The one length rule, counted in characters; a code lacking its check digit
// is one character short of it.
TEST(Symbology, JanCodeLengths) {
    const struct {
        std::size_t characters;
        std::optional<Symbology> symbology;
    } cases[] = {{13, Symbology::Ean13}, {8, Symbology::Ean8}, {12, std::nullopt},
                 {7, std::nullopt},      {14, std::nullopt},   {0, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(janSymbologyForLength(c.characters), c.symbology) << c.characters;
}

TEST(ModuleMatrix, QuietZonePadsWithLightModules) {
    ModuleMatrix checker(2, 2);
    checker.setDark(0, 0);
    checker.setDark(1, 1);
    const ModuleMatrix padded = checker.withQuietZone({1, 2, 3, 4});
    ASSERT_EQ(padded.width(), 5);
    ASSERT_EQ(padded.height(), 9);
    EXPECT_EQ(padded.quietZone(), (QuietZone{1, 2, 3, 4}));
    EXPECT_TRUE(padded.isDark(1, 3));
    EXPECT_TRUE(padded.isDark(2, 4));
    EXPECT_FALSE(padded.isDark(0, 0));
    EXPECT_FALSE(padded.isDark(2, 3));

    EXPECT_TRUE(ModuleMatrix().withQuietZone({4, 4, 4, 4}).empty());
    EXPECT_TRUE(ModuleMatrix(0, 3).empty());
    EXPECT_TRUE(ModuleMatrix(3, -1).empty());
}

// A symbol of several rows, as a two-dimensional code is, painted on a
// printer: every module the same whole number of pixels each way, side by
// side without gaps or overlaps, dark exactly where the matrix is dark.
TEST(PaintModules, EveryModuleOfAMatrixIsTheSameWholePixels) {
    ModuleMatrix matrix(5, 3);
    for (int i = 0; i < 3; ++i)
        matrix.setDark(i + 1, i);
    RecordingSurface s;
    s.twipsX = s.twipsY = 2.4;  // 600 dpi
    paintModules(s, matrix, 10.0, 20.0, 20.0, 26.0);
    EXPECT_EQ(s.currentUnit, SurfaceUnit::Millimetres);
    const std::vector<std::string> fills = s.callsStartingWith("fill ");
    ASSERT_EQ(fills.size(), 15u);
    double x0, y0, w, h;
    ASSERT_EQ(std::sscanf(fills[0].c_str(), "fill %lf %lf %lf %lf", &x0, &y0, &w, &h), 4);
    // 10 x 6 mm at 600 dpi is 236 x 141 pixels: the modules fill it but for
    // less than one module (the bottom edge is drawn too).
    EXPECT_EQ(w, std::floor(w));
    EXPECT_EQ(h, std::floor(h));
    EXPECT_TRUE(5 * w <= 236 && 5 * (w + 1) > 236) << w;
    EXPECT_TRUE(3 * h <= 142 && 3 * (h + 1) > 142) << h;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            const double x = x0 + column * w, y = y0 + row * h;
            EXPECT_EQ(fills[static_cast<std::size_t>(row * 5 + column)],
                      "fill " + RecordingSurface::number(x) + " " + RecordingSurface::number(y) +
                          " " + RecordingSurface::number(w) + " " + RecordingSurface::number(h) +
                          (matrix.isDark(column, row) ? " #000000" : " #ffffff"));
        }
    }
    RecordingSurface none;
    paintModules(none, ModuleMatrix(), 10.0, 20.0, 20.0, 26.0);
    EXPECT_TRUE(none.calls.empty());
}

}  // namespace
