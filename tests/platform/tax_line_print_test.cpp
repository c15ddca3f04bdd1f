// Sheets that show both prices, printed by tanahuda-print: every tax line on
// the 600 dpi PDF holds the right amount, stands inside its label and touches
// no other text, the barcode or the border bars.

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
};

Box boxOf(const PdfWord& w) {
    return {w.left, w.top, w.right, w.bottom};
}

// A label filled as far as typing allows: 6 characters of maker, 13 of product
// name, a long spec and lot, a 13-digit code.
LabelRecord fullLabel(const char* price, TaxRate rate) {
    LabelRecord r{"4901234567894", "山田食品工業", "特選こしひかり新米五キロ袋",
                  "5kg×1袋 精米",  "ロットA-123",  price};
    r.taxRate = rate;
    return r;
}

using TaxLinePrintTest = PdfPrintTest;

TEST_F(TaxLinePrintTest, EveryTaxLineIsInsideItsLabelAndClearOfTheRest) {
    struct Case {
        const char* price;
        TaxRate rate;
        const char* amount;  // the word after 税込
    };
    const Case cases[10] = {
        {"980", TaxRate::Standard, "1,078円"},
        {"980", TaxRate::Reduced, "1,058円"},
        {"1,980", TaxRate::Standard, "2,178円"},
        {"￥198", TaxRate::Reduced, "213円"},
        {"9999999", TaxRate::Standard, "10,999,998円"},
        {"9999999", TaxRate::Reduced, "10,799,998円"},
        {"98円", TaxRate::Standard, "107円"},
        {"1", TaxRate::Reduced, "1円"},
        {"0", TaxRate::Standard, "0円"},
        {"150", TaxRate::Exempt, "150円"},
    };
    LabelSheet sheet;
    for (int n = 1; n <= 10; ++n)
        sheet.label(n) = fullLabel(cases[n - 1].price, cases[n - 1].rate);
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    layout.borderOn = true;
    writeLabels(path("dual.csv").toStdString(), sheet, layout);

    const ProcessResult run =
        runPrintTool({path("dual.csv"), QStringLiteral("-o"), path("dual.pdf")});
    // Printed; the long spec and lot run under the big digits of the longer
    // prices, and the tax lines of eight digits are narrowed to end inside
    // their labels: only that is reported.
    ASSERT_EQ(run.exitCode, 3) << run.err.toStdString();
    for (const QString& reported : QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts)) {
        const bool overlap = reported.contains(QString::fromUtf8("と重なって印刷されます"));
        const bool narrowed = reported.contains(QString::fromUtf8("税込表示は長すぎるため"));
        EXPECT_TRUE(overlap || narrowed) << reported.toStdString();
    }
    const std::vector<PdfWord> words = pdfWords(path("dual.pdf"));

    const LabelStock& stock = layout.stock;
    for (int n = 1; n <= stock.labelCount(); ++n) {
        SCOPED_TRACE("label " + std::to_string(n));
        const PointMm cell = stock.cellOrigin(n, {kOriginX, kOriginY});
        const Box label{cell.x, cell.y, cell.x + stock.labelWidthMm, cell.y + stock.labelHeightMm};
        std::vector<const PdfWord*> inLabel;
        for (const PdfWord& w : words) {
            const double cx = (w.left + w.right) / 2;
            const double cy = (w.top + w.bottom) / 2;
            if (cx > label.left && cx < label.right && cy > label.top && cy < label.bottom)
                inLabel.push_back(&w);
        }
        // "税込" and its amount stand together on one line.
        const PdfWord* tax = nullptr;
        const PdfWord* amount = nullptr;
        for (std::size_t i = 0; i + 1 < inLabel.size(); ++i) {
            if (inLabel[i]->text == "税込") {
                tax = inLabel[i];
                amount = inLabel[i + 1];
            }
        }
        ASSERT_NE(tax, nullptr);
        EXPECT_EQ(amount->text, cases[n - 1].amount);
        EXPECT_NEAR(amount->top, tax->top, 0.01);
        const Box line{tax->left, tax->top, amount->right, amount->bottom};
        EXPECT_GE(line.left, label.left);
        EXPECT_LE(line.right, label.right + 0.05);  // a narrowed line ends at the edge
        EXPECT_GE(line.top, label.top + 4.0);       // below the upper border bar
        EXPECT_LE(line.bottom, label.top + 50.0);   // above the lower one
        // The barcode's rectangle: (40, 5) to (95, 15) mm in the label.
        EXPECT_FALSE(line.overlaps({cell.x + 40, cell.y + 5, cell.x + 95, cell.y + 15}));
        int others = 0;
        for (const PdfWord* w : inLabel) {
            if (w == tax || w == amount)
                continue;
            ++others;
            EXPECT_FALSE(line.overlaps(boxOf(*w))) << w->text;
        }
        EXPECT_GE(others, 7);  // code, maker, name, spec (2 words), lot, price, 円
    }
}

