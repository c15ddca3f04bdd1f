// The QPainter surface on images: units, pixel-exact rectangles, colours, the
// device's pixel size, and barcode modules in whole pixels.

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <string>
#include <vector>

#include "PlatformTestSupport.h"
#include "barcode/JanCode.h"
#include "platform/QtPaintSurface.h"
#include "render/BarcodePainter.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;
constexpr QRgb kGreyBackground = 0xFF808080;

class PaintSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override { ensureGuiApplication(); }
};

struct UnitCase {
    SurfaceUnit unit;
    double x, y, width, height;
};

TEST_F(PaintSurfaceTest, FilledRectangleCoversTheSameDevicePixelsInEveryUnit) {
    // At 96 dpi one inch is 96 px.
    const std::vector<UnitCase> cases = {
        {SurfaceUnit::Millimetres, 25.4, 12.7, 50.8, 25.4},
        {SurfaceUnit::Pixels, 96, 48, 192, 96},
    };
    for (const UnitCase& c : cases) {
        QImage image = blankImage(400, 200, 96);
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        surface.setUnit(c.unit);
        EXPECT_EQ(surface.unit(), c.unit);
        surface.fillRect(c.x, c.y, c.width, c.height, 0);
        painter.end();
        EXPECT_EQ(paintedBounds(image, kWhite), QRect(96, 48, 192, 96))
            << "unit " << static_cast<int>(c.unit);
    }
}

TEST_F(PaintSurfaceTest, MillimetresFollowTheDeviceResolution) {
    // 10 mm at 600 dpi: 236.22 px.
    QImage image = blankImage(600, 600, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    EXPECT_EQ(surface.unit(), SurfaceUnit::Millimetres);
    surface.fillRect(10, 5, 10, 10, 0);
    painter.end();
    EXPECT_EQ(paintedBounds(image, kWhite), QRect(236, 118, 236, 236));
}

TEST_F(PaintSurfaceTest, RectanglesSharingAnEdgeMeetWithoutSeamOrOverlap) {
    // Edges at 1.1, 1.6 and 2.3 mm fall between device pixels at 96 dpi.
    QImage image = blankImage(40, 20, 96);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.fillRect(1.1, 1.0, 0.5, 2.0, 0x0000FF);
    surface.fillRect(1.6, 1.0, 0.7, 2.0, 0xFF0000);
    painter.end();
    const int y = 5;
    std::string row;
    for (int x = 0; x < 12; ++x) {
        const QRgb p = image.pixel(x, y);
        row += p == kWhite ? '.' : p == qRgb(255, 0, 0) ? 'R' : p == qRgb(0, 0, 255) ? 'B' : '?';
    }
    // 1.1 mm = 4.16 px, 1.6 mm = 6.05 px, 2.3 mm = 8.69 px.
    EXPECT_EQ(row, "....RRBBB...");
}

TEST_F(PaintSurfaceTest, PixelRectanglesCoverExactlyTheirPixels) {
    QImage image = blankImage(100, 300, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Pixels);
    surface.fillRect(10, 20, 11, 237, 0);
    painter.end();
    EXPECT_EQ(paintedBounds(image, kWhite), QRect(10, 20, 11, 237));
}

TEST_F(PaintSurfaceTest, ColoursAreRedInTheLowestByte) {
    struct ColourCase {
        Color color;
        QRgb pixel;
    };
    const std::vector<ColourCase> cases = {
        {0x0000FF, qRgb(255, 0, 0)}, {0x00FF00, qRgb(0, 255, 0)},
        {0xFF0000, qRgb(0, 0, 255)}, {0x804020, qRgb(0x20, 0x40, 0x80)},
        {0, qRgb(0, 0, 0)},
    };
    for (const ColourCase& c : cases) {
        QImage image = blankImage(10, 10, 96);
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        surface.setUnit(SurfaceUnit::Pixels);
        surface.fillRect(0, 0, 10, 10, c.color);
        painter.end();
        EXPECT_EQ(image.pixel(5, 5), c.pixel) << std::hex << c.color;
    }
}

TEST_F(PaintSurfaceTest, OutlineRunsThroughBothCornersAndLeavesTheInsideUnfilled) {
    QImage image = blankImage(60, 40, 96);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Pixels);
    surface.fillRect(12, 12, 10, 5, 0xFF0000);  // must show through the outline
    surface.setTransparentFill();
    surface.drawRect(10, 10, 20, 10, 0x808080);
    painter.end();
    EXPECT_EQ(paintedBounds(image, kWhite), QRect(10, 10, 21, 11));
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    EXPECT_EQ(image.pixel(10, 15), grey);
    EXPECT_EQ(image.pixel(30, 15), grey);
    EXPECT_EQ(image.pixel(20, 10), grey);
    EXPECT_EQ(image.pixel(20, 20), grey);
    EXPECT_EQ(image.pixel(15, 14), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(25, 15), kWhite);
}

