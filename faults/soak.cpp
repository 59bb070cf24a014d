// soak: the main window under the offscreen platform with 20 open card
// files gets random command-channel lines mixed with keys sent to its
// windows (Enter in an index, typing, F7, Ctrl+W, Ctrl+G), while a model
// keeps what every file must contain. At the end every file on disk must
// equal the model, resident memory must not have grown past a bound, and
// the window must still answer.
//
//   soak [--seconds S] [--steps N] [--cards N] [--seed S]
//
// Seeded: the same seed gives the same steps; the time bound only limits how
// many of them run.
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "shell/file_dialogs.h"
#include "shell/frm_main.h"
#include "support/scripted_user_dialogs.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/frm_indice.h"

namespace {

using namespace cartulo;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 20;
constexpr std::size_t kMaxWindows = 40;

struct Options {
    double seconds = 10;
    long steps = 100000;
    int cards = 500;
    std::uint64_t seed = std::random_device{}();
};

// What one file must hold: every entry's text, sisters sharing one.
struct FileModel {
    std::string path;
    std::map<std::string, int> group;  // entry -> text group
    std::map<int, std::string> text;   // text group -> text

    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> out;
        for (const auto& [entry, g] : group) out[entry] = text.at(g);
        return out;
    }
};

std::map<std::string, std::string> ContentsOnDisk(const std::string& path) {
    std::map<std::string, std::string> out;
    cCartulo file;
    if (!file.OpenFile(path)) return {{"<ilegible>", path}};
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c))
        out[file.GetNtry(c)] = file.GetTxt(c);
    return out;
}

long long ResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field;) {
        if (field == "VmRSS:") {
            long long kb = 0;
            status >> kb;
            return kb * 1024;
        }
    }
    return 0;
}

class Soak {
  public:
    Soak(const Options& options, const QString& folder)
        : options_(options), random_(options.seed), folder_(folder) {}

    bool Run() {
        makeFiles();
        shell::MainWindowSetup setup;
        setup.registry = &registry_;
        setup.dialogs = &dialogs_;
        setup.fileDialogs = &fileDialogs_;
        main_ = std::make_unique<shell::frmMain>(std::move(setup));
        main_->show();
        main_->activateWindow();
        if (!QTest::qWaitForWindowActive(main_.get()))
            return fail("the window never became active");
        for (const FileModel& m : models_) line("abrir", QString::fromStdString(m.path));
        const long long before = ResidentBytes();

        const auto start = Clock::now();
        const auto end = start + std::chrono::duration<double>(options_.seconds);
        long steps = 0;
        while (steps < options_.steps && Clock::now() < end && problem_.empty()) {
            step(++steps);
            QCoreApplication::processEvents();
        }
        saveAll();
        const double took = std::chrono::duration<double>(Clock::now() - start).count();

        int equal = 0;
        for (const FileModel& m : models_) {
            if (ContentsOnDisk(m.path) == m.Contents())
                ++equal;
            else
                fail("the file " + m.path + " differs from the model");
        }
        // Freed memory may stay with the allocator (the sanitizer's shadow
        // and quarantine with it); a leak of the soak's size goes past this.
        const long long grown = ResidentBytes() - before;
        const long long bound = (kSanitized ? 256LL : 64LL) << 20;
        if (grown > bound) fail("resident memory grew by " + std::to_string(grown >> 20) + " MiB");
        // Still answering: a channel line shows the first file's windows.
        line("abrir", QString::fromStdString(models_[0].path));
        windows::ChildWindow* active = main_->VentanaActiva();
        if (active == nullptr || modelOf(active->Cartulo()) != &models_[0]) {
            fail("the window does not answer");
        }
        if (dialogs_.Messages().size() != expectedBoxes_) {
            fail("an unexpected message box was shown: " +
                 dialogs_.Messages().back().text.toStdString());
        }
        std::cout << "soak: seed " << options_.seed << ", " << steps << " steps in " << took
                  << " s (" << cards_ << " cards made), " << kFiles << " files of up to "
                  << options_.cards << " cards; files equal to the model: " << equal << "/"
                  << kFiles << "; resident memory grew " << (grown >> 20) << " MiB (bound "
                  << (bound >> 20) << " MiB)" << std::endl;
        if (!problem_.empty()) std::cout << "soak failed: " << problem_ << std::endl;
        main_->close();
        return problem_.empty();
    }

