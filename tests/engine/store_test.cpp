// The card heap and text pool: free lists, allocation order, capacity, the
// entry index, and the same rules seen through cCartulo.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/card_store.h"
#include "engine/cartulo.h"

namespace cartulo {
namespace {

std::vector<int> FreeCards(const CardStore& s) {
    std::vector<int> out;
    for (int i = s.cardFree; i != -1 && out.size() <= kCapacity; i = s.cards[i].nextCard)
        out.push_back(i);
    return out;
}

std::vector<int> FreeTexts(const CardStore& s) {
    std::vector<int> out;
    for (int i = s.textFree; i != -1 && out.size() <= kCapacity; i = s.texts[i].nextText)
        out.push_back(i);
    return out;
}

std::vector<int> OneToCapacity() {
    std::vector<int> v(kCapacity);
    for (int i = 0; i < kCapacity; ++i) v[i] = i + 1;
    return v;
}

// Allocates a card with the given entry and links it at the head of the list.
std::int16_t AddCard(CardStore& s, const std::string& entry) {
    const std::int16_t c = s.allocateCard();
    s.cards[c].entry = entry;
    s.cards[c].inUse = 1;
    s.linkCard(c);
    return c;
}

TEST(CardStoreTest, FreshStoreHasEmptyListsAndFreeListsInIndexOrder) {
    CardStore s;
    EXPECT_EQ(s.cardHead, -1);
    EXPECT_EQ(s.textHead, -1);
    EXPECT_EQ(FreeCards(s), OneToCapacity());
    EXPECT_EQ(FreeTexts(s), OneToCapacity());
}

TEST(CardStoreTest, AllocationTakesRecordsFromOneUpAndFailsWhenExhausted) {
    CardStore s;
    EXPECT_EQ(s.allocateCard(), 1);
    EXPECT_EQ(s.cards[1].nextCard, -1);
    EXPECT_EQ(s.allocateCard(), 2);
    EXPECT_EQ(s.allocateText(), 1);
    for (int i = 3; i <= kCapacity; ++i) ASSERT_EQ(s.allocateCard(), i);
    EXPECT_EQ(s.allocateCard(), -1);
    EXPECT_EQ(s.cardFree, -1);
    EXPECT_EQ(s.allocateText(), 2);  // the pool is independent of the heap
}

TEST(CardStoreTest, ReleasedCardBecomesTheHeadOfTheFreeList) {
    CardStore s;
    s.allocateCard();
    const auto c = s.allocateCard();
    s.releaseCard(c);
    EXPECT_EQ(s.cardFree, c);
    EXPECT_EQ(s.allocateCard(), c);
    EXPECT_EQ(s.allocateCard(), 3);
}

TEST(CardStoreTest, ResetRestoresTheFreeLists) {
    CardStore s;
    AddCard(s, "A");
    s.allocateText();
    s.reset();
    EXPECT_EQ(s.cardHead, -1);
    EXPECT_EQ(s.textHead, -1);
    EXPECT_EQ(FreeCards(s), OneToCapacity());
    EXPECT_EQ(FreeTexts(s), OneToCapacity());
    EXPECT_EQ(s.findEntry("A"), -1);
}

TEST(CardStoreTest, FindEntryReturnsTheFirstMatchInCardListOrder) {
    CardStore s;
    const auto older = AddCard(s, "\xC1rbol");  // Árbol
    const auto newer = AddCard(s, "\xE1RBOL");  // áRBOL: equal once upper-cased
    EXPECT_EQ(s.findEntry("\xE1rbol"), newer);
    EXPECT_EQ(s.findEntry("ARBOL"), -1);  // accents are significant
    EXPECT_EQ(s.findEntry("\xC1RBOL", newer), older);

    s.moveToHead(older);
    EXPECT_EQ(s.findEntry("\xC1RBOL"), older);

    s.unlinkCard(older);
    EXPECT_EQ(s.findEntry("\xC1RBOL"), newer);

    s.setEntry(newer, "Roble");
    EXPECT_EQ(s.findEntry("\xC1RBOL"), -1);
    EXPECT_EQ(s.findEntry("ROBLE"), newer);
}

// --- the same rules through cCartulo ---

TEST(StoreThroughCartuloTest, FreshObjectHasNoCards) {
    cCartulo ctu;
    EXPECT_EQ(ctu.GetMain(), kNoCard);
    EXPECT_EQ(ctu.FirstCard(), kNoCard);
    EXPECT_EQ(ctu.CardCount(), 0);
    EXPECT_EQ(ctu.GetFileName(), "");
    EXPECT_FALSE(ctu.IsOpenFile());
    EXPECT_FALSE(ctu.DebugFlag());
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
}

TEST(StoreThroughCartuloTest, MainCardIsRecordOneAndCardsFollowInOrder) {
    cCartulo ctu;
    ctu.NewFile("T");
    EXPECT_EQ(ctu.GetMain(), 1);
    EXPECT_EQ(ctu.NewCard("A"), 2);
    EXPECT_EQ(ctu.NewAlias(2, "B"), 3);
    EXPECT_EQ(ctu.NewCard("C"), 4);
}

TEST(StoreThroughCartuloTest, HeapHoldsFiveThousandCardsAndDeletionFreesNothing) {
    cCartulo ctu;
    ctu.NewFile("T");
    for (int i = 2; i <= kCapacity; ++i) ASSERT_EQ(ctu.NewCard("c" + std::to_string(i)), i);
    EXPECT_EQ(ctu.CardCount(), kCapacity);

    EXPECT_EQ(ctu.NewCard("otra"), kNoRoom);
    EXPECT_EQ(ctu.NewAlias(2, "otra"), kNoRoom);
    EXPECT_EQ(ctu.NewCard("C2"), kEntryInUse);  // a used entry is reported before lack of room

    EXPECT_EQ(ctu.DelCard(2), 0);
    EXPECT_EQ(ctu.NewCard("otra"), kNoRoom);
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);

    ctu.NewFile("T");  // only a reset gives the records back
    EXPECT_EQ(ctu.NewCard("otra"), 2);
    EXPECT_EQ(ctu.CardCount(), 2);
}

TEST(StoreThroughCartuloTest, SistersAndADeletedCardPassTheCheck) {
    cCartulo ctu;
    ctu.NewFile("T");
    const CardId a = ctu.NewCard("A");
    ctu.NewAlias(a, "B");
    const CardId c = ctu.NewCard("C");
    ctu.NewAlias(ctu.GetMain(), "M");
    ASSERT_EQ(ctu.DelCard(c), 0);
    ASSERT_EQ(ctu.DelCard(a), 0);
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
    EXPECT_EQ(ctu.CardCount(), 3);
}

}  // namespace
}  // namespace cartulo
