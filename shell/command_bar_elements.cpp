#include "shell/command_bar_elements.h"

#include <algorithm>

namespace cartulo::shell {

void BarElements::Add(const QString& owner, int panel, const QString& caption,
                      const QString& word) {
    if (panel < 0 || panel >= kBarPanelCount) panel = static_cast<int>(BarPanel::Cliente);
    elements_.push_back(BarElement{owner, panel, caption, word, {}});
}

void BarElements::AddMenu(const QString& owner, int panel, const QString& caption,
                          const QString& menuName) {
    if (panel < 0 || panel >= kBarPanelCount) panel = static_cast<int>(BarPanel::Cliente);
    elements_.push_back(BarElement{owner, panel, caption, {}, menuName});
}

bool BarElements::RemoveOwner(const QString& owner) {
    return std::erase_if(elements_, [&](const BarElement& e) { return e.owner == owner; }) > 0;
}

bool BarElements::RemoveAllButMain() {
    const QString main = QString::fromLatin1(kMainOwner);
    return std::erase_if(elements_, [&](const BarElement& e) { return e.owner != main; }) > 0;
}

std::vector<BarElement> BarElements::InPanel(int panel) const {
    std::vector<BarElement> result;
    std::copy_if(elements_.begin(), elements_.end(), std::back_inserter(result),
                 [panel](const BarElement& e) { return e.panel == panel; });
    return result;
}

}  // namespace cartulo::shell
