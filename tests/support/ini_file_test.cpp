// The settings store: reading, looking up, setting and writing back; and
// files that are not what a settings file should be, read without a crash
// and never lost by a later write.
#include "support/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace cartulo::support {
namespace {

using testing::readBytes;
using testing::writeBytes;
using Lines = std::vector<std::string>;

constexpr std::string_view kSample =
    "; Cartulo\r\n\r\n  [general]  \r\nHighDPI=1\r\n; HighDPI=9\r\nColor = rojo \r\nsin igual\r\n"
    "[Autoload\r\n1=/home/ana/uno.ctu\r\n2=/home/ana/dos.ctu\r\n";

class IniFileTest : public ::testing::Test {
  protected:
    void open(std::string_view bytes) {
        writeBytes(path, bytes);
        ASSERT_FALSE(ini.OpenINI(path));  // false means read
    }
    // Written, then read again from the file by a fresh store.
    std::string reread(std::string_view section, std::string_view key) {
        EXPECT_FALSE(ini.WriteINI());
        cIniFile again;
        EXPECT_FALSE(again.OpenINI(path));
        return again.GetINIData(section, key);
    }
    testing::TempDir dir;
    std::string path = dir.file("Cartulo.ini");
    cIniFile ini;
};

TEST_F(IniFileTest, ReadsTrimmedLinesSectionsAndKeys) {
    open(kSample);
    EXPECT_EQ(ini.Lines(),
              (Lines{"; Cartulo", "[GENERAL]", "HighDPI=1", "; HighDPI=9", "Color = rojo",
                     "sin igual", "[AUTOLOAD]", "1=/home/ana/uno.ctu", "2=/home/ana/dos.ctu"}));
    std::string name;
    int sections = 0, count = 0;
    ini.GetININfo(name, sections, count);
    EXPECT_EQ(std::tie(name, sections, count), std::make_tuple(path, 2, 9));
    const auto& s = ini.Sections();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(std::tie(s[0].name, s[0].headerLine), std::make_tuple("GENERAL", 1u));
    EXPECT_EQ(std::tie(s[1].name, s[1].headerLine), std::make_tuple("AUTOLOAD", 6u));
    EXPECT_EQ(s[2].headerLine, 9u);  // the sentinel: the line count
    // Keys ignore case, comments and lines without "="; values are untrimmed.
    // clang-format off
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"GENERAL", "HighDPI", "1"}, {"general", "HIGHDPI", "1"}, {"AutoLoad", "2",
        "/home/ana/dos.ctu"},
        {"GENERAL", "Color ", " rojo"}, {"GENERAL", "Color", ""}, {"GENERAL", "sin igual", ""},
        {"GENERAL", "1", ""}, {"OTRA", "HighDPI", ""}};
    // clang-format on
    for (const auto& [section, key, value] : cases) {
        EXPECT_EQ(ini.GetINIData(section, key), value) << section << "/" << key;
    }
    EXPECT_EQ(ini.GetNumLines("GENERAL"), 3);
    EXPECT_EQ(ini.GetLine("GENERAL", 2), "Color = rojo");
    EXPECT_EQ(ini.GetLine("GENERAL", 4), "");
    EXPECT_EQ(ini.GetNumLines("NINGUNA"), 0);
    ini.PutLine("GENERAL", 3, "otra cosa");
    EXPECT_EQ(ini.GetLine("GENERAL", 3), "otra cosa");
    EXPECT_FALSE(ini.Changed());
}

TEST_F(IniFileTest, SettingReplacesAddsOrAppendsAndMarksTheChange) {
    open("[general]\r\nhighdpi=0\r\n[AUTOLOAD]\r\n1=/a.ctu\r\n");
    ini.PutINIData("GENERAL", "HIGHDPI", "0");
    EXPECT_FALSE(ini.Changed());  // the same value
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.Changed());
    ini.PutINIData("General", "Nuevo", "sí");
    ini.PutINIData("Otra", "k", "v");
    // What could not be read back as written is refused.
    ini.PutINIData("GENERAL", "k", "uno\n[X]");
    ini.PutINIData("GENERAL", "a=b", "1");
    ini.PutINIData("GEN\r", "k", "1");
    EXPECT_EQ(ini.Lines(), (Lines{"[GENERAL]", "highdpi=1", "Nuevo=sí", "[AUTOLOAD]", "1=/a.ctu",
                                  "[OTRA]", "k=v"}));
    ASSERT_EQ(ini.Sections().size(), 4u);
    EXPECT_EQ(ini.Sections()[1].headerLine, 3u);
    EXPECT_EQ(ini.Sections()[2].headerLine, 5u);
    EXPECT_EQ(ini.Sections()[3].headerLine, 7u);
    EXPECT_EQ(ini.GetINIData("AUTOLOAD", "1"), "/a.ctu");
}

