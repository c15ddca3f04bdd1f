// tanahuda-print --calibration: the calibration page into a PDF with the
// origin of the print pattern (0/0 and +3/-2), and the calls it refuses.

#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "PlatformTestSupport.h"
#include "support/PageInk.h"
#include "support/PdfPrintTest.h"

namespace {

constexpr int kDpi = 300;

class CalibrationToolTest : public PdfPrintTest {
  protected:
    // A settings file whose first line holds the origin adjustment.
    QString pattern(int x, int y) const {
        const QString file = path("data.txt");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QStringLiteral("\"印字位置調整\",\"%1\",\"%2\",0,0,0,0,0,0,0\r\n")
                      .arg(x)
                      .arg(y)
                      .toUtf8());
        return file;
    }
};

TEST_F(CalibrationToolTest, OutlinesAndCrossesStandWhereTheOriginSays) {
    const struct { int x, y; } adjustments[] = {{0, 0}, {3, -2}};
    for (const auto& a : adjustments) {
        const ProcessResult run =
            runPrintTool({QStringLiteral("--calibration"), QStringLiteral("--layout"),
                          pattern(a.x, a.y), QStringLiteral("-o"), path("calibration.pdf")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        const PageInk page(rasterise(path("calibration.pdf"), kDpi, path("page")), kDpi);

        // The PDF is drawn from the paper's corner: label 1 at the origin.
        const double ox = 12.0 + a.x, oy = 7.8 + a.y;
        EXPECT_NEAR(page.leftmost(oy + 30, oy + 50), ox, 0.1) << a.x;
        EXPECT_NEAR(page.topmost(ox + 45, ox + 85), oy, 0.1) << a.y;
        for (int k = 0; k < 10; ++k) {
            const double x = ox + 91.0 * (k % 2), y = oy + 55.0 * (k / 2);
            EXPECT_TRUE(page.inked(x + 45.5, y) && page.inked(x, y + 27.5) &&
                        page.inked(x + 91.0, y + 27.5) && page.inked(x + 45.5, y + 55.0))
                << "outline of label " << k + 1;
            EXPECT_TRUE(page.inked(x - 3.0, y) && page.inked(x, y - 3.0))
                << "cross of label " << k + 1;
        }
    }
}

TEST_F(CalibrationToolTest, RefusedCallsSayWhyInOneLine) {
    const struct {
        const char* what;
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {"with a label file",
         {"--calibration", "labels.csv", "-o", "out.pdf"},
         2,
         "--calibration にはラベルデータファイルも --products も指定できません"},
        {"with a product list",
         {"--calibration", "--products", "list.csv", "-o", "out.pdf"},
         2,
         "--calibration にはラベルデータファイルも --products も指定できません"},
        {"as a preview",
         {"--calibration", "--preview", "-o", "out.png"},
         2,
         "--calibration と --preview は同時に指定できません"},
        {"nowhere to go", {"--calibration"}, 2, "-o OUT.pdf か --printer NAME を指定してください"},
        {"no such printer",
         {"--calibration", "--printer", "NoSuchPrinter"},
         1,
         "プリンターが見つかりません: NoSuchPrinter"},
        {"no such pattern",
         {"--calibration", "--layout", "none.txt", "-o", "out.pdf"},
         1,
         "ファイルがありません: "},
    };
    for (const auto& c : cases) {
        const ProcessResult run = runPrintTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what;
        const std::string err = run.err.toStdString();
        EXPECT_EQ(err.rfind("tanahuda-print: " + std::string(c.message), 0), 0u)
            << c.what << ": " << err;
        EXPECT_EQ(run.err.count('\n'), 1) << c.what;
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("out.pdf")));
    const QString help = QString::fromUtf8(runPrintTool({QStringLiteral("--help")}).out);
    EXPECT_TRUE(help.contains(QStringLiteral("--calibration")));
    EXPECT_TRUE(help.contains(QStringLiteral("位置合わせ印刷")));
}

}  // namespace
