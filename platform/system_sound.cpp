#include "platform/system_sound.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace cartulo::platform {

namespace {

// Owned by the application, so it goes while Qt Multimedia is still there.
QPointer<QSoundEffect>& player() {
    static QPointer<QSoundEffect> effect;
    return effect;
}

}  // namespace

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
    if (::access(path.c_str(), R_OK) != 0) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    QPointer<QSoundEffect>& effect = player();
    if (!effect) effect = new QSoundEffect(app);
    // A file that is no sound ends in the effect's error state: silence.
    effect->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    if (SoundOutputPresent()) effect->play();
}

bool SoundOutputPresent() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

QString SoundFileLoaded() {
    const QPointer<QSoundEffect>& effect = player();
    return effect ? effect->source().toLocalFile() : QString();
}

bool SoundFileLoading() {
    const QPointer<QSoundEffect>& effect = player();
    return effect && effect->status() == QSoundEffect::Loading;
}

}  // namespace cartulo::platform
