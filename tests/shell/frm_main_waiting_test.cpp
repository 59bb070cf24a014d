// What comes from outside (command-channel lines, dropped files) and the
// autosave wait while a box, a modal window or a file flow is open, and run
// in order once the program is free.
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include "platform/text_codec.h"
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

void drop(frmMain& main, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    // As a real drag: it enters the window, then drops.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &event);
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

    // Free, with nothing waiting: a line runs at once.
    Main().ComandoRecibido("nuevocartulo", QStringLiteral("Enseguida"));
    EXPECT_EQ(registry.ListCount(), 4);
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
    EXPECT_EQ(dialogs.Messages()[3].text,
              QStringLiteral("El cartulo Tarde ha cambiado. ¿Desea guardar los cambios?"));
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

}  // namespace
}  // namespace cartulo::shell::testing
