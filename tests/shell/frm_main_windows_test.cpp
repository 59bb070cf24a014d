// The windows the main window opens, finds, lists and closes, the window
// list (F12) and the list of open card files (Shift+F6).
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

#include "platform/text_codec.h"
#include "shell/frm_lista_cartulos.h"
#include "shell/frm_lista_ventanas.h"
#include "shell/new_entries.h"
#include "tests/shell/frm_main_fixture.h"
#include "windows/backlinks_strip.h"
#include "windows/card_text_edit.h"
#include "windows/frm_busqueda.h"
#include "windows/frm_ficha.h"
#include "windows/frm_indice.h"
#include "windows/frm_portapapeles.h"
#include "windows/frm_vista_previa.h"
#include "windows/index_model.h"

namespace cartulo::shell::testing {
namespace {

using support::MsgResult;
using windows::ChildKind;
using windows::frmFicha;
using windows::frmIndice;

class FrmMainWindowsTest : public FrmMainTest {
  protected:
    std::vector<frmFicha*> Cards() {
        std::vector<frmFicha*> cards;
        for (windows::ChildWindow* w : Main().Ventanas()) {
            if (auto* card = dynamic_cast<frmFicha*>(w)) cards.push_back(card);
        }
        return cards;
    }
    frmFicha* ActiveCard() { return dynamic_cast<frmFicha*>(Main().VentanaActiva()); }
    frmFicha* CardOf(CardId id) {
        for (frmFicha* card : Cards()) {
            if (card->ID() == id) return card;
        }
        return nullptr;
    }
};

TEST_F(FrmMainWindowsTest, OpeningShowsTheIndexAndTheMainCardOnceEach) {
    auto file = Open();
    ASSERT_EQ(Main().Ventanas().size(), 2u);
    EXPECT_EQ(Main().Ventanas()[0]->Kind(), ChildKind::Indice);
    ASSERT_NE(ActiveCard(), nullptr);
    EXPECT_EQ(ActiveCard()->ID(), file->GetMain());

    Main().Comando("abrir", windows::Argumentos(file->GetFileName().c_str()));
    Main().EjecutarSiHabilitado(MenuItem::CartuloIndice);
    Main().EjecutarSiHabilitado(MenuItem::CartuloPrincipal);
    EXPECT_EQ(Main().Ventanas().size(), 2u);
    EXPECT_EQ(Main().VentanaActiva()->Kind(), ChildKind::Ficha);

    const CardId gatos = file->SrchNtry("Gatos");
    windows::ChildWindow* opened = Main().MuestraFicha(file, gatos);
    EXPECT_EQ(Main().MuestraFicha(file, gatos), opened);  // the same, activated
    EXPECT_EQ(Cards().size(), 2u);
    EXPECT_EQ(ActiveCard(), opened);
    EXPECT_EQ(ActiveCard()->ID(), gatos);

    // The window items close the active window or every card window.
    Main().Comando("nuevaficha");
    ActiveCard()->CancelarEntrada();
    ASSERT_EQ(Cards().size(), 3u);
    QTest::keyClick(ActiveCard()->txtTxt(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cards().size() == 2; }, 5000));
    Main().EjecutarSiHabilitado(MenuItem::VentanaCerrarFichas);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cards().empty(); }, 5000));
    ASSERT_EQ(Main().Ventanas().size(), 1u);
    EXPECT_EQ(Main().Ventanas()[0]->Kind(), ChildKind::Indice);

    // The clipboard viewer opens once and comes forward again.
    const auto viewers = [&] { return Main().findChildren<windows::frmPortapapeles*>(); };
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::EdicionMostrarPortapapeles));
    ASSERT_EQ(viewers().size(), 1u);
    Main().MuestraFichaPrincipal(file);
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::EdicionMostrarPortapapeles));
    ASSERT_EQ(viewers().size(), 1u);
    EXPECT_EQ(Main().VentanaActiva(), viewers()[0]);

    // One search window per file, which keeps its query.
    Main().MuestraFichaPrincipal(file);
    Main().Comando("buscar", windows::Argumentos(QStringLiteral("Gatos")));
    auto* search = dynamic_cast<windows::frmBusqueda*>(Main().VentanaActiva());
    ASSERT_NE(search, nullptr);
    Main().MuestraFichaPrincipal(file);
    Main().Comando("buscar", windows::Argumentos(QStringLiteral("Perros")));
    Main().EjecutarSiHabilitado(MenuItem::CartuloBuscar);
    EXPECT_EQ(Main().VentanaActiva(), search);  // only brought forward
    EXPECT_EQ(search->Consulta(), "Gatos");
}

