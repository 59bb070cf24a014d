// The local command channel: lines split into word and argument, several
// lines per connection, over-long lines dropped, one server per name, a
// client that fails when nobody listens, and a server that
// survives whatever a client sends or fails to send.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/command_channel.h"
#include "tests/support/scoped_env.h"
#include "tests/support/stale_socket.h"

namespace cartulo::platform {
namespace {

constexpr int kTimeoutMs = 10000;  // generous: only a broken channel waits this long

// A line as the tests compare it: the word, then "|" and the argument if any.
std::string shown(const QString& word, const std::optional<QString>& argument) {
    return (argument ? word + "|" + *argument : word).toStdString();
}

// Runs the event loop until `done` holds or the timeout passes.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = kTimeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

// Connects a raw client, as a foreign program would.
std::unique_ptr<QLocalSocket> connectRaw(const QString& name) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(name);
    if (!socket->waitForConnected(kTimeoutMs)) return nullptr;
    return socket;
}

bool waitForDisconnection(QLocalSocket& socket) {
    return waitUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; });
}

class CommandChannelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.Listen(name)) << server.ErrorString().toStdString();
    }

    bool send(const QString& line) { return SendToRunningInstance(line, kTimeoutMs, name); }
    bool waitForLines(std::size_t count) {
        return waitUntil([&] { return received.size() >= count; });
    }

    QTemporaryDir dir;
    QString name = dir.filePath("canal");
    std::vector<std::string> received;  // as shown()
    CommandChannelServer server{[this](const QString& word, std::optional<QString> argument) {
        received.push_back(shown(word, argument));
    }};
};

// Several lines travel together or not at all.
TEST_F(CommandChannelTest, LinesArriveAsSent) {
    EXPECT_TRUE(send("Abrir /tmp/mis fichas/año.ctu"));
    EXPECT_TRUE(send("activar"));
    EXPECT_TRUE(send("Abrir "));
    EXPECT_TRUE(send("Abrir  x "));  // split at the first blank only
    EXPECT_FALSE(SendLinesToRunningInstance({"Activar", "Abrir a\nb"}, kTimeoutMs, name));
    EXPECT_TRUE(SendLinesToRunningInstance({"Activar", "Abrir /tmp/a b.ctu"}, kTimeoutMs, name));
    ASSERT_TRUE(waitForLines(6));
    EXPECT_EQ(received,
              (std::vector<std::string>{"Abrir|/tmp/mis fichas/año.ctu", "activar", "Abrir|",
                                        "Abrir| x ", "Activar", "Abrir|/tmp/a b.ctu"}));
}

TEST_F(CommandChannelTest, SeveralLinesOnOneConnectionInOrderEndedByLfOrCrLf) {
    auto socket = connectRaw(name);
    ASSERT_TRUE(socket);
    socket->write("Activar\r\nAbrir a");  // the second line comes in two pieces
    socket->flush();
    ASSERT_TRUE(waitForLines(1));
    socket->write(" b\n\nCerrar x\r\n");  // an empty line is accepted too
    socket->flush();
    ASSERT_TRUE(waitForLines(4));
    EXPECT_EQ(received, (std::vector<std::string>{"Activar", "Abrir|a b", "", "Cerrar|x"}));
}

TEST_F(CommandChannelTest, ASecondServerOnTheSameNameRefusesAndTheFirstIsPrivate) {
    CommandChannelServer second([](const QString&, std::optional<QString>) {});
    EXPECT_FALSE(second.Listen(name));
    EXPECT_FALSE(second.ErrorString().isEmpty());
    EXPECT_FALSE(second.IsListening());
    EXPECT_TRUE(ChannelAnswersNow(name));
    // The first one still serves, and only the user may use its socket.
    EXPECT_TRUE(send("activar"));
    EXPECT_TRUE(waitForLines(1));
    const QFileInfo socket(server.FullServerName());
    ASSERT_TRUE(socket.exists());
    EXPECT_EQ(socket.ownerId(), ::geteuid());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(socket.permissions() & others, QFile::Permissions());
}

