// Typing labels into the real input window: the Enter cycle, focus moves that
// are (and are not) focus moves, commands clicked from the price box, the
// window's shortcuts inside the boxes, and texts longer than the typing limit.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Types `text` into the widget with the focus: ASCII as key clicks, anything
// else as a committed input method string (as a Japanese input method sends it).
void type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
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

void enter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

}  // namespace

class EditorTypingTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<EditorWindow> window_;

    InputBoxEdit* box(InputBox b) const { return window_->inputBox(b); }
    QString counter() const { return window_->findChild<QLabel*>(u("Label6"))->text(); }
    QPushButton* button(const char* name) const {
        return window_->findChild<QPushButton*>(u(name));
    }
    LabelEditor& editor() const { return window_->editor(); }
    QString statusLine() const { return window_->findChild<QLabel*>(u("statusLine"))->text(); }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        window_ = std::make_unique<TestWindow>(dir_.path(), dialogs_);
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void theWindowOpensWithTheCaretInTheJanCodeBox() {
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(counter(), u("1/10"));
        QVERIFY(!button("前候補")->isEnabled());
    }

    void typingAWholeLabelWithEnterWalksTheSixBoxes() {
        const struct {
            InputBox box;
            const char* typed;
        } steps[] = {
            {InputBox::Text1, "4901234567899"}, {InputBox::Text2, "山田食品"},
            {InputBox::Text3, "特選しょうゆ"},  {InputBox::Text4, "1L"},
            {InputBox::Text6, "A-12"},          {InputBox::Text5, "298"},
        };
        for (const auto& step : steps) {
            QCOMPARE(QApplication::focusWidget(), box(step.box));
            type(u(step.typed));
            enter();
        }
        // The check digit was corrected on leaving Text1, and the price box
        // stepped on to label 2, which shows empty with the caret in Text1.
        const LabelRecord& stored = editor().sheet().label(1);
        QCOMPARE(stored.janCode, std::string("4901234567894"));
        QCOMPARE(stored.maker, std::string("山田食品"));
        QCOMPARE(stored.productName, std::string("特選しょうゆ"));
        QCOMPARE(stored.spec, std::string("1L"));
        QCOMPARE(stored.lot, std::string("A-12"));
        QCOMPARE(stored.price, std::string("298"));
        QCOMPARE(editor().currentLabel(), 2);
        QCOMPARE(counter(), u("2/10"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        for (InputBox b : {InputBox::Text1, InputBox::Text2, InputBox::Text3, InputBox::Text4,
                           InputBox::Text5, InputBox::Text6}) {
            QCOMPARE(box(b)->text(), QString());
        }
        // Enter was swallowed: no box holds a line break.
        QVERIFY(!box(InputBox::Text2)->text().contains(QLatin1Char('\r')));
    }

    void tabWalksTheSameCycleAsEnter() {
        QTest::keyClick(box(InputBox::Text1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text2));
        QVERIFY(button("前候補")->isEnabled());
        QVERIFY(editor().candidateBox() == InputBox::Text2);
        for (InputBox next : {InputBox::Text3, InputBox::Text4, InputBox::Text6, InputBox::Text5}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), box(next));
        }
    }

    void aCommandClickedFromThePriceBoxActsOnTheNextLabel() {
        for (int i = 1; i <= 6; ++i) {
            editor().sheet().label(i).productName = "品" + std::to_string(i);
        }
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(button("Cmdnext"), Qt::LeftButton);
        }
        QCOMPARE(counter(), u("4/10"));
        box(InputBox::Text5)->setFocus(Qt::MouseFocusReason);
        type(u("100"));
        // クリア clears label 5: leaving the price box stored label 4's price
        // and stepped on before the command ran.
        QTest::mouseClick(button("クリア"), Qt::LeftButton);
        QCOMPARE(editor().sheet().label(4).price, std::string("100"));
        QCOMPARE(editor().sheet().label(4).productName, std::string("品4"));
        QVERIFY(editor().sheet().label(5).isEmpty());
        QCOMPARE(editor().sheet().label(6).productName, std::string("品6"));
        QCOMPARE(counter(), u("5/10"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
    }

    void openingTheFileMenuWritesNothingBack() {
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        type(u("焼きのり"));
        auto* menu = window_->findChild<QMenu*>(u("f_file"));
        menu->popup(window_->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(editor().sheet().label(1).productName, std::string());
        QCOMPARE(box(InputBox::Text3)->text(), u("焼きのり"));
        QCOMPARE(window_->focusWidget(), box(InputBox::Text3));

        // Nor does switching to another window and back.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCOMPARE(editor().sheet().label(1).productName, std::string());
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text3));

        // Moving on stores it.
        enter();
        QCOMPARE(editor().sheet().label(1).productName, std::string("焼きのり"));
    }

    void openingTheFileMenuFromTheKeyboardWritesNothingBack() {
        // Alt+F from the price box: the menu bar takes the focus while the
        // menu is open and hands it back; the price is not stored and the
        // label does not step on.
        box(InputBox::Text5)->setFocus(Qt::MouseFocusReason);
        type(u("123"));
        QTest::keyClick(box(InputBox::Text5), Qt::Key_F, Qt::AltModifier);
        auto* menu = window_->findChild<QMenu*>(u("f_file"));
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        if (QApplication::focusWidget() != box(InputBox::Text5)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // leave the menu bar
        }
        QTRY_COMPARE(QApplication::focusWidget(), box(InputBox::Text5));
        QCOMPARE(editor().currentLabel(), 1);
        QCOMPARE(counter(), u("1/10"));
        QCOMPARE(editor().sheet().label(1).price, std::string());
        QCOMPARE(box(InputBox::Text5)->text(), u("123"));

        // A command chosen from the keyboard menu runs with the text still
        // pending in its box, as from the mouse menu.
        QTest::keyClick(box(InputBox::Text5), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_V);  // プレピュー(&V)
        QTRY_VERIFY(!menu->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(editor().sheet().label(1).price, std::string("123"));  // left for Text1
        QCOMPARE(editor().currentLabel(), 2);
    }

    void aClickAfterTheKeyboardMenuLeavesTheBox() {
        // The menu closed, the menu bar still holds the focus the JAN code box
        // lent it: clicking back into that box is no move (nothing reloaded).
        box(InputBox::Text1)->setFocus(Qt::MouseFocusReason);
        type(u("4901234567899"));
        QTest::keyClick(box(InputBox::Text1), Qt::Key_F, Qt::AltModifier);
        auto* menu = window_->findChild<QMenu*>(u("f_file"));
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window_->menuBar()));
        QTest::mouseClick(box(InputBox::Text1), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(box(InputBox::Text1)->text(), u("4901234567899"));
        QCOMPARE(editor().sheet().label(1).janCode, std::string());

        // Clicking a button instead leaves the box first: the code is
        // corrected and stored before the command runs.
        QTest::keyClick(box(InputBox::Text1), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window_->menuBar()));
        QTest::mouseClick(button("Cmdnext"), Qt::LeftButton);
        QCOMPARE(editor().sheet().label(1).janCode, std::string("4901234567894"));
        QCOMPARE(counter(), u("2/10"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
    }

    void theWindowShortcutsWorkInsideTheBoxes() {
        box(InputBox::Text2)->setFocus(Qt::MouseFocusReason);
        type(u("abc"));
        // A maker without a product name is a label that will not print: asked first.
        dialogs_.answers = {MessageAnswer::Yes};
        QTest::keyClick(box(InputBox::Text2), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs_.printerRequests, 1);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));  // print cancelled

        // Ctrl+A is save-as, not select-all; Ctrl+V is the preview, not paste.
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        type(u("xyz"));
        QTest::keyClick(box(InputBox::Text3), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(dialogs_.saveRequests, 1);
        box(InputBox::Text4)->setFocus(Qt::MouseFocusReason);
        type(u("spec"));
        QApplication::clipboard()->setText(u("PASTED"));
        QTest::keyClick(box(InputBox::Text4), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(editor().sheet().label(1).spec, std::string("spec"));
        QCOMPARE(box(InputBox::Text4)->text(), u("spec"));
        QCOMPARE(box(InputBox::Text2)->text(), u("abc"));
    }

    // The keys of the file commands reach them from a box too: Ctrl+N asks
    // before it clears the sheet, Ctrl+O asks for a file, Ctrl+S for a name
    // (the sheet has none yet).
    void theFileCommandKeysWorkInsideTheBoxes() {
        QTest::keyClick(box(InputBox::Text1), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(dialogs_.messages.size(), std::size_t(1));
        QTest::keyClick(box(InputBox::Text1), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs_.openRequests, 1);
        QTest::keyClick(box(InputBox::Text1), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_.saveRequests, 1);
    }

    void ctrlPOpensThePrintDialogOfTheSystem() {
        // A window with the real dialogs: the printer set-up dialog appears.
        auto real = std::make_unique<TestWindow>(dir_.path());
        QVERIFY(showActive(*real));
        auto* jan = real->inputBox(InputBox::Text1);
        QCOMPARE(QApplication::focusWidget(), jan);
        bool seen = false;
        bool onePageOnly = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog != nullptr) {
                onePageOnly = !dialog->testOption(QAbstractPrintDialog::PrintPageRange) &&
                              !dialog->testOption(QAbstractPrintDialog::PrintSelection);
                dialog->reject();
            }
        });
        QTest::keyClick(jan, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(seen);
        QVERIFY(onePageOnly);
        QCOMPARE(real->focusWidget(), jan);
    }

    void longTextsFromAFileAreShownWholeWhileTypingIsLimited() {
        editor().sheet().label(1).maker = "0123456789";
        editor().sheet().label(1).productName = "あいうえおかきくけこさしすせそ";
        QTest::mouseClick(button("cmdfirst"), Qt::LeftButton);
        QCOMPARE(box(InputBox::Text2)->text(), u("0123456789"));
        QCOMPARE(box(InputBox::Text3)->text(), u("あいうえおかきくけこさしすせそ"));
        box(InputBox::Text2)->setFocus(Qt::MouseFocusReason);
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        box(InputBox::Text4)->setFocus(Qt::MouseFocusReason);
        QCOMPARE(editor().sheet().label(1).maker, std::string("0123456789"));
        QCOMPARE(editor().sheet().label(1).productName,
                 std::string("あいうえおかきくけこさしすせそ"));

        QTest::mouseClick(button("Cmdnext"), Qt::LeftButton);
        box(InputBox::Text2)->setFocus(Qt::MouseFocusReason);
        type(u("ABCDEFGHIJ"));
        QCOMPARE(box(InputBox::Text2)->text(), u("ABCDEF"));
        QVERIFY2(!statusLine().contains(u("切りました")), qPrintable(statusLine()));
        enter();
        // A text an input method commits whole is cut too, and the cut part named.
        type(u("あいうえおかきくけこさしすせそ"));
        QCOMPARE(box(InputBox::Text3)->text(), u("あいうえおかきくけこさしす"));
        QVERIFY2(statusLine().contains(u("「せそ」")), qPrintable(statusLine()));
        QVERIFY2(statusLine().contains(u("13")), qPrintable(statusLine()));
    }

    // Pasting (Shift+Insert; the box's menu pastes the same way) keeps what
    // fits and says on the status line what was cut.
    void pastedTextsAreCutAtTheLimitAndTheCutPartNamed() {
        struct Case {
            InputBox box;
            const char* before;  // typed first; the paste goes after it
            const char* pasted;
            const char* kept;
            const char* cut;  // nothing cut: empty
        };
        const Case cases[] = {
            {InputBox::Text3, "", "北海道産の特選こしひかり新米", "北海道産の特選こしひかり新",
             "米"},
            {InputBox::Text2, "山", "𠮷田食品株式会社", "山𠮷田食品", "株式会社"},
            // A character of two UTF-16 units is never split at the limit.
            {InputBox::Text2, "山田食品株", "𠮷𠮷", "山田食品株", "𠮷𠮷"},
            {InputBox::Text2, "", "山田食品", "山田食品", ""},
        };
        for (const Case& c : cases) {
            QTest::mouseClick(button("Cmdnext"), Qt::LeftButton);
            InputBoxEdit* edit = box(c.box);
            edit->setFocus(Qt::MouseFocusReason);
            type(u(c.before));
            QApplication::clipboard()->setText(u(c.pasted));
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(edit->text(), u(c.kept));
            if (*c.cut == '\0') {
                QVERIFY2(!statusLine().contains(u("切りました")), qPrintable(statusLine()));
            } else {
                QVERIFY2(statusLine().contains(u("「") + u(c.cut) + u("」")),
                         qPrintable(statusLine()));
            }
            // Undo takes the paste back (with the typing just before it).
            edit->undo();
            QVERIFY(u(c.before).startsWith(edit->text()));
        }
    }

    void clickingIntoTheJanCodeBoxReloadsTheLabel() {
        box(InputBox::Text3)->setFocus(Qt::MouseFocusReason);
        QVERIFY(button("前候補")->isEnabled());
        editor().sheet().label(1).maker = "海辺水産";  // changed behind the boxes
        QTest::mouseClick(box(InputBox::Text1), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(box(InputBox::Text2)->text(), u("海辺水産"));
        QVERIFY(!button("前候補")->isEnabled());
    }

    void previousCandidatePagesBackThroughEarlierLabels() {
        const char* names[] = {"焼きのり", "緑茶", "牛乳"};
        for (int i = 0; i < 3; ++i) {
            editor().sheet().label(i + 1).productName = names[i];
        }
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(button("Cmdnext"), Qt::LeftButton);
        }
        QCOMPARE(counter(), u("4/10"));
        QTest::mouseClick(box(InputBox::Text3), Qt::LeftButton);
        QPushButton* candidate = button("前候補");
        QVERIFY(candidate->isEnabled());
        for (int i = 2; i >= 0; --i) {
            QTest::mouseClick(candidate, Qt::LeftButton);
            QCOMPARE(box(InputBox::Text3)->text(), u(names[i]));
            QCOMPARE(editor().sheet().label(4).productName, std::string(names[i]));
            QCOMPARE(QApplication::focusWidget(), candidate);  // the focus stays on the button
        }
        QTest::mouseClick(candidate, Qt::LeftButton);  // at label 1: nothing more
        QCOMPARE(box(InputBox::Text3)->text(), u(names[0]));
    }

    void enterInThePriceBoxOfLabelTenStaysOnLabelTen() {
        QTest::mouseClick(button("Cmdlast"), Qt::LeftButton);
        box(InputBox::Text5)->setFocus(Qt::MouseFocusReason);
        type(u("500"));
        enter();
        QCOMPARE(editor().sheet().label(10).price, std::string("500"));
        QCOMPARE(counter(), u("10/10"));
        QCOMPARE(box(InputBox::Text5)->text(), u("500"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
    }
};

QTEST_MAIN(EditorTypingTest)
#include "editor_typing_test.moc"
