// The decision every start of cartulo makes first: serve the command
// channel as the only running instance, or hand the work to the instance
// that already serves it.
#pragma once

#include <QString>

#include "platform/command_channel.h"

namespace cartulo::shell {

enum class InstanceRole {
    Server,          // this process listens on the channel now
    HandedOver,      // another instance took "Activar" (and the file)
    HandOverFailed,  // an instance answers, but the hand-over to it failed
    Alone,           // no instance of this user answers and the channel cannot be
                     // set up: this process runs without it (MotivoSinCanal says why)
};

// How long a hand-over may take before it counts as failed.
inline constexpr int kHandOverTimeoutMs = 5000;

// Hands over to the instance answering on `channelName` ("Activar", then
// "Abrir " + firstArgument when that is not empty: one blank, no quotes;
// the caller passes an absolute path), or else starts `server` listening
// there. A folder of the channel that may not be used
// (platform::CommandChannelFolderProblem) or a server of another user on
// the name give Alone. Two processes starting at once end as one server and one client:
// the check and the listening happen under a lock file beside the socket.
// On HandOverFailed the caller shows the critical message
// "No se ha podido establecer una comunicación DDE con Cartulo.", titled
// "Comando DDE", and ends. On Alone it goes on without the channel: a
// missing or unwritable runtime folder must not keep the user from working.
InstanceRole EstablishInstance(platform::CommandChannelServer& server, const QString& firstArgument,
                               const QString& channelName = platform::DefaultCommandChannelName());

// Why the channel on `channelName` could not be set up, in the user's
// words when the cause is plain (a private folder that is not safe, a
// missing or read-only folder, a path too long for a socket); else
// `detail`, the channel's own error text.
QString MotivoSinCanal(const QString& channelName, const QString& detail);

}  // namespace cartulo::shell
