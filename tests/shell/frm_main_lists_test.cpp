// The window list (F12) and the list of open card files (Shift+F6).
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shell/frm_lista_cartulos.h"
#include "shell/frm_lista_ventanas.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

using windows::Argumentos;
using windows::ChildKind;

QStringList texts(const QListWidget& list) {
    QStringList result;
    for (int row = 0; row < list.count(); ++row) result << list.item(row)->text();
    return result;
}

class FrmMainListsTest : public FrmMainTest {
  protected:
    // Runs F12's dialog, handing it to `act` once it shows.
    void WindowList(const std::function<void(frmListaVentanas&)>& act) {
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* list = dynamic_cast<frmListaVentanas*>(QApplication::activeModalWidget())) {
                poll.stop();
                act(*list);
                if (list->isVisible()) list->reject();
            }
        });
        poll.start();
        ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::VentanaListaVentanas));
    }
    QMdiSubWindow* SubOf(FakeChild& child) { return qobject_cast<QMdiSubWindow*>(child.parent()); }
    frmListaCartulos* FileList() {
        for (windows::ChildWindow* w : Main().Ventanas()) {
            if (auto* list = dynamic_cast<frmListaCartulos*>(w)) return list;
        }
        return nullptr;
    }
    std::shared_ptr<cCartulo> Open(const QString& name, const std::string& title) {
        Main().Comando("abrir", Argumentos(MakeFile(name, title)));
        return registry.List(registry.ListCount() - 1);
    }
};

TEST_F(FrmMainListsTest, WindowListActsOnTheWindowOfTheItemChosen) {
    Main().show();
    FakeChild& first = AddChild(ChildKind::Ficha, nullptr);
    FakeChild& second = AddChild(ChildKind::Ficha, nullptr);
    FakeChild& other = AddChild(ChildKind::Indice, nullptr);
    first.setWindowTitle("Gemela");
    second.setWindowTitle("Gemela");
    other.setWindowTitle("Otra");
    SubOf(first)->showMinimized();
    Main().AreaMdi()->setActiveSubWindow(SubOf(other));

    WindowList([](frmListaVentanas& list) {
        EXPECT_EQ(texts(*list.lstVentanas()), (QStringList{"Gemela", "Gemela", "Otra"}));
        EXPECT_EQ(list.lstVentanas()->currentRow(), 2);
        list.lstVentanas()->clearSelection();
        EXPECT_FALSE(list.cmdAceptar()->isEnabled());
        EXPECT_FALSE(list.cmdCerrarVentana()->isEnabled());
        list.lstVentanas()->setCurrentRow(0);
        QListWidget& items = *list.lstVentanas();
        const QPoint at = items.visualItemRect(items.item(0)).center();
        QTest::mouseClick(items.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(items.viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(Main().AreaMdi()->activeSubWindow(), SubOf(first));
    EXPECT_FALSE(SubOf(first)->isMinimized());

    // The first of the twins is closed, not the second; the list stays open.
    QPointer<QWidget> gone = &first;
    QPointer<QWidget> kept = &second;
    WindowList([](frmListaVentanas& list) {
        list.lstVentanas()->setCurrentRow(0);
        list.cmdCerrarVentana()->click();
        EXPECT_TRUE(list.isVisible());
        EXPECT_EQ(texts(*list.lstVentanas()), (QStringList{"Gemela", "Otra"}));
        list.lstVentanas()->setCurrentRow(1);
        list.cmdAceptar()->click();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 5000));
    EXPECT_FALSE(kept.isNull());
    EXPECT_EQ(Main().Ventanas().size(), 2u);
    EXPECT_EQ(Main().AreaMdi()->activeSubWindow(), SubOf(other));
}

TEST_F(FrmMainListsTest, FileListFollowsTheRegistryAndKeepsItsSelectionById) {
    Main().show();
    const auto alfa = Open("a.ctu", "Alfa");
    EXPECT_EQ(FileList(), nullptr);  // one file: no list
    const auto beta = Open("b.ctu", "Beta");
    frmListaCartulos* list = FileList();
    ASSERT_NE(list, nullptr);
    QListWidget& items = *list->lstCartulos();
    EXPECT_EQ(texts(items), (QStringList{"Alfa", "Beta"}));
    EXPECT_EQ(list->Cartulo(), beta);  // the new one is selected
    const QRect docked = qobject_cast<QMdiSubWindow*>(list->parent())->geometry();
    EXPECT_EQ(docked.right() + 1, Main().AreaCliente().width());
    EXPECT_EQ(docked.bottom() + 1, Main().AreaCliente().height());

    const auto gamma = Open("c.ctu", "Gamma");
    EXPECT_EQ(list->Cartulo(), gamma);
    list->Seleccionar(registry.ID(0));
    ASSERT_TRUE(alfa->SetTxt(alfa->GetMain(), "Aleph"));
    registry.NotifyRename(alfa.get());
    EXPECT_EQ(texts(items), (QStringList{"Aleph", "Beta", "Gamma"}));
    EXPECT_EQ(list->Cartulo(), alfa);

    // "&Cerrar" with the list active closes its selected file, not the list.
    list->Seleccionar(registry.ID(1));
    Main().MuestraListaCartulos();
    ASSERT_EQ(Main().VentanaActiva(), list);
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoCerrar));
    EXPECT_EQ(texts(items), (QStringList{"Aleph", "Gamma"}));
    ASSERT_EQ(FileList(), list);

    // Enter opens the selected file's index.
    for (windows::ChildWindow* w : Main().Ventanas()) {
        if (w->Kind() == ChildKind::Indice && w->Cartulo() == alfa) w->Comando("cerrar");
    }
    list->Seleccionar(registry.ID(0));
    QTest::keyClick(&items, Qt::Key_Return);
    ASSERT_EQ(Main().VentanaActiva()->Kind(), ChildKind::Indice);
    EXPECT_EQ(Main().VentanaActiva()->Cartulo(), alfa);
    // And so does a double click.
    const QPoint at = items.visualItemRect(items.item(1)).center();
    QTest::mouseClick(items.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(items.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(Main().VentanaActiva()->Kind(), ChildKind::Indice);
    EXPECT_EQ(Main().VentanaActiva()->Cartulo(), gamma);

    dialogs.QueueAnswer(support::MsgResult::No);  // Aleph changed: not saved
    Main().Archivos().Cerrar(alfa);
    Main().Archivos().Cerrar(gamma);
    EXPECT_EQ(texts(items), (QStringList{"(no hay cartulos abiertos)"}));
    EXPECT_FALSE(items.isEnabled());
    EXPECT_EQ(list->Cartulo(), nullptr);
}

}  // namespace
}  // namespace cartulo::shell::testing
