#include "richtext/hot_zones.h"

#include <utility>

#include "richtext/error_list.h"

namespace cartulo::richtext {

void HotZoneTable::Add(HotZone zone, ErrorList& errors) {
    if (Silenced()) return;
    if (counted_ >= kMaxZones) {
        errors.Add(message::kTooManyZones);
        return;
    }
    ++counted_;
    if (passing_ == 0) zones_.push_back(std::move(zone));
}

int HotZoneTable::ZoneAt(double x, double y) const {
    for (std::size_t i = zones_.size(); i-- > 0;) {
        if (zones_[i].Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace cartulo::richtext
