// The real input window's controls for what a shop's label shows: the third
// price mode, the details of the current label on the second page of the
// element controls (outside the Enter cycle), and the frames of the new
// elements, wired to the editor as the others are.

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "support/WindowHarness.h"

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

class EditorShelfTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<EditorWindow> window_;

    InputBoxEdit* box(InputBox b) const { return window_->inputBox(b); }
    QLineEdit* detail(const char* name) const { return window_->findChild<QLineEdit*>(u(name)); }
    QTabWidget* pages() const { return window_->findChild<QTabWidget*>(u("elementPages")); }
    const ShelfDetails& details(int n) const { return window_->editor().sheet().label(n).details; }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        window_ = std::make_unique<TestWindow>(dir_.path(), dialogs_);
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void theThirdPriceModeIsOneMoreChoice() {
        auto* inclBase = window_->findChild<QRadioButton*>(u("税込本体"));
        QVERIFY(inclBase != nullptr);
        QCOMPARE(inclBase->text(), u("税込＋本体"));
        QTest::mouseClick(inclBase, Qt::LeftButton);
        QCOMPARE(window_->editor().layout().pricing.mode, PriceMode::TaxIncludedWithBase);
        window_->editor().undo();
        QVERIFY(!inclBase->isChecked());
        QVERIFY(window_->findChild<QRadioButton*>(u("税込のみ"))->isChecked());
    }

    void everyNewElementHasItsFrameOnTheSecondPage() {
        QVERIFY(pages() != nullptr);
        QCOMPARE(pages()->count(), 2);
        QWidget* second = pages()->widget(1);
        for (const ElementControlNames& names : kShelfElementControls) {
            auto* frame =
                second->findChild<QGroupBox*>(u("frame_") + QString::fromUtf8(names.caption));
            QVERIFY2(frame != nullptr, names.caption);
            auto* right =
                frame->findChild<QPushButton*>(QString::fromUtf8(names.movePrefix) + u("右"));
            QVERIFY(right != nullptr);
            const int before = window_->editor().layout().element(names.element).offsetX;
            right->click();
            QCOMPARE(int(window_->editor().layout().element(names.element).offsetX), before + 1);
            auto* visibility = frame->findChild<QPushButton*>(QString::fromUtf8(names.visibility));
            QVERIFY(visibility != nullptr);
            visibility->click();
            QVERIFY(!window_->editor().layout().element(names.element).visible);
        }
    }

    void aDetailTypedGoesIntoTheCurrentLabelAndComesBack() {
        pages()->setCurrentIndex(1);
        QLineEdit* contents = detail("内容量");
        QLineEdit* origin = detail("産地");
        QVERIFY(contents != nullptr && origin != nullptr);
        box(InputBox::Text3)->setFocus();
        QTest::keyClicks(box(InputBox::Text3), QStringLiteral("milk"));
        contents->setFocus();
        QTest::keyClicks(contents, u("1000ml"));
        QTest::keyClick(contents, Qt::Key_Return);
        origin->setFocus();
        origin->insert(u("北海道産"));     // as an input method commits it
        box(InputBox::Text3)->setFocus();  // leaving the field takes it
        QCOMPARE(details(1).contents, std::string("1000ml"));
        QCOMPARE(details(1).origin, std::string("北海道産"));
        QCOMPARE(window_->editor().sheet().label(1).productName, std::string("milk"));

        window_->editor().goNext();
        QCOMPARE(contents->text(), QString());
        window_->editor().goPrevious();
        QCOMPARE(contents->text(), u("1000ml"));
        QCOMPARE(origin->text(), u("北海道産"));
    }

    void theFieldsStayOutOfTheEnterCycle() {
        box(InputBox::Text5)->setFocus();
        QTest::keyClick(box(InputBox::Text5), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box(InputBox::Text1)));
        for (const char* name : {"内容量", "基準量", "通常価格", "期間", "産地"})
            QVERIFY(QApplication::focusWidget() != detail(name));
    }
};

QTEST_MAIN(EditorShelfTest)
#include "editor_shelf_test.moc"
