// Card text printed page after page on a fake 600 x 400 pt printer page:
// 12 pt lines, and the bottom at 399 pt, so 33 lines a page.
#include "richtext/page_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_surface.h"

namespace cartulo {
namespace {

using Pages = std::vector<std::string>;  // the runs printed on each page, joined

// The printout of `text`, the job stopping after `allowed` pages.
Pages PrintPages(const std::string& text, std::size_t allowed = 100) {
    FakeSurface page(600, 400, ScaleMode::Points, true);
    cOurMC mc(nullptr);
    mc.SetCtrl(&page);
    Pages pages;
    const auto endPage = [&] {
        pages.emplace_back();
        for (const std::string& line : page.Log()) {
            const std::size_t open = line.find('"');
            if (line.starts_with("print "))
                pages.back() += line.substr(open + 1, line.rfind('"') - open - 1);
        }
        page.ClearLog();
        return pages.size() < allowed;
    };
    const int count = PagePrinter(mc, endPage).Print(text);
    if (pages.size() < allowed) endPage();  // the last page, when the job was not stopped
    EXPECT_EQ(count, static_cast<int>(pages.size()));
    return pages;
}

std::string Lines(int from, int to, const std::string& separator = "") {
    std::string out;
    for (int i = from; i < to; ++i) out += (i > from ? separator : "") + ("l" + std::to_string(i));
    return out;
}

TEST(PagePrinter, EachPageGoesOnWhereTheLastStoppedAndEveryPageTakesSomething) {
    const std::string longCard = "{MU:0}{N}" + Lines(0, 100, "\r\n");
    const std::pair<Pages, Pages> cases[] = {
        {PrintPages(longCard), {Lines(0, 33), Lines(33, 66), Lines(66, 99), "l99"}},
        {PrintPages(longCard, 2), {Lines(0, 33), Lines(33, 66)}},  // the job stopped
        {PrintPages(""), {""}},
        // A first line taller than the page is printed cut off, alone.
        {PrintPages("{VS:1000}x\r\nabc"), {"x", "abc"}},
        {PrintPages("a\r\n{VS:1000}x\r\nabc"), {"a", "x", "abc"}},
        {PrintPages("{VD:2000}x\r\nabc"), {"x", "abc"}},
        // A table taller than the page, after carried style tags: cut.
        {PrintPages("{N}a\r\n{TB:1,60}" + Lines(0, 60, "{-}") + "{\\}b"), {"a", Lines(0, 20), "b"}},
    };
    for (const auto& [printed, expected] : cases) EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace cartulo