TEST_F(FrmMainWindowsTest, F9ShowsTheLinksHereFromTheFilesOneTableBuiltWhenFirstAsked) {
    auto file = Open({"Gatos", "Perros"});
    const CardId gatos = file->SrchNtry("Gatos");
    file->SetTxt(file->SrchNtry("Perros"), "\xABGatos\xBB");
    EXPECT_FALSE(Main().Archivos().TieneEnlaces(*file));  // opening reads no links
    auto* card = dynamic_cast<frmFicha*>(Main().MuestraFicha(file, gatos));
    ASSERT_NE(card, nullptr);
    QTest::keyClick(card->txtTxt(), Qt::Key_F9);
    ASSERT_NE(card->picEnlaces(), nullptr);
    EXPECT_EQ(card->picEnlaces()->lblEnlaces()->text(), "Enlaces a esta ficha (1)");
    EXPECT_TRUE(Main().Archivos().TieneEnlaces(*file));
    EXPECT_EQ(Main().Enlaces(file), Main().Enlaces(file));

    ASSERT_TRUE(Main().Archivos().GuardarCartulo(*file, QString()));
    ASSERT_TRUE(Main().Archivos().Cerrar(file));
    EXPECT_FALSE(Main().Archivos().TieneEnlaces(*file));
}

TEST_F(FrmMainWindowsTest, NewCardsTakeTheSelectedTextAndSistersTheirCardsEntry) {
    auto file = Open();
    frmFicha* main = ActiveCard();
    ASSERT_NE(main, nullptr);
    Main().Comando("nuevahermana");  // not made from the main card
    EXPECT_EQ(file->CardCount(), 2);
    main->txtTxt()->setPlainText(QStringLiteral("Perros y gatos"));
    QTextCursor cursor = main->txtTxt()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    main->txtTxt()->setTextCursor(cursor);

    Main().Comando("nuevaficha");
    const CardId perros = file->SrchNtry("Perros");
    ASSERT_NE(perros, -1);
    ASSERT_NE(ActiveCard(), nullptr);
    EXPECT_EQ(ActiveCard()->ID(), perros);
    EXPECT_TRUE(ActiveCard()->EditandoEntrada());
    ActiveCard()->CancelarEntrada();

    const CardId gatos = file->SrchNtry("Gatos");
    Main().MuestraFicha(file, gatos);
    Main().Comando("NuevaHermana");
    const CardId sister = file->SrchNtry("Hermana de Gatos");
    ASSERT_NE(sister, -1);
    EXPECT_TRUE(file->IsAlias(sister, gatos));
    EXPECT_EQ(ActiveCard()->ID(), sister);
}

TEST_F(FrmMainWindowsTest, DeletingACardAsksFirstThenClosesItsWindowAndDeletesIt) {
    auto file = Open();
    const CardId gatos = file->SrchNtry("Gatos");
    Main().MuestraFicha(file, gatos);

    dialogs.QueueAnswer(MsgResult::No);
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::FichaBorrar));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const auto& question = dialogs.Messages()[0];
    EXPECT_EQ(question.title, QStringLiteral("Borrar ficha"));
    EXPECT_EQ(question.text, QStringLiteral("¿Desea borrar la ficha Gatos?"));
    EXPECT_EQ(file->SrchNtry("Gatos"), gatos);

    dialogs.QueueAnswer(MsgResult::Yes);
    Main().EjecutarSiHabilitado(MenuItem::FichaBorrar);
    EXPECT_EQ(file->SrchNtry("Gatos"), -1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cards().size() == 1; }, 5000));

    // The main card is not offered for deletion.
    Main().MuestraFichaPrincipal(file);
    Main().EjecutarSiHabilitado(MenuItem::FichaBorrar);
    ASSERT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(dialogs.Messages()[2].text, QStringLiteral("La ficha principal no puede borrarse."));
    EXPECT_EQ(file->GetMain(), ActiveCard()->ID());
}

