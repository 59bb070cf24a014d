// Files dropped on the main window, the files opened at start, and closing
// the program.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>

#include "shell/file_drop.h"
#include "shell/recovery_folder.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

using support::MsgResult;

QMimeData* filesData(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

bool dragAccepted(frmMain& main, const QStringList& paths) {
    std::unique_ptr<QMimeData> data(filesData(paths));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, data.get(),
                          Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
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
    EXPECT_FALSE(dragAccepted(Main(), {text}));
    EXPECT_TRUE(dragAccepted(Main(), {text, b}));

    std::unique_ptr<QMimeData> data(filesData({c, text, b}));
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &drop);
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
    const QString relative = MakeFile("config/sub/rel.ctu", "Relativo");
    const QString absolute = MakeFile("abs.ctu", "Absoluto");
    const QString skipped = MakeFile("salto.ctu", "Salto");
    ini.write(("[AUTOLOAD]\r\n1=sub/rel.ctu\r\n2=" + absolute.toUtf8() +
               "\r\n4=" + skipped.toUtf8() + "\r\n"));
    ini.close();
    settings = std::make_unique<support::ProgramSettings>(settingsPath.toStdString());
    settings->ReadOptions();
    firstArgument = MakeFile("arg.ctu", "Argumento");
    (void)relative;

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

TEST_F(FrmMainTest, ClosingAsksEveryChangedFileAndOneCancelKeepsTheProgram) {
    recoveryFolder = Path("recuperacion").toStdString();
    const QString settingsPath = Path("Cartulo.ini");
    settings = std::make_unique<support::ProgramSettings>(settingsPath.toStdString());
    settings->ReadOptions();
    Main().show();
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu", "A")));
    Main().Comando("abrir", windows::Argumentos(MakeFile("b.ctu", "B")));
    Main().Comando("abrir", windows::Argumentos(MakeFile("c.ctu", "C")));
    Registered(0)->NewCard("x");
    Registered(1)->NewCard("y");
    Registered(2)->NewCard("z");

    dialogs.QueueAnswer(MsgResult::No);
    dialogs.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(dialogs.Messages().size(), 2u);  // the third file was not asked
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Cerrar Cartulo"));
    EXPECT_EQ(registry.ListCount(), 3);

    // Settings the user wrote while it ran survive the exit, unwritten.
    const QByteArray byHand = "[AUTOLOAD]\n; a mano\n1=/a.ctu\n";
    {
        QFile ini(settingsPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(byHand);
    }
    Main().Recuperacion()->EscribirTodasYa();
    const QDir copies(Path("recuperacion"));
    ASSERT_EQ(copies.entryList({"*.info"}).size(), 3);
    dialogs.QueueAnswer(MsgResult::No);
    dialogs.QueueAnswer(MsgResult::No);
    dialogs.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(dialogs.Messages().size(), 5u);
    EXPECT_EQ(copies.entryList({"*.info"}).size(), 0) << "let go on purpose";
    QFile written(settingsPath);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), byHand);
}

}  // namespace
}  // namespace cartulo::shell::testing
