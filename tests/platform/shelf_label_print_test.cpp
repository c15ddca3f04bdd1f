// Sheets of a shop's labels printed by tanahuda-print: the tax-inclusive
// price first with the price before tax on the small line, unit prices,
// struck regular prices, sale periods and origins, each inside its label and
// clear of every other word on the 600 dpi PDF, from a label file and from a
// product list.

#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "support/PdfPrintTest.h"

namespace {

struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool contains(const Box& o) const {
        return o.left >= left && o.right <= right && o.top >= top && o.bottom <= bottom;
    }
};

Box boxOf(const PdfWord& w) {
    return {w.left, w.top, w.right, w.bottom};
}

// The words whose middle lies in label n.
std::vector<PdfWord> wordsInLabel(const std::vector<PdfWord>& words, const LayoutSettings& layout,
                                  int n, Box& label) {
    const PointMm cell = layout.stock.cellOrigin(n, {layout.originX, layout.originY});
    label = {cell.x, cell.y, cell.x + layout.stock.labelWidthMm,
             cell.y + layout.stock.labelHeightMm};
    std::vector<PdfWord> in;
    for (const PdfWord& w : words) {
        const double cx = (w.left + w.right) / 2;
        const double cy = (w.top + w.bottom) / 2;
        if (cx > label.left && cx < label.right && cy > label.top && cy < label.bottom)
            in.push_back(w);
    }
    return in;
}

LabelRecord shopLabel(const char* name, const char* price, TaxRate rate, ShelfDetails details) {
    LabelRecord r{"4901234567894", "山田食品", name, "", "", price};
    r.taxRate = rate;
    r.details = std::move(details);
    return r;
}

using ShelfLabelPrintTest = PdfPrintTest;

TEST_F(ShelfLabelPrintTest, EveryNewTextStandsInsideItsLabelClearOfTheRest) {
    struct Case {
        LabelRecord label;
        std::vector<std::string> words;  // the new texts' words, as printed
    };
    const Case cases[] = {
        {shopLabel("豚こま切れ", "980", TaxRate::Reduced,
                   {"350g", "", "1280", "12/10まで", "鹿児島県産"}),
         {"1,058", "本体", "980円", "1,382円", "12/10まで", "100gあたり", "302円", "鹿児島県産"}},
        {shopLabel("緑茶", "178", TaxRate::Reduced, {"1.5L", "", "", "", ""}),
         {"192", "本体", "178円", "100mlあたり", "12円"}},
        {shopLabel("洗剤", "398", TaxRate::Standard, {"12枚", "10枚", "498", "本日限り", ""}),
         {"437", "本体", "398円", "547円", "本日限り", "10枚あたり", "364円"}},
        {shopLabel("みかん", "1,980", TaxRate::Reduced, {"", "", "", "", "静岡県産"}),
         {"2,138", "本体", "1,980円", "静岡県産"}},
    };
    LabelSheet sheet;
    for (int n = 1; n <= 4; ++n)
        sheet.label(n) = cases[n - 1].label;
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = PriceMode::TaxIncludedWithBase;
    layout.borderOn = true;
    writeLabels(path("shop.csv").toStdString(), sheet, layout);

    const ProcessResult run =
        runPrintTool({path("shop.csv"), QStringLiteral("-o"), path("shop.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<PdfWord> words = pdfWords(path("shop.pdf"));
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE("label " + std::to_string(n));
        Box label{};
        const std::vector<PdfWord> in = wordsInLabel(words, layout, n, label);
        for (const std::string& expected : cases[n - 1].words) {
            const PdfWord* w = findWord(in, expected);
            ASSERT_NE(w, nullptr) << expected;
            // Between the border bars, and clear of the barcode.
            const Box inner{label.left, label.top + 4.0, label.right, label.top + 50.0};
            EXPECT_TRUE(inner.contains(boxOf(*w))) << expected;
            EXPECT_FALSE(boxOf(*w).overlaps(
                {label.left + 40, label.top + 5, label.left + 95, label.top + 15}))
                << expected;
            for (const PdfWord& other : in) {
                if (&other == w || other.text == w->text)
                    continue;
                EXPECT_FALSE(boxOf(*w).overlaps(boxOf(other)))
                    << expected << " against " << other.text;
            }
        }
    }
}

TEST_F(ShelfLabelPrintTest, AProductListPrintsTheTaxInclusivePriceFirstWithItsDetails) {
    QFile list(path("商品.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(
        "JAN,品名,売価,税率,内容量,基準量,定価,期間,原産地\n"
        "4901234567894,牛乳,198,8,1000ml,,238,12/10まで,北海道産\n"  // 213.84
        "4901234567894,洗剤,398,10,500g,10g,,,\n"                    // 437.8
        "4901234567894,米,\"1,980\",軽減,5kg,1kg,,,新潟県産\n");     // 2138.4
    list.close();
    const ProcessResult run = runPrintTool(
        {QStringLiteral("--products"), path("商品.csv"), QStringLiteral("--price-mode"),
         QStringLiteral("incl-base"), QStringLiteral("--rounding"), QStringLiteral("round"),
         QStringLiteral("-o"), path("list.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<PdfWord> words = pdfWords(path("list.pdf"));
    LayoutSettings layout = initialLayoutSettings();
    const std::vector<std::vector<std::string>> expected = {
        // 238 × 1.08 = 257.04; 214 / 1000 ml = 21.4 per 100 ml.
        {"214", "税込", "本体", "198円", "257円", "12/10まで", "100mlあたり", "21円", "北海道産"},
        // 438 / 500 g = 8.76 per 10 g.
        {"438", "税込", "本体", "398円", "10gあたり", "9円"},
        // 2138 / 5 kg = 427.6 per kg.
        {"2,138", "税込", "本体", "1,980円", "1kgあたり", "428円", "新潟県産"},
    };
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("label " + std::to_string(n));
        Box label{};
        const std::vector<PdfWord> in = wordsInLabel(words, layout, n, label);
        for (const std::string& w : expected[static_cast<std::size_t>(n - 1)])
            EXPECT_NE(findWord(in, w), nullptr) << w;
    }
}

TEST_F(ShelfLabelPrintTest, TheToolSaysWhichPriceModesThereAre) {
    writeLabels(path("one.csv").toStdString(), sheetOf({{1, "4901234567894", "牛乳", "198"}}));
    const ProcessResult wrong =
        runPrintTool({path("one.csv"), QStringLiteral("--price-mode"), QStringLiteral("base"),
                      QStringLiteral("-o"), path("one.pdf")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.indexOf("incl-base"), -1) << wrong.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("one.pdf")));
}

}  // namespace
