// The elements windows add to the command bar, each marked with the kind of
// window that owns it; the main window's own are marked "frmMain".
#pragma once

#include <QString>
#include <vector>

namespace cartulo::shell {

inline constexpr const char* kMainOwner = "frmMain";

// The panels in the order they are built; the menu panels are counted from
// "Organizar" by "abrirmenu".
enum class BarPanel { Ayuda, Buscar, Cliente, Organizar, Edicion, Ficha, Cartulo, Ventana };
inline constexpr int kBarPanelCount = 8;
inline constexpr int kFirstMenuPanel = static_cast<int>(BarPanel::Organizar);

struct BarElement {
    QString owner;
    int panel = 0;
    QString caption;
    QString word;  // the command it sends
    QString menu;  // the name of the menu it opens instead, when not empty
};

class BarElements {
  public:
    // Elements for a panel that does not exist go to the client panel.
    void Add(const QString& owner, int panel, const QString& caption, const QString& word);
    // An element that opens the menu named `menuName`.
    void AddMenu(const QString& owner, int panel, const QString& caption, const QString& menuName);
    // Removes every element marked `owner`; true when any was removed.
    bool RemoveOwner(const QString& owner);
    // Removes every element not marked "frmMain"; true when any was removed.
    bool RemoveAllButMain();
    std::vector<BarElement> InPanel(int panel) const;
    const std::vector<BarElement>& All() const { return elements_; }

  private:
    std::vector<BarElement> elements_;
};

}  // namespace cartulo::shell
