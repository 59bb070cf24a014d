// The life of card files: new, open, save, save as, save all, the question
// before changes are lost, closing, and the autosave pass. Every question
// goes through UserDialogs and FileDialogs; the windows the flows open or
// close are reached through FileWindows, so the flows are testable without
// a main window.
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "platform/tick_count.h"
#include "shell/early_read.h"
#include "shell/file_dialogs.h"
#include "shell/link_tables.h"
#include "support/user_dialogs.h"

namespace cartulo::shell {

// What the file flows need of the main window.
class FileWindows {
  public:
    virtual ~FileWindows() = default;
    virtual void MuestraIndice(const std::shared_ptr<cCartulo>& file) = 0;
    virtual void MuestraFichaPrincipal(const std::shared_ptr<cCartulo>& file) = 0;
    // Shown as soon as a second file is open.
    virtual void MuestraListaCartulos() = 0;
    // Closes every window whose card file is `file`.
    virtual void CerrarVentanasDe(const cCartulo& file) = 0;
    // First panel of the status bar; "" clears it.
    virtual void TextoEstado(const QString& text) = 0;
    // The visible sign of a failed autosave (status bar and caption), on
    // until a save of every failed file succeeds.
    virtual void SenalAutoguardado(bool failed) = 0;
    virtual void CursorEspera(bool on) = 0;
    // Lets pending window events run (repaints, the status text).
    virtual void ProcesarEventos() = 0;
    // Commits the entries being edited in the card windows of `file` (of
    // every file when null), before the file is asked about; false when
    // one is refused (the user was told) and the close must stop.
    virtual bool TerminarEdiciones(const cCartulo* /*file*/) { return true; }
};

class CartuloFiles {
  public:
    static constexpr std::uint32_t kAutoSavePeriodMs = 60000;

    CartuloFiles(cCartulos& registry, support::UserDialogs& dialogs, FileDialogs& fileDialogs,
                 FileWindows& windows, bool debug,
                 platform::TickSource clock = platform::GetTickCount);

    // Opens `path` (or finds it open) and registers it; shows its windows
    // when asked. Null when it could not be opened (the user was told).
    std::shared_ptr<cCartulo> Abrir(const QString& path, bool showWindows);
    // A recovery copy at `copy` brought back as the unsaved file `name` ("" for
    // one never saved) titled `title`, registered and shown; the autosave
    // leaves it alone until the user saves it. Null when the copy could not
    // be read, or a file of that name is open already (the user was told).
    std::shared_ptr<cCartulo> AbrirRecuperado(const QString& copy, const QString& name,
                                              const QString& title);
    // Starts reading `path` on a thread of its own; the next Abrir of it
    // takes what was read. For the start, while the window is being built.
    void AnticiparLectura(const QString& path);
    // Takes a read started before the window (null does nothing).
    void AdoptarLectura(std::shared_ptr<LecturaAnticipada> read);
    // Drops a read that no Abrir took.
    void OlvidarLecturaAnticipada() { anticipada_.reset(); }
    // "&Abrir...": the open dialog, then Abrir(path, true).
    void AbrirConDialogo();
    std::shared_ptr<cCartulo> Nuevo(const QString& title);
    // "&Nuevo...": asks for the title; empty or cancelled does nothing.
    void NuevoConPregunta();

    // The chosen path, or `initialName` when cancelled.
    QString DialogoAbrir(const QString& initialName);
    // The chosen path, or "" when cancelled.
    QString DialogoGuardar(const QString& initialName);

    // Saves `file` under `path` ("" for its own name); false on failure
    // (the user was told), when refused because the file is busy, or when
    // `path` is the file of another open card file (the user was told:
    // each save would overwrite the other).
    bool GuardarCartulo(cCartulo& file, const QString& path);
    // "Guardar &como...".
    void GuardarComo(cCartulo& file);
    void GuardarTodo(bool askForNames);
    // "&Guardar todo": saves all, asking names, and restarts the autosave period.
    void GuardarTodoMenu();
    // True when the caller may go on and close the file.
    bool PideGuardar(cCartulo& file, const QString& title);
    // "&Cerrar" of Archivo: commits its windows' pending entry edits, asks,
    // closes the file's windows, unregisters and closes it. False when an
    // edit was refused, the user cancelled or the file is busy.
    bool Cerrar(const std::shared_ptr<cCartulo>& file);
    // Closing the program: commits every pending entry edit, then asks every
    // file in registry order with the caption "Cerrar Cartulo"; false as
    // soon as one answer stops it. Files registered, or changed again,
    // while the questions were open are asked about too.
    bool PermiteSalir();

    // Called every second: saves the changed named files once the period
    // has passed (not in debug mode), then restarts the period. Waits while
    // another flow is in progress.
    void TickAutoguardado();
    void ReiniciarPeriodo();
    // The tick at which the current autosave period began.
    std::uint32_t InicioPeriodo() const { return startTick_; }

    // An open, a save or a question is in progress.
    bool Ocupado() const { return busy_ > 0; }
    // The links between the cards of an open file, kept while it is open.
    std::shared_ptr<LinkTable> Enlaces(const std::shared_ptr<cCartulo>& file) {
        return links_.Of(file);
    }
    bool TieneEnlaces(const cCartulo& file) const { return links_.Has(file); }
    bool Depuracion() const { return debug_; }

  private:
    // Who hears of a failed save: the user always, or (autosave) only the
    // first time the file fails, so a failing disk does not raise a box a minute.
    enum class Report { Always, FirstFailureOnly };

    bool save(cCartulo& file, const QString& path, Report report);
    bool askToSave(cCartulo& file, const QString& title);
    void autosave();
    void noteSaved(const cCartulo& file);
    void noteAutosaveFailed(const cCartulo& file, const QString& name, const FileError& error);
    void forgetFailure(std::int32_t id);
    void pruneFailures();
    void addToRegistry(const std::shared_ptr<cCartulo>& file);
    void showWindowsOf(const std::shared_ptr<cCartulo>& file);
    std::vector<std::shared_ptr<cCartulo>> openFiles() const;
    bool isRegistered(const cCartulo& file) const;
    // A save of it, or a question or close about it, is in progress.
    bool inUse(const cCartulo& file) const;

    cCartulos& registry_;
    support::UserDialogs& dialogs_;
    FileDialogs& fileDialogs_;
    FileWindows& windows_;
    bool debug_;
    platform::TickSource clock_;
    std::uint32_t startTick_ = 0;
    int busy_ = 0;
    // Paths being read, each with whether a later Abrir of it asked for windows.
    std::map<QString, bool> opening_;
    std::multiset<const cCartulo*> saving_;
    std::multiset<const cCartulo*> asking_;
    // Registry identifiers of the files whose last autosave failed.
    std::set<std::int32_t> failedAutosaves_;
    // Registry identifiers of the files recovered and not yet saved by the
    // user: the original on disk may hold work the copy lacks.
    std::set<std::int32_t> recovered_;
    LinkTables links_;
    std::shared_ptr<LecturaAnticipada> anticipada_;
};

// What Abrir(path) reads, in the system's bytes: for a read started ahead.
std::string RutaDeLectura(const QString& path);

// The name proposed for a file never saved: its title with \ / : * ? " < > |
// replaced by "_", then ".ctu".
QString NombrePropuesto(const QString& title);

}  // namespace cartulo::shell
