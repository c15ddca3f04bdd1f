// Work kept through a crash and through the close box: a child process running
// the input window is killed with SIGKILL after typing a label, and a new
// process offers and restores it; the edit menu's undo takes back the box's
// typing before the last command; save-as adds the file's extension.
//
// The same program serves as the child processes (see main at the end).

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdio>

#include "ScriptedDialogs.h"
#include "editor/logic/RecoveryFile.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/RecoverySlot.h"
#include "files/LabelDataFile.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The label the killed child types, box by box in the Enter cycle. The maker
// holds a character code page 932 lacks: the recovery file keeps it, and
// everything typed after it.
const char* const kTyped[] = {"4901234567894", "𠮷田食品", "特選しょうゆ", "1L", "A-12", "298"};

// Types `text` into the focused widget: ASCII as key clicks, anything else as
// a committed input method string.
void type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    bool ascii = true;
    for (QChar c : text) {
        ascii &= c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(target, text);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(target, &commit);
    }
}

QStringList recoveryFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("recovery-*.csv")}, QDir::Files);
}

// Waits for `done`, letting the window work; false when it never came.
bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
        QTest::qWait(20);
    }
    return done();
}

std::unique_ptr<EditorWindow> showWindow(const QString& folder, EditorDialogs& dialogs) {
    auto window = std::make_unique<TestWindow>(folder, dialogs);
    window->enableRecovery(QDir(folder).filePath(QStringLiteral("recovery")));
    if (!showActive(*window)) {
        std::fprintf(stderr, "the window never became active\n");
    }
    return window;
}

