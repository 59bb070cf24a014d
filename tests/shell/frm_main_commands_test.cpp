// The main window's command words, and the command bar: its panels, the
// elements windows add to it, and the search field's placeholder.
#include <QPointer>
#include <QSignalSpy>

#include <cmath>

#include "shell/command_bar.h"
#include "shell/command_bar_button.h"
#include "shell/search_field.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/frm_busqueda_global.h"

namespace cartulo::shell::testing {
namespace {

using windows::Argumentos;
using windows::ChildKind;

TEST_F(FrmMainTest, AbrirInAnyCaseOpensOnceAndWithoutArgumentAsksForAFile) {
    const QString path = MakeFile("uno.ctu", "Uno");
    Main().Comando("ABRIR", Argumentos(path));
    Main().ComandoRecibido("Abrir", path);  // a channel line with its argument
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Uno");
    EXPECT_TRUE(fileDialogs.OpenProposals().empty());

    Main().Comando("abrir");  // the dialog, cancelled
    Main().ComandoRecibido("abrir", std::nullopt);
    EXPECT_EQ(fileDialogs.OpenProposals().size(), 2u);
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(FrmMainTest, WordsWithoutAFileOrWindowDoNothingEditingWordsGoToTheActiveWindow) {
    for (const char* word : {"nuevaficha", "NuevaHermana", "copiar", "noexiste", "imprimir"}) {
        Main().Comando(word, Argumentos(QStringLiteral("x")));
    }
    EXPECT_EQ(registry.ListCount(), 0);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(Main().Ventanas().empty());

    FakeChild& child = AddChild(ChildKind::Indice, nullptr);
    for (const char* word : {"COPIAR", "cortar", "Deshacer", "pegar"}) Main().Comando(word);
    EXPECT_EQ(child.Actions(), (std::vector<QString>{"Copiar", "Cortar", "Deshacer", "Pegar"}));
}

TEST_F(FrmMainTest, UnknownWordsInDebugModeShowTheMessageWithTheWordAsReceived) {
    // The caption may carry a notice; the box is titled with the program's name.
    Main(true).SenalAutoguardado(true);
    ASSERT_EQ(Main().windowTitle(), QStringLiteral("Cartulo (error al autoguardar)"));
    Main().Comando("NoExiste");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const auto& message = dialogs.Messages().front();
    EXPECT_EQ(message.text, QStringLiteral("Comando no reconocido: frmMain.NoExiste ."));
    EXPECT_EQ(message.title, QStringLiteral("Cartulo"));
    EXPECT_EQ(message.flags & 0x70, support::msg::kCritical);
    Main().Comando("imprimir");  // in the vocabulary: no message
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(FrmMainTest, ImprimirPrintsTheActiveCardPageAfterPageUnlessPrintingIsTurnedOff) {
    settings = std::make_unique<support::ProgramSettings>(Path("Cartulo.ini").toStdString());
    settings->ReadOptions();
    Main().Comando("imprimir");  // no card window: not even the dialog
    EXPECT_EQ(printDialogs.Asked(), 0);
    Main().Comando("abrir", Argumentos(MakeFile("largo.ctu", "Largo", {"Larga"})));
    const std::shared_ptr<cCartulo> file = Registered(0);
    // Lines of 100 pt: 7 or 8 to a page on A4, whatever the font.
    std::string text = "{MU:0}";
    for (int i = 0; i < 20; ++i) text += "{VS:100}linea " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(file->SetTxt(file->SrchNtry("Larga"), text));
    Main().MuestraFicha(file, file->SrchNtry("Larga"));
    for (const char* name : {"ficha.pdf", "no/hay/carpeta.pdf"}) printDialogs.QueuePdf(Path(name));
    for (int i = 0; i < 3; ++i) Main().Comando("imprimir");  // the last one cancelled
    QFile pdf(Path("ficha.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n"), 3);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, QStringLiteral("No se pudo imprimir la ficha."));
    // Turned off, it takes effect at once.
    ASSERT_FALSE(settings->SaveNoPrinting(true));
    Main().Comando("imprimir");
    EXPECT_EQ(printDialogs.Asked(), 3);
}

TEST_F(FrmMainTest, TheSearchFieldShowsItsPlaceholderOnlyWhileEmptyAndUnfocusedAndItsWordsAct) {
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    CampoBuscar* field = Main().Barra()->Buscador();
    EXPECT_EQ(field->text(), QStringLiteral("Buscar"));

    Main().Comando("buscarglobal");  // nothing typed: the field takes the focus
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus() || !field->MuestraMarcador(); }));
    EXPECT_EQ(field->text(), QString());
    QTest::keyClicks(field, "pulpo");
    QTest::keyClick(field, Qt::Key_Escape);  // empties it; no child to focus
    EXPECT_EQ(field->TextoEscrito(), QString());
    QTest::keyClicks(field, "gatos");
    QTest::keyClick(field, Qt::Key_Return);  // the typed text: the global search's pop-up
    QPointer<windows::frmBusquedaGlobal> popup;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return popup = Main().findChild<windows::frmBusquedaGlobal*>(); }));
    EXPECT_EQ(popup->Consulta(), QStringLiteral("gatos"));
    // A key the pop-up does not use reaches the main window's shortcuts once
    // the pop-up's handler is done: F3 searches again, in a new pop-up.
    Main().ComandoRecibido("Abrir", MakeFile("uno.ctu", "Uno"));
    Main().ComandoRecibido("Abrir", MakeFile("dos.ctu", "Dos"));
    const QPointer<windows::frmBusquedaGlobal> first = popup;
    QTest::keyClick(first->lstRes(), Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (auto* open : Main().findChildren<windows::frmBusquedaGlobal*>())
            if (open != first && open->isVisible()) popup = open;
        return popup != first;
    }));
    QTest::keyClick(popup->lstRes(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isNull(); }));

    Main().Comando("BorrarBusqueda");
    EXPECT_TRUE(field->TextoEscrito().isEmpty());
    Main().Barra()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !field->hasFocus(); }));
    EXPECT_EQ(field->text(), QStringLiteral("Buscar"));
}

