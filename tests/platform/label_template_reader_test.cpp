// The label designer's template files: the real database as installed, and
// damaged or hostile files, which are refused whole with the line.

#include <gtest/gtest.h>

#include <QDir>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "files/FileIo.h"
#include "platform/LabelTemplateReader.h"
#include "support/TempFolder.h"

namespace {

const std::string kFolder = kInstalledLabelTemplateFolder;

bool databaseInstalled() {
    return std::filesystem::is_directory(kFolder);
}

// How many <Template> elements the bytes hold, counted without XML.
int templateElements(const std::string& bytes) {
    int count = 0;
    for (std::size_t at = bytes.find("<Template "); at != std::string::npos;
         at = bytes.find("<Template ", at + 1))
        ++count;
    return count;
}

const TemplateStock* findStock(const LabelTemplates& templates, const std::string& prefix) {
    for (const TemplateStock& s : templates.stocks) {
        if (s.name.rfind(prefix, 0) == 0)
            return &s;
    }
    return nullptr;
}

TEST(InstalledTemplates, EveryFileIsReadAndEveryTemplateOfferedOrCounted) {
    if (!databaseInstalled())
        GTEST_SKIP() << kFolder << " is not installed";
    const QStringList names = QDir(QString::fromStdString(kFolder))
                                  .entryList({QStringLiteral("*-templates.xml")}, QDir::Files);
    ASSERT_GT(names.size(), 20);
    int offered = 0;
    for (const QString& name : names) {
        const std::string path = kFolder + "/" + name.toStdString();
        std::string bytes;
        ASSERT_TRUE(readWholeFile(path, bytes).ok()) << path;
        LabelTemplates templates;
        const Result read = readLabelTemplateFile(path, templates);
        ASSERT_TRUE(read.ok()) << path << " line " << read.line;
        EXPECT_EQ(static_cast<int>(templates.stocks.size()) + templates.skipped + templates.damaged,
                  templateElements(bytes))
            << path;
        offered += static_cast<int>(templates.stocks.size());
    }
    const LabelTemplates all = readInstalledLabelTemplates();
    EXPECT_EQ(static_cast<int>(all.stocks.size()), offered);
    EXPECT_GT(all.skipped, 100);  // round, CD and odd-paper templates are many
}

TEST(InstalledTemplates, OfferedStocksAreWholeGridsOfRealLabels) {
    if (!databaseInstalled())
        GTEST_SKIP() << kFolder << " is not installed";
    const LabelTemplates all = readInstalledLabelTemplates();
    ASSERT_GT(all.stocks.size(), 500u);
    for (const TemplateStock& s : all.stocks) {
        const LabelStock& st = s.stock;
        EXPECT_GT(st.labelWidthMm, 0.0) << s.name;
        EXPECT_GT(st.labelHeightMm, 0.0) << s.name;
        EXPECT_GE(st.columns, 1) << s.name;
        EXPECT_GE(st.rows, 1) << s.name;
        EXPECT_TRUE(std::isfinite(st.pitchXMm) && std::isfinite(st.pitchYMm)) << s.name;
        EXPECT_TRUE(st.paper.widthMm < st.paper.heightMm) << s.name;
        EXPECT_FALSE(s.name.empty());
    }
}

// Templates whose sizes the files give in millimetres, inches and points.
struct KnownTemplate {
    const char* file;
    const char* name;  // start of the name in the list
    double width, height, radius;
    int columns, rows;
    double x0, y0, pitchX, pitchY;
    double paperWidth;
};

TEST(InstalledTemplates, SizesInEveryUnitAreMillimetres) {
    if (!databaseInstalled())
        GTEST_SKIP() << kFolder << " is not installed";
    const std::vector<KnownTemplate> known = {
        // 86.4 × 50.8 mm, 2 × 5, in millimetres.
        {"hisago-templates.xml", "Hisago ELM006 — ", 86.4, 50.8, 0, 2, 5, 18.6, 21.2, 86.4, 50.8,
         210},
        // An alias offers the template it names, under its own part.
        {"hisago-templates.xml", "Hisago ELG006", 86.4, 50.8, 0, 2, 5, 18.6, 21.2, 86.4, 50.8, 210},
        // 2 5/8 × 1 in on Letter.
        {"avery-us-templates.xml", "Avery 5160 — Address Labels", 66.675, 25.4, 1.5875, 3, 10,
         3.96875, 12.7, 70.64375, 25.4, 215.9},
        // Points.
        {"avery-iso-templates.xml", "Avery 6121 — ", 107.928 * 25.4 / 72, 60.12 * 25.4 / 72, 0, 5,
         13, 26.928 * 25.4 / 72, 29.736 * 25.4 / 72, 107.928 * 25.4 / 72, 60.12 * 25.4 / 72, 210},
    };
    for (const KnownTemplate& k : known) {
        LabelTemplates templates;
        ASSERT_TRUE(readLabelTemplateFile(kFolder + "/" + k.file, templates).ok()) << k.file;
        const TemplateStock* s = findStock(templates, k.name);
        ASSERT_NE(s, nullptr) << k.name;
        const LabelStock& st = s->stock;
        EXPECT_NEAR(st.labelWidthMm, k.width, 1e-9) << k.name;
        EXPECT_NEAR(st.labelHeightMm, k.height, 1e-9) << k.name;
        EXPECT_NEAR(st.cornerRadiusMm, k.radius, 1e-9) << k.name;
        EXPECT_EQ(st.columns, k.columns) << k.name;
        EXPECT_EQ(st.rows, k.rows) << k.name;
        EXPECT_NEAR(st.firstLabel.x, k.x0, 1e-9) << k.name;
        EXPECT_NEAR(st.firstLabel.y, k.y0, 1e-9) << k.name;
        EXPECT_NEAR(st.pitchXMm, k.pitchX, 1e-9) << k.name;
        EXPECT_NEAR(st.pitchYMm, k.pitchY, 1e-9) << k.name;
        EXPECT_NEAR(st.paper.widthMm, k.paperWidth, 1e-9) << k.name;
    }
}

std::string templateFile(const std::string& templatesXml) {
    return "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + templatesXml +
           "</Glabels-templates>\n";
}

std::string rectangle(const std::string& size, const std::string& layouts,
                      const std::string& frame = "Label-rectangle") {
    return "<Template brand=\"B\" part=\"P\" size=\"" + size +
           "\" _description=\"D\">\n"
           " <" +
           frame + " id=\"0\" width=\"50mm\" height=\"30mm\" round=\"2mm\">\n" + layouts + " </" +
           frame + ">\n</Template>\n";
}

const std::string kGrid =
    "<Layout nx=\"3\" ny=\"8\" x0=\"10mm\" y0=\"12mm\" dx=\"60mm\" dy=\"34mm\"/>\n";

TEST(TemplateFile, ARectangleInOneGridIsOffered) {
    LabelTemplates templates;
    ASSERT_TRUE(readLabelTemplateBytes(templateFile(rectangle("A4", kGrid)), templates).ok());
    ASSERT_EQ(templates.stocks.size(), 1u);
    EXPECT_EQ(templates.skipped, 0);
    EXPECT_EQ(templates.stocks[0].name, "B P — D");
    const LabelStock& st = templates.stocks[0].stock;
    EXPECT_EQ(st.labelCount(), 24);
    EXPECT_EQ(st.cellOrigin(24, st.firstLabel).x, 10.0 + 2 * 60.0);
    EXPECT_EQ(st.cellOrigin(24, st.firstLabel).y, 12.0 + 7 * 34.0);
    EXPECT_EQ(st.cornerRadiusMm, 2.0);
}

TEST(TemplateFile, TemplatesItCannotPrintOnAreSkippedAndCounted) {
    const std::string second = "<Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\"/>\n";
    const std::string alias = "<Template brand=\"B\" part=\"Q\" equiv=\"P\"/>\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"round label", rectangle("A4", kGrid, "Label-round")},
        {"elliptic label", rectangle("A4", kGrid, "Label-ellipse")},
        {"CD label", rectangle("A4", kGrid, "Label-cd")},
        {"two grids", rectangle("A4", kGrid + second)},
        {"no grid", rectangle("A4", "")},
        {"paper of its own", rectangle("Other", kGrid)},
        {"unknown paper", rectangle("A3", kGrid)},
        {"alias of nothing", alias},
        {"alias of a round label", rectangle("A4", kGrid, "Label-round") + alias},
        {"two frames",
         "<Template brand=\"B\" part=\"P\" size=\"A4\">\n"
         " <Label-rectangle width=\"50mm\" height=\"30mm\">" +
             kGrid + "</Label-rectangle>\n <Label-round radius=\"5mm\"/>\n</Template>\n"},
    };
    for (const auto& [what, xml] : cases) {
        LabelTemplates templates;
        const Result read = readLabelTemplateBytes(templateFile(xml), templates);
        ASSERT_TRUE(read.ok()) << what << " line " << read.line;
        EXPECT_TRUE(templates.stocks.empty()) << what;
        EXPECT_EQ(templates.skipped, templateElements(xml)) << what;
    }
}

