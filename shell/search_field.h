// The command bar's search field (txtBuscar): while empty and without the
// focus it shows "Buscar" in grey. Enter hands its text on; Escape empties
// it and hands the focus back.
#pragma once

#include <QLineEdit>
#include <functional>

namespace cartulo::shell {

class CampoBuscar : public QLineEdit {
  public:
    explicit CampoBuscar(QWidget* parent = nullptr);

    // What the user typed; "" while the placeholder shows.
    QString TextoEscrito() const { return placeholder_ ? QString() : text(); }
    bool MuestraMarcador() const { return placeholder_; }
    // BorrarBusqueda: empties the field (the placeholder comes back unless it has the focus).
    void Borrar();

    std::function<void(const QString&)> onEnter;
    std::function<void()> onEscape;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showPlaceholder(bool on);

    bool placeholder_ = false;
};

}  // namespace cartulo::shell
