#include "windows/frm_busqueda.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

#include "engine/query.h"
#include "platform/text_codec.h"
#include "support/display_scale.h"
#include "windows/card_text_rules.h"
#include "windows/key_rules.h"
#include "windows/line_edit_ops.h"
#include "windows/shown_title.h"
#include "windows/win1252_validator.h"

namespace cartulo::windows {

namespace {

constexpr double kTwipsPerPixel = 15.0;
const QString kSinTexto = QStringLiteral("(introduzca el texto a buscar)");
const QString kSinFichas = QStringLiteral("(no se encontró ninguna ficha)");

// The query in the file's code page. A character the code page lacks (a
// fixed query may come from the command channel) marks its term as never
// found, rather than being dropped and changing the query.
MarkedQuery consultaMarcada(const QString& query) {
    MarkedQuery marked;
    for (qsizetype i = 0; i < query.size();) {
        const qsizetype length = query.at(i).isHighSurrogate() && i + 1 < query.size() ? 2 : 1;
        const platform::FromQString part = platform::fromQString(query.mid(i, length), 'x');
        if (!part.unstorable.empty()) marked.unmatchable.push_back(marked.text.size());
        marked.text += part.text;
        i += length;
    }
    return marked;
}

// The text after the first ": ", or all of it.
QString palabraDe(const QString& text) {
    const qsizetype colon = text.indexOf(QStringLiteral(": "));
    return colon >= 0 ? text.mid(colon + 2) : text;
}

}  // namespace

frmBusqueda::frmBusqueda(MainServices& services, platform::TickSource clock, QWidget* parent)
    : QWidget(parent),
      services_(services),
      clock_(std::move(clock)),
      scale_(services.EscalaPantalla()) {
    picPanel_ = new QWidget(this);
    cmdMas_ = new QPushButton(QStringLiteral("+"), picPanel_);
    cmdMenos_ = new QPushButton(QStringLiteral("-"), picPanel_);
    for (QPushButton* button : {cmdMas_, cmdMenos_}) button->setFocusPolicy(Qt::NoFocus);
    connect(cmdMas_, &QPushButton::clicked, this, [this] { AnadirTermino(); });
    connect(cmdMenos_, &QPushButton::clicked, this, [this] { QuitarTermino(); });

    lstFichas_ = new QListWidget(this);
    lstFichas_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFichas_->setUniformItemSizes(true);
    lstFichas_->installEventFilter(this);
    connect(lstFichas_, &QListWidget::itemDoubleClicked, this, [this] { Abrir(); });

    tmrBuscar_.setInterval(kIntervaloMs);
    connect(&tmrBuscar_, &QTimer::timeout, this, [this] { tmrBuscar_Timer(); });

    NuevaCaja();
    Botones();
    resize(qRound(kAnchoTwips / kTwipsPerPixel), qRound(kAltoTwips / kTwipsPerPixel));
    support::EscalarVentana(*this, scale_);
    loadSize_ = size();
    Distribuir();
}

frmBusqueda::~frmBusqueda() = default;

QWidget* frmBusqueda::Exterior() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

void frmBusqueda::SetCartulo(std::shared_ptr<cCartulo> file) {
    subscription_.reset();
    ctu_ = std::move(file);
    if (ctu_) subscription_ = ctu_->Subscribe(*this);
    ActualizarTitulo();
    Actualizar();
}

void frmBusqueda::ActualizarTitulo() {
    const QString title = ctu_ ? ShownTitle(ctu_->GetFileTitle()) : QString();
    setWindowTitle(QStringLiteral("Buscar en ") + title);
}

// --- the query and the results ---

QString frmBusqueda::Consulta() const {
    if (!consultaFija_.isEmpty()) return consultaFija_;
    QStringList terms;
    for (const QLineEdit* box : txtTexto_) terms << box->text();
    return terms.join(u',');
}

QString frmBusqueda::PalabraBuscada() const {
    return palabraDe(consultaFija_.isEmpty() ? txtTexto_.front()->text() : consultaFija_);
}

void frmBusqueda::Marcador(const QString& text) {
    lstFichas_->addItem(text);
    lstFichas_->item(0)->setData(Qt::UserRole, QVariant::fromValue<qint32>(kNoCard));
    // A disabled list cannot keep the focus: the user goes on typing.
    const bool hadFocus = lstFichas_->hasFocus();
    lstFichas_->setEnabled(false);
    if (hadFocus) UltimaCaja()->setFocus();
}

void frmBusqueda::Actualizar() {
    tmrBuscar_.stop();
    lstFichas_->clear();
    if (consultaFija_.isEmpty() && txtTexto_.front()->text().isEmpty()) {
        Marcador(kSinTexto);
        return;
    }
    if (ctu_) {
        const MarkedQuery query = consultaMarcada(Consulta());
        for (CardId c = ctu_->FindFirst(query); c != kNoCard; c = ctu_->FindNext(c)) {
            auto* item = new QListWidgetItem(Entrada(c));
            item->setData(Qt::UserRole, QVariant::fromValue<qint32>(c));
            lstFichas_->addItem(item);
        }
    }
    if (lstFichas_->count() == 0) {
        Marcador(kSinFichas);
        return;
    }
    lstFichas_->setEnabled(true);
    lstFichas_->setCurrentRow(0);
}

QString frmBusqueda::Entrada(CardId card) const {
    // The main card has no entry: named as the index names it, not a blank row.
    const std::string entry = ctu_->GetNtry(card);
    return platform::toQString(entry.empty() && card == ctu_->GetMain() ? kMainCardName : entry);
}

void frmBusqueda::Buscar(const QString& query) {
    consultaFija_ = query;
    picPanel_->setVisible(query.isEmpty());
    Distribuir();
    Actualizar();
}

CardId frmBusqueda::FichaEn(int row) const {
    const QListWidgetItem* item = lstFichas_->item(row);
    return item != nullptr ? item->data(Qt::UserRole).value<qint32>() : kNoCard;
}

void frmBusqueda::Abrir() {
    if (!ctu_ || !lstFichas_->isEnabled()) return;
    const CardId card = FichaEn(lstFichas_->currentRow());
    if (card == kNoCard) return;
    // The word first: showing the card may run events that change the boxes.
    const QString word = PalabraBuscada();
    ChildWindow* window = services_.MuestraFicha(ctu_, card);
    // An empty word would open the card window's find bar instead.
    if (window != nullptr && !word.isEmpty())
        window->Comando(QStringLiteral("BuscarTexto"), Argumentos(word));
}

// --- refreshing while typing ---

void frmBusqueda::txtTexto_Change() {
    ultimoCambio_ = clock_();
    tmrBuscar_.start();
}

void frmBusqueda::tmrBuscar_Timer() {
    if (platform::TicksSince(ultimoCambio_, clock_()) < kEsperaMs) return;
    Actualizar();
}

// --- term boxes ---

QLineEdit* frmBusqueda::NuevaCaja() {
    auto* box = new QLineEdit(picPanel_);
    box->setValidator(new Win1252Validator(
        [this](const QString& leftOut) {
            QApplication::beep();
            services_.MensajeEstado(AvisoCaracterRechazado(leftOut));
        },
        box));
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { txtTexto_Change(); });
    txtTexto_.push_back(box);
    box->show();
    setFocusProxy(box);
    return box;
}