TEST_F(IniFileTest, StoresExactlyWhatReadsBackIdentically) {
    open("[GENERAL]\nHighDPI=0\n[AUTOLOAD]\n1=/Años.ctu\n");
    const std::string before = readBytes(path), nul("a\0b", 3);
    // The reader refuses a NUL, trims a line's start and end, and takes a file
    // that is not UTF-8 (a cut sequence, a surrogate, an overlong form) as
    // Windows-1252.
    // clang-format off
    const std::tuple<std::string, std::string, std::string> refused[] = {
        {"GENERAL", nul, "1"}, {"GENERAL", "k", nul}, {nul, "k", "1"}, {"GENERAL", " k", "1"},
        {"GENERAL", "  ", "1"}, {"GENERAL", "k", "valor "}, {"GENERAL", "k", " "},
        {"GENERAL", "k", "/A\xF1os.ctu"}, {"GENERAL", "k\xFF", "1"}, {"S\xC3", "k", "1"},
        {"GENERAL", "k", "\xED\xA0\x80"}, {"GENERAL", "k", "\xC1\x81"}};
    // The "=" keeps the key's end; values keep leading blanks and tabs; a
    // header is read up to its last "]"; any UTF-8.
    const std::tuple<std::string, std::string, std::string> stored[] = {
        {"GENERAL", "k ", "1"}, {"GENERAL", "k2", "  con blancos"}, {"GENERAL", "k3", "a\tb\t"},
        {"GENERAL", "k4", ""}, {"GENERAL", "k5", "x=y;z[w]"}, {"GEN]", "k", "1"}, {"A]B", "k", "2"},
        {"]", "k", "3"}, {" con blancos ", "k", "4"}, {"GENERAL", "ñandú", "€ y жук 🂡"}};
    // clang-format on
    for (const auto& [section, key, value] : refused) {
        ini.PutINIData(section, key, value);
        EXPECT_FALSE(ini.Changed()) << section << "/" << key << "/" << value;
        EXPECT_TRUE(ini.WriteINIData(section, key, value));
        EXPECT_EQ(ini.LastError()->code, errors::kUnstorable);
    }
    EXPECT_FALSE(ini.WriteINI());
    EXPECT_EQ(readBytes(path), before);
    ini.PutLine("AUTOLOAD", 1, nul);
    ini.PutLine("AUTOLOAD", 1, "1=/A\xF1os.ctu");
    EXPECT_EQ(ini.GetLine("AUTOLOAD", 1), "1=/Años.ctu");
    // The accents of the rest of the file survive the next write.
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_EQ(reread("AUTOLOAD", "1"), "/Años.ctu");
    for (const auto& [section, key, value] : stored) {
        ini.PutINIData(section, key, value);
        EXPECT_EQ(ini.GetINIData(section, key), value) << section << "/" << key;
        EXPECT_EQ(reread(section, key), value) << section << "/" << key;
    }
    // Stored once: a second write of the same finds the same line.
    const std::size_t lines = ini.Lines().size();
    for (const auto& [section, key, value] : stored) ini.PutINIData(section, key, value);
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ini.Lines().size(), lines);
}

TEST_F(IniFileTest, WritingAtOnceUndoesTheValueWhenTheWriteFails) {
    open("[GENERAL]\nHighDPI=0\n[AUTOLOAD]\n1=/Años.ctu\n");
    EXPECT_FALSE(ini.WriteINIData("GENERAL", "HighDPI", "1"));
    EXPECT_EQ(readBytes(path), "[GENERAL]\nHighDPI=1\n\n[AUTOLOAD]\n1=/Años.ctu\n\n");
    ini.PutINIData("AUTOLOAD", "2", "/b.ctu");  // pending before, pending after
    std::filesystem::remove(path);
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);  // a folder where the file was: no rename
    EXPECT_TRUE(ini.WriteINIData("GENERAL", "HighDPI", "0"));
    EXPECT_TRUE(ini.LastError().has_value());
    EXPECT_EQ(ini.GetINIData("GENERAL", "HighDPI"), "1");
    EXPECT_EQ(ini.GetINIData("AUTOLOAD", "2"), "/b.ctu");
    EXPECT_TRUE(ini.Changed());
}

TEST_F(IniFileTest, WritesBackByteForByteOnlyWhenChangedKeepingLineEndsBomAndAccents) {
    const std::string canonical =
        "; nota\r\n\r\n[GENERAL]\r\nHighDPI=1\r\nColor = "
        "rojo\r\n\r\n[AUTOLOAD]\r\n1=/a.ctu\r\n\r\n";
    open(canonical);
    EXPECT_FALSE(ini.WriteINI());
    ini.PutINIData("GENERAL", "HighDPI", "0");
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_FALSE(ini.WriteINI());  // false means written
    EXPECT_EQ(readBytes(path), canonical);
    open(kSample);
    writeBytes(path, "no se escribe");
    EXPECT_FALSE(ini.WriteINI());
    EXPECT_EQ(readBytes(path), "no se escribe");
    open("\xEF\xBB\xBF[GENERAL]\nHighDPI=0\n[AUTOLOAD]\n1=/home/ana/Años.ctu");
    EXPECT_EQ(ini.GetINIData("AUTOLOAD", "1"), "/home/ana/Años.ctu");
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_FALSE(ini.WriteINI());
    EXPECT_EQ(readBytes(path),
              "\xEF\xBB\xBF[GENERAL]\nHighDPI=1\n\n[AUTOLOAD]\n1=/home/ana/Años.ctu\n\n");
    open("[GENERAL]\rHighDPI=1\r[AUTOLOAD]\r1=/A\xF1os.ctu");  // CR alone, Windows-1252
    EXPECT_EQ(ini.GetINIData("AUTOLOAD", "1"), "/Años.ctu");
    ini.PutINIData("GENERAL", "HighDPI", "0");
    EXPECT_FALSE(ini.WriteINI());
    EXPECT_EQ(readBytes(path), "[GENERAL]\rHighDPI=0\r\r[AUTOLOAD]\r1=/Años.ctu\r\r");
}

