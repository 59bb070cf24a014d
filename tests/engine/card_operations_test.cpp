// Card operations, the changed flag, and the events they raise: order,
// getters called from inside an event, and unsubscription.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "test_support.h"

namespace cartulo {
namespace {

using test::ListOrder;
using test::Recorder;
using Log = std::vector<std::string>;

class CardOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Agenda");
        sub = ctu.Subscribe(rec);
    }
    cCartulo ctu;
    Recorder rec;
    Subscription sub;
};

TEST_F(CardOperationsTest, NewCardRaisesNewCardWithTheCardAlreadyReachable) {
    std::vector<std::string> seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("pan")), ctu.GetTxt(c)};
    };
    const CardId c = ctu.NewCard("Pan");
    EXPECT_EQ(rec.log, Log{"NewCard 2"});
    EXPECT_EQ(seen, (std::vector<std::string>{"Pan", "2", ""}));
    EXPECT_TRUE(ctu.GetChanged());
    EXPECT_EQ(ctu.GetSisters(c), std::vector<CardId>{c});
}

TEST_F(CardOperationsTest, NewAliasSharesTheTextAndRaisesNewCardAsAlias) {
    const CardId a = ctu.NewCard("A");
    ctu.SetTxt(a, "x");
    bool sisterDuringEvent = false;
    rec.during = [&](const std::string&, CardId c) { sisterDuringEvent = ctu.IsAlias(c, a); };
    const CardId b = ctu.NewAlias(a, "B");
    EXPECT_EQ(rec.log.back(), "NewAlias " + std::to_string(b));
    EXPECT_TRUE(sisterDuringEvent);
    EXPECT_EQ(ctu.GetTxt(b), "x");
    EXPECT_TRUE(ctu.IsAlias(a, b));
    EXPECT_TRUE(ctu.IsAlias(a, a));
    EXPECT_FALSE(ctu.IsAlias(a, ctu.GetMain()));
    EXPECT_EQ(ctu.GetSisters(a), (std::vector<CardId>{b, a}));  // new sisters go first
}

TEST_F(CardOperationsTest, SetTxtRaisesUpdateForEverySisterInSisterListOrder) {
    const CardId a = ctu.NewCard("A");
    const CardId b = ctu.NewAlias(a, "B");
    const CardId c = ctu.NewAlias(b, "C");
    const CardId other = ctu.NewCard("Otra");
    rec.log.clear();
    std::vector<std::string> textsSeen;
    rec.during = [&](const std::string&, CardId card) { textsSeen.push_back(ctu.GetTxt(card)); };

    EXPECT_TRUE(ctu.SetTxt(b, "nuevo"));
    EXPECT_EQ(rec.log,
              (Log{"UpdateCardTxt " + std::to_string(c), "UpdateCardTxt " + std::to_string(b),
                   "UpdateCardTxt " + std::to_string(a)}));
    EXPECT_EQ(textsSeen, (std::vector<std::string>(3, "nuevo")));
    EXPECT_EQ(ctu.GetTxt(a), "nuevo");
    EXPECT_EQ(ctu.GetTxt(other), "");
}

TEST_F(CardOperationsTest, SetTxtComparesTextsExactly) {
    const CardId a = ctu.NewCard("A");
    ctu.SetTxt(a, "igual");
    rec.log.clear();
    ctu.SetTxt(a, "igual");
    EXPECT_TRUE(rec.log.empty());
    ctu.SetTxt(a, "IGUAL");  // letter case counts
    EXPECT_EQ(rec.log, Log{"UpdateCardTxt " + std::to_string(a)});
}