TEST_F(TaxLinePrintTest, AProductListWithARateColumnPrintsTheTaxInclusiveAmounts) {
    QFile list(path("商品.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(
        "JAN,品名,売価,税率\n"
        "4901234567894,牛乳,198,8\n"           // 213.84
        "4901234000018,洗剤,398,10%\n"         // 437.8
        "4901234000025,切手,84,非課税\n"       // 84
        "4901234000032,パン,\"1,980\",軽減\n"  // 2138.4
        "4901234567894,電池,500,\n"            // 550
        "4901234567894,酒,980,5\n");           // no such rate: reported, not printed
    list.close();

    struct Case {
        const char* mode;
        const char* rounding;
        std::vector<std::string> amounts;  // the words after 税込, label 1 first
    };
    const Case cases[] = {
        {"dual", "round", {"214円", "438円", "84円", "2,138円", "550円"}},
        {"dual", "floor", {"213円", "437円", "84円", "2,138円", "550円"}},
        {"dual", "ceil", {"214円", "438円", "84円", "2,139円", "550円"}},
        {"incl", "ceil", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.rounding);
        const ProcessResult run = runPrintTool(
            {QStringLiteral("--products"), path("商品.csv"), QStringLiteral("--price-mode"),
             QString::fromUtf8(c.mode), QStringLiteral("--rounding"), QString::fromUtf8(c.rounding),
             QStringLiteral("-o"), path("list.pdf")});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_NE(run.err.indexOf("税率「5」"), -1) << run.err.toStdString();
        const std::vector<PdfWord> words = pdfWords(path("list.pdf"));
        std::vector<std::string> amounts;
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            if (words[i].text == "税込")
                amounts.push_back(words[i + 1].text);
        }
        EXPECT_EQ(amounts, c.amounts);
        EXPECT_EQ(findWord(words, "酒"), nullptr);
        EXPECT_NE(findWord(words, "電池"), nullptr);
    }

    const ProcessResult wrong = runPrintTool(
        {QStringLiteral("--products"), path("商品.csv"), QStringLiteral("--price-mode"),
         QStringLiteral("both"), QStringLiteral("-o"), path("wrong.pdf")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.indexOf("--price-mode には incl, dual, incl-base"), -1);
    EXPECT_FALSE(QFile::exists(path("wrong.pdf")));
}

TEST_F(TaxLinePrintTest, ADamagedPriceLinePrintsWithTheDefaultsAndAWarning) {
    LabelSheet sheet = sheetOf({{1, "4901234567894", "牛乳", "198"}});
    sheet.label(1).taxRate = TaxRate::Reduced;
    LayoutSettings layout = initialLayoutSettings();
    layout.pricing.mode = PriceMode::BaseAndTaxIncluded;
    writeLabels(path("damaged.csv").toStdString(), sheet, layout);
    QFile file(path("damaged.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes.replace(",8,10,10,", ",7,10,10,");  // no such rate
    file.resize(0);
    file.write(bytes);
    file.close();

    const ProcessResult run =
        runPrintTool({path("damaged.csv"), QStringLiteral("-o"), path("damaged.pdf")});
    EXPECT_EQ(run.exitCode, 3) << "printed, and reported as a misfit is";
    EXPECT_NE(run.err.indexOf("警告:"), -1) << run.err.toStdString();
    const std::vector<PdfWord> words = pdfWords(path("damaged.pdf"));
    EXPECT_NE(findWord(words, "牛乳"), nullptr);
    EXPECT_EQ(findWord(words, "税込"), nullptr);
}

}  // namespace
