// The input window's buttons reach the commands they name: every move
// button moves its own element, the toggles show their state, the origin
// buttons their adjustment, the zoom its caption; a real question box
// answered Yes leaves the window up to date; closing deletes the window.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"
#include "support/WindowHarness.h"

Q_DECLARE_METATYPE(LabelElement)

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

class EditorCommandsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    QPointer<EditorWindow> window_;

    QPushButton* button(const QString& name) const {
        return window_->findChild<QPushButton*>(name);
    }
    void click(const char* name) const { QTest::mouseClick(button(u(name)), Qt::LeftButton); }
    const LayoutSettings& layout() const { return window_->editor().layout(); }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        window_ = new EditorWindow(settingsIn(dir_.path()), dialogs_);
        QVERIFY(showActive(*window_));
    }
    void cleanup() { delete window_.data(); }

    void eachMoveButtonMovesItsOwnElement_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<LabelElement>("element");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        const std::pair<const char*, LabelElement> elements[] = {
            {"jan_", LabelElement::Jan},     {"bar_", LabelElement::Barcode},
            {"maker_", LabelElement::Maker}, {"品名_", LabelElement::ProductName},
            {"規格_", LabelElement::Spec},   {"rot_", LabelElement::Lot},
            {"", LabelElement::Price},       {"enn_", LabelElement::Yen},
        };
        const std::tuple<const char*, int, int> directions[] = {
            {"右", 1, 0}, {"左", -1, 0}, {"下", 0, 1}, {"上", 0, -1}};
        for (const auto& [prefix, element] : elements) {
            for (const auto& [direction, dx, dy] : directions) {
                const QString name = u(prefix) + u(direction);
                QTest::newRow(name.toUtf8().constData()) << name << element << dx << dy;
            }
        }
    }
    void eachMoveButtonMovesItsOwnElement() {
        QFETCH(QString, name);
        QFETCH(LabelElement, element);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QTest::mouseClick(button(name), Qt::LeftButton);
        for (LabelElement e : kMovableElements) {
            const bool moved = e == element;
            QCOMPARE(int(layout().element(e).offsetX), moved ? dx : 0);
            QCOMPARE(int(layout().element(e).offsetY), moved ? dy : 0);
        }
        QCOMPARE(QApplication::focusWidget(), window_->inputBox(InputBox::Text1));
    }

    void togglesShowTheirState() {
        click("品名表示");
        QCOMPARE(button(u("品名表示"))->text(), u("表示する"));
        QVERIFY(!layout().isVisible(LabelElement::ProductName));
        QVERIFY(layout().isVisible(LabelElement::Maker));
        click("品名表示");
        QCOMPARE(button(u("品名表示"))->text(), u("表示しない"));
        QVERIFY(layout().isVisible(LabelElement::ProductName));

        click("メーカーU表示");
        QCOMPARE(button(u("メーカーU表示"))->text(), u("アンダーライン無"));
        QVERIFY(layout().isUnderlined(LabelElement::Maker));
        QVERIFY(!layout().isUnderlined(LabelElement::ProductName));

        dialogs_.color = 0x00FF00;
        click("縁取");
        QCOMPARE(button(u("縁取"))->text(), u("縁取りしない"));
        QCOMPARE(layout().borderColor, 0x00FF00);
        click("縁取");
        QCOMPARE(button(u("縁取"))->text(), u("カラーで縁取りする"));
        QCOMPARE(dialogs_.colorRequests, 1);
    }

    void originButtonsShowTheAdjustment() {
        auto* x = window_->findChild<QLineEdit*>(u("x座標調整"));
        auto* y = window_->findChild<QLineEdit*>(u("y座標調整"));
        for (int i = 0; i < 11; ++i) {
            click("xプラス");
        }
        QCOMPARE(x->text(), u("10"));
        QCOMPARE(layout().originX, 22.0);
        click("yマイナス");
        QCOMPARE(y->text(), u("-1"));
        QCOMPARE(layout().originY, 6.8);
    }

    void zoomSwitchesCaptionAndPreviewScale() {
        const QImage& page = window_->previewArea()->picture()->buffer();
        const double dpi = page.logicalDpiX();
        auto topEdgeIsBlue = [&](double zoom) {
            const int x = qRound(zoom * (12.0 + 45.0) / 25.4 * dpi);
            const int y = qRound(zoom * 7.8 / 25.4 * dpi);
            for (int dy = -3; dy <= 3; ++dy) {
                if (page.pixel(x, y + dy) == qRgb(0, 0, 255)) {
                    return true;
                }
            }
            return false;
        };
        QVERIFY(topEdgeIsBlue(0.5));
        click("倍率");
        QCOMPARE(button(u("倍率"))->text(), u("倍率切替50%"));
        QCOMPARE(window_->editor().viewState().previewZoom, 1.0);
        QVERIFY(topEdgeIsBlue(1.0));
        QVERIFY(!topEdgeIsBlue(0.5));
        click("倍率");
        QCOMPARE(button(u("倍率"))->text(), u("倍率切替100%"));
        QVERIFY(topEdgeIsBlue(0.5));
    }

    void aQuestionAnsweredInTheRealBoxLeavesTheWindowUpToDate() {
        // The window with Qt's own dialogs.
        QPointer<EditorWindow> real = new EditorWindow(settingsIn(dir_.path()));
        QVERIFY(showActive(*real));
        LabelEditor& editor = real->editor();
        for (int i = 1; i <= 3; ++i) {
            editor.sheet().label(i).productName = "品";
        }
        QTest::mouseClick(real->findChild<QPushButton*>(u("Cmdnext")), Qt::LeftButton);
        QString asked;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        QTest::mouseClick(real->findChild<QPushButton*>(u("全クリア")), Qt::LeftButton);
        QCOMPARE(asked, u("データを全部クリアしますか？"));
        QVERIFY(editor.sheet().label(1).isEmpty());
        QCOMPARE(real->windowTitle(), u("棚札入力画面  "));
        QCOMPARE(real->findChild<QLabel*>(u("Label6"))->text(), u("2/10"));
        QCOMPARE(real->focusWidget(), real->inputBox(InputBox::Text1));
        // Whenever the window system activates the window again, the caret is
        // in Text1 and the returning focus changes nothing.
        real->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(real));
        QCOMPARE(QApplication::focusWidget(), real->inputBox(InputBox::Text1));
        QCOMPARE(real->findChild<QLabel*>(u("Label6"))->text(), u("2/10"));
        delete real.data();
    }

    void closingDeletesTheWindow() {
        QPointer<EditorWindow> closing = window_;
        click("Command1");
        QTRY_VERIFY(closing.isNull());

        window_ = new EditorWindow(settingsIn(dir_.path()), dialogs_);
        QVERIFY(showActive(*window_));
        closing = window_;
        QTest::keyClick(window_->inputBox(InputBox::Text3), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(closing.isNull());
    }
};

QTEST_MAIN(EditorCommandsTest)
#include "editor_commands_test.moc"