// A damaged or hostile file, or template, and the line it is refused at.
struct Damaged {
    const char* what;
    std::string bytes;
    int line;
};

std::string layoutWith(const std::string& attributes) {
    return templateFile(rectangle("A4", "<Layout " + attributes + "/>\n"));
}

std::string deepNesting(int levels) {
    std::string open, close;
    for (int i = 0; i < levels; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return "<Glabels-templates><Template brand=\"B\" part=\"P\">" + open + close +
           "</Template></Glabels-templates>";
}

const std::string kLaughs =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE Glabels-templates [\n"
    " <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
    " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
    " <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
    " <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
    "]>\n"
    "<Glabels-templates><Template brand=\"&d;\" part=\"P\"/></Glabels-templates>\n";

const std::string kOutside =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE Glabels-templates [ <!ENTITY x SYSTEM \"file:///etc/passwd\"> ]>\n"
    "<Glabels-templates><Template brand=\"B\" part=\"&x;\"/></Glabels-templates>\n";

// Files that are no template file at all: refused whole.
std::vector<Damaged> refusedFiles() {
    return {
        {"empty", "", 1},
        {"not XML", "棚札,1,2,3\n", 1},
        {"another root", "<?xml version=\"1.0\"?>\n<Glabels-paper-sizes/>\n", 2},
        {"cut short", templateFile(rectangle("A4", kGrid)).substr(0, 120), 4},
        {"unclosed element", "<Glabels-templates>\n<Template brand=\"B\" part=\"P\">\n", 3},
        {"entity expansion", kLaughs, 7},  // where the declarations end
        {"outside entity", kOutside, 2},
        {"undeclared entity", "<Glabels-templates>\n<Template brand=\"&x;\" part=\"P\"/>", 2},
        {"deep nesting", deepNesting(100000), 1},
    };
}

TEST(TemplateFile, FilesThatAreNoTemplateFilesAreRefusedWithTheLine) {
    for (const Damaged& d : refusedFiles()) {
        LabelTemplates templates;
        templates.skipped = 7;  // left as it was
        const Result read = readLabelTemplateBytes(d.bytes, templates);
        EXPECT_EQ(read.code, ResultCode::NotLabelTemplate) << d.what;
        EXPECT_EQ(read.line, d.line) << d.what;
        EXPECT_TRUE(templates.stocks.empty()) << d.what;
        EXPECT_EQ(templates.skipped, 7) << d.what;
        EXPECT_EQ(templates.damaged, 0) << d.what;
    }
}

// Templates with values that cannot be read: each is counted with its line,
// and a sound template after it is still offered.
std::vector<Damaged> damagedTemplates() {
    const std::string grid = "nx=\"3\" ny=\"8\" x0=\"10mm\" y0=\"12mm\" ";
    return {
        {"template without part", templateFile("<Template brand=\"B\"/>\n"), 3},
        {"no label width",
         templateFile("<Template brand=\"B\" part=\"P\" size=\"A4\">\n"
                      "<Label-rectangle height=\"3mm\"/></Template>\n"),
         4},
        {"NaN length", layoutWith(grid + "dx=\"nan\" dy=\"1mm\""), 5},
        {"infinite length", layoutWith(grid + "dx=\"inf\" dy=\"1mm\""), 5},
        {"exponent too large", layoutWith(grid + "dx=\"1e308mm\" dy=\"1mm\""), 5},
        {"exponent of four digits", layoutWith(grid + "dx=\"1e-0001mm\""), 5},
        {"huge number", layoutWith(grid + "dx=\"" + std::string(400, '9') + "\""), 5},
        {"ten metres and more", layoutWith(grid + "dx=\"10000.1mm\""), 5},
        {"unknown unit", layoutWith(grid + "dx=\"12furlong\""), 5},
        {"unit without a number", layoutWith(grid + "dx=\"in\""), 5},
        {"sign only", layoutWith(grid + "dx=\"-mm\""), 5},
        {"no columns", layoutWith("ny=\"8\""), 5},
        {"zero columns", layoutWith("nx=\"0\" ny=\"8\""), 5},
        {"fractional rows", layoutWith("nx=\"2\" ny=\"2.5\""), 5},
        {"a billion rows", layoutWith("nx=\"2\" ny=\"1000000000\""), 5},
        {"negative rows", layoutWith("nx=\"2\" ny=\"-3\""), 5},
    };
}

TEST(TemplateFile, TemplatesWithValuesThatCannotBeReadAreCountedWithTheLine) {
    const std::string sound = rectangle("A4", kGrid);
    for (const Damaged& d : damagedTemplates()) {
        std::string bytes = d.bytes;
        bytes.insert(bytes.rfind("</Glabels-templates>"), sound);
        LabelTemplates templates;
        const Result read = readLabelTemplateBytes(bytes, templates);
        ASSERT_TRUE(read.ok()) << d.what;
        EXPECT_EQ(templates.damaged, 1) << d.what;
        EXPECT_EQ(templates.firstDamagedLine, d.line) << d.what;
        EXPECT_EQ(templates.skipped, 0) << d.what;
        EXPECT_EQ(templates.stocks.size(), 1u) << d.what;
    }
}

TEST(TemplateFile, FilesThatCannotBeReadAreRefusedUnread) {
    TempFolder folder("template-files");
    // A file over the bound, though well formed, is not parsed at all.
    std::string big = templateFile(std::string(kMaxLabelTemplateFileBytes, ' '));
    folder.put("big.xml", big);
    folder.put("good.xml", templateFile(rectangle("A4", kGrid)));
    LabelTemplates templates;
    EXPECT_EQ(readLabelTemplateFile(folder.path("big.xml"), templates).code,
              ResultCode::ReadFailed);
    EXPECT_EQ(readLabelTemplateBytes(big, templates).code, ResultCode::ReadFailed);
    EXPECT_EQ(readLabelTemplateFile(folder.path("missing.xml"), templates).code,
              ResultCode::NotFound);
    EXPECT_NE(readLabelTemplateFile(folder.dir().string(), templates).code, ResultCode::Ok);
    EXPECT_TRUE(templates.stocks.empty());

    const Result good = readLabelTemplateFile(folder.path("good.xml"), templates);
    EXPECT_TRUE(good.ok());
    EXPECT_EQ(templates.stocks.size(), 1u);
    // A folder of such files reads the good ones and passes over the rest.
    folder.put("a-templates.xml", templateFile(rectangle("A4", kGrid)));
    folder.put("b-templates.xml", kLaughs);
    folder.put("c-templates.xml", templateFile(rectangle("A4", kGrid, "Label-cd")));
    const LabelTemplates all = readInstalledLabelTemplates(folder.dir().string());
    EXPECT_EQ(all.stocks.size(), 1u);
    EXPECT_EQ(all.skipped, 1);
    EXPECT_TRUE(readInstalledLabelTemplates(folder.path("none")).stocks.empty());
}

}  // namespace
