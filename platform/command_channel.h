// The local command channel: the running cartulo listens on it, and another
// process (a second cartulo, or `ctu send`) hands it commands. One command
// is one UTF-8 line ended by a line feed: a word, optionally followed by one
// blank and an argument text. The channel is per user and reachable only by
// that user.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace cartulo::platform {

// A longer line (without its line feed) is dropped and its connection
// closed: a command is a word and a path, never this long.
inline constexpr qsizetype kMaxCommandLineBytes = 64 * 1024;
// Connections the server queues before it accepts them.
inline constexpr int kMaxPendingCommandConnections = 16;
// Connections the server serves at once; more are closed straight away.
inline constexpr int kMaxOpenCommandConnections = 16;
// A connection that sends nothing for this long is closed.
inline constexpr std::chrono::milliseconds kCommandConnectionIdle{10000};
// Lines handled in one turn of the event loop, so a flood of commands
// never freezes the windows.
inline constexpr int kCommandLinesPerTurn = 32;
// Received lines waiting for the handler; beyond this the server stops
// reading, and the senders wait.
inline constexpr int kMaxQueuedCommandLines = 1024;

// "cartulo-" + the user's id, in $XDG_RUNTIME_DIR when that is set and
// absolute (a folder only the user can enter); otherwise in the folder
// PrivateChannelFolder() of the temporary folder, since in a folder every
// user may write another user could take the name first.
QString DefaultCommandChannelName();

// "cartulo-" + the user's id in the system's temporary folder: where the
// channel lives without $XDG_RUNTIME_DIR.
QString PrivateChannelFolder();

// Why the channel `name` may not be used, or nothing when it may. Only a
// name in PrivateChannelFolder() is checked: that folder must be a real
// folder (not a link) of this user with mode 0700. With `create` (the
// server) a missing folder is made so; a client never makes it.
std::optional<QString> CommandChannelFolderProblem(const QString& name, bool create);

// Who answers on the channel `name` within `timeoutMs`. A server of another
// user is no instance of this program to hand work to.
enum class ChannelAnswer { Nobody, ThisUser, OtherUser };
ChannelAnswer ProbeCommandChannel(const QString& name, int timeoutMs);

// Whether something answers on the channel `name` at once, without waiting
// and without Qt's sockets: for the start, before Qt exists, to learn that
// its file goes to a running instance.
bool ChannelAnswersNow(const QString& name);

// The socket path a channel name stands for.
QString CommandChannelPath(const QString& name);

// A command line split at its first blank. Without a blank there is no
// argument; "Abrir " has an empty argument; further blanks belong to the
// argument. The word keeps its case: the receiver compares it.
struct CommandLineParts {
    QString word;
    std::optional<QString> argument;
};
CommandLineParts SplitCommandLine(const QString& line);

// Serves the channel on the thread that creates it. Every client is
// untrusted: a line that is over-long ends its connection; a line that is
// not valid UTF-8 is skipped; a last line without its line feed (a client
// that went away mid-line) is discarded; a client that stays silent is
// disconnected; a client running as another user is refused.
class CommandChannelServer {
  public:
    using Handler = std::function<void(const QString& word, std::optional<QString> argument)>;

    // The handler runs from the event loop of the server's thread, once per
    // received line, in the order the lines arrived, never while it is
    // already running (a handler that shows a modal box delays the next
    // line). It may close or destroy the server.
    explicit CommandChannelServer(Handler handler);
    ~CommandChannelServer();
    CommandChannelServer(const CommandChannelServer&) = delete;
    CommandChannelServer& operator=(const CommandChannelServer&) = delete;

    // Starts listening. False, with ErrorString(), when another server
    // answers on the name (of this user or another), the name's folder may
    // not be used (CommandChannelFolderProblem), or the socket cannot be
    // made. A stale socket
    // left by a program that ended without closing it is replaced.
    bool Listen(const QString& name = DefaultCommandChannelName());
    // Stops listening and drops every connection and every line not yet
    // handled.
    void Close();
    bool IsListening() const;
    QString ErrorString() const;
    // The full name the server listens on (a socket path on Unix).
    QString FullServerName() const;
    // How long a connection may stay silent (kCommandConnectionIdle by
    // default); applies to connections accepted afterwards.
    void SetIdleTimeout(std::chrono::milliseconds timeout);

  private:
    class State;
    std::unique_ptr<State> state_;
};

// Sends one line to the server on `name`: connects, writes the line and a
// line feed, waits until it is written and disconnects, all within
// `timeoutMs`. False when no server of this user answers in time, when the
// name's folder may not be used, or when the line cannot travel (it holds a line feed, or is longer
// than the limit).
bool SendToRunningInstance(const QString& line, int timeoutMs,
                           const QString& name = DefaultCommandChannelName());

// The same for several lines over one connection, so they arrive in this
// order. Nothing is sent when any of them cannot travel.
bool SendLinesToRunningInstance(const QStringList& lines, int timeoutMs,
                                const QString& name = DefaultCommandChannelName());

}  // namespace cartulo::platform
