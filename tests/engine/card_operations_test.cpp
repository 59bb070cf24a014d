// Card operations, entries and texts the file can hold, and their events.
#include "test_support.h"

namespace cartulo {
namespace {

using namespace test;

class CardOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Agenda");
        sub = ctu.Subscribe(rec);
    }
    std::string Id(const std::string& event, CardId c) { return event + " " + std::to_string(c); }
    cCartulo ctu;
    Recorder rec;
    Subscription sub;
};

TEST_F(CardOperationsTest, NewCardAndNewAliasRaiseTheirEventWithTheCardReachable) {
    Log seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("pan")), ctu.GetTxt(c)};
    };
    EXPECT_EQ(ctu.NewCard(""), kEntryInUse);  // a refused call changes nothing
    ctu.SetTxt(ctu.GetMain(), "Agenda");      // nor does the same text
    EXPECT_FALSE(ctu.GetChanged());
    const CardId a = ctu.NewCard("Pan");
    EXPECT_EQ(rec.log, Log{"NewCard 2"});
    EXPECT_EQ(seen, (Log{"Pan", "2", ""}));
    EXPECT_TRUE(ctu.GetChanged());
    EXPECT_EQ(ctu.GetSisters(a), std::vector<CardId>{a});

    ctu.SetTxt(a, "x");
    bool sisterDuringEvent = false;
    rec.during = [&](const std::string&, CardId c) { sisterDuringEvent = ctu.IsAlias(c, a); };
    const CardId b = ctu.NewAlias(a, "B");
    EXPECT_EQ(rec.log.back(), Id("NewAlias", b));
    EXPECT_EQ(ctu.GetTxt(b), "x");
    EXPECT_EQ((std::vector{sisterDuringEvent, ctu.IsAlias(a, b), ctu.IsAlias(a, a),
                           ctu.IsAlias(a, ctu.GetMain())}),
              (std::vector{true, true, true, false}));
    EXPECT_EQ(ctu.GetSisters(a), (std::vector<CardId>{b, a}));  // new sisters go first
}

TEST_F(CardOperationsTest, SetTxtRaisesUpdateForEverySisterWhenTheTextDiffers) {
    const CardId a = ctu.NewCard("A");
    const CardId b = ctu.NewAlias(a, "B");
    const CardId c = ctu.NewAlias(b, "C");
    const CardId other = ctu.NewCard("Otra");
    rec.log.clear();
    Log textsSeen;
    rec.during = [&](const std::string&, CardId card) { textsSeen.push_back(ctu.GetTxt(card)); };
    EXPECT_TRUE(ctu.SetTxt(b, "nuevo"));
    EXPECT_EQ(rec.log,
              (Log{Id("UpdateCardTxt", c), Id("UpdateCardTxt", b), Id("UpdateCardTxt", a)}));
    EXPECT_EQ(textsSeen, Log(3, "nuevo"));
    EXPECT_EQ((Log{ctu.GetTxt(a), ctu.GetTxt(other)}), (Log{"nuevo", ""}));
    rec.log.clear();
    ctu.SetTxt(other, "");
    EXPECT_TRUE(ctu.SetTxt(a, "nuevo"));  // the same text is no refusal
    EXPECT_TRUE(rec.log.empty());
    ctu.SetTxt(a, "NUEVO");  // letter case counts
    EXPECT_EQ(rec.log.size(), 3u);
}

TEST_F(CardOperationsTest, DelCardRaisesCloseCardWhileTheCardIsStillLinked) {
    const CardId a = ctu.NewCard("A");
    const CardId b = ctu.NewAlias(a, "B");
    ctu.SetTxt(a, "compartido");
    rec.log.clear();
    Log seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("a")),
                std::to_string(ctu.GetSisters(b).size()), std::to_string(ctu.CardCount())};
    };
    EXPECT_EQ(ctu.DelCard(a), 0);
    EXPECT_EQ(rec.log, Log{Id("CloseCard", a)});
    EXPECT_EQ(seen, (Log{"A", std::to_string(a), "2", "3"}));
    EXPECT_TRUE(ctu.SrchNtry("A") == kNoCard && ctu.GetSisters(b) == std::vector<CardId>{b});
    EXPECT_EQ(ListOrder(ctu), (Log{"B", ""}));
    EXPECT_EQ(ctu.GetTxt(b), "compartido");
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
    // The main card and a deleted card are refused silently.
    EXPECT_EQ((std::vector{ctu.DelCard(ctu.GetMain()), ctu.DelCard(a)}), (std::vector{-1, -1}));
    // A sister of a deleted card or of one never made has its own result.
    EXPECT_EQ((std::vector{ctu.NewAlias(a, "Hermana"), ctu.NewAlias(4999, "Hermana")}),
              (std::vector{kNoSourceCard, kNoSourceCard}));
    EXPECT_TRUE(rec.log.size() == 1u && ctu.CardCount() == 2);
    EXPECT_GT(ctu.NewCard("A"), 0);  // the entry is free again
}

