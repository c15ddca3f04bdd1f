// The QR element: what a label's QR code holds, how its modules are laid on
// the printer's pixels, and where the check before printing and the painter
// agree that a content is too long for the box.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "barcode/QrEncoder.h"
#include "barcode/Symbology.h"
#include "jobs/CodeProblems.h"
#include "jobs/LabelProblems.h"
#include "model/ElementTemplate.h"
#include "model/LabelStock.h"
#include "model/QrContent.h"
#include "render/BarcodePainter.h"
#include "render/LabelFrame.h"
#include "render/SheetRenderer.h"
#include "support/RecordingSurface.h"

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;

LabelRecord labelWith(const std::string& jan, const std::string& qr) {
    LabelRecord label;
    label.janCode = jan;
    label.productName = "有機にんじん";
    label.price = "198";
    label.qrContent = qr;
    return label;
}

TEST(QrContent, OwnContentFirstThenThePatternWithTheCode) {
    const struct {
        const char* jan;
        const char* own;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"4901234567894", "", "https://example.jp/item/{JAN}",
         "https://example.jp/item/4901234567894"},
        {"4901234567894", "https://shop.example/a", "https://example.jp/item/{JAN}",
         "https://shop.example/a"},
        {"49123456", "", "{JAN}?from={JAN}", "49123456?from=49123456"},
        {"", "", "https://example.jp/item/{JAN}", ""},  // no code: no link to nowhere
        {"", "", "https://example.jp/", "https://example.jp/"},
        {"4901234567894", "", "", ""},
        {"4901234567894", "", "{JA", "{JA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.own) + " | " + c.pattern);
        EXPECT_EQ(qrContentFor(labelWith(c.jan, c.own), c.pattern), c.expected);
    }
}

// The symbol is square, of a QR version's size (21 + 4 per version), with
// its three finder patterns in the corners, and its quiet zone of four light
// modules on every side.
TEST(QrSymbol, SquareVersionsWithFindersAndAFourModuleQuietZone) {
    for (const std::string& content :
         {std::string("1"), std::string("https://example.jp/item/4901234567894"),
          std::string("日本語のテキスト、UTF-8 のまま"), std::string(300, 'x')}) {
        SCOPED_TRACE(content);
        const ModuleMatrix bare = encodeQrSymbol(content);
        ASSERT_FALSE(bare.empty());
        EXPECT_EQ(bare.width(), bare.height());
        EXPECT_EQ((bare.width() - 21) % 4, 0);
        for (const auto& [cx, cy] :
             {std::pair{0, 0}, std::pair{bare.width() - 7, 0}, std::pair{0, bare.width() - 7}}) {
            for (int i = 0; i < 7; ++i) {  // the finder's dark outer ring
                EXPECT_TRUE(bare.isDark(cx + i, cy));
                EXPECT_TRUE(bare.isDark(cx, cy + i));
            }
            EXPECT_FALSE(bare.isDark(cx + 1, cy + 1));
            EXPECT_TRUE(bare.isDark(cx + 3, cy + 3));
        }
        const ModuleMatrix drawn = encodeSymbol(Symbology::Qr, content);
        EXPECT_EQ(drawn.quietZone(), (QuietZone{4, 4, 4, 4}));
        EXPECT_EQ(drawn.width(), bare.width() + 8);
    }
    EXPECT_TRUE(encodeQrSymbol("").empty());
    EXPECT_TRUE(encodeQrSymbol(std::string(3000, '7')).empty());  // beyond version 40 at M
}

// The fills of the QR code in label 1 on a printer surface, in device pixels.
struct DrawnQr {
    std::vector<RecordingSurface::Mark> fills;
    std::set<double> widths;
    std::set<double> heights;
    std::map<std::pair<double, double>, Color> byPlace;
};