TEST(CommandChannel, AStaleSocketIsReplacedAndNobodyListeningFails) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("viejo");
    cartulo::testing::LeaveStaleSocket(path.toLocal8Bit());
    EXPECT_FALSE(ChannelAnswersNow(path));
    EXPECT_FALSE(ChannelAnswersNow(dir.filePath("nadie")));
    EXPECT_FALSE(SendToRunningInstance("activar", kTimeoutMs, dir.filePath("nadie")));
    int count = 0;
    CommandChannelServer server([&](const QString&, std::optional<QString>) { ++count; });
    ASSERT_TRUE(server.Listen(path)) << server.ErrorString().toStdString();
    EXPECT_TRUE(SendToRunningInstance("activar", kTimeoutMs, path));
    EXPECT_TRUE(waitUntil([&] { return count == 1; }));
}

// Without XDG_RUNTIME_DIR the channel lives in a folder of its own in the
// temporary folder, which the server makes private, and which neither end
// uses unless it is exactly that.
TEST(CommandChannel, WithoutARuntimeFolderThePrivateFolderIsUsedOnlyWhenSafe) {
    QTemporaryDir tmp;
    const QString user = QString("cartulo-") + QString::number(::getuid());
    const QString folder = tmp.filePath(user), name = folder + "/" + user;
    const QByteArray path = QFile::encodeName(folder);
    support::testing::ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);
    support::testing::ScopedEnv tmpdir("TMPDIR", tmp.path().toUtf8().constData());
    ASSERT_EQ(DefaultCommandChannelName(), name);
    EXPECT_FALSE(SendToRunningInstance("activar", kTimeoutMs, name));
    EXPECT_FALSE(QFileInfo::exists(folder));  // a client never makes it

    CommandChannelServer server([](const QString&, std::optional<QString>) {});
    ASSERT_TRUE(server.Listen(name)) << server.ErrorString().toStdString();
    struct stat info {};
    ASSERT_EQ(::lstat(path.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_TRUE(SendToRunningInstance("activar", kTimeoutMs, name));
    ASSERT_EQ(::chmod(path.constData(), 0755), 0);  // opened up while it runs
    EXPECT_FALSE(SendToRunningInstance("activar", kTimeoutMs, name));
    server.Close();
    EXPECT_FALSE(server.Listen(name));
    EXPECT_EQ(
        server.ErrorString(),
        "la carpeta " + folder + " no es solo de este usuario (permisos 755 en lugar de 700)");

    // A socket of an earlier version at the folder's name is kept while it
    // answers, and removed once it is left behind.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    {
        QLocalServer old;
        ASSERT_TRUE(old.listen(folder));
        EXPECT_FALSE(server.Listen(name));
    }
    cartulo::testing::LeaveStaleSocket(path);
    EXPECT_TRUE(server.Listen(name)) << server.ErrorString().toStdString();
    server.Close();
    ASSERT_TRUE(QDir(folder).removeRecursively() && QFile::link(tmp.path(), folder));
    EXPECT_FALSE(server.Listen(name));
    EXPECT_EQ(server.ErrorString(), folder + " no es una carpeta (es un enlace u otro archivo)");
    if (::geteuid() != 0) return;
    ASSERT_TRUE(QFile::remove(folder) && ::mkdir(path.constData(), 0700) == 0);
    ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);  // made first by another user
    EXPECT_EQ(CommandChannelFolderProblem(name, true),
              "la carpeta " + folder + " es de otro usuario");
}

