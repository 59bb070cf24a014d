// frmOpciones: the options window. One option enlarges texts and windows
// from the next start, the others turn printing off and colour the card
// windows' markup at once; below them, spelling and its dictionary, among
// those installed, take effect at once.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/spell_dictionaries.h"

#include "support/settings.h"
#include "support/user_dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace cartulo::support {

class frmOpciones : public QDialog {
  public:
    frmOpciones(ProgramSettings& settings, UserDialogs& dialogs, double scale = 1.0,
                QWidget* owner = nullptr,
                const QString& dictionaryFolder = platform::kDictionaryFolder);

    QCheckBox* HighDpiBox() const { return chkAmpliar_; }
    QCheckBox* NoPrintingBox() const { return chkImpresion_; }
    QCheckBox* SpellCheckBox() const { return chkOrtografia_; }
    QComboBox* DictionaryBox() const { return cmbDiccionario_; }
    // Why spelling cannot be turned on; hidden when it can.
    QLabel* SpellNote() const { return lblOrtografia_; }
    QCheckBox* ColorMarkupBox() const { return chkColorear_; }
    QPushButton* AcceptButton() const { return cmdAceptar_; }
    QPushButton* CancelButton() const { return cmdCancelar_; }

  private:
    ProgramSettings& settings_;
    UserDialogs& dialogs_;
    QCheckBox* chkAmpliar_ = nullptr;
    QCheckBox* chkImpresion_ = nullptr;
    QCheckBox* chkOrtografia_ = nullptr;
    QComboBox* cmbDiccionario_ = nullptr;
    QLabel* lblOrtografia_ = nullptr;
    QCheckBox* chkColorear_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
};

}  // namespace cartulo::support
