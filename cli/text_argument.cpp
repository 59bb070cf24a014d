#include "cli/text_argument.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "cli/card_text.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "engine/cartulo.h"

namespace ctu {
namespace {

// The most UTF-8 any storable text takes: each of its characters is at most
// 3 bytes, and a line end stored as CR LF came from at most those 2 bytes.
constexpr std::size_t kMaxTextBytes = 3 * cartulo::kMaxTextLength;

// The usual reasons in Spanish; the system's own words for the rest.
std::string systemReason(int error) {
    switch (error) {
        case ENOENT:
            return "no existe.";
        case EACCES:
            return "no hay permiso para leerlo.";
        default:
            return std::string(std::strerror(error)) + ".";
    }
}

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
    throw Failure(ExitCode::FileError, "No se puede leer «" + displayText(path) + "»: " + reason);
}

// Reads one byte more than any storable text at most, so that endless input
// (/dev/zero, a stream that never ends) is refused instead of filling memory.
// Returns nullopt when reading failed.
std::optional<std::string> readBounded(std::istream& in) {
    std::string text;
    char buffer[65536];
    while (text.size() <= kMaxTextBytes && in) {
        const std::size_t wanted = std::min(sizeof buffer, kMaxTextBytes + 1 - text.size());
        in.read(buffer, static_cast<std::streamsize>(wanted));
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    if (text.size() > kMaxTextBytes) {
        throw Failure(ExitCode::Refused, "El texto es más largo de lo que cabe en una ficha (" +
                                             std::to_string(cartulo::kMaxTextLength) +
                                             " caracteres como máximo).");
    }
    return text;
}

std::string readFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) cannotRead(path, "es una carpeta.");
    std::ifstream file(path, std::ios::binary);
    if (!file) cannotRead(path, systemReason(errno));
    auto text = readBounded(file);
    if (!text) cannotRead(path, "error de lectura.");
    return std::move(*text);
}

std::string readStdin(std::istream& in) {
    auto text = readBounded(in);
    if (!text) throw Failure(ExitCode::FileError, "No se puede leer la entrada estándar.");
    return std::move(*text);
}

std::optional<std::string> textArgument(const CommandLine& line, std::istream& in) {
    if (line.text) return *line.text;
    if (!line.textFile) return std::nullopt;
    if (*line.textFile == "-") return readStdin(in);
    return readFile(*line.textFile);
}

}  // namespace

std::optional<std::string> cardTextArgument(const CommandLine& line, std::istream& in) {
    auto utf8 = textArgument(line, in);
    if (!utf8) return std::nullopt;
    return withCrLf(storable(*utf8, "El texto"));
}

}  // namespace ctu
