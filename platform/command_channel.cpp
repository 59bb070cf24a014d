#include "platform/command_channel.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QStringDecoder>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <list>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace cartulo::platform {
namespace {

// How long Listen waits to learn whether another server answers.
constexpr int kProbeTimeoutMs = 1000;
// Bytes taken from a client at a time, and the most a client's socket
// buffers before the server stops reading from it.
constexpr qint64 kReadChunkBytes = 4096;
constexpr qint64 kSocketBufferBytes = 16 * 1024;

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(static_cast<qulonglong>(::getuid()));
#else
    return qEnvironmentVariable("USERNAME", QStringLiteral("usuario"));
#endif
}

// Whether the process at the other end of a connected socket runs as this
// user. The socket's permissions already keep others out; this also stops
// a client from handing its commands to a socket another user put in a
// shared temporary folder first.
bool peerIsThisUser(qintptr descriptor) {
#if defined(Q_OS_LINUX)
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) !=
        0) {
        return false;
    }
    return credentials.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(static_cast<int>(descriptor), &uid, &gid) != 0) return false;
    return uid == ::geteuid();
#else
    Q_UNUSED(descriptor);
    return true;
#endif
}

// Why an existing private folder may not hold the channel, or nothing.
std::optional<QString> unsafeFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return QStringLiteral("no existe la carpeta ") + folder;
    }
    if (!S_ISDIR(info.st_mode)) {
        return folder + QStringLiteral(" no es una carpeta (es un enlace u otro archivo)");
    }
    if (info.st_uid != ::geteuid()) {
        return QStringLiteral("la carpeta ") + folder + QStringLiteral(" es de otro usuario");
    }
    if ((info.st_mode & 07777) != 0700) {
        return QStringLiteral("la carpeta ") + folder +
               QStringLiteral(" no es solo de este usuario (permisos %1 en lugar de 700)")
                   .arg(info.st_mode & 07777, 3, 8, QLatin1Char('0'));
    }
#else
    Q_UNUSED(folder);
#endif
    return std::nullopt;
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

// A line that is not valid UTF-8 came garbled: it is not run at all.
std::optional<QString> decodeLine(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace

QString DefaultCommandChannelName() {
    const QString name = QStringLiteral("cartulo-") + userId();
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QDir::isAbsolutePath(runtimeDir)) {
        return QDir(runtimeDir).filePath(name);
    }
    return PrivateChannelFolder() + QLatin1Char('/') + name;
}

QString PrivateChannelFolder() {
    return QDir::cleanPath(QDir::tempPath()) + QStringLiteral("/cartulo-") + userId();
}

std::optional<QString> CommandChannelFolderProblem(const QString& name, bool create) {
    const QString folder = QFileInfo(CommandChannelPath(name)).path();
    if (folder != PrivateChannelFolder()) return std::nullopt;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    // Earlier versions put their socket itself at the folder's name; one left
    // behind that nobody answers on is ours to remove.
    struct stat old {};
    if (create && ::lstat(path.constData(), &old) == 0 && S_ISSOCK(old.st_mode) &&
        old.st_uid == ::geteuid() && ProbeCommandChannel(folder, 200) == ChannelAnswer::Nobody) {
        ::unlink(path.constData());
    }
    if (create && ::mkdir(path.constData(), 0700) == 0) {
        // The umask may have taken bits away; more is never given.
        ::chmod(path.constData(), 0700);
    }
#else
    Q_UNUSED(create);
#endif
    return unsafeFolder(folder);
}

ChannelAnswer ProbeCommandChannel(const QString& name, int timeoutMs) {
    QLocalSocket probe;
    probe.connectToServer(name);
    if (!probe.waitForConnected(timeoutMs)) return ChannelAnswer::Nobody;
    const bool ours = peerIsThisUser(probe.socketDescriptor());
    probe.abort();
    return ours ? ChannelAnswer::ThisUser : ChannelAnswer::OtherUser;
}

bool ChannelAnswersNow(const QString& name) {
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(CommandChannelPath(name));
    sockaddr_un address{};
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor < 0) return false;
    const int result =
        ::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    // A full queue is a server too: a busy one.
    const bool answers = (result == 0 && peerIsThisUser(descriptor)) ||
                         (result != 0 && (errno == EAGAIN || errno == EINPROGRESS));
    ::close(descriptor);
    return answers;
#else
    Q_UNUSED(name);
    return false;
#endif
}

QString CommandChannelPath(const QString& name) {
    if (QDir::isAbsolutePath(name)) return name;
#ifdef Q_OS_UNIX
    // Where QLocalServer puts a bare name.
    return QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + name;
#else
    return name;
#endif
}

