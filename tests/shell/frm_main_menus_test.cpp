// The menus (captions, enabling) and the keyboard shortcuts as the user
// presses them: each key reaches its menu item or its deferred command.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>

#include "shell/command_bar.h"
#include "shell/main_menus.h"
#include "shell/menu_state.h"
#include "shell/search_field.h"
#include "support/frm_opciones.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/frm_comparar_cartulos.h"
#include "windows/frm_info.h"

namespace cartulo::shell::testing {
namespace {

using windows::ChildKind;

// The visible items, without separators.
QStringList captions(const QMenu& menu) {
    QStringList result;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isVisible()) result << CaptionOf(*action);
    }
    return result;
}

bool enabled(frmMain& main, MenuItem item) {
    const Menu menu = InfoOf(item).menu;
    Q_EMIT main.Menus().MenuOf(menu)->aboutToShow();
    return main.Menus().Action(item)->isEnabled();
}

TEST_F(FrmMainTest, ExportPublishesTheActiveFileInTheChosenFolder) {
    frmMain& main = Main();
    EXPECT_FALSE(enabled(main, MenuItem::CartuloExportarSitio));
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "Prueba", {"Uno"})));
    AddChild(ChildKind::Indice, Registered(0));
    const QString site = Path(QStringLiteral("sitio"));
    QDir().mkpath(site);
    QFile(site + QStringLiteral("/suyo.txt")).open(QIODevice::WriteOnly);

    // A folder with other files is asked about; "No" writes nothing.
    fileDialogs.QueueFolder(site);
    dialogs.QueueAnswer(support::MsgResult::No);
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::CartuloExportarSitio));
    EXPECT_FALSE(QFile::exists(site + QStringLiteral("/index.html")));

    fileDialogs.QueueFolder(site);
    dialogs.QueueAnswer(support::MsgResult::Yes);
    dialogs.QueueAnswer(support::MsgResult::No);  // no browser
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::CartuloExportarSitio));
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/index.html")));
    EXPECT_TRUE(dialogs.Messages().back().text.startsWith(QStringLiteral("Exportadas 2 fichas")));
}

TEST_F(FrmMainTest, ItemsFollowTheActiveWindowAndItsAnswers) {
    frmMain& main = Main();
    const auto expect = [&](std::initializer_list<std::pair<MenuItem, bool>> rows) {
        for (const auto& [item, on] : rows)
            EXPECT_EQ(enabled(main, item), on) << ItemCaption(item).toStdString();
    };
    expect({{MenuItem::ArchivoGuardarTodo, false},
            {MenuItem::FichaNueva, false},
            {MenuItem::ArchivoInformacion, false},
            {MenuItem::EdicionDeshacer, false},
            {MenuItem::ArchivoNuevo, true}});
    // The debug items are hidden and do not run.
    EXPECT_EQ(captions(*main.Menus().MenuOf(Menu::Archivo)).size(), 9);
    EXPECT_EQ(captions(*main.Menus().MenuOf(Menu::Ventana)).size(), 7);
    EXPECT_FALSE(main.EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando));
    EXPECT_TRUE(dialogs.Inputs().empty());

    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    FakeChild& index = AddChild(ChildKind::Indice, Registered(0));
    index.answers["permiteedicion"] = true;
    index.answers["permitebusqueda"] = false;
    index.answers["multiline"] = false;
    expect({{MenuItem::ArchivoGuardarTodo, true},
            {MenuItem::ArchivoInformacion, true},
            {MenuItem::ArchivoCompararCartulos, false},  // needs two files
            {MenuItem::FichaNueva, true},
            {MenuItem::FichaNuevaHermana, false},  // not a card window
            {MenuItem::CartuloIndice, true},
            {MenuItem::EdicionDeshacer, true},
            {MenuItem::EdicionCopiar, false},  // nothing selected
            {MenuItem::EdicionCortarLinea, false},
            {MenuItem::EdicionBuscarTexto, false}});

    index.answers["seleccion"] = QStringLiteral("algo");
    index.answers["multiline"] = true;
    expect({{MenuItem::EdicionCopiar, true}, {MenuItem::EdicionIdentar, true}});

    QApplication::clipboard()->setText(QStringLiteral("pegable"));
    EXPECT_TRUE(enabled(main, MenuItem::EdicionPegar));
    QApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(main, MenuItem::EdicionPegar));

    // Without editing, neither the selection nor the lines are asked about.
    index.answers["permiteedicion"] = false;
    index.words.clear();
    expect({{MenuItem::EdicionCopiar, false}, {MenuItem::EdicionIdentar, false}});
    EXPECT_EQ(std::count(index.words.begin(), index.words.end(), "Seleccion"), 0);

    // With two files the comparison opens once, the active file on side A.
    Main().Comando("abrir", windows::Argumentos(MakeFile("b.ctu")));
    AddChild(ChildKind::Indice, Registered(0));
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::ArchivoCompararCartulos));
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::ArchivoCompararCartulos));
    const auto windows = main.findChildren<windows::frmCompararCartulos*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0]->Elegido(windows::frmCompararCartulos::A), registry.ID(0));
    EXPECT_EQ(windows[0]->Elegido(windows::frmCompararCartulos::B), registry.ID(1));
}