void frmBusqueda::Botones() {
    cmdMas_->setEnabled(Terminos() < kMaxTerminos);
    cmdMenos_->setEnabled(Terminos() > 1);
}

bool frmBusqueda::AnadirTermino() {
    if (Terminos() >= kMaxTerminos) return false;
    QLineEdit* box = NuevaCaja();
    Botones();
    Distribuir();
    box->setFocus();
    return true;
}

bool frmBusqueda::QuitarTermino() {
    if (Terminos() <= 1) return false;
    QLineEdit* last = UltimaCaja();
    txtTexto_.pop_back();
    setFocusProxy(UltimaCaja());
    // Cut off now, so no event reaches a box the window forgot; deleted
    // later, as the key that removes it may still be in its handler.
    last->removeEventFilter(this);
    last->disconnect(this);
    UltimaCaja()->setFocus();
    last->hide();
    last->deleteLater();
    Botones();
    Distribuir();
    Actualizar();
    return true;
}

QLineEdit* frmBusqueda::CajaActiva() const {
    QWidget* focus = focusWidget();
    const auto found = std::find(txtTexto_.begin(), txtTexto_.end(), focus);
    return found != txtTexto_.end() ? *found : nullptr;
}

bool frmBusqueda::TeclaEnCaja(QLineEdit& box, const QKeyEvent& key) {
    const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
    const bool keypad = key.modifiers().testFlag(Qt::KeypadModifier);
    const auto at =
        static_cast<int>(std::find(txtTexto_.begin(), txtTexto_.end(), &box) - txtTexto_.begin());
    switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down: {
            if (ctrl) {
                const int next = at + (key.key() == Qt::Key_Up ? -1 : 1);
                if (next >= 0 && next < Terminos()) txtTexto(next)->setFocus();
            } else if (lstFichas_->isEnabled()) {
                const int row = lstFichas_->currentRow() + (key.key() == Qt::Key_Up ? -1 : 1);
                if (row >= 0 && row < lstFichas_->count()) lstFichas_->setCurrentRow(row);
            }
            return true;
        }
        case Qt::Key_Plus:
            if (!ctrl || !keypad) return false;
            if (cmdMas_->isEnabled()) AnadirTermino();
            return true;
        case Qt::Key_Minus:
            if (!ctrl || !keypad) return false;
            if (cmdMenos_->isEnabled()) QuitarTermino();
            return true;
        case Qt::Key_Escape:
            while (Terminos() > 1) QuitarTermino();
            txtTexto_.front()->clear();
            Actualizar();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Abrir();
            return true;
        default:
            // With Ctrl no key types its character.
            return CancelaKeyPress(key.key(), key.modifiers()) && TeclaDeCaracter(key.key());
    }
}

