#include "shell/single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "shell/instance_lock.h"

namespace cartulo::shell {
namespace {

// The lock is held only while asking for a server and starting to listen
// (a second at most); a start waits this long for it before it goes on
// without it.
constexpr int kLockWaitMs = 10000;
// A socket path must fit the system's address structure with its final zero.
constexpr qsizetype kMaxSocketPathBytes = 107;
// How long to wait to learn whether anyone answers on the channel.
constexpr int kProbeMs = 1000;

}  // namespace

InstanceRole EstablishInstance(platform::CommandChannelServer& server, const QString& firstArgument,
                               const QString& channelName) {
    // A folder others could have prepared holds neither the lock nor the socket.
    if (platform::CommandChannelFolderProblem(channelName, true)) return InstanceRole::Alone;
    // Without the lock (a folder we cannot write to) the start still works;
    // only two starts in the same instant could then both serve.
    const InstanceLock lock(platform::CommandChannelPath(channelName) + QStringLiteral(".lock"),
                            kLockWaitMs);

    QStringList commands{QStringLiteral("Activar")};
    if (!firstArgument.isEmpty()) commands << QStringLiteral("Abrir ") + firstArgument;
    // One connection, so "Activar" runs before "Abrir".
    if (platform::SendLinesToRunningInstance(commands, kHandOverTimeoutMs, channelName)) {
        return InstanceRole::HandedOver;
    }
    if (server.Listen(channelName)) return InstanceRole::Server;
    // An instance is there and would not take the work: ending is the only
    // way not to have two instances editing the same files. Another user's
    // server is no instance of ours.
    return platform::ProbeCommandChannel(channelName, kProbeMs) == platform::ChannelAnswer::ThisUser
               ? InstanceRole::HandOverFailed
               : InstanceRole::Alone;
}

QString MotivoSinCanal(const QString& channelName, const QString& detail) {
    if (auto problem = platform::CommandChannelFolderProblem(channelName, false)) return *problem;
    const QString path = platform::CommandChannelPath(channelName);
    const QString folder = QFileInfo(path).absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) return QStringLiteral("no existe la carpeta ") + folder;
    if (!folderInfo.isWritable()) {
        return QStringLiteral("no se puede escribir en la carpeta ") + folder;
    }
    if (QFile::encodeName(path).size() > kMaxSocketPathBytes) {
        return QStringLiteral("la ruta del canal es demasiado larga (") + path +
               QStringLiteral(")");
    }
    return detail;
}

}  // namespace cartulo::shell
