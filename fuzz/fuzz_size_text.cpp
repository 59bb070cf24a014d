// Layout and painting of arbitrary text on the recording fake surface: every
// call ends (run.sh gives each input a time limit), heights and the pen stay
// finite, at most 100 errors are listed, and the position of the next page
// lies inside the text. The first byte chooses the surface and the call.
// Embedded objects are sized by a host that answers what the text asks for,
// hostile sizes included, and painted by a host that checks its box.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
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

bool SameNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// A host's answer for one side of an object, chosen by the first character
// of `key` (the parameters for the width, the body for the height): n NaN,
// i and m plus and minus infinity, - a negative size, h the largest float,
// b the bits of the next four characters, d the number written after it;
// anything else keeps the size the tag gave.
float Answer(std::string_view key, float preset) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (key.empty()) return preset;
    switch (key[0]) {
        case 'n':
            return std::numeric_limits<float>::quiet_NaN();
        case 'i':
            return kInfinity;
        case 'm':
            return -kInfinity;
        case '-':
            return -preset - 1;
        case 'h':
            return std::numeric_limits<float>::max();
        case 'b': {
            float raw = 0;
            std::memcpy(&raw, key.data() + 1, std::min(key.size() - 1, sizeof raw));
            return raw;
        }
        case 'd':
            return std::strtof(std::string(key.substr(1)).c_str(), nullptr);
        default:
            return preset;
    }
}

// The host's object handlers. The type chooses a misbehaviour: "throw" and
// "throwany" fail, "unset" takes the handlers away for the rest of the call
// and "again" sets them anew while one runs. Drawing scripts never reach it.
class Host {
  public:
    Host(cartulo::cZuzodIvodure& engine, cartulo::FakeSurface& surface)
        : engine_(engine), surface_(surface) {}

    void Install() {
        engine_.ObjectSize = [this](const std::string& type, const std::string& parameters,
                                    const std::string& body, cartulo::Surface& s, float& width,
                                    float& height) {
            Require(&s == &surface_ && !SameNoCase(type, "drawscript"));
            Require(Finite(width) && Finite(height) && width >= 0 && height >= 0);
            misbehave(type);
            width = Answer(parameters, width);
            height = Answer(body, height);
        };
        engine_.ObjectPaint = [this](const std::string& type, const std::string&,
                                     const std::string&, cartulo::Surface& s, float x, float y,
                                     float width, float height) {
            Require(&s == &surface_ && !SameNoCase(type, "drawscript"));
            // Whatever the host answered, the box is finite and not negative.
            Require(Finite(x) && Finite(y) && Finite(width) && Finite(height));
            Require(width >= 0 && height >= 0);
            // Settings the engine must put back after the object, failed or not.
            s.SetForeColor(cartulo::Rgb(255, 0, 0));
            s.SetDrawWidth(7);
            s.SetFontSize(40);
            s.SetFontItalic(true);
            misbehave(type);
            s.Rectangle(x, y, x + width, y + height, s.ForeColor(), false);
        };
    }

  private:
    void misbehave(const std::string& type) {
        if (type == "throw") throw std::runtime_error("el anfitri\xF3n fall\xF3");
        if (type == "throwany") throw 42;
        if (type == "unset") {
            engine_.ObjectSize = nullptr;
            engine_.ObjectPaint = nullptr;
        }
        if (type == "again") Install();
    }

    cartulo::cZuzodIvodure& engine_;
    cartulo::FakeSurface& surface_;
};

void CheckCall(const cartulo::cZuzodIvodure& engine, const cartulo::FakeSurface& surface) {
    Require(engine.ErrorCount() >= 0 && engine.ErrorCount() <= 100);
    for (int i = 0; i < engine.ErrorCount(); ++i) Require(!engine.Errors(i).empty());
    Require(engine.Errors(engine.ErrorCount()).empty());
    const std::int32_t pointer = engine.GetTextPointer();
    Require(pointer >= 1 && static_cast<std::size_t>(pointer) <= engine.GetText().size() + 1);
    Require(Finite(surface.CurrentX()) && Finite(surface.CurrentY()));
    Require(!engine.Busy());
}

// Longer texts find nothing shorter ones do not, and nested frames make the
// work grow faster than the length.
constexpr std::size_t kMaxInput = 16 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > kMaxInput) return 0;
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
        if (value == ":o") value = "{FO:@frc[1,2]}{O:9,9,x}b{/O}{FR:1}m{/FR}{TB:1,1}c{\\}";
    };
    Host host(engine, surface);

    host.Install();
    const float height = engine.SizeText(text, 0, 0, 0, options.bottom);
    Require(Finite(height));
    CheckCall(engine, surface);

    host.Install();
    const float end = engine.DrawText(text, 0, 0, 0, options.bottom);
    Require(Finite(end));
    CheckCall(engine, surface);

    // The next page, as a printout takes it.
    const std::string rest =
        cartulo::cZuzodIvodure::CutAt(engine.GetText(), engine.GetTextPointer());
    host.Install();
    Require(Finite(engine.SizeText(rest, 0, 0, 0, options.bottom)));
    CheckCall(engine, surface);
    return 0;
}
