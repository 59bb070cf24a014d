#include "windows/frm_indice.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/text_codec.h"
#include "support/display_scale.h"
#include "windows/index_model.h"
#include "windows/index_search.h"
#include "windows/key_rules.h"
#include "windows/line_edit_ops.h"
#include "windows/shown_title.h"

namespace cartulo::windows {

namespace {

constexpr double kTwipsPerPixel = 15.0;

}  // namespace

frmIndice::frmIndice(MainServices& services, QWidget* parent)
    : QWidget(parent), services_(services), scale_(services.EscalaPantalla()) {
    model_ = new IndexModel(this);

    txtIndice_ = new QLineEdit(this);
    txtIndice_->installEventFilter(this);
    connect(txtIndice_, &QLineEdit::textChanged, this, [this] { txtIndice_Change(); });

    lstIndice_ = new QListView(this);
    lstIndice_->setModel(model_);
    // Every row is one line of text: the view need not measure 5000 of them.
    lstIndice_->setUniformItemSizes(true);
    lstIndice_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstIndice_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The search field keeps the focus; the list is worked from it.
    lstIndice_->setFocusPolicy(Qt::NoFocus);
    connect(lstIndice_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { lstIndice_Click(); });
    // A click on the item already selected copies it into the field too.
    connect(lstIndice_, &QListView::clicked, this, [this] { lstIndice_Click(); });
    connect(lstIndice_, &QListView::doubleClicked, this, [this] { Abrir(); });

    setFocusProxy(txtIndice_);
    resize(qRound(kAnchoTwips / kTwipsPerPixel), qRound(kAltoTwips / kTwipsPerPixel));
    support::EscalarVentana(*this, scale_);
    loadSize_ = size();
    Distribuir();
}

frmIndice::~frmIndice() = default;

int frmIndice::Px(int twips) const {
    return qRound(twips * scale_ / kTwipsPerPixel);
}

QWidget* frmIndice::Exterior() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

void frmIndice::SetCartulo(std::shared_ptr<cCartulo> file) {
    subscription_.reset();
    ctu_ = std::move(file);
    if (ctu_) subscription_ = ctu_->Subscribe(*this);
    Actualizar();
}

void frmIndice::Actualizar() {
    ActualizarTitulo();
    updating_ = true;
    if (ctu_) {
        model_->Llenar(*ctu_);
    } else {
        model_->Vaciar();
    }
    if (model_->Filas() > 0) MarcarFila(0, false);
    updating_ = false;
    Distribuir();
}

void frmIndice::ActualizarTitulo() {
    const QString title = ctu_ ? ShownTitle(ctu_->GetFileTitle()) : QString();
    setWindowTitle(QStringLiteral("Índice de ") + title);
}

int frmIndice::Seleccionado() const {
    const QModelIndex current = lstIndice_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void frmIndice::MarcarFila(int row, bool toTop) {
    if (row < 0 || row >= model_->Filas()) return;
    const QModelIndex index = model_->index(row, 0);
    lstIndice_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    const auto hint = toTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible;
    // Scrolling lays out every row; a hidden list does that once, when shown.
    if (lstIndice_->isVisible()) {
        pendingScroll_.reset();
        lstIndice_->scrollTo(index, hint);
    } else {
        pendingScroll_ = hint;
    }
}

void frmIndice::Seleccionar(int row) {
    if (row == Seleccionado()) return;
    MarcarFila(row, false);
}

// --- the search field and the list ---

void frmIndice::txtIndice_Change() {
    if (clicking_) return;
    typing_ = true;
    const QString text = txtIndice_->text();
    if (text.isEmpty()) {
        MarcarFila(0, false);
    } else {
        const ClaveIndice typed = ClaveOrden(text);
        const int best = BusquedaIncremental(
            model_->Filas(), [this](int row) { return model_->ClaveEn(row); }, typed);
        if (best >= 0) MarcarFila(best, true);
    }
    typing_ = false;
}

void frmIndice::lstIndice_Click() {
    if (typing_ || updating_) return;
    const int row = Seleccionado();
    if (row < 0) return;
    clicking_ = true;
    txtIndice_->setText(model_->EsPrincipal(row) ? QString() : model_->TextoEn(row));
    txtIndice_->selectAll();
    clicking_ = false;
}

void frmIndice::Abrir() {
    const int row = Seleccionado();
    if (row < 0 || !ctu_) return;
    services_.MuestraFicha(ctu_, model_->FichaEn(row));
}

bool frmIndice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtIndice_ && event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            Abrir();
            return true;
        }
        if (key.key() == Qt::Key_Escape) {
            txtIndice_->clear();
            return true;
        }
        if (const std::optional<int> row = FilaPorTecla(key.key(), key.modifiers(), Seleccionado(),
                                                        model_->Filas(), TamanoPagina())) {
            Seleccionar(*row);
            return true;
        }
        // With Ctrl no key types its character.
        if (CancelaKeyPress(key.key(), key.modifiers()) && TeclaDeCaracter(key.key())) return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- card-file events ---

void frmIndice::Ctu_CloseCard(CardId card) {
    const int row = model_->FilaDe(card);
    if (row < 0) return;
    const bool wasSelected = row == Seleccionado();
    updating_ = true;
    model_->Quitar(card);
    if (wasSelected) lstIndice_->selectionModel()->clear();
    updating_ = false;
}

void frmIndice::Ctu_NewCard(CardId card) {
    if (!ctu_ || model_->FilaDe(card) >= 0) return;
    updating_ = true;
    model_->Anadir(card, ctu_->GetNtry(card), card == ctu_->GetMain());
    updating_ = false;
}

void frmIndice::Ctu_UpdateCardNtry(CardId card) {
    const int row = model_->FilaDe(card);
    if (row < 0 || !ctu_) return;
    const bool wasSelected = row == Seleccionado();
    updating_ = true;
    model_->Quitar(card);
    const int now = model_->Anadir(card, ctu_->GetNtry(card), card == ctu_->GetMain());
    if (wasSelected) lstIndice_->selectionModel()->clear();
    updating_ = false;
    if (wasSelected) Seleccionar(now);
}

void frmIndice::Ctu_CloseFile() {
    CerrarVentana();
}

// --- placing and layout ---

void frmIndice::Colocar() {
    QWidget* outer = Exterior();
    outer->move(std::max(services_.BordeAcoplado() - outer->width(), 0), 0);
    colocadaEn_ = outer->pos();
}

void frmIndice::Reacoplar() {
    if (colocadaEn_ && Exterior()->pos() == *colocadaEn_) Colocar();
}

void frmIndice::Distribuir() {
    const int fieldHeight = txtIndice_->sizeHint().height();
    txtIndice_->setGeometry(0, 0, width(), fieldHeight);
    lstIndice_->setGeometry(0, fieldHeight, width(), std::max(height() - fieldHeight, 0));
}

int frmIndice::TamanoPagina() const {
    const int line =
        model_->Filas() > 0 ? lstIndice_->sizeHintForRow(0) : lstIndice_->fontMetrics().height();
    return std::max(lstIndice_->viewport()->height() / std::max(line, 1), 1);
}

void frmIndice::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Distribuir();
}