TEST_F(CommandChannelTest, GarbageInvalidUtf8AndACutLineAreSurvived) {
    auto socket = connectRaw(name);
    ASSERT_TRUE(socket);
    socket->write(QByteArray("\xff\xfe\x00\x01garbage\n", 12));  // not UTF-8: skipped
    socket->write(
        "Abrir \xc3\xb1"
        "and\xc3\xba\n");                           // valid UTF-8
    socket->write("\xed\xa0\x80 surrogate\n");      // an encoded surrogate: skipped
    socket->write("Abrir \xe2\x82\n");              // a truncated sequence: skipped
    socket->write(QByteArray("\x00x \x07\n", 5));   // NUL and BEL are characters
    socket->write("activar\nAbrir /home/ana/not");  // the last line is cut short
    socket->flush();
    ASSERT_TRUE(waitForLines(3));
    socket->disconnectFromServer();
    // Nothing more came from that client, and the server still serves.
    ASSERT_TRUE(send("fin"));
    ASSERT_TRUE(waitUntil([&] { return !received.empty() && received.back() == "fin"; }));
    EXPECT_EQ(received, (std::vector<std::string>{"Abrir|ñandú", std::string("\0x|\a", 4),
                                                  "activar", "fin"}));
}

TEST_F(CommandChannelTest, AnOverLongLineClosesItsConnectionAfterTheLinesBeforeIt) {
    auto socket = connectRaw(name);
    ASSERT_TRUE(socket);
    socket->write("antes\n");
    socket->write(QByteArray(1024 * 1024, 'x'));
    socket->write("\ndespues\n");
    ASSERT_TRUE(waitForDisconnection(*socket));
    // Just over the limit is refused too.
    auto justOver = connectRaw(name);
    ASSERT_TRUE(justOver);
    justOver->write(QByteArray(kMaxCommandLineBytes + 100, 'x') + "\nactivar\n");
    ASSERT_TRUE(waitForDisconnection(*justOver));
    // The client refuses what the server would drop.
    EXPECT_FALSE(send(QString(kMaxCommandLineBytes + 1, QLatin1Char('y'))));
    EXPECT_FALSE(send("a\nb"));
    ASSERT_TRUE(send("fin"));
    ASSERT_TRUE(waitForLines(2));
    EXPECT_EQ(received, (std::vector<std::string>{"antes", "fin"}));

    // The longest line that may travel arrives whole.
    const QString longest(kMaxCommandLineBytes - 6, QLatin1Char('z'));
    ASSERT_TRUE(send(QString("Abrir ") + longest));
    ASSERT_TRUE(waitForLines(3));
    EXPECT_EQ(received[2], "Abrir|" + longest.toStdString());
}

TEST_F(CommandChannelTest, AFloodIsHandledInOrderWithoutHoldingUpTheEventLoop) {
    constexpr int kLines = 10000;
    std::size_t seenByOtherEvent = 0;
    bool otherEventRan = false;
    int depth = 0;
    int deepest = 0;
    CommandChannelServer flooded([&](const QString& word, std::optional<QString> argument) {
        deepest = std::max(deepest, ++depth);
        if (received.empty()) {
            // Another event queued while the flood is handled gets its turn
            // long before the flood ends.
            QTimer::singleShot(0, [&] {
                otherEventRan = true;
                seenByOtherEvent = received.size();
            });
        }
        received.push_back(shown(word, argument));
        --depth;
    });
    const QString floodName = dir.filePath("inundado");
    ASSERT_TRUE(flooded.Listen(floodName));
    auto socket = connectRaw(floodName);
    ASSERT_TRUE(socket);
    QByteArray flood;
    for (int i = 0; i < kLines; ++i) flood += "linea " + QByteArray::number(i) + '\n';
    socket->write(flood);
    ASSERT_TRUE(waitForLines(kLines));
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kLines));
    for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(received[static_cast<std::size_t>(i)], "linea|" + std::to_string(i));
    }
    EXPECT_TRUE(otherEventRan);
    EXPECT_LT(seenByOtherEvent, static_cast<std::size_t>(kLines));
    EXPECT_EQ(deepest, 1);
}

