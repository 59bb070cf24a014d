#include "shell/cartulo_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <functional>
#include <ostream>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/file_io.h"
#include "platform/text_codec.h"
#include "support/scripted_user_dialogs.h"

using cartulo::cCartulo;
using cartulo::cCartulos;
using cartulo::shell::CartuloFiles;
using cartulo::shell::FileWindows;
using cartulo::shell::LecturaAnticipada;
using cartulo::shell::NombrePropuesto;
using cartulo::shell::ScriptedFileDialogs;
using cartulo::support::MsgResult;
namespace msg = cartulo::support::msg;

static void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace {

QString titleOf(const cCartulo& file) {
    return cartulo::platform::toQString(file.GetFileTitle());
}

// Every call the flows make on the main window, in order, in one log shared
// with the message boxes.
class FakeWindows : public FileWindows {
  public:
    explicit FakeWindows(std::vector<QString>& log) : log_(log) {}
    void MuestraIndice(const std::shared_ptr<cCartulo>& file) override {
        log_.push_back("indice " + titleOf(*file));
    }
    void MuestraFichaPrincipal(const std::shared_ptr<cCartulo>& file) override {
        log_.push_back("principal " + titleOf(*file));
    }
    void MuestraListaCartulos() override { log_.push_back("lista"); }
    void CerrarVentanasDe(const cCartulo& file) override {
        log_.push_back("cerrar ventanas " + titleOf(file));
    }
    void TextoEstado(const QString& text) override { log_.push_back("estado " + text); }
    void SenalAutoguardado(bool failed) override {
        log_.push_back(failed ? "senal on" : "senal off");
        signalOn = failed;
    }
    void CursorEspera(bool on) override { log_.push_back(on ? "espera" : "normal"); }
    void ProcesarEventos() override {
        log_.push_back("eventos");
        if (duringEvents) {
            // Once: what a nested flow does must not run again inside itself.
            auto hook = std::exchange(duringEvents, nullptr);
            hook();
        }
    }

    bool TerminarEdiciones(const cCartulo* file) override {
        log_.push_back("terminar " + (file != nullptr ? titleOf(*file) : QString("todos")));
        return true;
    }

    std::function<void()> duringEvents;
    bool signalOn = false;

  private:
    std::vector<QString>& log_;
};

class LoggingDialogs : public cartulo::support::ScriptedUserDialogs {
  public:
    explicit LoggingDialogs(std::vector<QString>& log) : log_(log) {}
    MsgResult ShowMessage(const cartulo::support::MessageRequest& request) override {
        log_.push_back("caja " + request.title);
        if (whileShown) std::exchange(whileShown, nullptr)();
        return ScriptedUserDialogs::ShowMessage(request);
    }

    std::function<void()> whileShown;

  private:
    std::vector<QString>& log_;
};

class CartuloFilesTest : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kMinute = CartuloFiles::kAutoSavePeriodMs;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    CartuloFiles& files(bool debug = false) {
        if (!files_) {
            files_ = std::make_unique<CartuloFiles>(registry, dialogs, fileDialogs, windows, debug,
                                                    [this] { return now; });
        }
        return *files_;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // A card file on disk with the given title.
    QString write(const QString& name, const QString& title) {
        cCartulo file;
        file.NewFile(cartulo::platform::fromQString(title).text);
        file.SetChanged();
        const QString target = path(name);
        EXPECT_TRUE(file.SaveFile(QFile::encodeName(target).toStdString()));
        return target;
    }

    static QString titleOnDisk(const QString& target) {
        cCartulo file;
        if (!file.OpenFile(QFile::encodeName(target).toStdString())) return "<ilegible>";
        return titleOf(file);
    }

    static void edit(cCartulo& file, const QString& title) {
        ASSERT_TRUE(file.SetTxt(file.GetMain(), cartulo::platform::fromQString(title).text));
        ASSERT_TRUE(file.GetChanged());
    }

    // Replaces a file by a folder: every save there fails, whoever runs the test.
    void block(const QString& name) {
        ASSERT_TRUE(QFile::remove(path(name)));
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    }

    bool logged(const QString& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

    QTemporaryDir dir;
    cCartulos registry;
    std::vector<QString> log;
    LoggingDialogs dialogs{log};
    ScriptedFileDialogs fileDialogs;
    FakeWindows windows{log};
    std::uint32_t now = 5000;

  private:
    std::unique_ptr<CartuloFiles> files_;
};

// Restores the working folder a test changes.
class WorkingFolder {
  public:
    explicit WorkingFolder(const QString& folder) : previous_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

  private:
    QString previous_;
};

TEST_F(CartuloFilesTest, OpensOnceWhateverTheNameAndShowsTheListForTheSecondFile) {
    const QString a = write("a.ctu", "Álgebra");
    const auto first = files().Abrir(a, false);
    ASSERT_TRUE(first);
    EXPECT_EQ(titleOf(*first), "Álgebra");

    // Already open: nothing is read (the file is gone), the windows come when asked.
    ASSERT_TRUE(QFile::remove(a));
    log.clear();
    EXPECT_EQ(files().Abrir(a, true), first);
    {
        WorkingFolder folder(dir.path());
        EXPECT_EQ(files().Abrir("a.ctu", false), first);
        EXPECT_EQ(files().Abrir("./x/../a.ctu", false), first);
    }
    EXPECT_EQ(log, (std::vector<QString>{"indice Álgebra", "principal Álgebra"}));
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_TRUE(dialogs.Messages().empty());

    log.clear();
    const auto second = files().Abrir(write("b.ctu", "Botánica"), true);
    ASSERT_TRUE(second);
    EXPECT_EQ(registry.ListCount(), 2);
    EXPECT_EQ(std::vector<QString>(log.end() - 3, log.end()),
              (std::vector<QString>{"lista", "indice Botánica", "principal Botánica"}));
}

TEST_F(CartuloFilesTest, OpenErrorsAreWordedAndLeaveTheRegistryAlone) {
    cCartulo probe;
    ASSERT_FALSE(probe.OpenFile(QFile::encodeName(path("nada.ctu")).toStdString()));
    ASSERT_EQ(probe.LastError().code, 53);
    const QString description = QString::fromStdString(probe.LastError().description);

    for (const bool debug : {false, true}) {
        SCOPED_TRACE(debug);
        CartuloFiles flows(registry, dialogs, fileDialogs, windows, debug, [this] { return now; });
        // A failed read ahead is read again and told as ever.
        flows.AnticiparLectura(path("nada.ctu"));
        log.clear();
        EXPECT_FALSE(flows.Abrir(path("nada.ctu"), true));
        EXPECT_EQ(log, (std::vector<QString>{"espera", "estado Abriendo nada.ctu...", "eventos",
                                             "normal", "estado ", "caja Abrir cartulo"}));
        ASSERT_FALSE(dialogs.Messages().empty());
        const auto& box = dialogs.Messages().back();
        EXPECT_EQ(box.text, "Ocurrió un error al abrir nada.ctu.");
        EXPECT_EQ(box.detail, description +
                                  " (código 53). Compruebe que el disco está en la unidad y que "
                                  "tiene permisos suficientes para leer el archivo.");
        EXPECT_EQ(box.flags, msg::kInformation);
        EXPECT_EQ(registry.ListCount(), 0);
    }
}

TEST_F(CartuloFilesTest, AReadAheadIsTakenOnceForItsOwnUnchangedFile) {
    const std::string a = QFile::encodeName(write("a.ctu", "Álgebra")).toStdString();
    LecturaAnticipada read(a, false);
    EXPECT_EQ(read.Tomar(a + "x"), nullptr);
    const auto file = read.Tomar(a);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(titleOf(*file), "Álgebra");
    EXPECT_EQ(read.Tomar(a), nullptr);

    // Written again after the read started: Abrir gives what is on disk now.
    files().AnticiparLectura(path("a.ctu"));
    write("a.ctu", "Aritmética");
    const auto opened = files().Abrir(path("a.ctu"), false);
    ASSERT_TRUE(opened);
    EXPECT_EQ(titleOf(*opened), "Aritmética");
}

TEST_F(CartuloFilesTest, NewFileFromTheInputBox) {
    dialogs.QueueCancel();
    dialogs.QueueText("");
    dialogs.QueueText("Física: a/b");
    files().NuevoConPregunta();
    files().NuevoConPregunta();
    EXPECT_EQ(registry.ListCount(), 0);
    files().NuevoConPregunta();
    ASSERT_EQ(registry.ListCount(), 1);
    const auto& input = dialogs.Inputs().front();
    EXPECT_EQ(input.title, "Nuevo cartulo");
    const auto file = registry.List(0);
    EXPECT_EQ(titleOf(*file), "Física: a/b");
    EXPECT_EQ(file->GetFileName(), "");
    EXPECT_EQ(log, (std::vector<QString>{"indice Física: a/b", "principal Física: a/b"}));

    // A title the file could not store is refused, not mangled.
    EXPECT_FALSE(files().Nuevo("日本"));
    EXPECT_EQ(dialogs.Messages().back().title, "Nuevo cartulo");
    EXPECT_EQ(registry.ListCount(), 1);

    files().Nuevo("Otro");
    EXPECT_TRUE(logged("lista"));
}

TEST_F(CartuloFilesTest, SaveAsAndSaveAll) {
    const auto fresh = files().Nuevo("Notas: 2024/25");
    ASSERT_TRUE(fresh);

    // Files never saved are left alone unless names may be asked for.
    files().GuardarTodo(false);
    EXPECT_EQ(fresh->GetFileName(), "");
    EXPECT_TRUE(fileDialogs.SaveProposals().empty());
    files().GuardarTodo(true);  // the dialog is cancelled
    EXPECT_EQ(fileDialogs.SaveProposals(), std::vector<QString>{"Notas_ 2024_25.ctu"});
    EXPECT_EQ(fresh->GetFileName(), "");
    EXPECT_EQ(NombrePropuesto(R"(a\b/c:d*e?f"g<h>i|j)"), "a_b_c_d_e_f_g_h_i_j.ctu");

    // Save as, with a relative name: the file keeps the absolute one.
    {
        WorkingFolder folder(dir.path());
        fileDialogs.QueueSave(QString("notas.ctu"));
        files().GuardarComo(*fresh);
    }
    EXPECT_EQ(fileDialogs.SaveProposals().back(), "");
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(fresh->GetFileName())),
              path("notas.ctu"));
    EXPECT_EQ(titleOnDisk(path("notas.ctu")), "Notas: 2024/25");
    EXPECT_FALSE(fresh->GetChanged());

    // Saving all writes changed named files only.
    const auto other = files().Abrir(write("otro.ctu", "Otro"), false);
    ASSERT_TRUE(QFile::remove(path("otro.ctu")));
    edit(*fresh, "Notas corregidas");
    files().GuardarTodo(false);
    EXPECT_EQ(titleOnDisk(path("notas.ctu")), "Notas corregidas");
    EXPECT_FALSE(QFile::exists(path("otro.ctu")));

    // A copy under a new name is written even when nothing changed.
    EXPECT_TRUE(files().GuardarCartulo(*other, path("copia.ctu")));
    EXPECT_EQ(titleOnDisk(path("copia.ctu")), "Otro");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(CartuloFilesTest, SaveErrorsAreWorded) {
    const auto file = files().Nuevo("Uno");
    cCartulo probe;
    probe.NewFile("x");
    probe.SetChanged();
    ASSERT_FALSE(probe.SaveFile(QFile::encodeName(path("no/x.ctu")).toStdString()));
    const auto expected = probe.LastError();

    for (const bool debug : {false, true}) {
        file->SetDebugFlag(debug);
        EXPECT_FALSE(files().GuardarCartulo(*file, path("no/x.ctu")));
        const auto& box = dialogs.Messages().back();
        EXPECT_EQ(box.title, "Guardar cartulo");
        EXPECT_EQ(box.text, "Ocurrió un error al guardar x.ctu.");
        EXPECT_EQ(box.detail, QString::fromStdString(expected.description) + " (código " +
                                  QString::number(expected.code) +
                                  "). Compruebe que el disco está en la unidad y que tiene "
                                  "permisos suficientes para escribir el archivo.");
        EXPECT_EQ(box.flags, msg::kInformation);
        EXPECT_EQ(file->GetFileName(), "");
    }
}

// A disk that fills up or fails under a save: the user is told why, the old
// file stays byte for byte, no temporary is left, and the changes stay open
// to be saved elsewhere.
// Atomic: a writer thread of the program may save meanwhile.
struct InjectedFault {
    static inline std::atomic<cartulo::FileCall> call;
    static inline std::atomic<int> error = 0;
    static int Fail(cartulo::FileCall c) { return c == call.load() ? error.load() : 0; }
};

TEST_F(CartuloFilesTest, AFailingDiskKeepsTheOldFileAndTheChanges) {
    using cartulo::FileCall;
    const auto bytesOf = [](const QString& target) {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    int n = 0;
    for (const auto& [call, error, code] :
         {std::tuple{FileCall::Write, ENOSPC, 61}, std::tuple{FileCall::Sync, ENOSPC, 61},
          std::tuple{FileCall::Write, EIO, 57}, std::tuple{FileCall::Sync, EIO, 57}}) {
        const QString name = QString("caso%1.ctu").arg(++n);
        const auto file = files().Abrir(write(name, "Viejo"), false);
        const QByteArray before = bytesOf(path(name));
        edit(*file, "Nuevo");
        InjectedFault::call = call;
        InjectedFault::error = error;
        cartulo::SetFileFaultForTesting(&InjectedFault::Fail);
        EXPECT_FALSE(files().GuardarCartulo(*file, ""));
        cartulo::SetFileFaultForTesting(nullptr);

        const auto& box = dialogs.Messages().back();
        EXPECT_EQ(box.title, "Guardar cartulo");
        EXPECT_TRUE(
            box.detail.startsWith(QString::fromStdString(cartulo::systemError(error).description) +
                                  QString(" (código %1). ").arg(code)))
            << box.detail.toStdString();
        EXPECT_EQ(bytesOf(path(name)), before);
        // The cases before left their file and its copy elsewhere; no temporary.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2 * n - 1);
        EXPECT_TRUE(file->GetChanged());
        EXPECT_EQ(registry.FindFile(file.get()), n - 1);

        fileDialogs.QueueSave(path(name + ".otro"));
        files().GuardarComo(*file);
        EXPECT_EQ(titleOnDisk(path(name + ".otro")), "Nuevo");
    }
}

TEST_F(CartuloFilesTest, AsksBeforeChangesAreLost) {
    const auto saved = files().Abrir(write("a.ctu", "A"), false);
    EXPECT_TRUE(files().PideGuardar(*saved, "Cerrar cartulo"));
    EXPECT_TRUE(dialogs.Messages().empty());

    // A new file is asked about even when nothing was edited.
    const auto fresh = files().Nuevo("Nuevo");
    dialogs.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(files().Cerrar(fresh));
    const auto& question = dialogs.Messages().back();
    EXPECT_EQ(question.title, "Cerrar cartulo");
    EXPECT_EQ(question.text, "El cartulo Nuevo ha cambiado. ¿Desea guardar los cambios?");
    EXPECT_EQ(question.detail,
              "Si no lo hace, perderá las modificaciones realizadas desde que se abrió o guardó "
              "el cartulo por última vez.");
    EXPECT_EQ(question.flags, msg::kYesNoCancel + msg::kQuestion);
    EXPECT_EQ(registry.ListCount(), 2);

    // Yes, but the save dialog is cancelled: the file stays.
    dialogs.QueueAnswer(MsgResult::Yes);
    EXPECT_FALSE(files().Cerrar(fresh));
    EXPECT_EQ(registry.FindFile(fresh.get()), 1);
    EXPECT_FALSE(logged("cerrar ventanas Nuevo"));

    // Yes with a name: saved, then closed.
    dialogs.QueueAnswer(MsgResult::Yes);
    fileDialogs.QueueSave(path("nuevo.ctu"));
    EXPECT_TRUE(files().Cerrar(fresh));
    EXPECT_EQ(titleOnDisk(path("nuevo.ctu")), "Nuevo");
    EXPECT_EQ(registry.FindFile(fresh.get()), -1);
    EXPECT_TRUE(logged("cerrar ventanas Nuevo"));

    // Yes with a save that fails: the close is cancelled.
    edit(*saved, "A2");
    block("a.ctu");
    dialogs.QueueAnswer(MsgResult::Yes);
    EXPECT_FALSE(files().Cerrar(saved));
    EXPECT_EQ(dialogs.Messages().back().title, "Guardar cartulo");
    EXPECT_EQ(registry.ListCount(), 1);

    // No: closed without saving.
    dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(files().Cerrar(saved));
    EXPECT_EQ(registry.ListCount(), 0);
    EXPECT_EQ(dialogs.Unanswered(), 0);
}

TEST_F(CartuloFilesTest, ShutdownAlsoAsksFilesOpenedOrChangedWhileItAsked) {
    const auto a = files().Abrir(write("a.ctu", "A"), false);
    const auto b = files().Abrir(write("b.ctu", "B"), false);
    edit(*a, "A1");
    edit(*b, "B1");
    // While B is asked about, A (already allowed) is edited again and a new
    // file appears.
    dialogs.whileShown = [&] {
        dialogs.whileShown = [&] {
            edit(*a, "A2");
            files().Nuevo("Tarde");
        };
    };
    for (int i = 0; i < 4; ++i) dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(files().PermiteSalir());
    ASSERT_EQ(dialogs.Messages().size(), 4u);
    EXPECT_EQ(dialogs.Messages()[2].text, "El cartulo A2 ha cambiado. ¿Desea guardar los cambios?");
    EXPECT_TRUE(dialogs.Messages()[3].text.contains("Tarde"));
    EXPECT_EQ(dialogs.Unanswered(), 0);

    // A file saved on Yes and edited afterwards is asked again; a cancel then stops.
    dialogs.whileShown = [&] { dialogs.whileShown = [&] { edit(*a, "A3"); }; };
    dialogs.QueueAnswer(MsgResult::Yes);     // A: saved as A2
    dialogs.QueueAnswer(MsgResult::No);      // B
    dialogs.QueueAnswer(MsgResult::No);      // Tarde
    dialogs.QueueAnswer(MsgResult::Cancel);  // A again
    EXPECT_FALSE(files().PermiteSalir());
    EXPECT_EQ(dialogs.Messages().size(), 8u);
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A2");
    EXPECT_TRUE(a->GetChanged());
}

TEST_F(CartuloFilesTest, PendingEntryEditsAreCommittedBeforeAnyQuestion) {
    const auto a = files().Abrir(write("a.ctu", "A"), false);
    edit(*a, "A1");
    dialogs.QueueAnswer(MsgResult::No);
    log.clear();
    EXPECT_TRUE(files().PermiteSalir());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "terminar todos");
    EXPECT_EQ(log[1], "caja Cerrar Cartulo");

    dialogs.QueueAnswer(MsgResult::No);
    log.clear();
    EXPECT_TRUE(files().Cerrar(a));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "terminar A1");
    EXPECT_EQ(log[1], "caja Cerrar cartulo");
}

TEST_F(CartuloFilesTest, SavingUnderTheNameOfAnotherOpenFileIsRefused) {
    const QString aPath = write("a.ctu", "A");
    files().Abrir(aPath, false);
    const auto b = files().Abrir(write("b.ctu", "B"), false);
    edit(*b, "B1");

    fileDialogs.QueueSave(aPath);
    files().GuardarComo(*b);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const auto& box = dialogs.Messages()[0];
    EXPECT_EQ(box.title, "Guardar cartulo");
    EXPECT_EQ(box.text, "Ya está abierto otro cartulo con el nombre a.ctu.");
    EXPECT_EQ(box.detail, "Ciérrelo antes o elija otro nombre.");
    EXPECT_EQ(box.flags, msg::kInformation);
    EXPECT_EQ(titleOnDisk(aPath), "A");
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(b->GetFileName())), path("b.ctu"));
    EXPECT_TRUE(b->GetChanged());

    // Its own name is no other file's; a new file named after an open one
    // stays open and unsaved.
    fileDialogs.QueueSave(path("b.ctu"));
    files().GuardarComo(*b);
    EXPECT_EQ(titleOnDisk(path("b.ctu")), "B1");
    const auto fresh = files().Nuevo("Nuevo");
    dialogs.QueueAnswer(MsgResult::Yes);
    fileDialogs.QueueSave(path("b.ctu"));
    EXPECT_FALSE(files().Cerrar(fresh));
    EXPECT_EQ(dialogs.Messages().back().text, "Ya está abierto otro cartulo con el nombre b.ctu.");
    EXPECT_EQ(registry.ListCount(), 3);
    EXPECT_EQ(titleOnDisk(path("b.ctu")), "B1");
}