// Propiedades shows the active file modally; Opciones looks for
// dictionaries where spelling does.
TEST_F(FrmMainTest, PropiedadesAndOpcionesOpenModallyOverTheMainWindow) {
    settings = std::make_unique<support::ProgramSettings>(Path("Cartulo.ini").toStdString());
    settings->ReadOptions();
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "Agenda", {"A", "B"})));
    AddChild(ChildKind::Indice, Registered(0));
    QString seen;
    // Runs inside the window's own event loop.
    QTimer::singleShot(0, &Main(), [&] {
        auto* info = Main().findChild<windows::frmInfo*>();
        ASSERT_NE(info, nullptr);
        seen = info->windowTitle() + u' ' + info->Campo(QStringLiteral("txtFichas"))->text();
        info->cmdCerrar()->click();
    });
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoInformacion));
    EXPECT_EQ(seen, QStringLiteral("Propiedades de Agenda 3"));  // and its 3 cards
    EXPECT_EQ(Main().findChild<windows::frmInfo*>(), nullptr);
    QTimer::singleShot(0, &Main(), [&] {
        auto* options = Main().findChild<support::frmOpciones*>();
        ASSERT_NE(options, nullptr);
        seen = options->SpellNote()->text();
        options->CancelButton()->click();
    });
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoOpciones));
    EXPECT_TRUE(seen.contains(Path("sin-diccionarios")));
}

TEST(MenuEnabling, CardItemsNeedACardWindowAndSomeNotTheMainCard) {
    ActiveWindowInfo card;
    card.hasFile = card.isCard = true;
    EXPECT_TRUE(ItemEnabled(MenuItem::FichaNuevaHermana, card));
    EXPECT_TRUE(ItemEnabled(MenuItem::FichaEntrada, card));
    card.isMainCard = true;
    EXPECT_FALSE(ItemEnabled(MenuItem::FichaNuevaHermana, card));
    EXPECT_FALSE(ItemEnabled(MenuItem::FichaEntrada, card));
    EXPECT_TRUE(ItemEnabled(MenuItem::FichaBorrar, card));
    EXPECT_TRUE(ItemEnabled(MenuItem::FichaHipertexto, card));
    EXPECT_TRUE(ItemEnabled(MenuItem::FichaEnlaces, card));
    EXPECT_TRUE(ItemEnabled(MenuItem::VentanaCerrar, ActiveWindowInfo{}));
}

TEST_F(FrmMainTest, AShortcutRunsItsItemOnlyWhenEnabledAndIsConsumedEitherWay) {
    Main().show();
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    FakeChild& child = AddChild(ChildKind::Indice, Registered(0));
    child.editor->setPlainText(QStringLiteral("texto"));

    child.answers["permiteedicion"] = false;
    QTest::keyClick(child.editor, Qt::Key_E, Qt::ControlModifier);  // "Seleccionar &todo"
    EXPECT_TRUE(child.Actions().empty());

    child.answers["permiteedicion"] = true;
    QTest::keyClick(child.editor, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(child.Actions(), std::vector<QString>{"SeleccionarTodo"});
    EXPECT_EQ(child.editor->toPlainText(), QStringLiteral("texto"));  // no letter typed

    // Keys that are no shortcut reach the editor.
    QTest::keyClick(child.editor, Qt::Key_X);
    EXPECT_EQ(child.editor->toPlainText(), QStringLiteral("xtexto"));
}

TEST_F(FrmMainTest, DebugModeOffersTheTypedCommandWhichIsRememberedAndTheWindowSizes) {
    frmMain& main = Main(true);
    EXPECT_EQ(captions(*main.Menus().MenuOf(Menu::Ventana)).size(), 10);  // with the sizes
    main.SenalAutoguardado(true);  // a notice in the caption is not the box's title
    dialogs.QueueText("nuevocartulo   Mis notas  ");
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando));
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Mis notas");
    ASSERT_EQ(dialogs.Inputs().size(), 1u);
    EXPECT_EQ(dialogs.Inputs()[0].title, QStringLiteral("Cartulo"));

    dialogs.QueueText("");  // an empty answer does nothing
    main.EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando);
    EXPECT_EQ(dialogs.Inputs()[1].defaultText, QStringLiteral("nuevocartulo   Mis notas  "));
    EXPECT_EQ(registry.ListCount(), 1);
}

