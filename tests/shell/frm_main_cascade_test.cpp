// Where card windows go, and the windows docked at the right edge.
#include <QTest>

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

TEST_F(FrmMainTest, TheCascadeStartsAgainWhenTheLastCardWindowCloses) {
    Main().resize(900, 700);
    Main().show();
    const QSize small(50, 50);
    EXPECT_EQ(Main().PosicionCascada(small), QPoint(0, 0));
    FakeChild& card = AddChild(windows::ChildKind::Ficha, nullptr);
    FakeChild& index = AddChild(windows::ChildKind::Indice, nullptr);
    EXPECT_EQ(Main().PosicionCascada(small), QPoint(32, 32));

    Main().VentanaCerrada(index);  // not a card window
    EXPECT_EQ(Main().PosicionCascada(small), QPoint(64, 64));
    delete card.parentWidget();  // the last card window
    EXPECT_EQ(Main().PosicionCascada(small), QPoint(0, 0));
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

}  // namespace
}  // namespace cartulo::shell::testing
