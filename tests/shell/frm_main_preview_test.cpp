// The preview as the main window opens, docks, feeds and forgets it; and
// the resources every rich-text binding of the program shares.
#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include "richtext/binding_resources.h"
#include "richtext/our_mc.h"
#include "shell/startup.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/frm_indice.h"
#include "windows/frm_vista_previa.h"
#include "windows/preview_canvas.h"
#include "windows/preview_close_button.h"

namespace cartulo::shell::testing {
namespace {

using windows::frmFicha;
using windows::frmVistaPrevia;

class FrmMainPreviewTest : public FrmMainTest {
  protected:
    std::shared_ptr<cCartulo> Open(const QString& name, const std::string& title,
                                   const std::vector<std::string>& entries) {
        Main().show();
        const int before = registry.ListCount();
        Main().Comando("abrir", windows::Argumentos(MakeFile(name, title, entries)));
        EXPECT_EQ(registry.ListCount(), before + 1);
        return Registered(before);
    }
    frmFicha* ActiveCard() { return dynamic_cast<frmFicha*>(Main().VentanaActiva()); }
    frmFicha* CardOf(const cCartulo& file, CardId id) {
        for (windows::ChildWindow* w : Main().Ventanas()) {
            auto* card = dynamic_cast<frmFicha*>(w);
            if (card != nullptr && card->Cartulo().get() == &file && card->ID() == id) return card;
        }
        return nullptr;
    }
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

TEST_F(FrmMainPreviewTest, F5AndTheMenuItemOpenOnePreviewDockedOnTheActiveCard) {
    auto file = Open("a.ctu", "Animales", {"Gatos", "Perros"});
    const CardId gatos = file->SrchNtry("Gatos");
    Main().MuestraFicha(file, gatos);
    ActiveCard()->txtTxt()->setFocus();
    EXPECT_EQ(Main().VistaPrevia(), nullptr);

    PressF5();
    frmVistaPrevia* preview = Main().VistaPrevia();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->Cartulo(), file);
    EXPECT_EQ(preview->ID(), gatos);
    EXPECT_EQ(preview->Titulo(), QStringLiteral(" Gatos"));
    EXPECT_EQ(InViewport(*preview), Docked());

    // Open already: brought forward, not made again.
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia));
    PressF5();
    EXPECT_EQ(Main().VistaPrevia(), preview);
    EXPECT_EQ(Main().AreaMdi()->findChildren<frmVistaPrevia*>().size(), 1);

    // The item is in the Ventana menu, which the command bar's panel offers.
    const QAction* item = Main().Menus().Action(MenuItem::VentanaVistaPrevia);
    EXPECT_TRUE(Main().Menus().MenuOf(Menu::Ventana)->actions().contains(item));
    EXPECT_EQ(CaptionOf(*item), QStringLiteral("Vista previa"));
    EXPECT_TRUE(item->text().endsWith(QStringLiteral("\tF5")));
}

TEST_F(FrmMainPreviewTest, ItStaysOverTheChildWindowsAndDocksAgainWhenTheAreaResizes) {
    auto file = Open("a.ctu", "Animales", {"Gatos"});
    const CardId gatos = file->SrchNtry("Gatos");
    Main().MuestraFicha(file, gatos);
    Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia);
    frmVistaPrevia* preview = Main().VistaPrevia();
    ASSERT_NE(preview, nullptr);

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

    // Rolled up, it docks again rolled up; "&Ordenar ventanas" docks it too.
    preview->SetMinimizada(true);
    const int rolledHeight = preview->height();
    Main().resize(Main().size() - QSize(60, 40));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return InViewport(*preview).right() == Docked().right(); }, 5000));
    EXPECT_TRUE(preview->Minimizada());
    EXPECT_EQ(preview->height(), rolledHeight);
    preview->SetMinimizada(false);
    EXPECT_EQ(InViewport(*preview), Docked());

    preview->move(10, 10);
    Main().EjecutarSiHabilitado(MenuItem::VentanaOrdenar);
    EXPECT_EQ(InViewport(*preview), Docked());
}

TEST_F(FrmMainPreviewTest, ItFollowsTheActiveCardWindowAndIsEmptyFromTheIndex) {
    auto animals = Open("a.ctu", "Animales", {"Gatos", "Perros"});
    const CardId gatos = animals->SrchNtry("Gatos");
    const CardId perros = animals->SrchNtry("Perros");

    // From the index window: empty.
    Main().MuestraIndice(animals);
    ASSERT_EQ(Main().VentanaActiva()->Kind(), windows::ChildKind::Indice);
    PressF5();
    frmVistaPrevia* preview = Main().VistaPrevia();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), QString());

    // It fills when a card window is activated, and follows the next ones.
    Main().MuestraFicha(animals, gatos);
    EXPECT_EQ(preview->Cartulo(), animals);
    EXPECT_EQ(preview->ID(), gatos);
    Main().MuestraFicha(animals, perros);
    EXPECT_EQ(preview->ID(), perros);
    EXPECT_EQ(preview->Titulo(), QStringLiteral(" Perros"));
    QMdiSubWindow* gatosWindow = nullptr;
    for (QMdiSubWindow* sub : Main().AreaMdi()->subWindowList()) {
        if (sub->widget() == CardOf(*animals, gatos)) gatosWindow = sub;
    }
    ASSERT_NE(gatosWindow, nullptr);
    Main().AreaMdi()->setActiveSubWindow(gatosWindow);
    EXPECT_EQ(preview->ID(), gatos);

    // A link clicked in it opens that card's window, which it then follows.
    ASSERT_TRUE(animals->SetTxt(gatos,
                                "Ver \xAB"
                                "Perros\xBB"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->RepintePendiente(); }, 10000));
    const richtext::HotZone& link = preview->Renderer().pMC().HotZones().At(0);
    const QPointF centre((link.x1 + link.x2) / 2, (link.y1 + link.y2) / 2);
    QTest::mouseClick(preview->picSalida(), Qt::LeftButton, {},
                      (centre / preview->picSalida()->devicePixelRatioF()).toPoint());
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->ID() == perros; }, 10000));
    EXPECT_EQ(ActiveCard(), CardOf(*animals, perros));

    // The index does not empty it again; a card of another file with the
    // same identifier is that file's card.
    Main().MuestraIndice(animals);
    EXPECT_EQ(preview->ID(), perros);
    auto plants = Open("p.ctu", "Plantas", {"Helechos", "Rosas"});
    const QString entry = QString::fromStdString(plants->GetNtry(gatos));
    ASSERT_TRUE(entry == "Helechos" || entry == "Rosas");
    Main().MuestraFicha(plants, gatos);
    EXPECT_EQ(preview->Cartulo(), plants);
    EXPECT_EQ(preview->ID(), gatos);
    EXPECT_EQ(preview->Titulo(), u' ' + entry);
}

