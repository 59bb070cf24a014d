// Entries: Spanish letter-case rules, the reserved main-card name, what the
// file format cannot hold; and the Windows-1252 conversions behind them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace cartulo {
namespace {

class EntriesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Agenda");
        cancion = ctu.NewCard("Canci\xF3n");  // Canción
        nandu = ctu.NewCard(
            "\xD1"
            "and\xFA");  // Ñandú
    }
    cCartulo ctu;
    CardId cancion = kNoCard;
    CardId nandu = kNoCard;
};

struct EntryCase {
    const char* entry;
    bool taken;  // equal to an existing entry under the Spanish rules
};

TEST_F(EntriesTest, NewCardComparesEntriesUpperCasedWithAccentsSignificant) {
    const std::vector<EntryCase> cases = {
        {"CANCI\xD3N", true},  // CANCIÓN
        {"canci\xF3n", true},  // canción
        {"\xF1"
         "AND\xDA",
         true},  // ñANDÚ
        {"\xD1"
         "and\xFC",
         false},                 // Ñandü: a different accent
        {"Cancion", false},      // no accent
        {"Canci\xF2n", false},   // a grave accent is another letter
        {"Canci\xF3n ", false},  // trailing space
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const CardId r = ctu.NewCard(c.entry);
        if (c.taken) {
            EXPECT_EQ(r, kEntryInUse);
        } else {
            EXPECT_GT(r, 0);
            EXPECT_EQ(ctu.SrchNtry(c.entry), r);
        }
    }
    EXPECT_EQ(ctu.SrchNtry("CANCI\xD3N"), cancion);
}

TEST_F(EntriesTest, MainCardIsFoundByEmptyEntryAndByItsListName) {
    EXPECT_EQ(ctu.SrchNtry(""), ctu.GetMain());
    EXPECT_EQ(ctu.SrchNtry(" <Ficha principal>"), ctu.GetMain());
    EXPECT_EQ(ctu.SrchNtry("nadie"), kNoCard);
}

TEST_F(EntriesTest, ReservedMainCardNameIsRefusedInAnyCase) {
    for (const char* name : {" <Ficha principal>", " <FICHA PRINCIPAL>", " <ficha Principal>"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ctu.NewCard(name), kEntryInUse);
        EXPECT_EQ(ctu.NewAlias(cancion, name), kEntryInUse);
        EXPECT_EQ(ctu.ValidateNtry(cancion, name), EntryCheck::InUse);
        EXPECT_EQ(ctu.SetNtry(cancion, name), EntryCheck::InUse);
    }
    EXPECT_EQ(ctu.CardCount(), 3);
}

