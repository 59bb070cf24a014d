// The clickable areas of the last painting: links, buttons, sound symbols,
// popups and picture-map areas. The mouse works on them later.
#pragma once

#include <string>
#include <vector>

namespace cartulo::richtext {

class ErrorList;

enum class ZoneKind { Hypertext = 0, Button = 1, Sound = 2, Popup = 3, CommandArea = 4 };

// What the texts of a zone hold, by kind:
//   Hypertext    s1 the target
//   Button       s1 the normal picture; with three parameters s2 the
//                pressed picture and s3 the command, with two s2 the
//                command and s3 empty
//   Sound        s1 the sound file as written
//   Popup        s1 the argument
//   CommandArea  s1 the command
struct HotZone {
    double x1 = 0, y1 = 0;  // top-left, surface units
    double x2 = 0, y2 = 0;  // bottom-right, inclusive
    ZoneKind kind = ZoneKind::Hypertext;
    std::string s1, s2, s3;

    // Borders count as inside.
    bool Contains(double x, double y) const { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }
    // The command a release over a button runs.
    const std::string& Command() const { return s3.empty() ? s2 : s3; }
};

class HotZoneTable {
  public:
    // A painting records at most this many zones; the rest are dropped.
    static constexpr std::size_t kMaxZones = 100;

    // Appends the zone; a full table drops it and reports the overflow,
    // and a silenced one drops it quietly.
    void Add(HotZone zone, ErrorList& errors);
    void Clear() {
        zones_.clear();
        counted_ = 0;
    }
    std::size_t Count() const { return zones_.size(); }
    const HotZone& At(std::size_t i) const { return zones_.at(i); }
    const std::vector<HotZone>& All() const { return zones_; }
    // The last zone in table order that holds the point (the one painted
    // last where zones overlap), or -1.
    int ZoneAt(double x, double y) const;

    // Silenced while a painting's zones must not count (table cells);
    // silences nest.
    void Silence() { ++silenced_; }
    void Unsilence() {
        if (silenced_ > 0) --silenced_;
    }
    bool Silenced() const { return silenced_ > 0; }
    // Passing while lines are laid out but not painted: their zones are
    // not kept, yet count toward the limit as if painted; passes nest.
    void Pass() { ++passing_; }
    void Unpass() {
        if (passing_ > 0) --passing_;
    }

  private:
    std::vector<HotZone> zones_;
    std::size_t counted_ = 0;  // kept or passed
    int silenced_ = 0;
    int passing_ = 0;
};

}  // namespace cartulo::richtext
