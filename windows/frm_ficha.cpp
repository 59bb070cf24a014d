#include "windows/frm_ficha.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "engine/cartulos.h"
#include "platform/text_codec.h"
#include "support/display_scale.h"
#include "support/user_dialogs.h"
#include "windows/backlinks_strip.h"
#include "windows/card_text_edit.h"
#include "windows/card_text_rules.h"
#include "windows/key_rules.h"
#include "windows/line_edit_ops.h"
#include "windows/line_ends.h"
#include "windows/link_completer.h"
#include "windows/markup_highlighter.h"
#include "windows/shown_title.h"
#include "windows/spell_marker.h"
#include "windows/text_edit.h"
#include "windows/text_search.h"
#include "windows/win1252_validator.h"

namespace cartulo::windows {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// Gaps under the text editor, in pixels: above the window's bottom edge, and
// above the search bar when it is shown.
constexpr int kMarginBelowText = 5;
constexpr int kMarginAboveSearchBar = 3;
constexpr int kEntryIndentTwips = 60;

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The editing words that change the active field's text.
bool escribe(const QString& word) {
    for (const char16_t* writing : {u"cortar", u"cortarlinea", u"deshacer", u"desidentar",
                                    u"eliminar", u"identar", u"insertar", u"pegar"}) {
        if (word == writing) return true;
    }
    return false;
}

QString leftOutOf(const std::vector<char32_t>& unstorable) {
    QString out;
    for (char32_t c : unstorable) {
        const QString one = QString::fromUcs4(&c, 1);
        if (!out.contains(one)) out += one;
    }
    return out;
}

}  // namespace

frmFicha::frmFicha(MainServices& services, platform::TickSource clock, QWidget* parent)
    : QWidget(parent),
      services_(services),
      clock_(std::move(clock)),
      scale_(services.EscalaPantalla()) {
    setMouseTracking(true);

    lblNtry_ = new QLabel(this);
    lblNtry_->setTextFormat(Qt::PlainText);
    lblNtry_->setMouseTracking(true);
    lblNtry_->installEventFilter(this);
    QFont bold = lblNtry_->font();
    bold.setBold(true);
    lblNtry_->setFont(bold);

    txtNtry_ = new QLineEdit(this);
    txtNtry_->setMaxLength(static_cast<int>(kMaxEntryLength));
    txtNtry_->setValidator(new Win1252Validator(
        [this](const QString& leftOut) { Avisar(AvisoCaracterRechazado(leftOut)); }, txtNtry_));
    txtNtry_->hide();
    txtNtry_->installEventFilter(this);

    txtTxt_ = new CardTextEdit(this);
    txtTxt_->SetFiltroInsercion(
        [this](const QString& text, bool pasted) { return PrepararInsercion(text, pasted); });
    txtTxt_->SetDobleClic([this](int position) { Hipertexto(position); });
    txtTxt_->SetEnterSoltado([this] { txtTxt_EnterSoltado(); });
    txtTxt_->installEventFilter(this);
    connect(txtTxt_, &QPlainTextEdit::textChanged, this, [this] { txtTxt_Change(); });
    spell_ = new SpellMarker(*txtTxt_, services_.Ortografia(), services_.Dialogos(), this);
    resaltado_ = new MarkupHighlighter(*txtTxt_);
    resaltado_->SetActivo(services_.ColorearMarcas());
    completado_ = new LinkCompleter(*txtTxt_);
    txtTxt_->SetCtrlClic([this](int position) {
        const auto link = resaltado_->EnlaceEn(position);
        if (!link || !ctu_) return false;
        const CardId card = ctu_->SrchNtry(link->detail);
        if (card > kNoCard) services_.MuestraFicha(ctu_, card);
        return true;
    });

    picBuscar_ = new QWidget(this);
    auto* bar = new QHBoxLayout(picBuscar_);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(new QLabel(QStringLiteral("Buscar:"), picBuscar_));
    txtBuscar_ = new QLineEdit(picBuscar_);
    txtBuscar_->installEventFilter(this);
    bar->addWidget(txtBuscar_, 1);
    cmdBuscarSiguiente_ = new QPushButton(QStringLiteral("Siguiente"), picBuscar_);
    cmdBuscarAnterior_ = new QPushButton(QStringLiteral("Anterior"), picBuscar_);
    cmdBuscarCerrar_ = new QPushButton(QStringLiteral("Cerrar"), picBuscar_);
    for (QPushButton* button : {cmdBuscarSiguiente_, cmdBuscarAnterior_, cmdBuscarCerrar_}) {
        // The search field keeps the focus, so Enter and Escape still reach it.
        button->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(button);
    }
    cmdBuscarSiguiente_->setDefault(true);
    picBuscar_->hide();
    connect(txtBuscar_, &QLineEdit::textChanged, this, [this] { searchRestart_ = true; });
    connect(cmdBuscarSiguiente_, &QPushButton::clicked, this,
            [this] { cmdBuscarSiguiente_Click(); });
    connect(cmdBuscarAnterior_, &QPushButton::clicked, this, [this] { cmdBuscarAnterior_Click(); });
    connect(cmdBuscarCerrar_, &QPushButton::clicked, this, [this] { FinalizarBusqueda(); });

    cmdCerrar_ = new QToolButton(this);
    cmdCerrar_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    cmdCerrar_->setAutoRaise(true);
    cmdCerrar_->setFocusPolicy(Qt::NoFocus);
    cmdCerrar_->setToolTip(QStringLiteral("Cerrar"));
    cmdCerrar_->hide();
    connect(cmdCerrar_, &QToolButton::clicked, this, [this] { Comando(QStringLiteral("cerrar")); });

    tmrCerrar_ = new QTimer(this);
    tmrCerrar_->setInterval(kIntervaloCerrarMs);
    connect(tmrCerrar_, &QTimer::timeout, this, [this] { tmrCerrar_Timer(); });

    // Focus given to the window goes to its text.
    setFocusProxy(txtTxt_);
    resize(qRound(kAnchoTwips / kTwipsPerPixel), qRound(kAltoTwips / kTwipsPerPixel));
    support::EscalarVentana(*this, scale_);
    loadSize_ = size();
    Distribuir();
}

