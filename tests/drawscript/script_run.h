// Runs a script on the recording fake surface and collects what it did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "drawscript/draw_script.h"
#include "platform/fake_surface.h"

namespace cartulo::drawscript::testing {

struct ScriptRun {
    std::vector<std::string> stack;  // bottom first
    std::vector<std::string> ink;    // the fake surface's ink lines
};

inline std::vector<std::string> StackOf(const cDrawScript& script) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < script.Stack().Depth(); ++i)
        entries.push_back(script.Stack().At(i));
    return entries;
}

inline ScriptRun RunOn(FakeSurface& surface, std::string_view text, float x = 0, float y = 0) {
    cDrawScript script;
    script.Surface = &surface;
    script.Script = std::string(text);
    script.Draw(x, y, 100, 100);
    return {StackOf(script), surface.Ink()};
}

// On a surface in points, where script values are surface units.
inline ScriptRun RunInPoints(std::string_view text, float x = 0, float y = 0) {
    FakeSurface surface(400, 400, ScaleMode::Points);
    return RunOn(surface, text, x, y);
}

inline std::vector<std::string> StackAfter(std::string_view text) {
    return RunInPoints(text).stack;
}

}  // namespace cartulo::drawscript::testing
