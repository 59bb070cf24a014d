#include "shell/single_instance.h"

#include <QLockFile>
#include <QStringList>

namespace cartulo::shell {
namespace {

// The lock is held only while asking for a server and starting to listen
// (a second at most); a start waits this long for it before it goes on
// without it.
constexpr int kLockWaitMs = 10000;
// A lock file older than this is taken for left over, even when the
// process that wrote it seems alive (its id may be another's now).
constexpr int kStaleLockMs = 30000;

}  // namespace

InstanceRole EstablishInstance(platform::CommandChannelServer& server, const QString& firstArgument,
                               const QString& channelName) {
    QLockFile lock(platform::CommandChannelPath(channelName) + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    // Without the lock (a folder we cannot write to) the start still works;
    // only two starts in the same instant could then both serve.
    lock.tryLock(kLockWaitMs);

    QStringList commands{QStringLiteral("Activar")};
    if (!firstArgument.isEmpty()) commands << QStringLiteral("Abrir ") + firstArgument;
    // One connection, so "Activar" runs before "Abrir".
    if (platform::SendLinesToRunningInstance(commands, kHandOverTimeoutMs, channelName)) {
        return InstanceRole::HandedOver;
    }
    return server.Listen(channelName) ? InstanceRole::Server : InstanceRole::HandOverFailed;
}

}  // namespace cartulo::shell
