// Card text printed page after page on the fake 600 x 400 pt printer page:
// 12 pt lines, and -1 as the bottom stops at 399 pt, so 33 lines a page.
#include "richtext/page_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_surface.h"

namespace cartulo {
namespace {

using Pages = std::vector<std::string>;  // the words printed on each page, joined by blanks

Pages PrintPages(const std::string& text, int allowedPages = 100) {
    FakeSurface page(600, 400, ScaleMode::Points, true);
    cOurMC mc(nullptr);
    mc.SetCtrl(&page);
    Pages pages(1);
    const auto takeInk = [&] {
        for (const std::string& line : page.Log()) {
            if (!line.starts_with("print ")) continue;
            const std::size_t open = line.find('"');
            pages.back() += (pages.back().empty() ? "" : " ") +
                            line.substr(open + 1, line.rfind('"') - open - 1);
        }
        page.ClearLog();
    };
    PagePrinter printer(mc, [&] {
        takeInk();
        if (static_cast<int>(pages.size()) == allowedPages) return false;
        pages.emplace_back();
        return true;
    });
    const int count = printer.Print(text);
    takeInk();
    EXPECT_EQ(count, static_cast<int>(pages.size()));
    return pages;
}

std::string Lines(int from, int to, const char* separator) {
    std::string out;
    for (int i = from; i < to; ++i) out += (i > from ? separator : "") + ("l" + std::to_string(i));
    return out;
}

TEST(PagePrinter, EachPageGoesOnWhereTheLastStoppedAndEveryPageTakesSomething) {
    const std::string longCard = "{MU:0}{N}" + Lines(0, 100, "\r\n");
    struct Case {
        std::string text;
        int allowedPages;
        Pages expected;
    };
    const Case cases[] = {
        {longCard, 100, {Lines(0, 33, " "), Lines(33, 66, " "), Lines(66, 99, " "), "l99"}},
        {longCard, 2, {Lines(0, 33, " "), Lines(33, 66, " ")}},  // the job stopped
        {"", 100, {""}},
        // A first line taller than the page is printed cut off, alone.
        {"{VS:1000}x\r\nabc", 100, {"x", "abc"}},
        {"a\r\n{VS:1000}x\r\nabc", 100, {"a", "x", "abc"}},
        {"{VD:2000}x\r\nabc", 100, {"x", "abc"}},
        // A table taller than the page, after carried style tags: cut.
        {"{N}a\r\n{TB:1,60}" + Lines(0, 60, "{-}") + "{\\}b", 100, {"a", Lines(0, 20, " "), "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_EQ(PrintPages(c.text, c.allowedPages), c.expected);
    }
}

}  // namespace
}  // namespace cartulo