// Child: types a label, says "ready" once its work is on disk, and runs until killed.
int typeLabelAndWait(const QString& folder) {
    ScriptedDialogs dialogs;
    auto window = showWindow(folder, dialogs);
    for (const char* text : kTyped) {
        type(u(text));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    const QString recovery = QDir(folder).filePath(QStringLiteral("recovery"));
    if (!waitFor([&] { return !recoveryFiles(recovery).isEmpty(); })) {
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

// Child: opens the window as 作成 does, answers はい, and reports what it shows.
int restoreAndReport(const QString& folder) {
    ScriptedDialogs dialogs;
    dialogs.answers = {MessageAnswer::Yes};
    auto window = showWindow(folder, dialogs);
    if (!waitFor([&] { return !dialogs.messages.empty(); })) {
        return 2;
    }
    const LabelRecord& label = window->editor().sheet().label(1);
    QStringList fields;
    for (LabelField f : kLabelFields) {
        fields << QString::fromStdString(label.field(f));
    }
    std::printf("%s\n%s\n%s\n%s\n%d\n", dialogs.messages.front().text.c_str(),
                fields.join(QLatin1Char('|')).toUtf8().constData(),
                window->windowTitle().toUtf8().constData(),
                window->inputBox(InputBox::Text1)->text().toUtf8().constData(),
                window->editor().hasWorkToLose() ? 1 : 0);
    std::fflush(stdout);
    return 0;
}

}  // namespace

class EditorRecoveryTest : public QObject {
    Q_OBJECT

  private slots:
    void aKilledWindowsLabelIsOfferedAndRestoredByTheNextProcess() {
        QTemporaryDir dir;
        const QString recovery = dir.filePath(QStringLiteral("recovery"));
        QProcess typing;
        typing.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        typing.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--type-label"), dir.path()});
        QVERIFY(typing.waitForStarted());
        QByteArray said;
        while (!said.contains("ready\n") && typing.state() == QProcess::Running) {
            typing.waitForReadyRead(1000);
            said += typing.readAllStandardOutput();
        }
        QVERIFY2(said.contains("ready\n"), said.constData());

        // While the child runs, its file is nobody else's; a file set aside
        // as unreadable is offered to no one.
        {
            const QString aside = QDir(recovery).filePath(u("recovery-1-2-unreadable.csv"));
            QFile file(aside);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            RecoverySlot other(recovery);
            QVERIFY(other.ok());
            QCOMPARE(other.claimLeftovers(), QStringList());
            QVERIFY(QFile::remove(aside));
        }

        typing.kill();  // SIGKILL: nothing of the program runs any more
        QVERIFY(typing.waitForFinished());
        QCOMPARE(typing.exitStatus(), QProcess::CrashExit);
        const QStringList left = recoveryFiles(recovery);
        QCOMPARE(left.size(), 1);
        const std::optional<RecoveryContent> kept =
            readRecoveryFile(QDir(recovery).filePath(left.front()).toStdString());
        QVERIFY(kept.has_value());
        QCOMPARE(kept->sheet.label(1),
                 (LabelRecord{kTyped[0], kTyped[1], kTyped[2], kTyped[3], kTyped[4], kTyped[5]}));

        QProcess restoring;
        restoring.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        restoring.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--restore"), dir.path()});
        QVERIFY(restoring.waitForFinished(120000));
        QCOMPARE(restoring.exitCode(), 0);
        const QStringList report =
            QString::fromUtf8(restoring.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(report.size() >= 5, qPrintable(report.join(QLatin1Char('/'))));
        QCOMPARE(report[0], u("保存されていないデータがあります。復元しますか？"));
        QCOMPARE(report[1], u("4901234567894|𠮷田食品|特選しょうゆ|1L|A-12|298"));
        QCOMPARE(report[2], u("棚札入力画面  無題"));
        QCOMPARE(report[3], u("4901234567894"));  // label 1 shown
        QCOMPARE(report[4], u("1"));              // and counted as unsaved work
        // The killed child's file is gone; the restoring window kept its own.
        const QStringList now = recoveryFiles(recovery);
        QCOMPARE(now.size(), 1);
        QVERIFY(now.front() != left.front());
    }

    // A recovery folder that cannot be made (a file stands in its place, as
    // a read-only or full data folder would refuse it) is said once; once it
    // can be made the next tick writes the work and says so.
    void aRecoveryFolderThatCannotBeMadeIsSaidAndTriedAgain() {
        QTemporaryDir dir;
        const QString recovery = dir.filePath(QStringLiteral("recovery"));
        QFile blocker(recovery);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ScriptedDialogs dialogs;
        auto window = showWindow(dir.path(), dialogs);
        auto* status = window->findChild<QLabel*>(u("statusLine"));
        QVERIFY(status);
        type(u("みかん"));
        QVERIFY(waitFor([&] { return !dialogs.messages.empty(); }));
        QCOMPARE(dialogs.messages.front().icon, MessageIcon::Warning);
        QVERIFY2(status->text().startsWith(u("自動保存ができません: ")),
                 qPrintable(status->text()));
        const QString failing = status->text();
        QTest::qWait(2500);  // more ticks: tried again, not said again
        QCOMPARE(dialogs.messages.size(), std::size_t(1));

        QVERIFY(QFile::remove(recovery));
        QVERIFY(waitFor([&] { return !recoveryFiles(recovery).isEmpty(); }));
        QVERIFY(waitFor([&] { return !status->text().contains(failing); }));
        QVERIFY2(status->text().contains(u("自動保存")), qPrintable(status->text()));
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        const std::optional<RecoveryContent> kept = readRecoveryFile(
            QDir(recovery).filePath(recoveryFiles(recovery).front()).toStdString());
        QVERIFY(kept.has_value());
        QCOMPARE(kept->sheet.label(1).janCode, std::string("みかん"));
        dialogs.answers = {MessageAnswer::No};
        QVERIFY(window->close());
    }

    void undoTakesBackTheBoxsTypingBeforeTheLastCommand() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto window = showWindow(dir.path(), dialogs);
        auto* undo = window->findChild<QAction*>(u("元に戻す"));
        auto* redo = window->findChild<QAction*>(u("やり直し"));
        QVERIFY(undo && redo);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), u("元に戻す(&U)"));

        window->findChild<QPushButton*>(u("enn_右"))->click();
        QCOMPARE(window->editor().layout().element(LabelElement::Yen).offsetX, 1);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), u("元に戻す(&U): 移動"));

        window->inputBox(InputBox::Text2)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), window->inputBox(InputBox::Text2));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
        QCOMPARE(undo->text(), u("元に戻す(&U): 入力"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->inputBox(InputBox::Text2)->text(), QString());
        QCOMPARE(window->editor().layout().element(LabelElement::Yen).offsetX, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window->inputBox(InputBox::Text2)->text(), QStringLiteral("ab"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);

        // The box has nothing left to take back: the move is undone.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->editor().layout().element(LabelElement::Yen).offsetX, 0);
        QCOMPARE(QApplication::focusWidget(), window->inputBox(InputBox::Text1));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), u("やり直し(&R): 移動"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window->editor().layout().element(LabelElement::Yen).offsetX, 1);
    }

    void theCloseBoxAsksAndCancelKeepsTheWindowOpen() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto window = showWindow(dir.path(), dialogs);
        type(u("みかん"));
        dialogs.answers = {MessageAnswer::Cancel};
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(window->inputBox(InputBox::Text1)->text(), u("みかん"));

        // いいえ closes, and no recovery file is left behind.
        dialogs.answers = {MessageAnswer::No};
        QVERIFY(window->close());
        QCOMPARE(recoveryFiles(dir.filePath(QStringLiteral("recovery"))), QStringList());
    }

    void saveAsOfANameWithoutExtensionWritesACsvFile() {
        QTemporaryDir dir;
        EditorWindow window(SettingsPaths{});  // with the real file dialog
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(showActive(window));
        type(u("特売品"));
        const QString typed = dir.filePath(u("今週の特売"));
        QTimer::singleShot(0, [typed] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>(u("fileNameEdit"))->setText(typed);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        window.findChild<QAction*>(u("N_SAVE"))->trigger();
        const QString expected = dir.filePath(u("今週の特売.csv"));
        QCOMPARE(window.windowTitle(), u("棚札入力画面  ") + expected);
        LabelSheet sheet;
        LayoutSettings layout = initialLayoutSettings();
        QVERIFY(readLabelFile(expected.toStdString(), sheet, layout).ok());
        QCOMPARE(sheet.label(1).janCode, std::string("特売品"));
        QVERIFY(!QFile::exists(typed));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--type-label")) {
        return typeLabelAndWait(args[2]);
    }
    if (args.size() == 3 && args[1] == QStringLiteral("--restore")) {
        return restoreAndReport(args[2]);
    }
    EditorRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "editor_recovery_test.moc"
