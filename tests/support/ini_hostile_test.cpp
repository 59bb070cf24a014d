// Files that are not what a settings file should be: read without a crash,
// and never lost by a later write.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/ini_file.h"
#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;

class IniHostile : public ::testing::Test {
  protected:
    testing::TempDir dir;
    std::string path = dir.file("Cartulo.ini");
    cIniFile ini;
};

TEST_F(IniHostile, ABinaryFileIsRefusedAndNeverWrittenOver) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7919 % 256);
    writeBytes(path, binary);
    EXPECT_TRUE(ini.OpenINI(path));
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.CloseINI());
    EXPECT_EQ(readBytes(path), binary);
}

TEST_F(IniHostile, TheCapIsOneMebibyte) {
    EXPECT_EQ(cIniFile::kMaxFileBytes, std::size_t{1} << 20);
}

TEST_F(IniHostile, TenMegabytesAreRefusedAndNeverWrittenOver) {
    std::string bytes = "[GENERAL]\r\nHighDPI=0\r\n\r\n[AUTOLOAD]\r\n";
    for (int n = 0; bytes.size() < 10u << 20; ++n)
        bytes += "sin igual " + std::to_string(n) + "\r\n";
    writeBytes(path, bytes);
    EXPECT_TRUE(ini.OpenINI(path));
    EXPECT_EQ(ini.LastError()->code, errors::kAccessError);
    EXPECT_TRUE(ini.Lines().empty());
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.CloseINI());
    EXPECT_TRUE(readBytes(path) == bytes);
}

TEST_F(IniHostile, OneByteOverTheCapIsRefusedAndAFileAtItIsReadAndWrittenBackWhole) {
    // Many short lines: the most a file at the cap can make the store hold.
    std::string bytes = "[GENERAL]\nHighDPI=0\n\n[AUTOLOAD]\n";
    const std::string filler = "x\n";
    while (bytes.size() + filler.size() <= cIniFile::kMaxFileBytes) bytes += filler;
    bytes.append(cIniFile::kMaxFileBytes - bytes.size(), '\n');
    ASSERT_EQ(bytes.size(), cIniFile::kMaxFileBytes);
    writeBytes(path, bytes + "\n");
    EXPECT_TRUE(ini.OpenINI(path));
    writeBytes(path, bytes);
    ASSERT_FALSE(ini.OpenINI(path));
    const int lines = ini.GetNumLines("AUTOLOAD");
    EXPECT_GT(lines, 500'000);
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_FALSE(ini.WriteINI());
    std::string expected = "[GENERAL]\nHighDPI=1\n\n[AUTOLOAD]\n";
    for (int n = 0; n < lines; ++n) expected += filler;
    EXPECT_TRUE(readBytes(path) == expected + "\n");
}

TEST_F(IniHostile, FiveThousandSectionsAndLinesWithoutEqualsAllStay) {
    std::string bytes = "[A]\r\nsolo texto\r\n=\r\nHighDPI\r\n";
    for (int i = 0; i < 5000; ++i)
        bytes += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    writeBytes(path, bytes);
    ASSERT_FALSE(ini.OpenINI(path));
    ini.PutINIData("A", "HighDPI", "1");
    ini.PutINIData("NUEVA", "k", "v");
    EXPECT_FALSE(ini.CloseINI());
    ASSERT_FALSE(ini.OpenINI(path));
    EXPECT_EQ(ini.Sections().size(), 5003u);
    EXPECT_EQ(ini.Lines().size(), 10007u);
    EXPECT_EQ(ini.GetLine("A", 3), "HighDPI");
    EXPECT_EQ(ini.GetINIData("A", "HighDPI"), "1");
    EXPECT_EQ(ini.GetINIData("S4999", "k"), "4999");
    EXPECT_EQ(ini.GetINIData("NUEVA", "k"), "v");
}

TEST_F(IniHostile, WhatIsNoFileIsAnErrorAndStaysAsItWas) {
    writeBytes(path, "[GENERAL]\r\n");
    ASSERT_EQ(::truncate(path.c_str(), cIniFile::kMaxFileBytes + 1), 0);  // sparse
    EXPECT_TRUE(ini.OpenINI(path));
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.WriteINI());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(std::size_t(st.st_size), cIniFile::kMaxFileBytes + 1);

    EXPECT_TRUE(ini.OpenINI(dir.path()));
    const std::string pipe = dir.file("tubo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(ini.OpenINI(pipe));  // at once, without waiting for a writer
    EXPECT_TRUE(ini.OpenINI(""));
}

TEST_F(IniHostile, AFailedWriteKeepsTheOldFileAndTheChange) {
    const std::string folder = dir.file("sub");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    writeBytes(folder + "/x.ini", "[GENERAL]\r\nHighDPI=0\r\n");
    ASSERT_FALSE(ini.OpenINI(folder + "/x.ini"));
    ini.PutINIData("GENERAL", "HighDPI", "1");
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);  // no temporary file can be made
        EXPECT_TRUE(ini.WriteINI());
        EXPECT_EQ(readBytes(folder + "/x.ini"), "[GENERAL]\r\nHighDPI=0\r\n");
        ::chmod(folder.c_str(), 0700);
    }
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(ini.WriteINI());
    EXPECT_TRUE(ini.Changed());
    EXPECT_TRUE(ini.LastError().has_value());
}

}  // namespace
}  // namespace cartulo::support