frmFicha::~frmFicha() {
    // The strip's link table must not outlive the file this window holds.
    if (picEnlaces_ != nullptr) picEnlaces_->Soltar();
    // The marker watches the editor: it goes before the editor does.
    delete std::exchange(spell_, nullptr);
}

int frmFicha::Px(int twips) const {
    return qRound(twips * scale_ / kTwipsPerPixel);
}

QWidget* frmFicha::Exterior() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

// --- binding and refreshing ---

void frmFicha::Mostrar(std::shared_ptr<cCartulo> file, CardId id) {
    subscription_.reset();
    // The strip lists the links to the card it was built for.
    delete std::exchange(picEnlaces_, nullptr);
    ctu_ = std::move(file);
    id_ = id;
    if (!ctu_) return;
    isMain_ = id_ == ctu_->GetMain();
    subscription_ = ctu_->Subscribe(*this);
    spell_->Vincular(ctu_);
    resaltado_->SetCartulo(ctu_);
    completado_->SetCartulo(ctu_);
    Actualizar();
    if (enlacesVisibles_) ColocarEnlaces(Minimizada());
}

void frmFicha::Actualizar() {
    if (!ctu_) return;
    loading_ = true;
    ActualizarTitulo();
    const QString entry = platform::toQString(ctu_->GetNtry(id_));
    lblNtry_->setText(entry);
    txtNtry_->setText(entry);
    cardText_ = ctu_->GetTxt(id_);
    txtTxt_->setPlainText(SoloLf(platform::toQString(cardText_)));
    editorText_ = txtTxt_->Texto();
    anularAccion_ = false;
    loading_ = false;
}

void frmFicha::ActualizarTitulo() {
    if (!ctu_) return;
    const std::string entry = ctu_->GetNtry(id_);
    const QString name = platform::toQString(entry.empty() ? kMainCardName : entry);
    setWindowTitle(name + QStringLiteral(" (") + ShownTitle(ctu_->GetFileTitle()) +
                   QStringLiteral(")"));
}

bool frmFicha::TextoPrincipal() const {
    return ctu_ && ctu_->IsAlias(id_, ctu_->GetMain());
}

// --- the text ---

