// frmListaVentanas, the window list: a modal dialog listing the captions of
// the main window's child windows. "&Ir a" (or a double-click) chooses one,
// "C&errar ventana" closes one and leaves the list open. Each item keeps
// the window it was made from, so two windows with the same caption are
// told apart.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <vector>

class QListWidget;
class QPushButton;

namespace cartulo::shell {

class frmListaVentanas : public QDialog {
  public:
    // The windows in window order; `active` is selected when it is listed.
    frmListaVentanas(const std::vector<QWidget*>& windows, const QWidget* active, double scale,
                     QWidget* owner = nullptr);

    // Shows the list modally; the chosen window, or null when cancelled or
    // when the chosen window closed meanwhile.
    QWidget* Mostrar();
    // The window "&Ir a" chose (after the dialog was accepted), or null.
    QWidget* Elegida() const { return elegida_.data(); }

    QListWidget* lstVentanas() const { return lstVentanas_; }
    QPushButton* cmdAceptar() const { return cmdAceptar_; }
    QPushButton* cmdCancelar() const { return cmdCancelar_; }
    QPushButton* cmdCerrarVentana() const { return cmdCerrarVentana_; }

  private:
    QWidget* VentanaSeleccionada() const;
    void IrA();
    void CerrarVentana();
    void ActualizarBotones();

    std::vector<QPointer<QWidget>> ventanas_;  // by row
    QPointer<QWidget> elegida_;
    QListWidget* lstVentanas_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* cmdCerrarVentana_ = nullptr;
};

}  // namespace cartulo::shell
