// Text helpers, Windows-1252 conversions and case rules, and path helpers.
#include "engine/paths.h"
#include "engine/win1252.h"
#include "test_support.h"

namespace cartulo {
namespace {

// Windows-1252 bytes are written in octal where a letter follows them.
TEST(TextHelpersTest, GetFieldAndSetField) {
    // text, name, value: the first line wins, split at the first ": ", nothing trimmed.
    // clang-format off
    const std::vector<std::array<std::string, 3>> gets = {
        {"Tel: 555", "tel", "555"}, {"Tel : 555", "tel", ""}, {"Tel:555", "Tel", ""},
        {"a\r\nTel: 555\r\nb", "TEL", "555"}, {"Tel: 1\r\nTel: 2", "Tel", "1"},
        {"Nota: a: b", "Nota", "a: b"}, {"Nombre:  x ", "Nombre", " x "}, {" Tel: 5", "Tel", ""},
        {"Canci\xF3n: s\xED", "CANCI\xD3N", "s\xED"}, {"Tel: ", "Tel", ""}, {"", "Tel", ""}};
    // clang-format on
    for (const auto& [text, name, value] : gets)
        EXPECT_EQ(cCartulo::GetField(text, name), value) << text;
    // text, name, value, result; the name takes the caller's letter case.
    // clang-format off
    const std::vector<std::array<std::string, 4>> sets = {
        {"", "Tel", "1", "Tel: 1"}, {"Tel: 1", "Tel", "2", "Tel: 2"},
        {"a\r\nTEL: 1\r\nb", "Tel", "2", "a\r\nTel: 2\r\nb"},
        {"Tel: 1\r\nTel: 9", "tel", "2", "tel: 2\r\nTel: 9"}, {"a", "Tel", "1", "a\r\nTel: 1"},
        {"a\r\n", "Tel", "1", "a\r\n\r\nTel: 1"}, {"Tel : 1", "Tel", "2", "Tel : 1\r\nTel: 2"}};
    // clang-format on
    for (const auto& [text, name, value, result] : sets)
        EXPECT_EQ(cCartulo::SetField(text, name, value), result) << text;
}

TEST(TextHelpersTest, GetHT) {
    // Positions are 1-based. A « never closed, or followed by another « first, links
    // nothing; ñ ß æ and capitals (once lowered) are word characters, à is not.
    // v1 e2 r3 _4 «5 C6 a7 s8 a9 _10 g11 ... e16 »17 _18 h19 o20 y21
    const std::string ver = "ver \253Casa grande\273 hoy";
    // clang-format off
    const struct {
        std::string text;
        int position;
        std::string link;
        bool bracketed;
    } cases[] = {
        {ver, 13, "Casa grande", true}, {ver, 6, "Casa grande", true},
        {ver, 17, "Casa grande", true}, {ver, 20, "hoy", false}, {ver, 19, "hoy", false},
        {ver, 22, "hoy", false}, {ver, 1, "ver", false}, {ver, 4, "ver", false},
        {ver, 18, "", false}, {ver, 5, "", false}, {"a \253b c", 4, "b", false},
        {"\253a \253b\273", 2, "a", false}, {"d\355a de sol", 2, "d\355a", false},
        {"ni\xF1o", 1, "ni\xF1o", false}, {"\xC1rbol", 3, "\xC1rbol", false},
        {"stra\337e", 1, "stra\337e", false}, {"\xE6on", 1, "\xE6on", false},
        {"voil\xE0 ya", 2, "voil", false}, {"abc123 z", 2, "abc123", false},
        {"x_y-z", 1, "x", false}, {"", 1, "", false}};
    // clang-format on
    for (const auto& c : cases) {
        const HyperText ht = cCartulo::GetHT(c.text, c.position);
        EXPECT_TRUE(ht.link == c.link && ht.bracketed == c.bracketed)
            << c.text << " @" << c.position << ": " << ht.link;
    }
}

TEST(TextHelpersTest, GetFileTitleIsTheFirstLineWithoutBraceGroups) {
    // An unclosed brace stays; the first "}" closes a group; only CR LF ends the line.
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Agenda", "Agenda"}, {"Agenda\r\nsegunda", "Agenda"}, {"x{a}y{b}z", "xyz"},
        {"Mi {agenda", "Mi {agenda"}, {"a}b{c", "a}b{c"}, {"{a{b}c}d", "c}d"},
        {"{b}\r\nsegunda", ""}, {"A\nB", "A\nB"}};
    // clang-format on
    for (const auto& [text, title] : cases) {
        cCartulo ctu;
        ctu.NewFile(text);
        EXPECT_EQ(ctu.GetFileTitle(), title) << text;
    }
}

TEST(Win1252Test, SpanishCaseRulesAndConversionsThatKeepEveryByte) {
    // á é í ó ú ü ñ ç and plain letters; ß has no capital here; ÷ and × are not letters.
    const std::string lower = "\341\351\355\363\372\374\361\347az\xDF\xF7\xD7{1\xAB";
    const std::string upper = "\301\311\315\323\332\334\321\307AZ\xDF\xF7\xD7{1\xAB";
    EXPECT_EQ(win1252::toUpper(lower), upper);
    EXPECT_EQ(win1252::toLower(upper), lower);
    EXPECT_TRUE(win1252::toUpper('\xF1') == '\xD1' && win1252::toLower('\xD1') == '\xF1');
    EXPECT_EQ(win1252::foldAccents("\xC1rbol ni\xF1o \xFC"), "ARBOL NINO U");
    std::string all;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(win1252::fromUnicode(win1252::toUnicode(static_cast<unsigned char>(b))), b);
        all.push_back(static_cast<char>(b));
    }
    const auto back = win1252::fromUtf8(win1252::toUtf8(all));
    EXPECT_TRUE(back.text == all && back.unstorable.empty() && !back.malformed);
    // An undefined byte maps to its C1 control.
    EXPECT_EQ(win1252::toUtf8("\x80\x81\x9F\xAB"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xAB");
    // U+0080 is not 0x80, the euro sign.
    EXPECT_EQ((std::vector{win1252::fromUnicode(U'\u20AC'), win1252::fromUnicode(U'\u0080'),
                           win1252::fromUnicode(U'\u0100')}),
              (std::vector{0x80, -1, -1}));
    // Characters outside the code page are reported.
    const auto d = win1252::fromUtf8("a\346\274\242b\xF0\x9F\x98\x80");  // a漢b😀
    EXPECT_EQ(d.unstorable, (std::vector<char32_t>{U'\u6F22', U'\U0001F600'}));
    EXPECT_TRUE(d.text == "ab" && !d.malformed);
    const auto bad = win1252::fromUtf8("a\377b");
    EXPECT_TRUE(bad.malformed && bad.text == "a\377b");
}

using namespace cartulo::paths;

TEST(PathsTest, PartsJoinResolveAndValidNames) {
    // clang-format off
    // path, file name, directory, extension
    const std::vector<std::array<std::string, 4>> parts = {
        {"/home/ana/agenda.ctu", "agenda.ctu", "/home/ana", "ctu"},
        {"agenda.ctu", "agenda.ctu", "", "ctu"}, {"/home/ana/", "", "/home/ana", ""},
        {"/a.d/agenda", "agenda", "/a.d", ""}, {"", "", "", ""}};
    // clang-format on
    for (const auto& [path, file, folder, extension] : parts) {
        EXPECT_EQ((std::array{FileNamePart(path), DirectoryPart(path), Extension(path)}),
                  (std::array{file, folder, extension}))
            << path;
    }
    EXPECT_EQ((std::array{JoinPath("/home/ana", "a"), JoinPath("/home/ana/", "a"),
                          JoinPath("/", "a"), JoinPath("", "a")}),
              (std::array<std::string, 4>{"/home/ana/a", "/home/ana/a", "/a", "/a"}));
    // clang-format off
    // path, base, expected
    const std::vector<std::array<std::string, 3>> resolved = {
        {"notas.ctu", "/home/ana", "/home/ana/notas.ctu"},
        {"../../../../notas.ctu", "/home/ana", "/notas.ctu"},
        {"./sub/./notas.ctu", "/home/ana", "/home/ana/sub/notas.ctu"},
        {"sub//notas.ctu", "/home/ana/", "/home/ana/sub/notas.ctu"}, {"..", "/", "/"},
        {"a/../../b", "/home/ana", "/home/b"}, {"..", "/home", "/"},
        {"", "/home/ana", "/home/ana"}, {".", "/", "/"},
        {"/etc/../notas.ctu", "/home/ana", "/etc/../notas.ctu"}};
    // clang-format on
    for (const auto& [path, base, expected] : resolved)
        EXPECT_EQ(ResolvePath(path, base), expected) << path << " from " << base;
    EXPECT_EQ(ValidFileName("a\\b/c:d*e?f\"g<h>i|j"), "a_b_c_d_e_f_g_h_i_j");
}

using PathsFileSystemTest = test::TempDirTest;

TEST_F(PathsFileSystemTest, ExistenceAndMakingFolders) {
    test::WriteBytes(Path("f.ctu"), "x");
    test::WriteBytes(Path(".oculto"), "x");
    std::filesystem::create_directory(Path(".carpeta"));
    EXPECT_EQ((std::vector{FileExists(Path("f.ctu")), FileExists(Path(".oculto")),
                           FileExists(Path("no.ctu")), FileExists(Path(".carpeta"))}),
              (std::vector{true, true, false, false}));
    EXPECT_EQ((std::vector{DirectoryExists(Path(".carpeta")), DirectoryExists(dir_),
                           DirectoryExists(Path("f.ctu")), DirectoryExists(Path("no"))}),
              (std::vector{true, true, false, false}));
    // Parents first; a folder already there is no error.
    EXPECT_TRUE(MakeDirectories(Path("a/b/c")) == 0 && MakeDirectories(Path("a/b/c")) == 0);
    EXPECT_TRUE(DirectoryExists(Path("a/b/c")));
    EXPECT_NE(MakeDirectories(Path("f.ctu/d")), 0);
}

}  // namespace
}  // namespace cartulo
