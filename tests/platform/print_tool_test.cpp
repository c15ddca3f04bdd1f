// tanahuda-print as a whole process: where the printed texts land on the PDF
// page, the preview image, the print pattern taken from another file, and the
// one-line errors that leave no output behind.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <string>
#include <vector>

#include "LabelFileFixture.h"
#include "PlatformTestSupport.h"
#include "support/PdfPrintTest.h"

namespace {

class PrintToolTest : public PdfPrintTest {
  protected:
    void SetUp() override {
        PdfPrintTest::SetUp();
        labels_ = path("labels.csv");
        writeLabels(labels_.toStdString(), sheetOf({{1, "4901234567894", "りんご", "100"},
                                                    {2, "", "みかん", "234,567"},
                                                    {3, "49123456", "ぶどう", ""}}));
    }

    // The files in the test's folder, to see that nothing half-written stays.
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

    QString labels_;
};

void expectNear(const PdfWord* word, double left, double top, const std::string& what) {
    ASSERT_NE(word, nullptr) << what;
    EXPECT_NEAR(word->left, left, 0.01) << what;
    EXPECT_NEAR(word->top, top, 0.01) << what;
}

TEST_F(PrintToolTest, PdfPlacesTheTextsInMillimetresFromThePageCorner) {
    const ProcessResult run = runPrintTool({labels_, QStringLiteral("-o"), path("sheet.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(files(), QStringList({QStringLiteral("labels.csv"), QStringLiteral("sheet.pdf")}));

    const std::vector<PdfWord> words = pdfWords(path("sheet.pdf"));
    // Label 1 at (12, 7.8) mm. The JAN digits at (8, 6) in the label, 12 pt
    // IPAMincho: 13 digits of 6 pt each are 78 pt = 27.52 mm wide.
    const PdfWord* jan = findWord(words, "4901234567894");
    expectNear(jan, 20.0, 13.8, "JAN digits");
    ASSERT_NE(jan, nullptr);
    EXPECT_NEAR(jan->right - jan->left, 27.52, 0.01);
    // The product name after 13 - 3 = 10 blanks of 9 pt (18 pt Mincho): 16 mm + 31.75 mm.
    expectNear(findWord(words, "りんご"), 47.75, 31.8, "product name");
    // A three-digit price after four 24 pt blanks: 12 mm + 33.87 mm.
    expectNear(findWord(words, "100"), 45.87, 40.8, "price");
    // An eight-digit JAN code after four 6 pt blanks: label 3 at (12, 62.8) mm.
    expectNear(findWord(words, "49123456"), 28.47, 68.8, "EAN-8 digits");
    // A price filling the seven-character field starts at its left edge
    // (label 2 at 103 mm).
    expectNear(findWord(words, "234,567"), 103.0, 40.8, "a price filling its field");

    // A longer price is printed whole from there, over 円, and that is told.
    writeLabels(path("long.csv").toStdString(), sheetOf({{2, "", "みかん", "1,234,567"}}));
    const ProcessResult longer =
        runPrintTool({path("long.csv"), QStringLiteral("-o"), path("long.pdf")});
    EXPECT_EQ(longer.exitCode, 3);
    EXPECT_EQ(QString::fromUtf8(longer.err),
              QString::fromUtf8("tanahuda-print: ラベル 2: 売価が円と重なって印刷されます\n"));
    const std::vector<PdfWord> longWords = pdfWords(path("long.pdf"));
    expectNear(findWord(longWords, "1,234,567"), 103.0, 40.8, "long price");
    EXPECT_EQ(findWord(longWords, "234,567"), nullptr);
}

// Labels that do not come out as typed are printed all the same and listed
// on stderr, one a line; the exit status is then 3.
TEST_F(PrintToolTest, LabelsWithProblemsAreListedAfterPrinting) {
    // U+E000, a user-defined character, can be stored but no installed font draws it.
    writeLabels(path("problems.csv").toStdString(),
                sheetOf({{1, "4901234567890", "りんご", "100"},
                         {2, "4901234567894", "みかん", "100"},
                         {4, "4901234567894", "", "100"},
                         {6, "", "\uE000の牛丼", "オープン価格"}}));
    const ProcessResult run =
        runPrintTool({path("problems.csv"), QStringLiteral("-o"), path("p.pdf")});
    EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(run.err),
        QStringLiteral(
            "tanahuda-print: ラベル 1: JANコードが正しくないため、バーコードは印刷されません\n"
            "tanahuda-print: ラベル 4: 品名等がないため、このラベルは印刷されません\n"
            "tanahuda-print: ラベル 6: "
            "品名等の「\uE000」はフォントにないため、正しく印刷されません\n"
            "tanahuda-print: ラベル 6: 売価等は長すぎるため、幅を 82% に縮めて印刷されます\n"
            "tanahuda-print: ラベル 6: 売価が円と重なって印刷されます\n"));
    EXPECT_NE(findWord(pdfWords(path("p.pdf")), "りんご"), nullptr) << "printed all the same";
}

// However long a text is (a damaged file may hold a maker of a million
// characters), it stays inside its label and is reported as clipped: no ink
// on the empty label beside it, none left of the sheet's first column.
TEST_F(PrintToolTest, TextsOfAnyLengthAreClippedAtTheLabelEdge) {
    for (const int length : {300000, 600000, 1000000}) {
        LabelSheet sheet = sheetOf({{1, "4901234567894", "りんご", "100"}});
        sheet.label(1).maker = std::string(static_cast<std::size_t>(length), 'M');
        writeLabels(path("long.csv").toStdString(), sheet);
        const ProcessResult run =
            runPrintTool({path("long.csv"), QStringLiteral("-o"), path("long.pdf")});
        EXPECT_EQ(run.exitCode, 3) << length;
        EXPECT_EQ(
            QString::fromUtf8(run.err),
            QStringLiteral("tanahuda-print: ラベル 1: "
                           "メーカー等は長すぎるため、ラベルからはみ出す部分は印刷されません\n"))
            << length;
        constexpr int kDpi = 50;
        const QImage page = rasterise(path("long.pdf"), kDpi, path("long"));
        ASSERT_FALSE(page.isNull()) << length;
        auto px = [](double mm) { return static_cast<int>(mm / 25.4 * kDpi); };
        auto inkIn = [&](double left, double right) {
            int ink = 0;
            for (int y = px(kOriginY + 2); y < px(kOriginY + 53); ++y) {
                for (int x = px(left); x < px(right); ++x)
                    ink += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
            }
            return ink;
        };
        EXPECT_GT(inkIn(kOriginX + 2, kOriginX + 89), 0) << length << ": label 1 printed";
        EXPECT_EQ(inkIn(kOriginX + 93, kOriginX + 180), 0) << length << ": label 2 empty";
        EXPECT_EQ(inkIn(0, kOriginX - 1), 0) << length << ": nothing left of the sheet";
    }
}

TEST_F(PrintToolTest, PdfIsOneA4PageWithTheIpaFontEmbedded) {
    ASSERT_EQ(runPrintTool({labels_, QStringLiteral("-o"), path("sheet.pdf")}).exitCode, 0);
    const ProcessResult info = runProcess(QStringLiteral("pdfinfo"), {path("sheet.pdf")});
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression("Pages: +1\n")))
        << info.out.toStdString();
    EXPECT_NE(info.out.indexOf("595 x 842 pts (A4)"), -1) << info.out.toStdString();
    const ProcessResult fonts = runProcess(QStringLiteral("pdffonts"), {path("sheet.pdf")});
    EXPECT_NE(fonts.out.indexOf("IPAMincho"), -1) << fonts.out.toStdString();
    EXPECT_EQ(fonts.out.indexOf("DejaVu"), -1) << fonts.out.toStdString();
}

TEST_F(PrintToolTest, LayoutComesFromASettingsFileOrAnotherLabelFile) {
    LayoutSettings moved = initialLayoutSettings();
    moved.element(LabelElement::Jan).offsetX = 5;
    moved.element(LabelElement::Jan).offsetY = -2;
    moved.xAdjustText = "3";  // the origin moves 3 mm to the right
    ASSERT_TRUE(saveSettingsFile(path("data.txt").toStdString(), moved).ok());
    writeLabels(path("other.csv").toStdString(), LabelSheet(), moved);

    for (const char* layoutFile : {"data.txt", "other.csv"}) {
        const QString pdf = path("moved.pdf");
        const ProcessResult run = runPrintTool(
            {labels_, QStringLiteral("--layout"), path(layoutFile), QStringLiteral("-o"), pdf});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        // 12 + 3 + 8 + 5 = 28 mm; 7.8 + 6 - 2 = 11.8 mm.
        expectNear(findWord(pdfWords(pdf), "4901234567894"), 28.0, 11.8, layoutFile);
    }
    // Without --layout the label file's own pattern holds.
    ASSERT_EQ(runPrintTool({labels_, QStringLiteral("-o"), path("own.pdf")}).exitCode, 0);
    expectNear(findWord(pdfWords(path("own.pdf")), "4901234567894"), 20.0, 13.8, "own layout");
}

// A pattern that is not wholly taken prints on the defaults, but never in
// silence: a damaged price line or a colour outside 0..0xFFFFFF (which would
// print white text) gives a warning naming the file and exit status 3, as a
// misaligned file does.
TEST_F(PrintToolTest, ADamagedPatternPrintsOnTheDefaultsWithAWarningAndStatusThree) {
    QFile in(labels_);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray good = in.readAll();
    in.close();
    QByteArray colour = good;
    // The maker's line of the pattern (line 16) in colour -1.
    const qsizetype maker = colour.indexOf(QByteArray("\x83\x81\x81\x5B\x83\x4A\x81\x5B"));
    ASSERT_GE(maker, 0);
    colour.replace(colour.indexOf("#FALSE#,#FALSE#,0,", maker), 18, "#FALSE#,#FALSE#,-1,");
    // "拡張","価格表示",9,0: no such price mode.
    const QByteArray priceLine =
        good + "\"\x8A\x67\x92\xA3\",\"\x89\xBF\x8A\x69\x95\x5C\x8E\xA6\",9,0\r\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* said;
    };
    const Case cases[] = {
        {"colour.csv", colour, " 16 行目"},
        {"price.csv", priceLine, "拡張"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile out(path(c.name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.bytes);
        out.close();
        const QString pdf = path("out.pdf");
        QFile::remove(pdf);
        // The file printed itself, and the file as the pattern of another.
        const QStringList calls[] = {
            {path(c.name), QStringLiteral("-o"), pdf},
            {labels_, QStringLiteral("--layout"), path(c.name), QStringLiteral("-o"), pdf},
        };
        for (const QStringList& args : calls) {
            const ProcessResult run = runPrintTool(args);
            EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
            const std::string err = run.err.toStdString();
            EXPECT_NE(err.find(path(c.name).toStdString()), std::string::npos) << err;
            EXPECT_NE(err.find(c.said), std::string::npos) << err;
            EXPECT_NE(findWord(pdfWords(pdf), "4901234567894"), nullptr) << "printed all the same";
        }
    }
    // The intact file still ends with 0.
    EXPECT_EQ(runPrintTool({labels_, QStringLiteral("-o"), path("good.pdf")}).exitCode, 0);
}

TEST_F(PrintToolTest, PreviewImageShowsTheFramesAtTheZoom) {
    struct ZoomCase {
        const char* zoom;
        int frameLeft, frameTop, frameRight;  // label 1's grey frame, in 96 dpi pixels
    };
    // Zoom 0.5: (6.0, 3.9) mm to 51.5 mm; zoom 1: (12, 7.8) mm to 103 mm.
    const std::vector<ZoomCase> cases = {{"0.5", 23, 15, 195}, {"1", 45, 29, 389}};
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    for (const ZoomCase& c : cases) {
        const QString png = path("preview.png");
        const ProcessResult run =
            runPrintTool({labels_, QStringLiteral("--preview"), QStringLiteral("--zoom"),
                          QString::fromUtf8(c.zoom), QStringLiteral("-o"), png});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage image(png);
        ASSERT_EQ(image.size(), QSize(794, 1123)) << c.zoom;
        const int y = c.frameTop + 10;
        EXPECT_EQ(image.pixel(c.frameLeft, y), grey) << c.zoom;
        EXPECT_EQ(image.pixel(c.frameLeft - 1, y), qRgb(255, 255, 255)) << c.zoom;
        EXPECT_EQ(image.pixel(c.frameRight, y), grey) << c.zoom;
        EXPECT_EQ(image.pixel(c.frameLeft + 10, c.frameTop), grey) << c.zoom;
        EXPECT_EQ(image.pixel(c.frameLeft + 10, c.frameTop - 1), qRgb(255, 255, 255)) << c.zoom;
        // The preview shows a placeholder, never a barcode that could be read.
        const ProcessResult scan = runProcess(QStringLiteral("zbarimg"),
                                              {QStringLiteral("-q"), QStringLiteral("--raw"), png});
        EXPECT_EQ(scan.out, QByteArray()) << c.zoom;
    }
}

TEST_F(PrintToolTest, HelpDocumentsEveryOptionAndTheOrigins) {
    const ProcessResult run = runPrintTool({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    const QString help = QString::fromUtf8(run.out);
    for (const char* part :
         {"-o OUT.pdf", "--dpi", "--preview", "--zoom", "--printer", "--copies", "--layout",
          "用紙の左上の角から描きます", "印刷可能領域の左上の角から描き"}) {
        EXPECT_TRUE(help.contains(QString::fromUtf8(part))) << part;
    }
}

struct FailureCase {
    const char* what;
    QStringList args;  // "@" stands for the test's folder
    int exitCode;
    const char* message;
};

TEST_F(PrintToolTest, FailuresPrintOneLineAndLeaveTheOldOutput) {
    LayoutSettings layout = initialLayoutSettings();
    ASSERT_TRUE(saveSettingsFile(path("data.txt").toStdString(), layout).ok());
    QFile old(path("out.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    const std::vector<FailureCase> cases = {
        {"missing", {"@/none.csv", "-o", "@/out.pdf"}, 1, "ファイルがありません: "},
        {"settings file", {"@/data.txt", "-o", "@/out.pdf"}, 1, "棚札形式のデータではありません: "},
        {"folder as input", {"@", "-o", "@/out.pdf"}, 1, "ファイルを読めません: "},
        {"missing layout",
         {"@/labels.csv", "--layout", "@/none.txt", "-o", "@/out.pdf"},
         1,
         "ファイルがありません: "},
        {"output folder missing",
         {"@/labels.csv", "-o", "@/no/out.pdf"},
         1,
         "出力先に書き込めません: "},
        {"output is a folder", {"@/labels.csv", "-o", "@"}, 1, "出力先はフォルダーです: "},
        {"preview output missing",
         {"@/labels.csv", "--preview", "-o", "@/no/p.png"},
         1,
         "出力先に書き込めません: "},
        {"no printer",
         {"@/labels.csv", "--printer", "NoSuchPrinter"},
         1,
         "プリンターが見つかりません: NoSuchPrinter"},
        {"no arguments", {}, 2, "ラベルデータファイルを指定してください"},
        {"no output", {"@/labels.csv"}, 2, "-o OUT.pdf か --printer NAME を指定してください"},
        {"bad zoom",
         {"@/labels.csv", "--preview", "--zoom", "2", "-o", "@/p.png"},
         2,
         "--zoom には 0.5 か 1 を指定してください: 2"},
        {"bad dpi",
         {"@/labels.csv", "--dpi", "60", "-o", "@/out.pdf"},
         2,
         "--dpi には 72 から 2400 までの整数を指定してください: 60"},
        {"no copies",
         {"@/labels.csv", "--printer", "P", "--copies", "0"},
         2,
         "--copies には 1 から 999 までの整数を指定してください: 0"},
        {"too many copies",
         {"@/labels.csv", "--printer", "P", "--copies", "1000"},
         2,
         "--copies には 1 から 999 までの整数を指定してください: 1000"},
        {"copies not a number",
         {"@/labels.csv", "--printer", "P", "--copies", "3部"},
         2,
         "--copies には 1 から 999 までの整数を指定してください: 3部"},
        // A PDF holds each page once: copies of it are its reader's to print.
        {"copies of a PDF",
         {"@/labels.csv", "--copies", "2", "-o", "@/out.pdf"},
         2,
         "--copies は --printer にだけ指定できます"},
        {"copies of a batch PDF",
         {"--products", "@/labels.csv", "--copies", "2", "-o", "@/out.pdf"},
         2,
         "--copies は --printer にだけ指定できます"},
        {"copies of a preview",
         {"@/labels.csv", "--preview", "--copies", "2", "-o", "@/p.png"},
         2,
         "--copies は --printer にだけ指定できます"},
        {"unknown option",
         {"@/labels.csv", "--colour", "-o", "@/out.pdf"},
         2,
         "不明なオプションです: --colour"},
        {"two inputs",
         {"@/labels.csv", "@/data.txt", "-o", "@/out.pdf"},
         2,
         "ラベルデータファイルは 1 つだけ指定してください: "},
        {"missing value", {"@/labels.csv", "-o"}, 2, "-o の後に値がありません"},
        {"a PDF named as a picture",
         {"@/labels.csv", "-o", "@/out.png"},
         2,
         "出力は PDF です。-o には .pdf の名前を指定してください"},
        {"a picture named as a PDF",
         {"@/labels.csv", "--preview", "-o", "@/out.pdf"},
         2,
         "--preview の出力は PNG 画像です。-o には .png の名前を指定してください"},
        {"the output is the input", {"@/labels.csv", "-o", "@/labels.csv"}, 2, "出力は PDF です"},
        {"the layout is the output",
         {"@/labels.csv", "--layout", "@/data.txt", "-o", "@/data.txt"},
         2,
         "出力は PDF です"},
    };
    for (const FailureCase& c : cases) {
        QStringList args;
        for (const QString& a : c.args) {
            args << (a.startsWith('@') ? dir_.path() + a.mid(1) : a);
        }
        const ProcessResult run = runPrintTool(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what;
        const std::string err = run.err.toStdString();
        EXPECT_EQ(err.rfind("tanahuda-print: " + std::string(c.message), 0), 0u)
            << c.what << ": " << err;
        EXPECT_EQ(run.err.count('\n'), 1) << c.what << ": " << err;
        EXPECT_TRUE(run.out.isEmpty()) << c.what;
    }
    QFile kept(path("out.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_EQ(files(), QStringList({QStringLiteral("data.txt"), QStringLiteral("labels.csv"),
                                    QStringLiteral("out.pdf")}));
}

// An output that cannot be written is named as the user gave it, with the
// reason, for every kind of output; a name too long or a folder that is not
// there is found before anything is drawn and leaves nothing behind.
TEST_F(PrintToolTest, AnOutputThatCannotBeWrittenIsNamedWithItsReason) {
    QFile list(path("list.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("4901234567894,乳業,牛乳,1L,L1,198\n");
    list.close();
    const QString tooLong = path(std::string(300, 'x').append(".pdf").c_str());
    const QString noFolder = path("no") + "/out.pdf";
    const QString fileAsFolder = path("list.csv") + "/out.pdf";
    const struct Case {
        const char* what;
        QStringList args;
        QString output;
        const char* reason;
    } cases[] = {
        {"sheet, name too long", {labels_, "-o", tooLong}, tooLong, "ファイル名が長すぎます"},
        {"batch, name too long",
         {"--products", path("list.csv"), "-o", tooLong},
         tooLong,
         "ファイル名が長すぎます"},
        {"calibration, name too long",
         {"--calibration", "-o", tooLong},
         tooLong,
         "ファイル名が長すぎます"},
        {"preview, no folder",
         {labels_, "--preview", "-o", path("no") + "/p.png"},
         path("no") + "/p.png",
         "保存先のフォルダーが見つかりません"},
        {"batch, no folder",
         {"--products", path("list.csv"), "-o", noFolder},
         noFolder,
         "保存先のフォルダーが見つかりません"},
        {"batch, a file as folder",
         {"--products", path("list.csv"), "-o", fileAsFolder},
         fileAsFolder,
         "保存先のフォルダーが見つかりません"},
    };
    for (const Case& c : cases) {
        const ProcessResult run = runPrintTool(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.what;
        const std::string err = run.err.toStdString();
        EXPECT_EQ(err.rfind("tanahuda-print: 出力先に書き込めません: " + c.output.toStdString() +
                                " (" + c.reason,
                            0),
                  0u)
            << c.what << ": " << err;
        EXPECT_EQ(files(), QStringList({QStringLiteral("labels.csv"), QStringLiteral("list.csv")}))
            << c.what;
    }
}

// A label data file that cannot be read is reported with why, in the words of
// reading: never as no label data, nor as a place that cannot be written to.
TEST_F(PrintToolTest, AnInputThatCannotBeReadIsReportedWithItsReason) {
    const QString inside = path("labels.csv") + "/inside.csv";
    const ProcessResult run = runPrintTool({inside, "-o", path("out.pdf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.toStdString(),
              "tanahuda-print: ファイルを読めません: " + inside.toStdString() +
                  " (フォルダーが見つかりません。（Not a directory）)\n");
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

// What the user sees of a list or a name is shown, not acted on by the
// terminal; `--` ends the options, so a file may begin with a dash.
TEST_F(PrintToolTest, ControlCharactersAreEscapedAndDoubleDashEndsTheOptions) {
    QFile list(path("list.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("49012345\x1b[2J,m,name,,,1\n");
    list.close();
    const ProcessResult batch =
        runPrintTool({"--products", path("list.csv"), "-o", path("batch.pdf")});
    EXPECT_EQ(batch.exitCode, 3);
    EXPECT_FALSE(batch.err.contains('\x1b')) << batch.err.toStdString();
    EXPECT_TRUE(batch.err.contains("49012345\\x1B[2J")) << batch.err.toStdString();

    ASSERT_TRUE(QFile::copy(labels_, path("-dash.csv")));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));  // the name as the user types it
    const ProcessResult dashed = runPrintTool({"-o", "dash.pdf", "--", "-dash.csv"});
    QDir::setCurrent(before);
    EXPECT_EQ(dashed.exitCode, 0) << dashed.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("dash.pdf")));
}

}  // namespace
