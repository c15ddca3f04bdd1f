// The input window on another stock, driven as a user drives it: the
// 24-label stock picked in 用紙の設定, labels typed, previewed and printed to a
// PDF whose every label lands in its cell; the dialog itself; and the
// origin's fine adjustment with Shift and typed into its box.

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "ScriptedDialogs.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/StockDialog.h"
#include "files/UserStockFile.h"
#include "model/StockPresets.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"
#include "support/PageInk.h"
#include "support/WindowHarness.h"

namespace {

const char* const k24 = "A4 24面 66×33.9mm";

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The dialog's part when the user picks the preset `name` and presses OK.
std::function<std::optional<LabelStock>(StockChooser&)> pickPreset(const std::string& name) {
    return [name](StockChooser& chooser) -> std::optional<LabelStock> {
        for (std::size_t i = 0; i < chooser.entries().size(); ++i) {
            if (chooser.entries()[i].stock.name == name) {
                chooser.pick(i);
                return chooser.accept();
            }
        }
        return std::nullopt;
    };
}

// An EAN-13 code for label `n`, with its check digit.
std::string janFor(int n) {
    std::string code = "4900000000" + std::string(n < 10 ? "0" : "") + std::to_string(n);
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (code[static_cast<std::size_t>(i)] - '0') * (i % 2 == 0 ? 1 : 3);
    return code + std::to_string((10 - sum % 10) % 10);
}

int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output != nullptr)
        *output = process.readAllStandardOutput().trimmed();
    return process.exitCode();
}

