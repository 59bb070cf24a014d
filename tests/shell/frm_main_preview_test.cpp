// Where card windows go, and the preview docked at the right edge: how the
// main window opens, docks, feeds and forgets it.
#include <QCoreApplication>

#include "shell/cascade.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/frm_vista_previa.h"

namespace cartulo::shell::testing {
namespace {

TEST(Cascada, StepsByFourHundredEightyTwipsAndStartsAgainWhenTheNextWouldNotFit) {
    Cascada cascade;
    const QSize area(200, 200);
    const QSize window(100, 100);
    EXPECT_EQ(cascade.Siguiente(window, area), QPoint(0, 0));
    EXPECT_EQ(cascade.Siguiente(window, area), QPoint(32, 32));
    EXPECT_EQ(cascade.Siguiente(window, area), QPoint(64, 64));
    EXPECT_EQ(cascade.Siguiente(window, area), QPoint(96, 96));
    EXPECT_EQ(cascade.Siguiente(window, area), QPoint(0, 0));  // 128 + 100 > 200
    EXPECT_EQ(cascade.OffsetTwips(), 480);

    Cascada scaled(1.25);
    scaled.Siguiente(window, area);
    EXPECT_EQ(scaled.Siguiente(window, area), QPoint(40, 40));
}

TEST_F(FrmMainTest, TheIndexStandsLeftOfTheDockedPreviewUnlessTheUserMovedIt) {
    Main().show();
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    QWidget* index = Main().Ventanas()[0]->Widget()->parentWidget();  // its frame
    const auto right = [index] { return index->geometry().topRight() + QPoint(1, 0); };
    const auto closePreview = [&] {
        Main().VistaPrevia()->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Main().VistaPrevia() == nullptr; }, 5000));
    };
    using windows::frmVistaPrevia;
    const QPoint edge(Main().AreaCliente().width(), 0);
    const QPoint beside =
        edge - QPoint(frmVistaPrevia::kAnchoPixeles + 2 * frmVistaPrevia::kMargenPixeles, 0);
    EXPECT_EQ(right(), edge);
    Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia);
    EXPECT_EQ(right(), beside);
    closePreview();
    EXPECT_EQ(right(), edge);
    Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia);
    Main().EjecutarSiHabilitado(MenuItem::VentanaOrdenar);
    EXPECT_EQ(right(), beside);

    index->move(20, 30);  // by hand: it stays
    closePreview();
    EXPECT_EQ(index->pos(), QPoint(20, 30));
    Main().EjecutarSiHabilitado(MenuItem::VentanaOrdenar);
    EXPECT_EQ(right(), edge);
}

using windows::frmVistaPrevia;

class FrmMainPreviewTest : public FrmMainTest {
  protected:
    // F5 as the user presses it, in the window that has the keys.
    void PressF5() {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &Main(), Qt::Key_F5);
    }
    // Where the preview sits in the viewport's coordinates.
    QRect InViewport(const frmVistaPrevia& preview) {
        const QWidget* viewport = Main().AreaMdi()->viewport();
        return QRect(viewport->mapFromGlobal(preview.mapToGlobal(QPoint(0, 0))), preview.size());
    }
    QRect Docked() {
        const QSize area = Main().AreaCliente();
        return QRect(area.width() - 405, 5, 400, area.height() - 10);
    }
};

TEST_F(FrmMainPreviewTest, F5OpensOneDockedOverTheOtherWindowsFollowingTheActiveCard) {
    auto animals = Open({"Gatos", "Perros"});
    const CardId gatos = animals->SrchNtry("Gatos");
    const CardId perros = animals->SrchNtry("Perros");

    // From the index window: empty.
    Main().MuestraIndice(animals);
    ASSERT_EQ(Main().VentanaActiva()->Kind(), windows::ChildKind::Indice);
    EXPECT_EQ(Main().VistaPrevia(), nullptr);
    PressF5();
    frmVistaPrevia* preview = Main().VistaPrevia();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(InViewport(*preview), Docked());
    EXPECT_EQ(preview->Cartulo(), nullptr);

    // It fills when a card window is activated, and follows the next ones.
    Main().MuestraFicha(animals, gatos);
    EXPECT_EQ(preview->Cartulo(), animals);
    Main().MuestraFicha(animals, perros);
    Main().MuestraFicha(animals, gatos);  // its window, activated again
    EXPECT_EQ(preview->ID(), gatos);

    // The index does not empty it; a card of another file with the
    // same identifier is that file's card.
    Main().MuestraIndice(animals);
    EXPECT_EQ(preview->ID(), gatos);
    auto plants = Open({"Helechos", "Rosas"}, "p.ctu", "Plantas");
    ASSERT_FALSE(plants->GetNtry(gatos).empty());
    Main().MuestraFicha(plants, gatos);
    EXPECT_EQ(preview->Cartulo(), plants);
    EXPECT_EQ(preview->ID(), gatos);

    // "&Cerrar" of Archivo: the preview stays, with no card.
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoCerrar));
    ASSERT_EQ(registry.ListCount(), 1);
    ASSERT_EQ(Main().VistaPrevia(), preview);
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), QString());

    // Open already: brought forward, not made again.
    Main().MuestraFicha(animals, gatos);
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia));
    PressF5();
    EXPECT_EQ(Main().VistaPrevia(), preview);
    EXPECT_EQ(Main().AreaMdi()->findChildren<frmVistaPrevia*>().size(), 1);

    // A card window filling the area and active does not cover it.
    QMdiSubWindow* sub = Main().AreaMdi()->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    sub->showMaximized();
    Main().AreaMdi()->setActiveSubWindow(sub);
    const QPoint middle = InViewport(*preview).center();
    const QWidget* viewport = Main().AreaMdi()->viewport();
    const QWidget* hit = Main().AreaMdi()->childAt(viewport->mapTo(Main().AreaMdi(), middle));
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == preview || preview->isAncestorOf(hit));

    // The area grows: the preview follows its right and bottom edges.
    const QSize before = Main().AreaCliente();
    Main().resize(Main().size() + QSize(120, 80));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().AreaCliente() != before; }, 5000));
    EXPECT_EQ(InViewport(*preview), Docked());

    // Moved away, "&Ordenar ventanas" docks it again.
    preview->move(10, 10);
    Main().EjecutarSiHabilitado(MenuItem::VentanaOrdenar);
    EXPECT_EQ(InViewport(*preview), Docked());
}

}  // namespace
}  // namespace cartulo::shell::testing
