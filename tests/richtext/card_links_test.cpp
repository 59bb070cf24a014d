#include "richtext/card_links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace cartulo
