// ctu send: hands one command to the running cartulo over the local
// command channel.
#include <QCoreApplication>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/commands.h"
#include "cli/exit_code.h"
#include "engine/paths.h"
#include "platform/command_channel.h"

namespace ctu {
namespace {

// Long enough for a busy program to take the line; short enough that a
// missing one is reported at once (a missing socket fails immediately).
constexpr int kSendTimeoutMs = 5000;

int argc_ = 1;
char name_[] = "ctu";
char* argv_[] = {name_, nullptr};

// The program runs elsewhere and would resolve a relative path against its
// own folder: a path argument goes as the absolute path meant here, by the
// rule a second start follows. Only "abrir" takes a path.
std::string withAbsolutePath(const std::string& command) {
    const auto blank = command.find(' ');
    if (blank == std::string::npos) return command;
    std::string word = command.substr(0, blank);
    for (char& c : word) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    const std::string_view path = std::string_view(command).substr(blank + 1);
    if (word != "abrir" || path.empty() || path.starts_with('/')) return command;
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) {
        throw Failure(ExitCode::FileError,
                      "No se puede saber la carpeta actual: " + error.message() + ".");
    }
    return command.substr(0, blank + 1) + cartulo::paths::ResolvePath(path, here.string());
}

}  // namespace

void runSend(const CommandLine& line, Streams&) {
    if (line.operands[0].find('\n') != std::string::npos) {
        throw Failure(ExitCode::Usage, "La orden no puede tener saltos de línea.");
    }
    const std::string command = withAbsolutePath(line.operands[0]);
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
