#include "shell/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "engine/paths.h"
#include "shell/about.h"
#include "shell/after_first_paint.h"
#include "shell/command_bar.h"
#include "shell/drawn_icons.h"
#include "shell/file_drop.h"
#include "shell/main_menus.h"
#include "shell/main_toolbar.h"
#include "shell/search_field.h"
#include "support/qt_user_dialogs.h"
#include "windows/frm_comparar_cartulos.h"
#include "windows/frm_vista_previa.h"
#include "windows/spell_service.h"

namespace cartulo::shell {

namespace {

constexpr int kAutoSaveTickMs = 1000;
constexpr int kRecoveryTickMs = 500;
// How often waiting commands look again whether the program is free.
constexpr int kOrdenesEsperaMs = 50;
const QSize kStartSize(1120, 760);

QString decodePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string encodePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString textoAbiertosAlArrancar(int count) {
    if (count == 1) return QStringLiteral("Se ha abierto 1 cartulo al iniciar.");
    return QStringLiteral("Se han abierto %1 cartulos al iniciar.").arg(count);
}

}  // namespace

// Keeps the captions of a file's windows current when its title changes.
class frmMain::RegistryEvents : public CartulosListener {
  public:
    explicit RegistryEvents(frmMain& main) : main_(main) {}
    void onRename(std::int32_t index) override {
        if (auto file = main_.registry_.List(index)) main_.actualizarTitulos(*file);
    }
    Subscription subscription;

  private:
    frmMain& main_;
};

frmMain::frmMain(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent),
      registry_(setup.registry != nullptr ? *setup.registry : Ctus()),
      fileDialogs_(setup.fileDialogs),
      printDialogs_(setup.printDialogs),
      settings_(setup.settings),
      debug_(setup.debug),
      scale_(setup.scale),
      firstArgument_(setup.firstArgument),
      version_(setup.version),
      clock_(setup.clock),
      cascada_(setup.scale) {
    support::UserDialogs* dialogs = setup.dialogs;
    if (dialogs == nullptr) {
        ownDialogs_ = std::make_unique<support::QtUserDialogs>(this, scale_);
        dialogs = ownDialogs_.get();
    }
    dialogs_ = std::make_unique<CountingUserDialogs>(*dialogs);
    if (fileDialogs_ == nullptr) {
        ownFileDialogs_ = std::make_unique<QtFileDialogs>(this, *dialogs_);
        fileDialogs_ = ownFileDialogs_.get();
    }
    if (printDialogs_ == nullptr) {
        ownPrintDialogs_ = std::make_unique<QtPrintDialogs>(this);
        printDialogs_ = ownPrintDialogs_.get();
    }
    files_ = std::make_unique<CartuloFiles>(registry_, *dialogs_, *fileDialogs_, *this, debug_,
                                            std::move(setup.clock));
    if (!setup.recoveryFolder.empty()) {
        recuperacion_ = std::make_unique<RecoveryCopies>(
            registry_, setup.recoveryFolder, [this](const QString& text) { TextoEstado(text); },
            clock_);
    }
    // The file named on the command line is read while the window is built.
    if (setup.lectura) {
        files_->AdoptarLectura(std::move(setup.lectura));
    } else if (!firstArgument_.isEmpty()) {
        files_->AnticiparLectura(rutaPrimerArgumento());
    }
    registryEvents_ = std::make_unique<RegistryEvents>(*this);
    registryEvents_->subscription = registry_.Subscribe(*registryEvents_);
    dictionaryFolder_ = setup.dictionaryFolder;
    if (settings_ != nullptr) {
        // The user's own words live beside the settings file.
        const QString folder = QFile::decodeName(
            QByteArray::fromStdString(paths::DirectoryPart(settings_->FilePath())));
        ortografia_ = std::make_unique<windows::SpellService>(
            dictionaryFolder_, QDir(folder).filePath(QStringLiteral("diccionario_personal.txt")));
        ortografia_->Configurar(settings_->SpellCheck(),
                                QString::fromStdString(settings_->Dictionary()));
    }

    buildWindow();
    buildTimers();
    qApp->installEventFilter(this);
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
    destroying_ = true;
    // The child windows and the preview go first, while the services they
    // call still exist; closed ones waiting for deletion too.
    delete vistaPrevia_.data();
    delete comparacion_.data();
    QList<QPointer<QMdiSubWindow>> subs;
    for (QMdiSubWindow* sub : mdiArea_->findChildren<QMdiSubWindow*>()) subs.append(sub);
    for (const QPointer<QMdiSubWindow>& sub : subs) delete sub.data();
    while (waitCursors_ > 0) CursorEspera(false);
}

void frmMain::buildWindow() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setAcceptDrops(true);
    setWindowIcon(IconoHerramienta(9));

