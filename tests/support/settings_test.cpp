#include "support/settings.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "engine/paths.h"
#include "scoped_env.h"
#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;

TEST(SettingsFolder, FollowsTheXdgRules) {
    EXPECT_EQ(SettingsFolderFor("/xdg/", "/home/ana", "/opt"), "/xdg/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor(nullptr, "/home/ana", "/opt"), "/home/ana/.config/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor("", "/home/ana", "/opt"), "/home/ana/.config/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor("relativa", "/home/ana", "/opt"),
              "/home/ana/.config/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor(nullptr, "", "/opt/cartulo"), "/opt/cartulo/Vardane/Cartulo");
    // Relative values never make the folder depend on the working folder.
    EXPECT_EQ(SettingsFolderFor("xdg", "casa", "/opt"), "/opt/Vardane/Cartulo");
    EXPECT_EQ(SettingsFolderFor(nullptr, nullptr, "."), "/Vardane/Cartulo");
}

TEST(ScopedEnv, PutsBackWhatWasThereSetOrNot) {
    const std::string name = "CARTULO_PRUEBA_ENTORNO";
    ::unsetenv(name.c_str());
    {
        testing::ScopedEnv set(name, "uno");
        EXPECT_STREQ(std::getenv(name.c_str()), "uno");
        {
            testing::ScopedEnv cleared(name, nullptr);
            EXPECT_EQ(std::getenv(name.c_str()), nullptr);
        }
        EXPECT_STREQ(std::getenv(name.c_str()), "uno");
    }
    EXPECT_EQ(std::getenv(name.c_str()), nullptr);
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

TEST_F(SettingsTest, AMissingFileIsCreatedEmptyUnderXdgConfigHome) {
    EXPECT_EQ(SettingsFile(), path);
    ProgramSettings settings;
    EXPECT_EQ(settings.FilePath(), path);
    settings.ReadOptions();
    EXPECT_TRUE(paths::FileExists(path));
    EXPECT_EQ(readBytes(path), "");
    EXPECT_FALSE(settings.HighDPI());
    EXPECT_EQ(settings.DisplayScale(), 1.0f);
    EXPECT_TRUE(settings.AutoLoadList().empty());
}

TEST_F(SettingsTest, AnyNonZeroNumberTurnsHighDpiOn) {
    for (std::string value : {"1", "2", "-1", " 3", "1.5", "0", "", "no"}) {
        const ProgramSettings settings = readWith("[general]\nhighdpi=" + value + "\n");
        const bool on = value != "0" && value != "" && value != "no";
        EXPECT_EQ(settings.HighDPI(), on) << value;
        EXPECT_EQ(settings.DisplayScale(), on ? 1.25f : 1.0f) << value;
    }
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
    settings.ReadOptions();  // no file yet: made empty
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

TEST_F(SettingsTest, TheAutoLoadListStopsAtTheFirstMissingOrEmptyKey) {
    EXPECT_EQ(
        readWith("[AUTOLOAD]\n1=/uno.ctu\n; 2=nota\n2=dos.ctu\n4=/cuatro.ctu\n").AutoLoadList(),
        (std::vector<std::string>{"/uno.ctu", "dos.ctu"}));
    EXPECT_EQ(readWith("[AUTOLOAD]\r\n1=/a.ctu\r\n2=\r\n3=/c.ctu\r\n").AutoLoadList(),
              std::vector<std::string>{"/a.ctu"});
    EXPECT_EQ(readWith("[AUTOLOAD]\n1=/Años/Árbol.ctu\n").AutoLoadList(),
              std::vector<std::string>{"/Años/Árbol.ctu"});
    EXPECT_EQ(readWith("[AUTOLOAD]\r\n1=/A\xF1os.ctu\r\n").AutoLoadList(),
              std::vector<std::string>{"/Años.ctu"});
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
    const ProgramSettings binary = readWith(std::string("[GENERAL]\nHighDPI=1\n\0", 21));
    EXPECT_FALSE(binary.HighDPI());
}

}  // namespace
}  // namespace cartulo::support
