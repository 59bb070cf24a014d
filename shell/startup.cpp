#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QSessionManager>
#include <cmath>

#include "engine/paths.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_picture.h"
#include "platform/symbol_pictures.h"
#include "platform/system_sound.h"
#include "richtext/image_cache.h"
#include "shell/about.h"
#include "shell/frm_main.h"
#include "shell/program_style.h"
#include "shell/qt_translation.h"
#include "shell/recovery_folder.h"
#include "shell/single_instance.h"
#include "shell/termination_signals.h"
#include "support/qt_user_dialogs.h"

namespace cartulo::shell {

Arranque::Arranque(StartupOptions options)
    : options_(std::move(options)),
      settings_(options_.settingsFile),
      server_([this](const QString& word, std::optional<QString> argument) {
          // Lines are served by the event loop, which runs only once the
          // main window exists; a late line after it is gone does nothing.
          if (main_) main_->ComandoRecibido(word, std::move(argument));
      }) {}

Arranque::~Arranque() {
    server_.Close();
    main_.reset();
    if (clipboard_ && &Clipboard() == clipboard_.get()) SetClipboard(nullptr);
    // The pictures go while the application object still exists.
    if (resources_ && ProgramResources() == resources_) SetProgramResources(nullptr);
}

std::shared_ptr<BindingResources> RecursosDelPrograma(double scale) {
    auto resources = std::make_shared<BindingResources>();
    resources->imageCache =
        std::make_shared<cImageCache>(std::make_unique<platform::QtPictureLoader>());
    const platform::SymbolPictures symbols =
        platform::MakeSymbolPictures(static_cast<int>(std::lround(16 * scale)));
    resources->speaker = symbols.speaker;
    resources->speakerPressed = symbols.speakerPressed;
    resources->playSound = platform::PlaySoundFile;
    resources->programFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    return resources;
}

namespace {

QString absoluteArgument(const QString& argument, const QString& workingDirectory) {
    return QFile::decodeName(QByteArray::fromStdString(
        paths::ResolvePath(QFile::encodeName(argument).toStdString(),
                           QFile::encodeName(workingDirectory).toStdString())));
}

}  // namespace

std::shared_ptr<LecturaAnticipada> LecturaDelPrimerArgumento(const QStringList& arguments,
                                                             const QString& workingDirectory) {
    CommandLine commandLine;
    commandLine.ParseArguments(arguments);
    const QString first = commandLine.GetArgument(1);
    if (first.isEmpty()) return nullptr;
    // As the main window resolves it once more when it opens the file.
    const QString path =
        absoluteArgument(absoluteArgument(first, workingDirectory), workingDirectory);
    return std::make_shared<LecturaAnticipada>(RutaDeLectura(path),
                                               commandLine.HasSwitch(QStringLiteral("debug")));
}

support::MessageRequest MensajeSinComunicacion() {
    support::MessageRequest request;
    request.title = QStringLiteral("Comando DDE");
    request.text = QStringLiteral("No se ha podido establecer una comunicación DDE con ") +
                   QString::fromUtf8(kProgramTitle) + QStringLiteral(".");
    request.flags = support::msg::kCritical;
    return request;
}

StartupResult Arranque::Iniciar() {
    // Before any box: its buttons are Qt's.
    if (!qtTexts_) qtTexts_ = InstalarTraduccionQt();
    commandLine_.ParseArguments(options_.arguments);
    const bool debug = commandLine_.HasSwitch(QStringLiteral("debug"));
    settings_.ReadOptions();

    const QString first = commandLine_.GetArgument(1);
    const QString absolute =
        first.isEmpty() ? QString() : absoluteArgument(first, options_.workingDirectory);
    const InstanceRole role = EstablishInstance(server_, absolute, options_.channelName);
    switch (role) {
        case InstanceRole::HandedOver:
            return StartupResult::HandedOver;
        case InstanceRole::HandOverFailed: {
            support::UserDialogs* dialogs = options_.dialogs;
            if (dialogs == nullptr) {
                ownDialogs_ =
                    std::make_unique<support::QtUserDialogs>(nullptr, settings_.DisplayScale());
                dialogs = ownDialogs_.get();
            }
            dialogs->ShowMessage(MensajeSinComunicacion());
            return StartupResult::HandOverFailed;
        }
        case InstanceRole::Server:
        case InstanceRole::Alone:
            break;
    }

    // Before any window: the preview's binding takes them when it is made.
    resources_ = RecursosDelPrograma(settings_.DisplayScale());
    SetProgramResources(resources_);
    // Cards copied here reach other programs and a second Cartulo, and theirs come in.
    clipboard_ = std::make_shared<platform::QtClipboard>();
    SetClipboard(clipboard_);

    MainWindowSetup setup;
    setup.registry = options_.registry;
    setup.dialogs = options_.dialogs;
    setup.settings = &settings_;
    setup.debug = debug;
    setup.scale = settings_.DisplayScale();
    setup.firstArgument = absolute;
    setup.version = options_.version;
    setup.recoveryFolder = options_.recoveryFolder;
    setup.lectura = std::move(options_.lectura);
    main_ = std::make_unique<frmMain>(std::move(setup));
    if (role == InstanceRole::Alone) {
        main_->AvisoSinCanal(MotivoSinCanal(options_.channelName, server_.ErrorString()));
    }
    main_->show();
    return StartupResult::Shown;
}

int EjecutarCartulo(int argc, char** argv, const QString& version) {
    // Started before Qt, so reading the file overlaps Qt's start and the
    // main window's; not when a running instance will take the file, which
    // would only wait for a read it drops.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    std::shared_ptr<LecturaAnticipada> lectura;
    if (!platform::ChannelAnswersNow(platform::DefaultCommandChannelName())) {
        lectura = LecturaDelPrimerArgumento(arguments, QDir::currentPath());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    QApplication::setApplicationVersion(version);
    QApplication::setStyle(new EstiloPrograma);

    StartupOptions options;
    options.arguments = QApplication::arguments().mid(1);
    options.version = version;
    options.recoveryFolder = RecoveryFolderPath();
    options.lectura = std::move(lectura);
    Arranque start(std::move(options));
    switch (start.Iniciar()) {
        case StartupResult::HandedOver:
            return 0;
        case StartupResult::HandOverFailed:
            return 1;
        case StartupResult::Shown:
            break;
    }
    frmMain* main = start.VentanaPrincipal();
    main->SalirAlCerrar(true);
    TerminationSignals termination([main](int signal) { main->TerminarPorSenal(signal); });
    // Qt 6 no longer asks by itself.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, main,
                     [main](QSessionManager& manager) {
                         const bool interact = manager.allowsInteraction();
                         const bool allowed = main->FinDeSesion(interact);
                         if (interact) manager.release();
                         if (!allowed) manager.cancel();
                     });
    return QApplication::exec();
}

}  // namespace cartulo::shell
