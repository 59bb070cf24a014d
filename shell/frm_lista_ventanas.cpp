#include "shell/frm_lista_ventanas.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/display_scale.h"

namespace cartulo::shell {

frmListaVentanas::frmListaVentanas(const std::vector<QWidget*>& windows, const QWidget* active,
                                   double scale, QWidget* owner)
    : QDialog(owner) {
    setModal(true);
    setWindowTitle(QStringLiteral("Lista de ventanas"));

    lstVentanas_ = new QListWidget(this);
    lstVentanas_->setObjectName(QStringLiteral("lstVentanas"));
    lstVentanas_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QWidget* window : windows) {
        if (window == nullptr) continue;
        lstVentanas_->addItem(window->windowTitle());
        ventanas_.emplace_back(window);
        if (window == active) lstVentanas_->setCurrentRow(lstVentanas_->count() - 1);
    }
    connect(lstVentanas_, &QListWidget::itemSelectionChanged, this,
            [this] { ActualizarBotones(); });
    connect(lstVentanas_, &QListWidget::itemDoubleClicked, this, [this] { IrA(); });

    cmdAceptar_ = new QPushButton(QStringLiteral("&Ir a"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar_->setDefault(true);
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCerrarVentana_ = new QPushButton(QStringLiteral("C&errar ventana"), this);
    cmdCerrarVentana_->setObjectName(QStringLiteral("cmdCerrarVentana"));
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { IrA(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdCerrarVentana_, &QPushButton::clicked, this, [this] { CerrarVentana(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAceptar_);
    buttons->addWidget(cmdCancelar_);
    buttons->addSpacing(12);
    buttons->addWidget(cmdCerrarVentana_);
    buttons->addStretch();
    auto* root = new QHBoxLayout(this);
    root->addWidget(lstVentanas_, 1);
    root->addLayout(buttons);
    resize(420, 260);
    ActualizarBotones();

    support::EscalarVentana(*this, scale);
}

QWidget* frmListaVentanas::Mostrar() {
    if (exec() != QDialog::Accepted) return nullptr;
    return Elegida();
}

QWidget* frmListaVentanas::VentanaSeleccionada() const {
    const QList<QListWidgetItem*> selected = lstVentanas_->selectedItems();
    if (selected.isEmpty()) return nullptr;
    const int row = lstVentanas_->row(selected.front());
    return row >= 0 && row < static_cast<int>(ventanas_.size()) ? ventanas_[row].data() : nullptr;
}

void frmListaVentanas::ActualizarBotones() {
    const bool any = !lstVentanas_->selectedItems().isEmpty();
    cmdAceptar_->setEnabled(any);
    cmdCerrarVentana_->setEnabled(any);
}

void frmListaVentanas::IrA() {
    if (lstVentanas_->selectedItems().isEmpty()) return;
    elegida_ = VentanaSeleccionada();
    accept();
}

void frmListaVentanas::CerrarVentana() {
    const QList<QListWidgetItem*> selected = lstVentanas_->selectedItems();
    if (selected.isEmpty()) return;
    const int row = lstVentanas_->row(selected.front());
    QWidget* window = VentanaSeleccionada();
    // A window that refuses to close (an entry it cannot take) stays listed.
    if (window != nullptr && !window->close()) return;
    ventanas_.erase(ventanas_.begin() + row);
    delete lstVentanas_->takeItem(row);
    ActualizarBotones();
}

}  // namespace cartulo::shell
