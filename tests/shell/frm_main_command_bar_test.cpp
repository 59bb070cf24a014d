// The command bar: its panels, the elements windows add to it, and the
// search field's placeholder.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolBar>

#include <cmath>

#include "shell/command_bar.h"
#include "shell/command_bar_button.h"
#include "shell/search_field.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

TEST_F(FrmMainTest, ElementsAreRemovedByOwnerAndClearingKeepsTheMainWindowsOwn) {
    Main().BarraAnadeComando("frmMain", 2, "Propio", "nuevocartulo");
    Main().BarraAnadeComando("frmFicha", 2, "De ficha", "copiar");
    Main().BarraAnadeComando("frmIndice", 4, "De índice", "pegar");
    BarraComandos& bar = *Main().Barra();
    EXPECT_EQ(bar.Elementos().All().size(), 3u);
    EXPECT_EQ(bar.BotonesDeElementos(2).size(), 2);

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

    services.BarraLimpiar();
    EXPECT_TRUE(bar.BotonesDeElementos(2).isEmpty());
}

TEST_F(FrmMainTest, MenuPanelsOfferTheMenusAndAbrirMenuCountsFromOrganizar) {
    Main().show();
    BarraComandos& bar = *Main().Barra();
    EXPECT_EQ(bar.Boton(BarPanel::Organizar)->text(), QStringLiteral("Organizar"));
    EXPECT_EQ(bar.Boton(BarPanel::Edicion)->text(), QStringLiteral("Edición"));
    EXPECT_EQ(bar.Boton(BarPanel::Ayuda)->text(), QStringLiteral("Ayuda"));

    QMenu* archivo = Main().Menus().MenuOf(Menu::Archivo);
    Main().Comando("abrirmenu", windows::Argumentos(QVariant(0)));
    EXPECT_TRUE(archivo->isVisible());
    archivo->close();
    QMenu* cartuloMenu = Main().Menus().MenuOf(Menu::Cartulo);
    bar.Boton(BarPanel::Cartulo)->click();
    EXPECT_TRUE(cartuloMenu->isVisible());
    cartuloMenu->close();

    // Numbers from other programs: only 0 to 4 open a menu; the rest do
    // nothing, and never reach arithmetic that could overflow.
    // clang-format off
    const std::pair<QVariant, std::optional<Menu>> cases[] = {
        {9, {}}, {-1, {}}, {2147483647, {}}, {1e300, {}}, {std::nan(""), {}}, {"2147483647", {}},
        {"-1e300", {}}, {"1e99999", {}}, {"99999999999999999999", {}}, {"nan", {}}, {"-inf", {}},
        {"x", {}}, {"+-1", {}}, {".5e1", {}}, {2.9, Menu::Ficha}, {" 3 ", Menu::Cartulo},
        {"+1", Menu::Edicion}, {"4e0x", Menu::Ventana}, {"-0.5", Menu::Archivo},
        {"", Menu::Archivo}, {QVariant(), Menu::Archivo}};
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

TEST_F(FrmMainTest, TheSearchFieldShowsItsPlaceholderOnlyWhileEmptyAndUnfocused) {
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    CampoBuscar* field = Main().Barra()->Buscador();
    EXPECT_EQ(field->text(), QStringLiteral("Buscar"));
    const QColor grey = field->palette().color(QPalette::Text);

    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    EXPECT_EQ(field->text(), QString());
    EXPECT_NE(field->palette().color(QPalette::Text), grey);

    QTest::keyClicks(field, "pulpo");
    QTest::keyClick(field, Qt::Key_Escape);  // empties it; no child to focus
    EXPECT_EQ(field->TextoEscrito(), QString());

    Main().Barra()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !field->hasFocus(); }));
    EXPECT_TRUE(field->MuestraMarcador());
    EXPECT_EQ(field->text(), QStringLiteral("Buscar"));
}

TEST_F(FrmMainTest, TheToolbarHasItsElevenButtonsAndSendsTheirKeys) {
    QStringList layout;
    for (const QAction* action : Main().BarraHerramientas()->actions()) {
        layout << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    }
    EXPECT_EQ(layout, (QStringList{"Nuevo cartulo", "Abrir", "Guardar", "Imprimir", "|", "Copiar",
                                   "Cortar", "Pegar", "Deshacer", "|", "Buscar", "|", "Nueva ficha",
                                   "Nueva hermana"}));
    for (QAction* action : Main().BarraHerramientas()->actions()) {
        if (action->objectName() == QStringLiteral("Abrir")) action->trigger();
    }
    EXPECT_EQ(fileDialogs.OpenProposals().size(), 1u);
}

}  // namespace
}  // namespace cartulo::shell::testing
