// tanahuda-print on a template of the label designer: --stock names the
// template file, --template the template; the product names land in the
// template's cells, and a template that is missing, damaged or cannot be
// printed on ends the tool with one line that says so.

#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <string>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "support/PdfPrintTest.h"

namespace {

// 21 labels of 63.5 × 38.1 mm in 3 columns of 7 rows, 2.5 mm apart across.
const char* const kTemplates = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Shop" part="S-21" size="A4" _description="Price cards">
    <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="2mm">
      <Layout nx="3" ny="7" x0="7.25mm" y0="15.15mm" dx="66mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Shop" part="WIDE" size="A4" _description="Past the paper">
    <Label-rectangle id="0" width="120mm" height="30mm">
      <Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="125mm" dy="30mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Shop" part="R-12" size="A4">
    <Label-round id="0" radius="20mm"><Layout nx="3" ny="4" x0="0" y0="0" dx="60mm" dy="60mm"/></Label-round>
  </Template>
</Glabels-templates>
)";

void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class TemplateToolTest : public PdfPrintTest {
  protected:
    void SetUp() override {
        PdfPrintTest::SetUp();
        writeBytes(path("shop.xml"), kTemplates);
        std::string list;
        for (int i = 1; i <= 21; ++i)
            list += ",,品名" + std::to_string(i) + ",,," + std::to_string(100 + i) + "\n";
        writeBytes(path("list.csv"), list);
        writeBytes(path("default.txt"), "");
    }
    ProcessResult print(const QString& file, const char* name) {
        return runPrintTool({QStringLiteral("--products"), path("list.csv"),
                             QStringLiteral("--stock"), file, QStringLiteral("--template"),
                             QString::fromUtf8(name), QStringLiteral("--layout"),
                             path("default.txt"), QStringLiteral("-o"), path("out.pdf")});
    }
};

TEST_F(TemplateToolTest, AListFillsTheTemplatesCells) {
    // By maker and part, blanks ignored and in any case of x, or by the whole name.
    for (const char* name : {"Shop S-21", "ShopS-21", "Shop S-21 — Price cards"}) {
        const ProcessResult run = print(path("shop.xml"), name);
        ASSERT_EQ(run.exitCode, 0) << name << run.err.toStdString();
    }
    const std::vector<PdfWord> words = pdfWords(path("out.pdf"));
    for (int n = 1; n <= 21; ++n) {
        const std::string name = "品名" + std::to_string(n);
        const PdfWord* word = findWord(words, name);
        ASSERT_NE(word, nullptr) << name;
        const double left = 7.25 + 66.0 * ((n - 1) % 3);
        const double top = 15.15 + 38.1 * ((n - 1) / 3);
        EXPECT_GE(word->left, left) << name;
        EXPECT_LE(word->right, left + 63.5) << name;
        EXPECT_GE(word->top, top) << name;
        EXPECT_LE(word->bottom, top + 38.1) << name;
    }
}

TEST_F(TemplateToolTest, TemplatesThatCannotBeUsedAreSaidInOneLine) {
    writeBytes(path("damaged.xml"), "<?xml version=\"1.0\"?>\n<Glabels-templates>\n<Template");
    const struct {
        const char* what;
        QString file;
        const char* name;
        int exitCode;
        const char* said;
    } cases[] = {
        {"no such template", path("shop.xml"), "Shop S-99", 1, "Shop S-99"},
        {"a round label", path("shop.xml"), "Shop R-12", 1, "Shop R-12"},
        {"past the paper", path("shop.xml"), "Shop WIDE", 1, "はみ出します"},
        {"a damaged file", path("damaged.xml"), "Shop S-21", 1, "3 行目"},
        {"no file", path("none.xml"), "Shop S-21", 1, "none.xml"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = print(c.file, c.name);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what;
        EXPECT_EQ(run.err.count('\n'), 1) << c.what << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.said)) << c.what << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.pdf"))) << c.what;
    }
    // --template needs the template file in --stock.
    const ProcessResult alone =
        runPrintTool({QStringLiteral("--products"), path("list.csv"), QStringLiteral("--template"),
                      QStringLiteral("Shop S-21"), QStringLiteral("-o"), path("out.pdf")});
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_TRUE(alone.err.contains("--template")) << alone.err.toStdString();
}

TEST_F(TemplateToolTest, AnInstalledTemplatePrints) {
    const std::string file = "/usr/share/libglabels-3.0/templates/hisago-templates.xml";
    if (!std::filesystem::exists(file))
        GTEST_SKIP() << file << " is not installed";
    const ProcessResult run = print(QString::fromStdString(file), "Hisago ELM006");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Ten 86.4 × 50.8 mm labels from (18.6, 21.2) mm.
    const PdfWord* tenth = findWord(pdfWords(path("out.pdf")), "品名10");
    ASSERT_NE(tenth, nullptr);
    EXPECT_GE(tenth->left, 18.6 + 86.4);
    EXPECT_GE(tenth->top, 21.2 + 4 * 50.8);
}

}  // namespace
