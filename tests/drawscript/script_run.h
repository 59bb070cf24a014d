// Runs a script on the recording fake surface and collects what it did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "drawscript/draw_script.h"
#include "platform/fake_surface.h"

namespace cartulo::drawscript::testing {

using V = std::vector<std::string>;

struct ScriptRun {
    V stack;  // bottom first
    V ink;    // the fake surface's ink lines
};

inline V StackOf(const cDrawScript& script) {
    V entries;
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

inline V StackAfter(std::string_view text) {
    return RunInPoints(text).stack;
}

// Lines joined by "|", so a table row holds a whole run.
inline std::string Joined(const V& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "|") + line;
    return out;
}

}  // namespace cartulo::drawscript::testing
