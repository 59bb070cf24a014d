// What comes from outside (channel lines, dropped files) and waits while a
// box, a modal window or a file flow is open; the files opened at start;
// closing the program.
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "platform/text_codec.h"
#include "shell/file_drop.h"
#include "shell/recovery_folder.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

using support::MsgResult;
using windows::Argumentos;

std::string titleOnDisk(const QString& path) {
    cCartulo file;
    if (!file.OpenFile(path.toStdString())) return "<ilegible>";
    return file.GetFileTitle();
}

// As a real drag: it enters the window, then drops (unless only offered).
bool drop(frmMain& main, const QStringList& paths, bool dropped = true) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (dropped) QCoreApplication::sendEvent(&main, &event);
    return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

TEST_F(FrmMainTest, ChannelLinesAndDropsWaitForAnOpenBoxAndThenRunInOrder) {
    const QString a = MakeFile("a.ctu", "A");
    const QString b = MakeFile("b.ctu", "B");
    const QString c = MakeFile("c.ctu", "C");
    Main();
    int pendingInside = -1;
    int openInside = -1;
    // Any box given to the windows, here one a child window would raise.
    dialogs.whileShown = [&] {
        Main().ComandoRecibido("Abrir", a);
        drop(Main(), {b});
        Main().ComandoRecibido("Abrir", c);
        pendingInside = Main().OrdenesPendientes();
        openInside = registry.ListCount();
    };
    Main().Dialogos().MsgBoxPlus(QStringLiteral("Un aviso"));
    EXPECT_EQ(pendingInside, 3);
    EXPECT_EQ(openInside, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 3; }, 5000));
    EXPECT_EQ(Registered(0)->GetFileTitle(), "A");
    EXPECT_EQ(Registered(1)->GetFileTitle(), "B");
    EXPECT_EQ(Registered(2)->GetFileTitle(), "C");
    EXPECT_EQ(Main().OrdenesPendientes(), 0);
}

TEST_F(FrmMainTest, ChannelLinesWaitWhileAMouseButtonIsHeld) {
    // A drag of card text runs its own event loop with the button held.
    const QString a = MakeFile("a.ctu", "A");
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    QTest::mousePress(&Main(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_NE(QGuiApplication::mouseButtons(), Qt::NoButton);
    Main().ComandoRecibido("Abrir", a);
    EXPECT_EQ(registry.ListCount(), 0);
    EXPECT_EQ(Main().OrdenesPendientes(), 1);
    QTest::mouseRelease(&Main(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
}

TEST_F(FrmMainTest, AGuardarFromTheChannelDuringTheSaveDialogDoesNotOpenASecondOne) {
    Main().Comando("nuevocartulo", Argumentos(QStringLiteral("Notas")));
    ASSERT_EQ(registry.ListCount(), 1);
    fileDialogs.whileAsked = [&] { Main().ComandoRecibido("guardar", std::nullopt); };
    fileDialogs.QueueSave(Path("notas.ctu"));
    Main().Comando("guardar");
    EXPECT_EQ(fileDialogs.SaveProposals().size(), 1u);
    EXPECT_EQ(titleOnDisk(Path("notas.ctu")), "Notas");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().OrdenesPendientes() == 0; }, 5000));
    // It ran afterwards and found nothing left to save or name.
    EXPECT_EQ(fileDialogs.SaveProposals().size(), 1u);
    EXPECT_FALSE(Registered(0)->GetChanged());
}

TEST_F(FrmMainTest, LinesThatCameDuringTheShutdownQuestionsRunOnlyIfItIsCancelled) {
    Main().show();
    Main().Comando("abrir", Argumentos(MakeFile("a.ctu", "A")));
    Main().Comando("abrir", Argumentos(MakeFile("b.ctu", "B")));
    Registered(0)->NewCard("x");
    Registered(1)->NewCard("y");

    dialogs.whileShown = [&] { Main().ComandoRecibido("nuevocartulo", QStringLiteral("Tarde")); };
    dialogs.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(Main().close());
    EXPECT_EQ(registry.ListCount(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 3; }, 5000));
    EXPECT_EQ(Registered(2)->GetFileTitle(), "Tarde");

    // The new file is asked about too; what came meanwhile is dropped.
    dialogs.whileShown = [&] { Main().ComandoRecibido("nuevocartulo", QStringLiteral("Perdido")); };
    for (int i = 0; i < 3; ++i) dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(dialogs.Messages().size(), 4u);
    EXPECT_TRUE(dialogs.Messages()[3].text.contains(QStringLiteral("Tarde")));
    EXPECT_EQ(Main().OrdenesPendientes(), 0);
    Main().ComandoRecibido("nuevocartulo", QStringLiteral("Después"));
    drop(Main(), {MakeFile("c.ctu", "C")});
    QCoreApplication::processEvents();
    EXPECT_EQ(registry.ListCount(), 3);
    EXPECT_EQ(Main().OrdenesPendientes(), 0);
}

