// The drawing-script interpreter on arbitrary text, on the fake surface.
// The first byte picks the scale mode and whether the surface is a
// printer; the rest is the script. Every script ends, leaves at most 100
// entries on the stack and puts only finite numbers on the surface.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "drawscript/draw_script.h"
#include "platform/fake_surface.h"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto mode = static_cast<cartulo::ScaleMode>(data[0] & 3);
    const bool printer = (data[0] & 4) != 0;
    cartulo::FakeSurface surface(500, 500, mode, printer);
    cartulo::cDrawScript script;
    script.Surface = &surface;
    script.Script.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    script.Draw(7, 11, 100, 100);
    Require(script.Stack().Depth() <= cartulo::drawscript::OperandStack::kCapacity);
    for (const std::string& line : surface.Ink()) {
        if (line.starts_with("print ")) continue;  // the text is the script's own
        Require(line.find("inf") == std::string::npos && line.find("nan") == std::string::npos);
    }
    return 0;
}
