#include "support/frm_input_box_plus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/dialog_text.h"
#include "support/display_scale.h"

namespace cartulo::support {

namespace {

// Selects its whole text whenever it gets the focus, however it gets it.
class SelectingLineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        selectAll();
    }
};

}  // namespace

frmInputBoxPlus::frmInputBoxPlus(const InputRequest& request, QWidget* owner, double scale)
    : QDialog(owner) {
    setModal(true);
    setWindowTitle(request.title.isEmpty() ? QApplication::applicationDisplayName()
                                           : request.title);
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);

    lblPrompt_ = makeTextLabel(request.prompt, font(), kMaxTextWidth, Qt::AlignLeft, this);
    lblPrompt_->setObjectName(QStringLiteral("lblPrompt"));
    root->addWidget(lblPrompt_);
    if (!request.detail.isEmpty()) {
        lblDetalle_ =
            makeTextLabel(request.detail, detailFont(font()), kMaxTextWidth, Qt::AlignLeft, this);
        lblDetalle_->setObjectName(QStringLiteral("lblDetalle"));
        root->addWidget(lblDetalle_);
    }

    txtTexto_ = new SelectingLineEdit(request.defaultText, this);
    txtTexto_->setObjectName(QStringLiteral("txtTexto"));
    txtTexto_->setMinimumWidth(kFieldWidth);
    // The prompt has no buddy: with one, Qt would read a "&" in it as a
    // keyboard marker and hide it. The field has the focus anyway, and
    // takes the prompt as its name for assistive tools.
    txtTexto_->setAccessibleName(request.prompt);
    root->addWidget(txtTexto_);

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar_->setDefault(true);
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    connect(cmdAceptar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAceptar_);
    buttons->addWidget(cmdCancelar_);
    root->addLayout(buttons);

    txtTexto_->setFocus();
    txtTexto_->selectAll();
    EscalarVentana(*this, scale);
}

std::optional<QString> frmInputBoxPlus::Run() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return txtTexto_->text();
}

}  // namespace cartulo::support
