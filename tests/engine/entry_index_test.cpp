// The entry index against a plain walk of the card list, over many random
// operations, saves and reloads.
#include <random>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/win1252.h"
#include "test_support.h"

namespace cartulo {
namespace {

// What a look-up must give: the first card in list order with an equal entry.
CardId WalkLookup(const cCartulo& ctu, std::string_view entry) {
    if (entry == kMainCardName) entry = "";
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c)) {
        if (win1252::equalsIgnoringCase(ctu.GetNtry(c), entry)) return c;
    }
    return kNoCard;
}

class EntryIndexTest : public test::TempDirTest {};

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
        switch (pick(7)) {
            case 0:
            case 1:
                if (CardId c = ctu.NewCard(name); c > 0) live.push_back(c);
                break;
            case 2:
                if (!live.empty()) {
                    if (CardId c = ctu.NewAlias(live[pick(live.size())], name); c > 0)
                        live.push_back(c);
                }
                break;
            case 3:
                if (!live.empty()) {
                    const std::size_t i = pick(live.size());
                    ctu.DelCard(live[i]);
                    live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
                }
                break;
            case 4:
                if (!live.empty()) ctu.SetNtry(live[pick(live.size())], name);
                break;
            case 5:
                if (pick(20) == 0) {
                    ctu.SetChanged();
                    ASSERT_TRUE(ctu.SaveFile(Path("indice.ctu"))) << ctu.LastError().description;
                    ASSERT_TRUE(ctu.OpenFile(Path("indice.ctu")));
                    live.clear();
                    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c)) {
                        if (c != ctu.GetMain()) live.push_back(c);
                    }
                }
                break;
            default:
                break;
        }
        for (const std::string& probe : {name, std::string(), std::string(kMainCardName)}) {
            ASSERT_EQ(ctu.SrchNtry(probe), WalkLookup(ctu, probe)) << "step " << step;
        }
    }
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
}

}  // namespace
}  // namespace cartulo
