#include "platform/command_channel.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSocketNotifier>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <list>
#include <utility>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
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
// Bytes taken from a client at a time.
constexpr std::size_t kReadChunkBytes = 4096;
// How often a client retries a server whose queue of connections is full.
constexpr int kRetryMs = 5;

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

// A socket descriptor, closed with its owner.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    int Get() const { return fd_; }
    void Reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_ = -1;
};

// The address of the channel's socket, or nothing when its path does not fit.
std::optional<sockaddr_un> socketAddress(const QString& name) {
    const QByteArray path = QFile::encodeName(CommandChannelPath(name));
    sockaddr_un address{};
    if (path.isEmpty() || path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return std::nullopt;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return address;
}

Descriptor newSocket() {
    return Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

// Connects to the channel, retrying while the server's queue is full, until
// `deadline`. An invalid descriptor when nobody answers.
Descriptor connectChannel(const QString& name, const QDeadlineTimer& deadline) {
    const std::optional<sockaddr_un> address = socketAddress(name);
    if (!address) return {};
    for (;;) {
        Descriptor socket = newSocket();
        if (socket.Get() < 0) return {};
        if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&*address),
                      sizeof *address) == 0) {
            return socket;
        }
        if (errno != EAGAIN && errno != EINTR) return {};
        if (deadline.hasExpired()) return {};
        QThread::msleep(kRetryMs);
    }
}

// Writes all of `bytes` before `deadline`.
bool writeAll(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t sent = ::send(fd, bytes.constData() + written,
                                    static_cast<std::size_t>(bytes.size() - written), MSG_NOSIGNAL);
        if (sent > 0) {
            written += sent;
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && errno != EAGAIN) return false;
        const qint64 left = deadline.remainingTime();
        if (left == 0) return false;
        pollfd wait{fd, POLLOUT, 0};
        ::poll(&wait, 1, static_cast<int>(std::min<qint64>(left < 0 ? 1000 : left, 1000)));
    }
    return true;
}

QString systemError(const QString& what) {
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
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
    return ::unlink(QFile::encodeName(fullName).constData()) == 0 || errno == ENOENT;
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
    const Descriptor probe = connectChannel(name, QDeadlineTimer(std::max(timeoutMs, 0)));
    if (probe.Get() < 0) return ChannelAnswer::Nobody;
    return peerIsThisUser(probe.Get()) ? ChannelAnswer::ThisUser : ChannelAnswer::OtherUser;
}

bool ChannelAnswersNow(const QString& name) {
    const std::optional<sockaddr_un> address = socketAddress(name);
    if (!address) return false;
    const Descriptor socket = newSocket();
    if (socket.Get() < 0) return false;
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) ==
        0) {
        return peerIsThisUser(socket.Get());
    }
    // A full queue is a server too: a busy one.
    return errno == EAGAIN;
}

