#include "richtext/binding_resources.h"

#include <utility>

namespace cartulo {

namespace {

// One user-interface thread reads and writes it.
std::shared_ptr<const BindingResources>& programResources() {
    static std::shared_ptr<const BindingResources> resources;
    return resources;
}

}  // namespace

void SetProgramResources(std::shared_ptr<const BindingResources> resources) {
    programResources() = std::move(resources);
}

std::shared_ptr<const BindingResources> ProgramResources() {
    return programResources();
}

}  // namespace cartulo