DrawnQr drawQr(const LabelRecord& label, double dpi,
               LayoutSettings layout = initialLayoutSettings()) {
    layout.element(LabelElement::Barcode).visible = false;  // only the QR code fills
    LabelSheet sheet;
    sheet.label(1) = label;
    RecordingSurface page;
    page.twipsX = page.twipsY = 1440.0 / dpi;
    drawSheet(page, sheet, layout, RenderOptions::paper());
    DrawnQr drawn;
    for (const RecordingSurface::Mark& m : page.marks) {
        if (m.kind != "fill" || m.unit != SurfaceUnit::Pixels)
            continue;
        drawn.fills.push_back(m);
        drawn.widths.insert(m.local.width);
        drawn.heights.insert(m.local.height);
        drawn.byPlace[{m.local.x, m.local.y}] = m.color;
    }
    return drawn;
}

// Every module is the same whole number of pixels across and down, at least
// 0.33 mm, on one pixel grid; the outer four rings are light; the symbol lies
// inside its box in the label, at every resolution a printer or PDF has.
TEST(QrDrawing, ModulesInWholePixelsOfAtLeastAThirdOfAMillimetreInsideTheBox) {
    const std::string content = "https://example.jp/item/4901234567894";
    const int modules = encodeSymbol(Symbology::Qr, content).width();
    const ElementPlace& box = standardElementTemplate().place(LabelElement::Qr);
    for (double dpi : {300.0, 360.0, 600.0, 1200.0}) {
        SCOPED_TRACE(dpi);
        const DrawnQr drawn = drawQr(labelWith("4901234567894", content), dpi);
        ASSERT_EQ(drawn.fills.size(), static_cast<std::size_t>(modules * modules));
        ASSERT_EQ(drawn.widths.size(), 1u);
        ASSERT_EQ(drawn.heights, drawn.widths);
        const double pixels = *drawn.widths.begin();
        EXPECT_EQ(pixels, std::floor(pixels));
        const double moduleMm = pixels * (1440.0 / dpi) / kTwipsPerMm;
        EXPECT_GE(moduleMm, 0.33 - 1e-3);
        // The corners of the grid: whole pixels, one module apart.
        double left = 1e9;
        double top = 1e9;
        for (const auto& m : drawn.fills) {
            // On the page's pixel grid: whole pixels from the page's corner.
            const double pagePixels = m.local.x + m.frame.x * kTwipsPerMm / (1440.0 / dpi);
            EXPECT_NEAR(pagePixels, std::round(pagePixels), 1e-6);
            left = std::min(left, m.local.x);
            top = std::min(top, m.local.y);
        }
        for (const auto& [place, color] : drawn.byPlace) {
            const int column = static_cast<int>(std::lround((place.first - left) / pixels));
            const int row = static_cast<int>(std::lround((place.second - top) / pixels));
            if (column < 4 || row < 4 || column >= modules - 4 || row >= modules - 4) {
                EXPECT_EQ(color, 0xFFFFFF) << column << "," << row;
            }
        }
        // Inside the box of the element, measured from the label's corner.
        const RecordingSurface::Mark& any = drawn.fills.front();
        const double sideMm = modules * moduleMm;
        const double boxLeft = any.frame.x + box.anchor.x;
        const double boxTop = any.frame.y + box.anchor.y;
        double minX = 1e9;
        double minY = 1e9;
        for (const auto& m : drawn.fills) {
            minX = std::min(minX, m.page.x);
            minY = std::min(minY, m.page.y);
        }
        EXPECT_GE(minX, boxLeft - 0.05);
        EXPECT_GE(minY, boxTop - 0.05);
        EXPECT_LE(minX + sideMm, boxLeft + box.boxWidthMm + 1e-6);
        EXPECT_LE(minY + sideMm, boxTop + box.boxHeightMm + 1e-6);
    }
}

