// The keyboard shortcuts as the user presses them: each key of the table
// reaches its menu item or its deferred command; F10 and the focus hand-back.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "shell/command_bar.h"
#include "shell/search_field.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

using windows::Argumentos;
using windows::ChildKind;

// Counts the presses of one key that reach a widget.
class KeyCounter : public QObject {
  public:
    explicit KeyCounter(int key) : key_(key) {}
    int presses = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            ++presses;
        }
        return false;
    }

  private:
    int key_;
};

class FrmMainShortcutsTest : public FrmMainTest {
  protected:
    // A card-like child on `file` that allows every editing word.
    FakeChild& EditableChild(const std::shared_ptr<cCartulo>& file) {
        FakeChild& child = AddChild(ChildKind::Ficha, file);
        child.answers["permiteedicion"] = true;
        child.answers["permitebusqueda"] = true;
        child.answers["multiline"] = true;
        return child;
    }
};

TEST_F(FrmMainShortcutsTest, EveryKeyOfTheTableRunsItsItem) {
    struct Row {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        MenuItem item;
        const char* childWord;  // what the child window receives, if anything
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::vector<Row> rows = {
        {Qt::Key_F1, none, MenuItem::AyudaAcercaDe, nullptr},
        {Qt::Key_F2, none, MenuItem::FichaEntrada, nullptr},
        {Qt::Key_F3, none, MenuItem::CartuloBuscarGlobal, nullptr},
        {Qt::Key_F6, none, MenuItem::CartuloIndice, nullptr},
        {Qt::Key_F6, shift, MenuItem::VentanaListaCartulos, nullptr},
        {Qt::Key_F12, none, MenuItem::VentanaListaVentanas, nullptr},
        {Qt::Key_B, ctrl, MenuItem::CartuloBuscar, nullptr},
        {Qt::Key_F7, none, MenuItem::FichaNueva, "ObtenerHipertexto"},
        {Qt::Key_F7, shift, MenuItem::FichaNuevaHermana, nullptr},
        {Qt::Key_F8, none, MenuItem::FichaHipertexto, "Hipertexto"},
        {Qt::Key_F9, none, MenuItem::FichaEnlaces, "Enlaces"},
        {Qt::Key_F12, shift, MenuItem::VentanaOrdenar, nullptr},
        {Qt::Key_E, ctrl, MenuItem::EdicionSeleccionarTodo, "SeleccionarTodo"},
        {Qt::Key_I, ctrl, MenuItem::EdicionInsertarAbre, "Insertar"},
        {Qt::Key_O, ctrl, MenuItem::EdicionInsertarCierra, "Insertar"},
        {Qt::Key_P, ctrl, MenuItem::EdicionMostrarPortapapeles, nullptr},
        {Qt::Key_L, ctrl, MenuItem::EdicionIdentar, "Identar"},
        {Qt::Key_N, ctrl, MenuItem::EdicionDesidentar, "Desidentar"},
        {Qt::Key_T, ctrl, MenuItem::EdicionBuscarTexto, "BuscarTexto"},
        {Qt::Key_Y, ctrl, MenuItem::EdicionCortarLinea, "CortarLinea"},
        {Qt::Key_W, ctrl, MenuItem::VentanaCerrar, nullptr},
        {Qt::Key_F4, shift, MenuItem::VentanaCerrarFichas, nullptr},
        {Qt::Key_F11, none, MenuItem::VentanaPantallaCompleta, nullptr},
    };
    Main().show();
    Main().Comando("abrir", Argumentos(MakeFile("a.ctu", "A", {"Gatos"})));
    const auto file = Registered(0);
    // F12's window list is modal: each time it shows, it is closed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(5);
    for (const Row& row : rows) {
        SCOPED_TRACE(ItemCaption(row.item).toStdString());
        FakeChild& child = EditableChild(file);
        QSignalSpy ran(Main().Menus().Action(row.item), &QAction::triggered);
        QTest::keyClick(child.editor, row.key, row.modifiers);
        EXPECT_EQ(ran.count(), 1);
        if (row.childWord != nullptr) {
            const std::vector<QString> actions = child.Actions();
            EXPECT_NE(std::find(actions.begin(), actions.end(), row.childWord), actions.end());
            EXPECT_TRUE(child.editor->toPlainText().isEmpty());  // no character typed
        }
    }
    EXPECT_EQ(dialogs.Messages().size(), 1u);  // the about box
    EXPECT_NE(file->SrchNtry("Nueva ficha"), -1);
    EXPECT_TRUE(Main().PantallaCompleta());
}

TEST_F(FrmMainShortcutsTest, TheDeferredKeysOpenTheFileDialogAndTheCommandBarMenus) {
    Main().show();
    FakeChild& child = EditableChild(nullptr);
    QTest::keyClick(child.editor, Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileDialogs.OpenProposals().size() == 1; }, 5000));

    const std::vector<std::pair<Qt::Key, Menu>> menus = {
        {Qt::Key_A, Menu::Archivo}, {Qt::Key_O, Menu::Archivo}, {Qt::Key_E, Menu::Edicion},
        {Qt::Key_F, Menu::Ficha},   {Qt::Key_G, Menu::Cartulo}, {Qt::Key_N, Menu::Ventana},
        {Qt::Key_V, Menu::Ventana},
    };
    for (const auto& [key, menu] : menus) {
        SCOPED_TRACE(MenuCaption(menu).toStdString());
        QMenu* shown = Main().Menus().MenuOf(menu);
        QTest::keyClick(child.editor, key, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown->isVisible(); }, 5000));
        shown->close();
        ASSERT_TRUE(
            QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 5000));
    }
}

