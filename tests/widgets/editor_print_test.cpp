// Printing from the input window onto a PDF printer: the barcodes on the
// printed page read back with a real decoder, and the preview stays as it was.
// 位置合わせ印刷 prints the calibration page for the origin the window's
// adjustment buttons have set.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"
#include "render/CalibrationSheet.h"
#include "support/RecordingJob.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Runs a program; its standard output, or a failed test.
QByteArray run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        qWarning() << program << "did not finish";
        return {};
    }
    if (exitCode != nullptr) {
        *exitCode = process.exitCode();
    }
    return process.readAllStandardOutput();
}

// Every code zbarimg reads on the first page of `pdf` at 300 dpi (the page is
// rendered to `stem`.png); `decoded` keeps zbarimg's own output for messages.
std::set<QByteArray> codesOnPage(const QString& pdf, const QString& stem, QByteArray& decoded) {
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, stem});
    decoded = run(QStringLiteral("zbarimg"),
                  {QStringLiteral("-q"), QStringLiteral("--raw"), stem + QStringLiteral(".png")});
    std::set<QByteArray> codes;
    for (const QByteArray& line : decoded.split('\n')) {
        if (!line.trimmed().isEmpty())
            codes.insert(line.trimmed());
    }
    return codes;
}

}  // namespace

class EditorPrintTest : public QObject {
    Q_OBJECT

  private slots:
    void printedBarcodesReadBack() {
        QTemporaryDir dir;
        dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP_PRINT"));
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        ScriptedDialogs dialogs;
        dialogs.makeJob = [&] {
            return QtPrintJob::begin(makePdfPrinter(pdf, 600, kStandardStock.paper));
        };
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));

        const struct {
            int label;
            const char* jan;
            const char* name;
        } labels[] = {
            {1, "4901234567894", "特選しょうゆ"},
            {4, "4912345678904", "焼きのり"},
            {9, "49012347", "煎茶"},
        };
        for (const auto& l : labels) {
            LabelRecord& record = window.editor().sheet().label(l.label);
            record.janCode = l.jan;
            record.productName = l.name;
            record.price = "198";
        }
        window.editor().goFirst();  // the boxes show label 1 as stored
        QTest::mouseClick(window.findChild<QPushButton*>(u("プレビュー")), Qt::LeftButton);
        const QImage before = window.previewArea()->picture()->buffer().copy();
        QTest::mouseClick(window.findChild<QPushButton*>(u("印刷")), Qt::LeftButton);
        QCOMPARE(dialogs.printerRequests, 1);
        QVERIFY2(dialogs.messages.empty(),
                 dialogs.messages.empty() ? "" : dialogs.messages.front().text.c_str());
        QVERIFY(QFileInfo(pdf).size() > 0);
        // The preview stays at 50 %: the print drew at full size on paper only.
        QCOMPARE(window.previewArea()->picture()->buffer(), before);
        QCOMPARE(window.findChild<QPushButton*>(u("倍率"))->text(), u("倍率切替100%"));

        QByteArray decoded;
        const std::set<QByteArray> codes =
            codesOnPage(pdf, dir.filePath(QStringLiteral("page")), decoded);
        const std::set<QByteArray> expected = {"4901234567894", "4912345678904", "49012347"};
        QVERIFY2(codes == expected, decoded.constData());
    }

    // QR codes typed into the window, the label's own in the QR field and the
    // pattern's in the QR code's frame, read back from the printed page.
    void printedQrCodesReadBack() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("qr.pdf"));
        ScriptedDialogs dialogs;
        dialogs.makeJob = [&] {
            return QtPrintJob::begin(makePdfPrinter(pdf, 600, kStandardStock.paper));
        };
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        for (const auto& [label, jan] : {std::pair{1, "4901234567894"}, std::pair{2, "49012347"}}) {
            LabelRecord& record = window.editor().sheet().label(label);
            record.janCode = jan;
            record.productName = "有機にんじん";
            record.price = "198";
        }
        window.editor().goFirst();
        auto* pattern = window.findChild<QLineEdit*>(u("QRパターン"));
        auto* content = window.findChild<QLineEdit*>(u("QR内容"));
        QVERIFY(pattern && content);
        pattern->setFocus();
        QTest::keyClicks(pattern, u("https://example.jp/item/{JAN}"));
        QTest::keyClick(pattern, Qt::Key_Return);
        QCOMPARE(window.editor().layout().qrPattern, std::string("https://example.jp/item/{JAN}"));
        content->setFocus();
        QTest::keyClicks(content, u("https://shop.example/"));
        content->insert(u("にんじん"));  // committed by the input method
        QTest::keyClick(content, Qt::Key_Return);
        QCOMPARE(window.editor().sheet().label(1).qrContent,
                 std::string("https://shop.example/にんじん"));
        QTest::mouseClick(window.findChild<QPushButton*>(u("印刷")), Qt::LeftButton);
        QVERIFY2(dialogs.messages.empty(),
                 dialogs.messages.empty() ? "" : dialogs.messages.front().text.c_str());

        QByteArray decoded;
        const std::set<QByteArray> codes =
            codesOnPage(pdf, dir.filePath(QStringLiteral("qr-page")), decoded);
        const std::set<QByteArray> expected = {"4901234567894", "49012347",
                                               "https://shop.example/にんじん",
                                               "https://example.jp/item/49012347"};
        QVERIFY2(codes == expected, decoded.constData());
    }

    // The calibration page itself is tested in calibration_sheet_test and, on
    // paper, through tanahuda-print --calibration: here only that the button
    // reaches it with the origin the buttons beside it have moved.
    void theCalibrationButtonPrintsThePageForTheAdjustedOrigin() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto record = std::make_shared<PrintRecord>();
        dialogs.makeJob = [&] {
            return PrintJobStart{std::make_unique<FakePrintJob>(record), Result{}};
        };
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        window.editor().sheet().label(1).productName = "特選しょうゆ";
        auto* group = window.findChild<QGroupBox*>(u("印字位置調整"));
        QVERIFY(group);
        const std::pair<const char*, int> clicks[] = {{"xプラス", 3}, {"yマイナス", 2}};
        for (const auto& [button, times] : clicks) {
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(group->findChild<QPushButton*>(u(button)), Qt::LeftButton);
        }
        QTest::mouseClick(group->findChild<QPushButton*>(u("位置合わせ印刷")), Qt::LeftButton);
        QCOMPARE(dialogs.printerRequests, 1);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(record->finished);

        // The calibration page alone, nothing of the sheet's labels.
        LayoutSettings adjusted = initialLayoutSettings();
        adjusted.originX += 3.0;
        adjusted.originY -= 2.0;
        RecordingSurface expected;
        drawCalibrationSheet(expected, adjusted);
        for (const char* drawn : {"rect ", "line ", "text "})
            QVERIFY2(record->page.callsStartingWith(drawn) == expected.callsStartingWith(drawn),
                     drawn);
    }
};

QTEST_MAIN(EditorPrintTest)
#include "editor_print_test.moc"
