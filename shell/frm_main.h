// frmMain: the main window. It holds the child windows in an MDI area under
// the command bar, runs every command of the command language (menus,
// toolbar, command bar, shortcuts, the typed command, the command channel),
// owns the life of the card files through CartuloFiles, and serves the
// child windows (MainServices).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "engine/cartulos.h"
#include "platform/spell_dictionaries.h"
#include "platform/tick_count.h"
#include "shell/cartulo_files.h"
#include "shell/cascade.h"
#include "shell/counting_user_dialogs.h"
#include "shell/file_dialogs.h"
#include "shell/menu_items.h"
#include "shell/menu_state.h"
#include "shell/print_dialogs.h"
#include "shell/recovery_copies.h"
#include "support/settings.h"
#include "support/user_dialogs.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace cartulo::windows {
class frmVistaPrevia;
class frmCompararCartulos;
class SpellService;
}  // namespace cartulo::windows

namespace cartulo::shell {

class BarraComandos;
class MenusPrincipales;

struct MainWindowSetup {
    cCartulos* registry = nullptr;                 // Ctus() when null
    support::UserDialogs* dialogs = nullptr;       // the real boxes when null
    FileDialogs* fileDialogs = nullptr;            // the real dialogs when null
    PrintDialogs* printDialogs = nullptr;          // the real dialog when null
    support::ProgramSettings* settings = nullptr;  // "AUTOLOAD", "&Opciones", written at close
    bool debug = false;
    double scale = 1.0;
    // Absolute path opened once the event loop runs ("" for none).
    QString firstArgument;
    platform::TickSource clock = platform::GetTickCount;
    QString version;  // "major.minor.revision", for the about box
    // Where recovery copies are kept; "" keeps none.
    std::string recoveryFolder;
    // Where the spelling dictionaries are installed (with settings only).
    QString dictionaryFolder = platform::kDictionaryFolder;
    // The first argument's file, already being read; else frmMain starts it.
    std::shared_ptr<LecturaAnticipada> lectura;
};

class frmMain : public QMainWindow, public windows::MainServices, public FileWindows {
  public:
    explicit frmMain(MainWindowSetup setup, QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // --- the command language ---
    QVariant Comando(const QString& word, const windows::Argumentos& args = {}) override;
    void ComandoEspera(const QString& word, const windows::Argumentos& args = {}) override;
    // A line from the command channel: no argument, or one text. Run now
    // when the program is free (Libre), else queued behind the lines and
    // dropped files already waiting; dropped once the program is closing.
    void ComandoRecibido(const QString& word, std::optional<QString> argument);
    // No question box, modal window or file flow is open, and no queued
    // command is running: what comes from outside may run now.
    bool Libre() const;
    // Channel lines and dropped files waiting for the program to be free.
    int OrdenesPendientes() const { return static_cast<int>(ordenes_.size()); }
    // Runs the waiting commands, in order, while the program is free.
    void EjecutarPendientes();
    // tmrAutoSave's tick: waits while any box or modal window is open.
    void TickAutoguardado();
    // Refreshes the item's menu and runs the item when it is enabled.
    bool EjecutarSiHabilitado(MenuItem item);
    // The keyboard shortcuts; true when the key is one of them.
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers);

    // --- MainServices ---
    windows::ChildWindow* MuestraFicha(const std::shared_ptr<cCartulo>& file, CardId id) override;
    void MuestraIndice(const std::shared_ptr<cCartulo>& file) override;
    void FichaActivada(const std::shared_ptr<cCartulo>& file, CardId id) override;
    void VentanaCerrada(windows::ChildWindow& window) override;
    std::shared_ptr<LinkTable> Enlaces(const std::shared_ptr<cCartulo>& file) override {
        return files_->Enlaces(file);
    }
    QPoint PosicionCascada(const QSize& windowSize) override;
    QSize AreaCliente() const override;
    int BordeAcoplado() const override;
    void BarraAnadeComando(const QString& owner, int panel, const QString& caption,
                           const QString& word) override;
    void BarraAnadeMenu(const QString& owner, int panel, const QString& caption,
                        const QString& menuName) override;
    QWidget* BarraObtienePanelCliente(int panel) override;
    void BarraQuitarElementos(const QString& owner) override;
    void BarraLimpiar() override;
    void MensajeEstado(const QString& text) override;
    support::UserDialogs& Dialogos() override { return *dialogs_; }
    bool Depuracion() const override { return debug_; }
    float EscalaPantalla() const override { return static_cast<float>(scale_); }
    windows::SpellService* Ortografia() override { return ortografia_.get(); }
    bool ColorearMarcas() const override {
        return settings_ == nullptr || settings_->ColorearMarcas();
    }