void frmFicha::txtTxt_Change() {
    if (loading_ || !ctu_ || closed_) return;
    QString now = txtTxt_->Texto();
    if (std::exchange(anularAccion_, false)) {
        // Part of this action was refused: none of it stays.
        if (now != editorText_) Revertir();
        return;
    }
    if (now == editorText_) return;
    // Only the span the user changed is written; the rest of the card keeps
    // its bytes, line ends included.
    const CambioGuardado change = CambioEnGuardado(cardText_, editorText_, now);
    const platform::FromQString added = platform::fromQString(change.text);
    if (!added.unstorable.empty()) {
        Avisar(AvisoCaracterRechazado(leftOutOf(added.unstorable)));
        Revertir();
        return;
    }
    const auto from = static_cast<std::size_t>(change.from);
    const auto to = static_cast<std::size_t>(change.to);
    std::string stored;
    stored.reserve(cardText_.size() - (to - from) + added.text.size());
    stored.append(cardText_, 0, from).append(added.text).append(cardText_, to);
    const bool mainText = TextoPrincipal();
    if (auto why =
            RechazoTexto(static_cast<qsizetype>(stored.size()),
                         platform::toQString(std::string_view(stored).substr(0, 2)), mainText)) {
        Avisar(*why);
        Revertir();
        return;
    }
    const std::string oldTitle = mainText ? ctu_->GetFileTitle() : std::string();
    // Set first, so the card's own change event finds the editor current.
    std::string previous = std::exchange(cardText_, std::move(stored));
    QString previousShown = std::exchange(editorText_, std::move(now));
    if (!ctu_->SetTxt(id_, cardText_)) {
        cardText_ = std::move(previous);
        editorText_ = std::move(previousShown);
        Avisar(QStringLiteral("La ficha no admite ese texto: el cambio no se ha hecho."));
        Revertir();
        return;
    }
    if (mainText && ctu_->GetFileTitle() != oldTitle) Ctus().NotifyRename(ctu_.get());
}

// Puts the editor back to the card's text: the refused action is undone when
// it is the last one (a drop's deletion and insertion are one); otherwise the
// difference is replaced.
void frmFicha::Revertir() {
    loading_ = true;
    if (txtTxt_->document()->isUndoAvailable()) txtTxt_->undo();
    if (txtTxt_->Texto() != editorText_) txtTxt_->CambiarTexto(editorText_);
    loading_ = false;
}

qsizetype frmFicha::LongitudGuardadaSin(int start, int end) const {
    const auto size = static_cast<qsizetype>(cardText_.size());
    if (txtTxt_->document()->characterCount() - 1 == editorText_.size()) {
        // The editor shows the card's text: the span is measured in the card.
        if (end <= start) return size;
        return size - (PosicionGuardada(cardText_, end) - PosicionGuardada(cardText_, start));
    }
    // Inside an action that has already changed the editor (a drop has
    // deleted the dragged text): what the card would hold at this moment.
    const QString now = txtTxt_->Texto();
    const CambioGuardado change = CambioEnGuardado(cardText_, editorText_, now);
    return size - (change.to - change.from) + change.text.size() -
           LongitudConCrLf(QStringView(now).mid(start, end - start));
}

std::optional<QString> frmFicha::PrepararInsercion(const QString& text, bool pasted) {
    const auto refuse = [this](const QString& why) -> std::optional<QString> {
        // When the action has already changed the editor, it is undone whole
        // as soon as it ends.
        if (txtTxt_->Texto() != editorText_) anularAccion_ = true;
        Avisar(why);
        return std::nullopt;
    };
    SoloWin1252 kept = FiltrarWin1252(text);
    if (!kept.leftOut.isEmpty() && !pasted) return refuse(AvisoCaracterRechazado(kept.leftOut));
    if (kept.text.isEmpty()) {
        if (kept.leftOut.isEmpty()) return std::nullopt;
        return refuse(AvisoPegadoIncompleto(kept.leftOut));
    }
    // The text the card would get: its length, and how it would begin.
    const QTextCursor cursor = txtTxt_->textCursor();
    const QTextDocument& document = *txtTxt_->document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const int length = document.characterCount() - 1;
    const qsizetype storedAfter = LongitudGuardadaSin(start, end) + LongitudConCrLf(kept.text);
    QString head;
    for (int i = 0; i < start && head.size() < 2; ++i) head += document.characterAt(i);
    head += kept.text.left(2);
    for (int i = end; i < length && head.size() < 2; ++i) head += document.characterAt(i);
    if (auto why = RechazoTexto(storedAfter, head, TextoPrincipal())) return refuse(*why);
    if (!kept.leftOut.isEmpty()) Avisar(AvisoPegadoIncompleto(kept.leftOut));
    return kept.text;
}

void frmFicha::Avisar(const QString& text) {
    QApplication::beep();
    services_.MensajeEstado(text);
}