TEST_F(FrmMainTest, TheAutosaveWaitsWhileAnyBoxOrModalWindowIsOpen) {
    std::uint32_t now = 1000;
    clock = [&] { return now; };
    const QString path = MakeFile("a.ctu", "A");
    Main().Comando("abrir", Argumentos(path));
    const auto file = Registered(0);
    ASSERT_TRUE(file->SetTxt(file->GetMain(), "A1"));
    now += 61000;

    std::string duringBox;
    dialogs.whileShown = [&] {
        Main().TickAutoguardado();
        duringBox = titleOnDisk(path);
    };
    Main().Dialogos().MsgBoxPlus(QStringLiteral("¿Desea borrar la ficha?"));
    EXPECT_EQ(duringBox, "A");

    {
        QDialog modal(&Main());
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        Main().TickAutoguardado();
        EXPECT_EQ(titleOnDisk(path), "A");
    }
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    Main().TickAutoguardado();
    EXPECT_EQ(titleOnDisk(path), "A1");
    EXPECT_EQ(Main().Archivos().InicioPeriodo(), now);
}

TEST(FileDrop, OnlyCardFileExtensionsInAnyCase) {
    const QList<QUrl> urls = {QUrl::fromLocalFile("/a/uno.CTU"), QUrl::fromLocalFile("/a/dos.txt"),
                              QUrl::fromLocalFile("/a/tres.ct"), QUrl("http://x/cuatro.ctu"),
                              QUrl::fromLocalFile("/a/ctu")};
    EXPECT_EQ(ArchivosCartulo(urls), (QStringList{"/a/uno.CTU", "/a/tres.ct"}));
}

TEST_F(FrmMainTest, DroppedCardFilesOpenInOrderAndOthersAreIgnored) {
    const QString b = MakeFile("b.ctu", "B");
    const QString c = MakeFile("c.CT", "C");
    const QString text = Path("nota.txt");
    EXPECT_FALSE(drop(Main(), {text}, false));
    EXPECT_TRUE(drop(Main(), {text, b}, false));

    drop(Main(), {c, text, b});
    // Not inside the drop: an error box would hold the program that dragged them.
    EXPECT_EQ(registry.ListCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 2; }, 5000));
    EXPECT_EQ(Registered(0)->GetFileTitle(), "C");
    EXPECT_EQ(Registered(1)->GetFileTitle(), "B");
}