    // --- FileWindows ---
    void MuestraFichaPrincipal(const std::shared_ptr<cCartulo>& file) override;
    void MuestraListaCartulos() override;
    void CerrarVentanasDe(const cCartulo& file) override;
    void TextoEstado(const QString& text) override;
    void SenalAutoguardado(bool failed) override;
    void CursorEspera(bool on) override;
    void ProcesarEventos() override;
    bool TerminarEdiciones(const cCartulo* file) override;

    // Puts a child window in the MDI area and activates it.
    QMdiSubWindow* AnadeVentana(windows::ChildWindow& child);
    // The active child window, or null.
    windows::ChildWindow* VentanaActiva() const;
    std::vector<windows::ChildWindow*> Ventanas() const;
    void MuestraFichaMaestra(const std::shared_ptr<cCartulo>& file);
    // tmrOpen's pass: the recovery copies left behind, the "AUTOLOAD" files,
    // then the first argument.
    void AbrirAlArrancar();
    // SIGTERM, SIGHUP or SIGINT: every recovery copy written, then the end,
    // without questions.
    void TerminarPorSenal(int signal);
    // The session ends: the questions of closing the window, then the
    // recovery copies go, when the session lets us ask; every copy written
    // when it does not. False: keep the session.
    bool FinDeSesion(bool allowsInteraction);
    RecoveryCopies* Recuperacion() const { return recuperacion_.get(); }
    // Ends the event loop once the window has closed (the program's own window).
    void SalirAlCerrar(bool on) { quitOnClose_ = on; }
    // The program runs without the command channel: a lasting note in the
    // status bar says so and why.
    void AvisoSinCanal(const QString& reason);
    // That note, "" when the channel is served.
    QString TextoAvisoCanal() const;

    CartuloFiles& Archivos() { return *files_; }
    cCartulos& Registro() { return registry_; }
    MenusPrincipales& Menus() { return *menus_; }
    BarraComandos* Barra() const { return picBarra_; }
    QToolBar* BarraHerramientas() const { return tlbBarra_; }
    QMdiArea* AreaMdi() const { return mdiArea_; }
    QString TextoEstadoActual() const;
    bool PantallaCompleta() const { return fullScreen_.has_value(); }
    // The preview ("Vista previa") while it is open, or null.
    windows::frmVistaPrevia* VistaPrevia() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The file named on the command line, made absolute.
    QString rutaPrimerArgumento() const;
    // At the start: the main card of `file` once its index has been painted.
    void fichaPrincipalTrasIndice(const std::shared_ptr<cCartulo>& file);
    struct Hija {
        QPointer<QMdiSubWindow> sub;
        const QObject* key;  // the same window, known also while it is destroyed
        windows::ChildWindow* child;
        windows::ChildKind kind;
    };
    struct Orden {
        QString word;
        std::optional<QString> argument;
    };
    struct EstadoPantallaCompleta {
        Qt::WindowStates state;
        bool toolbarVisible;
    };
    class RegistryEvents;

