#include "richtext/image_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace cartulo {
namespace {

using testing::CountingLoader;

class ImageCache : public ::testing::Test {
  protected:
    ImageCache() {
        auto owned = std::make_unique<CountingLoader>();
        loader = owned.get();
        for (int i = 0; i < 20; ++i) loader->Add("/p/" + std::to_string(i), 8, 8);
        loader->Add("/p/Logo.bmp", 1, 1);
        loader->Add("/p/logo.bmp", 2, 2);
        cache = std::make_unique<cImageCache>(std::move(owned));
    }
    std::string Keys() const {
        std::string out;
        for (std::size_t i = 0; i < cache->SlotCount(); ++i) {
            out += (i ? " " : "") + (cache->Slot(i).key.empty() ? "-" : cache->Slot(i).key);
        }
        return out;
    }
    CountingLoader* loader = nullptr;
    std::unique_ptr<cImageCache> cache;
};

TEST_F(ImageCache, LoadsOnceAndScores) {
    const auto first = cache->GetImage("/p/1");
    ASSERT_TRUE(first);
    EXPECT_FLOAT_EQ(cache->Slot(0).score, 10.0f / 3);
    const auto again = cache->GetImage("/p/1");
    EXPECT_EQ(again.get(), first.get());
    EXPECT_FLOAT_EQ(cache->Slot(0).score, 10.0f / 3 * 0.9f + 1);
    EXPECT_EQ(loader->Loads("/p/1"), 1);
    // Every look-up decays every score.
    cache->Clear();
    cache->GetImage("/p/1");
    cache->GetImage("/p/2");
    cache->GetImage("/p/missing");
    EXPECT_FLOAT_EQ(cache->Slot(0).score, 10.0f / 3 * 0.9f * 0.9f);
    EXPECT_FLOAT_EQ(cache->Slot(1).score, 10.0f / 3 * 0.9f);
}

TEST_F(ImageCache, TheEleventhReplacesTheLowestScoreNotTheOldest) {
    for (int i = 0; i < 10; ++i) cache->GetImage("/p/" + std::to_string(i));
    EXPECT_EQ(Keys(), "/p/0 /p/1 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // The oldest, kept in use, outscores the others.
    for (int i = 0; i < 5; ++i) cache->GetImage("/p/0");
    cache->GetImage("/p/10");
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // Without hits, the lowest is the one loaded longest ago.
    cache->GetImage("/p/11");
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/11 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // A failed load leaves the cache alone, and is tried afresh each time.
    EXPECT_EQ(cache->GetImage("/p/missing"), nullptr);
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/11 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    for (std::size_t i = 0; i < cache->SlotCount(); ++i) EXPECT_TRUE(cache->Slot(i).loaded);
    cache->GetImage("/p/missing");
    EXPECT_EQ(loader->Loads("/p/missing"), 2);
    // Free slots fill first.
    cache->Clear();
    EXPECT_EQ(Keys(), "- - - - - - - - - -");
    cache->GetImage("/p/3");
    EXPECT_EQ(Keys(), "/p/3 - - - - - - - - -");
}

TEST_F(ImageCache, AmongEqualScoresTheFirstGoes) {
    for (int i = 0; i < 10; ++i) cache->GetImage("/p/" + std::to_string(i));
    // Look-ups decay every score down to the least a float holds above 0,
    // which 0.9 no longer lowers: the ten pictures, long unused, end up with
    // one and the same score, and no slot is free.
    for (int i = 0; i < 2000; ++i) cache->GetImage("/p/missing");
    for (std::size_t i = 0; i < cache->SlotCount(); ++i) {
        EXPECT_GT(cache->Slot(i).score, 0.0f);
        EXPECT_EQ(cache->Slot(i).score, cache->Slot(0).score);
    }
    cache->GetImage("/p/10");
    EXPECT_EQ(Keys(), "/p/10 /p/1 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // The newcomer now outscores the rest, still equal: the first of them goes.
    cache->GetImage("/p/11");
    EXPECT_EQ(Keys(), "/p/10 /p/11 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
}

TEST_F(ImageCache, KeysAreExactAbsoluteAndNormalPaths) {
    for (const char* numeric : {"12", " 3 ", ""}) EXPECT_EQ(cache->GetImage(numeric), nullptr);
    EXPECT_EQ(loader->TotalLoads(), 0);
    const auto upper = cache->GetImage("/p/Logo.bmp");
    const auto lower = cache->GetImage("/p/logo.bmp");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(upper->Width(), 1);
    EXPECT_EQ(lower->Width(), 2);
    EXPECT_EQ(loader->TotalLoads(), 2);
    cache->Clear();
    for (const char* same : {"/p/./1", "/p/1", "/p//1", "/p/q/../1"}) {
        ASSERT_TRUE(cache->GetImage(same));
    }
    EXPECT_EQ(loader->Loads("/p/1"), 1);
    EXPECT_EQ(loader->TotalLoads(), 3);
    EXPECT_EQ(Keys(), "/p/1 - - - - - - - - -");
    // A relative name is taken from the current folder.
    const std::string here = (std::filesystem::current_path() / "rel.png").string();
    loader->Add(here, 3, 3);
    ASSERT_TRUE(cache->GetImage("rel.png"));
    ASSERT_TRUE(cache->GetImage("./rel.png"));
    EXPECT_EQ(loader->Loads(here), 1);
    EXPECT_EQ(cache->Slot(1).key, here);
}

TEST_F(ImageCache, APictureOutlivesItsEviction) {
    const auto kept = cache->GetImage("/p/0");
    for (int i = 1; i <= 12; ++i) cache->GetImage("/p/" + std::to_string(i));
    EXPECT_EQ(Keys().find("/p/0 "), std::string::npos);
    EXPECT_EQ(kept->Width(), 8);
}

TEST(ImageCacheShape, NoLoaderNoSlotsNoPictures) {
    cImageCache none(nullptr);
    EXPECT_EQ(none.GetImage("/p/1"), nullptr);
    auto loader = std::make_unique<CountingLoader>();
    loader->Add("/p/1", 1, 1);
    cImageCache empty(std::move(loader), 0);
    EXPECT_EQ(empty.GetImage("/p/1"), nullptr);
}

}  // namespace
}  // namespace cartulo
