#include "platform/system_sound.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLibrary>

#include "platform/sound_module.h"

namespace cartulo::platform {

namespace {

struct SoundModule {
    decltype(&cartulo_sound_play) play = nullptr;
    decltype(&cartulo_sound_output_present) outputPresent = nullptr;
    decltype(&cartulo_sound_loaded) loaded = nullptr;
    decltype(&cartulo_sound_loading) loading = nullptr;
};

// Installed beside the program's libraries; a test program in the build
// tree finds it where it was built.
QStringList moduleCandidates() {
    return {QDir(QCoreApplication::applicationDirPath())
                .filePath(QStringLiteral(CARTULO_SOUND_MODULE_FROM_BIN)),
            QStringLiteral(CARTULO_SOUND_MODULE_BUILT)};
}

// Loaded when first needed and never unloaded: the player it makes lives
// as long as the application. Without the module there is no sound.
const SoundModule* soundModule(bool load) {
    static std::optional<SoundModule> module;
    static bool tried = false;
    if (tried || !load) return module ? &*module : nullptr;
    tried = true;
    for (const QString& candidate : moduleCandidates()) {
        QLibrary library(candidate);
        if (!library.load()) continue;
        SoundModule found;
        found.play = reinterpret_cast<decltype(found.play)>(library.resolve("cartulo_sound_play"));
        found.outputPresent = reinterpret_cast<decltype(found.outputPresent)>(
            library.resolve("cartulo_sound_output_present"));
        found.loaded =
            reinterpret_cast<decltype(found.loaded)>(library.resolve("cartulo_sound_loaded"));
        found.loading =
            reinterpret_cast<decltype(found.loading)>(library.resolve("cartulo_sound_loading"));
        if (found.play && found.outputPresent && found.loaded && found.loading) {
            module = found;
            break;
        }
    }
    return module ? &*module : nullptr;
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
    if (QCoreApplication::instance() == nullptr) return;
    if (const SoundModule* module = soundModule(true)) {
        module->play(QFile::decodeName(QByteArray::fromStdString(path)));
    }
}

bool SoundOutputPresent() {
    const SoundModule* module = soundModule(true);
    return module != nullptr && module->outputPresent();
}

QString SoundFileLoaded() {
    QString file;
    if (const SoundModule* module = soundModule(false)) module->loaded(file);
    return file;
}

bool SoundFileLoading() {
    const SoundModule* module = soundModule(false);
    return module != nullptr && module->loading();
}

}  // namespace cartulo::platform
