// ctu send: hands one command to the running cartulo over the local
// command channel.
#include <QCoreApplication>
#include <QString>

#include <memory>

#include "cli/commands.h"
#include "cli/exit_code.h"
#include "platform/command_channel.h"

namespace ctu {
namespace {

// Long enough for a busy program to take the line; short enough that a
// missing one is reported at once (a missing socket fails immediately).
constexpr int kSendTimeoutMs = 5000;

int argc_ = 1;
char name_[] = "ctu";
char* argv_[] = {name_, nullptr};

}  // namespace

void runSend(const CommandLine& line, Streams&) {
    const std::string& command = line.operands[0];
    if (command.find('\n') != std::string::npos) {
        throw Failure(ExitCode::Usage, "La orden no puede tener saltos de línea.");
    }
    if (command.size() > static_cast<std::size_t>(cartulo::platform::kMaxCommandLineBytes)) {
        throw Failure(ExitCode::Usage, "La orden es demasiado larga.");
    }
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    const QString text = QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()));
    if (!cartulo::platform::SendToRunningInstance(text, kSendTimeoutMs)) {
        throw Failure(ExitCode::FileError,
                      "No se ha podido establecer una comunicación con Cartulo.");
    }
}

}  // namespace ctu
