#include "support/frm_opciones.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/display_scale.h"
#include "support/options.h"

namespace cartulo::support {

frmOpciones::frmOpciones(ProgramSettings& settings, UserDialogs& dialogs, double scale,
                         QWidget* owner)
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

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar_->setDefault(true);
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] {
        AcceptOptions(
            settings_,
            {chkAmpliar_->isChecked(), chkImpresion_->isChecked(), chkColorear_->isChecked()},
            dialogs_);
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
    root->addSpacing(8);
    root->addLayout(buttons);

    EscalarVentana(*this, scale);
}

}  // namespace cartulo::support
