// Embedded objects in a line of text: sized while the line is laid out
// (by the tag, or by the host), painted in that box by a drawing script or
// by the host, with the surface's settings kept around each.
#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <string>

#include "drawscript/draw_script.h"
#include "richtext/error_list.h"
#include "richtext/inline_slots.h"
#include "richtext/scale_units.h"
#include "richtext/tag_params.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

constexpr std::string_view kDrawScriptType = "drawscript";

bool isDrawScript(const ObjectSlot& slot) {
    return EqualsNoCase(slot.type, kDrawScriptType);
}

// A size as the host answered it: nothing that is not a finite, positive
// length, and no more than the longest length markup may write.
float hostLength(const Surface& s, float value) {
    if (!std::isfinite(value) || value < 0) return 0;
    return static_cast<float>(std::min<double>(value, PointsToScale(s, kMaxMarkupLength)));
}

// Runs a host handler; what it throws is recorded, never passed on.
template <typename Call>
void guarded(ErrorList& errors, Call&& call) {
    try {
        call();
    } catch (const std::exception& error) {
        errors.Add(std::string(message::kObjectError) + error.what());
    } catch (...) {
        errors.Add(std::string(message::kObjectError) + "excepci\xF3n desconocida");
    }
}

}  // namespace

std::optional<InlineBox> cZuzodIvodure::layoutObject(std::string_view value,
                                                     std::string_view body) {
    InlineCounters& counters = inline_.counters;
    if (counters.objects >= kMaxLineObjects) return std::nullopt;
    const auto index = static_cast<std::size_t>(counters.objects++);
    if (inline_.objects.size() <= index) inline_.objects.resize(index + 1);
    ObjectSlot& slot = inline_.objects[index];
    Surface& s = *surface_;
    // Written sizes are lengths like any other; an object has no negative room.
    slot.width = static_cast<float>(std::max(0.0, length(GetParam(value, 1))));
    slot.height = static_cast<float>(std::max(0.0, length(GetParam(value, 2))));
    slot.type = TrimBlanks(GetParam(value, 3));
    slot.parameters = GetParamRest(value, 4);
    slot.body = body;
    if (!isDrawScript(slot) && ObjectSize) {
        // A copy: the handler may set the event anew while it runs.
        const ObjectSizeHandler handler = ObjectSize;
        float width = slot.width;
        float height = slot.height;
        guarded(errors_, [&] {
            handler(slot.type, slot.parameters, slot.body, s, width, height);
            slot.width = hostLength(s, width);
            slot.height = hostLength(s, height);
        });
    }
    return InlineBox{slot.width, slot.height * 3.0 / 4, slot.height / 4.0};
}

double cZuzodIvodure::paintObject(double x, double baseline) {
    InlineCounters& counters = inline_.counters;
    if (counters.objects >= kMaxLineObjects) return 0;
    const auto index = static_cast<std::size_t>(counters.objects++);
    if (index >= inline_.objects.size()) return 0;
    const ObjectSlot& slot = inline_.objects[index];
    Surface& s = *surface_;
    const auto left = static_cast<float>(x);
    const auto top = static_cast<float>(baseline - slot.height * 3.0 / 4);
    const SurfaceSettingsKeeper keep(s);
    if (isDrawScript(slot)) {
        // Held on the heap: its path is large, and frames may nest engines.
        auto script = std::make_unique<cDrawScript>();
        script->Surface = &s;
        script->Script = slot.body;
        guarded(errors_, [&] { script->Draw(left, top, slot.width, slot.height); });
    } else if (ObjectPaint) {
        const ObjectPaintHandler handler = ObjectPaint;
        guarded(errors_, [&] {
            handler(slot.type, slot.parameters, slot.body, s, left, top, slot.width, slot.height);
        });
    }
    return slot.width;
}

}  // namespace cartulo