TEST_F(FrmMainTest, ActivarRestoresAMinimisedWindowToItsLastState) {
    Main().showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().isMaximized(); }));
    Main().showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().isMinimized(); }));
    Main().Comando("Activar");
    EXPECT_FALSE(Main().isMinimized());
    EXPECT_TRUE(Main().windowState() & Qt::WindowMaximized);
}

TEST_F(FrmMainTest, ElementsAreRemovedByOwnerAndClearingKeepsTheMainWindowsOwn) {
    Main().BarraAnadeComando("frmMain", 2, "Propio", "nuevocartulo");
    Main().BarraAnadeComando("frmFicha", 2, "De ficha", "copiar");
    Main().BarraAnadeComando("frmIndice", 4, "De índice", "pegar");
    BarraComandos& bar = *Main().Barra();
    Main().BarraQuitarElementos("frmIndice");
    EXPECT_EQ(bar.Elementos().All().size(), 2u);
    EXPECT_TRUE(bar.BotonesDeElementos(4).isEmpty());

    Main().BarraLimpiar();
    ASSERT_EQ(bar.Elementos().All().size(), 1u);
    EXPECT_EQ(bar.Elementos().All()[0].caption, QStringLiteral("Propio"));

    // A click sends the element's command.
    ASSERT_EQ(bar.BotonesDeElementos(2).size(), 1);
    bar.BotonesDeElementos(2)[0]->click();
    EXPECT_EQ(registry.ListCount(), 0);  // asked for a title, cancelled
    EXPECT_EQ(dialogs.Inputs().size(), 1u);
}

TEST_F(FrmMainTest, WindowsAddMenuElementsAndReachThePanelsInnerAreas) {
    Main().show();
    BarraComandos& bar = *Main().Barra();
    windows::MainServices& services = Main();
    auto* own = new QMenu(&Main());
    own->setObjectName(QStringLiteral("mnuPropio"));
    own->addAction(QStringLiteral("Una acción"));
    services.BarraAnadeMenu("frmFicha", 2, "Ventanas", "mnuVentana");
    services.BarraAnadeMenu("frmFicha", 2, "Propio", "mnuPropio");
    services.BarraAnadeMenu("frmFicha", 2, "Ayuda", "ayuda");  // a main menu by its caption
    services.BarraAnadeMenu("frmFicha", 2, "Nada", "mnuNoExiste");
    const QList<BotonBarra*> buttons = bar.BotonesDeElementos(2);
    ASSERT_EQ(buttons.size(), 4);

    const std::vector<QMenu*> expected = {Main().Menus().MenuOf(Menu::Ventana), own,
                                          Main().Menus().MenuOf(Menu::Ayuda)};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        buttons[static_cast<int>(i)]->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return expected[i]->isVisible(); }, 5000)) << i;
        expected[i]->close();
        ASSERT_TRUE(
            QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 5000));
    }
    buttons[3]->click();  // no such menu: nothing opens
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // The inner area holds the panel's elements; a window may add its own widgets.
    QWidget* area = services.BarraObtienePanelCliente(2);
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(bar.isAncestorOf(area));
    EXPECT_EQ(buttons[0]->parentWidget(), area);
    EXPECT_EQ(services.BarraObtienePanelCliente(8), nullptr);
    EXPECT_EQ(services.BarraObtienePanelCliente(-1), nullptr);
}

TEST_F(FrmMainTest, MenuPanelsOfferTheMenusAndAbrirMenuCountsFromOrganizar) {
    Main().show();
    QMenu* cartuloMenu = Main().Menus().MenuOf(Menu::Cartulo);
    Main().Barra()->Boton(BarPanel::Cartulo)->click();
    EXPECT_TRUE(cartuloMenu->isVisible());
    cartuloMenu->close();
    for (const int n : {-1, 5, 2147483647}) EXPECT_FALSE(Main().Barra()->AbrirMenu(n)) << n;

    // Numbers from other programs: only 0 to 4 open a menu; the rest do
    // nothing, and never reach arithmetic that could overflow.
    // clang-format off
    const std::pair<QVariant, std::optional<Menu>> cases[] = {
        {9, {}}, {-1, {}}, {2147483647, {}}, {1e300, {}}, {std::nan(""), {}}, {"2147483647", {}},
        {"-1e300", {}}, {"1e99999", {}}, {"99999999999999999999", {}}, {"nan", {}}, {"-inf", {}},
        {"x", {}}, {"+-1", {}}, {".5e1", {}}, {2.9, Menu::Ficha}, {" 3 ", Menu::Cartulo},
        {"+1", Menu::Edicion}, {"4e0x", Menu::Ventana}, {"-0.5", Menu::Archivo},
        {0, Menu::Archivo}, {5, {}}, {"", Menu::Archivo}, {QVariant(), Menu::Archivo}};
    // clang-format on
    for (const auto& [argument, menu] : cases) {
        Main().Comando("abrirmenu", windows::Argumentos(argument));
        for (const Menu each :
             {Menu::Archivo, Menu::Edicion, Menu::Ficha, Menu::Cartulo, Menu::Ventana}) {
            EXPECT_EQ(Main().Menus().MenuOf(each)->isVisible(), menu == each)
                << argument.toString().toStdString();
            Main().Menus().MenuOf(each)->close();
        }
    }
}

}  // namespace
}  // namespace cartulo::shell::testing