TEST_F(CartuloFilesTest, AutosavesChangedNamedFilesOnceAMinute) {
    now = 0xFFFFFFFFu - 20000;  // the counter wraps during the test
    const std::uint32_t start = now;
    const auto named = files().Abrir(write("a.ctu", "A"), false);
    const auto fresh = files().Nuevo("Sin nombre");
    edit(*named, "A1");
    fresh->SetChanged();

    now = start + 59000;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A");
    now = start + kMinute;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A");
    now = start + 61000;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A1");
    EXPECT_EQ(files().InicioPeriodo(), now);
    // Never-saved files are not asked for.
    EXPECT_TRUE(fileDialogs.SaveProposals().empty());
    EXPECT_EQ(fresh->GetFileName(), "");

    // "Guardar todo" restarts the period.
    now += 30000;
    files().GuardarTodoMenu();  // the name of the new file is not given
    EXPECT_EQ(files().InicioPeriodo(), now);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(CartuloFilesTest, ARecoveredFileWaitsForTheUsersSaveAndIsOpenedOnce) {
    const QString original = write("a.ctu", "A");
    const auto file = files().AbrirRecuperado(write("copia.ctu", "B"), original, "B");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->GetChanged());
    now += 2 * kMinute;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(original), "A") << "not saved over the original unasked";
    // A second copy of the same original waits; one that cannot be read
    // is named after its original.
    EXPECT_FALSE(files().AbrirRecuperado(write("copia2.ctu", "C"), original, "C"));
    EXPECT_TRUE(
        logged("estado La copia de recuperación de a.ctu se conserva: ya hay un cartulo "
               "abierto con ese nombre."));
    EXPECT_FALSE(files().AbrirRecuperado(path("nada.ctu"), QString(), "Nuevo"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Ocurrió un error al abrir Nuevo.");
    EXPECT_EQ(registry.ListCount(), 1);

    files().GuardarTodoMenu();
    EXPECT_EQ(titleOnDisk(original), "B");
    edit(*file, "B1");
    now += 2 * kMinute;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(original), "B1") << "autosaved again once the user saved";
}

