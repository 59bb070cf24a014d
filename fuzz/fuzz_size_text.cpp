// Layout and painting of arbitrary text on the recording fake surface: every
// call ends (run.sh gives each input a time limit), heights and the pen stay
// finite, at most 100 errors are listed, and the position of the next page
// lies inside the text. The first byte chooses the surface and the call.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/fake_surface.h"
#include "richtext/image_cache.h"
#include "richtext/zuzod_ivodure.h"

namespace {

using cartulo::ScaleMode;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

// Every name is a picture whose size comes from the name, up to 4000 pixels
// a side and sometimes empty, so picture layout runs on any text.
class AnyPicture : public cartulo::PictureLoader {
  public:
    std::unique_ptr<cartulo::Picture> Load(const std::string& path) const override {
        const std::size_t hash = std::hash<std::string>{}(path);
        if (hash % 5 == 0) return nullptr;
        return std::make_unique<cartulo::FakePicture>(path, static_cast<int>(hash % 4001),
                                                      static_cast<int>((hash >> 16) % 4001));
    }
};

struct Options {
    ScaleMode mode;
    bool printer;
    double width;
    float bottom;  // -1: the whole text
    std::int16_t align;

    explicit Options(std::uint8_t bits) {
        static constexpr ScaleMode kModes[] = {ScaleMode::Pixels, ScaleMode::Points,
                                               ScaleMode::Twips, ScaleMode::User};
        static constexpr double kWidths[] = {600, 40, 1, 3000};
        mode = kModes[bits & 3];
        printer = (bits & 4) != 0;
        width = kWidths[(bits >> 3) & 3];
        if (mode == ScaleMode::Twips) width *= 15;
        bottom = (bits & 32) != 0 ? 300 : -1;
        align = static_cast<std::int16_t>((bits >> 6) & 3);
    }
};

bool Finite(double value) {
    return std::isfinite(value);
}

void CheckCall(const cartulo::cZuzodIvodure& engine, const cartulo::FakeSurface& surface) {
    Require(engine.ErrorCount() >= 0 && engine.ErrorCount() <= 100);
    for (int i = 0; i < engine.ErrorCount(); ++i) Require(!engine.Errors(i).empty());
    Require(engine.Errors(engine.ErrorCount()).empty());
    const std::int32_t pointer = engine.GetTextPointer();
    Require(pointer >= 1 && static_cast<std::size_t>(pointer) <= engine.GetText().size() + 1);
    Require(Finite(surface.CurrentX()) && Finite(surface.CurrentY()));
    Require(!engine.Busy());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Options options(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    cartulo::FakeSurface surface(options.width, 400, options.mode, options.printer);
    cartulo::cImageCache pictures(std::make_unique<AnyPicture>());
    cartulo::cZuzodIvodure engine;
    engine.DefaultFont = "Arial";
    engine.DefaultAlign = options.align;
    engine.Ctrl = &surface;
    engine.ImageCache = &pictures;
    engine.BasePath = "/fichas";
    // An answer that is markup itself must be shown, not read again.
    engine.Evaluate = [](std::string& value) {
        if (value == ":la") value = "{";
        if (value == ":x") value = "{N}{T:0}{Q:rojo}";
    };

    const float height = engine.SizeText(text, 0, 0, 0, options.bottom);
    Require(Finite(height));
    CheckCall(engine, surface);

    const float end = engine.DrawText(text, 0, 0, 0, options.bottom);
    Require(Finite(end));
    CheckCall(engine, surface);

    // The next page, as a printout takes it.
    const std::string rest =
        cartulo::cZuzodIvodure::CutAt(engine.GetText(), engine.GetTextPointer());
    Require(Finite(engine.SizeText(rest, 0, 0, 0, options.bottom)));
    CheckCall(engine, surface);
    return 0;
}
