#include "richtext/card_links.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fake_surface.h"
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
    struct Case {
        std::string text;
        std::vector<std::string> links;
    };
    const std::vector<Case> cases = {
        {"Ver \xABPerro\xBB y {L:Gato,el gato}.", {"Perro@4+7", "Gato@14+16"}},
        {"{l: Gato , texto} {L:}", {"Gato @0+17", "@18+4"}},
        {"{* \xABno\xBB *} {@:ca}no\xBB \xABs\xED\xBB", {"s\xED@21+4"}},
        {"{O:1,1,x}\xABno\xBB{/O} \xABs\xED\xBB \xAB"
         "abierto",
         {"s\xED@18+4"}},
        {"\xAB"
         "a \xAB"
         "b\xBB c\xBB",
         {"a \xAB"
          "b@0+6"}},
        {"\xAB"
         "a\r\nb\xBB \xAB"
         "c{*\xBB*}",
         {"a\r\nb@0+6", "c{*@7+7"}},
        {"a {TB:3,1}\xABUno\xBB{!}{N}{L:Dos,2}{!}x \xABno\xBB{\\}\xABTres\xBB",
         {"Uno@10+5 block", "Dos@21+9 block", "Tres@42+6"}},
        {"{FR:0,0,0,0}\xABUno\xBB {TB:1,1}{L:Dos}{\\}{/FR} {TB:0,1}\xABno\xBB{\\}",
         {"Uno@12+5 block", "Dos@26+7 block"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Links(c.text), c.links) << c.text;
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
    for (const richtext::HotZone& zone : engine.HotZones().All()) {
        if (zone.kind == richtext::ZoneKind::Hypertext) AddCollapsed(zones, zone.s1);
    }
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
        "Ver \xABPerro\xBB y {L:Gato,el gato}, {L: Rat\xF3n ,el} \xABPerro\xBB.",
        "{* \xABno\xBB *} {@:ca}no\xBB \xAB"
        "a \xAB"
        "b\xBB c\xBB \xAB"
        "d{*\xBB*}",
        "\xAB"
        "a\r\nb\xBB {N}\xABNegrita\xBB{N} x{L:Pegado}y {P:no,Popup}",
        "a {TB:2,1}\xABUno\xBB{!}{L:Dos}{\\}\xABTres\xBB {FR:0,0,0,0}\xAB"
        "Cuatro\xBB{/FR}",
        " {TB:1,1}\xABx\xBB{\\} {O:1,1,x}\xABno\xBB{/O} \xAB{L:dentro}\xBB",
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

}  // namespace
}  // namespace cartulo
