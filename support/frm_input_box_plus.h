// frmInputBoxPlus: the program's own modal input box: a prompt, a smaller
// detail text and a field pre-filled with the default text, whose whole text
// is selected whenever it gets the focus.
#pragma once

#include <QDialog>
#include <optional>

#include "support/user_dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace cartulo::support {

class frmInputBoxPlus : public QDialog {
  public:
    static constexpr int kMaxTextWidth = 440;
    static constexpr int kFieldWidth = 320;

    frmInputBoxPlus(const InputRequest& request, QWidget* owner = nullptr, double scale = 1.0);

    // Shows the box modally: the text on "Aceptar", nothing when cancelled.
    std::optional<QString> Run();

    QLineEdit* Field() const { return txtTexto_; }
    QLabel* PromptLabel() const { return lblPrompt_; }
    QLabel* DetailLabel() const { return lblDetalle_; }
    QPushButton* AcceptButton() const { return cmdAceptar_; }
    QPushButton* CancelButton() const { return cmdCancelar_; }

  private:
    QLabel* lblPrompt_ = nullptr;
    QLabel* lblDetalle_ = nullptr;
    QLineEdit* txtTexto_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
};

}  // namespace cartulo::support
