// The program's start: command line, settings, the single-instance check
// with its hand-over, and the main window; and the whole run of the program
// for main().
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <string>

#include "engine/cartulos.h"
#include "engine/clipboard.h"
#include "platform/command_channel.h"
#include "richtext/binding_resources.h"
#include "shell/command_line.h"
#include "shell/early_read.h"
#include "support/settings.h"
#include "support/user_dialogs.h"

namespace cartulo::shell {

class frmMain;

struct StartupOptions {
    QStringList arguments;  // after the program's own name
    QString channelName = platform::DefaultCommandChannelName();
    std::string settingsFile = support::SettingsFile();
    QString workingDirectory = QDir::currentPath();
    cCartulos* registry = nullptr;            // Ctus() when null
    support::UserDialogs* dialogs = nullptr;  // the real boxes when null
    QString version;                          // shown by the about box
    std::string recoveryFolder;               // "" keeps no recovery copies
    // The first argument's file, already being read (LecturaDelPrimerArgumento).
    std::shared_ptr<LecturaAnticipada> lectura;
};

enum class StartupResult {
    Shown,           // this is the running instance; its main window is shown (with
                     // or without the command channel)
    HandedOver,      // a running instance took the work: end at once
    HandOverFailed,  // an instance answers but would not take the work: the user
                     // was told; end
};

class Arranque {
  public:
    explicit Arranque(StartupOptions options);
    ~Arranque();
    Arranque(const Arranque&) = delete;
    Arranque& operator=(const Arranque&) = delete;

    StartupResult Iniciar();
    // The main window once shown; null otherwise.
    frmMain* VentanaPrincipal() const { return main_.get(); }
    const CommandLine& LineaDeComandos() const { return commandLine_; }
    support::ProgramSettings& Opciones() { return settings_; }

  private:
    StartupOptions options_;
    CommandLine commandLine_;
    support::ProgramSettings settings_;
    std::unique_ptr<support::UserDialogs> ownDialogs_;
    platform::CommandChannelServer server_;
    std::unique_ptr<frmMain> main_;
    std::shared_ptr<const BindingResources> resources_;  // installed by this start
    std::unique_ptr<QTranslator> qtTexts_;               // Qt's texts in Spanish
    std::shared_ptr<ClipboardText> clipboard_;           // the system's, for the cards
};

// What every rich-text binding of the program shares: the picture cache
// with the Qt loader, the speaker pictures at the display scale, the sound
// player and the program's folder.
std::shared_ptr<BindingResources> RecursosDelPrograma(double scale);

// The file `arguments` name first, made absolute against `workingDirectory`,
// read on a thread of its own while Qt and the main window start; null
// when they name none.
std::shared_ptr<LecturaAnticipada> LecturaDelPrimerArgumento(const QStringList& arguments,
                                                             const QString& workingDirectory);

// The message shown when the running instance answers but the hand-over fails.
support::MessageRequest MensajeSinComunicacion();

// The whole program: the application object, the start, the event loop.
int EjecutarCartulo(int argc, char** argv, const QString& version);

}  // namespace cartulo::shell
