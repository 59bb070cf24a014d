// What the main-window tests share: a frmMain wired to a registry of its
// own, scripted dialogs, a temporary folder for card files, and a fake child
// window that records the commands it receives.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "shell/file_dialogs.h"
#include "shell/frm_main.h"
#include "shell/main_menus.h"
#include "shell/print_dialogs.h"
#include "support/scripted_user_dialogs.h"

namespace cartulo::shell::testing {

// A child window that answers queries from a table and records every word.
class FakeChild : public QWidget, public windows::ChildWindow {
  public:
    FakeChild(windows::ChildKind kind, std::shared_ptr<cCartulo> file)
        : kind_(kind), file_(std::move(file)) {
        auto* layout = new QVBoxLayout(this);
        editor = new QPlainTextEdit(this);
        layout->addWidget(editor);
        resize(300, 200);
    }

    QVariant Comando(const QString& word, const windows::Argumentos& = {}) override {
        words.push_back(word);
        const auto answer = answers.find(word.toLower());
        return answer != answers.end() ? answer->second : QVariant();
    }
    void Colocar() override {}
    void CrearBotones() override {}
    std::shared_ptr<cCartulo> Cartulo() const override { return file_; }
    windows::ChildKind Kind() const override { return kind_; }
    QWidget* Widget() override { return this; }

    // Words other than the four menu queries.
    std::vector<QString> Actions() const {
        static const QStringList queries{"permiteedicion", "permitebusqueda", "multiline",
                                         "seleccion"};
        std::vector<QString> result;
        std::copy_if(words.begin(), words.end(), std::back_inserter(result),
                     [](const QString& w) { return !queries.contains(w.toLower()); });
        return result;
    }

    std::map<QString, QVariant> answers;  // by lower-cased word
    std::vector<QString> words;
    QPlainTextEdit* editor = nullptr;

  private:
    windows::ChildKind kind_;
    std::shared_ptr<cCartulo> file_;
};

// Scripted boxes that can run something while a box is "open", as the real
// ones let events run (once per arming).
class HookedDialogs : public support::ScriptedUserDialogs {
  public:
    support::MsgResult ShowMessage(const support::MessageRequest& request) override {
        if (whileShown) std::exchange(whileShown, nullptr)();
        return ScriptedUserDialogs::ShowMessage(request);
    }
    std::function<void()> whileShown;
};

// The same for the file dialogs.
class HookedFileDialogs : public ScriptedFileDialogs {
  public:
    std::optional<QString> AskSave(const QString& initialName) override {
        if (whileAsked) std::exchange(whileAsked, nullptr)();
        return ScriptedFileDialogs::AskSave(initialName);
    }
    std::function<void()> whileAsked;
};

// A double click as the user makes it, leaving no button held for the tests after.
inline void DoubleClick(QWidget* target, QPoint at) {
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
}

class FrmMainTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    frmMain& Main(bool debug = false) {
        if (!main) {
            MainWindowSetup setup;
            setup.registry = &registry;
            setup.dialogs = &dialogs;
            setup.fileDialogs = &fileDialogs;
            setup.printDialogs = &printDialogs;
            setup.settings = settings.get();
            setup.debug = debug;
            setup.firstArgument = firstArgument;
            setup.version = QStringLiteral("7.0.90224");
            if (clock) setup.clock = clock;
            setup.recoveryFolder = recoveryFolder;
            // No dictionary: the windows under test are not spelling's.
            setup.dictionaryFolder = Path(QStringLiteral("sin-diccionarios"));
            main = std::make_unique<frmMain>(std::move(setup));
        }
        return *main;
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A card file on disk with a main card titled `title` and the given entries.
    QString MakeFile(const QString& name, const std::string& title = "Prueba",
                     const std::vector<std::string>& entries = {}) {
        cCartulo file;
        file.NewFile(title);
        for (const std::string& entry : entries) file.NewCard(entry);
        const QString path = Path(name);
        file.SetChanged();  // written even with nothing edited
        EXPECT_TRUE(file.SaveFile(path.toStdString()));
        return path;
    }

    // A fake child on `file` added to the main window's MDI area and activated.
    FakeChild& AddChild(windows::ChildKind kind, std::shared_ptr<cCartulo> file) {
        auto* child = new FakeChild(kind, std::move(file));
        Main().AnadeVentana(*child);
        return *child;
    }

    std::shared_ptr<cCartulo> Registered(int index) const { return registry.List(index); }

    // Opens a card file made here, in the main window shown.
    std::shared_ptr<cCartulo> Open(const std::vector<std::string>& entries = {"Gatos"},
                                   const QString& name = "a.ctu",
                                   const std::string& title = "Animales") {
        Main().show();
        const int before = registry.ListCount();
        Main().Comando("abrir", windows::Argumentos(MakeFile(name, title, entries)));
        EXPECT_EQ(registry.ListCount(), before + 1);
        return Registered(before);
    }

    QTemporaryDir dir;
    cCartulos registry;
    HookedDialogs dialogs;
    HookedFileDialogs fileDialogs;
    ScriptedPrintDialogs printDialogs;
    std::unique_ptr<support::ProgramSettings> settings;
    QString firstArgument;
    std::string recoveryFolder;     // "" keeps no copies
    platform::TickSource clock;     // the real one when empty
    std::unique_ptr<frmMain> main;  // last: it goes first
};

}  // namespace cartulo::shell::testing