TEST_F(IniFileTest, OpeningClosingAndCancelling) {
    EXPECT_TRUE(ini.OpenINI(dir.file("no-existe.ini")));
    EXPECT_EQ(ini.LastError()->code, errors::kFileNotFound);
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.WriteINI());  // no file was read, so none is written
    open("[GENERAL]\r\nHighDPI=0\r\n");
    ini.PutINIData("GENERAL", "HighDPI", "1");
    const std::string other = dir.file("otro.ini");
    writeBytes(other, "");
    EXPECT_FALSE(ini.OpenINI(other));  // writes the pending change first
    EXPECT_EQ(readBytes(path), "[GENERAL]\r\nHighDPI=1\r\n\r\n");
    ini.PutINIData("X", "k", "v");
    ini.CancelINI();
    EXPECT_EQ(readBytes(other), "");
    EXPECT_EQ(ini.FileName(), "");
    ASSERT_FALSE(ini.OpenINI(other));
    ini.PutINIData("X", "k", "v");
    EXPECT_FALSE(ini.CloseINI());
    EXPECT_EQ(readBytes(other), "[X]\r\nk=v\r\n\r\n");
    EXPECT_TRUE(ini.Lines().empty());
    EXPECT_FALSE(ini.Changed());
}

TEST_F(IniFileTest, BinaryAndOversizedFilesAreRefusedAndNeverWrittenOver) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7919 % 256);
    writeBytes(path, binary);
    EXPECT_TRUE(ini.OpenINI(path));
    EXPECT_TRUE(ini.Lines().empty());
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.CloseINI());
    EXPECT_TRUE(readBytes(path) == binary);
    // One byte over the cap is refused; a file at it, of many short lines
    // (the most it can make the store hold), is read and written back whole.
    std::string bytes = "[GENERAL]\nHighDPI=0\n\n[AUTOLOAD]\n";
    while (bytes.size() + 2 <= cIniFile::kMaxFileBytes) bytes += "x\n";
    bytes.append(cIniFile::kMaxFileBytes - bytes.size(), '\n');
    ASSERT_EQ(bytes.size(), std::size_t{1} << 20);
    writeBytes(path, bytes + "\n");
    EXPECT_TRUE(ini.OpenINI(path));
    writeBytes(path, bytes);
    ASSERT_FALSE(ini.OpenINI(path));
    const int lines = ini.GetNumLines("AUTOLOAD");
    EXPECT_GT(lines, 500'000);
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_FALSE(ini.WriteINI());
    std::string expected = "[GENERAL]\nHighDPI=1\n\n[AUTOLOAD]\n";
    for (int n = 0; n < lines; ++n) expected += "x\n";
    EXPECT_TRUE(readBytes(path) == expected + "\n");
}

TEST_F(IniFileTest, FiveThousandSectionsAndLinesWithoutEqualsAllStay) {
    std::string bytes = "[A]\r\nsolo texto\r\n=\r\nHighDPI\r\n";
    for (int i = 0; i < 5000; ++i)
        bytes += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    open(bytes);
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

TEST_F(IniFileTest, WhatIsNoFileIsAnErrorAndAFailedWriteKeepsTheOldFileAndTheChange) {
    writeBytes(path, "[GENERAL]\r\n");
    ASSERT_EQ(::truncate(path.c_str(), cIniFile::kMaxFileBytes + 1), 0);  // sparse
    EXPECT_TRUE(ini.OpenINI(path));
    EXPECT_EQ(ini.LastError()->code, errors::kAccessError);
    EXPECT_TRUE(ini.Lines().empty());
    ini.PutINIData("GENERAL", "HighDPI", "1");
    EXPECT_TRUE(ini.WriteINI());
    EXPECT_EQ(std::filesystem::file_size(path), cIniFile::kMaxFileBytes + 1);
    EXPECT_TRUE(ini.OpenINI(dir.path()));
    const std::string pipe = dir.file("tubo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(ini.OpenINI(pipe));  // at once, without waiting for a writer
    EXPECT_TRUE(ini.OpenINI(""));
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