CommandLineParts SplitCommandLine(const QString& line) {
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0) return CommandLineParts{line, std::nullopt};
    return CommandLineParts{line.left(blank), std::optional<QString>(line.mid(blank + 1))};
}

// The server: connections read into one queue of lines, and a zero timer
// that hands a few of them at a time to the handler.
class CommandChannelServer::State {
  public:
    explicit State(Handler handler) : handler_(std::move(handler)) {
        drain_.setSingleShot(true);
        drain_.setInterval(0);
        QObject::connect(&drain_, &QTimer::timeout, [this] { Drain(); });
    }
    ~State() { Close(); }

    bool Listen(const QString& name);
    void Close();
    bool IsListening() const { return server_ && server_->isListening(); }
    QString ErrorString() const { return error_; }
    QString FullServerName() const { return server_ ? server_->fullServerName() : QString(); }
    void SetIdleTimeout(std::chrono::milliseconds timeout) { idleTimeout_ = timeout; }

  private:
    struct Connection {
        QLocalSocket* socket = nullptr;  // a child of the server
        QTimer* idle = nullptr;          // a child of the socket
        QByteArray partial;              // the line being received
        bool pumping = false;
        bool finished = false;
    };

    void Accept();
    void Pump(Connection& connection);
    void Finish(Connection& connection);
    void Drain();
    void Resume();
    // Forgets finished connections. Only called where no Pump is running.
    void Sweep();
    bool QueueFull() const {
        return lines_.size() >= static_cast<std::size_t>(kMaxQueuedCommandLines);
    }