TEST_F(CardOperationsTest, SetNtryAppliesOnlyAValidEntry) {
    const CardId a = ctu.NewCard("Viejo");
    ctu.NewCard("B");
    rec.log.clear();
    // Refused with the verdict of ValidateNtry; a card that is not there is refused too.
    EXPECT_EQ((std::vector{ctu.SetNtry(a, "b"), ctu.SetNtry(a, std::string(100, 'x')),
                           ctu.SetNtry(4999, "Otro"), ctu.SetNtry(ctu.GetMain(), "Principal")}),
              (std::vector{EntryCheck::InUse, EntryCheck::Unstorable, EntryCheck::InUse,
                           EntryCheck::MainMustBeEmpty}));
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ((Log{ctu.GetNtry(a), ctu.GetNtry(ctu.GetMain())}), (Log{"Viejo", ""}));

    Log seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("NUEVO"))};
    };
    EXPECT_EQ(ctu.SetNtry(a, "Nuevo"), EntryCheck::Ok);
    EXPECT_EQ(rec.log, Log{Id("UpdateCardNtry", a)});
    EXPECT_EQ(seen, (Log{"Nuevo", std::to_string(a)}));
    EXPECT_EQ((std::vector{ctu.SrchNtry("Viejo"), ctu.SrchNtry("nuevo")}),
              (std::vector{kNoCard, a}));
}

TEST_F(CardOperationsTest, MasterCardTextIsCopiedIntoNewCardsOnly) {
    EXPECT_EQ(ctu.GetMasterTxt(), "");
    const CardId m = ctu.NewCard("Ficha maestra");
    EXPECT_EQ(ctu.GetTxt(m), "");
    ctu.SetTxt(m, "Tel: \r\nDir: ");
    const CardId other = ctu.NewCard("Otra");
    ctu.SetTxt(other, "propio");
    ctu.SetNtry(m, "FICHA MAESTRA");  // still the master card: compared without case
    EXPECT_EQ(ctu.GetTxt(ctu.NewCard("Fresca")), "Tel: \r\nDir: ");
    EXPECT_EQ(ctu.GetTxt(ctu.NewAlias(other, "Hermana")), "propio");
    EXPECT_EQ((Log{ctu.GetTxtFromNtry("fresca"), ctu.GetTxtFromNtry("nadie")}),
              (Log{"Tel: \r\nDir: ", ""}));
}

TEST_F(CardOperationsTest, NewCardStartsEmptyWhenTheMasterTextCannotBeItsOwn) {
    // A master card that is a sister of the main card shares "@@...", which
    // only the main card may hold: a copy could never be saved.
    ctu.SetTxt(ctu.GetMain(), "@@Portada");
    ctu.NewAlias(ctu.GetMain(), "Ficha maestra");
    const CardId fresh = ctu.NewCard("Fresca");
    ASSERT_GT(fresh, 0);
    EXPECT_EQ(ctu.GetTxt(fresh), "");
    EXPECT_TRUE(ctu.SetTxt(fresh, "propio"));
}

TEST_F(CardOperationsTest, CardListIsMostRecentFirstAndHidesSpaceEntries) {
    const CardId b = ctu.NewCard("B");
    const CardId hidden = ctu.NewCard(" Oculta");
    const CardId a = ctu.NewCard("A");
    auto flat = [](const std::vector<CardListItem>& items) {
        Log out;
        for (const auto& i : items) out.push_back(i.text + "=" + std::to_string(i.card));
        return out;
    };
    const std::string main = " <Ficha principal>=" + std::to_string(ctu.GetMain());
    const std::string sa = "A=" + std::to_string(a), sb = "B=" + std::to_string(b);
    EXPECT_EQ(flat(ctu.GetCrdList(false)), (Log{sa, sb, main}));
    EXPECT_EQ(flat(ctu.GetCrdList(true)), (Log{sa, " Oculta=" + std::to_string(hidden), sb, main}));
    EXPECT_EQ(ctu.CardCount(), 4);
}

TEST(ListenerTest, OrderUnsubscriptionAndASubscriptionOutlivingTheFile) {
    Recorder outliving;
    Subscription sOutliving;
    {
        cCartulo ctu;
        sOutliving = ctu.Subscribe(outliving);
        ctu.NewFile("T");
        Log shared;
        Recorder first, second, reset, dropped, removedDuringEvent, remover;
        first.during = [&](const std::string&, CardId) { shared.push_back("first"); };
        second.during = [&](const std::string&, CardId) { shared.push_back("second"); };
        auto s1 = ctu.Subscribe(first);
        auto s2 = ctu.Subscribe(second);
        auto sReset = ctu.Subscribe(reset);
        sReset.reset();
        { auto sDropped = ctu.Subscribe(dropped); }
        Subscription sRemoved;
        remover.during = [&](const std::string&, CardId) { sRemoved.reset(); };
        auto sRemover = ctu.Subscribe(remover);
        sRemoved = ctu.Subscribe(removedDuringEvent);
        ctu.NewCard("A");
        ctu.NewCard("B");
        EXPECT_EQ(shared, (Log{"first", "second", "first", "second"}));
        EXPECT_EQ((std::vector{reset.log.size(), dropped.log.size(), removedDuringEvent.log.size(),
                               remover.log.size()}),
                  (std::vector<std::size_t>{0, 0, 0, 2}));
    }
    sOutliving.reset();
    EXPECT_EQ(outliving.log, (Log{"NewCard 1", "NewFile", "NewCard 2", "NewCard 3"}));
}

