// 位置合わせ印刷 from the input window: the button in the 印字位置調整 group
// prints the calibration page on the printer of the set-up dialog (a PDF
// here), its label outlines and corner crosses where the adjusted origin
// puts them.

#include <QGroupBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "platform/PageSetup.h"
#include "platform/QtPrintJob.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

constexpr int kDpi = 300;

int px(double mm) {
    return static_cast<int>(mm / 25.4 * kDpi + 0.5);
}

// Whether the page is inked within 0.1 mm of (x, y) mm.
bool inked(const QImage& page, double x, double y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (qGray(page.pixel(px(x) + dx, px(y) + dy)) < 128)
                return true;
        }
    }
    return false;
}

// The first inked column, from the left, of the rows between y0 and y1 mm.
double leftmostInk(const QImage& page, double y0, double y1) {
    int best = page.width();
    for (int y = px(y0); y <= px(y1); ++y) {
        for (int x = 0; x < best; ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                best = x;
                break;
            }
        }
    }
    return best * 25.4 / kDpi;
}

// The first inked row, from the top, of the columns between x0 and x1 mm.
double topmostInk(const QImage& page, double x0, double x1) {
    int best = page.height();
    for (int x = px(x0); x <= px(x1); ++x) {
        for (int y = 0; y < best; ++y) {
            if (qGray(page.pixel(x, y)) < 128) {
                best = y;
                break;
            }
        }
    }
    return best * 25.4 / kDpi;
}

}  // namespace

class CalibrationButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void outlinesAndCrossesStandWhereTheOriginSays_data() {
        QTest::addColumn<int>("stepsX");
        QTest::addColumn<int>("stepsY");
        QTest::newRow("0/0") << 0 << 0;
        QTest::newRow("+3/-2") << 3 << -2;
    }

    void outlinesAndCrossesStandWhereTheOriginSays() {
        QFETCH(int, stepsX);
        QFETCH(int, stepsY);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("calibration.pdf"));
        ScriptedDialogs dialogs;
        dialogs.makeJob = [&] { return QtPrintJob::begin(makePdfPrinter(pdf, 600)); };
        const std::string settings = dir.filePath(QStringLiteral("data.txt")).toStdString();
        EditorWindow window(SettingsPaths{settings, settings}, dialogs);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();

        auto* group = window.findChild<QGroupBox*>(u("印字位置調整"));
        QVERIFY(group);
        auto* calibrate = group->findChild<QPushButton*>(u("位置合わせ印刷"));
        QVERIFY(calibrate);
        QCOMPARE(calibrate->text(), u("位置合わせ印刷"));
        for (int i = 0; i < std::abs(stepsX); ++i)
            QTest::mouseClick(
                group->findChild<QPushButton*>(stepsX > 0 ? u("xプラス") : u("xマイナス")),
                Qt::LeftButton);
        for (int i = 0; i < std::abs(stepsY); ++i)
            QTest::mouseClick(
                group->findChild<QPushButton*>(stepsY > 0 ? u("yプラス") : u("yマイナス")),
                Qt::LeftButton);
        QTest::mouseClick(calibrate, Qt::LeftButton);
        QCOMPARE(dialogs.printerRequests, 1);
        QVERIFY(dialogs.messages.empty());

        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                      QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                      dir.filePath(QStringLiteral("page"))});
        QVERIFY(raster.waitForFinished(60000));
        const QImage page(dir.filePath(QStringLiteral("page.png")));
        QVERIFY(!page.isNull());

        const double ox = 12.0 + stepsX, oy = 7.8 + stepsY;
        // Label 1's left edge is the first ink of its lower half, its top edge
        // the first ink above its right half.
        QVERIFY2(std::abs(leftmostInk(page, oy + 30, oy + 50) - ox) < 0.1,
                 qPrintable(QString::number(leftmostInk(page, oy + 30, oy + 50))));
        QVERIFY2(std::abs(topmostInk(page, ox + 45, ox + 85) - oy) < 0.1,
                 qPrintable(QString::number(topmostInk(page, ox + 45, ox + 85))));
        // Every label's outline and the cross at its corner, whose arms reach
        // out of the outline.
        for (int k = 0; k < 10; ++k) {
            const double x = ox + 91.0 * (k % 2), y = oy + 55.0 * (k / 2);
            QVERIFY2(inked(page, x + 45.5, y) && inked(page, x, y + 27.5) &&
                         inked(page, x + 91.0, y + 27.5) && inked(page, x + 45.5, y + 55.0),
                     qPrintable(QStringLiteral("outline of label %1").arg(k + 1)));
            QVERIFY2(inked(page, x - 3.0, y) && inked(page, x, y - 3.0),
                     qPrintable(QStringLiteral("cross of label %1").arg(k + 1)));
        }
        // Nothing where the other origin would have put the first outline.
        const double otherX = stepsX == 0 ? 15.0 : 12.0;
        QVERIFY(!inked(page, otherX, oy + 40.0));
    }
};

QTEST_MAIN(CalibrationButtonTest)
#include "calibration_button_test.moc"