    // The menu bar starts hidden; F10 shows it.
    menus_ = std::make_unique<MenusPrincipales>(*menuBar(), debug_,
                                                [this](MenuItem item) { ejecutarItem(item); });
    for (int i = 0; i < MenusPrincipales::kMenuCount; ++i) {
        const auto menu = static_cast<Menu>(i);
        connect(menus_->MenuOf(menu), &QMenu::aboutToShow, this,
                [this, menu] { refrescarMenu(menu); });
    }
    menuBar()->hide();

    tlbBarra_ = addToolBar(QStringLiteral("Barra de herramientas"));
    tlbBarra_->setObjectName(QStringLiteral("tlbBarra"));
    tlbBarra_->setMovable(false);
    tlbBarra_->setIconSize(QSize(24, 24) * scale_);
    LlenarBarraHerramientas(*tlbBarra_, [this](const QString& key) {
        // After the click has been fully handled.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        Comando(key);
    });

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    picBarra_ = new BarraComandos(scale_, client);
    picBarra_->onCommand = [this](const QString& word) { Comando(word); };
    picBarra_->onFindMenu = [this](const QString& name) { return menuPorNombre(name); };
    picBarra_->SetMenu(BarPanel::Ayuda, menus_->MenuOf(Menu::Ayuda));
    picBarra_->SetMenu(BarPanel::Organizar, menus_->MenuOf(Menu::Archivo));
    picBarra_->SetMenu(BarPanel::Edicion, menus_->MenuOf(Menu::Edicion));
    picBarra_->SetMenu(BarPanel::Ficha, menus_->MenuOf(Menu::Ficha));
    picBarra_->SetMenu(BarPanel::Cartulo, menus_->MenuOf(Menu::Cartulo));
    picBarra_->SetMenu(BarPanel::Ventana, menus_->MenuOf(Menu::Ventana));
    picBarra_->Buscador()->onEnter = [this](const QString& text) {
        Comando(QStringLiteral("BuscarGlobal"), windows::Argumentos(text));
    };
    picBarra_->Buscador()->onEscape = [this] { enfocarHijaActiva(); };
    column->addWidget(picBarra_);
    // The first focus goes to the bar, so the search field keeps its placeholder.
    picBarra_->setFocus();

    mdiArea_ = new QMdiArea(client);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(QColor(0xd5, 0xdb, 0xe3));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (const Hija* hija = hijaDe(sub)) hija->child->CrearBotones();
    });
    column->addWidget(mdiArea_, 1);
    setCentralWidget(client);

    lblEstado_ = new QLabel(this);
    lblEstado_->setObjectName(QStringLiteral("lblEstado"));
    statusBar()->addWidget(lblEstado_, 1);
    lblAutoguardado_ = new QLabel(QStringLiteral("Error al autoguardar"), this);
    lblAutoguardado_->setStyleSheet(QStringLiteral("color: #b3261e; font-weight: bold;"));
    lblAutoguardado_->hide();
    statusBar()->addPermanentWidget(lblAutoguardado_);
    lblSinCanal_ = new QLabel(this);
    lblSinCanal_->setObjectName(QStringLiteral("lblSinCanal"));
    lblSinCanal_->hide();
    statusBar()->addPermanentWidget(lblSinCanal_);

    QSize size = kStartSize * scale_;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize() * 0.95);
    }
    resize(size);
}

void frmMain::buildTimers() {
    tmrOpen_.setSingleShot(true);
    tmrOpen_.setInterval(1);
    connect(&tmrOpen_, &QTimer::timeout, this, [this] { AbrirAlArrancar(); });
    tmrOpen_.start();

    tmrDelayCmd_.setSingleShot(true);
    tmrDelayCmd_.setInterval(1);
    connect(&tmrDelayCmd_, &QTimer::timeout, this, [this] {
        const QString word = pendingWord_;
        const windows::Argumentos args = pendingArgs_;
        Comando(word, args);
    });

    tmrFoco_.setSingleShot(true);
    tmrFoco_.setInterval(1);
    // A window opened since the timer started keeps the keys it was given.
    connect(&tmrFoco_, &QTimer::timeout, this, [this] {
        if (hijas_.empty()) picBarra_->setFocus();
    });

    tmrAutoSave_.setInterval(kAutoSaveTickMs);
    connect(&tmrAutoSave_, &QTimer::timeout, this, [this] { TickAutoguardado(); });
    tmrAutoSave_.start();

    tmrOrdenes_.setSingleShot(true);
    connect(&tmrOrdenes_, &QTimer::timeout, this, [this] { EjecutarPendientes(); });

    if (recuperacion_) {
        tmrRecuperacion_.setInterval(kRecoveryTickMs);
        connect(&tmrRecuperacion_, &QTimer::timeout, this, [this] { recuperacion_->Tick(); });
        tmrRecuperacion_.start();
    }
}