// Moving the element moves the symbol by whole millimetres; hiding it, or a
// label without any content, draws no module.
TEST(QrDrawing, MovedHiddenAndWithoutContent) {
    const LabelRecord label = labelWith("4901234567894", "https://example.jp/");
    const DrawnQr still = drawQr(label, 600);
    LayoutSettings moved = initialLayoutSettings();
    moved.element(LabelElement::Qr).offsetX = -3;
    moved.element(LabelElement::Qr).offsetY = 2;
    const DrawnQr shifted = drawQr(label, 600, moved);
    ASSERT_EQ(shifted.fills.size(), still.fills.size());
    EXPECT_NEAR(shifted.fills.front().page.x - still.fills.front().page.x, -3.0, 0.05);
    EXPECT_NEAR(shifted.fills.front().page.y - still.fills.front().page.y, 2.0, 0.05);

    LayoutSettings hidden = initialLayoutSettings();
    hidden.element(LabelElement::Qr).visible = false;
    EXPECT_TRUE(drawQr(label, 600, hidden).fills.empty());
    EXPECT_TRUE(drawQr(labelWith("4901234567894", ""), 600).fills.empty());
    LayoutSettings patterned = initialLayoutSettings();
    patterned.qrPattern = "https://example.jp/item/{JAN}";
    EXPECT_FALSE(drawQr(labelWith("4901234567894", ""), 600, patterned).fills.empty());
}

// Growing contents: the check before printing says "too small" exactly where
// the printed label has no QR code, and never where one is drawn.
TEST(QrDrawing, TheCheckAndThePaperAgreeWhereTheBoxIsTooSmall) {
    bool sawFit = false;
    bool sawTooSmall = false;
    for (std::size_t length = 10; length <= 400; length += 13) {
        const LabelRecord label = labelWith("4901234567894", std::string(length, 'a'));
        std::vector<LabelProblem> problems = findCodeProblems(label, 1, initialLayoutSettings());
        const bool tooSmall = std::any_of(
            problems.begin(), problems.end(),
            [](const LabelProblem& p) { return p.kind == LabelProblemKind::QrTooSmall; });
        for (double dpi : {300.0, 600.0, 1200.0}) {
            SCOPED_TRACE(std::to_string(length) + " characters at " + std::to_string(dpi));
            EXPECT_EQ(drawQr(label, dpi).fills.empty(), tooSmall);
        }
        (tooSmall ? sawTooSmall : sawFit) = true;
    }
    EXPECT_TRUE(sawFit);
    EXPECT_TRUE(sawTooSmall);
    const LabelRecord huge = labelWith("4901234567894", std::string(3000, '7'));
    const std::vector<LabelProblem> problems = findCodeProblems(huge, 4, initialLayoutSettings());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, LabelProblemKind::QrTooLong);
    EXPECT_EQ(problems[0].label, 4);
}

// The preview draws the code too, in screen pixels or millimetres, and
// crosses out the box of one the paper will not have.
TEST(QrDrawing, ThePreviewShowsTheCodeOrCrossesOutItsBox) {
    LabelSheet sheet;
    sheet.label(1) = labelWith("4901234567894", "https://example.jp/");
    sheet.label(2) = labelWith("4901234567894", std::string(400, 'a'));
    LayoutSettings layout = initialLayoutSettings();
    layout.element(LabelElement::Barcode).visible = false;
    RecordingSurface screen;
    drawSheet(screen, sheet, layout, RenderOptions::preview(1.0));
    const PointMm corner1 = labelCorner(layout, 1);
    const PointMm corner2 = labelCorner(layout, 2);
    const SurfacePoint first{corner1.x, corner1.y};
    const SurfacePoint second{corner2.x, corner2.y};
    int darkInFirst = 0;
    for (const auto& m : screen.marksInFrame(first))
        darkInFirst += m.kind == "fill" && m.color == kBlack ? 1 : 0;
    EXPECT_GT(darkInFirst, 50);
    int crossLines = 0;
    for (const auto& m : screen.marksInFrame(second))
        crossLines += m.kind == "line" && m.color == kRed ? 1 : 0;
    EXPECT_EQ(crossLines, 2);
}