// --- entries and texts ---

class EntriesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Agenda");
        cancion = ctu.NewCard("Canci\xF3n");
        nandu = ctu.NewCard("\321and\372");  // Ñandú
    }
    cCartulo ctu;
    CardId cancion = kNoCard, nandu = kNoCard;
};

// Entries compare upper-cased with accents significant: a grave accent or ü is another letter.
TEST_F(EntriesTest, ValidateNtryAndEntriesTheFileCannotHold) {
    for (const char* name : {" <Ficha principal>", " <FICHA PRINCIPAL>", " <ficha Principal>"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ctu.NewCard(name), kEntryInUse);
        EXPECT_EQ(ctu.NewAlias(cancion, name), kEntryInUse);
        EXPECT_EQ(ctu.ValidateNtry(cancion, name), EntryCheck::InUse);
        EXPECT_EQ(ctu.SetNtry(cancion, name), EntryCheck::InUse);
    }
    const CardId main = ctu.GetMain();
    // clang-format off
    const struct {
        CardId card;
        std::string entry;
        EntryCheck expected;
    } cases[] = {
        {cancion, "CANCI\xD3N", EntryCheck::Ok}, {nandu, "canci\xF3n", EntryCheck::InUse},
        {cancion, "\361AND\332", EntryCheck::InUse}, {cancion, "\321and\374", EntryCheck::Ok},
        {nandu, "Cancion", EntryCheck::Ok}, {nandu, "Canci\xF2n", EntryCheck::Ok},
        {nandu, "Canci\xF3n ", EntryCheck::Ok}, {cancion, "", EntryCheck::InUse},
        {cancion, std::string(99, 'x'), EntryCheck::Ok},
        {cancion, std::string(100, 'x'), EntryCheck::Unstorable}, {main, "", EntryCheck::Ok},
        {main, "Principal", EntryCheck::MainMustBeEmpty}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ctu.ValidateNtry(c.card, c.entry), c.expected) << c.entry;
    EXPECT_EQ(ctu.NewCard("canci\xF3n"), kEntryInUse);
    const CardId plain = ctu.NewCard("Cancion");
    EXPECT_EQ(ctu.SrchNtry("CANCION"), plain);
    const std::string longest(99, 'a'), tooLong(100, 'b');
    EXPECT_EQ(
        (std::vector{ctu.NewCard(tooLong), ctu.NewAlias(cancion, tooLong), ctu.SrchNtry(tooLong)}),
        (std::vector<CardId>{kUnstorableEntry, kUnstorableEntry, kNoCard}));
    EXPECT_EQ(ctu.CardCount(), 4);
    EXPECT_GT(ctu.NewCard(longest), 0);
    EXPECT_EQ(ctu.CheckEntry(longest), std::nullopt);
    EXPECT_NE(ctu.CheckEntry(tooLong), std::nullopt);
}

TEST_F(EntriesTest, TextsTheFileCannotHoldAreRefusedAndChangeNothing) {
    ctu.SetTxt(cancion, "antes");
    for (const std::string& text :
         {std::string(100000, 't'), std::string("@@Pan"), std::string("@@")}) {
        SCOPED_TRACE(text.substr(0, 10));
        EXPECT_NE(cCartulo::CheckText(text), std::nullopt);
        EXPECT_FALSE(ctu.SetTxt(cancion, text));
        EXPECT_EQ(ctu.GetTxt(cancion), "antes");
    }
    // The main card's record is always read as text, so only length limits it;
    // the same holds for a sister of the main card, which shares that record.
    cCartulo fresh;
    fresh.NewFile("T");
    EXPECT_FALSE(fresh.SetTxt(fresh.GetMain(), std::string(100000, 't')) || fresh.GetChanged());
    EXPECT_EQ(fresh.GetTxt(fresh.GetMain()), "T");
    EXPECT_TRUE(fresh.SetTxt(fresh.NewAlias(fresh.GetMain(), "Portada"), "@@T"));
    EXPECT_EQ(fresh.GetTxt(fresh.GetMain()), "@@T");
    EXPECT_EQ(cCartulo::CheckText("@@T", true), std::nullopt);
    for (const std::string& text :
         {std::string(99999, 't'), std::string("x@@"), std::string("@")}) {
        EXPECT_EQ(cCartulo::CheckText(text), std::nullopt);
        EXPECT_TRUE(ctu.SetTxt(cancion, text));
    }
    // A title the file cannot hold becomes the default.
    for (const std::string& title : {std::string(), std::string(100000, 't'), std::string("@@x")}) {
        cCartulo ctu2;
        EXPECT_TRUE(ctu2.NewFile(title));
        EXPECT_EQ(ctu2.GetTxt(ctu2.GetMain()), title == "@@x" ? title : "NUEVO CARTULO");
    }
}

}  // namespace
}  // namespace cartulo
