#include "start/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

class FirstPaintFilter : public QObject {
  public:
    FirstPaintFilter(QWidget* widget, std::function<void()> done)
        : QObject(widget), done_(std::move(done)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !fired_) {
            fired_ = true;
            watched->removeEventFilter(this);
            // The rest of the cycle (children, flushing to the screen) runs
            // before queued calls.
            QTimer::singleShot(0, this, [this] {
                done_();
                deleteLater();
            });
        }
        return false;
    }

  private:
    std::function<void()> done_;
    bool fired_ = false;
};

}  // namespace

void whenFirstPainted(QWidget* widget, std::function<void()> done) {
    widget->installEventFilter(new FirstPaintFilter(widget, std::move(done)));
}
