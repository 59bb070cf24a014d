// Where card windows go.
#include "shell/cascade.h"
#include "tests/shell/frm_main_fixture.h"

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

}  // namespace
}  // namespace cartulo::shell::testing