void frmFicha::txtTxt_EnterSoltado() {
    if (txtTxt_->isReadOnly()) return;
    TextField field = LeerCampo(Campo::Texto);
    const qsizetype before = field.text.size();
    RepetirIdentado(field);
    if (field.text.size() != before) EscribirCampo(Campo::Texto, field);
}

void frmFicha::Ctu_UpdateCardTxt(CardId card) {
    if (card != id_ || !ctu_) return;
    std::string text = ctu_->GetTxt(id_);
    // The window's own edit comes back as an event too: nothing to reload.
    if (text == cardText_) return;
    cardText_ = std::move(text);
    auto [start, length] = txtTxt_->Seleccion();
    loading_ = true;
    txtTxt_->CambiarTexto(SoloLf(platform::toQString(cardText_)));
    editorText_ = txtTxt_->Texto();
    anularAccion_ = false;
    // The other window's edit is not this one's to undo.
    txtTxt_->document()->clearUndoRedoStacks();
    const int size = txtTxt_->document()->characterCount() - 1;
    start = std::min(start, size);
    length = std::min(length, size - start);
    txtTxt_->Seleccionar(start, length);
    loading_ = false;
}

void frmFicha::Ctu_UpdateCardNtry(CardId card) {
    // The card renamed may be one the strip lists.
    if (picEnlaces_ != nullptr) picEnlaces_->Actualizar();
    if (card != id_ || !ctu_ || editingEntry_) return;
    lblNtry_->setText(platform::toQString(ctu_->GetNtry(id_)));
    ActualizarTitulo();
}

void frmFicha::Ctu_CloseCard(CardId card) {
    if (card == id_) CerrarVentana(true);
}

void frmFicha::Ctu_CloseFile() {
    CerrarVentana(true);
}

// --- the entry ---

void frmFicha::EditarEntrada() {
    if (!ctu_ || isMain_) return;
    txtNtry_->setText(platform::toQString(ctu_->GetNtry(id_)));
    txtNtry_->selectAll();
    editingEntry_ = true;
    txtNtry_->show();
    txtNtry_->raise();
    txtNtry_->setFocus();
}

bool frmFicha::ConfirmarEntrada() {
    if (!editingEntry_ || !ctu_) return true;
    // Its own message box takes the focus away: that is no second commit.
    if (validating_) return false;
    validating_ = true;
    const std::string newEntry = platform::fromQString(txtNtry_->text()).text;
    if (newEntry != ctu_->GetNtry(id_)) {
        if (ctu_->ValidateNtry(id_, newEntry) != EntryCheck::Ok) {
            const QString shown = platform::toQString(newEntry);
            services_.Dialogos().MsgBoxPlus(
                QStringLiteral("Ya existe otra ficha con la entrada \"") + shown +
                    QStringLiteral("\"."),
                QStringLiteral("No puede haber dos fichas con la misma entrada en el mismo "
                               "cartulo. ") +
                    QStringLiteral("Introduzca una entrada diferente. Si lo desea, puede cancelar "
                                   "el cambio de entrada ") +
                    QStringLiteral("pulsando la tecla Escape."),
                support::msg::kInformation, QStringLiteral("Cambiar entrada"));
            // Back to the editor now, and again once a focus change that
            // brought us here has finished.
            txtNtry_->setFocus();
            QTimer::singleShot(0, txtNtry_, [this] {
                if (editingEntry_) txtNtry_->setFocus();
            });
            validating_ = false;
            return false;
        }
        ctu_->SetNtry(id_, newEntry);
        lblNtry_->setText(platform::toQString(newEntry));
        ActualizarTitulo();
    }
    TerminarEntrada();
    validating_ = false;
    return true;
}

void frmFicha::CancelarEntrada() {
    if (editingEntry_) TerminarEntrada();
}

void frmFicha::TerminarEntrada() {
    editingEntry_ = false;
    const bool hadFocus = txtNtry_->hasFocus();
    if (ctu_) txtNtry_->setText(platform::toQString(ctu_->GetNtry(id_)));
    txtNtry_->hide();
    if (hadFocus) txtTxt_->setFocus();
}

void frmFicha::txtNtry_Validate() {
    if (!editingEntry_ || validating_ || !ctu_) return;
    if (platform::fromQString(txtNtry_->text()).text == ctu_->GetNtry(id_)) {
        CancelarEntrada();
    } else {
        ConfirmarEntrada();
    }
}

// --- links ---