TEST_F(EntriesTest, ValidateNtry) {
    const CardId main = ctu.GetMain();
    struct Case {
        CardId card;
        std::string entry;
        EntryCheck expected;
    };
    const std::vector<Case> cases = {
        {cancion, "CANCI\xD3N", EntryCheck::Ok},  // its own entry in another case
        {cancion, "Nueva", EntryCheck::Ok},
        {cancion,
         "\xF1"
         "and\xFA",
         EntryCheck::InUse},
        {cancion, "", EntryCheck::InUse},  // the main card has it
        {cancion, std::string(99, 'x'), EntryCheck::Ok},
        {cancion, std::string(100, 'x'), EntryCheck::Unstorable},
        {main, "", EntryCheck::Ok},
        {main, "Principal", EntryCheck::MainMustBeEmpty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(ctu.ValidateNtry(c.card, c.entry), c.expected);
    }
}

TEST_F(EntriesTest, EntriesTheFileCannotHoldAreRefused) {
    const std::string longest(99, 'a');
    const std::string tooLong(100, 'b');
    EXPECT_EQ(ctu.NewCard(tooLong), kUnstorableEntry);
    EXPECT_EQ(ctu.NewAlias(cancion, tooLong), kUnstorableEntry);
    EXPECT_EQ(ctu.SrchNtry(tooLong), kNoCard);
    EXPECT_GT(ctu.NewCard(longest), 0);
    EXPECT_EQ(ctu.CheckEntry(longest), std::nullopt);
    EXPECT_NE(ctu.CheckEntry(tooLong), std::nullopt);
}

TEST_F(EntriesTest, TextsTheFileCannotHoldAreRefusedAndChangeNothing) {
    ctu.SetTxt(cancion, "antes");
    cCartulo fresh;
    fresh.NewFile("T");
    for (const std::string& text :
         {std::string(100000, 't'), std::string("@@Pan"), std::string("@@")}) {
        SCOPED_TRACE(text.substr(0, 10));
        EXPECT_NE(cCartulo::CheckText(text), std::nullopt);
        EXPECT_FALSE(ctu.SetTxt(cancion, text));
        EXPECT_EQ(ctu.GetTxt(cancion), "antes");
    }
    // The main card's record is always read as text, so only length limits it;
    // the same holds for a sister of the main card, which shares that record.
    EXPECT_FALSE(fresh.SetTxt(fresh.GetMain(), std::string(100000, 't')));
    EXPECT_FALSE(fresh.GetChanged());
    EXPECT_EQ(fresh.GetTxt(fresh.GetMain()), "T");
    const CardId sister = fresh.NewAlias(fresh.GetMain(), "Portada");
    EXPECT_TRUE(fresh.SetTxt(sister, "@@T"));
    EXPECT_EQ(fresh.GetTxt(fresh.GetMain()), "@@T");
    EXPECT_EQ(cCartulo::CheckText("@@T", true), std::nullopt);
    for (const std::string& text :
         {std::string(99999, 't'), std::string("x@@"), std::string("@")}) {
        EXPECT_EQ(cCartulo::CheckText(text), std::nullopt);
        EXPECT_TRUE(ctu.SetTxt(cancion, text));
    }
}

TEST(NewFileTitleTest, TitleTheFileCannotHoldBecomesTheDefault) {
    for (const std::string& title : {std::string(), std::string(100000, 't')}) {
        cCartulo ctu;
        EXPECT_TRUE(ctu.NewFile(title));
        EXPECT_EQ(ctu.GetTxt(ctu.GetMain()), "NUEVO CARTULO");
    }
    cCartulo ctu;
    ctu.NewFile("@@x");
    EXPECT_EQ(ctu.GetTxt(ctu.GetMain()), "@@x");
}

// --- Windows-1252 ---

TEST(Win1252Test, SpanishCaseRules) {
    struct Pair {
        char lower, upper;
    };
    // á é í ó ú ü ñ ç and plain letters.
    for (const Pair p :
         {Pair{'\xE1', '\xC1'}, Pair{'\xE9', '\xC9'}, Pair{'\xED', '\xCD'}, Pair{'\xF3', '\xD3'},
          Pair{'\xFA', '\xDA'}, Pair{'\xFC', '\xDC'}, Pair{'\xF1', '\xD1'}, Pair{'\xE7', '\xC7'},
          Pair{'a', 'A'}, Pair{'z', 'Z'}}) {
        EXPECT_EQ(win1252::toUpper(p.lower), p.upper);
        EXPECT_EQ(win1252::toLower(p.upper), p.lower);
    }
    // ß has no capital here; ÷ and × are not letters.
    for (char c : {'\xDF', '\xF7', '\xD7', '1', '{', '\xAB'}) {
        EXPECT_EQ(win1252::toUpper(c), c);
        EXPECT_EQ(win1252::toLower(c), c);
    }
    EXPECT_EQ(win1252::toUpper("\xC1rbol ni\xF1o"), "\xC1RBOL NI\xD1O");
    EXPECT_EQ(win1252::foldAccents("\xC1rbol ni\xF1o \xFC"), "ARBOL NINO U");
}

TEST(Win1252Test, EveryByteSurvivesUnicodeAndUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(win1252::fromUnicode(win1252::toUnicode(static_cast<unsigned char>(b))), b);
        all.push_back(static_cast<char>(b));
    }
    const auto back = win1252::fromUtf8(win1252::toUtf8(all));
    EXPECT_EQ(back.text, all);
    EXPECT_TRUE(back.unstorable.empty());
    EXPECT_FALSE(back.malformed);
}

TEST(Win1252Test, UndefinedBytesMapToC1Controls) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(win1252::toUnicode(b), static_cast<char32_t>(b));
        const std::string utf8 = win1252::toUtf8(std::string(1, static_cast<char>(b)));
        EXPECT_EQ(utf8, std::string({'\xC2', static_cast<char>(b)}));
        EXPECT_EQ(win1252::fromUtf8(utf8).text, std::string(1, static_cast<char>(b)));
    }
}

TEST(Win1252Test, KnownMappings) {
    EXPECT_EQ(win1252::toUnicode(0x80), U'\u20AC');
    EXPECT_EQ(win1252::toUnicode(0x9F), U'\u0178');
    EXPECT_EQ(win1252::toUnicode(0xAB), U'\u00AB');
    EXPECT_EQ(win1252::fromUnicode(U'\u20AC'), 0x80);
    EXPECT_EQ(win1252::fromUnicode(U'\u0080'), -1);  // 0x80 is the euro sign
    EXPECT_EQ(win1252::fromUnicode(U'\u0100'), -1);
    EXPECT_EQ(win1252::toUtf8("Canci\xF3n \x80"), "Canci\xC3\xB3n \xE2\x82\xAC");
}

TEST(Win1252Test, Utf8CharactersOutsideTheCodePageAreReported) {
    const auto d = win1252::fromUtf8(
        "a\xE6\xBC\xA2"
        "b\xF0\x9F\x98\x80");  // a漢b😀
    EXPECT_EQ(d.text, "ab");
    EXPECT_EQ(d.unstorable, (std::vector<char32_t>{U'\u6F22', U'\U0001F600'}));
    EXPECT_FALSE(d.malformed);

    const auto bad = win1252::fromUtf8(
        "a\xFF"
        "b");
    EXPECT_TRUE(bad.malformed);
    EXPECT_EQ(bad.text,
              "a\xFF"
              "b");
}

}  // namespace
}  // namespace cartulo
