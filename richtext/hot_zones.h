// The clickable areas of the last painting: links, buttons, sound symbols,
// popups and picture-map areas. The mouse works on them later.
#pragma once

#include <string>
#include <vector>

namespace cartulo::richtext {

class ErrorList;

enum class ZoneKind { Hypertext = 0, Button = 1, Sound = 2, Popup = 3, CommandArea = 4 };

struct HotZone {
    double x1 = 0, y1 = 0;  // top-left, surface units
    double x2 = 0, y2 = 0;  // bottom-right, inclusive
    ZoneKind kind = ZoneKind::Hypertext;
    std::string s1, s2, s3;  // target, pictures or command, by kind

    bool Contains(double x, double y) const { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }
};

class HotZoneTable {
  public:
    // A painting records at most this many zones; the rest are dropped.
    static constexpr std::size_t kMaxZones = 100;

    // Appends the zone; a full table drops it and reports the overflow.
    void Add(HotZone zone, ErrorList& errors);
    void Clear() { zones_.clear(); }
    std::size_t Count() const { return zones_.size(); }
    const HotZone& At(std::size_t i) const { return zones_.at(i); }
    const std::vector<HotZone>& All() const { return zones_; }
    // The last zone in table order that holds the point, or -1.
    int ZoneAt(double x, double y) const;

  private:
    std::vector<HotZone> zones_;
};

}  // namespace cartulo::richtext