void frmFicha::Hipertexto(int position) {
    if (!ctu_) return;
    const QString lf = txtTxt_->Texto();
    const std::string text = platform::fromQString(ConCrLf(lf)).text;
    std::string target;
    if (position != -1) {
        target = cCartulo::GetHT(text, static_cast<std::int32_t>(PosicionConCrLf(lf, position) + 1))
                     .link;
    } else if (const QString selected = txtTxt_->TextoSeleccionado(); !selected.isEmpty()) {
        target = platform::fromQString(ConCrLf(selected)).text;
    } else {
        const int caret = txtTxt_->textCursor().position();
        target =
            cCartulo::GetHT(text, static_cast<std::int32_t>(PosicionConCrLf(lf, caret) + 1)).link;
    }
    if (target.empty()) return;
    const CardId card = ctu_->SrchNtry(target);
    if (card > kNoCard) services_.MuestraFicha(ctu_, card);
}

QString frmFicha::ObtenerHipertexto() const {
    const QString selected = txtTxt_->TextoSeleccionado();
    if (!selected.isEmpty()) return selected;
    const QString lf = txtTxt_->Texto();
    const std::string text = platform::fromQString(ConCrLf(lf)).text;
    const int caret = txtTxt_->textCursor().position();
    return platform::toQString(
        cCartulo::GetHT(text, static_cast<std::int32_t>(PosicionConCrLf(lf, caret) + 1)).link);
}

// --- searching ---

bool frmFicha::BuscarTexto(const QString& text, bool backwards, bool fromBoundary, bool silent) {
    if (text.isEmpty()) {
        picBuscar_->show();
        Distribuir();
        txtBuscar_->setFocus();
        txtBuscar_->selectAll();
        return false;
    }
    const auto [start, length] = txtTxt_->Seleccion();
    const std::optional<qsizetype> found =
        BuscarEnTexto(txtTxt_->Texto(), text, backwards, fromBoundary, start, length);
    if (!found) {
        if (!silent) QApplication::beep();
        return false;
    }
    txtTxt_->Seleccionar(static_cast<int>(*found), static_cast<int>(text.size()));
    txtTxt_->ensureCursorVisible();
    return true;
}

void frmFicha::FinalizarBusqueda() {
    const bool hadFocus = txtBuscar_->hasFocus();
    picBuscar_->hide();
    Distribuir();
    if (hadFocus) txtTxt_->setFocus();
}

void frmFicha::cmdBuscarSiguiente_Click() {
    BuscarTexto(txtBuscar_->text(), false, searchRestart_, false);
    searchRestart_ = false;
}

void frmFicha::cmdBuscarAnterior_Click() {
    BuscarTexto(txtBuscar_->text(), true, searchRestart_, false);
    searchRestart_ = false;
}

// --- roll-up, placing, layout ---

bool frmFicha::Minimizada() const {
    return height() < Px(kAltoMinimizadaTwips);
}

void frmFicha::SetMinimizada(bool rolledUp) {
    if (rolledUp == Minimizada()) return;
    QWidget* outer = Exterior();
    const int frame = outer->height() - height();
    if (rolledUp) {
        savedHeight_ = outer->height();
        outer->resize(outer->width(), frame + Px(kAltoTiraTwips) + 1);
    } else {
        outer->resize(outer->width(), savedHeight_ > 0 ? savedHeight_ : frame + Px(kAltoTwips));
    }
    txtTxt_->setReadOnly(rolledUp);
    txtBuscar_->setReadOnly(rolledUp);
    ColocarEnlaces(rolledUp);
}

void frmFicha::SetEnlacesVisibles(bool on) {
    if (on == enlacesVisibles_) return;
    enlacesVisibles_ = on;
    const bool hadFocus = picEnlaces_ != nullptr && picEnlaces_->isAncestorOf(focusWidget());
    ColocarEnlaces(Minimizada());
    if (picEnlaces_ == nullptr) return;
    if (on && !picEnlaces_->isHidden()) {
        // Shown to be used: the keys go to its list.
        QListWidget* list = picEnlaces_->lstEnlaces();
        if (list->currentRow() < 0 && list->count() > 0) list->setCurrentRow(0);
        list->setFocus();
    } else if (!on && hadFocus) {
        txtTxt_->setFocus();
    }
}

