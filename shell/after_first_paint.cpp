#include "shell/after_first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace cartulo::shell {

namespace {

// Low priority: delivered after the calls the paint queued, such as the
// start-up benchmark's notice.
const QEvent::Type kPainted = static_cast<QEvent::Type>(QEvent::registerEventType());

class PaintWait : public QObject {
  public:
    PaintWait(QWidget& widget, QObject& owner, std::function<void()> then, int fallbackMs)
        : QObject(&owner), widget_(&widget), then_(std::move(then)) {
        widget.installEventFilter(this);
        QTimer::singleShot(fallbackMs, this, [this] { finish(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && event->type() == QEvent::Paint && !posted_) {
            posted_ = true;
            QCoreApplication::postEvent(this, new QEvent(kPainted), Qt::LowEventPriority);
        }
        return false;
    }

    bool event(QEvent* event) override {
        if (event->type() != kPainted) return QObject::event(event);
        finish();
        return true;
    }

  private:
    void finish() {
        if (!then_) return;
        if (widget_) widget_->removeEventFilter(this);
        const std::function<void()> then = std::move(then_);
        then_ = nullptr;
        deleteLater();
        then();
    }

    QPointer<QWidget> widget_;
    std::function<void()> then_;
    bool posted_ = false;
};

}  // namespace

void TrasPrimeraPintura(QWidget& widget, QObject& owner, std::function<void()> then,
                        int fallbackMs) {
    if (!widget.isVisible()) {
        then();
        return;
    }
    new PaintWait(widget, owner, std::move(then), fallbackMs);
}

}  // namespace cartulo::shell
