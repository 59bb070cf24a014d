// Path helpers: pure string rules, then the ones that ask the file system.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/paths.h"
#include "test_support.h"

namespace cartulo {
namespace {

using namespace cartulo::paths;

struct PathCase {
    std::string path, fileName, directory, extension;
};

TEST(PathsTest, PartsOfAPath) {
    const std::vector<PathCase> cases = {
        {"/home/ana/agenda.ctu", "agenda.ctu", "/home/ana", "ctu"},
        {"agenda.ctu", "agenda.ctu", "", "ctu"},
        {"/agenda", "agenda", "", ""},
        {"/home/ana/", "", "/home/ana", ""},
        {"/a.d/agenda", "agenda", "/a.d", ""},  // a dot in the folder only
        {"/a/copia.tar.gz", "copia.tar.gz", "/a", "gz"},
        {"/a/.oculto", ".oculto", "/a", "oculto"},
        {"/a/fin.", "fin.", "/a", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileNamePart(c.path), c.fileName);
        EXPECT_EQ(DirectoryPart(c.path), c.directory);
        EXPECT_EQ(Extension(c.path), c.extension);
    }
}

TEST(PathsTest, JoinPathAddsOneSeparator) {
    EXPECT_EQ(JoinPath("/home/ana", "agenda.ctu"), "/home/ana/agenda.ctu");
    EXPECT_EQ(JoinPath("/home/ana/", "agenda.ctu"), "/home/ana/agenda.ctu");
    EXPECT_EQ(JoinPath("/", "agenda.ctu"), "/agenda.ctu");
    EXPECT_EQ(JoinPath("", "agenda.ctu"), "/agenda.ctu");
}

TEST(PathsTest, ResolvePathWalksTheRelativePathFromTheBase) {
    const std::vector<std::array<std::string, 3>> cases = {
        // path, base, expected
        {"notas.ctu", "/home/ana", "/home/ana/notas.ctu"},
        {"../notas.ctu", "/home/ana", "/home/notas.ctu"},
        {"../../../../notas.ctu", "/home/ana", "/notas.ctu"},
        {"./sub/./notas.ctu", "/home/ana", "/home/ana/sub/notas.ctu"},
        {"sub/", "/home/ana", "/home/ana/sub"},
        {"sub//notas.ctu", "/home/ana/", "/home/ana/sub/notas.ctu"},
        {"a/../../b", "/home/ana", "/home/b"},
        {"notas.ctu", "/", "/notas.ctu"},
        {"..", "/", "/"},
        {"..", "/home", "/"},
        {"", "/home/ana", "/home/ana"},
        {".", "/", "/"},
        {"/etc/../notas.ctu", "/home/ana", "/etc/../notas.ctu"},
        {"mis notas/a\xC3\xB1o.ctu", "/home/ana", "/home/ana/mis notas/a\xC3\xB1o.ctu"},
    };
    for (const auto& [path, base, expected] : cases) {
        EXPECT_EQ(ResolvePath(path, base), expected) << path << " from " << base;
    }
}

TEST(PathsTest, ValidFileNameReplacesReservedCharacters) {
    EXPECT_EQ(ValidFileName("a\\b/c:d*e?f\"g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(ValidFileName("Canci\xF3n de cuna.ctu"), "Canci\xF3n de cuna.ctu");
}

class PathsFileSystemTest : public test::TempDirTest {};

TEST_F(PathsFileSystemTest, ExistenceTests) {
    test::WriteBytes(Path("f.ctu"), "x");
    test::WriteBytes(Path(".oculto"), "x");
    std::filesystem::create_directory(Path(".carpeta"));

    EXPECT_TRUE(FileExists(Path("f.ctu")));
    EXPECT_TRUE(FileExists(Path(".oculto")));
    EXPECT_FALSE(FileExists(Path("no.ctu")));
    EXPECT_FALSE(FileExists(Path(".carpeta")));
    EXPECT_TRUE(DirectoryExists(Path(".carpeta")));
    EXPECT_TRUE(DirectoryExists(dir_));
    EXPECT_FALSE(DirectoryExists(Path("f.ctu")));
    EXPECT_FALSE(DirectoryExists(Path("no")));
}

TEST_F(PathsFileSystemTest, MakeDirectoriesCreatesParentsFirst) {
    const std::string deep = Path("a/b/c");
    EXPECT_EQ(MakeDirectories(deep), 0);
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_EQ(MakeDirectories(deep), 0);  // already there

    test::WriteBytes(Path("fichero"), "x");
    EXPECT_NE(MakeDirectories(Path("fichero/d")), 0);
    EXPECT_FALSE(DirectoryExists(Path("fichero/d")));
}

}  // namespace
}  // namespace cartulo
