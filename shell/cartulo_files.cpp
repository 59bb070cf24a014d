#include "shell/cartulo_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <utility>

#include "platform/text_codec.h"
#include "shell/file_messages.h"
#include "windows/shown_title.h"

namespace cartulo::shell {

namespace {

// Flows let pending events run and show modal boxes; while one is in
// progress the autosave pass waits.
class BusyGuard {
  public:
    explicit BusyGuard(int& counter) : counter_(counter) { ++counter_; }
    ~BusyGuard() { --counter_; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    int& counter_;
};

// Marks a file as worked on by a flow for the guard's lifetime.
class FileMark {
  public:
    FileMark(std::multiset<const cCartulo*>& marks, const cCartulo* file)
        : marks_(marks), position_(marks.insert(file)) {}
    ~FileMark() { marks_.erase(position_); }
    FileMark(const FileMark&) = delete;
    FileMark& operator=(const FileMark&) = delete;

  private:
    std::multiset<const cCartulo*>& marks_;
    std::multiset<const cCartulo*>::iterator position_;
};

// A path being read, forgotten on every way out of the open.
class OpeningMark {
  public:
    OpeningMark(std::map<QString, bool>& opening, QString key, bool showWindows)
        : opening_(opening), key_(std::move(key)) {
        opening_.emplace(key_, showWindows);
    }
    ~OpeningMark() { opening_.erase(key_); }
    OpeningMark(const OpeningMark&) = delete;
    OpeningMark& operator=(const OpeningMark&) = delete;
    // Asked for by this open or by one that came while it was reading.
    bool ShowWindows() const { return opening_.at(key_); }

  private:
    std::map<QString, bool>& opening_;
    QString key_;
};

// The wait cursor and a status text, put back on every path.
class WaitState {
  public:
    WaitState(FileWindows& windows, const QString& status) : windows_(windows) {
        windows_.CursorEspera(true);
        windows_.TextoEstado(status);
    }
    ~WaitState() {
        windows_.CursorEspera(false);
        windows_.TextoEstado(QString());
    }
    WaitState(const WaitState&) = delete;
    WaitState& operator=(const WaitState&) = delete;

  private:
    FileWindows& windows_;
};

// Tells whether a file changed after the user allowed the program to end
// with it as it was.
class ChangeWatch : private CartuloListener {
  public:
    explicit ChangeWatch(std::shared_ptr<cCartulo> file)
        : file_(std::move(file)), wasChanged_(file_->GetChanged()) {
        subscription_ = file_->Subscribe(*this);
    }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    bool ChangedSince() const { return edited_ || (!wasChanged_ && file_->GetChanged()); }

  private:
    void onCloseCard(CardId) override { edited_ = true; }
    void onNewCard(CardId, bool) override { edited_ = true; }
    void onNewFile() override { edited_ = true; }
    void onUpdateCardNtry(CardId) override { edited_ = true; }
    void onUpdateCardTxt(CardId) override { edited_ = true; }

