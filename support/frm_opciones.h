// frmOpciones: the options window. One option enlarges texts and windows
// from the next start, the other turns printing off at once.
#pragma once

#include <QDialog>

#include "support/settings.h"
#include "support/user_dialogs.h"

class QCheckBox;
class QPushButton;

namespace cartulo::support {

class frmOpciones : public QDialog {
  public:
    frmOpciones(ProgramSettings& settings, UserDialogs& dialogs, double scale = 1.0,
                QWidget* owner = nullptr);

    QCheckBox* HighDpiBox() const { return chkAmpliar_; }
    QCheckBox* NoPrintingBox() const { return chkImpresion_; }
    QPushButton* AcceptButton() const { return cmdAceptar_; }
    QPushButton* CancelButton() const { return cmdCancelar_; }

  private:
    ProgramSettings& settings_;
    UserDialogs& dialogs_;
    QCheckBox* chkAmpliar_ = nullptr;
    QCheckBox* chkImpresion_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
};

}  // namespace cartulo::support