TEST_F(FrmMainTest, StartOpensTheAutoloadFilesThenTheFirstArgument) {
    QDir(dir.path()).mkpath("config/sub");
    const QString settingsPath = Path("config/Cartulo.ini");
    QFile ini(settingsPath);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    MakeFile("config/sub/rel.ctu", "Relativo");
    const QString absolute = MakeFile("abs.ctu", "Absoluto");
    const QString skipped = MakeFile("salto.ctu", "Salto");
    ini.write(("[AUTOLOAD]\r\n1=sub/rel.ctu\r\n2=" + absolute.toUtf8() +
               "\r\n4=" + skipped.toUtf8() + "\r\n"));
    ini.close();
    settings = std::make_unique<support::ProgramSettings>(settingsPath.toStdString());
    settings->ReadOptions();
    firstArgument = MakeFile("arg.ctu", "Argumento");

    Main();
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 3; }, 5000));
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Relativo");
    EXPECT_EQ(Registered(1)->GetFileTitle(), "Absoluto");
    EXPECT_EQ(Registered(2)->GetFileTitle(), "Argumento");
    EXPECT_TRUE(dialogs.Messages().empty());
    // The second file shows the list of open card files; only the argument
    // comes with its windows: its index and its main card.
    const std::vector<windows::ChildWindow*> shown = Main().Ventanas();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0]->Kind(), windows::ChildKind::ListaCartulos);
    EXPECT_EQ(shown[1]->Kind(), windows::ChildKind::Indice);
    EXPECT_EQ(shown[2]->Kind(), windows::ChildKind::Ficha);
    EXPECT_EQ(shown[1]->Cartulo(), Registered(2));
    EXPECT_EQ(shown[2]->Cartulo(), Registered(2));
    // The files opened without windows are at least counted.
    EXPECT_EQ(Main().TextoEstadoActual(), QStringLiteral("Se han abierto 3 cartulos al iniciar."));
}

TEST_F(FrmMainTest, SessionEndAsksOnlyWhenTheSessionAllowsAndCancelKeepsIt) {
    recoveryFolder = Path("recuperacion").toStdString();
    const auto copies = [&] { return QDir(Path("recuperacion")).entryList({"*.info"}).size(); };
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "A")));
    Registered(0)->NewCard("x");
    EXPECT_TRUE(Main().FinDeSesion(false));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(copies(), 1) << "no questions: every copy written";
    dialogs.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(Main().FinDeSesion(true));
    dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(Main().FinDeSesion(true));
    EXPECT_EQ(copies(), 0) << "let go on purpose";
    dialogs.QueueAnswer(MsgResult::Yes);
    EXPECT_TRUE(Main().FinDeSesion(true));
    EXPECT_FALSE(Registered(0)->GetChanged());
    EXPECT_EQ(dialogs.Messages().size(), 3u);
}

TEST_F(FrmMainTest, CopiesLeftBehindAreOfferedBeforeTheFilesOfTheStart) {
    recoveryFolder = Path("recuperacion").toStdString();
    cCartulo lost;
    lost.NewFile("Perdido");
    std::string bytes;
    ASSERT_FALSE(lost.EncodeFile(bytes));
    ASSERT_FALSE(RecoveryFolder::Write(recoveryFolder + "/1.1-1", bytes,
                                       {"", "Perdido", QDateTime::currentDateTime()}));
    dialogs.QueueRecovery(support::RecoveryAnswer::Recover);
    firstArgument = MakeFile("arg.ctu", "Argumento");
    Main();
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 2; }, 5000));
    EXPECT_EQ(Registered(0)->GetFileTitle(), "Perdido");
    EXPECT_EQ(Registered(1)->GetFileTitle(), "Argumento");
}

TEST_F(FrmMainTest, ClosingAsksEveryChangedFileLetsItsCopiesGoAndKeepsHandWrittenSettings) {
    recoveryFolder = Path("recuperacion").toStdString();
    const QString settingsPath = Path("Cartulo.ini");
    settings = std::make_unique<support::ProgramSettings>(settingsPath.toStdString());
    settings->ReadOptions();
    Main().show();
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "A")));
    Main().Comando("abrir", windows::Argumentos(MakeFile("b.ctu", "B")));
    Registered(0)->NewCard("x");
    Registered(1)->NewCard("y");

    // Settings the user wrote while it ran survive the exit, unwritten.
    const QByteArray byHand = "[AUTOLOAD]\n; a mano\n1=/a.ctu\n";
    {
        QFile ini(settingsPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(byHand);
    }
    Main().Recuperacion()->EscribirTodasYa();
    const QDir copies(Path("recuperacion"));
    ASSERT_EQ(copies.entryList({"*.info"}).size(), 2);
    for (int i = 0; i < 2; ++i) dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(copies.entryList({"*.info"}).size(), 0) << "let go on purpose";
    QFile written(settingsPath);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), byHand);
}

}  // namespace
}  // namespace cartulo::shell::testing
