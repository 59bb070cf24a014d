// The menus: their captions, when their items are enabled, and the keyboard
// shortcuts that run them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "shell/main_menus.h"
#include "shell/menu_state.h"
#include "support/frm_opciones.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/frm_comparar_cartulos.h"
#include "windows/frm_info.h"

namespace cartulo::shell::testing {
namespace {

using windows::ChildKind;

QStringList captions(const QMenu& menu, bool visibleOnly = true) {
    QStringList result;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() || (visibleOnly && !action->isVisible())) continue;
        result << CaptionOf(*action);
    }
    return result;
}

bool enabled(frmMain& main, MenuItem item) {
    const Menu menu = InfoOf(item).menu;
    Q_EMIT main.Menus().MenuOf(menu)->aboutToShow();
    return main.Menus().Action(item)->isEnabled();
}

TEST_F(FrmMainTest, MenusHaveTheirCaptionsAndTheDebugItemsOnlyInDebugMode) {
    MenusPrincipales& menus = Main().Menus();
    EXPECT_TRUE(Main().menuBar()->isHidden());
    EXPECT_EQ(menus.MenuOf(Menu::Archivo)->title(), QStringLiteral("&Archivo"));
    EXPECT_EQ(menus.MenuOf(Menu::Cartulo)->title(), QStringLiteral("C&artulo"));
    EXPECT_EQ(menus.MenuOf(Menu::Ayuda)->title(), QStringLiteral("Ay&uda"));
    EXPECT_EQ(captions(*menus.MenuOf(Menu::Archivo)),
              (QStringList{"&Nuevo...", "&Abrir...", "Guardar &como...", "&Guardar todo", "&Cerrar",
                           "&Propiedades...", "Comparar cartulos", "&Opciones", "&Salir"}));
    EXPECT_EQ(captions(*menus.MenuOf(Menu::Ficha)),
              (QStringList{"&Nueva ficha", "Nueva &hermana", "&Borrar ficha...", "&Editar entrada",
                           "&Hipertexto", "En&laces a esta ficha"}));
    EXPECT_EQ(captions(*menus.MenuOf(Menu::Ventana)),
              (QStringList{"&Lista de ventanas", "&Cerrar", "Cerrar &fichas", "&Ordenar ventanas",
                           "&Pantalla completa", "Vista previa", "Lista de cartulos"}));
    EXPECT_TRUE(captions(*menus.MenuOf(Menu::Edicion)).contains(QStringLiteral("Insertar «")));
    EXPECT_EQ(captions(*menus.MenuOf(Menu::Edicion)).back(),
              QStringLiteral("&Mostrar portapapeles"));
    EXPECT_TRUE(
        captions(*menus.MenuOf(Menu::Cartulo)).contains(QStringLiteral("B&úsqueda global")));
    const QList<QAction*> cartulo = menus.MenuOf(Menu::Cartulo)->actions();
    EXPECT_EQ(CaptionOf(*cartulo.back()), QStringLiteral("&Exportar como sitio web..."));
    EXPECT_TRUE(cartulo[cartulo.size() - 2]->isSeparator());
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
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/uno.html")));
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/suyo.txt")));
    EXPECT_TRUE(dialogs.Messages().back().text.startsWith(QStringLiteral("Exportadas 2 fichas")));
}

TEST_F(FrmMainTest, DebugModeShowsTheCommandEntryAndTheWindowSizes) {
    MenusPrincipales& menus = Main(true).Menus();
    EXPECT_TRUE(captions(*menus.MenuOf(Menu::Archivo)).contains("Ejecutar comando..."));
    EXPECT_EQ(captions(*menus.MenuOf(Menu::Ventana)),
              (QStringList{"&Lista de ventanas", "&Cerrar", "Cerrar &fichas", "&Ordenar ventanas",
                           "Poner a &800x600", "Poner a 1024x&600", "Poner a &1024x768",
                           "&Pantalla completa", "Vista previa", "Lista de cartulos"}));
}

