#include "support/frm_opciones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/display_scale.h"
#include "support/options.h"

namespace cartulo::support {

frmOpciones::frmOpciones(ProgramSettings& settings, UserDialogs& dialogs, double scale,
                         QWidget* owner, const QString& dictionaryFolder)
    : QDialog(owner), settings_(settings), dialogs_(dialogs) {
    setModal(true);
    setWindowTitle(QStringLiteral("Opciones"));

    chkAmpliar_ = new QCheckBox(QStringLiteral("Ampliar textos y ventanas"), this);
    chkAmpliar_->setObjectName(QStringLiteral("chkAmpliar"));
    chkAmpliar_->setChecked(settings_.HighDPI());
    chkImpresion_ = new QCheckBox(QStringLiteral("Desactivar impresión"), this);
    chkImpresion_->setObjectName(QStringLiteral("chkImpresion"));
    chkImpresion_->setChecked(settings_.NoPrinting());
    chkColorear_ = new QCheckBox(QStringLiteral("Colorear las marcas"), this);
    chkColorear_->setObjectName(QStringLiteral("chkColorear"));
    chkColorear_->setChecked(settings_.ColorearMarcas());

    chkOrtografia_ = new QCheckBox(QStringLiteral("Revisar la ortografía"), this);
    chkOrtografia_->setObjectName(QStringLiteral("chkOrtografia"));
    cmbDiccionario_ = new QComboBox(this);
    cmbDiccionario_->setObjectName(QStringLiteral("cmbDiccionario"));
    lblOrtografia_ = new QLabel(this);
    lblOrtografia_->setObjectName(QStringLiteral("lblOrtografia"));
    lblOrtografia_->setWordWrap(true);
    const QStringList installed = platform::InstalledDictionaries(dictionaryFolder);
    cmbDiccionario_->addItems(installed);
    if (installed.isEmpty()) {
        chkOrtografia_->setEnabled(false);
        cmbDiccionario_->setEnabled(false);
        lblOrtografia_->setText(
            QStringLiteral("No hay ningún diccionario instalado en %1 (paquete hunspell-es).")
                .arg(dictionaryFolder));
    } else {
        chkOrtografia_->setChecked(settings_.SpellCheck());
        cmbDiccionario_->setCurrentText(
            platform::ChooseDictionary(installed, QString::fromStdString(settings_.Dictionary())));
        cmbDiccionario_->setEnabled(settings_.SpellCheck());
        lblOrtografia_->hide();
        connect(chkOrtografia_, &QCheckBox::toggled, cmbDiccionario_, &QWidget::setEnabled);
    }

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar_->setDefault(true);
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    // A stored dictionary that is not installed stays stored unless the
    // user picks another.
    const QString shownDictionary = cmbDiccionario_->currentText();
    connect(cmdAceptar_, &QPushButton::clicked, this, [this, shownDictionary] {
        OptionChoices choices;
        choices.highDpi = chkAmpliar_->isChecked();
        choices.noPrinting = chkImpresion_->isChecked();
        // Without a dictionary the stored choice stays for when one is installed.
        if (chkOrtografia_->isEnabled()) {
            choices.spellCheck = chkOrtografia_->isChecked();
            if (cmbDiccionario_->currentText() != shownDictionary) {
                choices.dictionary = cmbDiccionario_->currentText().toStdString();
            }
        }
        choices.colorMarkup = chkColorear_->isChecked();
        AcceptOptions(settings_, choices, dialogs_);
        accept();
    });
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAceptar_);
    buttons->addWidget(cmdCancelar_);
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addWidget(chkAmpliar_);
    root->addWidget(chkImpresion_);
    root->addWidget(chkColorear_);
    auto* spelling = new QHBoxLayout;
    spelling->addWidget(chkOrtografia_);
    spelling->addWidget(cmbDiccionario_);
    root->addLayout(spelling);
    root->addWidget(lblOrtografia_);
    root->addSpacing(8);
    root->addLayout(buttons);

    EscalarVentana(*this, scale);
}

}  // namespace cartulo::support
