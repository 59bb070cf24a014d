// The main window's command words reach their actions.
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "shell/command_bar.h"
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
    Main().Comando("Abrir", Argumentos(path));
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Uno");
    EXPECT_TRUE(fileDialogs.OpenProposals().empty());

    Main().Comando("abrir");  // the dialog, cancelled
    EXPECT_EQ(fileDialogs.OpenProposals().size(), 1u);
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(FrmMainTest, GuardarSavesEveryChangedFileWhateverItsArgument) {
    const QString path = MakeFile("uno.ctu");
    Main().Comando("abrir", Argumentos(path));
    ASSERT_EQ(registry.ListCount(), 1);
    Registered(0)->NewCard("Añadida");
    ASSERT_TRUE(Registered(0)->GetChanged());

    Main().Comando("Guardar", Argumentos(QStringLiteral("lo que sea")));
    EXPECT_FALSE(Registered(0)->GetChanged());
    cCartulo reread;
    ASSERT_TRUE(reread.OpenFile(path.toStdString()));
    EXPECT_NE(reread.SrchNtry("Añadida"), -1);
}

TEST_F(FrmMainTest, NuevaFichaAndNuevaHermanaWithoutAFileDoNothing) {
    Main().Comando("nuevaficha");
    Main().Comando("NuevaHermana");
    EXPECT_EQ(registry.ListCount(), 0);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(Main().Ventanas().empty());
}

TEST_F(FrmMainTest, UnknownWordsAreIgnoredSilently) {
    Main().Comando("noexiste", Argumentos(QStringLiteral("x")));
    Main().Comando("imprimir");
    EXPECT_TRUE(dialogs.Messages().empty());
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

TEST_F(FrmMainTest, EditingWordsGoToTheActiveChildWindow) {
    Main().Comando("copiar");  // no child: nothing happens
    FakeChild& child = AddChild(ChildKind::Indice, nullptr);
    Main().Comando("COPIAR");
    Main().Comando("cortar");
    Main().Comando("Deshacer");
    Main().Comando("pegar");
    EXPECT_EQ(child.Actions(), (std::vector<QString>{"Copiar", "Cortar", "Deshacer", "Pegar"}));
}

TEST_F(FrmMainTest, NuevoCartuloWithATitleCreatesItAndWithoutOneAsks) {
    Main().Comando("nuevocartulo", Argumentos(QStringLiteral("Recetas")));
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Recetas");

    dialogs.QueueText("Viajes");
    Main().Comando("NuevoCartulo");
    ASSERT_EQ(dialogs.Inputs().size(), 1u);
    EXPECT_EQ(dialogs.Inputs().front().title, QStringLiteral("Nuevo cartulo"));
    ASSERT_EQ(registry.ListCount(), 2);
    EXPECT_EQ(Registered(1)->GetFileTitle(), "Viajes");
}

TEST_F(FrmMainTest, ComandoEsperaRunsTheLastDeferredCommandAfterTheCurrentEvent) {
    Main().ComandoEspera("nuevocartulo", Argumentos(QStringLiteral("Primero")));
    Main().ComandoEspera("nuevocartulo", Argumentos(QStringLiteral("Segundo")));
    EXPECT_EQ(registry.ListCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() > 0; }, 5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Segundo");
}

TEST_F(FrmMainTest, CommandChannelLinesRunWithTheirArgument) {
    const QString path = MakeFile("con blanco.ctu", "Con blanco");
    Main().ComandoRecibido("Abrir", path);
    ASSERT_EQ(registry.ListCount(), 1);
    Main().ComandoRecibido("abrir", std::nullopt);  // the dialog, cancelled
    EXPECT_EQ(fileDialogs.OpenProposals().size(), 1u);
}

TEST_F(FrmMainTest, SearchFieldWordsClearItOrFocusIt) {
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    CampoBuscar* field = Main().Barra()->Buscador();
    EXPECT_TRUE(field->MuestraMarcador());
    EXPECT_EQ(field->text(), QStringLiteral("Buscar"));

    Main().Comando("buscarglobal");  // nothing typed: the field takes the focus
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus() || !field->MuestraMarcador(); }));
    EXPECT_FALSE(field->MuestraMarcador());
    QTest::keyClicks(field, "gatos");
    EXPECT_EQ(field->TextoEscrito(), QStringLiteral("gatos"));
    QTest::keyClick(field, Qt::Key_Return);  // the typed text: the global search's pop-up
    QPointer<windows::frmBusquedaGlobal> popup;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return popup = Main().findChild<windows::frmBusquedaGlobal*>(); }));
    EXPECT_EQ(popup->Consulta(), QStringLiteral("gatos"));
    EXPECT_EQ(popup->Fila(0), QStringLiteral("0,,No se encontraron elementos."));
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

}  // namespace
}  // namespace cartulo::shell::testing