QString CommandChannelPath(const QString& name) {
    if (QDir::isAbsolutePath(name)) return name;
#ifdef Q_OS_UNIX
    // A bare name lives in the temporary folder.
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
    bool IsListening() const { return listener_.Get() >= 0; }
    QString ErrorString() const { return error_; }
    QString FullServerName() const { return IsListening() ? path_ : QString(); }
    void SetIdleTimeout(std::chrono::milliseconds timeout) { idleTimeout_ = timeout; }

  private:
    struct Connection {
        Descriptor socket;
        std::unique_ptr<QSocketNotifier> readable;
        std::unique_ptr<QTimer> idle;
        QByteArray partial;  // the line being received
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
    Descriptor listener_;
    std::unique_ptr<QSocketNotifier> incoming_;
    QString path_;
    // The socket file made, removed on closing only while it is still ours.
    dev_t device_ = 0;
    ino_t inode_ = 0;
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
    if (auto problem = CommandChannelFolderProblem(name, true)) {
        error_ = *problem;
        return false;
    }
    // Asked first: a socket nobody answers on is replaced below.
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
    const QString path = CommandChannelPath(name);
    const std::optional<sockaddr_un> address = socketAddress(name);
    if (!address) {
        error_ = QStringLiteral("la ruta del canal no cabe en una dirección de socket: ") + path;
        return false;
    }
    Descriptor listener = newSocket();
    if (listener.Get() < 0) {
        error_ = systemError(QStringLiteral("no se puede crear el socket"));
        return false;
    }
    const auto* raw = reinterpret_cast<const sockaddr*>(&*address);
    if (::bind(listener.Get(), raw, sizeof *address) != 0) {
        // Nobody answered: a socket there is a stale one.
        if (errno != EADDRINUSE || !removeStaleSocket(path) ||
            ::bind(listener.Get(), raw, sizeof *address) != 0) {
            error_ = systemError(QStringLiteral("no se puede crear el socket ") + path);
            return false;
        }
    }
    const QByteArray encoded = QFile::encodeName(path);
    struct stat made {};
    if (::chmod(encoded.constData(), S_IRWXU) != 0 || ::lstat(encoded.constData(), &made) != 0 ||
        ::listen(listener.Get(), kMaxPendingCommandConnections) != 0) {
        error_ = systemError(QStringLiteral("no se puede escuchar en ") + path);
        ::unlink(encoded.constData());
        return false;
    }
    listener_ = std::move(listener);
    path_ = path;
    device_ = made.st_dev;
    inode_ = made.st_ino;
    incoming_ = std::make_unique<QSocketNotifier>(listener_.Get(), QSocketNotifier::Read);
    QObject::connect(incoming_.get(), &QSocketNotifier::activated, incoming_.get(),
                     [this] { Accept(); });
    return true;
}

void CommandChannelServer::State::Close() {
    lines_.clear();
    connections_.clear();
    incoming_.reset();
    if (listener_.Get() >= 0) {
        const QByteArray encoded = QFile::encodeName(path_);
        struct stat now {};
        if (::lstat(encoded.constData(), &now) == 0 && now.st_dev == device_ &&
            now.st_ino == inode_) {
            ::unlink(encoded.constData());
        }
    }
    listener_.Reset();
}

void CommandChannelServer::State::Accept() {
    Sweep();
    while (listener_.Get() >= 0) {
        Descriptor socket(
            ::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (socket.Get() < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        const auto open = std::count_if(connections_.begin(), connections_.end(),
                                        [](const Connection& c) { return !c.finished; });
        if (open >= kMaxOpenCommandConnections || !peerIsThisUser(socket.Get())) continue;
        Connection& connection = connections_.emplace_back();
        connection.socket = std::move(socket);
        connection.readable =
            std::make_unique<QSocketNotifier>(connection.socket.Get(), QSocketNotifier::Read);
        connection.idle = std::make_unique<QTimer>();
        connection.idle->setSingleShot(true);
        connection.idle->setInterval(idleTimeout_);

        QObject::connect(connection.readable.get(), &QSocketNotifier::activated,
                         connection.readable.get(), [this, &connection] { Pump(connection); });
        QObject::connect(
            connection.idle.get(), &QTimer::timeout, connection.idle.get(), [this, &connection] {
                // Bytes the server has not read yet mean the client
                // is waiting for us, not idle.
                int waiting = 0;
                if (::ioctl(connection.socket.Get(), FIONREAD, &waiting) == 0 && waiting > 0) {
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
// queue has room; a full queue stops reading, so the client waits.
void CommandChannelServer::State::Pump(Connection& connection) {
    if (connection.finished || connection.pumping) return;
    connection.pumping = true;
    char chunk[kReadChunkBytes];
    while (!connection.finished && !QueueFull()) {
        const ssize_t size = ::read(connection.socket.Get(), chunk, sizeof chunk);
        if (size < 0 && errno == EINTR) continue;
        if (size < 0 && errno == EAGAIN) break;
        if (size <= 0) {
            // Gone (or broken) and fully read: a line without its line feed
            // is not a command.
            Finish(connection);
            break;
        }
        connection.idle->start();
        qsizetype start = 0;
        const auto* end_of_chunk = chunk + size;
        for (const char* end; (end = static_cast<const char*>(std::memchr(
                                   chunk + start, '\n', static_cast<std::size_t>(size - start))));
             start = end - chunk + 1) {
            connection.partial.append(chunk + start, end - (chunk + start));
            if (connection.partial.size() > kMaxCommandLineBytes) break;
            // Programs that end lines with CR LF mean the same line.
            if (connection.partial.endsWith('\r')) connection.partial.chop(1);
            lines_.push_back(std::exchange(connection.partial, QByteArray()));
        }
        if (connection.partial.size() <= kMaxCommandLineBytes) {
            connection.partial.append(chunk + start, end_of_chunk - (chunk + start));
        }
        if (connection.partial.size() > kMaxCommandLineBytes) Finish(connection);
    }
    connection.pumping = false;
    if (!connection.finished) connection.readable->setEnabled(!QueueFull());
    if (!lines_.empty() && !drain_.isActive()) drain_.start();
}

void CommandChannelServer::State::Finish(Connection& connection) {
    if (connection.finished) return;
    connection.finished = true;
    connection.partial.clear();
    // The notifier may be the caller: it goes with the next Sweep.
    connection.readable->setEnabled(false);
    connection.idle->stop();
    connection.socket.Reset();
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
    const Descriptor socket = connectChannel(name, deadline);
    return socket.Get() >= 0 && peerIsThisUser(socket.Get()) &&
           writeAll(socket.Get(), bytes, deadline);
}

}  // namespace cartulo::platform
