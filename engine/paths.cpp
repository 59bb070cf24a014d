#include "engine/paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace cartulo::paths {

std::string JoinPath(std::string_view first, std::string_view second) {
    std::string out(first);
    if (!out.ends_with('/')) out += '/';
    out += second;
    return out;
}

std::string FileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirectoryPart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string Extension(std::string_view path) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(path.substr(dot + 1));
}

std::string ResolvePath(std::string_view path, std::string_view base) {
    if (path.starts_with('/')) return std::string(path);
    // The result never ends in "/"; the root is kept as "" until the end.
    std::string result(base);
    while (result.ends_with('/')) result.pop_back();
    while (!path.empty()) {
        const auto slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            const auto last = result.rfind('/');
            result.resize(last == std::string::npos ? 0 : last);
            continue;
        }
        result += '/';
        result += part;
    }
    return result.empty() ? std::string("/") : result;
}

std::string ValidFileName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        switch (c) {
            case '\\':
            case '/':
            case ':':
            case '*':
            case '?':
            case '"':
            case '<':
            case '>':
            case '|':
                c = '_';
                break;
            default:
                break;
        }
    }
    return out;
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

int MakeDirectories(const std::string& path) {
    if (path.empty() || DirectoryExists(path)) return 0;
    const std::string parent = DirectoryPart(path);
    if (!parent.empty() && parent != path) {
        if (int err = MakeDirectories(parent)) return err;
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    return DirectoryExists(path) ? 0 : ENOTDIR;
}

}  // namespace cartulo::paths