TEST_F(CommandChannelTest, ASilentClientIsDisconnected) {
    server.SetIdleTimeout(std::chrono::milliseconds(1));
    auto silent = connectRaw(name);
    ASSERT_TRUE(silent);
    EXPECT_TRUE(waitForDisconnection(*silent));
    EXPECT_TRUE(send("activar"));
    EXPECT_TRUE(waitForLines(1));
}

TEST_F(CommandChannelTest, ConnectionsBeyondTheLimitAreClosed) {
    server.SetIdleTimeout(std::chrono::hours(1));
    std::vector<std::unique_ptr<QLocalSocket>> sockets;
    for (int i = 0; i <= kMaxOpenCommandConnections; ++i) {
        sockets.push_back(connectRaw(name));
        ASSERT_TRUE(sockets.back());
    }
    EXPECT_TRUE(waitForDisconnection(*sockets.back()));
    // The ones served still are: each one's line arrives.
    for (int i = 0; i < kMaxOpenCommandConnections; ++i) {
        sockets[static_cast<std::size_t>(i)]->write("activar\n");
    }
    EXPECT_TRUE(waitForLines(static_cast<std::size_t>(kMaxOpenCommandConnections)));
}

TEST_F(CommandChannelTest, AHandlerThatWaitsIsNotEnteredAgain) {
    bool laterSeenInside = true;
    const QString modalName = dir.filePath("modal");
    CommandChannelServer modal([&](const QString& word, std::optional<QString> argument) {
        received.push_back(shown(word, argument));
        if (word != "modal") return;
        // Like a modal message box: an event loop inside the handler, while
        // the next line is already on its way.
        EXPECT_TRUE(SendToRunningInstance("despues", kTimeoutMs, modalName));
        for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
        laterSeenInside = received.size() > 1;
    });
    ASSERT_TRUE(modal.Listen(modalName));
    ASSERT_TRUE(SendToRunningInstance("modal", kTimeoutMs, modalName));
    ASSERT_TRUE(waitForLines(2));
    EXPECT_FALSE(laterSeenInside);
    EXPECT_EQ(received[1], "despues");
}

TEST_F(CommandChannelTest, AHandlerMayCloseOrDestroyTheServer) {
    std::vector<QString> seen;
    auto runEvents = [] {
        for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
    };

    const QString closingName = dir.filePath("cierra");
    CommandChannelServer* closingServer = nullptr;
    CommandChannelServer closing([&](const QString& word, std::optional<QString>) {
        seen.push_back(word);
        if (word == "cerrar") closingServer->Close();
    });
    closingServer = &closing;
    ASSERT_TRUE(closing.Listen(closingName));
    ASSERT_TRUE(SendLinesToRunningInstance({"uno", "cerrar", "tres"}, kTimeoutMs, closingName));
    ASSERT_TRUE(waitUntil([&] { return seen.size() >= 2; }));
    runEvents();
    EXPECT_EQ(seen, (std::vector<QString>{"uno", "cerrar"}));
    EXPECT_FALSE(closing.IsListening());

    seen.clear();
    const QString endingName = dir.filePath("acaba");
    std::unique_ptr<CommandChannelServer> ending;
    ending =
        std::make_unique<CommandChannelServer>([&](const QString& word, std::optional<QString>) {
            seen.push_back(word);
            if (word == "salir") ending.reset();
        });
    ASSERT_TRUE(ending->Listen(endingName));
    ASSERT_TRUE(SendLinesToRunningInstance({"salir", "otra"}, kTimeoutMs, endingName));
    ASSERT_TRUE(waitUntil([&] { return ending == nullptr; }));
    runEvents();
    EXPECT_EQ(seen, std::vector<QString>{"salir"});
    EXPECT_FALSE(SendToRunningInstance("activar", kTimeoutMs, endingName));
}

}  // namespace
}  // namespace cartulo::platform
