// The start: one instance serves the command channel, a second one hands
// its file over and ends.
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "shell/frm_main.h"
#include "shell/startup.h"
#include "support/scripted_user_dialogs.h"

namespace cartulo::shell {
namespace {

class StartupTest : public ::testing::Test {
  protected:
    StartupOptions Options(const QStringList& arguments) {
        StartupOptions options;
        options.arguments = arguments;
        options.channelName = dir.filePath("canal");
        options.settingsFile = dir.filePath("config/Cartulo.ini").toStdString();
        options.workingDirectory = dir.path();
        options.registry = &registry;
        options.dialogs = &dialogs;
        return options;
    }
    QString MakeFile(const QString& name, const std::string& title) {
        cCartulo file;
        file.NewFile(title);
        const QString path = dir.filePath(name);
        file.SetChanged();  // written even with nothing edited
        EXPECT_TRUE(file.SaveFile(path.toStdString()));
        return path;
    }

    QTemporaryDir dir;
    cCartulos registry;
    support::ScriptedUserDialogs dialogs;
};

TEST_F(StartupTest, TheChannelRunsCommandsInTheRunningInstance) {
    Arranque first(Options({"-debug"}));
    ASSERT_EQ(first.Iniciar(), StartupResult::Shown);
    ASSERT_NE(first.VentanaPrincipal(), nullptr);
    EXPECT_TRUE(first.VentanaPrincipal()->Depuracion());
    EXPECT_TRUE(first.VentanaPrincipal()->isVisible());

    const QString path = MakeFile("con espacio.ctu", "Canal");
    QLocalSocket client;
    client.connectToServer(dir.filePath("canal"));
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write(("Abrir " + path + "\n").toUtf8());
    ASSERT_TRUE(client.waitForBytesWritten(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
    EXPECT_EQ(registry.List(0)->GetFileTitle(), "Canal");
    client.disconnectFromServer();
}

TEST_F(StartupTest, ASecondStartHandsItsFileOverAsAnAbsolutePath) {
    Arranque first(Options({}));
    ASSERT_EQ(first.Iniciar(), StartupResult::Shown);
    MakeFile("relativo.ctu", "Relativo");

    Arranque second(Options({"-debug", "relativo.ctu", "otro.ctu"}));
    EXPECT_EQ(second.Iniciar(), StartupResult::HandedOver);
    EXPECT_EQ(second.VentanaPrincipal(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
    EXPECT_EQ(registry.List(0)->GetFileTitle(), "Relativo");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(StartupTest, AnUnreachableChannelIsReportedAndTheStartEnds) {
    StartupOptions options = Options({});
    options.channelName = dir.filePath("no/existe/canal");
    Arranque start(std::move(options));
    EXPECT_EQ(start.Iniciar(), StartupResult::HandOverFailed);
    EXPECT_EQ(start.VentanaPrincipal(), nullptr);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Comando DDE"));
    EXPECT_EQ(dialogs.Messages()[0].text,
              QStringLiteral("No se ha podido establecer una comunicación DDE con Cartulo."));
}

}  // namespace
}  // namespace cartulo::shell