    std::shared_ptr<cCartulo> file_;  // alive while watched, so its address stays its own
    bool wasChanged_;
    bool edited_ = false;
    Subscription subscription_;
};

// Relative names are resolved against the working folder, so that every way
// of naming a file finds the same open file.
QString absolutePath(const QString& path) {
    if (path.isEmpty()) return {};
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

std::string enginePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fileNameOf(const cCartulo& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.GetFileName()));
}

QString titleOf(const cCartulo& file) {
    return platform::toQString(file.GetFileTitle());
}

// With the debug flag set the engine raises its errors instead of returning
// false; they are reported the same way, since an error escaping into the
// event loop would end the program with every other file unsaved.
std::optional<FileError> openFile(cCartulo& file, const std::string& path) {
    try {
        if (file.OpenFile(path)) return std::nullopt;
        return file.LastError();
    } catch (const CartuloError& e) {
        return e.error;
    }
}

std::optional<FileError> saveFile(cCartulo& file, const std::string& path) {
    try {
        if (file.SaveFile(path, false)) return std::nullopt;
        return file.LastError();
    } catch (const CartuloError& e) {
        return e.error;
    }
}

}  // namespace

CartuloFiles::CartuloFiles(cCartulos& registry, support::UserDialogs& dialogs,
                           FileDialogs& fileDialogs, FileWindows& windows, bool debug,
                           platform::TickSource clock)
    : registry_(registry),
      dialogs_(dialogs),
      fileDialogs_(fileDialogs),
      windows_(windows),
      debug_(debug),
      clock_(std::move(clock)),
      startTick_(clock_()) {}

std::shared_ptr<cCartulo> CartuloFiles::Abrir(const QString& path, bool showWindows) {
    const QString absolute = absolutePath(path);
    const std::string bytes = enginePath(absolute);
    // "" would find a file never saved.
    if (!absolute.isEmpty()) {
        if (auto open = registry_.List(registry_.FindFilename(bytes))) {
            if (showWindows) showWindowsOf(open);
            return open;
        }
    }

    // Pending events may bring the same path again while it is being read.
    const QFileInfo info(absolute);
    const QString key = info.canonicalFilePath().isEmpty() ? absolute : info.canonicalFilePath();
    if (auto reading = opening_.find(key); reading != opening_.end()) {
        reading->second = reading->second || showWindows;
        return nullptr;
    }
    std::optional<OpeningMark> opening(std::in_place, opening_, key, showWindows);

    BusyGuard busy(busy_);
    const QString name = fileNamePart(absolute);
    auto file = std::make_shared<cCartulo>();
    file->SetDebugFlag(debug_);
    std::optional<FileError> error;
    {
        WaitState wait(windows_, QStringLiteral("Abriendo ") + name + QStringLiteral("..."));
        windows_.ProcesarEventos();
        if (auto early = anticipada_ ? anticipada_->Tomar(bytes) : nullptr) {
            file = std::move(early);
        } else {
            error = openFile(*file, bytes);
        }
    }
    const bool show = opening->ShowWindows();
    opening.reset();

    if (error) {
        dialogs_.ShowMessage(MensajeErrorAbrir(name, *error));
        return nullptr;
    }
    // Another flow may have saved a file under this name meanwhile.
    if (auto open = registry_.List(registry_.FindFilename(bytes))) {
        if (show) showWindowsOf(open);
        return open;
    }
    addToRegistry(file);
    if (show) showWindowsOf(file);
    return file;
}

void CartuloFiles::AnticiparLectura(const QString& path) {
    anticipada_ = std::make_shared<LecturaAnticipada>(RutaDeLectura(path), debug_);
}

void CartuloFiles::AdoptarLectura(std::shared_ptr<LecturaAnticipada> read) {
    if (read) anticipada_ = std::move(read);
}

std::string RutaDeLectura(const QString& path) {
    return enginePath(absolutePath(path));
}

std::shared_ptr<cCartulo> CartuloFiles::AbrirRecuperado(const QString& copy, const QString& name,
                                                        const QString& title) {
    BusyGuard busy(busy_);
    const QString shown = name.isEmpty() ? title : fileNamePart(name);
    // Two copies of one original: one at a time, the other waits.
    if (!name.isEmpty() && registry_.FindFilename(enginePath(absolutePath(name))) != -1) {
        windows_.TextoEstado(QStringLiteral("La copia de recuperación de ") + shown +
                             QStringLiteral(" se conserva: ya hay un cartulo abierto con ese "
                                            "nombre."));
        return nullptr;
    }
    auto file = std::make_shared<cCartulo>();
    file->SetDebugFlag(debug_);
    std::optional<FileError> error;
    try {
        if (!file->OpenFileAs(enginePath(copy), enginePath(absolutePath(name)))) {
            error = file->LastError();
        }
    } catch (const CartuloError& e) {
        error = e.error;
    }
    if (error) {
        dialogs_.ShowMessage(MensajeErrorAbrir(shown, *error));
        return nullptr;
    }
    addToRegistry(file);
    recovered_.insert(registry_.ID(registry_.FindFile(file.get())));
    showWindowsOf(file);
    return file;
}

void CartuloFiles::AbrirConDialogo() {
    const QString path = DialogoAbrir(QString());
    if (!path.isEmpty()) Abrir(path, true);
}

std::shared_ptr<cCartulo> CartuloFiles::Nuevo(const QString& title) {
    const auto converted = platform::fromQString(title);
    if (!converted.unstorable.empty()) {
        BusyGuard busy(busy_);
        dialogs_.ShowMessage(MensajeTituloNoGuardable(converted.unstorable));
        return nullptr;
    }
    auto file = std::make_shared<cCartulo>();
    file->SetDebugFlag(debug_);
    file->NewFile(converted.text);
    addToRegistry(file);
    showWindowsOf(file);
    return file;
}

void CartuloFiles::NuevoConPregunta() {
    std::optional<QString> title;
    {
        BusyGuard busy(busy_);
        title = dialogs_.AskText(PreguntaTituloNuevo());
    }
    if (title && !title->isEmpty()) Nuevo(*title);
}

QString CartuloFiles::DialogoAbrir(const QString& initialName) {
    BusyGuard busy(busy_);
    return fileDialogs_.AskOpen(initialName).value_or(initialName);
}

QString CartuloFiles::DialogoGuardar(const QString& initialName) {
    BusyGuard busy(busy_);
    return fileDialogs_.AskSave(initialName).value_or(QString());
}

bool CartuloFiles::GuardarCartulo(cCartulo& file, const QString& path) {
    return save(file, path, Report::Always);
}

bool CartuloFiles::save(cCartulo& file, const QString& path, Report report) {
    // A save of this file is already on the stack (events ran inside it).
    if (saving_.contains(&file)) return false;
    const bool ownName = path.isEmpty();
    const QString target = ownName ? fileNameOf(file) : absolutePath(path);
    const QString name = fileNamePart(target);

    BusyGuard busy(busy_);
    if (!ownName) {
        const auto holder = registry_.List(registry_.FindFilename(enginePath(target)));
        if (holder && holder.get() != &file) {
            dialogs_.ShowMessage(MensajeNombreEnUso(name));
            return false;
        }
    }
    FileMark saving(saving_, &file);
    // Keeps the file alive should pending events drop every other reference.
    const auto keep = registry_.List(registry_.FindFile(&file));
    std::optional<FileError> error;
    {
        WaitState wait(windows_, QStringLiteral("Guardando ") + name + QStringLiteral("..."));
        windows_.ProcesarEventos();
        // Written even when nothing was edited.
        if (file.GetFileName().empty() || !ownName) file.SetChanged();
        error = saveFile(file, ownName ? std::string() : enginePath(target));
    }
    if (!error) {
        noteSaved(file);
        if (report == Report::Always) recovered_.erase(registry_.ID(registry_.FindFile(&file)));
        return true;
    }
    if (report == Report::FirstFailureOnly) {
        noteAutosaveFailed(file, name, *error);
    } else {
        dialogs_.ShowMessage(MensajeErrorGuardar(name, *error));
    }
    return false;
}

void CartuloFiles::GuardarComo(cCartulo& file) {
    const QString path = DialogoGuardar(fileNameOf(file));
    if (!path.isEmpty()) GuardarCartulo(file, path);
}

void CartuloFiles::GuardarTodo(bool askForNames) {
    BusyGuard busy(busy_);
    for (const auto& file : openFiles()) {
        // Closed by events that ran during an earlier save.
        if (!isRegistered(*file)) continue;
        if (!file->GetFileName().empty()) {
            if (file->GetChanged()) save(*file, QString(), Report::Always);
        } else if (askForNames) {
            const QString path = DialogoGuardar(NombrePropuesto(titleOf(*file)));
            if (!path.isEmpty()) save(*file, path, Report::Always);
        }
    }
}

void CartuloFiles::GuardarTodoMenu() {
    GuardarTodo(true);
    ReiniciarPeriodo();
}

bool CartuloFiles::PideGuardar(cCartulo& file, const QString& title) {
    // Never a second question about a file that is already being asked
    // about, saved or closed.
    if (inUse(file)) return false;
    FileMark asking(asking_, &file);
    return askToSave(file, title);
}

bool CartuloFiles::askToSave(cCartulo& file, const QString& title) {
    if (!file.GetFileName().empty() && !file.GetChanged()) return true;
    BusyGuard busy(busy_);
    const auto answer =
        dialogs_.ShowMessage(PreguntaGuardar(title, windows::ShownTitle(file.GetFileTitle())));
    if (answer == support::MsgResult::No) return true;
    if (answer != support::MsgResult::Yes) return false;
    // A save that was refused before writing leaves a new file unchanged:
    // that is no leave to close it.
    bool saved = false;
    if (file.GetFileName().empty()) {
        const QString path = DialogoGuardar(QString());
        if (path.isEmpty()) return false;
        saved = GuardarCartulo(file, path);
    } else {
        saved = GuardarCartulo(file, QString());
    }
    return saved && !file.GetChanged();
}

bool CartuloFiles::Cerrar(const std::shared_ptr<cCartulo>& file) {
    if (!file || inUse(*file)) return false;
    // The caller's pointer may belong to a window that the close destroys.
    const std::shared_ptr<cCartulo> keep = file;
    FileMark closing(asking_, keep.get());
    {
        BusyGuard busy(busy_);
        // A new entry typed but not committed is part of what is asked about.
        if (!windows_.TerminarEdiciones(keep.get())) return false;
    }
    if (!askToSave(*keep, QStringLiteral("Cerrar cartulo"))) return false;
    windows_.CerrarVentanasDe(*keep);
    const std::int32_t index = registry_.FindFile(keep.get());
    forgetFailure(registry_.ID(index));
    registry_.RemoveItem(index);
    links_.Forget(*keep);
    keep->CloseFile();
    return true;
}

bool CartuloFiles::PermiteSalir() {
    // Not in the middle of reading or writing a file.
    if (Ocupado()) return false;
    BusyGuard busy(busy_);
    if (!windows_.TerminarEdiciones(nullptr)) return false;
    // The questions let events run: a file may be opened or edited while
    // they are shown. Passes go on until one finds nothing left to ask.
    std::map<const cCartulo*, std::unique_ptr<ChangeWatch>> allowed;
    for (;;) {
        bool asked = false;
        for (const auto& file : openFiles()) {
            if (!isRegistered(*file)) continue;
            const auto found = allowed.find(file.get());
            if (found != allowed.end() && !found->second->ChangedSince()) continue;
            asked = true;
            if (!PideGuardar(*file, QStringLiteral("Cerrar Cartulo"))) return false;
            allowed[file.get()] = std::make_unique<ChangeWatch>(file);
        }
        if (!asked) return true;
    }
}

void CartuloFiles::TickAutoguardado() {
    // Tried again at the first tick with no flow in progress.
    if (Ocupado()) return;
    pruneFailures();
    if (platform::TicksSince(startTick_, clock_()) <= kAutoSavePeriodMs) return;
    if (!debug_) autosave();
    ReiniciarPeriodo();
}

void CartuloFiles::ReiniciarPeriodo() {
    startTick_ = clock_();
}

void CartuloFiles::autosave() {
    BusyGuard busy(busy_);
    for (const auto& file : openFiles()) {
        // Files never saved are left for the user to name.
        if (!isRegistered(*file) || file->GetFileName().empty() || !file->GetChanged()) continue;
        if (recovered_.contains(registry_.ID(registry_.FindFile(file.get())))) continue;
        save(*file, QString(), Report::FirstFailureOnly);
    }
}

void CartuloFiles::noteSaved(const cCartulo& file) {
    forgetFailure(registry_.ID(registry_.FindFile(&file)));
}

void CartuloFiles::noteAutosaveFailed(const cCartulo& file, const QString& name,
                                      const FileError& error) {
    const std::int32_t id = registry_.ID(registry_.FindFile(&file));
    if (id == -1 || failedAutosaves_.contains(id)) return;
    const bool first = failedAutosaves_.empty();
    failedAutosaves_.insert(id);
    if (first) windows_.SenalAutoguardado(true);
    dialogs_.ShowMessage(MensajeErrorGuardar(name, error));
}

void CartuloFiles::forgetFailure(std::int32_t id) {
    if (failedAutosaves_.erase(id) > 0 && failedAutosaves_.empty()) {
        windows_.SenalAutoguardado(false);
    }
}

void CartuloFiles::pruneFailures() {
    std::vector<std::int32_t> gone;
    for (std::int32_t id : failedAutosaves_) {
        if (registry_.FindID(id) == -1) gone.push_back(id);
    }
    for (std::int32_t id : gone) forgetFailure(id);
    std::erase_if(recovered_, [this](std::int32_t id) { return registry_.FindID(id) == -1; });
}

void CartuloFiles::addToRegistry(const std::shared_ptr<cCartulo>& file) {
    registry_.AddFile(file);
    if (registry_.ListCount() > 1) windows_.MuestraListaCartulos();
}

void CartuloFiles::showWindowsOf(const std::shared_ptr<cCartulo>& file) {
    windows_.MuestraIndice(file);
    windows_.MuestraFichaPrincipal(file);
}

std::vector<std::shared_ptr<cCartulo>> CartuloFiles::openFiles() const {
    std::vector<std::shared_ptr<cCartulo>> files;
    for (std::int32_t i = 0; i < registry_.ListCount(); ++i) files.push_back(registry_.List(i));
    return files;
}

bool CartuloFiles::isRegistered(const cCartulo& file) const {
    return registry_.FindFile(&file) != -1;
}

bool CartuloFiles::inUse(const cCartulo& file) const {
    return saving_.contains(&file) || asking_.contains(&file);
}

QString NombrePropuesto(const QString& title) {
    QString name = title;
    for (const QChar c : QStringLiteral("\\/:*?\"<>|")) name.replace(c, u'_');
    return name + QStringLiteral(".ctu");
}

}  // namespace cartulo::shell
