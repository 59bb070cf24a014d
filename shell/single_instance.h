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
    HandOverFailed,  // no instance could be reached, and listening failed too
};

// How long a hand-over may take before it counts as failed.
inline constexpr int kHandOverTimeoutMs = 5000;

// Hands over to the instance answering on `channelName` ("Activar", then
// "Abrir " + firstArgument when that is not empty: one blank, no quotes;
// the caller passes an absolute path), or else starts `server` listening
// there. Two processes starting at once end as one server and one client:
// the check and the listening happen under a lock file beside the socket.
// On HandOverFailed the caller shows the critical message
// "No se ha podido establecer una comunicación DDE con Cartulo.", titled
// "Comando DDE", and ends.
InstanceRole EstablishInstance(platform::CommandChannelServer& server, const QString& firstArgument,
                               const QString& channelName = platform::DefaultCommandChannelName());

}  // namespace cartulo::shell
