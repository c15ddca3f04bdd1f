// The tax controls of the real input window: the rate button beside the price
// box with its shortcut, and the price mode and rounding of the pattern.

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
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

class EditorTaxTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<EditorWindow> window_;

    InputBoxEdit* box(InputBox b) const { return window_->inputBox(b); }
    QPushButton* rateButton() const { return window_->findChild<QPushButton*>(u("税率")); }
    QRadioButton* radio(const char* name) const {
        return window_->findChild<QRadioButton*>(u(name));
    }
    TaxRate rate(int n) const { return window_->editor().sheet().label(n).taxRate; }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        window_ = std::make_unique<TestWindow>(dir_.path(), dialogs_);
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void theRateChangesWhileThePriceIsTyped() {
        QVERIFY(rateButton() != nullptr);
        QCOMPARE(rateButton()->text(), u("税率 10%"));
        box(InputBox::Text5)->setFocus();
        QTest::keyClicks(box(InputBox::Text5), QStringLiteral("980"));
        QTest::keyClick(box(InputBox::Text5), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(rate(1), TaxRate::Reduced);
        QCOMPARE(rateButton()->text(), u("税率 8%"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text5));
        QCOMPARE(box(InputBox::Text5)->text(), QStringLiteral("980"));

        // A click neither takes the focus nor leaves the price box.
        QTest::mouseClick(rateButton(), Qt::LeftButton);
        QCOMPARE(rate(1), TaxRate::Standard);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text5));
        QCOMPARE(window_->editor().currentLabel(), 1);
        QTest::keyClick(box(InputBox::Text5), Qt::Key_T, Qt::ControlModifier);

        // Enter stores the price and goes on to label 2, which takes the rate.
        QTest::keyClick(box(InputBox::Text5), Qt::Key_Return);
        QCOMPARE(window_->editor().currentLabel(), 2);
        QCOMPARE(window_->editor().sheet().label(1).price, std::string("980"));
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QCOMPARE(rate(2), TaxRate::Reduced);
        QCOMPARE(rateButton()->text(), u("税率 8%"));
        QCOMPARE(rateButton()->focusPolicy(), Qt::NoFocus);
    }

    void thePriceModeAndRoundingAreChosenInTheFrame() {
        QVERIFY(radio("税込のみ")->isChecked());
        QVERIFY(radio("切り捨て")->isChecked());
        QTest::mouseClick(radio("本体税込"), Qt::LeftButton);
        QTest::mouseClick(radio("四捨五入"), Qt::LeftButton);
        const PricePattern chosen{PriceMode::BaseAndTaxIncluded, TaxRounding::HalfUp};
        QCOMPARE(window_->editor().layout().pricing, chosen);
        QCOMPARE(QApplication::focusWidget(), box(InputBox::Text1));
        QVERIFY(radio("本体税込")->isChecked());
        QVERIFY(!radio("税込のみ")->isChecked());
        QVERIFY(radio("四捨五入")->isChecked());
    }
};

QTEST_MAIN(EditorTaxTest)
#include "editor_tax_test.moc"
