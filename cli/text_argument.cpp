#include "cli/text_argument.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/card_text.h"
#include "cli/exit_code.h"

namespace ctu {
namespace {

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
    throw Failure(ExitCode::FileError, "No se puede leer «" + path + "»: " + reason);
}

std::string readFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) cannotRead(path, "es una carpeta.");
    std::ifstream file(path, std::ios::binary);
    if (!file) cannotRead(path, systemReason(errno));
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) cannotRead(path, "error de lectura.");
    return std::move(content).str();
}

std::string readAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> textArgument(const CommandLine& line, std::istream& in) {
    if (line.text) return *line.text;
    if (!line.textFile) return std::nullopt;
    if (*line.textFile == "-") return readAll(in);
    return readFile(*line.textFile);
}

}  // namespace

std::optional<std::string> cardTextArgument(const CommandLine& line, std::istream& in) {
    auto utf8 = textArgument(line, in);
    if (!utf8) return std::nullopt;
    return withCrLf(storable(*utf8, "El texto"));
}

}  // namespace ctu