TEST_F(FrmMainWindowsTest, AnEntryBeingTypedIsCommittedOrStopsTheCloseBeforeAnyQuestion) {
    auto file = Open({"Gatos", "Perros"});
    const std::string path = file->GetFileName();
    Main().MuestraFicha(file, file->SrchNtry("Gatos"));
    frmFicha* card = ActiveCard();
    card->EditarEntrada();
    card->txtNtry()->setText(QStringLiteral("Perros"));  // taken

    // Refused: the close and the shutdown stop before anything is asked.
    EXPECT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoCerrar));
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    for (const auto& message : dialogs.Messages()) {
        EXPECT_EQ(message.title, QStringLiteral("Cambiar entrada"));
    }
    EXPECT_TRUE(card->EditandoEntrada());
    EXPECT_EQ(file->SrchNtry("Gatos"), card->ID());

    // The new entry makes the file changed: it is asked about, and saved.
    card->txtNtry()->setText(QStringLiteral("Felinos"));
    dialogs.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(Main().EjecutarSiHabilitado(MenuItem::ArchivoCerrar));
    ASSERT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(dialogs.Messages()[2].title, QStringLiteral("Cerrar cartulo"));
    EXPECT_EQ(registry.ListCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().Ventanas().empty(); }, 5000));
    EXPECT_TRUE(Main().AreaMdi()->subWindowList().isEmpty());
    cCartulo reread;
    ASSERT_TRUE(reread.OpenFile(path));
    EXPECT_NE(reread.SrchNtry("Felinos"), -1);
}

TEST_F(FrmMainWindowsTest, AWindowOpenedOrBroughtForwardForTheUserTakesTheKeys) {
    // The start paints the index before it opens the main card.
    struct Order : QObject {
        std::vector<ChildKind> seen;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && dynamic_cast<frmIndice*>(watched) != nullptr) {
                seen.push_back(ChildKind::Indice);
            } else if (event->type() == QEvent::Show && dynamic_cast<frmFicha*>(watched)) {
                seen.push_back(ChildKind::Ficha);
            }
            return false;
        }
    } order;
    qApp->installEventFilter(&order);
    firstArgument = MakeFile("a.ctu", "Animales", {"Gatos", "Perros", "Ratones"});
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ActiveCard() != nullptr; }, 5000));
    qApp->removeEventFilter(&order);
    ASSERT_FALSE(order.seen.empty());
    EXPECT_EQ(order.seen.front(), ChildKind::Indice);
    const auto file = Registered(0);
    const CardId perros = file->SrchNtry("Perros");
    file->SetTxt(perros, "\xABRatones\xBB");
    auto* index = dynamic_cast<frmIndice*>(Main().Ventanas()[0]);
    const auto keys = [] {
        // Once the timers started before this one (the focus hand-back) have run.
        bool turned = false;
        QTimer::singleShot(1, [&turned] { turned = true; });
        EXPECT_TRUE(QTest::qWaitFor([&turned] { return turned; }, 5000));
        return QApplication::focusWidget();
    };
    const auto text = [&](const char* entry) -> QWidget* {
        frmFicha* card = CardOf(file->SrchNtry(entry));
        if (card == nullptr) ADD_FAILURE() << "no window for " << entry;
        return card != nullptr ? card->txtTxt() : nullptr;
    };
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    EXPECT_EQ(keys(), text(""));  // the start
    Main().MuestraIndice(file);
    EXPECT_EQ(keys(), index->txtIndice());
    QTest::keyClicks(QApplication::focusWidget(), "Gat");
    press(Qt::Key_Return);
    EXPECT_EQ(keys(), text("Gatos"));

    Main().MuestraIndice(file);
    QWidget* list = index->lstIndice()->viewport();
    const QPoint row = index->lstIndice()
                           ->visualRect(index->Modelo().index(index->Modelo().FilaDe(perros), 0))
                           .center();
    DoubleClick(list, row);
    EXPECT_EQ(keys(), text("Perros"));
    press(Qt::Key_Right);  // into the link
    press(Qt::Key_F8);
    EXPECT_EQ(keys(), text("Ratones"));
    press(Qt::Key_F7);
    EXPECT_EQ(keys(), ActiveCard()->txtNtry());
    ActiveCard()->CancelarEntrada();
    press(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(keys(), ActiveCard()->txtNtry());
    ActiveCard()->CancelarEntrada();

    // Escape in the preview opens the card it shows, whose window was closed.
    Main().EjecutarSiHabilitado(MenuItem::VentanaVistaPrevia);
    Main().EjecutarSiHabilitado(MenuItem::VentanaCerrar);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !CardOf(file->SrchNtry("Hermana de Nueva ficha")); }, 5000));
    QTest::keyClick(Main().VistaPrevia(), Qt::Key_Escape);
    EXPECT_EQ(keys(), text("Hermana de Nueva ficha"));
}