void frmIndice::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QModelIndex current = lstIndice_->selectionModel()->currentIndex();
    if (pendingScroll_ && current.isValid()) lstIndice_->scrollTo(current, *pendingScroll_);
    pendingScroll_.reset();
    if (!placed_) {
        placed_ = true;
        Colocar();
    }
}

// --- activation and closing ---

void frmIndice::CrearBotones() {
    services_.BarraLimpiar();
}

void frmIndice::CerrarVentana() {
    if (closed_) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void frmIndice::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    subscription_.reset();
    services_.VentanaCerrada(*this);
}

QVariant frmIndice::Comando(const QString& word, const Argumentos& args) {
    const QString w = word.toLower();
    QLineEdit& field = *txtIndice_;
    if (w == u"cerrar") {
        CerrarVentana();
    } else if (w == u"colocar") {
        Colocar();
    } else if (w == u"copiar") {
        CopiarAlPortapapeles(field.selectedText());
    } else if (w == u"cortar") {
        if (field.hasSelectedText()) {
            CopiarAlPortapapeles(field.selectedText());
            EliminarSeleccion(field);
        }
    } else if (w == u"deshacer") {
        field.undo();
    } else if (w == u"eliminar") {
        EliminarSeleccion(field);
    } else if (w == u"insertar") {
        if (args.HasArgument()) InsertarEnLinea(field, args.Text());
    } else if (w == u"pegar") {
        if (const std::optional<QString> text = TextoDelPortapapeles())
            InsertarEnLinea(field, *text);
    } else if (w == u"seleccion") {
        return field.selectedText();
    } else if (w == u"seleccionartodo") {
        field.selectAll();
    } else if (w == u"multiline" || w == u"permitebusqueda") {
        return false;
    } else if (w == u"permiteedicion") {
        return true;
    } else {
        ComandoNoReconocido(services_, QStringLiteral("frmIndice"), windowTitle(), word);
    }
    return {};
}

}  // namespace cartulo::windows
