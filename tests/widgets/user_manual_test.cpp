// The user manual from the windows: the usage window's link, the start
// window's link and F1 in the input window open the manual's first page in the
// browser, and with no browser to start a message says where the manual is;
// the limits the manual gives are the boxes'. The usage window's last line
// names the licence and opens the notice the same way.

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "platform/ProgramNotice.h"
#include "platform/UserManual.h"
#include "start/HelpWindow.h"
#include "start/StartWindow.h"
#include "support/WindowHarness.h"

// Receives the addresses the windows ask the system to open.
class OpenedUrls : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// No program to open a page with: no browser on the search path.
struct NoBrowser {
    QByteArray path = qgetenv("PATH");
    QByteArray browser = qgetenv("BROWSER");
    NoBrowser() {
        qputenv("PATH", "");
        qunsetenv("BROWSER");
    }
    ~NoBrowser() {
        qputenv("PATH", path);
        if (!browser.isEmpty())
            qputenv("BROWSER", browser);
    }
};

void clickLink(QLabel* link) {
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
}

}  // namespace

class UserManualTest : public QObject {
    Q_OBJECT

  private:
    const QUrl manual_ = QUrl::fromLocalFile(userManualPath());

  private slots:
    void theManualIsThereToOpen() {
        QVERIFY2(QFileInfo::exists(userManualPath()), qPrintable(userManualPath()));
        QVERIFY(userManualPath().endsWith(u("/manual/index.html")));
    }

    void theUsageWindowLinksTheManualBelowItsTwoTexts() {
        HelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* lower = help.findChild<QLabel*>(u("Label2"));
        auto* link = help.findChild<QLabel*>(u("manualLink"));
        QVERIFY(lower && link);
        QVERIFY(link->isVisible());
        QCOMPARE(QTextDocumentFragment::fromHtml(link->text()).toPlainText(),
                 u("この PC のマニュアルを開く"));
        QVERIFY(lower->geometry().bottom() < link->geometry().top());

        OpenedUrls browser;
        QDesktopServices::setUrlHandler(u("file"), &browser, "open");
        clickLink(link);
        QDesktopServices::unsetUrlHandler(u("file"));
        QCOMPARE(browser.opened, QList<QUrl>{manual_});
    }

    void withoutABrowserTheUsageWindowSaysWhereTheManualIs() {
        HelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        NoBrowser none;
        clickLink(help.findChild<QLabel*>(u("manualLink")));
        QCOMPARE(shown, u("マニュアルを表示するブラウザーを起動できませんでした。\n"
                          "マニュアルはこの PC の次の場所にあります。\n") +
                            QDir::toNativeSeparators(userManualPath()));
    }

    void theUsageWindowEndsWithTheLicenceAndOpensTheNotice() {
        HelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* manualLink = help.findChild<QLabel*>(u("manualLink"));
        auto* line = help.findChild<QLabel*>(u("licenceLine"));
        QVERIFY(manualLink && line);
        QVERIFY(manualLink->geometry().bottom() < line->geometry().top());
        QVERIFY(line->geometry().right() < help.width());
        const QString lead = u("tanahuda は MIT ライセンスのソフトウェアです。");
        QCOMPARE(QTextDocumentFragment::fromHtml(line->text()).toPlainText(),
                 lead + u(" ライセンスと使用しているソフトウェア"));

        // The notice holds the licence in full and names what the program uses.
        QFile notice(programNoticePath());
        QVERIFY2(notice.open(QIODevice::ReadOnly), qPrintable(programNoticePath()));
        const QString text = QString::fromUtf8(notice.readAll());
        for (const char* part : {"MIT License", "Copyright (c) 2026 The tanahuda developers",
                                 "Permission is hereby granted", "Qt 6", "LGPL-3.0",
                                 "GCC Runtime Library Exception", "IPA Font License"})
            QVERIFY2(text.contains(u(part)), part);

        // The link, past the sentence before it.
        const QPoint onLink(line->fontMetrics().horizontalAdvance(lead + u(" ")) + 8,
                            line->height() / 2);
        OpenedUrls opener;
        QDesktopServices::setUrlHandler(u("file"), &opener, "open");
        QTest::mouseClick(line, Qt::LeftButton, {}, onLink);
        QDesktopServices::unsetUrlHandler(u("file"));
        QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(programNoticePath())});

        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        NoBrowser none;
        QTest::mouseClick(line, Qt::LeftButton, {}, onLink);
        QCOMPARE(shown, u("ライセンスの文書を表示するプログラムを起動できませんでした。\n"
                          "文書はこの PC の次の場所にあります。\n") +
                            QDir::toNativeSeparators(programNoticePath()));
    }

    // The start window's link opens the same manual, and says the same
    // without a browser; it goes to no web address.
    void theStartWindowsLinkOpensTheManualOrSaysWhereItIs() {
        QTemporaryDir dir;
        StartWindow start(SettingsLocation(dir.filePath(u("program")), dir.filePath(u("user"))));
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        auto* link = start.findChild<QPushButton*>(u("Command5"));
        QVERIFY(link);

        OpenedUrls browser;
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(u(scheme), &browser, "open");
        QTest::mouseClick(link, Qt::LeftButton);
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(u(scheme));
        QCOMPARE(browser.opened, QList<QUrl>{manual_});

        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        {
            NoBrowser none;
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(shown, u("マニュアルを表示するブラウザーを起動できませんでした。\n"
                          "マニュアルはこの PC の次の場所にあります。\n") +
                            QDir::toNativeSeparators(userManualPath()));
    }

    // What the manual says the boxes take is what typing into them gives.
    void theManualsTypingLimitsAreTheBoxes() {
        QFile page(userManualPath());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        const QRegularExpressionMatch said =
            QRegularExpression(u("メーカーの欄には (\\d+) 文字、品名の欄には (\\d+) 文字まで"))
                .match(text);
        QVERIFY(said.hasMatch());
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        const std::pair<InputBox, int> boxes[] = {{InputBox::Text2, said.captured(1).toInt()},
                                                  {InputBox::Text3, said.captured(2).toInt()}};
        for (const auto& [box, limit] : boxes) {
            window.inputBox(box)->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(window.inputBox(box), QString(40, QLatin1Char('x')));
            QCOMPARE(window.inputBox(box)->text().size(), limit);
        }
    }

    void f1InTheInputWindowOpensTheManualOrSaysWhereItIs() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        TestWindow window(dir.path(), dialogs);
        QVERIFY(showActive(window));
        QWidget* box = window.inputBox(InputBox::Text1);

        OpenedUrls browser;
        QDesktopServices::setUrlHandler(u("file"), &browser, "open");
        QTest::keyClick(box, Qt::Key_F1);
        QDesktopServices::unsetUrlHandler(u("file"));
        QCOMPARE(browser.opened, QList<QUrl>{manual_});
        QVERIFY(dialogs.messages.empty());

        {
            NoBrowser none;
            QTest::keyClick(box, Qt::Key_F1);
        }
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(u(dialogs.messages.front().text.c_str()),
                 u("マニュアルを表示するブラウザーを起動できませんでした。\n"
                   "マニュアルはこの PC の次の場所にあります。\n") +
                     QDir::toNativeSeparators(userManualPath()));
        QCOMPARE(window.focusWidget(), box);
    }
};

QTEST_MAIN(UserManualTest)
#include "user_manual_test.moc"