TEST_F(PaintSurfaceTest, LinesHaveTheLineWidthInDevicePixels) {
    QImage image = blankImage(80, 80, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Pixels);
    surface.setLineWidth(3);
    surface.drawLine(10, 40, 60, 40, 0);
    painter.end();
    const QRect bounds = paintedBounds(image, kWhite);
    EXPECT_EQ(bounds.height(), 3);
    EXPECT_GE(bounds.width(), 51);
}

TEST_F(PaintSurfaceTest, PixelSizeIsTheDevices) {
    struct PixelCase {
        int dotsPerInch;
        double twipsPerPixel;
    };
    const std::vector<PixelCase> cases = {{600, 2.4}, {300, 4.8}, {1200, 1.2}, {96, 15.0}};
    for (const PixelCase& c : cases) {
        QImage image = blankImage(10, 10, c.dotsPerInch);
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        EXPECT_DOUBLE_EQ(surface.twipsPerPixelX(), c.twipsPerPixel) << c.dotsPerInch;
        EXPECT_DOUBLE_EQ(surface.twipsPerPixelY(), c.twipsPerPixel) << c.dotsPerInch;
    }
}

TEST_F(PaintSurfaceTest, NotOkWithoutAnActivePainterAndDrawsNothing) {
    QImage image = blankImage(20, 20, 96);
    QPainter painter;
    QtPaintSurface idle(painter);
    EXPECT_FALSE(idle.ok());
    idle.clear();
    idle.setFont(SurfaceFont{"ＭＳ 明朝", 16});
    idle.drawText(1, 1, "棚札");
    idle.fillRect(0, 0, 5, 5, 0);
    idle.drawRect(0, 0, 5, 5, 0);
    idle.drawLine(0, 0, 5, 5, 0);

    ASSERT_TRUE(painter.begin(&image));
    QtPaintSurface active(painter);
    EXPECT_TRUE(active.ok());
    painter.end();
    EXPECT_FALSE(active.ok());
    EXPECT_EQ(paintedBounds(image, kWhite), QRect());
}

TEST_F(PaintSurfaceTest, ClearPaintsTheWholeDeviceWhite) {
    QImage image = blankImage(30, 20, 96, kGreyBackground);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.clear();
    painter.end();
    EXPECT_EQ(paintedBounds(image, kWhite), QRect());
}

// Qt warnings raised while a test runs.
std::vector<std::string> g_warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        g_warnings.push_back(message.toStdString());
    }
}

TEST_F(PaintSurfaceTest, TextHasNoBackgroundAndAnUnusableSizeStillDraws) {
    QImage image = blankImage(200, 100, 96);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Pixels);
    surface.fillRect(0, 0, 200, 100, 0xFF0000);
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    for (double size : {0.0, -3.0, 16.0}) {
        surface.setFont(SurfaceFont{"ＭＳ 明朝", size, true, true, true});
        surface.setTextColor(0x0000FF);
        surface.drawText(10, 10 + size, "棚札 4901234567894");
    }
    qInstallMessageHandler(previous);
    painter.end();
    EXPECT_TRUE(g_warnings.empty()) << g_warnings.front();
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            EXPECT_NE(p, kWhite) << "background painted at " << x << "," << y;
            red += qRed(p) > 128 && qBlue(p) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 100);
}

