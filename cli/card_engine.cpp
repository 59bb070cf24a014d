#include "cli/card_engine.h"

#include <utility>

#include "richtext/binding_resources.h"
#include "richtext/image_cache.h"

namespace ctu {

std::unique_ptr<cartulo::cOurMC> makeCardRenderer(
    std::unique_ptr<cartulo::PictureLoader> pictures,
    std::shared_ptr<const cartulo::Picture> speaker,
    std::shared_ptr<const cartulo::Picture> speakerPressed) {
    auto resources = std::make_shared<cartulo::BindingResources>();
    resources->imageCache = std::make_shared<cartulo::cImageCache>(std::move(pictures));
    resources->speaker = std::move(speaker);
    resources->speakerPressed = std::move(speakerPressed);
    return std::make_unique<cartulo::cOurMC>(std::move(resources));
}

}  // namespace ctu
