#include "platform/system_sound.h"

#include <sys/stat.h>

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

void PlaySoundFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return;
    struct stat info {};
    // Only a regular file can be a sound; a FIFO or a device is not opened.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    PlaySystemSound("SystemDefault");
}

}  // namespace cartulo::platform
