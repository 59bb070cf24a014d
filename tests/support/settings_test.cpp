#include "support/settings.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/paths.h"
#include "scoped_env.h"
#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;
using Names = std::vector<std::string>;

// The folder rules are the platform's; the program's folder goes inside.
TEST(SettingsFolder, IsTheProgramsFolderInTheUsersConfiguration) {
    EXPECT_EQ(SettingsFolderFor("/xdg/", "/home/ana", "/opt"), "/xdg/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor(nullptr, nullptr, "."), "/Vardane/Cartulo");
}

// Every test gets a settings folder of its own, and leaves the environment
// as it found it.
class SettingsTest : public ::testing::Test {
  protected:
    ProgramSettings readWith(std::string_view content) {
        EXPECT_EQ(EnsureSettingsFile(path), 0);
        writeBytes(path, content);
        ProgramSettings settings;
        settings.ReadOptions();
        return settings;
    }

    testing::TempDir dir;
    testing::ScopedEnv xdgConfigHome{"XDG_CONFIG_HOME", dir.path().c_str()};
    std::string path = dir.path() + "/Vardane/Cartulo/Cartulo.ini";
};

TEST_F(SettingsTest, AnyNonZeroNumberTurnsHighDpiOnAndTheAutoLoadListStopsAtAGap) {
    for (std::string value : {"1", "2", "-1", " 3", "1.5", "0", "", "no"}) {
        const ProgramSettings settings = readWith("[general]\nhighdpi=" + value + "\n");
        const bool on = value != "0" && value != "" && value != "no";
        EXPECT_EQ(settings.HighDPI(), on) << value;
        EXPECT_EQ(settings.DisplayScale(), on ? 1.25f : 1.0f) << value;
    }
    // At the first missing or empty key; UTF-8 or Windows-1252.
    const std::pair<const char*, Names> lists[] = {
        {"[AUTOLOAD]\n1=/uno.ctu\n; 2=nota\n2=dos.ctu\n4=/cuatro.ctu\n", {"/uno.ctu", "dos.ctu"}},
        {"[AUTOLOAD]\r\n1=/a.ctu\r\n2=\r\n3=/c.ctu\r\n", {"/a.ctu"}},
        {"[AUTOLOAD]\n1=/Años/Árbol.ctu\n", {"/Años/Árbol.ctu"}},
        {"[AUTOLOAD]\r\n1=/A\xF1os.ctu\r\n", {"/Años.ctu"}}};
    for (const auto& [content, list] : lists) EXPECT_EQ(readWith(content).AutoLoadList(), list);
}

TEST_F(SettingsTest, WritingOptionsAppendsTheSectionAndChangesTheScaleOnlyAtTheNextStart) {
    ProgramSettings settings = readWith("[AUTOLOAD]\r\n1=/a.ctu\r\n");
    settings.SetHighDPI(true);
    EXPECT_FALSE(settings.WriteOptions());
    EXPECT_EQ(settings.DisplayScale(), 1.0f);
    EXPECT_EQ(readBytes(path), "[AUTOLOAD]\r\n1=/a.ctu\r\n\r\n[GENERAL]\r\nHighDPI=1\r\n\r\n");
    settings.SetHighDPI(false);
    settings.Ini().PutINIData("AUTOLOAD", "2", "/b.ctu");
    EXPECT_FALSE(settings.Close());
    EXPECT_EQ(readBytes(path),
              "[AUTOLOAD]\r\n1=/a.ctu\r\n2=/b.ctu\r\n\r\n[GENERAL]\r\nHighDPI=1\r\n\r\n");
}

// The file is the user's too while the program runs: an exit with nothing
// changed leaves it alone, and a write changes only its key.
TEST_F(SettingsTest, WhatTheUserWritesWhileItRunsIsKept) {
    ProgramSettings settings;
    settings.ReadOptions();  // no file yet: made empty under XDG_CONFIG_HOME
    EXPECT_EQ(SettingsFile(), path);
    EXPECT_EQ(settings.FilePath(), path);
    EXPECT_TRUE(paths::FileExists(path) && readBytes(path).empty());
    EXPECT_TRUE(!settings.HighDPI() && settings.AutoLoadList().empty());
    EXPECT_EQ(settings.DisplayScale(), 1.0f);
    writeBytes(path, "; mis archivos\n[AUTOLOAD]\n1=/a.ctu\n");
    EXPECT_FALSE(settings.WriteOptions() || settings.Close());  // the exit
    EXPECT_EQ(readBytes(path), "; mis archivos\n[AUTOLOAD]\n1=/a.ctu\n");
    settings.ReadOptions();
    writeBytes(path, "[GENERAL]\n; escala\nHighDPI=0\n[AUTOLOAD]\n1=/b.ctu\n");
    EXPECT_FALSE(settings.SaveHighDPI(true));  // "Opciones"
    EXPECT_EQ(readBytes(path), "[GENERAL]\n; escala\nHighDPI=1\n\n[AUTOLOAD]\n1=/b.ctu\n\n");
    writeBytes(path, "[GENERAL]\nHighDPI=0\n");  // by hand, while the memory says 1
    EXPECT_FALSE(settings.SaveHighDPI(true));
    EXPECT_EQ(readBytes(path), "[GENERAL]\nHighDPI=1\n\n");
}

TEST_F(SettingsTest, WhatCannotBeReadIsNeitherUsedNorWrittenOver) {
    writeBytes(dir.file("Vardane"), "un archivo donde iría la carpeta");
    EXPECT_NE(EnsureSettingsFile(path), 0);
    ProgramSettings settings;
    settings.ReadOptions();
    settings.SetHighDPI(true);
    EXPECT_TRUE(settings.WriteOptions());
    EXPECT_EQ(readBytes(dir.file("Vardane")), "un archivo donde iría la carpeta");
    std::filesystem::remove(dir.file("Vardane"));
    EXPECT_FALSE(readWith(std::string("[GENERAL]\nHighDPI=1\n\0", 21)).HighDPI());
}

}  // namespace
}  // namespace cartulo::support
