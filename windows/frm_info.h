// frmInfo, the properties window: statistics of one card file and of every
// open file together. It only reads.
#pragma once

#include <QDialog>
#include <memory>

#include "engine/cartulos.h"

class QLineEdit;
class QPushButton;

namespace cartulo::windows {

class frmInfo : public QDialog {
    Q_OBJECT

  public:
    explicit frmInfo(const cCartulos& registry, double scale = 1.0, QWidget* owner = nullptr);

    // Fills the window for `file` and shows it modally; returns once it is closed.
    void Mostrar(std::shared_ptr<cCartulo> file);
    // Fills the window without showing it.
    void Cargar(cCartulo& file);

    // A field by its control name ("txtArchivo", "txtTamañoTotal", ...).
    QLineEdit* Campo(const QString& name) const;
    QPushButton* cmdCerrar() const { return cmdCerrar_; }

  private:
    const cCartulos& registry_;
    std::shared_ptr<cCartulo> file_;  // held while the window is shown
    QPushButton* cmdCerrar_ = nullptr;
};

}  // namespace cartulo::windows