    void buildWindow();
    void buildTimers();
    // --- menus (frm_main_menus.cpp) ---
    void ejecutarItem(MenuItem item);
    void refrescarMenu(Menu menu);
    ActiveWindowInfo infoVentanaActiva(bool withEditing) const;
    QVariant comandoHija(const QString& word, const windows::Argumentos& args = {});
    void nuevaFicha();
    void nuevaHermana();
    void borrarFicha();
    // "&Lista de ventanas": the chosen window comes forward, restored.
    void listaVentanas();
    void cerrarVentanaActiva();
    void cerrarFichas();
    void ordenar();
    void ponerTamano(int width, int height);
    void alternarPantallaCompleta();
    void ejecutarComandoEscrito();
    void opciones();
    void propiedades(std::shared_ptr<cCartulo> file);
    void exportarSitio(const cCartulo& file);
    // The one comparison window, raised when it is open already.
    void compararCartulos();
    // The clipboard viewer, raised when it is open already.
    void mostrarPortapapeles();
    void acercaDe();
    // --- the preview (frm_main_preview.cpp) ---
    void abrirVistaPrevia();
    void colocarVistaPrevia();
    void vistaPreviaCerrada(windows::frmVistaPrevia* preview);
    // The windows docked at the right follow the edge they stand against.
    void reacoplar();
    // --- commands (frm_main_commands.cpp) ---
    void activar();
    void buscar(const QString& text);
    void buscarGlobal(const QString& text);
    void abrirMenu(const QVariant& number);
    void enfocarHijaActiva();
    // --- printing (frm_main_printing.cpp) ---
    void imprimir();
    // --- child windows (frm_main_windows.cpp) ---
    const Hija* hijaDe(const QMdiSubWindow* sub) const;
    const Hija* hijaDe(const windows::ChildWindow* child) const;
    const Hija* fichaAbierta(const cCartulo& file, CardId id) const;
    void activarHija(const Hija& hija);
    void olvidar(const QObject* sub);
    void actualizarTitulos(const cCartulo& file);
    void actualizarCaption();
    bool esDestinoDeTeclas(QObject* watched) const;
    void guardarOpciones();
    // The end the user allowed: the recovery copies go and are taken no more.
    void dejarCopias();
    void encolar(Orden orden);
    // A menu a command-bar element opens: by object name ("mnuVentana",
    // or one a window made), or a main menu by its caption ("Ventana").
    QMenu* menuPorNombre(const QString& name) const;

    cCartulos& registry_;
    std::unique_ptr<support::UserDialogs> ownDialogs_;
    // What everyone is given: the boxes of the setup (or the real ones), counted.
    std::unique_ptr<CountingUserDialogs> dialogs_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    FileDialogs* fileDialogs_;
    std::unique_ptr<PrintDialogs> ownPrintDialogs_;
    PrintDialogs* printDialogs_;
    support::ProgramSettings* settings_;
    bool debug_;
    double scale_;
    QString firstArgument_;
    QString version_;
    platform::TickSource clock_;
    std::unique_ptr<CartuloFiles> files_;
    std::unique_ptr<RecoveryCopies> recuperacion_;
    std::unique_ptr<RegistryEvents> registryEvents_;
    std::unique_ptr<windows::SpellService> ortografia_;
    // Where spelling and "Opciones" look for dictionaries.
    QString dictionaryFolder_;

    QMdiArea* mdiArea_ = nullptr;
    BarraComandos* picBarra_ = nullptr;
    QToolBar* tlbBarra_ = nullptr;
    QLabel* lblEstado_ = nullptr;
    QLabel* lblAutoguardado_ = nullptr;
    QLabel* lblSinCanal_ = nullptr;
    std::unique_ptr<MenusPrincipales> menus_;

    QTimer tmrOpen_;
    QTimer tmrDelayCmd_;
    QTimer tmrFoco_;
    QTimer tmrAutoSave_;
    QTimer tmrOrdenes_;
    QTimer tmrRecuperacion_;
    std::deque<Orden> ordenes_;
    bool ejecutandoOrden_ = false;
    bool cerrado_ = false;  // the close went through: nothing more from outside
    QString pendingWord_;
    windows::Argumentos pendingArgs_;

    std::vector<Hija> hijas_;
    QPointer<windows::frmVistaPrevia> vistaPrevia_;  // set while the preview is open
    QPointer<windows::frmCompararCartulos> comparacion_;
    Cascada cascada_;
    std::weak_ptr<cCartulo> fichaActivaArchivo_;
    CardId fichaActivaId_ = kNoCard;
    Qt::WindowStates estadoPrevio_ = Qt::WindowNoState;
    std::optional<EstadoPantallaCompleta> fullScreen_;
    QString lastTypedCommand_;
    bool autosaveFailed_ = false;
    int waitCursors_ = 0;
    const QEvent* menuBarKey_ = nullptr;  // the F10 press being delivered
    bool quitOnClose_ = false;
    bool destroying_ = false;
};

}  // namespace cartulo::shell
