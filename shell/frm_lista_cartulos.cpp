#include "shell/frm_lista_cartulos.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/text_codec.h"
#include "support/display_scale.h"
#include "windows/shown_title.h"

namespace cartulo::shell {

namespace {

constexpr double kTwipsPerPixel = 15.0;

std::optional<std::int32_t> idOf(const QListWidgetItem* item) {
    if (item == nullptr) return std::nullopt;
    const QVariant data = item->data(Qt::UserRole);
    if (!data.isValid()) return std::nullopt;  // the empty text
    return data.toInt();
}

}  // namespace

frmListaCartulos::frmListaCartulos(windows::MainServices& services, cCartulos& registry,
                                   QWidget* parent)
    : QWidget(parent), services_(services), registry_(registry) {
    setWindowTitle(QStringLiteral("Lista de cartulos"));
    lstCartulos_ = new QListWidget(this);
    lstCartulos_->setObjectName(QStringLiteral("lstCartulos"));
    lstCartulos_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstCartulos_->installEventFilter(this);
    connect(lstCartulos_, &QListWidget::itemDoubleClicked, this, [this] { Abrir(); });
    setFocusProxy(lstCartulos_);

    resize(qRound(kAnchoTwips / kTwipsPerPixel), qRound(kAltoTwips / kTwipsPerPixel));
    support::EscalarVentana(*this, services_.EscalaPantalla());
    loadSize_ = size();
    subscription_ = registry_.Subscribe(*this);
    Actualizar();
}

frmListaCartulos::~frmListaCartulos() = default;

QWidget* frmListaCartulos::Exterior() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

// --- the list ---

QListWidgetItem* frmListaCartulos::ItemDe(std::int32_t id) const {
    for (int row = 0; row < lstCartulos_->count(); ++row) {
        if (idOf(lstCartulos_->item(row)) == id) return lstCartulos_->item(row);
    }
    return nullptr;
}

std::optional<std::int32_t> frmListaCartulos::Seleccionado() const {
    QListWidgetItem* current = lstCartulos_->currentItem();
    if (current == nullptr || !current->isSelected()) return std::nullopt;
    return idOf(current);
}

void frmListaCartulos::Seleccionar(std::int32_t id) {
    if (QListWidgetItem* item = ItemDe(id)) lstCartulos_->setCurrentItem(item);
}

std::shared_ptr<cCartulo> frmListaCartulos::Cartulo() const {
    const std::optional<std::int32_t> id = Seleccionado();
    return id ? registry_.List(registry_.FindID(*id)) : nullptr;
}

void frmListaCartulos::AnadirItem(std::int32_t index) {
    const std::shared_ptr<cCartulo> file = registry_.List(index);
    if (!file) return;
    auto* item = new QListWidgetItem(windows::ShownTitle(file->GetFileTitle()), lstCartulos_);
    item->setData(Qt::UserRole, registry_.ID(index));
}

void frmListaCartulos::MostrarVacia() {
    lstCartulos_->clear();
    lstCartulos_->addItem(QStringLiteral("(no hay cartulos abiertos)"));
    lstCartulos_->setEnabled(false);
}

void frmListaCartulos::Actualizar() {
    const std::optional<std::int32_t> selected = Seleccionado();
    lstCartulos_->clear();
    for (std::int32_t index = 0; index < registry_.ListCount(); ++index) AnadirItem(index);
    if (lstCartulos_->count() == 0) {
        MostrarVacia();
        return;
    }
    lstCartulos_->setEnabled(true);
    // The file opened last, unless one was selected before.
    Seleccionar(selected.value_or(registry_.ID(registry_.ListCount() - 1)));
}

// --- registry events ---

void frmListaCartulos::Ctus_Add(std::int32_t index) {
    // Its own flag: a disabled parent must not clear real items.
    if (!lstCartulos_->isEnabledTo(this)) {
        lstCartulos_->clear();
        lstCartulos_->setEnabled(true);
    }
    if (ItemDe(registry_.ID(index)) != nullptr) return;
    AnadirItem(index);
    Seleccionar(registry_.ID(index));
}

void frmListaCartulos::Ctus_Remove(std::int32_t index) {
    // The file is still registered while its removal is told.
    delete ItemDe(registry_.ID(index));
    if (lstCartulos_->count() == 0) MostrarVacia();
}

void frmListaCartulos::Ctus_Rename(std::int32_t index) {
    // Only the text changes: the item keeps its place and its selection.
    const std::shared_ptr<cCartulo> file = registry_.List(index);
    QListWidgetItem* item = ItemDe(registry_.ID(index));
    if (file && item != nullptr) item->setText(windows::ShownTitle(file->GetFileTitle()));
}

void frmListaCartulos::Abrir() {
    if (const std::shared_ptr<cCartulo> file = Cartulo()) services_.MuestraIndice(file);
}

bool frmListaCartulos::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstCartulos_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent&>(*event).key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Abrir();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- placing ---

void frmListaCartulos::Colocar() {
    QWidget* outer = Exterior();
    outer->move(std::max(services_.BordeAcoplado() - outer->width(), 0),
                std::max(services_.AreaCliente().height() - outer->height(), 0));
    colocadaEn_ = outer->pos();
}

void frmListaCartulos::Reacoplar() {
    if (colocadaEn_ && Exterior()->pos() == *colocadaEn_) Colocar();
}

void frmListaCartulos::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lstCartulos_->setGeometry(rect());
}

void frmListaCartulos::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Colocar();
    }
}

// --- activation, commands and closing ---

void frmListaCartulos::CrearBotones() {
    services_.BarraLimpiar();
}

void frmListaCartulos::CerrarVentana() {
    if (closed_) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void frmListaCartulos::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    subscription_.reset();
    services_.VentanaCerrada(*this);
}

QVariant frmListaCartulos::Comando(const QString& word, const windows::Argumentos& /*args*/) {
    const QString w = word.toLower();
    if (w == u"cerrar") {
        CerrarVentana();
    } else if (w == u"colocar") {
        Colocar();
    } else if (w == u"permitebusqueda" || w == u"permiteedicion") {
        return false;
    } else {
        windows::ComandoNoReconocido(services_, QStringLiteral("frmListaCartulos"), windowTitle(),
                                     word);
    }
    return {};
}

}  // namespace cartulo::shell
