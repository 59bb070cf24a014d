#include "platform/system_sound.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

namespace cartulo::platform {

void PlaySystemSound(std::string_view /*name*/) {
    // Without a window system there is no one to hear it, and Qt has no
    // platform to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
    QApplication::beep();
}

}  // namespace cartulo::platform