TEST_F(FrmMainPreviewTest, ItsCloseButtonForgetsItAndF5OpensAFreshOne) {
    auto file = Open("a.ctu", "Animales", {"Gatos"});
    const CardId gatos = file->SrchNtry("Gatos");
    Main().MuestraFicha(file, gatos);
    PressF5();
    QPointer<frmVistaPrevia> first = Main().VistaPrevia();
    ASSERT_TRUE(first);

    // The pointer near the top-right corner shows the button; a click on it closes.
    QMouseEvent near(QEvent::MouseMove, QPointF(first->width() - 4, 4),
                     first->mapToGlobal(QPointF(first->width() - 4, 4)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(first.data(), &near);
    ASSERT_TRUE(first->cmdCerrar()->isVisible());
    QTest::mouseClick(first->cmdCerrar(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 5000));
    EXPECT_EQ(Main().VistaPrevia(), nullptr);

    // Cards activated meanwhile reach no preview.
    Main().MuestraFichaPrincipal(file);
    Main().MuestraFicha(file, gatos);
    ActiveCard()->txtTxt()->setFocus();
    PressF5();
    frmVistaPrevia* second = Main().VistaPrevia();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->ID(), gatos);
    EXPECT_EQ(InViewport(*second), Docked());
}

TEST_F(FrmMainPreviewTest, AnEditRepaintsItAndClosingTheCardFileEmptiesIt) {
    auto file = Open("a.ctu", "Animales", {"Gatos", "Perros"});
    const CardId gatos = file->SrchNtry("Gatos");
    const CardId perros = file->SrchNtry("Perros");
    Main().MuestraFicha(file, perros);
    Main().MuestraFicha(file, gatos);
    PressF5();
    frmVistaPrevia* preview = Main().VistaPrevia();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->RepintePendiente(); }, 5000));
    const int painted = preview->Repintados();
    EXPECT_GE(painted, 1);

    // Typing in the card window: painted again once the event loop turns.
    ActiveCard()->txtTxt()->setPlainText(QStringLiteral("Maúllan.\r\n{b}Mucho{/b}."));
    EXPECT_EQ(file->GetTxt(gatos), "Ma\xFAllan.\r\n{b}Mucho{/b}.");
    EXPECT_TRUE(preview->RepintePendiente());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->RepintePendiente(); }, 5000));
    EXPECT_EQ(preview->Repintados(), painted + 1);

    // Another card's text is not the preview's business.
    file->SetTxt(perros, "Ladran.");
    EXPECT_FALSE(preview->RepintePendiente());

    // "&Cerrar" of Archivo: the preview stays, with no card.
    dialogs.QueueAnswer(support::MsgResult::No);  // in case it asks to save
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoCerrar));
    ASSERT_EQ(registry.ListCount(), 0);
    ASSERT_EQ(Main().VistaPrevia(), preview);
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), QString());
}

TEST(StartupResourcesTest, TheStartInstallsTheSharedResourcesAndTheEndDropsThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    cCartulos registry;
    support::ScriptedUserDialogs dialogs;
    StartupOptions options;
    options.channelName = dir.filePath("canal");
    options.settingsFile = dir.filePath("config/Cartulo.ini").toStdString();
    options.workingDirectory = dir.path();
    options.registry = &registry;
    options.dialogs = &dialogs;
    ASSERT_EQ(ProgramResources(), nullptr);
    {
        Arranque start(std::move(options));
        ASSERT_EQ(start.Iniciar(), StartupResult::Shown);
        const auto resources = ProgramResources();
        ASSERT_NE(resources, nullptr);
        EXPECT_NE(resources->imageCache, nullptr);
        ASSERT_NE(resources->speaker, nullptr);
        EXPECT_EQ(resources->speaker->Width(), 16);
        EXPECT_NE(resources->speakerPressed, nullptr);
        EXPECT_TRUE(static_cast<bool>(resources->playSound));
        EXPECT_EQ(resources->programFolder,
                  QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    }
    EXPECT_EQ(ProgramResources(), nullptr);
}

}  // namespace
}  // namespace cartulo::shell::testing
