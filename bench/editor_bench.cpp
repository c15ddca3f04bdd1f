// How fast the input window answers: from construction to the preview on
// screen, and from a key press or click that moves the focus to the preview
// painted again (a frame at 60 Hz is 16.7 ms). Reported, never judged: a busy
// machine makes any of these slower without a fault in the program.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "editor/widgets/EditorWindow.h"
#include "editor/widgets/InputBoxEdit.h"
#include "editor/widgets/PreviewArea.h"
#include "editor/widgets/PreviewPicture.h"

namespace {

// Notes that the watched widget has been painted.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

SettingsPaths benchPaths(const QTemporaryDir& dir) {
    const std::string settings = (dir.path() + QStringLiteral("/data.txt")).toStdString();
    return {settings, settings};
}

void fill(LabelEditor& editor) {
    for (int i = 1; i <= editor.sheet().labelCount(); ++i) {
        LabelRecord& r = editor.sheet().label(i);
        r.janCode = i % 2 ? "4901234567894" : "49012347";
        r.maker = "山田食品";
        r.productName = "特選しょうゆ";
        r.spec = "1L";
        r.lot = "A-12";
        r.price = "298";
    }
}

// Construction of the window until its preview has been painted on screen.
void BM_WindowToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state) {
        auto window = std::make_unique<EditorWindow>(benchPaths(dir));
        PaintWatch watch;
        window->previewArea()->picture()->installEventFilter(&watch);
        window->show();
        while (!watch.painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// A window with a full sheet on label 1, shown and active, at `zoom`.
std::unique_ptr<EditorWindow> typingWindow(const QTemporaryDir& dir, bool fullSize) {
    auto window = std::make_unique<EditorWindow>(benchPaths(dir));
    window->show();
    window->activateWindow();  // also where no window manager does it
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the window did not become active; focus moves may differ");
    fill(window->editor());
    window->editor().goFirst();
    if (fullSize)
        window->editor().toggleZoom();
    return window;
}

// Enter in the price box: write back, next label, redraw, the hub, on screen.
void BM_EnterInPriceBox(benchmark::State& state) {
    QTemporaryDir dir;
    auto window = typingWindow(dir, state.range(0) == 100);
    InputBoxEdit* price = window->inputBox(InputBox::Text5);
    for (auto _ : state) {
        state.PauseTiming();
        if (window->editor().currentLabel() == window->editor().sheet().labelCount())
            window->editor().goFirst();
        price->setFocus(Qt::MouseFocusReason);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        state.ResumeTiming();
        QApplication::sendEvent(price, &key);
        window->previewArea()->picture()->repaint();
    }
}

// A click on ">": the focus to the button and back to Text1, on screen.
void BM_ClickNext(benchmark::State& state) {
    QTemporaryDir dir;
    auto window = typingWindow(dir, state.range(0) == 100);
    auto* next = window->findChild<QPushButton*>(QStringLiteral("Cmdnext"));
    for (auto _ : state) {
        state.PauseTiming();
        if (window->editor().currentLabel() == window->editor().sheet().labelCount())
            window->editor().goFirst();
        state.ResumeTiming();
        QTest::mouseClick(next, Qt::LeftButton);
        window->previewArea()->picture()->repaint();
    }
}

BENCHMARK(BM_WindowToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);
// The argument is the preview zoom in per cent.
BENCHMARK(BM_EnterInPriceBox)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickNext)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
