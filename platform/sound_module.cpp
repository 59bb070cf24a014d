#include "platform/sound_module.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

// Owned by the application, so it goes while Qt Multimedia is still there.
QPointer<QSoundEffect>& player() {
    static QPointer<QSoundEffect> effect;
    return effect;
}

}  // namespace

extern "C" {

void cartulo_sound_play(const QString& file) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    QPointer<QSoundEffect>& effect = player();
    if (!effect) effect = new QSoundEffect(app);
    // A file that is no sound ends in the effect's error state: silence.
    effect->setSource(QUrl::fromLocalFile(file));
    if (cartulo_sound_output_present()) effect->play();
}

bool cartulo_sound_output_present() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void cartulo_sound_loaded(QString& file) {
    const QPointer<QSoundEffect>& effect = player();
    file = effect ? effect->source().toLocalFile() : QString();
}

bool cartulo_sound_loading() {
    const QPointer<QSoundEffect>& effect = player();
    return effect && effect->status() == QSoundEffect::Loading;
}
}
