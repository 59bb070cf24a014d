// frmOpciones: the options window. One option enlarges texts and windows
// from the next start, the others turn printing off
// and colour the card windows' markup at once.
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
    QCheckBox* ColorMarkupBox() const { return chkColorear_; }
    QPushButton* AcceptButton() const { return cmdAceptar_; }
    QPushButton* CancelButton() const { return cmdCancelar_; }

  private:
    ProgramSettings& settings_;
    UserDialogs& dialogs_;
    QCheckBox* chkAmpliar_ = nullptr;
    QCheckBox* chkImpresion_ = nullptr;
    QCheckBox* chkColorear_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
};

}  // namespace cartulo::support