TEST(NewEntries, NewCardsTakeTheFirstFreeNumberAndSistersAlwaysFit) {
    cCartulo made;
    made.NewFile("Prueba");
    for (const char* entry : {"Nueva ficha", "Nueva ficha (2)", "Gatos", "Hermana de Gatos"})
        made.NewCard(entry);
    auto* file = &made;
    EXPECT_EQ(EntradaNuevaFicha(*file, ""), "Nueva ficha (3)");
    EXPECT_EQ(EntradaNuevaFicha(*file, "Perros"), "Perros");
    EXPECT_EQ(EntradaNuevaFicha(*file, "GATOS"), "Nueva ficha (3)");  // case ignored
    const std::string longest(kMaxEntryLength, 'x');
    EXPECT_EQ(EntradaNuevaFicha(*file, longest), longest);
    EXPECT_EQ(EntradaNuevaFicha(*file, longest + 'x'), "Nueva ficha (3)");

    // Sisters are named after their source.
    EXPECT_EQ(EntradaNuevaHermana(*file, "Gatos"), "Hermana de Gatos (2)");
    EXPECT_EQ(EntradaNuevaHermana(*file, "Perros"), "Hermana de Perros");
    const std::string longEntry(95, 'a');
    const std::string sister = EntradaNuevaHermana(*file, longEntry);
    EXPECT_EQ(sister.size(), kMaxEntryLength);
    EXPECT_TRUE(sister.starts_with("Hermana de aaa"));
    file->NewCard(sister);
    const std::string second = EntradaNuevaHermana(*file, longEntry);
    EXPECT_LE(second.size(), kMaxEntryLength);
    EXPECT_TRUE(second.ends_with(" (2)"));
}

TEST_F(FrmMainTest, AFullFileRefusesNewCardsWithAMessageAndOpensNoWindow) {
    auto file = std::make_shared<cCartulo>();
    file->NewFile("Lleno");
    for (int i = 1; i < kCapacity; ++i) ASSERT_GE(file->NewCard("F" + std::to_string(i)), 0);
    ASSERT_EQ(file->CardCount(), kCapacity);
    registry.AddFile(file);
    AddChild(ChildKind::Indice, file);
    const std::size_t windows = Main().Ventanas().size();

    Main().Comando("nuevaficha");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Nueva ficha"));
    EXPECT_EQ(dialogs.Messages()[0].text,
              QStringLiteral("No se puede crear la ficha: el cartulo ya tiene el máximo de 5000 "
                             "fichas."));
    EXPECT_EQ(file->CardCount(), kCapacity);
    EXPECT_EQ(Main().Ventanas().size(), windows);

    // The master card cannot be made either.
    Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[1].title, QStringLiteral("Ficha maestra"));
    EXPECT_EQ(Main().Ventanas().size(), windows);
}

TEST_F(FrmMainTest, FichaMaestraIsCreatedWhenMissing) {
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    AddChild(ChildKind::Indice, Registered(0));
    ASSERT_EQ(Registered(0)->SrchNtry("Ficha maestra"), -1);
    EXPECT_TRUE(Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra));
    const CardId master = Registered(0)->SrchNtry("Ficha maestra");
    EXPECT_NE(master, -1);
    Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra);  // found, not made again
    EXPECT_EQ(Registered(0)->CardCount(), 2);
}

using windows::Argumentos;

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
        list.lstVentanas()->setCurrentRow(0);
        QListWidget& items = *list.lstVentanas();
        DoubleClick(items.viewport(), items.visualItemRect(items.item(0)).center());
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
    const auto alfa = Open({}, "a.ctu", "Alfa");
    EXPECT_EQ(FileList(), nullptr);  // one file: no list
    const auto beta = Open({}, "b.ctu", "Beta");
    frmListaCartulos* list = FileList();
    ASSERT_NE(list, nullptr);
    QListWidget& items = *list->lstCartulos();
    EXPECT_EQ(texts(items), (QStringList{"Alfa", "Beta"}));
    EXPECT_EQ(list->Cartulo(), beta);  // the new one is selected

    const auto gamma = Open({}, "c.ctu", "Gamma");
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
    DoubleClick(items.viewport(), items.visualItemRect(items.item(1)).center());  // as Enter
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