// Reads the module widths of a barcode off row `y` of `image`: the colour of
// module i is taken over its w columns from `left`.
std::string readModules(const QImage& image, int left, int y, int w, int n, bool& uniform) {
    std::string modules;
    uniform = true;
    for (int i = 0; i < n; ++i) {
        const QRgb first = image.pixel(left + i * w, y);
        for (int k = 1; k < w; ++k) {
            uniform = uniform && image.pixel(left + i * w + k, y) == first;
        }
        modules += first == kBlackPixel ? '1' : first == kWhite ? '0' : '?';
    }
    return modules;
}

std::string darkLight(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        out += c == '0' ? '0' : '1';
    }
    return out;
}

struct BarcodeCase {
    const char* code;
    int moduleWidth;
    int moduleCount;
};

TEST_F(PaintSurfaceTest, BarcodeModulesAreWholeEqualPixelsAt600Dpi) {
    // A 55 × 10 mm rectangle at (2, 1) mm on a 600 dpi page: 1299 px wide,
    // left edge floor(2 × 56.7 / 2.4) = 47, top floor(1 × 56.7 / 2.4) = 23,
    // 236 px high with both corners painted (237 rows).
    const std::vector<BarcodeCase> cases = {{"4901234567894", 11, 113}, {"49123456", 15, 85}};
    for (const BarcodeCase& c : cases) {
        QImage image = blankImage(1400, 300, 600, kGreyBackground);
        QPainter painter(&image);
        QtPaintSurface surface(painter);
        ASSERT_TRUE(drawEan13Barcode(surface, c.code, 2, 1, 57, 11));
        EXPECT_EQ(surface.unit(), SurfaceUnit::Millimetres);
        painter.end();

        EXPECT_EQ(paintedBounds(image, kGreyBackground),
                  QRect(47, 23, c.moduleWidth * c.moduleCount, 237))
            << c.code;
        for (int y : {23, 150, 259}) {
            bool uniform = false;
            const std::string modules =
                readModules(image, 47, y, c.moduleWidth, c.moduleCount, uniform);
            EXPECT_TRUE(uniform) << c.code << " row " << y;
            EXPECT_EQ(modules, darkLight(buildModulePattern(c.code))) << c.code << " row " << y;
        }
    }
}

TEST_F(PaintSurfaceTest, BarcodeNarrowerThanOnePixelAModuleIsDrawnInMillimetres) {
    // At 96 dpi a 20 mm rectangle is 75 px, fewer than 113
    // modules: each module is 0.17 mm (19.21 mm in all) in the surface's unit.
    QImage image = blankImage(200, 80, 96, kGreyBackground);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    ASSERT_TRUE(drawEan13Barcode(surface, "4901234567894", 10, 5, 30, 15));
    EXPECT_EQ(surface.unit(), SurfaceUnit::Millimetres);
    painter.end();
    // 10 mm = 37.8 px; the last module ends at 10 + 112 × 0.17 + 0.16 = 29.2 mm = 110.4 px.
    const QRect bounds = paintedBounds(image, kGreyBackground);
    EXPECT_EQ(bounds.left(), 38);
    EXPECT_EQ(bounds.top(), 19);
    EXPECT_LE(bounds.right(), 111);
    EXPECT_GE(bounds.right(), 109);
    EXPECT_EQ(bounds.bottom(), 56);
}

TEST_F(PaintSurfaceTest, WrongCheckDigitDrawsNothingAndKeepsTheUnit) {
    QImage image = blankImage(1400, 300, 600, kGreyBackground);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Pixels);
    EXPECT_FALSE(drawEan13Barcode(surface, "4901234567890", 2, 1, 57, 11));
    EXPECT_FALSE(drawEan13Barcode(surface, "49123450", 2, 1, 57, 11));
    EXPECT_EQ(surface.unit(), SurfaceUnit::Pixels);
    painter.end();
    EXPECT_EQ(paintedBounds(image, kGreyBackground), QRect());
}

}  // namespace

