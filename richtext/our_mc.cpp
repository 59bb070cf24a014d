#include "richtext/our_mc.h"

#include <array>
#include <utility>

#include "richtext/image_cache.h"

namespace cartulo {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kEscapes = {{
    {":la", "{"},
    {":lc", "}"},
    {":ca", "\xAB"},  // « in Windows-1252
    {":cc", "\xBB"},  // »
}};

// Handlers are copied before the call, so one that assigns the event anew
// does not destroy itself while it runs.
template <typename Event, typename... Args>
void forward(const Event& event, Args&&... args) {
    const Event handler = event;
    if (handler) handler(std::forward<Args>(args)...);
}

}  // namespace

cOurMC::cOurMC(std::shared_ptr<const BindingResources> resources)
    : resources_(std::move(resources)), pMC_(std::make_unique<cZuzodIvodure>()) {
    cZuzodIvodure& mc = *pMC_;
    mc.DefaultFont = "Arial";
    mc.DefaultSize = 12;
    if (resources_) {
        mc.InitImages(resources_->speaker, resources_->speakerPressed);
        mc.ImageCache = resources_->imageCache.get();
        mc.PlaySound = resources_->playSound;
        if (!resources_->programFolder.empty()) mc.BasePath = resources_->programFolder;
    }
    mc.Evaluate = [this](std::string& expression) { pMC_Evaluate(expression); };
    mc.Exec = [this](const std::string& command) { pMC_Exec(command); };
    mc.Hypertext = [this](const std::string& target) { pMC_Hypertext(target); };
    mc.ObjectPaint = [this](const std::string& type, const std::string& parameters,
                            const std::string& body, Surface& surface, float x, float y,
                            float width, float height) {
        pMC_ObjectPaint(type, parameters, body, surface, x, y, width, height);
    };
    mc.ObjectSize = [this](const std::string& type, const std::string& parameters,
                           const std::string& body, Surface& surface, float& width, float& height) {
        pMC_ObjectSize(type, parameters, body, surface, width, height);
    };
    mc.Popup = [this](const std::string& argument) { pMC_Popup(argument); };
}

cOurMC::~cOurMC() = default;

void cOurMC::SetCtrl(Surface* surface, Bind kind) {
    pMC_->Ctrl = surface;
    if (surface && kind == Bind::PictureControl) {
        pMC_->DefaultFont = surface->Font().name;
        pMC_->DefaultSize = static_cast<float>(surface->Font().size);
        pMC_->DefaultColor = surface->ForeColor();
    }
}

bool cOurMC::AnswerEscape(std::string& expression) {
    for (const auto& [name, answer] : kEscapes) {
        if (expression == name) {
            expression = answer;
            return true;
        }
    }
    return false;
}

void cOurMC::pMC_Evaluate(std::string& expression) {
    if (!AnswerEscape(expression)) forward(Evaluate, expression);
}

void cOurMC::pMC_Exec(const std::string& command) {
    forward(Exec, command);
}

void cOurMC::pMC_Hypertext(const std::string& target) {
    forward(Hypertext, target);
}

void cOurMC::pMC_ObjectPaint(const std::string& type, const std::string& parameters,
                             const std::string& body, Surface& surface, float x, float y,
                             float width, float height) {
    forward(ObjectPaint, type, parameters, body, surface, x, y, width, height);
}

void cOurMC::pMC_ObjectSize(const std::string& type, const std::string& parameters,
                            const std::string& body, Surface& surface, float& width,
                            float& height) {
    forward(ObjectSize, type, parameters, body, surface, width, height);
}

void cOurMC::pMC_Popup(const std::string& argument) {
    forward(Popup, argument);
}

}  // namespace cartulo
