// Driving dialogs under the offscreen platform.
#pragma once

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace cartulo::support::testing {

inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A key typed where the keyboard focus is, as a user would type it.
inline void type(Qt::Key key, const QString& text = {}) {
    if (QWidget* target = QApplication::focusWidget()) {
        QTest::sendKeyEvent(QTest::Click, target, key, text, Qt::NoModifier);
    }
}

// Runs `action` on the next modal window once it has the focus. After five
// seconds without one every window is closed, so a test fails instead of hanging.
inline void whenModalShown(std::function<void(QWidget&)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool ready = modal && QApplication::focusWidget();
        if (!ready && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (ready)
            action(*modal);
        else
            QApplication::closeAllWindows();
    });
    timer->start(10);
}

// A style whose icon `which` comes from a large picture of one colour, as a
// desktop icon theme would give it.
class LargeIconStyle : public QProxyStyle {
  public:
    LargeIconStyle(StandardPixmap which, Qt::GlobalColor color) : which_(which), color_(color) {}
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which != which_) return QProxyStyle::standardIcon(which, option, widget);
        QPixmap big(128, 128);
        big.fill(color_);
        return QIcon(big);
    }

  private:
    StandardPixmap which_;
    Qt::GlobalColor color_;
};

}  // namespace cartulo::support::testing