void frmFicha::ColocarEnlaces(bool rolledUp) {
    const bool shown = enlacesVisibles_ && !rolledUp && ctu_;
    if (shown && picEnlaces_ == nullptr) {
        picEnlaces_ = new BacklinksStrip(
            services_.Enlaces(ctu_), *ctu_, id_,
            [this](CardId card) {
                if (ctu_) services_.MuestraFicha(ctu_, card);
            },
            this);
    }
    if (picEnlaces_ != nullptr) picEnlaces_->setVisible(shown);
    Distribuir();
}

void frmFicha::Colocar() {
    QWidget* outer = Exterior();
    outer->move(services_.PosicionCascada(outer->size()));
}

void frmFicha::Distribuir() {
    const int w = width();
    const int strip = Px(kAltoTiraTwips);
    const int indent = Px(kEntryIndentTwips);
    cmdCerrar_->setGeometry(w - strip, 0, strip, strip);
    lblNtry_->setGeometry(indent, 0, std::max(w - strip - indent, 0), strip);
    const int entryHeight = std::min(txtNtry_->sizeHint().height(), strip);
    txtNtry_->setGeometry(indent, (strip - entryHeight) / 2, std::max(w - strip - 2 * indent, 0),
                          entryHeight);
    if (Minimizada()) return;
    const int h = height();
    const int barHeight = picBuscar_->sizeHint().height();
    picBuscar_->setGeometry(0, h - barHeight, w, barHeight);
    // From the bottom up: the search bar, the strip of links, then the text.
    int bottom = picBuscar_->isHidden() ? h : h - barHeight;
    if (picEnlaces_ != nullptr && !picEnlaces_->isHidden()) {
        const int linksHeight = std::min(Px(kAltoEnlacesTwips), std::max(h - strip, 0) / 2);
        bottom -= linksHeight;
        picEnlaces_->setGeometry(0, bottom, w, linksHeight);
    }
    const int below = bottom == h ? kMarginBelowText : kMarginAboveSearchBar;
    txtTxt_->setGeometry(0, strip, w, std::max(bottom - strip - below, 0));
}

void frmFicha::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Distribuir();
}

void frmFicha::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Colocar();
    }
}

// --- activation and closing ---

void frmFicha::CrearBotones() {
    services_.BarraLimpiar();
    if (ctu_) services_.FichaActivada(ctu_, id_);
}

void frmFicha::CerrarVentana(bool force) {
    if (closed_) return;
    forceClose_ = force;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
    forceClose_ = false;
}

void frmFicha::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (editingEntry_) {
        if (!forceClose_ && !ConfirmarEntrada()) {
            event->ignore();
            return;
        }
        CancelarEntrada();
    }
    closed_ = true;
    tmrCerrar_->stop();
    subscription_.reset();
    if (picEnlaces_ != nullptr) picEnlaces_->Soltar();
    event->accept();
    services_.VentanaCerrada(*this);
}

// --- the hover close button ---

void frmFicha::MostrarBotonCerrar() {
    if (!cmdCerrar_->isHidden()) return;
    cmdCerrar_->show();
    cmdCerrar_->raise();
    closeShownTick_ = clock_();
    tmrCerrar_->start();
}

void frmFicha::tmrCerrar_Timer() {
    if (cmdCerrar_->isHidden()) {
        tmrCerrar_->stop();
        return;
    }
    if (platform::TicksSince(closeShownTick_, clock_()) > kMsBotonCerrar &&
        !cmdCerrar_->underMouse() && !cmdCerrar_->isDown()) {
        cmdCerrar_->hide();
        tmrCerrar_->stop();
    }
}

// --- mouse on the window's surface and its strip ---

void frmFicha::RatonPulsado(QMouseEvent& event, QPoint) {
    if (event.button() == Qt::LeftButton) {
        dragging_ = true;
        dragFrom_ = event.globalPosition().toPoint();
    } else if (event.button() == Qt::RightButton) {
        SetMinimizada(!Minimizada());
    }
}

void frmFicha::RatonMovido(QMouseEvent& event, QPoint position) {
    if (dragging_ && (event.buttons() & Qt::LeftButton)) {
        const QPoint now = event.globalPosition().toPoint();
        QWidget* outer = Exterior();
        outer->move(outer->pos() + (now - dragFrom_));
        dragFrom_ = now;
        return;
    }
    if (cmdCerrar_->geometry().contains(position)) MostrarBotonCerrar();
}

void frmFicha::RatonSoltado(QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) dragging_ = false;
}

void frmFicha::RatonDobleClic(QMouseEvent& event, QPoint position) {
    if (event.button() == Qt::LeftButton && position.y() < Px(kAltoTiraTwips)) EditarEntrada();
}

