#include "platform/command_channel.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cartulo::platform {
namespace {

// How long Listen waits to learn whether another server answers.
constexpr int kProbeTimeoutMs = 1000;

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(static_cast<qulonglong>(::getuid()));
#else
    return qEnvironmentVariable("USERNAME", QStringLiteral("usuario"));
#endif
}

bool serverAnswers(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool answered = probe.waitForConnected(kProbeTimeoutMs);
    probe.abort();
    return answered;
}

// Only a socket left behind is removed, never another kind of file.
bool removeStaleSocket(const QString& fullName) {
#ifdef Q_OS_UNIX
    struct stat info {};
    const QByteArray path = QFile::encodeName(fullName);
    if (::lstat(path.constData(), &info) == 0 && !S_ISSOCK(info.st_mode)) return false;
#endif
    return QLocalServer::removeServer(fullName);
}

QString fullNameOf(const QString& name) {
    if (QDir::isAbsolutePath(name)) return name;
#ifdef Q_OS_UNIX
    return QDir(QDir::tempPath()).absoluteFilePath(name);
#else
    return name;
#endif
}

// One client's unread bytes and the lines waiting for the handler.
struct Connection {
    QByteArray buffer;
    std::deque<QByteArray> lines;
    bool delivering = false;
    bool finished = false;
};

}  // namespace

QString DefaultCommandChannelName() {
    const QString name = QStringLiteral("cartulo-") + userId();
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QDir::isAbsolutePath(runtimeDir)) {
        return QDir(runtimeDir).filePath(name);
    }
    return name;
}

CommandLineParts SplitCommandLine(const QString& line) {
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0) return CommandLineParts{line, std::nullopt};
    return CommandLineParts{line.left(blank), std::optional<QString>(line.mid(blank + 1))};
}

CommandChannelServer::CommandChannelServer(Handler handler) : handler_(std::move(handler)) {}

CommandChannelServer::~CommandChannelServer() {
    Close();
}

bool CommandChannelServer::Listen(const QString& name) {
    Close();
    error_.clear();
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setMaxPendingConnections(kMaxPendingCommandConnections);
    // Asked first: with the user-only option the socket is made aside and
    // moved into place, which would replace a live server's socket.
    if (serverAnswers(name)) {
        error_ = QStringLiteral("Otro programa ya atiende el canal de órdenes ") + name;
        return false;
    }
    if (!server->listen(name)) {
        if (server->serverError() != QAbstractSocket::AddressInUseError) {
            error_ = server->errorString();
            return false;
        }
        // Nobody answered: the socket is a stale one.
        if (!removeStaleSocket(fullNameOf(name)) || !server->listen(name)) {
            error_ = server->errorString();
            return false;
        }
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                     [this] { Accept(); });
    server_ = std::move(server);
    return true;
}

void CommandChannelServer::Close() {
    if (!server_) return;
    server_->close();
    // The connections go with the server, silently.
    for (QLocalSocket* socket : server_->findChildren<QLocalSocket*>()) {
        QObject::disconnect(socket, nullptr, nullptr, nullptr);
    }
    server_.reset();
    openConnections_ = 0;
}

bool CommandChannelServer::IsListening() const {
    return server_ && server_->isListening();
}

QString CommandChannelServer::ErrorString() const {
    return error_;
}

QString CommandChannelServer::FullServerName() const {
    return server_ ? server_->fullServerName() : QString();
}

void CommandChannelServer::Accept() {
    while (server_ && server_->hasPendingConnections()) {
        QLocalSocket* socket = server_->nextPendingConnection();
        if (socket == nullptr) return;
        if (openConnections_ >= kMaxOpenCommandConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++openConnections_;
        auto connection = std::make_shared<Connection>();
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(kCommandConnectionIdleMs);

        // Ends the connection once, whichever way it ends.
        auto finish = [this, socket, connection] {
            if (connection->finished) return;
            connection->finished = true;
            --openConnections_;
            QObject::disconnect(socket, nullptr, nullptr, nullptr);
            socket->abort();
            socket->deleteLater();
        };
        // Hands the queued lines to the handler in order. A handler that
        // runs an event loop may bring more lines: they join the queue.
        auto deliver = [this, socket, connection] {
            if (connection->delivering) return;
            connection->delivering = true;
            const QPointer<QLocalSocket> alive(socket);
            while (!connection->lines.empty()) {
                const QString line = QString::fromUtf8(connection->lines.front());
                connection->lines.pop_front();
                const CommandLineParts parts = SplitCommandLine(line);
                // A copy, so a handler that ends the server ends no running code.
                const Handler handler = handler_;
                if (handler) handler(parts.word, parts.argument);
                if (!alive) return;  // the handler closed the server
            }
            connection->delivering = false;
        };
        // Splits the received bytes into lines; an over-long one ends the
        // connection.
        auto read = [socket, connection, idle, finish] {
            if (connection->finished) return false;
            connection->buffer += socket->readAll();
            QByteArray& buffer = connection->buffer;
            qsizetype start = 0;
            for (qsizetype end; (end = buffer.indexOf('\n', start)) >= 0; start = end + 1) {
                if (end - start > kMaxCommandLineBytes) {
                    finish();
                    return false;
                }
                connection->lines.push_back(buffer.mid(start, end - start));
            }
            buffer.remove(0, start);
            if (buffer.size() > kMaxCommandLineBytes) {
                finish();
                return false;
            }
            idle->start();
            return true;
        };

        QObject::connect(socket, &QLocalSocket::readyRead, socket, [read, deliver] {
            if (read()) deliver();
        });
        QObject::connect(
            socket, &QLocalSocket::disconnected, socket,
            [socket, connection, read, deliver, finish] {
                const QPointer<QLocalSocket> alive(socket);
                if (read()) {
                    // A last line without its line end still counts.
                    if (!connection->buffer.isEmpty()) {
                        connection->lines.push_back(std::exchange(connection->buffer, {}));
                    }
                    deliver();
                }
                if (alive) finish();
            });
        QObject::connect(idle, &QTimer::timeout, socket, finish);
        idle->start();
        // Bytes that came with the connection.
        if (socket->bytesAvailable() > 0 && read()) deliver();
    }
}

bool SendToRunningInstance(const QString& line, int timeoutMs, const QString& name) {
    if (line.contains(QLatin1Char('\n'))) return false;
    QByteArray bytes = line.toUtf8();
    if (bytes.size() > kMaxCommandLineBytes) return false;
    bytes.append('\n');

    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    auto remaining = [&deadline] {
        return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
    };
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(remaining())) {
        socket.abort();
        return false;
    }
    if (socket.write(bytes) != bytes.size()) {
        socket.abort();
        return false;
    }
    socket.flush();
    while (socket.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !socket.waitForBytesWritten(remaining())) {
            socket.abort();
            return false;
        }
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(remaining());
    return true;
}

}  // namespace cartulo::platform
