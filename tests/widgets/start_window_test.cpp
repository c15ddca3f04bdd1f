// The start window and the usage window with real widgets (offscreen).
#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <set>

#include "editor/logic/RecoveryFile.h"
#include "editor/widgets/EditorWindow.h"
#include "files/LabelDataFile.h"
#include "model/LayoutSettings.h"
#include "start/FirstPaint.h"
#include "start/StartPicture.h"
#include "start/StartWindow.h"

namespace {

// Looks through the accessibility tree under `node` for an element of `role`
// named `name`, as a screen reader or UI automation would.
bool hasAccessible(QAccessibleInterface* node, QAccessible::Role role, const QString& name) {
    if (node == nullptr)
        return false;
    if (node->role() == role && node->text(QAccessible::Name) == name)
        return true;
    for (int i = 0; i < node->childCount(); ++i) {
        if (hasAccessible(node->child(i), role, name))
            return true;
    }
    return false;
}

int visibleWindowsNamed(const QString& objectName) {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible())
            ++count;
    }
    return count;
}

}  // namespace

class StartWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(folders_.isValid());
        start_ = new StartWindow(
            SettingsLocation(folders_.filePath("program"), folders_.filePath("user")));
        QDir().mkpath(folders_.filePath("program"));
        start_->show();
        QVERIFY(QTest::qWaitForWindowExposed(start_));
    }

    void cleanup() {
        delete start_;  // takes any input or usage window still open with it
        start_ = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void windowAndControls() {
        QCOMPARE(start_->objectName(), QStringLiteral("tanahuda"));
        QCOMPARE(start_->windowTitle(), QStringLiteral("tanahuda(名刺版） Ver1.1"));
        QVERIFY(start_->findChild<StartPicture*>("Picture1"));
        QCOMPARE(button("Command1")->text(), QStringLiteral("作成"));
        QCOMPARE(button("Command4")->text(), QStringLiteral("終了"));
        QCOMPARE(button("Command5")->text(), QStringLiteral("この PC のマニュアルを開く"));
        QCOMPARE(helpAction()->text(), QStringLiteral("使い方"));
        // The link stands at the top, above the two commands.
        QVERIFY(button("Command5")->mapTo(start_, QPoint()).y() <
                button("Command1")->mapTo(start_, QPoint()).y());
    }

    void controlsAreFoundByTheirCaptions() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(start_);
        QVERIFY(window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("tanahuda(名刺版） Ver1.1"));
        for (const char* caption : {"作成", "終了", "この PC のマニュアルを開く"})
            QVERIFY2(hasAccessible(window, QAccessible::Button, QString::fromUtf8(caption)),
                     caption);
        QVERIFY(hasAccessible(window, QAccessible::MenuItem, QStringLiteral("使い方")));
    }

    void createTwiceShowsOneInputWindowUnchanged() {
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        auto* editor = qobject_cast<EditorWindow*>(start_->inputWindow());
        QVERIFY(editor);
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QCOMPARE(editor->objectName(), QStringLiteral("棚札入力"));
        QCOMPARE(editor->windowTitle(), QStringLiteral("棚札入力画面  無題"));

        editor->editor().sheet().label(3).productName = "りんご";
        editor->editor().sheet().label(10).price = "198";
        const LabelSheet before = editor->editor().sheet();

        start_->activateWindow();
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(start_->inputWindow(), editor);
        QCOMPARE(visibleWindowsNamed("棚札入力"), 1);
        QVERIFY(editor->editor().sheet() == before);
        QCOMPARE(editor->editor().sheet().label(3).productName, std::string("りんご"));
        // The start window stays open and usable.
        QVERIFY(start_->isVisible());
    }

    // tanahuda FILE (or a file dropped on the program): the input window opens
    // on it, and the start window stays hidden.
    void aLabelFileGivenOpensInTheInputWindowAlone() {
        LabelSheet sheet;
        sheet.label(2).productName = "ばなな";
        const std::string path = folders_.filePath("渡された.csv").toStdString();
        QVERIFY(writeLabelFile(path, sheet, initialLayoutSettings()).ok());
        StartWindow start(
            SettingsLocation(folders_.filePath("program"), folders_.filePath("user")));
        start.openLabelFile(path);
        auto* editor = qobject_cast<EditorWindow*>(start.inputWindow());
        QVERIFY(editor);
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QVERIFY(!start.isVisible());
        QCOMPARE(editor->windowTitle(), QString::fromStdString("棚札入力画面  " + path));
        QCOMPARE(editor->editor().sheet().label(2).productName, std::string("ばなな"));
    }

    void inputWindowStartsAfreshAfterClosing() {
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QPointer<EditorWindow> first = qobject_cast<EditorWindow*>(start_->inputWindow());
        QVERIFY(first);
        first->editor().sheet().label(1).productName = "みかん";
        // The unsaved label is dropped only when the user says so.
        QString asked;
        QTimer::singleShot(0, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        first->close();
        QCOMPARE(asked, QString::fromUtf8("変更を保存しますか？"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(!start_->inputWindow());

        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        auto* second = qobject_cast<EditorWindow*>(start_->inputWindow());
        QVERIFY(second);
        QVERIFY(second->editor().sheet() == LabelSheet());
    }

    void createOffersWhatAProgramThatIsGoneLeftBehind() {
        const QString recovery = folders_.filePath("recovery");
        QDir().mkpath(recovery);
        RecoveryContent left;
        left.sheet.label(1).productName = "ぶどう";
        left.layout = initialLayoutSettings();
        left.fileName = "無題";
        QVERIFY(writeRecoveryFile(QDir(recovery).filePath("recovery-1-1.csv").toStdString(), left)
                    .ok());
        StartWindow start(SettingsLocation(folders_.filePath("program"), folders_.filePath("user")),
                          recovery);
        start.show();
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        answer.start(10);
        QTest::mouseClick(start.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        auto* editor = qobject_cast<EditorWindow*>(start.inputWindow());
        QVERIFY(editor);
        QTRY_COMPARE(asked, QString::fromUtf8("保存されていないデータがあります。復元しますか？"));
        QCOMPARE(editor->editor().sheet().label(1).productName, std::string("ぶどう"));
        QVERIFY(!QFile::exists(QDir(recovery).filePath("recovery-1-1.csv")));
    }

    void quitClosesOnlyTheStartWindow() {
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QPointer<QWidget> editor = start_->inputWindow();
        QVERIFY(QTest::qWaitForWindowExposed(editor));

        QTest::mouseClick(button("Command4"), Qt::LeftButton);
        QVERIFY(!start_->isVisible());
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(visibleWindowsNamed("棚札入力"), 1);
    }

    void quitLeavesTheUsageWindowOpen() {
        helpAction()->trigger();
        QTest::mouseClick(button("Command4"), Qt::LeftButton);
        QVERIFY(!start_->isVisible());
        QCOMPARE(visibleWindowsNamed("help01"), 1);
    }

    void usageWindowShowsItsTwoTextsInOrder() {
        helpAction()->trigger();
        QWidget* help = start_->helpWindow();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->objectName(), QStringLiteral("help01"));
        QCOMPARE(help->windowTitle(), QStringLiteral("使い方"));
        auto* upper = help->findChild<QLabel*>("Label1");
        auto* lower = help->findChild<QLabel*>("Label2");
        QVERIFY(upper && lower);
        QCOMPARE(upper->text(), QStringLiteral("使い方やバージョンアップについては"));
        QCOMPARE(lower->text(),
                 QStringLiteral("最初の画面の上のリンクか、次のリンクをクリックしてください"));
        QVERIFY(upper->geometry().bottom() < lower->geometry().top());
        QVERIFY(upper->isVisible() && lower->isVisible());

        // Chosen again, the same window comes up.
        helpAction()->trigger();
        QCOMPARE(start_->helpWindow(), help);
        QCOMPARE(visibleWindowsNamed("help01"), 1);

        // Closing it leaves the start window, and it can be shown again.
        help->close();
        QVERIFY(start_->isVisible());
        helpAction()->trigger();
        QVERIFY(start_->helpWindow());
        QVERIFY(start_->helpWindow()->isVisible());
    }

    // The start picture is a real printed sheet: its barcodes read back.
    void startPictureShowsReadableBarcodes() {
        const QImage picture = drawSampleSheet(900);
        QVERIFY(!picture.isNull());
        const QString path = folders_.filePath("picture.png");
        QVERIFY(picture.save(path));
        QProcess zbar;
        zbar.start("zbarimg", {"-q", "--raw", path});
        QVERIFY2(zbar.waitForFinished(30000), "zbarimg (zbar-tools) must be installed");
        QCOMPARE(zbar.exitCode(), 0);
        std::set<QString> codes;
        for (const QString& line : QString::fromLatin1(zbar.readAllStandardOutput()).split('\n'))
            if (!line.trimmed().isEmpty())
                codes.insert(line.trimmed());
        for (const char* expected : {"4901234567894", "4912345678904", "4945678901234", "49123456"})
            QVERIFY2(codes.count(expected) == 1, expected);
    }

    // Not a limit, a measurement: how long "作成" takes until the input
    // window has been painted.
    void openingTime() {
        QElapsedTimer timer;
        bool painted = false;
        connect(start_, &StartWindow::inputWindowShown, this,
                [&](QWidget* window) { whenFirstPainted(window, [&] { painted = true; }); });
        timer.start();
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(painted, 5000);
        qInfo("作成 → input window painted: %.1f ms", timer.nsecsElapsed() / 1e6);
    }

  private:
    QPushButton* button(const char* name) const {
        auto* b = start_->findChild<QPushButton*>(name);
        if (b == nullptr)
            qFatal("no button %s", name);
        return b;
    }
    QAction* helpAction() const {
        auto* a = start_->findChild<QAction*>("HELP1");
        if (a == nullptr)
            qFatal("no menu entry HELP1");
        return a;
    }

    QTemporaryDir folders_;
    StartWindow* start_ = nullptr;
};

QTEST_MAIN(StartWindowTest)
#include "start_window_test.moc"
