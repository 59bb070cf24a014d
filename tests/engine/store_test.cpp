// The card heap and text pool, and the entry index against a walk of the list.
#include <random>

#include "engine/card_store.h"
#include "engine/win1252.h"
#include "test_support.h"

namespace cartulo {
namespace {

TEST(CardStoreTest, FreeListsAllocationReleaseAndReset) {
    CardStore s;
    EXPECT_EQ(s.allocateCard(), 1);
    EXPECT_EQ(s.cards[1].nextCard, -1);
    EXPECT_EQ(s.allocateText(), 1);  // the pool is independent of the heap
    const auto c = s.allocateCard();
    s.releaseCard(c);  // back to the head of the free list
    EXPECT_EQ(s.cardFree, c);
    EXPECT_EQ(s.allocateCard(), c);
    s.cards[c].entry = "A";
    s.linkCard(c);
    s.reset();
    EXPECT_TRUE(s.cardHead == -1 && s.textHead == -1 && s.findEntry("A") == -1);
    // Both free lists give every record in index order, and then nothing.
    for (int i = 1; i <= kCapacity; ++i)
        ASSERT_TRUE(s.allocateCard() == i && s.allocateText() == i);
    EXPECT_TRUE(s.allocateCard() == -1 && s.cardFree == -1 && s.allocateText() == -1);
}

TEST(StoreThroughCartuloTest, AnEmptyObjectAnswersEmpty) {
    cCartulo ctu;
    EXPECT_EQ((std::vector<int>{ctu.GetMain(), ctu.FirstCard(), ctu.CardCount(),
                                ctu.GetFileInfo().cards}),
              (std::vector<int>{kNoCard, kNoCard, 0, 0}));
    EXPECT_EQ(
        (test::Log{ctu.GetFileName(), ctu.GetFileTitle(), ctu.GetTxt(kNoCard), ctu.GetNtry(9999)}),
        test::Log(4, ""));
    EXPECT_FALSE(ctu.IsOpenFile() || ctu.DebugFlag() || ctu.CheckHeaps());
}

TEST(StoreThroughCartuloTest, RecordsInOrderUpToFiveThousandAndDeletionFreesNothing) {
    cCartulo ctu;
    ctu.NewFile("T");
    EXPECT_EQ(ctu.GetMain(), 1);
    EXPECT_EQ(ctu.NewCard("A"), 2);
    EXPECT_EQ(ctu.NewAlias(2, "B"), 3);
    EXPECT_EQ(ctu.NewCard("C"), 4);
    EXPECT_EQ(ctu.NewAlias(ctu.GetMain(), "M"), 5);
    ASSERT_EQ(ctu.DelCard(4), 0);
    ASSERT_EQ(ctu.DelCard(2), 0);
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);  // sisters and deleted cards pass
    EXPECT_EQ(ctu.CardCount(), 3);
    for (int i = 6; i <= kCapacity; ++i) ASSERT_EQ(ctu.NewCard("c" + std::to_string(i)), i);
    EXPECT_EQ(ctu.CardCount(), kCapacity - 2);
    EXPECT_EQ(ctu.NewCard("otra"), kNoRoom);
    EXPECT_EQ(ctu.NewAlias(3, "otra"), kNoRoom);
    EXPECT_EQ(ctu.NewCard("C6"), kEntryInUse);  // a used entry is reported before lack of room
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
    ctu.NewFile("T");  // only a reset gives the records back
    EXPECT_EQ(ctu.NewCard("otra"), 2);
    EXPECT_EQ(ctu.CardCount(), 2);
}

// What a look-up must give: the first card in list order with an equal entry.
CardId WalkLookup(const cCartulo& ctu, std::string_view entry) {
    if (entry == kMainCardName) entry = "";
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c))
        if (win1252::equalsIgnoringCase(ctu.GetNtry(c), entry)) return c;
    return kNoCard;
}

using EntryIndexTest = test::TempDirTest;

TEST_F(EntryIndexTest, LookUpsAgreeWithAWalkOfTheCardList) {
    std::mt19937 random(20261206);
    const std::vector<std::string> names = {"a",     "A",    "\xE1", "\xC1",          "b",
                                            "B",     "casa", "CASA", "Ficha maestra", " oculta",
                                            "\xF1u", "\xD1U"};
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    cCartulo ctu;
    ctu.NewFile("Indice");
    std::vector<CardId> live;
    for (int step = 0; step < 3000; ++step) {
        const std::string name = names[pick(names.size())] + std::to_string(pick(4));
        const int op = static_cast<int>(pick(7));
        if (op <= 1) {
            if (CardId c = ctu.NewCard(name); c > 0) live.push_back(c);
        } else if (op == 5 && pick(20) == 0) {
            ctu.SetChanged();
            ASSERT_TRUE(ctu.SaveFile(Path("indice.ctu"))) << ctu.LastError().description;
            ASSERT_TRUE(ctu.OpenFile(Path("indice.ctu")));
            live.clear();
            for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c))
                if (c != ctu.GetMain()) live.push_back(c);
        } else if (!live.empty() && op >= 2 && op <= 4) {
            const std::size_t i = pick(live.size());
            if (op == 2) {
                if (CardId c = ctu.NewAlias(live[i], name); c > 0) live.push_back(c);
            } else if (op == 3) {
                ctu.DelCard(live[i]);
                live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ctu.SetNtry(live[i], name);
            }
        }
        for (const std::string& probe : {name, std::string(), std::string(kMainCardName)})
            ASSERT_EQ(ctu.SrchNtry(probe), WalkLookup(ctu, probe)) << "step " << step;
    }
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
}

}  // namespace
}  // namespace cartulo
