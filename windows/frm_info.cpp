#include "windows/frm_info.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "support/display_scale.h"
#include "windows/propiedades_cartulo.h"

namespace cartulo::windows {

namespace {

struct Fila {
    const char* label;
    const char* field;
    QString PropiedadesCartulo::*value;
};

constexpr Fila kEsteCartulo[] = {
    {"Archivo:", "txtArchivo", &PropiedadesCartulo::archivo},
    {"Ubicación:", "txtUbicacion", &PropiedadesCartulo::ubicacion},
    {"Número de fichas:", "txtFichas", &PropiedadesCartulo::fichas},
    {"Número de hermanas:", "txtHermanas", &PropiedadesCartulo::hermanas},
    {"Tamaño estimado:", "txtTamaño", &PropiedadesCartulo::tamano},
    {"Capacidad usada:", "txtCapacidad", &PropiedadesCartulo::capacidad},
};
constexpr Fila kTodos[] = {
    {"Cartulos abiertos:", "txtCartulos", &PropiedadesCartulo::cartulos},
    {"Número total de fichas:", "txtFichasTotal", &PropiedadesCartulo::fichasTotal},
    {"Memoria usada:", "txtTamañoTotal", &PropiedadesCartulo::tamanoTotal},
};

// The heading, and a separator line from its end to the window's edge.
QLayout* encabezado(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(line, 1);
    return row;
}

template <std::size_t N>
QGridLayout* grupo(const Fila (&rows)[N], QWidget* parent) {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(16, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    for (std::size_t i = 0; i < N; ++i) {
        const int row = static_cast<int>(i);
        grid->addWidget(new QLabel(QString::fromUtf8(rows[i].label), parent), row, 0);
        // Read-only text, selectable, drawn on the window's own colour.
        auto* field = new QLineEdit(parent);
        field->setObjectName(QString::fromUtf8(rows[i].field));
        field->setReadOnly(true);
        field->setFrame(false);
        field->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
        field->setMinimumWidth(260);
        grid->addWidget(field, row, 1);
    }
    return grid;
}

}  // namespace

frmInfo::frmInfo(const cCartulos& registry, double scale, QWidget* owner)
    : QDialog(owner), registry_(registry) {
    setModal(true);
    setWindowTitle(QStringLiteral("Propiedades"));

    cmdCerrar_ = new QPushButton(QStringLiteral("&Cerrar"), this);
    cmdCerrar_->setObjectName(QStringLiteral("cmdCerrar"));
    cmdCerrar_->setDefault(true);
    connect(cmdCerrar_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCerrar_);
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addLayout(encabezado(QStringLiteral("Este cartulo"), this));
    root->addLayout(grupo(kEsteCartulo, this));
    root->addSpacing(8);
    root->addLayout(encabezado(QStringLiteral("Todos los cartulos"), this));
    root->addLayout(grupo(kTodos, this));
    root->addSpacing(8);
    root->addLayout(buttons);

    support::EscalarVentana(*this, scale);
}

void frmInfo::Cargar(cCartulo& file) {
    const PropiedadesCartulo shown = LeerPropiedades(file, registry_);
    setWindowTitle(shown.titulo);
    const auto fill = [this, &shown](const auto& rows) {
        for (const Fila& row : rows) {
            QLineEdit* field = Campo(QString::fromUtf8(row.field));
            field->setText(shown.*row.value);
            field->setCursorPosition(0);  // a long path shows its beginning
        }
    };
    fill(kEsteCartulo);
    fill(kTodos);
}

void frmInfo::Mostrar(std::shared_ptr<cCartulo> file) {
    if (!file) return;
    file_ = std::move(file);
    Cargar(*file_);
    exec();
    file_.reset();
}

QLineEdit* frmInfo::Campo(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

}  // namespace cartulo::windows