void frmFicha::mousePressEvent(QMouseEvent* event) {
    RatonPulsado(*event, event->position().toPoint());
}

void frmFicha::mouseMoveEvent(QMouseEvent* event) {
    RatonMovido(*event, event->position().toPoint());
}

void frmFicha::mouseReleaseEvent(QMouseEvent* event) {
    RatonSoltado(*event);
}

void frmFicha::mouseDoubleClickEvent(QMouseEvent* event) {
    RatonDobleClic(*event, event->position().toPoint());
}

bool frmFicha::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblNtry_) {
        // The strip's label acts as the window's own surface.
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (mouse != nullptr) {
            const QPoint position = lblNtry_->mapToParent(mouse->position().toPoint());
            switch (event->type()) {
                case QEvent::MouseButtonPress:
                    RatonPulsado(*mouse, position);
                    return true;
                case QEvent::MouseMove:
                    RatonMovido(*mouse, position);
                    return true;
                case QEvent::MouseButtonRelease:
                    RatonSoltado(*mouse);
                    return true;
                case QEvent::MouseButtonDblClick:
                    RatonDobleClic(*mouse, position);
                    return true;
                default:
                    break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const bool enter = isEnter(key.key());
        const bool escape = key.key() == Qt::Key_Escape;
        if (watched == txtNtry_ && (enter || escape)) {
            if (enter) {
                ConfirmarEntrada();
            } else {
                CancelarEntrada();
            }
            return true;
        }
        if (watched == txtBuscar_ && (enter || escape)) {
            if (enter) {
                cmdBuscarSiguiente_->click();
            } else {
                cmdBuscarCerrar_->click();
            }
            return true;
        }
        // With Ctrl no key types its character, line breaks and tabs included.
        if (CancelaKeyPress(key.key(), key.modifiers()) && TeclaDeCaracter(key.key())) return true;
    } else if (event->type() == QEvent::FocusOut && watched == txtNtry_) {
        // Leaving the window or opening a menu is not leaving the field.
        const auto reason = static_cast<const QFocusEvent&>(*event).reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            txtNtry_Validate();
        }
    } else if (event->type() == QEvent::FocusIn && watched == txtBuscar_) {
        txtBuscar_->selectAll();
        // A click places the caret after the focus arrives.
        QTimer::singleShot(0, txtBuscar_, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}

// --- the editing words ---

frmFicha::Campo frmFicha::CampoActivo() const {
    const QWidget* focus = focusWidget();
    if (focus == txtNtry_ && editingEntry_) return Campo::Entrada;
    if (focus == txtBuscar_ && !picBuscar_->isHidden()) return Campo::Buscar;
    return Campo::Texto;
}

bool frmFicha::Escribible(Campo campo) const {
    switch (campo) {
        case Campo::Entrada:
            return !txtNtry_->isReadOnly();
        case Campo::Buscar:
            return !txtBuscar_->isReadOnly();
        case Campo::Texto:
            break;
    }
    return !txtTxt_->isReadOnly();
}

QString frmFicha::SeleccionActiva() const {
    switch (CampoActivo()) {
        case Campo::Entrada:
            return txtNtry_->selectedText();
        case Campo::Buscar:
            return txtBuscar_->selectedText();
        case Campo::Texto:
            break;
    }
    return txtTxt_->TextoSeleccionado();
}

TextField frmFicha::LeerCampo(Campo campo) const {
    switch (campo) {
        case Campo::Entrada:
            return LeerLinea(*txtNtry_);
        case Campo::Buscar:
            return LeerLinea(*txtBuscar_);
        case Campo::Texto:
            break;
    }
    const QString lf = txtTxt_->Texto();
    const auto [start, length] = txtTxt_->Seleccion();
    const qsizetype from = PosicionConCrLf(lf, start);
    return {ConCrLf(lf), from, PosicionConCrLf(lf, start + length) - from};
}

void frmFicha::EscribirCampo(Campo campo, const TextField& field) {
    switch (campo) {
        case Campo::Entrada:
            EscribirLinea(*txtNtry_, field);
            return;
        case Campo::Buscar:
            EscribirLinea(*txtBuscar_, field);
            return;
        case Campo::Texto:
            break;
    }
    txtTxt_->CambiarTexto(SoloLf(field.text));
    const qsizetype from = PosicionSoloLf(field.text, field.selStart);
    const qsizetype to = PosicionSoloLf(field.text, field.selStart + field.selLength);
    txtTxt_->Seleccionar(static_cast<int>(from), static_cast<int>(to - from));
}

void frmFicha::Copiar() {
    CopiarAlPortapapeles(SeleccionActiva());
}

void frmFicha::Eliminar() {
    switch (CampoActivo()) {
        case Campo::Entrada:
            EliminarSeleccion(*txtNtry_);
            return;
        case Campo::Buscar:
            EliminarSeleccion(*txtBuscar_);
            return;
        case Campo::Texto:
            break;
    }
    QTextCursor cursor = txtTxt_->textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        txtTxt_->setTextCursor(cursor);
    }
}

void frmFicha::Insertar(const QString& text, bool pasted) {
    const Campo campo = CampoActivo();
    if (campo == Campo::Texto) {
        txtTxt_->Insertar(text, pasted);
        return;
    }
    InsertarEnLinea(campo == Campo::Entrada ? *txtNtry_ : *txtBuscar_, text);
}

QVariant frmFicha::Comando(const QString& word, const Argumentos& args) {
    const QString w = word.toLower();
    // A rolled-up window's fields are read-only: no word may write in them.
    if (escribe(w) && !Escribible(CampoActivo())) return {};
    // With the focus in the list of links here, the text's caret is not shown.
    if (escribe(w) && picEnlaces_ != nullptr && picEnlaces_->isAncestorOf(focusWidget())) {
        return {};
    }
    if (w == u"buscartexto" || w == u"buscartextosilencio") {
        const bool silent = w == u"buscartextosilencio";
        if (args.HasArgument()) {
            const QString text = args.Text();
            txtBuscar_->setText(text);
            searchRestart_ = false;
            BuscarTexto(text, false, true, silent);
        } else {
            BuscarTexto(QString(), false, true, silent);
        }
    } else if (w == u"cerrar") {
        CerrarVentana();
    } else if (w == u"colocar") {
        Colocar();
    } else if (w == u"copiar") {
        Copiar();
    } else if (w == u"cortar") {
        if (!SeleccionActiva().isEmpty()) {
            Copiar();
            Eliminar();
        }
    } else if (w == u"cortarlinea") {
        TextField field = LeerCampo(CampoActivo());
        SeleccionarLineas(field);
        EscribirCampo(CampoActivo(), field);
        return Comando(QStringLiteral("cortar"));
    } else if (w == u"deshacer") {
        switch (CampoActivo()) {
            case Campo::Entrada:
                txtNtry_->undo();
                break;
            case Campo::Buscar:
                txtBuscar_->undo();
                break;
            case Campo::Texto:
                txtTxt_->undo();
                break;
        }
    } else if (w == u"desidentar" || w == u"identar") {
        const Campo campo = CampoActivo();
        TextField field = LeerCampo(campo);
        if (w == u"identar") {
            IdentarSeleccion(field);
        } else {
            DesidentarSeleccion(field);
        }
        EscribirCampo(campo, field);
    } else if (w == u"eliminar") {
        Eliminar();
    } else if (w == u"enlaces") {
        SetEnlacesVisibles(!enlacesVisibles_);
        return enlacesVisibles_;
    } else if (w == u"hipertexto") {
        Hipertexto(-1);
    } else if (w == u"insertar") {
        if (args.HasArgument()) Insertar(args.Text(), true);
    } else if (w == u"maximizar") {
        SetMinimizada(false);
    } else if (w == u"minimizar") {
        SetMinimizada(true);
    } else if (w == u"multiline") {
        return CampoActivo() == Campo::Texto;
    } else if (w == u"obtenerhipertexto") {
        return ObtenerHipertexto();
    } else if (w == u"pegar") {
        if (const std::optional<QString> text = TextoDelPortapapeles()) Insertar(*text, true);
    } else if (w == u"permitebusqueda" || w == u"permiteedicion") {
        return true;
    } else if (w == u"seleccion") {
        return SeleccionActiva();
    } else if (w == u"seleccionartodo") {
        switch (CampoActivo()) {
            case Campo::Entrada:
                txtNtry_->selectAll();
                break;
            case Campo::Buscar:
                txtBuscar_->selectAll();
                break;
            case Campo::Texto:
                txtTxt_->selectAll();
                break;
        }
    } else {
        ComandoNoReconocido(services_, QStringLiteral("frmFicha"), windowTitle(), word);
    }
    return {};
}

}  // namespace cartulo::windows
