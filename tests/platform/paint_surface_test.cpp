// The QPainter surface on images: units, pixel-exact rectangles, colours, the
// device's pixel size, and barcode modules in whole pixels.

#include <gtest/gtest.h>

#include <QPainter>
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