    Handler handler_;
    std::unique_ptr<QLocalServer> server_;
    std::list<Connection> connections_;
    std::deque<QByteArray> lines_;
    QTimer drain_;
    QString error_;
    std::chrono::milliseconds idleTimeout_ = kCommandConnectionIdle;
    bool delivering_ = false;
    // Expires with this object, so a drain can tell that a handler destroyed it.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

bool CommandChannelServer::State::Listen(const QString& name) {
    Close();
    error_.clear();
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setMaxPendingConnections(kMaxPendingCommandConnections);
    if (auto problem = CommandChannelFolderProblem(name, true)) {
        error_ = *problem;
        return false;
    }
    // Asked first: with the user-only option the socket is made aside and
    // moved into place, which would replace a live server's socket.
    switch (ProbeCommandChannel(name, kProbeTimeoutMs)) {
        case ChannelAnswer::ThisUser:
            error_ = QStringLiteral("Otro programa ya atiende el canal de órdenes ") + name;
            return false;
        case ChannelAnswer::OtherUser:
            error_ = QStringLiteral("otro usuario atiende el canal de órdenes ") + name;
            return false;
        case ChannelAnswer::Nobody:
            break;
    }
    if (!server->listen(name)) {
        if (server->serverError() != QAbstractSocket::AddressInUseError) {
            error_ = server->errorString();
            return false;
        }
        // Nobody answered: the socket is a stale one.
        if (!removeStaleSocket(CommandChannelPath(name)) || !server->listen(name)) {
            error_ = server->errorString();
            return false;
        }
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                     [this] { Accept(); });
    server_ = std::move(server);
    return true;
}

void CommandChannelServer::State::Close() {
    lines_.clear();
    for (Connection& connection : connections_) {
        if (connection.finished) continue;
        QObject::disconnect(connection.socket, nullptr, nullptr, nullptr);
        QObject::disconnect(connection.idle, nullptr, nullptr, nullptr);
        connection.socket->abort();
    }
    connections_.clear();
    // The sockets go with the server, whose children they are.
    if (server_) server_->close();
    server_.reset();
}

void CommandChannelServer::State::Accept() {
    Sweep();
    while (server_ && server_->hasPendingConnections()) {
        QLocalSocket* socket = server_->nextPendingConnection();
        if (socket == nullptr) return;
        const auto open = std::count_if(connections_.begin(), connections_.end(),
                                        [](const Connection& c) { return !c.finished; });
        if (open >= kMaxOpenCommandConnections || !peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Connection& connection = connections_.emplace_back();
        connection.socket = socket;
        socket->setReadBufferSize(kSocketBufferBytes);
        connection.idle = new QTimer(socket);
        connection.idle->setSingleShot(true);
        connection.idle->setInterval(idleTimeout_);

        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, &connection] { Pump(connection); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket,
                         [this, &connection] { Pump(connection); });
        QObject::connect(connection.idle, &QTimer::timeout, socket, [this, &connection] {
            // Bytes the server has not read yet mean the client is waiting
            // for us, not idle.
            if (connection.socket->bytesAvailable() > 0) {
                connection.idle->start();
                return;
            }
            Finish(connection);
        });
        connection.idle->start();
        // Bytes that came with the connection.
        Pump(connection);
    }
}

// Moves the client's bytes into the queue as complete lines, while the
// queue has room.
void CommandChannelServer::State::Pump(Connection& connection) {
    if (connection.finished || connection.pumping) return;
    connection.pumping = true;
    QLocalSocket* socket = connection.socket;
    while (!connection.finished && !QueueFull() && socket->bytesAvailable() > 0) {
        const QByteArray chunk = socket->read(kReadChunkBytes);
        if (chunk.isEmpty()) break;
        connection.idle->start();
        qsizetype start = 0;
        for (qsizetype end; (end = chunk.indexOf('\n', start)) >= 0; start = end + 1) {
            connection.partial.append(chunk.constData() + start, end - start);
            if (connection.partial.size() > kMaxCommandLineBytes) break;
            // Programs that end lines with CR LF mean the same line.
            if (connection.partial.endsWith('\r')) connection.partial.chop(1);
            lines_.push_back(std::exchange(connection.partial, QByteArray()));
        }
        if (connection.partial.size() <= kMaxCommandLineBytes) {
            connection.partial.append(chunk.constData() + start, chunk.size() - start);
        }
        if (connection.partial.size() > kMaxCommandLineBytes) Finish(connection);
    }
    connection.pumping = false;
    // Gone and fully read: a line without its line feed is not a command.
    if (!connection.finished && socket->state() == QLocalSocket::UnconnectedState &&
        socket->bytesAvailable() == 0) {
        Finish(connection);
    }
    if (!lines_.empty() && !drain_.isActive()) drain_.start();
}

void CommandChannelServer::State::Finish(Connection& connection) {
    if (connection.finished) return;
    connection.finished = true;
    connection.partial.clear();
    QObject::disconnect(connection.socket, nullptr, nullptr, nullptr);
    QObject::disconnect(connection.idle, nullptr, nullptr, nullptr);
    connection.idle->stop();
    connection.socket->abort();
    // Later: this may run inside one of the socket's own signals.
    connection.socket->deleteLater();
}

void CommandChannelServer::State::Drain() {
    // A handler that runs an event loop (a modal box) must not be entered
    // again: the lines wait until it returns.
    if (delivering_) return;
    Sweep();
    delivering_ = true;
    const std::weak_ptr<int> alive = alive_;
    for (int turn = 0; turn < kCommandLinesPerTurn && !lines_.empty(); ++turn) {
        const QByteArray bytes = std::move(lines_.front());
        lines_.pop_front();
        const std::optional<QString> line = decodeLine(bytes);
        if (!line) continue;
        const CommandLineParts parts = SplitCommandLine(*line);
        // A copy, so a handler that destroys the server destroys no running code.
        const Handler handler = handler_;
        if (handler) handler(parts.word, parts.argument);
        if (alive.expired()) return;
    }
    delivering_ = false;
    Resume();
    if (!lines_.empty()) drain_.start();
}

void CommandChannelServer::State::Resume() {
    for (Connection& connection : connections_) {
        if (QueueFull()) return;
        if (!connection.finished) Pump(connection);
    }
}

void CommandChannelServer::State::Sweep() {
    connections_.remove_if([](const Connection& c) { return c.finished; });
}

CommandChannelServer::CommandChannelServer(Handler handler)
    : state_(std::make_unique<State>(std::move(handler))) {}

CommandChannelServer::~CommandChannelServer() = default;

bool CommandChannelServer::Listen(const QString& name) {
    return state_->Listen(name);
}

void CommandChannelServer::Close() {
    state_->Close();
}

bool CommandChannelServer::IsListening() const {
    return state_->IsListening();
}

QString CommandChannelServer::ErrorString() const {
    return state_->ErrorString();
}

QString CommandChannelServer::FullServerName() const {
    return state_->FullServerName();
}

void CommandChannelServer::SetIdleTimeout(std::chrono::milliseconds timeout) {
    state_->SetIdleTimeout(timeout);
}

bool SendToRunningInstance(const QString& line, int timeoutMs, const QString& name) {
    return SendLinesToRunningInstance(QStringList{line}, timeoutMs, name);
}

bool SendLinesToRunningInstance(const QStringList& lines, int timeoutMs, const QString& name) {
    QByteArray bytes;
    for (const QString& line : lines) {
        if (line.contains(QLatin1Char('\n'))) return false;
        const QByteArray encoded = line.toUtf8();
        if (encoded.size() > kMaxCommandLineBytes) return false;
        bytes += encoded;
        bytes += '\n';
    }

    if (CommandChannelFolderProblem(name, false)) return false;

    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    auto remaining = [&deadline] {
        return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
    };
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(remaining()) || !peerIsThisUser(socket.socketDescriptor())) {
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