TEST_F(CartuloFilesTest, DebugModeNeverAutosavesButKeepsThePeriod) {
    const auto named = files(true).Abrir(write("a.ctu", "A"), false);
    EXPECT_TRUE(named->DebugFlag());
    edit(*named, "A1");
    now += 61000;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A");
    EXPECT_EQ(files().InicioPeriodo(), now);
}

TEST_F(CartuloFilesTest, FailedAutosaveIsToldOnceAndSignalledUntilASaveSucceeds) {
    const auto a = files().Abrir(write("a.ctu", "A"), false);
    const auto b = files().Abrir(write("b.ctu", "B"), false);
    block("a.ctu");
    edit(*a, "A1");

    now += 61000;
    files().TickAutoguardado();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Ocurrió un error al guardar a.ctu.");
    EXPECT_TRUE(windows.signalOn);

    // Later failures are silent; the sign stays while another file saves.
    edit(*b, "B1");
    now += 61000;
    files().TickAutoguardado();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(titleOnDisk(path("b.ctu")), "B1");
    EXPECT_TRUE(windows.signalOn);
    EXPECT_FALSE(logged("senal off"));

    // A save the user asks for is always told.
    EXPECT_FALSE(files().GuardarCartulo(*a, ""));
    EXPECT_EQ(dialogs.Messages().size(), 2u);

    ASSERT_TRUE(QDir(dir.path()).rmdir("a.ctu"));
    now += 61000;
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("a.ctu")), "A1");
    EXPECT_FALSE(windows.signalOn);

    // Closing a failed file without saving it clears the sign too.
    block("a.ctu");
    edit(*a, "A2");
    now += 61000;
    files().TickAutoguardado();
    EXPECT_TRUE(windows.signalOn);
    dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(files().Cerrar(a));
    EXPECT_FALSE(windows.signalOn);
}

