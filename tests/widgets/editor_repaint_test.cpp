// The input window puts its preview on screen: once shown, and again after a
// key press or click that moves the focus, at both zooms. How fast it does
// so is measured by bench/editor_bench.

#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"
#include "support/WindowHarness.h"

namespace {

// Counts the paints of the watched widget.
class PaintWatch : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

class EditorRepaintTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;

  private slots:
    void theWindowPaintsItsPreviewOnceShown() {
        TestWindow window(dir_.path(), dialogs_);
        PaintWatch watch;
        window.previewArea()->picture()->installEventFilter(&watch);
        window.show();
        QTRY_VERIFY(watch.paints > 0);
    }

    void enterInThePriceBoxAndNextRepaintThePreview() {
        TestWindow window(dir_.path(), dialogs_);
        QVERIFY(showActive(window));
        window.editor().sheet().label(1).productName = "特選しょうゆ";
        window.editor().goFirst();
        PaintWatch watch;
        window.previewArea()->picture()->installEventFilter(&watch);
        auto* next = window.findChild<QPushButton*>(QStringLiteral("Cmdnext"));
        QVERIFY(next != nullptr);

        for (bool fullSize : {false, true}) {
            if (fullSize)
                window.editor().toggleZoom();
            window.editor().goFirst();
            const int label = window.editor().currentLabel();
            int before = watch.paints;
            InputBoxEdit* price = window.inputBox(InputBox::Text5);
            price->setFocus(Qt::MouseFocusReason);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QApplication::sendEvent(price, &key);
            QCOMPARE(window.editor().currentLabel(), label + 1);
            QTRY_VERIFY(watch.paints > before);

            before = watch.paints;
            QTest::mouseClick(next, Qt::LeftButton);
            QCOMPARE(window.editor().currentLabel(), label + 2);
            QTRY_VERIFY(watch.paints > before);
        }
    }
};

QTEST_MAIN(EditorRepaintTest)
#include "editor_repaint_test.moc"