TEST_F(CardOperationsTest, DelCardRaisesCloseCardWhileTheCardIsStillLinked) {
    const CardId a = ctu.NewCard("A");
    const CardId b = ctu.NewAlias(a, "B");
    ctu.SetTxt(a, "compartido");
    rec.log.clear();
    std::vector<std::string> seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("a")),
                std::to_string(ctu.GetSisters(b).size()), std::to_string(ctu.CardCount())};
    };

    EXPECT_EQ(ctu.DelCard(a), 0);
    EXPECT_EQ(rec.log, Log{"CloseCard " + std::to_string(a)});
    EXPECT_EQ(seen, (std::vector<std::string>{"A", std::to_string(a), "2", "3"}));
    EXPECT_EQ(ctu.SrchNtry("A"), kNoCard);
    EXPECT_EQ(ctu.GetTxt(b), "compartido");
    EXPECT_EQ(ctu.GetSisters(b), std::vector<CardId>{b});
    EXPECT_EQ(ListOrder(ctu), (std::vector<std::string>{"B", ""}));
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
    EXPECT_GT(ctu.NewCard("A"), 0);  // the entry is free again
}

TEST_F(CardOperationsTest, DelCardRefusesTheMainCardAndADeletedCardSilently) {
    const CardId b = ctu.NewCard("B");
    ctu.DelCard(b);
    rec.log.clear();
    EXPECT_EQ(ctu.DelCard(ctu.GetMain()), -1);
    EXPECT_EQ(ctu.DelCard(b), -1);
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(ctu.CardCount(), 1);
}

TEST_F(CardOperationsTest, SetNtryAppliesAValidEntryAndRaisesUpdate) {
    const CardId a = ctu.NewCard("Viejo");
    rec.log.clear();
    std::vector<std::string> seen;
    rec.during = [&](const std::string&, CardId c) {
        seen = {ctu.GetNtry(c), std::to_string(ctu.SrchNtry("NUEVO"))};
    };
    EXPECT_EQ(ctu.SetNtry(a, "Nuevo"), EntryCheck::Ok);
    EXPECT_EQ(rec.log, Log{"UpdateCardNtry " + std::to_string(a)});
    EXPECT_EQ(seen, (std::vector<std::string>{"Nuevo", std::to_string(a)}));
    EXPECT_EQ(ctu.SrchNtry("Viejo"), kNoCard);
    EXPECT_EQ(ctu.SrchNtry("nuevo"), a);
}

TEST_F(CardOperationsTest, SetNtryRefusesAndChangesNothing) {
    const CardId a = ctu.NewCard("A");
    ctu.NewCard("B");
    rec.log.clear();
    EXPECT_EQ(ctu.SetNtry(a, "b"), EntryCheck::InUse);
    EXPECT_EQ(ctu.SetNtry(a, ""), EntryCheck::InUse);
    EXPECT_EQ(ctu.SetNtry(a, std::string(100, 'x')), EntryCheck::Unstorable);
    EXPECT_EQ(ctu.SetNtry(ctu.GetMain(), "Principal"), EntryCheck::MainMustBeEmpty);
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(ctu.GetNtry(a), "A");
    EXPECT_EQ(ctu.GetNtry(ctu.GetMain()), "");
}