// Types `text` into the box with the focus and presses Enter: ASCII as key
// clicks, anything else as a Japanese input method commits it.
void typeAndEnter(const std::string& text) {
    QWidget* box = QApplication::focusWidget();
    QVERIFY(box != nullptr);
    const QString typed = QString::fromStdString(text);
    if (std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        QTest::keyClicks(box, typed);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(box, &commit);
    }
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class EditorStockTest : public QObject {
    Q_OBJECT

  private slots:
    void theTwentyFourLabelStockIsPickedTypedPreviewedAndPrintedIntoItsCells() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        const LabelStock stock = stockPresetNamed(k24)->stock;
        ScriptedDialogs dialogs;
        dialogs.stockScript = pickPreset(k24);
        dialogs.makeJob = [&] { return QtPrintJob::begin(makePdfPrinter(pdf, 600, stock.paper)); };
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        auto* counter = window.findChild<QLabel*>(QStringLiteral("Label6"));
        QTest::mouseClick(window.findChild<QPushButton*>(u("用紙の設定")), Qt::LeftButton);
        QCOMPARE(dialogs.stockRequests, 1);
        QCOMPARE(counter->text(), QStringLiteral("1/24"));

        // Every label typed box by box, Enter after each; the price steps on.
        for (int n = 1; n <= 24; ++n) {
            QCOMPARE(counter->text(), QStringLiteral("%1/24").arg(n));
            const bool coded = n == 1 || n == 13 || n == 24;
            for (const std::string& text :
                 {coded ? janFor(n) : std::string(), std::string("MK"), "品" + std::to_string(n),
                  std::string("1L"), std::string("A"), std::to_string(100 + n)})
                typeAndEnter(text);
        }
        QCOMPARE(window.editor().sheet().label(24).productName, std::string("品24"));
        QCOMPARE(window.editor().sheet().label(13).janCode, janFor(13));
        auto* zoom = window.findChild<QPushButton*>(u("倍率"));
        QTest::mouseClick(window.findChild<QPushButton*>(u("プレビュー")), Qt::LeftButton);
        QTest::mouseClick(zoom, Qt::LeftButton);
        QCOMPARE(window.editor().viewState().previewZoom, 1.0);
        QTest::mouseClick(zoom, Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>(u("印刷")), Qt::LeftButton);
        QVERIFY2(dialogs.messages.empty(),
                 dialogs.messages.empty() ? "" : dialogs.messages.front().text.c_str());
        QCOMPARE(dialogs.printerRequests, 1);

        const int dpi = 200;
        const QString stem = dir.filePath(QStringLiteral("page"));
        QCOMPARE(run(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), pdf, stem}),
                 0);
        const QImage page(stem + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        expectInkInCells(page, dpi, stock);
        expectNamesInTheirCells(pdf, stock);
        for (int n : {1, 13, 24})
            expectBarcodeInCell(page, dpi, stock, n, dir);
    }

    void theDialogShowsThePickedStockAndTellsAnImpossibleOne() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        StockChooser chooser(kStandardStock, dialogs,
                             dir.filePath(u(kUserStockFileName)).toStdString(), {});
        StockDialog dialog(chooser);
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>(u("用紙の一覧"));
        QCOMPARE(list->currentRow(), 0);
        const QList<QListWidgetItem*> items = list->findItems(u(k24), Qt::MatchContains);
        QCOMPARE(items.size(), 1);
        list->setCurrentItem(items.front());
        auto* width = dialog.findChild<QDoubleSpinBox*>(u("ラベルの幅"));
        QCOMPARE(width->value(), 66.0);
        auto* problem = dialog.findChild<QLabel*>(u("用紙の問題"));
        QVERIFY(problem->text().isEmpty());

        width->setValue(80.0);  // three 80 mm labels do not fit on A4
        QVERIFY(problem->text().contains(u("横の間隔")));
        QCOMPARE(list->currentRow(), -1);  // no entry is this stock
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.chosen());

        width->setValue(66.0);
        QCOMPARE(list->currentItem(), items.front());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.chosen() == stockPresetNamed(k24)->stock);
    }

    // The preview's page is the stock's paper: Letter for a Letter stock, and
    // back to A4 with the undo of the change.
    void thePreviewPageFollowsTheStocksPaper() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        LabelStock letter = kStandardStock;
        letter.paper = {215.9, 279.4};
        letter.firstLabel.y = 2.0;  // five rows of 55 mm on 279.4 mm
        dialogs.stockScript = [&](StockChooser& chooser) {
            chooser.setForm(letter);
            return chooser.accept();
        };
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        const QSize a4 = window.previewArea()->pageTwips();
        QTest::mouseClick(window.findChild<QPushButton*>(u("用紙の設定")), Qt::LeftButton);
        QCOMPARE(window.editor().layout().stock, letter);
        const QSize page = window.previewArea()->pageTwips();
        // Whole pixels at the screen's resolution: within a pixel (15 twips at 96 dpi).
        QVERIFY2(std::abs(page.width() - 12240) <= 20 && std::abs(page.height() - 15840) <= 20,
                 qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
        window.editor().undo();
        QCOMPARE(window.previewArea()->pageTwips(), a4);
    }

    void shiftOnThePlusButtonAndATypedValueAdjustToTheTenth() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        auto* xBox = window.findChild<QLineEdit*>(u("x座標調整"));
        auto* yBox = window.findChild<QLineEdit*>(u("y座標調整"));
        auto* xPlus = window.findChild<QPushButton*>(u("xプラス"));
        QTest::mouseClick(xPlus, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(xBox->text(), QStringLiteral("0.1"));
        QTest::mouseClick(xPlus, Qt::LeftButton);
        QCOMPARE(xBox->text(), QStringLiteral("1.1"));

        QTest::mouseClick(yBox, Qt::LeftButton);
        yBox->selectAll();
        QTest::keyClicks(yBox, QStringLiteral("-2.5"));
        QTest::keyClick(yBox, Qt::Key_Return);
        QCOMPARE(yBox->text(), QStringLiteral("-2.5"));
        const LayoutSettings& layout = window.editor().layout();
        QCOMPARE(layout.originY, layout.stock.firstLabel.y - 2.5);
        QVERIFY(dialogs.messages.empty());
        // The caret goes back to the JAN code box, as after the buttons.
        QCOMPARE(QApplication::focusWidget(), window.inputBox(InputBox::Text1));
    }

  private:
    // Every label holds ink, and no ink lies outside the cells (a fifth of a
    // millimetre allowed for the edge of a stroke).
    static void expectInkInCells(const QImage& page, int dpi, const LabelStock& stock) {
        const PageInk ink(page, dpi);
        std::vector<int> inked(static_cast<std::size_t>(stock.labelCount()) + 1, 0);
        int stray = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (!ink.inkedPixel(x, y))
                    continue;
                const int n = cellOf(stock, ink.mm(x), ink.mm(y), 0.2);
                if (n == 0)
                    ++stray;
                else
                    ++inked[static_cast<std::size_t>(n)];
            }
        }
        QCOMPARE(stray, 0);
        for (int n = 1; n <= stock.labelCount(); ++n)
            QVERIFY2(inked[static_cast<std::size_t>(n)] > 0, qPrintable(QString::number(n)));
    }

    // Each label's product name ("品n", as pdftotext finds its words) inside
    // that label's own cell.
    static void expectNamesInTheirCells(const QString& pdf, const LabelStock& stock) {
        QByteArray text;
        QCOMPARE(run(QStringLiteral("pdftotext"),
                     {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &text),
                 0);
        static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                           "yMax=\"([0-9.]+)\">品([0-9]+)</word>"));
        constexpr double kMmPerPoint = 25.4 / 72.0;
        std::vector<int> seen;
        for (const auto& m : word.globalMatch(QString::fromUtf8(text))) {
            const int n = m.captured(5).toInt();
            seen.push_back(n);
            for (int corner : {0, 1}) {
                const double x = m.captured(1 + 2 * corner).toDouble() * kMmPerPoint;
                const double y = m.captured(2 + 2 * corner).toDouble() * kMmPerPoint;
                QCOMPARE(cellOf(stock, x, y, 0.2), n);
            }
        }
        std::sort(seen.begin(), seen.end());
        QCOMPARE(seen.size(), std::size_t(24));
        for (int n = 1; n <= 24; ++n)
            QCOMPARE(seen[std::size_t(n - 1)], n);
    }

    // The label whose cell holds (x, y) mm, within `slack`; 0 for none.
    static int cellOf(const LabelStock& stock, double x, double y, double slack) {
        for (int n = 1; n <= stock.labelCount(); ++n) {
            const PointMm c = stock.cellOrigin(n, stock.firstLabel);
            if (x >= c.x - slack && x <= c.x + stock.labelWidthMm + slack && y >= c.y - slack &&
                y <= c.y + stock.labelHeightMm + slack)
                return n;
        }
        return 0;
    }

    static void expectBarcodeInCell(const QImage& page, int dpi, const LabelStock& stock, int n,
                                    const QTemporaryDir& dir) {
        const PointMm c = stock.cellOrigin(n, stock.firstLabel);
        const double px = dpi / 25.4;
        const QRect cell(int(c.x * px), int(c.y * px), int(stock.labelWidthMm * px),
                         int(stock.labelHeightMm * px));
        const QString crop = dir.filePath(QStringLiteral("cell%1.png").arg(n));
        QVERIFY(page.copy(cell).save(crop));
        QByteArray decoded;
        QCOMPARE(run(QStringLiteral("zbarimg"),
                     {QStringLiteral("-q"), QStringLiteral("--raw"), crop}, &decoded),
                 0);
        QCOMPARE(decoded.toStdString(), janFor(n));
    }
};

QTEST_MAIN(EditorStockTest)
#include "editor_stock_test.moc"
