// The local command channel: lines split into word and argument, several
// lines per connection, over-long lines dropped, one server per name, and
// a client that gives up at once when nobody listens.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/command_channel.h"

namespace cartulo::platform {
namespace {

constexpr int kTimeoutMs = 10000;  // generous: only a broken channel waits this long

struct Received {
    QString word;
    std::optional<QString> argument;
};

// Runs the event loop until `done` holds or the timeout passes.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = kTimeoutMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

class CommandChannelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.Listen(name)) << server.ErrorString().toStdString();
    }

    bool waitForLines(std::size_t count) {
        return waitUntil([&] { return received.size() >= count; });
    }

    QTemporaryDir dir;
    QString name = dir.filePath(QStringLiteral("canal"));
    std::vector<Received> received;
    CommandChannelServer server{[this](const QString& word, std::optional<QString> argument) {
        received.push_back(Received{word, std::move(argument)});
    }};
};

TEST(SplitCommandLine, SplitsAtTheFirstBlankOnly) {
    const auto path = SplitCommandLine(QStringLiteral("Abrir /tmp/mis fichas/a b.ctu"));
    EXPECT_EQ(path.word, QStringLiteral("Abrir"));
    ASSERT_TRUE(path.argument.has_value());
    EXPECT_EQ(*path.argument, QStringLiteral("/tmp/mis fichas/a b.ctu"));

    const auto bare = SplitCommandLine(QStringLiteral("activar"));
    EXPECT_EQ(bare.word, QStringLiteral("activar"));
    EXPECT_FALSE(bare.argument.has_value());

    const auto empty = SplitCommandLine(QStringLiteral("Abrir "));
    EXPECT_EQ(empty.word, QStringLiteral("Abrir"));
    ASSERT_TRUE(empty.argument.has_value());
    EXPECT_TRUE(empty.argument->isEmpty());

    const auto twoBlanks = SplitCommandLine(QStringLiteral("Abrir  x "));
    ASSERT_TRUE(twoBlanks.argument.has_value());
    EXPECT_EQ(*twoBlanks.argument, QStringLiteral(" x "));
}

TEST_F(CommandChannelTest, TheThreeEdgeCasesArriveAsSent) {
    EXPECT_TRUE(
        SendToRunningInstance(QStringLiteral("Abrir /tmp/mis fichas/año.ctu"), kTimeoutMs, name));
    EXPECT_TRUE(SendToRunningInstance(QStringLiteral("activar"), kTimeoutMs, name));
    EXPECT_TRUE(SendToRunningInstance(QStringLiteral("Abrir "), kTimeoutMs, name));
    ASSERT_TRUE(waitForLines(3));
    ASSERT_EQ(received.size(), 3u);

    EXPECT_EQ(received[0].word, QStringLiteral("Abrir"));
    ASSERT_TRUE(received[0].argument.has_value());
    EXPECT_EQ(*received[0].argument, QStringLiteral("/tmp/mis fichas/año.ctu"));

    EXPECT_EQ(received[1].word, QStringLiteral("activar"));
    EXPECT_FALSE(received[1].argument.has_value());

    EXPECT_EQ(received[2].word, QStringLiteral("Abrir"));
    ASSERT_TRUE(received[2].argument.has_value());
    EXPECT_TRUE(received[2].argument->isEmpty());
}

TEST_F(CommandChannelTest, SeveralLinesOnOneConnectionInOrder) {
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(kTimeoutMs));
    socket.write("Activar\nAbrir a");  // the second line comes in two pieces
    socket.flush();
    ASSERT_TRUE(waitForLines(1));
    socket.write(" b\n\nCerrar x\n");
    socket.flush();
    ASSERT_TRUE(waitForLines(4));
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].word, QStringLiteral("Activar"));
    EXPECT_EQ(received[1].word, QStringLiteral("Abrir"));
    EXPECT_EQ(received[1].argument.value_or(QString()), QStringLiteral("a b"));
    EXPECT_EQ(received[2].word, QString());  // an empty line is accepted too
    EXPECT_FALSE(received[2].argument.has_value());
    EXPECT_EQ(received[3].word, QStringLiteral("Cerrar"));
    EXPECT_EQ(received[3].argument.value_or(QString()), QStringLiteral("x"));
}

TEST_F(CommandChannelTest, AnOverLongLineIsDroppedAndTheServerGoesOn) {
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(kTimeoutMs));
    socket.write(QByteArray(kMaxCommandLineBytes + 100, 'x'));
    socket.write("\nactivar\n");
    ASSERT_TRUE(waitUntil([&] {
        socket.flush();
        return socket.state() == QLocalSocket::UnconnectedState;
    }));
    EXPECT_TRUE(received.empty());

    EXPECT_FALSE(SendToRunningInstance(QString(kMaxCommandLineBytes + 1, QLatin1Char('y')),
                                       kTimeoutMs, name));
    EXPECT_FALSE(SendToRunningInstance(QStringLiteral("a\nb"), kTimeoutMs, name));
    EXPECT_TRUE(SendToRunningInstance(QStringLiteral("activar"), kTimeoutMs, name));
    ASSERT_TRUE(waitForLines(1));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].word, QStringLiteral("activar"));
}

TEST_F(CommandChannelTest, ASecondServerOnTheSameNameRefuses) {
    CommandChannelServer second([](const QString&, std::optional<QString>) {});
    EXPECT_FALSE(second.Listen(name));
    EXPECT_FALSE(second.ErrorString().isEmpty());
    EXPECT_FALSE(second.IsListening());
    // The first one still serves.
    EXPECT_TRUE(SendToRunningInstance(QStringLiteral("activar"), kTimeoutMs, name));
    EXPECT_TRUE(waitForLines(1));
}

TEST(CommandChannel, AStaleSocketIsReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = dir.filePath(QStringLiteral("viejo")).toLocal8Bit();
    // A socket file nobody listens on, as a program that crashed leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);

    int count = 0;
    CommandChannelServer server([&](const QString&, std::optional<QString>) { ++count; });
    ASSERT_TRUE(server.Listen(QString::fromLocal8Bit(path))) << server.ErrorString().toStdString();
    EXPECT_TRUE(
        SendToRunningInstance(QStringLiteral("activar"), kTimeoutMs, QString::fromLocal8Bit(path)));
    EXPECT_TRUE(waitUntil([&] { return count == 1; }));
}

TEST(CommandChannel, SendingWithNoServerFailsPromptly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(SendToRunningInstance(QStringLiteral("activar"), kTimeoutMs,
                                       dir.filePath(QStringLiteral("nadie"))));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

TEST(CommandChannel, TheDefaultNameIsPerUser) {
    const QString name = DefaultCommandChannelName();
    EXPECT_TRUE(name.endsWith(QStringLiteral("cartulo-") + QString::number(::getuid())));
}

}  // namespace
}  // namespace cartulo::platform