TEST_F(FrmMainShortcutsTest, CtrlGSavesOnlyWhileGuardarTodoIsEnabled) {
    Main().show();
    // No file open: the item is disabled and the key leaves the pending
    // command alone (a deferred "Guardar" would have replaced it).
    Main().ComandoEspera("nuevocartulo", Argumentos(QStringLiteral("Pendiente")));
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Pendiente");
    EXPECT_TRUE(fileDialogs.SaveProposals().empty());

    fileDialogs.QueueSave(Path("pendiente.ctu"));
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fileDialogs.SaveProposals().empty(); }, 5000));
    EXPECT_EQ(fileDialogs.SaveProposals(), std::vector<QString>{"Pendiente.ctu"});
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(Registered(0)->GetFileName())),
              Path("pendiente.ctu"));
}

TEST_F(FrmMainShortcutsTest, OnlyTheGuardarTodoItemRestartsTheAutosavePeriod) {
    std::uint32_t now = 1000;
    clock = [&] { return now; };
    Main().show();
    Main().Comando("abrir", Argumentos(MakeFile("a.ctu", "A")));
    const auto file = Registered(0);
    const std::uint32_t start = Main().Archivos().InicioPeriodo();
    const auto edit = [&](const char* text) {
        now += 10000;
        ASSERT_TRUE(file->SetTxt(file->GetMain(), text));
    };

    edit("A1");
    Main().Comando("guardar");
    EXPECT_FALSE(file->GetChanged());
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), start);

    edit("A2");
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !file->GetChanged(); }, 5000));
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), start);

    edit("A3");
    for (QAction* action : Main().BarraHerramientas()->actions()) {
        if (action->objectName() == QStringLiteral("Guardar")) action->trigger();
    }
    EXPECT_FALSE(file->GetChanged());
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), start);

    edit("A4");
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoGuardarTodo));
    EXPECT_FALSE(file->GetChanged());
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), now);
}

TEST_F(FrmMainShortcutsTest, F10IsConsumedOnlyWhenTheMenuBarEndsHidden) {
    Main().show();
    FakeChild& child = EditableChild(nullptr);
    KeyCounter counter(Qt::Key_F10);
    child.editor->installEventFilter(&counter);

    QTest::keyClick(child.editor, Qt::Key_F10);  // shown: the key goes on
    EXPECT_FALSE(Main().menuBar()->isHidden());
    EXPECT_EQ(counter.presses, 1);
    QTest::keyClick(child.editor, Qt::Key_F10);  // hidden again: consumed
    EXPECT_TRUE(Main().menuBar()->isHidden());
    EXPECT_EQ(counter.presses, 1);
}

TEST_F(FrmMainShortcutsTest, WithNoChildWindowTheFocusGoesBackToTheCommandBar) {
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));

    // The last child window closes.
    FakeChild& child = AddChild(ChildKind::Indice, nullptr);
    child.editor->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return child.editor->hasFocus(); }, 5000));
    Main().AreaMdi()->closeAllSubWindows();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().Barra()->hasFocus(); }, 5000));

    // The main window is activated again with no child window open.
    Main().Barra()->Buscador()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().Barra()->Buscador()->hasFocus(); }, 5000));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().Barra()->hasFocus(); }, 5000));
}

}  // namespace
}  // namespace cartulo::shell::testing