// The check before printing names a shop's own code and decodes the price a
// price-embedded code carries, told apart from the label's price (the price
// paid: tax-inclusive when the sheet shows both prices).
TEST(CodeProblems, KindsOfCodesAndEmbeddedPricesAgainstTheLabel) {
    const struct {
        const char* jan;
        const char* price;
        PriceMode mode;
        std::vector<LabelProblemKind> kinds;
        std::int64_t amount;
    } cases[] = {
        {"4901234567894", "198", PriceMode::TaxIncludedOnly, {}, 0},
        {"2000000000015", "198", PriceMode::TaxIncludedOnly, {LabelProblemKind::InStoreCode}, 0},
        {"20123451", "198", PriceMode::TaxIncludedOnly, {LabelProblemKind::InStoreCode}, 0},
        // flag 02, item 12345, price 00198 yen
        {"0212345001981",
         "198",
         PriceMode::TaxIncludedOnly,
         {LabelProblemKind::PriceEmbeddedCode},
         198},
        {"0212345001981",
         "￥１９８",
         PriceMode::TaxIncludedOnly,
         {LabelProblemKind::PriceEmbeddedCode},
         198},
        {"0212345001981",
         "200",
         PriceMode::TaxIncludedOnly,
         {LabelProblemKind::EmbeddedPriceDiffers},
         198},
        // 180 before tax is 198 with 10 %: the register charges what the label says
        {"0212345001981",
         "180",
         PriceMode::BaseAndTaxIncluded,
         {LabelProblemKind::PriceEmbeddedCode},
         198},
        {"0212345001981",
         "198",
         PriceMode::BaseAndTaxIncluded,
         {LabelProblemKind::EmbeddedPriceDiffers},
         198},
        {"0212345001981",
         "",
         PriceMode::TaxIncludedOnly,
         {LabelProblemKind::PriceEmbeddedCode},
         198},
        {"0212345001980", "198", PriceMode::TaxIncludedOnly, {}, 0},  // wrong check digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.jan) + " " + c.price);
        LabelRecord label = labelWith(c.jan, "");
        label.price = c.price;
        LayoutSettings layout = initialLayoutSettings();
        layout.pricing.mode = c.mode;
        layout.priceEmbedded = {"02", "5+5"};
        std::vector<LabelProblemKind> kinds;
        for (const LabelProblem& p : findCodeProblems(label, 1, layout)) {
            kinds.push_back(p.kind);
            EXPECT_EQ(p.amount, c.amount);
        }
        EXPECT_EQ(kinds, c.kinds);
    }
}

// Notes tell what a code is; only a price that differs stops a print.
TEST(CodeProblems, NotesDoNotStopAPrint) {
    LabelSheet sheet;
    sheet.label(1) = labelWith("2000000000015", "");
    sheet.label(2) = labelWith("0212345001981", "");
    sheet.label(3) = labelWith("0212345001981", "");
    sheet.label(3).price = "250";
    LayoutSettings layout = initialLayoutSettings();
    layout.priceEmbedded = {"02", "5+5"};
    const std::vector<LabelProblem> all = findSheetProblems(sheet, layout, nullptr);
    EXPECT_EQ(all.size(), 3u);
    const std::vector<LabelProblem> printing = printingProblems(all);
    // Without a flag set, 02 codes are in-store codes like any other.
    for (const LabelProblem& p : findSheetProblems(sheet, initialLayoutSettings(), nullptr))
        EXPECT_EQ(p.kind, LabelProblemKind::InStoreCode);
    ASSERT_EQ(printing.size(), 1u);
    EXPECT_EQ(printing[0].label, 3);
    EXPECT_EQ(printing[0].kind, LabelProblemKind::EmbeddedPriceDiffers);
}

}  // namespace
