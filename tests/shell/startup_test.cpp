// The start: one instance serves the command channel, a second one hands
// its file over and ends; without a channel the program still starts.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "richtext/binding_resources.h"
#include "shell/frm_main.h"
#include "shell/qt_translation.h"
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

TEST_F(StartupTest, TheFirstStartServesTheChannelAndALaterOneHandsItsFileOver) {
    Arranque first(Options({"-debug"}));
    ASSERT_EQ(first.Iniciar(), StartupResult::Shown);
    ASSERT_NE(first.VentanaPrincipal(), nullptr);
    EXPECT_TRUE(first.VentanaPrincipal()->Depuracion());
    EXPECT_TRUE(first.VentanaPrincipal()->isVisible());
    EXPECT_EQ(first.VentanaPrincipal()->TextoAvisoCanal(), QString());

    // A second start hands its first argument over as an absolute path.
    MakeFile("relativo.ctu", "Relativo");
    Arranque second(Options({"-debug", "relativo.ctu", "otro.ctu"}));
    EXPECT_EQ(second.Iniciar(), StartupResult::HandedOver);
    EXPECT_EQ(second.VentanaPrincipal(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
    EXPECT_EQ(registry.List(0)->GetFileTitle(), "Relativo");
    EXPECT_TRUE(dialogs.Messages().empty());

    // A line feed in the name cannot travel as one line: nothing is handed
    // over, and the start ends with the message.
    Arranque broken(Options({QStringLiteral("linea\nrota.ctu")}));
    EXPECT_EQ(broken.Iniciar(), StartupResult::HandOverFailed);
    EXPECT_EQ(broken.VentanaPrincipal(), nullptr);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Comando DDE"));
    EXPECT_EQ(dialogs.Messages()[0].text,
              QStringLiteral("No se ha podido establecer una comunicación DDE con Cartulo."));
    EXPECT_EQ(dialogs.Messages()[0].flags & 0x70, support::msg::kCritical);
    EXPECT_EQ(registry.ListCount(), 1);
}

TEST_F(StartupTest, TheFileReadBeforeQtStartedIsTheOneTheStartOpens) {
    MakeFile("relativo.ctu", "Relativo");
    const std::string read = RutaDeLectura(dir.filePath("relativo.ctu"));
    StartupOptions options = Options({"-debug", "relativo.ctu"});
    // The path Abrir reads, or nothing would ever be taken.
    EXPECT_NE(LecturaDelPrimerArgumento(options.arguments, dir.path())->Tomar(read), nullptr);
    const auto early = LecturaDelPrimerArgumento(options.arguments, dir.path());
    options.lectura = early;
    Arranque start(std::move(options));
    ASSERT_EQ(start.Iniciar(), StartupResult::Shown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registry.ListCount() == 1; }, 5000));
    EXPECT_EQ(registry.List(0)->GetFileTitle(), "Relativo");
    EXPECT_EQ(early->Tomar(read), nullptr) << "taken by the start";
    EXPECT_EQ(LecturaDelPrimerArgumento({"-debug"}, dir.path()), nullptr);
}

// A server of another user on `path` (only root can make one): a child that
// binds the socket, becomes nobody and listens until the pipe closes.
struct ForeignServer {
    explicit ForeignServer(const QString& path) {
        sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
        const QByteArray bytes = QFile::encodeName(path);
        std::memcpy(address.sun_path, bytes.constData(), std::min<std::size_t>(bytes.size(), 100));
        if (::pipe(fds) != 0 || (pid = ::fork()) != 0) {
            ::close(fds[0]);
            return;
        }
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                        ::setgid(65534) == 0 && ::setuid(65534) == 0 && ::listen(fd, 64) == 0;
        ::close(fds[1]);
        ::_exit(ok ? static_cast<int>(::read(fds[0], &address, 1)) : 1);
    }
    ~ForeignServer() {
        ::close(fds[1]);
        if (pid > 0) ::waitpid(pid, nullptr, 0);
    }
    int fds[2] = {-1, -1};
    pid_t pid = -1;
};

TEST_F(StartupTest, WithoutAChannelTheProgramStillStartsAndSaysSo) {
    // A runtime folder that is missing, a socket path too long to make,
    // another user's server.
    const QString missing = dir.filePath("no/existe/canal");
    const QString tooLong = dir.filePath(QString(200, u'c'));
    const QString foreign = dir.filePath("ajeno");
    std::optional<ForeignServer> other;
    if (::geteuid() == 0) other.emplace(foreign);
    ASSERT_TRUE(!other || QTest::qWaitFor([&] {
        return platform::ProbeCommandChannel(foreign, 1000) == platform::ChannelAnswer::OtherUser;
    }));
    std::vector<std::pair<QString, QString>> cases = {
        {missing, QStringLiteral("no existe la carpeta ") + dir.filePath("no/existe")},
        {tooLong, QStringLiteral("la ruta del canal es demasiado larga (") + tooLong + ")"},
    };
    if (other) cases.emplace_back(foreign, "otro usuario atiende el canal de órdenes " + foreign);
    for (const auto& [channel, reason] : cases) {
        SCOPED_TRACE(channel.toStdString());
        StartupOptions options = Options({});
        options.channelName = channel;
        Arranque start(std::move(options));
        ASSERT_EQ(start.Iniciar(), StartupResult::Shown);
        ASSERT_NE(start.VentanaPrincipal(), nullptr);
        EXPECT_TRUE(start.VentanaPrincipal()->isVisible());
        EXPECT_TRUE(dialogs.Messages().empty());
        EXPECT_EQ(start.VentanaPrincipal()->TextoAvisoCanal(),
                  QStringLiteral("Otros programas no pueden enviar órdenes a Cartulo: ") + reason);
    }
}

TEST_F(StartupTest, TheStartInstallsSpanishTextsTheSystemClipboardAndTheSharedResources) {
    const auto cancel = [] {
        return QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
    };
    EXPECT_EQ(InstalarTraduccionQt(dir.filePath("sin traducciones")), nullptr);
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    QClipboard& system = *QGuiApplication::clipboard();
    ASSERT_EQ(ProgramResources(), nullptr);
    {
        Arranque start(Options({}));
        ASSERT_EQ(start.Iniciar(), StartupResult::Shown);
        // The resources every rich-text binding of the program shares.
        const auto resources = ProgramResources();
        ASSERT_NE(resources, nullptr);
        EXPECT_TRUE(resources->imageCache && resources->speaker && resources->playSound);
        EXPECT_EQ(resources->programFolder,
                  QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
        EXPECT_EQ(cancel().remove(u'&'), QStringLiteral("Cancelar"));

        cCartulo file;
        file.NewFile("Origen");
        file.SetTxt(file.NewCard("Gatos"), "Ma\xFAllan.");
        file.CopyCard(file.SrchNtry("Gatos"));
        EXPECT_EQ(system.text(), QStringLiteral("5 %GatosMaúllan.CaRd"));
        EXPECT_EQ(cCartulo::ClipboardFormat(), 1);
    }
    // The end puts them all back.
    EXPECT_EQ(ProgramResources(), nullptr);
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    EXPECT_EQ(cCartulo::ClipboardFormat(), 0);
}

}  // namespace
}  // namespace cartulo::shell