TEST_F(FrmMainTest, ItemsFollowTheActiveWindowAndItsAnswers) {
    frmMain& main = Main();
    EXPECT_FALSE(enabled(main, MenuItem::ArchivoGuardarTodo));
    EXPECT_FALSE(enabled(main, MenuItem::FichaNueva));
    EXPECT_FALSE(enabled(main, MenuItem::ArchivoInformacion));
    EXPECT_FALSE(enabled(main, MenuItem::EdicionDeshacer));
    EXPECT_TRUE(enabled(main, MenuItem::ArchivoNuevo));

    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    FakeChild& index = AddChild(ChildKind::Indice, Registered(0));
    index.answers["permiteedicion"] = true;
    index.answers["permitebusqueda"] = false;
    index.answers["multiline"] = false;
    EXPECT_TRUE(enabled(main, MenuItem::ArchivoGuardarTodo));
    EXPECT_TRUE(enabled(main, MenuItem::ArchivoCerrar));
    EXPECT_TRUE(enabled(main, MenuItem::ArchivoInformacion));
    EXPECT_FALSE(enabled(main, MenuItem::ArchivoCompararCartulos));  // needs two files
    EXPECT_TRUE(enabled(main, MenuItem::FichaNueva));
    EXPECT_FALSE(enabled(main, MenuItem::FichaNuevaHermana));  // not a card window
    EXPECT_FALSE(enabled(main, MenuItem::FichaBorrar));
    EXPECT_FALSE(enabled(main, MenuItem::FichaEnlaces));
    EXPECT_TRUE(enabled(main, MenuItem::CartuloIndice));
    EXPECT_TRUE(enabled(main, MenuItem::EdicionDeshacer));
    EXPECT_TRUE(enabled(main, MenuItem::EdicionInsertarAbre));
    EXPECT_FALSE(enabled(main, MenuItem::EdicionCopiar));  // nothing selected
    EXPECT_FALSE(enabled(main, MenuItem::EdicionCortarLinea));
    EXPECT_FALSE(enabled(main, MenuItem::EdicionBuscarTexto));

    index.answers["seleccion"] = QStringLiteral("algo");
    index.answers["multiline"] = true;
    EXPECT_TRUE(enabled(main, MenuItem::EdicionCopiar));
    EXPECT_TRUE(enabled(main, MenuItem::EdicionIdentar));

    QApplication::clipboard()->setText(QStringLiteral("pegable"));
    EXPECT_TRUE(enabled(main, MenuItem::EdicionPegar));
    QApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(main, MenuItem::EdicionPegar));

    // Without editing, neither the selection nor the lines are asked about.
    index.answers["permiteedicion"] = false;
    index.words.clear();
    EXPECT_FALSE(enabled(main, MenuItem::EdicionCopiar));
    EXPECT_FALSE(enabled(main, MenuItem::EdicionIdentar));
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

TEST_F(FrmMainTest, PropiedadesShowsTheActiveFileModallyOverTheMainWindow) {
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "Agenda", {"A", "B"})));
    AddChild(ChildKind::Indice, Registered(0));
    QString caption;
    // Runs inside the window's own event loop.
    QTimer::singleShot(0, &Main(), [&] {
        auto* info = Main().findChild<windows::frmInfo*>();
        if (info == nullptr) return;
        caption = info->windowTitle() + u' ' + info->Campo(QStringLiteral("txtFichas"))->text();
        info->cmdCerrar()->click();
    });
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoInformacion));
    EXPECT_EQ(caption, QStringLiteral("Propiedades de Agenda 3"));  // and its 3 cards
    EXPECT_EQ(Main().findChild<windows::frmInfo*>(), nullptr);
}

TEST_F(FrmMainTest, OpcionesLooksForDictionariesWhereSpellingDoes) {
    settings = std::make_unique<support::ProgramSettings>(Path("Cartulo.ini").toStdString());
    settings->ReadOptions();
    QString note;
    QTimer::singleShot(0, &Main(), [&] {
        auto* options = Main().findChild<support::frmOpciones*>();
        if (options == nullptr) return;
        note = options->SpellNote()->text();
        options->CancelButton()->click();
    });
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoOpciones));
    EXPECT_TRUE(note.contains(Path("sin-diccionarios")));
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