void frmMain::TickAutoguardado() {
    // A box's event loop runs the timer too: the question, the options or a
    // message a window raised must not see files being written under it.
    if (dialogs_->Abiertos() > 0 || QApplication::activeModalWidget() != nullptr) return;
    files_->TickAutoguardado();
}

void frmMain::AbrirAlArrancar() {
    tmrOpen_.stop();
    // First, so that a file of the list or the command line that was
    // recovered is found open.
    if (recuperacion_) {
        recuperacion_->OfrecerCopias(*dialogs_, [this](const std::string& copy,
                                                       const RecoveryInfo& info) {
            return files_->AbrirRecuperado(decodePath(copy), decodePath(info.original), info.title);
        });
    }
    std::set<std::shared_ptr<cCartulo>> opened;
    bool autoloaded = false;
    if (settings_ != nullptr) {
        const std::string folder = paths::DirectoryPart(settings_->FilePath());
        for (const std::string& entry : settings_->AutoLoadList()) {
            if (auto file = files_->Abrir(decodePath(paths::ResolvePath(entry, folder)), false)) {
                opened.insert(file);
                autoloaded = true;
            }
        }
    }
    if (!firstArgument_.isEmpty()) {
        if (auto file = files_->Abrir(rutaPrimerArgumento(), false)) {
            opened.insert(file);
            MuestraIndice(file);
            fichaPrincipalTrasIndice(file);
        }
    }
    files_->OlvidarLecturaAnticipada();
    // The "AUTOLOAD" files open without windows: the status bar says how
    // many the start opened, also when the list of open card files is closed.
    if (autoloaded) TextoEstado(textoAbiertosAlArrancar(static_cast<int>(opened.size())));
}

QString frmMain::rutaPrimerArgumento() const {
    return decodePath(
        paths::ResolvePath(encodePath(firstArgument_), encodePath(QDir::currentPath())));
}

void frmMain::fichaPrincipalTrasIndice(const std::shared_ptr<cCartulo>& file) {
    // The index is what the start waits for; the main card's window (its
    // colouring, links and the spelling dictionary) can follow its first paint.
    const auto index = std::find_if(hijas_.begin(), hijas_.end(), [&file](const Hija& h) {
        return h.kind == windows::ChildKind::Indice && h.sub && h.child->Cartulo() == file;
    });
    const auto show = [this, weak = std::weak_ptr<cCartulo>(file)] {
        const std::shared_ptr<cCartulo> shown = weak.lock();
        if (shown && !cerrado_ && registry_.FindFile(shown.get()) != -1) {
            MuestraFichaPrincipal(shown);
        }
    };
    if (index == hijas_.end()) {
        show();
        return;
    }
    TrasPrimeraPintura(*index->child->Widget(), *this, show);
}

void frmMain::ComandoEspera(const QString& word, const windows::Argumentos& args) {
    pendingWord_ = word;
    pendingArgs_ = args;
    tmrDelayCmd_.start();
}

void frmMain::ComandoRecibido(const QString& word, std::optional<QString> argument) {
    if (cerrado_) return;
    if (ordenes_.empty() && Libre()) {
        Comando(word, argument ? windows::Argumentos(*argument) : windows::Argumentos());
        return;
    }
    encolar(Orden{word, std::move(argument)});
}

bool frmMain::Libre() const {
    // A held mouse button may be a drag of card text, whose own event loop
    // must not see the window it started from closed under it.
    return !files_->Ocupado() && dialogs_->Abiertos() == 0 &&
           QApplication::activeModalWidget() == nullptr && !ejecutandoOrden_ &&
           QGuiApplication::mouseButtons() == Qt::NoButton;
}

void frmMain::encolar(Orden orden) {
    ordenes_.push_back(std::move(orden));
    if (!tmrOrdenes_.isActive()) tmrOrdenes_.start(Libre() ? 0 : kOrdenesEsperaMs);
}

void frmMain::EjecutarPendientes() {
    while (!ordenes_.empty() && Libre() && !cerrado_) {
        const Orden orden = std::move(ordenes_.front());
        ordenes_.pop_front();
        ejecutandoOrden_ = true;
        Comando(orden.word,
                orden.argument ? windows::Argumentos(*orden.argument) : windows::Argumentos());
        ejecutandoOrden_ = false;
    }
    if (cerrado_) ordenes_.clear();
    if (!ordenes_.empty()) tmrOrdenes_.start(kOrdenesEsperaMs);
}

