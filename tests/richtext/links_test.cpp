// Links read from card text, and the table of links of a whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/fake_surface.h"
#include "richtext/card_links.h"
#include "richtext/link_table.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {
namespace {

// Each link as target@position+length, with " block" inside a table or frame.
std::vector<std::string> Links(const std::string& text) {
    std::vector<std::string> out;
    for (const CardLink& link : ReadCardLinks(text)) {
        out.push_back(link.target + "@" + std::to_string(link.position) + "+" +
                      std::to_string(link.length) + (link.inBlock ? " block" : ""));
    }
    return out;
}

TEST(CardLinks, ReadsTheLinksThePainterShows) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Ver \253Perro\273 y {L:Gato,el gato}.", {"Perro@4+7", "Gato@14+16"}},
        {"{l: Gato , texto} {L:}", {"Gato @0+17", "@18+4"}},
        {"{* \253no\273 *} {@:ca}no\273 \253s\xED\273", {"s\xED@21+4"}},
        {"{O:1,1,x}\253no\273{/O} \253s\xED\273 \253abierto", {"s\xED@18+4"}},
        {"\253a \253b\273 c\273", {"a \253b@0+6"}},
        {"\253a\r\nb\273 \253c{*\273*}", {"a\r\nb@0+6", "c{*@7+7"}},
        {"a {TB:3,1}\253Uno\273{!}{N}{L:Dos,2}{!}x \253no\273{\\}\253Tres\273",
         {"Uno@10+5 block", "Dos@21+9 block", "Tres@42+6"}},
        {"{FR:0,0,0,0}\253Uno\273 {TB:1,1}{L:Dos}{\\}{/FR} {TB:0,1}\253no\273{\\}",
         {"Uno@12+5 block", "Dos@26+7 block"}},
    };
    for (const auto& [text, links] : cases) EXPECT_EQ(Links(text), links) << text;
}

// Consecutive zones of one target (a link over several lines) count once.
void AddCollapsed(std::vector<std::string>& list, const std::string& target) {
    if (list.empty() || list.back() != target) list.push_back(target);
}

// The painter's link zones beside the links read outside blocks, as sorted
// lists; links in cells and frames make no zone, and a full zone table
// keeps only its first zones, so there each zone need only be a link.
void ExpectLinksMatchZones(const std::string& text) {
    FakeSurface surface{100000, 400, ScaleMode::Points};
    cZuzodIvodure engine;
    engine.Ctrl = &surface;
    engine.DrawText(text, 0, 0, 0, -1);
    std::vector<std::string> zones;
    for (const richtext::HotZone& zone : engine.HotZones().All())
        if (zone.kind == richtext::ZoneKind::Hypertext) AddCollapsed(zones, zone.s1);
    // A quoted link makes its zone at its », a tag at once.
    std::vector<CardLink> links = ReadCardLinks(text);
    std::erase_if(links, [](const CardLink& link) { return link.inBlock; });
    const auto zoneAt = [&](const CardLink& link) {
        return text[link.position] == '{' ? link.position : link.position + link.length;
    };
    std::stable_sort(links.begin(), links.end(),
                     [&](const CardLink& a, const CardLink& b) { return zoneAt(a) < zoneAt(b); });
    std::vector<std::string> read;
    for (const CardLink& link : links) AddCollapsed(read, link.target);
    std::sort(zones.begin(), zones.end());
    std::sort(read.begin(), read.end());
    if (engine.HotZones().Count() < richtext::HotZoneTable::kMaxZones) {
        EXPECT_EQ(zones, read) << text.substr(0, 200);
    } else {
        EXPECT_TRUE(std::includes(read.begin(), read.end(), zones.begin(), zones.end()));
    }
}

TEST(CardLinks, AgreeWithThePaintersZones) {
    const std::vector<std::string> texts = {
        "Ver \253Perro\273 y {L:Gato,el gato}, {L: Rat\xF3n ,el} \253Perro\273.",
        "{* \253no\273 *} {@:ca}no\273 \253a \253b\273 c\273 \253d{*\273*}",
        "\253a\r\nb\273 {N}\253Negrita\273{N} x{L:Pegado}y {P:no,Popup}",
        "a {TB:2,1}\253Uno\273{!}{L:Dos}{\\}\253Tres\273 {FR:0,0,0,0}\253Cuatro\273{/FR}",
        " {TB:1,1}\253x\273{\\} {O:1,1,x}\253no\273{/O} \253{L:dentro}\273",
    };
    for (const std::string& text : texts) ExpectLinksMatchZones(text);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CARTULO_MARKUP_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        ExpectLinksMatchZones({std::istreambuf_iterator<char>(in), {}});
        ++files;
    }
    EXPECT_GT(files, 10);
}

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
            if (resolved != kNoCard && (to[resolved].empty() || to[resolved].back() != c))
                to[resolved].push_back(c);
        }
    }
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c))
        EXPECT_EQ(table.LinksTo(c), to[c]) << file.GetNtry(c);
    EXPECT_EQ(table.BrokenLinks(), broken);
}

TEST(LinkTableTest, FollowsRandomEditsOfTheFile) {
    const std::vector<std::string> entries = {"Perro",    "perro",    "GATO",
                                              "Rat\xF3n", "RAT\xD3N", "Ave"};
    // clang-format off
    const std::vector<std::string> links = {
        "\253Perro\273 ", "{L:gato,el gato} ", "\253rat\xF3n\273 ", "{* \253Ave\273 *}", "\253Ave\273 ",
        "{TB:1,1}\253PERRO\273{\\}", "\253 <Ficha principal>\273 ", "{L:,texto} \253\273 ", "texto "};
    // clang-format on
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };
        cCartulo file;
        if (seed % 2 == 0) {
            // A loaded file may hold an entry twice; SrchNtry takes the first.
            const auto path = std::filesystem::path(testing::TempDir()) / "dobles.ctu";
            std::ofstream(path, std::ios::binary) << "3    \r\n0 7    \253Perro\273\r\n5 Perro0    "
                                                     "\r\n5 PERRO0    \r\n5 perro0    \r\n";
            ASSERT_TRUE(file.OpenFile(path.string()));
        } else {
            file.NewFile("T\xEDtulo \253Ave\273");
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
            const std::size_t kind = pick(5);
            const CardId made = kind == 0   ? file.NewCard(entry)
                                : kind == 1 ? file.NewAlias(card, entry)
                                            : kNoCard;
            if (made > 0) cards.push_back(made);
            if (kind == 2) file.SetNtry(card, entry);
            if (kind == 3 && file.DelCard(card) == 0) std::erase(cards, card);
            if (kind == 4) file.SetTxt(card, text);
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
    file.SetTxt(perro, "a \253Gato\273");
    LinkTable table(file);
    Counter counter;
    const Subscription subscription = table.Subscribe(counter);
    const std::vector<std::pair<std::function<void()>, int>> steps = {
        {[&] { file.SetTxt(perro, "abc \253Gato\273"); }, 0},
        {[&] { file.SetTxt(perro, "abc \253Nada\273"); }, 1},
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
