// The input window's print command through a real print spooler: the queue
// chosen in the printer set-up dialog gets the sheet (read back from what the
// spooler's filters produced), and a queue that would not print (stopped,
// refusing, removed after the dialog, no spooler at all) gives a message and
// no job.

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <iterator>
#include <set>

#include "PrivateSpooler.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "support/PageInk.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QString kPlain = QStringLiteral("Plain");
const QString kEdged = QStringLiteral("Edged");

// What happened to the modal windows while one click ran.
struct ModalLog {
    bool dialogSeen = false;
    QStringList messages;
};

// Clicks `button` and answers the modal windows it opens: the printer set-up
// dialog with `inDialog` (then accepted), each message box with OK.
ModalLog clickAndAnswer(QPushButton* button, const std::function<void(QPrintDialog*)>& inDialog) {
    ModalLog log;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal); dialog && !log.dialogSeen) {
            log.dialogSeen = true;
            inDialog(dialog);
            dialog->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            log.messages << box->text();
            box->accept();
        }
    });
    answer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    answer.stop();
    return log;
}

// Chooses `queue` in the dialog's list of printers.
void choose(QPrintDialog* dialog, const QString& queue) {
    for (QComboBox* printers : dialog->findChildren<QComboBox*>()) {
        if (const int at = printers->findText(queue); at >= 0) {
            printers->setCurrentIndex(at);
            return;
        }
    }
    qWarning() << "no printer" << queue << "in the dialog";
}

}  // namespace

class SpoolerWindowTest : public QObject {
    Q_OBJECT

  private:
    PrivateSpooler spooler_;
    QTemporaryDir dir_;
    std::unique_ptr<EditorWindow> window_;

    QPushButton* printButton() { return window_->findChild<QPushButton*>(u("印刷")); }

  private slots:
    void initTestCase() {
        if (!PrivateSpooler::possibleHere()) {
            QSKIP("a print spooler of the test's own needs root");
        }
        QVERIFY2(spooler_.running(), "the private spooler did not start");
        QVERIFY(spooler_.addQueue(kPlain));
        QVERIFY(spooler_.addQueue(kEdged, PrivateSpooler::kMarginPoints));
        window_ = std::make_unique<TestWindow>(dir_.path());
        QVERIFY(showActive(*window_));
        const char* codes[] = {"4901234567894", "4912345678904", "49012347"};
        for (int k = 0; k < 3; ++k) {
            LabelRecord& record = window_->editor().sheet().label(k * 3 + 1);
            record.janCode = codes[k];
            record.productName = "煎茶";
            record.price = "198";
        }
        // The border's top bar starts 3 mm right of and 2 mm below each
        // label's corner, left of and above all else printed.
        window_->editor().layout().borderOn = true;
        window_->editor().goFirst();
    }