using windows::Argumentos;

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
        {Qt::Key_F6, none, MenuItem::CartuloIndice, nullptr},
        {Qt::Key_F6, shift, MenuItem::VentanaListaCartulos, nullptr},
        {Qt::Key_F12, none, MenuItem::VentanaListaVentanas, nullptr},
        {Qt::Key_B, ctrl, MenuItem::CartuloBuscar, nullptr},
        {Qt::Key_F7, none, MenuItem::FichaNueva, "ObtenerHipertexto"},
        {Qt::Key_F7, shift, MenuItem::FichaNuevaHermana, nullptr},
        {Qt::Key_F8, none, MenuItem::FichaHipertexto, "Hipertexto"},
        {Qt::Key_F12, shift, MenuItem::VentanaOrdenar, nullptr},
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
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Acerca de Cartulo"));
    EXPECT_NE(file->SrchNtry("Nueva ficha"), -1);
    EXPECT_TRUE(Main().PantallaCompleta());
    QTest::keyClick(&Main(), Qt::Key_F11);  // and back
    EXPECT_FALSE(Main().PantallaCompleta() || Main().BarraHerramientas()->isHidden());
}

TEST_F(FrmMainShortcutsTest, TheDeferredKeysOpenTheFileDialogAndTheCommandBarMenus) {
    Main().show();
    FakeChild& child = EditableChild(nullptr);
    child.editor->setPlainText(QStringLiteral("uno dos"));
    QTest::keyClick(child.editor, Qt::Key_A, Qt::ControlModifier);  // not the editor's own
    EXPECT_FALSE(child.editor->textCursor().hasSelection());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileDialogs.OpenProposals().size() == 1; }, 5000));

    const std::vector<std::pair<Qt::Key, Menu>> menus = {
        {Qt::Key_A, Menu::Archivo}, {Qt::Key_E, Menu::Edicion}, {Qt::Key_F, Menu::Ficha},
        {Qt::Key_G, Menu::Cartulo}, {Qt::Key_V, Menu::Ventana},
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

TEST_F(FrmMainShortcutsTest, OnlyTheGuardarTodoItemRestartsTheAutosavePeriod) {
    std::uint32_t now = 1000;
    clock = [&] { return now; };
    Main().show();
    // Only the last deferred command runs, after the current event. No file
    // open: Ctrl+G is disabled and leaves it alone (a deferred "Guardar"
    // would have replaced it).
    Main().ComandoEspera("nuevocartulo", Argumentos(QStringLiteral("Primero")));
    Main().ComandoEspera("abrir", Argumentos(MakeFile("a.ctu", "A")));
    EXPECT_EQ(registry.ListCount(), 0);
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() > 0; }, 5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(registry.ListCount(), 1);
    const auto file = Registered(0);
    EXPECT_EQ(file->GetFileTitle(), "A");
    const std::uint32_t start = Main().Archivos().InicioPeriodo();
    const auto edit = [&](const char* text) {
        now += 10000;
        ASSERT_TRUE(file->SetTxt(file->GetMain(), text));
    };

    edit("A1");
    Main().Comando("guardar", Argumentos(QStringLiteral("lo que sea")));  // not a name
    EXPECT_FALSE(file->GetChanged());
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), start);

    edit("A2");
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !file->GetChanged(); }, 5000));
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), start);

    edit("A4");
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoGuardarTodo));
    EXPECT_FALSE(file->GetChanged());
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), now);
}

TEST_F(FrmMainShortcutsTest, F10IsConsumedOnlyWhenTheMenuBarEndsHidden) {
    Main().show();
    FakeChild& child = EditableChild(nullptr);
    // Counts the F10 presses that reach the editor.
    struct : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            presses +=
                e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F10;
            return false;
        }
    } counter;
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
