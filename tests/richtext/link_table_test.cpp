#include "richtext/link_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace cartulo {
namespace {

struct Counter : LinkTableListener {
    void onLinksChanged() override { ++changes; }
    int changes = 0;
};

// The table against what the file holds now, worked out from scratch.
void ExpectTableRight(cCartulo& file, const LinkTable& table) {
    std::vector<std::vector<CardId>> to(kCapacity + 1);
    std::vector<std::pair<CardId, CardLink>> broken;
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) {
        const std::vector<CardLink> links = ReadCardLinks(file.GetTxt(c));
        const std::vector<LinkTable::Outgoing> from = table.LinksFrom(c);
        ASSERT_EQ(from.size(), links.size()) << file.GetNtry(c);
        for (std::size_t i = 0; i < links.size(); ++i) {
            // A press on an empty target goes nowhere.
            const CardId resolved =
                links[i].target.empty() ? kNoCard : file.SrchNtry(links[i].target);
            EXPECT_EQ(from[i].link, links[i]);
            EXPECT_EQ(from[i].resolved, resolved) << links[i].target;
            if (resolved == kNoCard) broken.emplace_back(c, links[i]);
            if (resolved != kNoCard && (to[resolved].empty() || to[resolved].back() != c)) {
                to[resolved].push_back(c);
            }
        }
    }
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) {
        EXPECT_EQ(table.LinksTo(c), to[c]) << file.GetNtry(c);
    }
    EXPECT_EQ(table.BrokenLinks(), broken);
}

TEST(LinkTableTest, FollowsRandomEditsOfTheFile) {
    const std::vector<std::string> entries = {"Perro",    "perro",    "GATO",
                                              "Rat\xF3n", "RAT\xD3N", "Ave"};
    const std::vector<std::string> links = {"\xABPerro\xBB ",
                                            "{L:gato,el gato} ",
                                            "\xABrat\xF3n\xBB ",
                                            "{* \xAB"
                                            "Ave\xBB *}",
                                            "\xAB"
                                            "Ave\xBB ",
                                            "{TB:1,1}\xABPERRO\xBB{\\}",
                                            "\xAB <Ficha principal>\xBB ",
                                            "{L:,texto} \xAB\xBB ",
                                            "texto "};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };
        cCartulo file;
        if (seed % 2 == 0) {
            // A loaded file may hold an entry twice; SrchNtry takes the first.
            const auto path = std::filesystem::path(testing::TempDir()) / "dobles.ctu";
            std::ofstream(path, std::ios::binary)
                << "3    \r\n0 7    \xABPerro\xBB\r\n5 Perro0    \r\n5 PERRO0    \r\n"
                   "5 perro0    \r\n";
            ASSERT_TRUE(file.OpenFile(path.string()));
        } else {
            file.NewFile(
                "T\xEDtulo \xAB"
                "Ave\xBB");
        }
        LinkTable table(file);
        Counter counter;
        const Subscription subscription = table.Subscribe(counter);
        std::vector<CardId> cards;
        for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) cards.push_back(c);
        for (int step = 0; step < 60; ++step) {
            const CardId card = cards[pick(cards.size())];
            const std::string& entry = entries[pick(entries.size())];
            std::string text;
            for (std::size_t n = pick(4); n > 0; --n) text += links[pick(links.size())];
            switch (pick(5)) {
                case 0:
                    if (const CardId c = file.NewCard(entry); c > 0) cards.push_back(c);
                    break;
                case 1:
                    if (const CardId c = file.NewAlias(card, entry); c > 0) cards.push_back(c);
                    break;
                case 2:
                    file.SetNtry(card, entry);
                    break;
                case 3:
                    if (file.DelCard(card) == 0) std::erase(cards, card);
                    break;
                default:
                    file.SetTxt(card, text);
                    break;
            }
            ExpectTableRight(file, table);
        }
        EXPECT_GT(counter.changes, 0);
        file.NewFile("");
        ExpectTableRight(file, table);
    }
}

// News only when a link leads elsewhere or a linking card changes its name.
TEST(LinkTableTest, TellsOnlyChangesOfWhereLinksLeadAndWhoLinks) {
    cCartulo file;
    file.NewFile("Agenda");
    const CardId perro = file.NewCard("Perro");
    const CardId gato = file.NewCard("Gato");
    const CardId solo = file.NewCard("Solo");
    file.SetTxt(perro, "a \xABGato\xBB");
    LinkTable table(file);
    Counter counter;
    const Subscription subscription = table.Subscribe(counter);
    const std::vector<std::pair<std::function<void()>, int>> steps = {
        {[&] { file.SetTxt(perro, "abc \xABGato\xBB"); }, 0},
        {[&] { file.SetTxt(perro, "abc \xABNada\xBB"); }, 1},
        {[&] { file.SetNtry(solo, "Sola"); }, 0},
        {[&] { file.SetNtry(perro, "Can"); }, 1},
        {[&] { file.SetNtry(gato, "Nada"); }, 1},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        counter.changes = 0;
        steps[i].first();
        EXPECT_EQ(counter.changes, steps[i].second) << i;
    }
}

}  // namespace
}  // namespace cartulo