// --- status bar and the waiting state ---

void frmMain::TextoEstado(const QString& text) {
    lblEstado_->setText(text);
}

void frmMain::MensajeEstado(const QString& text) {
    TextoEstado(text);
}

QString frmMain::TextoEstadoActual() const {
    return lblEstado_->text();
}

void frmMain::AvisoSinCanal(const QString& reason) {
    QString note = QStringLiteral("Otros programas no pueden enviar órdenes a Cartulo");
    if (!reason.isEmpty()) note += QStringLiteral(": ") + reason;
    lblSinCanal_->setText(note);
    lblSinCanal_->setToolTip(note);
    lblSinCanal_->show();
}

QString frmMain::TextoAvisoCanal() const {
    return lblSinCanal_->isHidden() ? QString() : lblSinCanal_->text();
}

void frmMain::SenalAutoguardado(bool failed) {
    autosaveFailed_ = failed;
    lblAutoguardado_->setVisible(failed);
    actualizarCaption();
}

void frmMain::actualizarCaption() {
    QString caption = QString::fromUtf8(kProgramTitle);
    if (autosaveFailed_) caption += QStringLiteral(" (error al autoguardar)");
    setWindowTitle(caption);
}

void frmMain::CursorEspera(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitCursors_;
    } else if (waitCursors_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitCursors_;
    }
}

void frmMain::ProcesarEventos() {
    // Repaints and the status text; no user input while a file is read or written.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// --- window events ---

void frmMain::closeEvent(QCloseEvent* event) {
    // Commands that came while the questions were open run once the
    // program is free again, unless it ends.
    if (!files_->PermiteSalir()) {
        event->ignore();
        if (!ordenes_.empty()) tmrOrdenes_.start(0);
        return;
    }
    cerrado_ = true;
    ordenes_.clear();
    tmrOrdenes_.stop();
    dejarCopias();
    guardarOpciones();
    event->accept();
    if (quitOnClose_) QCoreApplication::quit();
}

void frmMain::TerminarPorSenal(int signal) {
    if (recuperacion_) recuperacion_->EscribirTodasYa();
    cerrado_ = true;
    const int status = 128 + signal;
    // A box or a file flow runs an event loop of its own, which cannot be
    // unwound from here; what must survive is on disk already.
    if (!Libre()) std::_Exit(status);
    QCoreApplication::exit(status);
}

bool frmMain::FinDeSesion(bool allowsInteraction) {
    if (!allowsInteraction) {
        if (recuperacion_) recuperacion_->EscribirTodasYa();
        return true;
    }
    if (!files_->PermiteSalir()) return false;
    dejarCopias();
    return true;
}

void frmMain::dejarCopias() {
    // Every file was saved or let go on purpose: no copy may come back,
    // not even while a later box is open.
    tmrRecuperacion_.stop();
    if (recuperacion_) recuperacion_->DescartarTodas();
}

void frmMain::guardarOpciones() {
    if (settings_ == nullptr) return;
    const bool failed = settings_->WriteOptions();
    const bool closeFailed = settings_->Close();
    if (!failed && !closeFailed) return;
    support::MessageRequest request;
    request.title = QStringLiteral("Cerrar Cartulo");
    request.text = QStringLiteral("No se han podido guardar las opciones en ") +
                   decodePath(settings_->FilePath()) + QStringLiteral(".");
    if (const auto& error = settings_->Ini().LastError()) {
        request.detail = QString::fromStdString(error->description) + QStringLiteral(" (código ") +
                         QString::number(error->code) + QStringLiteral(").");
    }
    request.flags = support::msg::kExclamation;
    dialogs_->ShowMessage(request);
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        estadoPrevio_ = windowState();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && hijas_.empty()) {
        tmrFoco_.start();
    }
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    cerrado_ = false;
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized()) estadoPrevio_ = windowState() & ~Qt::WindowMinimized;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !ArchivosCartulo(event->mimeData()->urls()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls() && !ArchivosCartulo(event->mimeData()->urls()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const QStringList files = ArchivosCartulo(event->mimeData()->urls());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Opened after the drag-and-drop exchange has ended, so that an error
    // box does not hold the program that dragged them.
    if (cerrado_) return;
    for (const QString& path : files) encolar(Orden{QStringLiteral("Abrir"), path});
}

}  // namespace cartulo::shell