TEST_F(CartuloFilesTest, FlowsStartedByPendingEventsDoNotCollide) {
    const QString aPath = write("a.ctu", "A");

    // The same path asked for again while it is read: opened once, with
    // the windows the second request wanted.
    std::shared_ptr<cCartulo> nested = std::make_shared<cCartulo>();
    windows.duringEvents = [&] { nested = files().Abrir(aPath, true); };
    const auto a = files().Abrir(aPath, false);
    ASSERT_TRUE(a);
    EXPECT_FALSE(nested);
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_TRUE(logged("indice A"));

    // During a save: the autosave waits, a close of the same file and the
    // shutdown are refused.
    const auto b = files().Abrir(write("b.ctu", "B"), false);
    edit(*a, "A1");
    edit(*b, "B1");
    bool closed = true;
    bool mayQuit = true;
    windows.duringEvents = [&] {
        now += 61000;
        files().TickAutoguardado();
        closed = files().Cerrar(a);
        mayQuit = files().PermiteSalir();
    };
    EXPECT_TRUE(files().GuardarCartulo(*a, ""));
    EXPECT_FALSE(closed);
    EXPECT_FALSE(mayQuit);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(titleOnDisk(path("b.ctu")), "B");
    EXPECT_EQ(registry.ListCount(), 2);
    // The period was not restarted: the next free tick saves.
    files().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path("b.ctu")), "B1");

    // While the question about a file is shown, it cannot be closed again.
    edit(*a, "A2");
    closed = true;
    dialogs.whileShown = [&] { closed = files().Cerrar(a); };
    dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(files().Cerrar(a));
    EXPECT_FALSE(closed);
    EXPECT_EQ(dialogs.Messages().size(), 1u);

    // A failing autosave never stacks its boxes, whatever ticks meanwhile.
    block("b.ctu");
    edit(*b, "B2");
    windows.duringEvents = [&] {
        now += 61000;
        files().TickAutoguardado();
    };
    dialogs.whileShown = [&] {
        now += 61000;
        files().TickAutoguardado();
    };
    now += 61000;
    files().TickAutoguardado();
    EXPECT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_TRUE(windows.signalOn);
}

}  // namespace
