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
void encabezado(QGridLayout& grid, int& row, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, row > 0 ? 8 : 0, 0, 0);
    heading->addWidget(label);
    heading->addWidget(line, 1);
    grid.addLayout(heading, row++, 0, 1, 2);
}

// One grid for both groups, so their fields line up.
template <std::size_t N>
void grupo(QGridLayout& grid, int& row, const Fila (&rows)[N], QWidget* parent) {
    for (const Fila& fila : rows) {
        auto* label = new QLabel(QString::fromUtf8(fila.label), parent);
        label->setContentsMargins(16, 0, 0, 0);
        grid.addWidget(label, row, 0);
        // Read-only text, selectable, drawn on the window's own colour.
        auto* field = new QLineEdit(parent);
        field->setObjectName(QString::fromUtf8(fila.field));
        field->setReadOnly(true);
        field->setFrame(false);
        field->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
        field->setMinimumWidth(260);
        grid.addWidget(field, row++, 1);
    }
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
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    encabezado(*grid, row, QStringLiteral("Este cartulo"), this);
    grupo(*grid, row, kEsteCartulo, this);
    encabezado(*grid, row, QStringLiteral("Todos los cartulos"), this);
    grupo(*grid, row, kTodos, this);
    root->addLayout(grid);
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