bool frmBusqueda::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstFichas_) {
        if (event->type() == QEvent::FocusIn && !lstFichas_->isEnabled()) {
            UltimaCaja()->setFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent&>(*event).key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Abrir();
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    const auto box = std::find(txtTexto_.begin(), txtTexto_.end(), watched);
    if (box != txtTexto_.end()) {
        if (event->type() == QEvent::KeyPress)
            return TeclaEnCaja(**box, static_cast<const QKeyEvent&>(*event));
        if (event->type() == QEvent::FocusIn) {
            // After the box's own handling, which may place the caret.
            QMetaObject::invokeMethod(*box, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- card-file events ---

void frmBusqueda::Ctu_CloseCard(CardId card) {
    if (!lstFichas_->isEnabled()) return;
    for (int row = 0; row < lstFichas_->count(); ++row) {
        if (FichaEn(row) != card) continue;
        delete lstFichas_->takeItem(row);
        // The last result gone: say so, as a search finding nothing does.
        if (lstFichas_->count() == 0) Marcador(kSinFichas);
        return;
    }
}

void frmBusqueda::onUpdateCardNtry(CardId card) {
    if (!ctu_ || !lstFichas_->isEnabled()) return;
    for (int row = 0; row < lstFichas_->count(); ++row) {
        if (FichaEn(row) == card) lstFichas_->item(row)->setText(Entrada(card));
    }
}

// --- placing and layout ---

void frmBusqueda::Colocar() {
    QWidget* outer = Exterior();
    const QSize area = services_.AreaCliente();
    outer->move(std::max((area.width() - outer->width()) / 2, 0),
                std::max((area.height() - outer->height()) / 2, 0));
}

void frmBusqueda::Distribuir() {
    const int boxHeight = txtTexto_.front()->sizeHint().height();
    const int button = boxHeight;
    const int boxWidth = std::max(width() - 2 * button, 0);
    for (int i = 0; i < Terminos(); ++i)
        txtTexto(i)->setGeometry(0, i * boxHeight, boxWidth, boxHeight);
    cmdMas_->setGeometry(boxWidth, 0, button, boxHeight);
    cmdMenos_->setGeometry(boxWidth + button, 0, button, boxHeight);
    const int panel = consultaFija_.isEmpty() ? Terminos() * boxHeight : 0;
    picPanel_->setGeometry(0, 0, width(), panel);
    lstFichas_->setGeometry(0, panel, width(), std::max(height() - panel, 0));
}

void frmBusqueda::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Distribuir();
}

void frmBusqueda::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Colocar();
    }
}

// --- activation and closing ---

void frmBusqueda::CrearBotones() {
    services_.BarraLimpiar();
    if (consultaFija_.isEmpty()) UltimaCaja()->setFocus();
}

void frmBusqueda::CerrarVentana() {
    if (closed_) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void frmBusqueda::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    tmrBuscar_.stop();
    subscription_.reset();
    services_.VentanaCerrada(*this);
}

QVariant frmBusqueda::Comando(const QString& word, const Argumentos& args) {
    const QString w = word.toLower();
    QLineEdit* field = CajaActiva();
    if (w == u"cerrar") {
        CerrarVentana();
    } else if (w == u"colocar") {
        Colocar();
    } else if (w == u"multiline" || w == u"permitebusqueda") {
        return false;
    } else if (w == u"permiteedicion") {
        return field != nullptr;
    } else if (w == u"seleccion") {
        return field != nullptr ? field->selectedText() : QString();
    } else if (w == u"copiar") {
        if (field != nullptr) CopiarAlPortapapeles(field->selectedText());
    } else if (w == u"cortar") {
        if (field != nullptr && field->hasSelectedText()) {
            CopiarAlPortapapeles(field->selectedText());
            EliminarSeleccion(*field);
        }
    } else if (w == u"deshacer") {
        if (field != nullptr) field->undo();
    } else if (w == u"eliminar") {
        if (field != nullptr) EliminarSeleccion(*field);
    } else if (w == u"insertar") {
        if (field != nullptr && args.HasArgument()) InsertarEnLinea(*field, args.Text());
    } else if (w == u"pegar") {
        if (field == nullptr) return {};
        if (const std::optional<QString> text = TextoDelPortapapeles())
            InsertarEnLinea(*field, *text);
    } else if (w == u"seleccionartodo") {
        if (field != nullptr) field->selectAll();
    } else {
        ComandoNoReconocido(services_, QStringLiteral("frmBusqueda"), windowTitle(), word);
    }
    return {};
}

}  // namespace cartulo::windows
