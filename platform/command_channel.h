// The local command channel: the running cartulo listens on it, and another
// process (a second cartulo, or `ctu send`) hands it commands. One command
// is one UTF-8 line: a word, optionally followed by one blank and an
// argument text. The channel is per user and reachable only by that user.
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

class QLocalServer;

namespace cartulo::platform {

// A line longer than this many bytes is dropped and its connection closed.
inline constexpr qsizetype kMaxCommandLineBytes = 64 * 1024;
// Connections the server queues before it accepts them.
inline constexpr int kMaxPendingCommandConnections = 16;
// Connections the server serves at once; more are closed straight away.
inline constexpr int kMaxOpenCommandConnections = 16;
// A connection that sends nothing for this long is closed.
inline constexpr int kCommandConnectionIdleMs = 10000;

// "cartulo-" + the user's id, in $XDG_RUNTIME_DIR when that is set and
// absolute (a folder only the user can enter); otherwise the bare name,
// which the local socket places in the system's temporary folder.
QString DefaultCommandChannelName();

// A command line split at its first blank. Without a blank there is no
// argument; "Abrir " has an empty argument; further blanks belong to the
// argument. The word keeps its case: the receiver compares it.
struct CommandLineParts {
    QString word;
    std::optional<QString> argument;
};
CommandLineParts SplitCommandLine(const QString& line);

class CommandChannelServer {
  public:
    using Handler = std::function<void(const QString& word, std::optional<QString> argument)>;

    // The handler runs on the thread of the Qt event loop that serves the
    // channel, once per received line, in order. Every line is accepted.
    explicit CommandChannelServer(Handler handler);
    ~CommandChannelServer();
    CommandChannelServer(const CommandChannelServer&) = delete;
    CommandChannelServer& operator=(const CommandChannelServer&) = delete;

    // Starts listening. False, with ErrorString(), when another server
    // answers on the name or the socket cannot be made. A stale socket
    // left by a program that ended without closing it is replaced.
    bool Listen(const QString& name = DefaultCommandChannelName());
    void Close();
    bool IsListening() const;
    QString ErrorString() const;
    // The full name the server listens on (a socket path on Unix).
    QString FullServerName() const;

  private:
    void Accept();

    Handler handler_;
    std::unique_ptr<QLocalServer> server_;
    QString error_;
    int openConnections_ = 0;
};

// Sends one line to the server on `name`: connects, writes the line and a
// line end, waits until it is written and disconnects, all within
// `timeoutMs`. False when no server answers in time, or when the line
// cannot travel (it holds a line end, or is longer than the limit).
bool SendToRunningInstance(const QString& line, int timeoutMs,
                           const QString& name = DefaultCommandChannelName());

}  // namespace cartulo::platform