    void theSheetGoesToTheQueueChosenInTheDialog() {
        const std::set<QString> before = spooler_.jobs();
        const ModalLog log =
            clickAndAnswer(printButton(), [](QPrintDialog* d) { choose(d, kEdged); });
        QVERIFY(log.dialogSeen);
        QVERIFY2(log.messages.isEmpty(), qPrintable(log.messages.join('\n')));
        QCOMPARE(spooler_.jobs().size(), before.size() + 1);
        QVERIFY(spooler_.waitUntilIdle());

        const std::vector<QImage> pages = spooler_.pages(kEdged, 300);
        QCOMPARE(pages.size(), std::size_t(1));
        const QString png = dir_.filePath(QStringLiteral("page.png"));
        QVERIFY(pages[0].save(png));
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), png});
        QVERIFY(zbar.waitForFinished(60000));
        std::set<QByteArray> codes;
        for (const QByteArray& line : zbar.readAllStandardOutput().split('\n')) {
            if (!line.trimmed().isEmpty()) {
                codes.insert(line.trimmed());
            }
        }
        QCOMPARE(codes, (std::set<QByteArray>{"4901234567894", "4912345678904", "49012347"}));
        // Measured from the corner of the printable area: label 1 at the
        // origin (12, 7.8) mm, its border bar 3 mm right and 2 mm down.
        const QPointF corner = PageInk(pages[0], 300).corner();
        const double edge = PrivateSpooler::kMarginPoints * 25.4 / 72.0;
        QVERIFY2(std::abs(corner.x() - (edge + 12.0 + 3.0)) < 0.15,
                 qPrintable(QString::number(corner.x())));
        QVERIFY2(std::abs(corner.y() - (edge + 7.8 + 2.0)) < 0.15,
                 qPrintable(QString::number(corner.y())));
    }

    // The copies chosen in the dialog go to the spooler with the one job;
    // the sheet is drawn once.
    void theCopiesChosenInTheDialogGoWithTheJob() {
        const std::set<QString> before = spooler_.jobs();
        bool copiesOpen = false;
        const ModalLog log = clickAndAnswer(printButton(), [&](QPrintDialog* d) {
            choose(d, kPlain);
            if (auto* copies = d->findChild<QSpinBox*>(u("copies"))) {
                copiesOpen = copies->isEnabled() && copies->maximum() == 999;
                copies->setValue(4);
            }
        });
        QVERIFY(log.dialogSeen);
        QVERIFY(copiesOpen);
        QVERIFY2(log.messages.isEmpty(), qPrintable(log.messages.join('\n')));
        const std::set<QString> after = spooler_.jobs();
        QCOMPARE(after.size(), before.size() + 1);
        std::vector<QString> added;
        std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                            std::back_inserter(added));
        QCOMPARE(added.size(), std::size_t(1));
        QVERIFY(spooler_.waitUntilIdle());
        QCOMPARE(spooler_.copiesOf(added.front()), 4);
    }

    void aQueueThatWouldNotPrintGivesAMessageAndNoJob_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QStringList>("breakIt");   // before the print command
        QTest::addColumn<QStringList>("inDialog");  // while the dialog is open
        QTest::addColumn<QStringList>("mendIt");
        QTest::addColumn<QString>("queue");
        QTest::addColumn<QString>("message");
        QTest::newRow("stopped")
            << u("stopped") << QStringList{u("cupsdisable"), kPlain} << QStringList{}
            << QStringList{u("cupsenable"), kPlain} << kPlain
            << u("プリンターを開けないため、印刷できません。\n"
                 "プリンターが停止しています: Plain「Paused」。再開してから印刷してください");
        QTest::newRow("refusing")
            << u("refusing") << QStringList{u("cupsreject"), kPlain} << QStringList{}
            << QStringList{u("cupsaccept"), kPlain} << kPlain
            << u("プリンターを開けないため、印刷できません。\n"
                 "プリンターが印刷を受け付けていません: Plain「Rejecting Jobs」");
        QTest::newRow("removed after the dialog")
            << u("removed") << QStringList{} << QStringList{u("lpadmin"), u("-x"), kEdged}
            << QStringList{} << kEdged
            << u("プリンターを開けないため、印刷できません。\nプリンターが見つかりません: Edged");
    }

    void aQueueThatWouldNotPrintGivesAMessageAndNoJob() {
        QFETCH(QStringList, breakIt);
        QFETCH(QStringList, inDialog);
        QFETCH(QStringList, mendIt);
        QFETCH(QString, queue);
        QFETCH(QString, message);
        if (!breakIt.isEmpty()) {
            QCOMPARE(PrivateSpooler::command(breakIt.front(), breakIt.mid(1)).exitCode, 0);
        }
        const std::set<QString> before = spooler_.jobs();
        const ModalLog log = clickAndAnswer(printButton(), [&](QPrintDialog* d) {
            choose(d, queue);
            if (!inDialog.isEmpty()) {
                PrivateSpooler::command(inDialog.front(), inDialog.mid(1));
            }
        });
        if (!mendIt.isEmpty()) {
            PrivateSpooler::command(mendIt.front(), mendIt.mid(1));
        }
        QVERIFY(log.dialogSeen);
        QCOMPARE(log.messages, QStringList{message});
        // No new job (a removed queue takes its old ones along).
        const std::set<QString> after = spooler_.jobs();
        QVERIFY(std::includes(before.begin(), before.end(), after.begin(), after.end()));
        QCOMPARE(window_->focusWidget(), window_->inputBox(InputBox::Text1));
    }

    // Last: the spooler goes away while the dialog is open.
    void noSpoolerGivesAMessage() {
        const ModalLog log = clickAndAnswer(printButton(), [&](QPrintDialog* d) {
            choose(d, kPlain);
            spooler_.stop();
        });
        QVERIFY(log.dialogSeen);
        QCOMPARE(
            log.messages,
            QStringList{u("プリンターを開けないため、印刷できません。\n"
                          "プリンターが見つかりません: Plain (印刷スプーラーが動いていません)")});
    }
};

QTEST_MAIN(SpoolerWindowTest)
#include "spooler_window_test.moc"