TEST_F(FrmMainTest, ShortcutsWinOverTheEditorsOwnBindings) {
    Main().show();
    FakeChild& child = AddChild(ChildKind::Indice, nullptr);
    child.editor->setPlainText(QStringLiteral("uno dos"));
    QTest::keyClick(child.editor, Qt::Key_A, Qt::ControlModifier);  // deferred "Abrir"
    EXPECT_FALSE(child.editor->textCursor().hasSelection());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fileDialogs.OpenProposals().empty(); }, 5000));
}

TEST_F(FrmMainTest, F10TogglesTheMenuBarAndTheAltKeysOpenTheCommandBarMenus) {
    Main().show();
    FakeChild& child = AddChild(ChildKind::Indice, nullptr);
    QTest::keyClick(child.editor, Qt::Key_F10);
    EXPECT_FALSE(Main().menuBar()->isHidden());
    QTest::keyClick(child.editor, Qt::Key_F10);
    EXPECT_TRUE(Main().menuBar()->isHidden());

    QMenu* edicion = Main().Menus().MenuOf(Menu::Edicion);
    QTest::keyClick(child.editor, Qt::Key_E, Qt::AltModifier);  // deferred "AbrirMenu" 1
    ASSERT_TRUE(QTest::qWaitFor([&] { return edicion->isVisible(); }, 5000));
    edicion->close();
    QMenu* ventana = Main().Menus().MenuOf(Menu::Ventana);
    Main().Comando("AbrirMenu", windows::Argumentos(QStringLiteral("4")));
    EXPECT_TRUE(ventana->isVisible());
    ventana->close();
}

TEST_F(FrmMainTest, TheTypedCommandSplitsAtTheFirstBlankAndIsRemembered) {
    frmMain& main = Main(true);
    main.SenalAutoguardado(true);  // a notice in the caption is not the box's title
    dialogs.QueueText("nuevocartulo   Mis notas  ");
    ASSERT_TRUE(main.EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando));
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Mis notas");
    ASSERT_EQ(dialogs.Inputs().size(), 1u);
    EXPECT_EQ(dialogs.Inputs()[0].prompt, QStringLiteral("Introduzca el comando."));
    EXPECT_EQ(dialogs.Inputs()[0].title, QStringLiteral("Cartulo"));

    dialogs.QueueText("");  // an empty answer does nothing
    main.EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando);
    EXPECT_EQ(dialogs.Inputs()[1].defaultText, QStringLiteral("nuevocartulo   Mis notas  "));
    EXPECT_EQ(registry.ListCount(), 1);
}

TEST_F(FrmMainTest, TheTypedCommandIsNotOfferedOutsideDebugMode) {
    EXPECT_FALSE(Main().EjecutarSiHabilitado(MenuItem::ArchivoEjecutarComando));
    EXPECT_TRUE(dialogs.Inputs().empty());
}

TEST_F(FrmMainTest, AboutBoxGivesTheProgramAndEngineVersions) {
    Main().show();
    QTest::keyClick(&Main(), Qt::Key_F1);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const auto& about = dialogs.Messages()[0];
    EXPECT_EQ(about.title, QStringLiteral("Acerca de Cartulo"));
    EXPECT_EQ(about.text, QStringLiteral("Cartulo v7.0.90224  "));
    const QStringList lines = about.detail.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Motor Cartulo v7.0.90224 ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("ZuzodIvodure v")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("VizurUzedeviVivadiz v")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("DrawScript v")));
}

TEST_F(FrmMainTest, PantallaCompletaTogglesAndRestores) {
    Main().show();
    EXPECT_FALSE(Main().PantallaCompleta());
    QTest::keyClick(&Main(), Qt::Key_F11);
    EXPECT_TRUE(Main().PantallaCompleta());
    EXPECT_TRUE(Main().windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(Main().BarraHerramientas()->isHidden());
    EXPECT_TRUE(Main().Menus().Action(MenuItem::VentanaPantallaCompleta)->isChecked());
    QTest::keyClick(&Main(), Qt::Key_F11);
    EXPECT_FALSE(Main().PantallaCompleta());
    EXPECT_FALSE(Main().windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(Main().BarraHerramientas()->isHidden());
    EXPECT_FALSE(Main().Menus().Action(MenuItem::VentanaPantallaCompleta)->isChecked());
}

}  // namespace
}  // namespace cartulo::shell::testing
