// Shared pieces: an engine on the recording fake surface, a loader counting its loads.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fake_surface.h"
#include "richtext/image_cache.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo::testing {

using Strings = std::vector<std::string>;

inline std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

// One recorded print line, in the default style unless one is given.
inline std::string P(const std::string& at, const std::string& text,
                     const std::string& style = "Times New Roman 12 #000000") {
    return "print " + at + " \"" + text + "\" " + style + "\n";
}

inline std::string Describe(const richtext::HotZone& z) {
    char box[128];
    std::snprintf(box, sizeof box, "%g,%g %g,%g k%d ", z.x1, z.y1, z.x2, z.y2,
                  static_cast<int>(z.kind));
    return box + z.s1 + "|" + z.s2 + "|" + z.s3;
}

// Pictures exist only for the paths given to Add; every Load is counted.
class CountingLoader : public PictureLoader {
  public:
    void Add(const std::string& path, int width, int height) { sizes_[path] = {width, height}; }
    std::unique_ptr<Picture> Load(const std::string& path) const override {
        ++loads_[path];
        ++total_;
        const auto it = sizes_.find(path);
        if (it == sizes_.end()) return nullptr;
        return std::make_unique<FakePicture>(std::filesystem::path(path).filename().string(),
                                             it->second.first, it->second.second);
    }
    int Loads(const std::string& path) const { return loads_.contains(path) ? loads_.at(path) : 0; }
    int TotalLoads() const { return total_; }

  private:
    std::map<std::string, std::pair<int, int>> sizes_;
    mutable std::map<std::string, int> loads_;
    mutable int total_ = 0;
};

// A 600 x 400 pt surface in points: at the default 12 pt a character is
// 6 pt wide and a line 12 pt high (9 above the baseline). The default
// margins are then MP 6, MI 10, MD 30 and MU 6.
class EngineTest : public ::testing::Test {
  protected:
    EngineTest() { engine.Ctrl = &surface; }

    Strings Errors() const {
        Strings out;
        for (int i = 0; i < engine.ErrorCount(); ++i) out.push_back(engine.Errors(i));
        return out;
    }

    // Only the "print" lines of the recording.
    Strings Prints() const {
        Strings out;
        for (const std::string& line : surface.Log())
            if (line.starts_with("print ")) out.push_back(line);
        return out;
    }

    // The ink of one DrawText from the top with the default edges.
    std::string Paint(const std::string& text) {
        surface.ClearLog();
        lastY = engine.DrawText(text, 0, 0, 0, -1);
        return Join(surface.Ink());
    }
    Strings Zones() const {
        Strings out;
        for (const richtext::HotZone& z : engine.HotZones().All()) out.push_back(Describe(z));
        return out;
    }

    // Pictures under /cards: a loader, the cache over it, and BasePath there.
    CountingLoader& UsePictures() {
        auto loader = std::make_unique<CountingLoader>();
        loaderView = loader.get();
        cache = std::make_unique<cImageCache>(std::move(loader));
        engine.ImageCache = cache.get();
        engine.BasePath = "/cards";
        return *loaderView;
    }

    FakeSurface surface{600, 400, ScaleMode::Points};
    cZuzodIvodure engine;
    std::unique_ptr<cImageCache> cache;
    CountingLoader* loaderView = nullptr;
    float lastY = 0;
};

}  // namespace cartulo::testing
