// picBarra: the strip along the top of the main window's client area, above
// the child windows. It holds the panels "Ayuda", "Buscar" (with the search
// field), a panel for the active window's own elements, and the menu panels
// "Organizar", "Edición", "Ficha", "Cartulo" and "Ventana".
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "shell/command_bar_elements.h"

class QHBoxLayout;
class QMenu;

namespace cartulo::shell {

class BotonBarra;
class CampoBuscar;

class BarraComandos : public QWidget {
  public:
    static constexpr int kHeightTwips = 495;

    explicit BarraComandos(double scale, QWidget* parent = nullptr);

    // The menu a menu panel (or "Ayuda") offers.
    void SetMenu(BarPanel panel, QMenu* menu);
    // Opens menu panel n counted from "Organizar"; false when there is none.
    bool AbrirMenu(int n);
    CampoBuscar* Buscador() const { return txtBuscar_; }
    BotonBarra* Boton(BarPanel panel) const { return buttons_[index(panel)]; }

    void AnadeComando(const QString& owner, int panel, const QString& caption, const QString& word);
    void AnadeMenu(const QString& owner, int panel, const QString& caption,
                   const QString& menuName);
    // The inner area of a panel, where its elements sit; null for no panel.
    QWidget* PanelCliente(int panel) const;
    void QuitarElementos(const QString& owner);
    void Limpiar();
    const BarElements& Elementos() const { return elements_; }
    // The buttons showing the elements of a panel, in order.
    QList<BotonBarra*> BotonesDeElementos(int panel) const;

    // Runs a command word (the elements and the "Buscar" panel's button).
    std::function<void(const QString&)> onCommand;
    // Finds the menu a menu element names, when it is clicked (null: none).
    std::function<QMenu*(const QString&)> onFindMenu;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    static int index(BarPanel panel) { return static_cast<int>(panel); }
    QWidget* makePanel(BarPanel panel);
    void openMenuOf(BarPanel panel);
    void openElementMenu(BotonBarra* button, const QString& menuName);
    void rebuildElements();

    CampoBuscar* txtBuscar_ = nullptr;
    std::array<BotonBarra*, kBarPanelCount> buttons_{};
    std::array<QHBoxLayout*, kBarPanelCount> elementRows_{};
    std::array<QWidget*, kBarPanelCount> areas_{};
    std::array<QPointer<QMenu>, kBarPanelCount> menus_{};
    std::array<QList<BotonBarra*>, kBarPanelCount> elementButtons_{};
    BarElements elements_;
};

}  // namespace cartulo::shell
