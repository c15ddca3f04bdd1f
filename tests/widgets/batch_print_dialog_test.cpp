// Batch printing from the input window: the dialog that asks for the start
// position counts the sheets and pictures the first one; the print leaves the
// sheet being edited as it was.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/logic/EditorMessages.h"
#include "editor/widgets/BatchPrintDialog.h"
#include "editor/widgets/EditorWindow.h"
#include "files/Cp932.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// 25 products, each with a valid EAN-13 code, in UTF-8 with a header row.
std::string productList() {
    std::string list = "JANコード,品名,売価\n";
    for (int i = 1; i <= 25; ++i)
        list += "4901234567894,商品" + std::to_string(i) + ",100\n";
    return list;
}

// True when the cell of label `number` (default origin, full size, 96 dpi)
// has red pixels: the price and yen sign of a printed label.
bool cellHasRed(const QImage& page, int number) {
    const double pxPerMm = 96 / 25.4;
    const int left = static_cast<int>(((number - 1) % 2 * 91.0 + 12.0) * pxPerMm);
    const int top = static_cast<int>(((number - 1) / 2 * 55.0 + 7.8) * pxPerMm);
    for (int y = top + 2; y < top + static_cast<int>(55 * pxPerMm) - 2; ++y) {
        for (int x = left + 2; x < left + static_cast<int>(91 * pxPerMm) - 2; ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
        }
    }
    return false;
}

// True when the tax line's place in label 1 (right of the maker) has red pixels.
bool taxLineHasRed(const QImage& page) {
    const double pxPerMm = 96 / 25.4;
    for (int y = static_cast<int>(24.8 * pxPerMm); y < static_cast<int>(31 * pxPerMm); ++y) {
        for (int x = static_cast<int>(54 * pxPerMm); x < static_cast<int>(102 * pxPerMm); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
        }
    }
    return false;
}

}  // namespace

class BatchPrintDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void countsSheetsAndPicturesTheFirstSheetFromTheStartPosition() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        writeFile(list, productList());
        const LayoutSettings layout = initialLayoutSettings();
        BatchPrintDialog dialog(list, layout);
        QCOMPARE(dialog.objectName(), u("一括印刷"));
        auto* start = dialog.findChild<QSpinBox*>(u("開始位置"));
        auto* summary = dialog.findChild<QLabel*>(u("枚数"));
        QVERIFY(start && summary);
        QCOMPARE(start->minimum(), 1);
        QCOMPARE(start->maximum(), 10);

        QCOMPARE(dialog.productCount(), 25L);
        QCOMPARE(summary->text(), u("25 件の商品を 3 枚のシートに印刷します。"));
        for (int k = 1; k <= 10; ++k)
            QVERIFY2(cellHasRed(dialog.firstSheetPicture(), k), "from 1");

        start->setValue(7);
        QCOMPARE(dialog.startPosition(), 7);
        QCOMPARE(dialog.sheetCount(), 4L);
        QCOMPARE(summary->text(), u("25 件の商品を 4 枚のシートに印刷します。"));
        for (int k = 1; k <= 6; ++k)
            QVERIFY2(!cellHasRed(dialog.firstSheetPicture(), k), "free");
        for (int k = 7; k <= 10; ++k)
            QVERIFY2(cellHasRed(dialog.firstSheetPicture(), k), "used");
    }

    void thePriceChoicesStartFromThePatternAndShowInThePicture() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        writeFile(list, productList());
        LayoutSettings layout = initialLayoutSettings();
        layout.pricing = {PriceMode::BaseAndTaxIncluded, TaxRounding::Ceiling};
        BatchPrintDialog dialog(list, layout);
        auto* mode = dialog.findChild<QComboBox*>(u("価格表示"));
        auto* rounding = dialog.findChild<QComboBox*>(u("税込の端数"));
        QVERIFY(mode && rounding);
        QCOMPARE(mode->currentText(), u("本体＋税込"));
        QCOMPARE(rounding->currentText(), u("切り上げ"));
        QVERIFY(taxLineHasRed(dialog.firstSheetPicture()));

        mode->setCurrentIndex(mode->findData(static_cast<int>(PriceMode::TaxIncludedOnly)));
        rounding->setCurrentIndex(rounding->findData(static_cast<int>(TaxRounding::HalfUp)));
        const PricePattern chosen{PriceMode::TaxIncludedOnly, TaxRounding::HalfUp};
        QCOMPARE(dialog.layout().pricing, chosen);
        QVERIFY(!taxLineHasRed(dialog.firstSheetPicture()));
        QCOMPARE(layout.pricing.mode, PriceMode::BaseAndTaxIncluded);  // the pattern stays
    }

    // Before anything is printed the dialog counts the rows that will not
    // print as they stand and shows the first five.
    void theProblemRowsAreShownBeforePrinting() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        std::string rows = "4901234567894,m,fine,,,1\n";  // line 1
        for (int i = 0; i < 6; ++i)
            rows += "4901234567894,m,,,,1\n";       // lines 2-7: no product name
        rows += "49012345678941,m,fourteen,,,1\n";  // line 8: no barcode
        writeFile(list, rows);
        const LayoutSettings layout = initialLayoutSettings();
        BatchPrintDialog dialog(list, layout);
        auto* problems = dialog.findChild<QLabel*>(u("問題のある行"));
        QVERIFY(problems);
        // The rows without a name take no label: two products print.
        QCOMPARE(dialog.productCount(), 2L);
        const QStringList lines = problems->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], u("問題のある行が 7 行あります。"));
        QCOMPARE(lines[1], u("2 行目: 品名が空のため、このラベルは印刷されません"));
        QVERIFY(lines[5].startsWith(u("6 行目: ")));
        QCOMPARE(lines[6], u("…"));

        writeFile(list, "4901234567894,m,fine,,,1\n");
        BatchPrintDialog sound(list, layout);
        QCOMPARE(sound.findChild<QLabel*>(u("問題のある行"))->text(), QString());
    }

    void aForcedEncodingThatDoesNotFitLeavesNothingToPrint() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        const std::optional<std::string> cp932 =
            cp932::encode("4901234567894,メーカー,品名,,,100\n");
        QVERIFY(cp932.has_value());
        writeFile(list, *cp932);
        const LayoutSettings layout = initialLayoutSettings();
        BatchPrintDialog dialog(list, layout);
        QCOMPARE(dialog.productCount(), 1L);  // detected as code page 932
        auto* encoding = dialog.findChild<QComboBox*>(u("文字コード"));
        auto* print = dialog.findChild<QPushButton*>(u("一括印刷実行"));
        QVERIFY(encoding && print);
        QVERIFY(print->isEnabled());
        encoding->setCurrentIndex(encoding->findData(static_cast<int>(TextEncoding::Utf8)));
        QCOMPARE(dialog.encoding(), TextEncoding::Utf8);
        QCOMPARE(dialog.productCount(), 0L);
        QVERIFY(!print->isEnabled());
    }

    void printingALeavesTheSheetBeingEditedAsItWas() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        writeFile(list, productList());
        ScriptedDialogs dialogs;
        TestWindow window(dir.path(), dialogs);
        window.editor().sheet().label(3).productName = "編集中";
        const LabelSheet before = window.editor().sheet();
        const int currentBefore = window.editor().currentLabel();

        const QString pdf = dir.filePath(u("batch.pdf"));
        std::unique_ptr<QtPrintJob> job =
            QtPrintJob::begin(makePdfPrinter(pdf, 300, kStandardStock.paper)).job;
        QVERIFY(job != nullptr);
        const BatchOutcome result = printProductListFile(
            list.toStdString(), BatchChoice{7, TextEncoding::Auto, std::nullopt, std::nullopt},
            window.editor().layout(), *job, &window);
        QVERIFY(result.ok());
        QCOMPARE(result.sheets, 4L);
        QCOMPARE(result.labels, 25L);
        QVERIFY(result.problems.empty());
        QCOMPARE(batchOutcomeMessage(result), u("4 枚のシートに 25 件のラベルを印刷しました。"));
        job.reset();

        QVERIFY(window.editor().sheet() == before);
        QCOMPARE(window.editor().currentLabel(), currentBefore);
        QProcess info;
        info.start(u("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(u("Pages:\\s+4\\b"))));
    }

    // The menu command asks for the list, the batch options and the printer
    // through the window's dialogs; a cancel at any step asks nothing more.
    void theMenuCommandAsksThroughTheDialogs() {
        QTemporaryDir dir;
        const QString list = dir.filePath(u("list.csv"));
        writeFile(list, productList() + "49012345678941,十四桁,1\n");
        const QString pdf = dir.filePath(u("batch.pdf"));
        enum class Stop { AtList, AtOptions, AtPrinter, PrinterFails, Never };
        const struct {
            Stop stop;
            int batchRequests, printerRequests;
            const char* message;
        } cases[] = {
            {Stop::AtList, 0, 0, nullptr},
            {Stop::AtOptions, 1, 0, nullptr},
            {Stop::AtPrinter, 1, 1, nullptr},
            {Stop::PrinterFails, 1, 1,
             "プリンターを開けないため、印刷できません。\nプリンターがありません"},
            {Stop::Never, 1, 1,
             "4 枚のシートに 26 件のラベルを印刷しました。\n\n印刷したが、行のとおりではないもの:\n"
             "・JANコードが 13 桁でも 8 桁でもありません (バーコードなし) (1 行): 27 行目"},
        };
        for (const auto& c : cases) {
            ScriptedDialogs dialogs;
            if (c.stop != Stop::AtList)
                dialogs.openChoice = list.toStdString();
            if (c.stop != Stop::AtList && c.stop != Stop::AtOptions)
                dialogs.batchChoice =
                    BatchChoice{7, TextEncoding::Auto, std::nullopt, std::nullopt};
            if (c.stop == Stop::PrinterFails)
                dialogs.makeJob = [] {
                    return PrintJobStart{nullptr, Result::failure(ResultCode::PrinterNotFound)};
                };
            if (c.stop == Stop::Never)
                dialogs.makeJob = [&] {
                    return QtPrintJob::begin(makePdfPrinter(pdf, 300, kStandardStock.paper));
                };
            TestWindow window(dir.path(), dialogs);
            auto* command = window.findChild<QAction*>(u("一括印刷"));
            QVERIFY(command != nullptr);
            command->trigger();
            QCOMPARE(dialogs.openRequests, 1);
            QCOMPARE(dialogs.batchRequests, c.batchRequests);
            QCOMPARE(dialogs.printerRequests, c.printerRequests);
            if (c.message == nullptr) {
                QVERIFY(dialogs.messages.empty());
                continue;
            }
            QCOMPARE(dialogs.messages.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(dialogs.messages[0].text), u(c.message));
            QCOMPARE(dialogs.messages[0].icon,
                     c.stop == Stop::Never ? MessageIcon::Warning : MessageIcon::Critical);
        }
        QProcess info;
        info.start(u("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(u("Pages:\\s+4\\b"))));
    }

    void theOutcomeNamesTheRowsToLookAt() {
        BatchOutcome result;
        result.sheets = 1;
        result.labels = 3;
        result.problems = {Result::failure(ResultCode::RowTooManyColumns).withLine(2),
                           Result::failure(ResultCode::RowWithoutName).withLine(5)};
        result.labelProblems = {
            {3, LabelProblem{2, LabelProblemKind::TextClipped, LabelElement::Maker, {}, 50}}};
        // By reason, the rows left out first, each with its first lines.
        for (int line : {7, 9, 11, 13, 15, 17})
            result.problems.push_back(Result::failure(ResultCode::RowWithoutName).withLine(line));
        QCOMPARE(batchOutcomeMessage(result),
                 u("1 枚のシートに 3 件のラベルを印刷しました。\n8 行は印刷しませんでした。\n\n"
                   "印刷しなかった行:\n"
                   "・列が多すぎます (1 行): 2 行目\n"
                   "・品名が空です (7 行): 5, 7, 9, 11, 13 行目 ほか\n\n"
                   "印刷したが、行のとおりではないもの:\n"
                   "・メーカー等は長すぎるため、ラベルからはみ出す部分は印刷されません (1 行): 3 "
                   "行目"));
        // Only label problems: the outcome is a warning all the same.
        result.problems.clear();
        QCOMPARE(messages::batchOutcome(result).icon, MessageIcon::Warning);
        result.result = Result::failure(ResultCode::PageNotDrawn);
        QCOMPARE(batchOutcomeMessage(result),
                 u("一括印刷できませんでした。ページを描けませんでした"));
    }
};

QTEST_MAIN(BatchPrintDialogTest)
#include "batch_print_dialog_test.moc"