  private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kSanitized = true;
#else
    static constexpr bool kSanitized = false;
#endif

    void makeFiles() {
        for (int f = 0; f < kFiles; ++f) {
            FileModel m;
            m.path = folder_.filePath(QString("soak%1.ctu").arg(f)).toStdString();
            cCartulo file;
            file.NewFile("Soak " + std::to_string(f));
            m.group[""] = 0;
            m.text[0] = file.GetTxt(file.GetMain());
            // Every other file has room for new cards, even when the size given is full.
            const int cards = options_.cards - (f % 2) * options_.cards / 10;
            for (int n = 1; n < cards; ++n) {
                const std::string entry = "Ficha " + std::to_string(n);
                const std::string text = "Texto de la ficha " + std::to_string(n);
                file.SetTxt(file.NewCard(entry), text);
                m.group[entry] = n;
                m.text[n] = text;
            }
            file.SetChanged();
            file.SaveFile(m.path);
            models_.push_back(std::move(m));
        }
    }

    int pick(int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random_);
    }

    void line(const char* word, std::optional<QString> argument = {}) {
        main_->ComandoRecibido(QString::fromLatin1(word), std::move(argument));
        // A line that came while the program was busy waits in its queue.
        if (!QTest::qWaitFor([this] { return main_->OrdenesPendientes() == 0 && main_->Libre(); },
                             30000)) {
            fail("a channel line never ran");
        }
    }

    FileModel* modelOf(const std::shared_ptr<cCartulo>& file) {
        for (FileModel& m : models_) {
            if (file && file->GetFileName() == m.path) return &m;
        }
        return nullptr;
    }

    windows::frmFicha* activeCard() const {
        return dynamic_cast<windows::frmFicha*>(main_->VentanaActiva());
    }

    // Where a key for the active window goes.
    QWidget* keyTarget() const {
        if (auto* card = activeCard()) return card->txtTxt();
        if (auto* index = dynamic_cast<windows::frmIndice*>(main_->VentanaActiva()))
            return index->txtIndice();
        return main_.get();
    }

    void step(long n) {
        // Beyond a few dozen windows Ctrl+W comes first, so memory measures
        // leaks rather than the windows the steps left open.
        const int kind = main_->Ventanas().size() > kMaxWindows ? 6 : pick(9);
        switch (kind) {
            case 0:
                line("abrir", QString::fromStdString(models_[pick(kFiles)].path));
                break;
            case 1:
                newCard(
                    n, [this] { line("nuevaficha"); }, false);
                break;
            case 2:
                newCard(
                    n, [this] { QTest::keyClick(keyTarget(), Qt::Key_F7); }, false);
                break;
            case 3:
                newCard(
                    n, [this] { line("nuevahermana"); }, true);
                break;
            case 4:
                type(n);
                break;
            case 5:
                enterInIndex();
                break;
            case 6:
                QTest::keyClick(keyTarget(), Qt::Key_W, Qt::ControlModifier);
                break;
            case 7:
                QTest::keyClick(keyTarget(), Qt::Key_G, Qt::ControlModifier);
                waitSaved();
                break;
            default:
                line("guardar");
                waitSaved();
                break;
        }
    }

    // A new card (or a sister of the active card) in the active window's
    // file, named at once in its entry editor.
    template <typename Make>
    void newCard(long n, Make make, bool sister) {
        windows::ChildWindow* active = main_->VentanaActiva();
        FileModel* m = active != nullptr ? modelOf(active->Cartulo()) : nullptr;
        windows::frmFicha* from = activeCard();
        std::optional<int> group;
        if (sister) {
            if (from == nullptr || from->ID() == from->Cartulo()->GetMain()) return;
            if (m != nullptr) group = m->group.at(from->Cartulo()->GetNtry(from->ID()));
        }
        const bool full = m != nullptr && m->group.size() >= 5000;
        const std::size_t boxes = dialogs_.Messages().size();
        make();
        if (m == nullptr) return;
        if (full) {
            // No room: the user is told and nothing is made.
            if (dialogs_.Messages().size() != boxes + 1) fail("a full file was not refused");
            ++expectedBoxes_;
            return;
        }
        windows::frmFicha* card = activeCard();
        if (card == nullptr || card == from || !card->EditandoEntrada()) {
            fail("no new card window asks for its entry");
            return;
        }
        const std::string entry = "S" + std::to_string(n);
        card->txtNtry()->selectAll();
        QTest::keyClicks(card->txtNtry(), QString::fromStdString(entry));
        QTest::keyClick(card->txtNtry(), Qt::Key_Return);
        ++cards_;
        if (!group) {
            group = static_cast<int>(m->text.size()) + 1000000;
            m->text[*group] = "";
        }
        m->group[entry] = *group;
    }

    // Replaces the active card's text.
    void type(long n) {
        windows::frmFicha* card = activeCard();
        if (card == nullptr) return;
        FileModel* m = modelOf(card->Cartulo());
        const std::string text = "Escrito en el paso " + std::to_string(n);
        QTest::keyClick(card->txtTxt(), Qt::Key_E, Qt::ControlModifier);  // select all
        QTest::keyClicks(card->txtTxt(), QString::fromStdString(text));
        if (m != nullptr) m->text[m->group.at(card->Cartulo()->GetNtry(card->ID()))] = text;
    }

    // Types an entry into an open index window and opens its card with Enter.
    void enterInIndex() {
        std::vector<windows::frmIndice*> indexes;
        for (windows::ChildWindow* w : main_->Ventanas()) {
            if (auto* index = dynamic_cast<windows::frmIndice*>(w)) indexes.push_back(index);
        }
        if (indexes.empty()) return;
        windows::frmIndice* index = indexes[pick(static_cast<int>(indexes.size()))];
        const FileModel* m = modelOf(index->Cartulo());
        if (m == nullptr) return;
        auto it = m->group.begin();
        std::advance(it, pick(static_cast<int>(m->group.size())));
        index->txtIndice()->selectAll();
        QTest::keyClicks(index->txtIndice(), QString::fromStdString(it->first));
        QTest::keyClick(index->txtIndice(), Qt::Key_Return);
    }

    void saveAll() {
        line("guardar");
        waitSaved();
    }

    void waitSaved() {
        const bool saved = QTest::qWaitFor(
            [this] {
                for (int i = 0; i < registry_.ListCount(); ++i) {
                    if (registry_.List(i)->GetChanged()) return false;
                }
                return true;
            },
            30000);
        if (!saved) fail("a save never happened");
    }

    bool fail(const std::string& what) {
        if (problem_.empty()) problem_ = what;
        return false;
    }

    const Options& options_;
    std::mt19937_64 random_;
    QTemporaryDir folder_;
    cCartulos registry_;
    support::ScriptedUserDialogs dialogs_;
    shell::ScriptedFileDialogs fileDialogs_;
    std::unique_ptr<shell::frmMain> main_;
    std::vector<FileModel> models_;
    long cards_ = 0;
    std::size_t expectedBoxes_ = 0;  // "no room" in a full file
    std::string problem_;
};

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// A small quarantine of freed memory, so resident memory still tells a leak.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
#endif

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    // Settings and recovery copies of its own.
    ::setenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit().constData(), 1);
    ::setenv("XDG_STATE_HOME", home.filePath("state").toLocal8Bit().constData(), 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--seconds")
            options.seconds = std::atof(argv[i + 1]);
        else if (flag == "--steps")
            options.steps = std::atol(argv[i + 1]);
        else if (flag == "--cards")
            options.cards = std::atoi(argv[i + 1]);
        else if (flag == "--seed")
            options.seed = std::strtoull(argv[i + 1], nullptr, 10);
        else {
            std::cerr << "usage: soak [--seconds S] [--steps N] [--cards N] [--seed S]\n";
            return 1;
        }
    }
    std::cout << "soak seed " << options.seed << std::endl;
    Soak soak(options, home.filePath("files"));
    return soak.Run() ? 0 : 1;
}