TEST_F(CardOperationsTest, MasterCardTextIsCopiedIntoNewCardsOnly) {
    EXPECT_EQ(ctu.GetMasterTxt(), "");
    const CardId m = ctu.NewCard("Ficha maestra");
    EXPECT_EQ(ctu.GetTxt(m), "");
    ctu.SetTxt(m, "Tel: \r\nDir: ");
    const CardId other = ctu.NewCard("Otra");
    ctu.SetTxt(other, "propio");
    ctu.SetNtry(m, "FICHA MAESTRA");  // still the master card: compared without case

    const CardId fresh = ctu.NewCard("Fresca");
    EXPECT_EQ(ctu.GetTxt(fresh), "Tel: \r\nDir: ");
    EXPECT_EQ(ctu.GetTxt(ctu.NewAlias(other, "Hermana")), "propio");
    EXPECT_EQ(ctu.GetTxtFromNtry("fresca"), "Tel: \r\nDir: ");
    EXPECT_EQ(ctu.GetTxtFromNtry("nadie"), "");
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

TEST_F(CardOperationsTest, NewAliasOfADeletedCardHasItsOwnResult) {
    const CardId gone = ctu.NewCard("Ida");
    ctu.DelCard(gone);
    rec.log.clear();
    EXPECT_EQ(ctu.NewAlias(gone, "Hermana"), kNoSourceCard);
    EXPECT_EQ(ctu.NewAlias(4999, "Hermana"), kNoSourceCard);  // never made
    EXPECT_NE(kNoSourceCard, kEntryInUse);
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(ctu.SrchNtry("Hermana"), kNoCard);
}

TEST_F(CardOperationsTest, CardListIsMostRecentFirstAndHidesSpaceEntries) {
    const CardId b = ctu.NewCard("B");
    const CardId hidden = ctu.NewCard(" Oculta");
    const CardId a = ctu.NewCard("A");
    const CardId main = ctu.GetMain();

    auto flat = [](const std::vector<CardListItem>& items) {
        std::vector<std::string> out;
        for (const auto& i : items) out.push_back(i.text + "=" + std::to_string(i.card));
        return out;
    };
    auto item = [](const std::string& s, CardId c) { return s + "=" + std::to_string(c); };
    EXPECT_EQ(
        flat(ctu.GetCrdList(false)),
        (std::vector<std::string>{item("A", a), item("B", b), item(" <Ficha principal>", main)}));
    EXPECT_EQ(flat(ctu.GetCrdList(true)),
              (std::vector<std::string>{item("A", a), item(" Oculta", hidden), item("B", b),
                                        item(" <Ficha principal>", main)}));
    EXPECT_EQ(ctu.CardCount(), 4);
}

TEST_F(CardOperationsTest, ChangedFlagFollowsModifyingOperations) {
    EXPECT_FALSE(ctu.GetChanged());
    EXPECT_EQ(ctu.NewCard(""), kEntryInUse);  // a refused call changes nothing
    EXPECT_FALSE(ctu.GetChanged());
    ctu.SetChanged();
    EXPECT_TRUE(ctu.GetChanged());

    ctu.NewFile("Agenda");
    ctu.SetTxt(ctu.GetMain(), "Agenda");  // same text
    EXPECT_FALSE(ctu.GetChanged());
    ctu.SetTxt(ctu.GetMain(), "Otra");
    EXPECT_TRUE(ctu.GetChanged());
}

// --- listeners ---

TEST(ListenerTest, ListenersAreCalledInSubscriptionOrder) {
    cCartulo ctu;
    ctu.NewFile("T");
    std::vector<std::string> shared;
    Recorder first, second;
    first.during = [&](const std::string&, CardId) { shared.push_back("first"); };
    second.during = [&](const std::string&, CardId) { shared.push_back("second"); };
    auto s1 = ctu.Subscribe(first);
    auto s2 = ctu.Subscribe(second);
    ctu.NewCard("A");
    EXPECT_EQ(shared, (std::vector<std::string>{"first", "second"}));
}

TEST(ListenerTest, AnUnsubscribedListenerIsNeverCalled) {
    cCartulo ctu;
    ctu.NewFile("T");
    Recorder reset, dropped, removedDuringEvent, remover;
    auto sReset = ctu.Subscribe(reset);
    sReset.reset();
    { auto sDropped = ctu.Subscribe(dropped); }
    Subscription sRemoved;
    remover.during = [&](const std::string&, CardId) { sRemoved.reset(); };
    auto sRemover = ctu.Subscribe(remover);
    sRemoved = ctu.Subscribe(removedDuringEvent);

    ctu.NewCard("A");
    ctu.NewCard("B");
    EXPECT_TRUE(reset.log.empty());
    EXPECT_TRUE(dropped.log.empty());
    EXPECT_TRUE(removedDuringEvent.log.empty());
    EXPECT_EQ(remover.log.size(), 2u);
}

TEST(ListenerTest, SubscriptionMayOutliveTheFile) {
    Recorder rec;
    Subscription sub;
    {
        cCartulo ctu;
        sub = ctu.Subscribe(rec);
        ctu.NewFile("T");
    }
    sub.reset();
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));
}

}  // namespace
}  // namespace cartulo