namespace {

// A text whose advance passes what Qt's fixed-point sums can hold (2^25
// device pixels) is measured as wide as it is, not wrapped round to a small
// or negative width that would count as fitting.
TEST(PaintSurfaceText, MeasuresTextsWiderThanQtCanAdd) {
    ensureGuiApplication();
    QImage image = blankImage(10, 10, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Millimetres);
    const struct {
        double points;
        int characters;
    } cases[] = {{18, 100}, {1000, 5000}, {18, 240000}};
    for (const auto& c : cases) {
        surface.setFont(SurfaceFont{"ＭＳ 明朝", c.points, false, false, false});
        std::string text;
        for (int i = 0; i < c.characters; ++i)
            text += "あ";
        const double em = c.points * 25.4 / 72.0;  // a full-width character
        EXPECT_NEAR(surface.textWidth(text) / (c.characters * em), 1.0, 0.01)
            << c.points << " pt, " << c.characters << " characters";
    }
}

// Texts are measured as drawn, told apart by whether a font has their glyphs,
// and condensed from their left edge without passing the clipping edge.
TEST(PaintSurfaceText, MeasuresCondensesAndClipsTexts) {
    ensureGuiApplication();
    QImage image = blankImage(2400, 400, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.setFont(SurfaceFont{"ＭＳ 明朝", 18, false, false, false});
    // IPAMincho: a full-width character is one em (18 pt = 6.35 mm), a digit half of it.
    EXPECT_NEAR(surface.textWidth("あいう"), 3 * 6.35, 0.05);
    EXPECT_NEAR(surface.textWidth("1234"), 2 * 6.35, 0.05);
    EXPECT_TRUE(surface.canDrawText("お～いお茶 ①㈱髙"));
    for (const char* missing : {"\uE000", "a\uE000b"})
        EXPECT_FALSE(surface.canDrawText(missing)) << missing;

    // Twelve characters (76.2 mm) at 0.5 from x = 10 mm, clipped at 40 mm:
    // ink from 10 mm, none right of 40 mm, though half width would reach 48 mm.
    surface.setTextColor(kBlack);
    surface.drawCondensedText(10, 2, "あいうえおかきくけこさし", 0.5, 40);
    painter.end();
    const QRect ink = paintedBounds(image, 0xFFFFFFFF);
    const double pxPerMm = 600 / 25.4;
    EXPECT_NEAR(ink.left() / pxPerMm, 10.0, 0.6);
    EXPECT_LE((ink.right() + 1) / pxPerMm, 40.0 + 0.05);
    EXPECT_GE((ink.right() + 1) / pxPerMm, 39.0);
}

}  // namespace

namespace {

// ---- Frames: translate, clip, save and restore ------------------------------

// A translation holds in both units and comes to the same device pixels as
// the sum given at once; restore() brings the origin back.
TEST_F(PaintSurfaceTest, TranslatedRectanglesLandWhereTheSumWould) {
    struct Case {
        SurfaceUnit unit;  // of the translation
        double dx, dy;
    };
    // At 96 dpi: 25.4 mm is 96 px.
    const Case cases[] = {{SurfaceUnit::Millimetres, 25.4, 12.7}, {SurfaceUnit::Pixels, 96, 48}};
    for (const Case& c : cases) {
        for (SurfaceUnit drawn : {SurfaceUnit::Millimetres, SurfaceUnit::Pixels}) {
            QImage image = blankImage(400, 200, 96);
            QPainter painter(&image);
            QtPaintSurface surface(painter);
            surface.save();
            surface.setUnit(c.unit);
            surface.translate(c.dx, c.dy);
            surface.setUnit(drawn);
            const double unit = drawn == SurfaceUnit::Pixels ? 96 / 25.4 : 1.0;
            EXPECT_NEAR(surface.origin().x, 25.4 * unit, 1e-9);
            EXPECT_NEAR(surface.origin().y, 12.7 * unit, 1e-9);
            surface.fillRect(10 * unit, 5 * unit, 20 * unit, 10 * unit, 0);
            surface.restore();
            EXPECT_EQ(surface.origin().x, 0.0);
            surface.fillRect(0, 0, 0.2, 0.2, 0);  // one pixel at the device's corner again
            painter.end();
            // (35.4, 17.7) mm = (133.8, 66.9) px; 20 × 10 mm = 75.6 × 37.8 px.
            EXPECT_EQ(image.pixel(0, 0), kBlackPixel);
            image.setPixel(0, 0, kWhite);
            EXPECT_EQ(paintedBounds(image, kWhite), QRect(134, 67, 75, 38))
                << "translated in " << static_cast<int>(c.unit) << ", drawn in "
                << static_cast<int>(drawn);
        }
    }
}

// Nothing is painted outside the clip, whatever is drawn: rectangles, lines,
// texts; the clip ends with restore(). Clips inside clips paint their overlap.
TEST_F(PaintSurfaceTest, NothingIsPaintedOutsideTheClip) {
    QImage image = blankImage(600, 400, 600);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.save();
    surface.translate(5, 3);
    surface.clipRect(0, 0, 10, 8);  // (5, 3)-(15, 11) mm on the page
    surface.fillRect(-5, -3, 40, 30, 0);
    surface.drawLine(-5, 4, 30, 4, kRed);
    surface.setFont(SurfaceFont{"ＭＳ 明朝", 48, false, false, false});
    surface.setTextColor(kBlack);
    surface.drawText(6, 2, "あいう");
    surface.save();
    surface.clipRect(8, 6, 10, 10);  // overlaps the first in (13, 9)-(15, 11) mm
    surface.fillRect(8, 6, 10, 10, kRed);
    surface.restore();
    surface.restore();
    surface.fillRect(20, 12, 1, 1, 0);  // no clip any more: (20, 12)-(21, 13) mm
    painter.end();
    const double px = 600 / 25.4;
    const auto edge = [&](double mm) { return static_cast<int>(std::lround(mm * px)); };
    QImage inside = image.copy();
    for (int y = edge(12); y < edge(13); ++y) {
        for (int x = edge(20); x < edge(21); ++x) {
            EXPECT_EQ(inside.pixel(x, y), kBlackPixel);
            inside.setPixel(x, y, kWhite);
        }
    }
    EXPECT_EQ(paintedBounds(inside, kWhite),
              QRect(edge(5), edge(3), edge(15) - edge(5), edge(11) - edge(3)));
    const QRgb red = 0xFFFF0000;
    EXPECT_EQ(image.pixel(edge(14), edge(10)), red);
    EXPECT_NE(image.pixel(edge(12.5), edge(10)), red) << "outside the inner clip";
}

// Barcode modules stay whole, equal device pixels under a translation that
// is no whole number of pixels, at the place the page position gives them.
TEST_F(PaintSurfaceTest, BarcodeModulesUnderATranslationAreWholePixels) {
    // Label 3 of the standard stock: its corner at (12, 62.8) mm, the bars'
    // box 40..95 × 5..15 mm inside it. From the page position (52, 67.8) mm:
    // floor(52 × 23.625) = 1228, floor(67.8 × 23.625) = 1601 at 600 dpi.
    QImage image = blankImage(2600, 2000, 600, kGreyBackground);
    QPainter painter(&image);
    QtPaintSurface surface(painter);
    surface.save();
    surface.translate(12, 62.8);
    surface.clipRect(0, 0, 91, 55);
    ASSERT_TRUE(drawEan13Barcode(surface, "4901234567894", 40, 5, 95, 15));
    EXPECT_EQ(surface.unit(), SurfaceUnit::Millimetres);
    surface.restore();
    painter.end();
    // The first 109 modules end before pixel 2427, inside the label.
    const std::string pattern = darkLight(buildModulePattern("4901234567894"));
    for (int y : {1601, 1700, 1837}) {
        bool uniform = false;
        const std::string modules = readModules(image, 1228, y, 11, 109, uniform);
        EXPECT_TRUE(uniform) << "row " << y;
        EXPECT_EQ(modules, pattern.substr(0, 109)) << "row " << y;
    }
    // The quiet zone past the label's right edge (103 mm = 2433.1 px) is cut off.
    const QRect bounds = paintedBounds(image, kGreyBackground);
    EXPECT_EQ(bounds.left(), 1228);
    EXPECT_EQ(bounds.right() + 1, static_cast<int>(std::lround(103 * 600 / 25.4)));
}

}  // namespace
