// How fast the input window answers: from construction to the preview on
// screen, and from a key press or click that moves the focus to the preview
// buffer painted again (one frame at 60 Hz at most).

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "ScriptedDialogs.h"
#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"

namespace {

// Notes when the watched widget is first painted.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 firstPaintMs = -1;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && firstPaintMs < 0) {
            firstPaintMs = clock_.elapsed();
        }
        return false;
    }

  private:
    const QElapsedTimer& clock_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

class EditorSpeedTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;

    SettingsPaths paths() const {
        const std::string settings = (dir_.path() + QStringLiteral("/data.txt")).toStdString();
        return {settings, settings};
    }

    static void fill(LabelEditor& editor) {
        for (int i = 1; i <= 10; ++i) {
            LabelRecord& r = editor.sheet().label(i);
            r.janCode = i % 2 ? "4901234567894" : "49012347";
            r.maker = "山田食品";
            r.productName = "特選しょうゆ";
            r.spec = "1L";
            r.lot = "A-12";
            r.price = "298";
        }
    }

  private slots:
    void theWindowIsOnScreenWithinAThirdOfASecond() {
        QElapsedTimer clock;
        clock.start();
        auto* window = new EditorWindow(paths(), dialogs_);
        PaintWatch watch(clock);
        window->previewArea()->picture()->installEventFilter(&watch);
        window->show();
        QTRY_VERIFY(watch.firstPaintMs >= 0);
        qInfo("window constructed -> preview painted: %lld ms", watch.firstPaintMs);
        QVERIFY(watch.firstPaintMs < 300);
        delete window;
    }

    void focusMovesRepaintThePreviewWithinAFrame() {
        EditorWindow window(paths(), dialogs_);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.activateWindow();  // also where no window manager does it
        QVERIFY(QTest::qWaitForWindowActive(&window));
        fill(window.editor());
        window.editor().goFirst();

        for (const char* zoom : {"50 %", "100 %"}) {
            if (QByteArray(zoom) == "100 %") {
                window.editor().toggleZoom();
            }
            std::vector<double> enter, next;
            QElapsedTimer timer;
            for (int i = 0; i < 21; ++i) {
                // Enter in the price box: write back, next label, redraw, hub.
                window.inputBox(InputBox::Text5)->setFocus(Qt::MouseFocusReason);
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                              QStringLiteral("\r"));
                timer.start();
                QApplication::sendEvent(window.inputBox(InputBox::Text5), &key);
                window.previewArea()->picture()->repaint();  // and onto the screen
                enter.push_back(timer.nsecsElapsed() / 1e6);
                // A click on ">": focus to the button, then back to Text1.
                if (window.editor().currentLabel() == 10) {
                    window.editor().goFirst();
                }
                auto* button = window.findChild<QPushButton*>(QStringLiteral("Cmdnext"));
                timer.start();
                QTest::mouseClick(button, Qt::LeftButton);
                window.previewArea()->picture()->repaint();
                next.push_back(timer.nsecsElapsed() / 1e6);
            }
            qInfo("%s: Enter in the price box -> preview painted: median %.2f ms", zoom,
                  median(enter));
            qInfo("%s: click on > -> preview painted: median %.2f ms", zoom, median(next));
            QVERIFY(median(enter) < 16.0);
            QVERIFY(median(next) < 16.0);
        }
    }
};

QTEST_MAIN(EditorSpeedTest)
#include "editor_speed_test.moc"
