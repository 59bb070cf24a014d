#include "windows/frm_comparar_cartulos.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "engine/win1252.h"
#include "platform/text_codec.h"
#include "support/user_dialogs.h"
#include "windows/card_comparison.h"
#include "windows/card_text_edit.h"
#include "windows/card_text_rules.h"
#include "windows/line_ends.h"
#include "windows/shown_title.h"

namespace cartulo::windows {

namespace {

const QString kTitulo = QStringLiteral("Comparar cartulos");
const QString kElegir = QStringLiteral("(seleccione un cartulo)");
const QString kNinguno = QStringLiteral("(no hay cartulos abiertos)");
const QString kElegirDos = QStringLiteral("(seleccione dos cartulos)");

QString letra(frmCompararCartulos::Lado side) {
    return side == frmCompararCartulos::A ? QStringLiteral("A") : QStringLiteral("B");
}

frmCompararCartulos::Lado otro(frmCompararCartulos::Lado side) {
    return side == frmCompararCartulos::A ? frmCompararCartulos::B : frmCompararCartulos::A;
}

bool esPrincipal(const cCartulo& file, CardId card) {
    return file.IsAlias(card, file.GetMain());
}

}  // namespace

frmCompararCartulos::frmCompararCartulos(cCartulos& registry, MainServices& services,
                                         const std::shared_ptr<cCartulo>& active, QWidget* parent)
    : QWidget(parent), registry_(registry), services_(services) {
    setWindowTitle(kTitulo);
    auto* grid = new QGridLayout(this);
    for (Lado side : {A, B}) {
        Controles& c = side_[side];
        c.file.window = this;
        c.file.side = side;
        c.chooser = new QComboBox(this);
        c.list = new QListWidget(this);
        c.list->setUniformItemSizes(true);
        c.text = new CardTextEdit(this);
        c.text->setReadOnly(true);
        c.text->SetFiltroInsercion([this, side](const QString& text, bool pasted) {
            return PrepararInsercion(side, text, pasted);
        });
        c.copy = new QPushButton(
            side == A ? QStringLiteral("Copiar A → B") : QStringLiteral("Copiar B → A"), this);
        grid->addWidget(c.chooser, 0, side);
        grid->addWidget(c.list, 1, side);
        grid->addWidget(c.text, 2, side);
        connect(c.chooser, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_) Comparar();
        });
        connect(c.list, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!filling_) MostrarFila(row);
        });
        connect(c.copy, &QPushButton::clicked, this, [this, side] { cmdCopiar_Click(side); });
        // The other list keeps the same first row.
        connect(c.list->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this, side] { Acoplar(side); });
    }
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    cmdEditar_ = new QPushButton(QStringLiteral("Editar"), this);
    cmdAceptar_ = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCerrar_ = new QPushButton(QStringLiteral("Cerrar"), this);
    buttons->addWidget(side_[A].copy);
    buttons->addWidget(side_[B].copy);
    buttons->addStretch(1);
    for (QPushButton* b : {cmdEditar_, cmdAceptar_, cmdCancelar_, cmdCerrar_})
        buttons->addWidget(b);
    grid->addLayout(buttons, 3, 0, 1, 2);
    cmdAceptar_->hide();
    cmdCancelar_->hide();
    connect(cmdEditar_, &QPushButton::clicked, this, [this] { cmdEditar_Click(); });
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { cmdAceptar_Click(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(cmdCerrar_, &QPushButton::clicked, this, [this] { close(); });
    resize(800, 560);

    registrySubscription_ = registry_.Subscribe(*this);
    LlenarSelectores();
    // A: the active window's file; with exactly two files, B: the other one.
    const std::int32_t activeIndex = active ? registry_.FindFile(active.get()) : -1;
    filling_ = true;
    if (activeIndex >= 0) side_[A].chooser->setCurrentIndex(activeIndex + 1);
    if (registry_.ListCount() == 2 && activeIndex >= 0)
        side_[B].chooser->setCurrentIndex(3 - (activeIndex + 1));
    filling_ = false;
    Comparar();
}

frmCompararCartulos::~frmCompararCartulos() = default;

// --- choosers ---

bool frmCompararCartulos::LlenarSelectores(std::int32_t gone) {
    bool lost = false;
    filling_ = true;
    for (Lado side : {A, B}) {
        QComboBox& chooser = *side_[side].chooser;
        const std::int32_t chosen = Elegido(side);
        chooser.clear();
        int select = 0;
        const bool any = registry_.ListCount() > (gone >= 0 ? 1 : 0);
        chooser.setEnabled(any && !editing_);
        if (!any) {
            chooser.addItem(kNinguno, -1);
        } else {
            chooser.addItem(kElegir, -1);
            for (std::int32_t i = 0; i < registry_.ListCount(); ++i) {
                const std::int32_t id = registry_.ID(i);
                if (id == gone) continue;
                chooser.addItem(ShownTitle(registry_.List(i)->GetFileTitle()), id);
                if (id == chosen) select = chooser.count() - 1;
            }
        }
        chooser.setCurrentIndex(select);
        if (chosen >= 0 && select == 0) lost = true;
    }
    filling_ = false;
    return lost;
}

void frmCompararCartulos::Elegir(Lado side, std::int32_t id) {
    QComboBox& chooser = *side_[side].chooser;
    const int index = id < 0 ? 0 : chooser.findData(id);
    if (index >= 0) chooser.setCurrentIndex(index);
}

std::int32_t frmCompararCartulos::Elegido(Lado side) const {
    const QVariant data = side_[side].chooser->currentData();
    return data.isValid() ? data.toInt() : -1;
}

void frmCompararCartulos::onAdd(std::int32_t) {
    LlenarSelectores();
}

void frmCompararCartulos::onRename(std::int32_t) {
    LlenarSelectores();
}

void frmCompararCartulos::onRemove(std::int32_t index) {
    if (!LlenarSelectores(registry_.ID(index))) return;
    if (editing_) {
        services_.MensajeEstado(
            QStringLiteral("Se ha cerrado un cartulo comparado: la edición se ha cancelado."));
    }
    Comparar();
}

// --- rows ---

void frmCompararCartulos::Comparar() {
    ++generation_;
    if (editing_) TerminarEdicion();
    for (Lado side : {A, B}) {
        Cartulo& f = side_[side].file;
        std::shared_ptr<cCartulo> file = registry_.List(registry_.FindID(Elegido(side)));
        if (file != f.file) {
            f.subscription.reset();
            f.file = std::move(file);
            if (f.file) f.subscription = f.file->Subscribe(f);
        }
    }
    rows_.clear();
    if (side_[A].file.file && side_[B].file.file) {
        for (const FilaComparada& r : CompararCartulos(*side_[A].file.file, *side_[B].file.file)) {
            Fila row;
            row.card = {r.a, r.b};
            for (Lado side : {A, B}) {
                if (row.card[side] != kNoCard)
                    row.entry[side] = EntradaMostrada(*side_[side].file.file, row.card[side]);
            }
            rows_.push_back(std::move(row));
        }
    }
    const bool two = side_[A].file.file && side_[B].file.file;
    filling_ = true;
    for (Lado side : {A, B}) {
        QListWidget& list = *side_[side].list;
        list.clear();
        if (!two) {
            list.addItem(kElegirDos);
        } else {
            for (const Fila& row : rows_) list.addItem(TextoDeFila(row, side));
        }
        list.setEnabled(two);
        list.scrollToTop();
    }
    filling_ = false;
    MostrarTextos();
    HabilitarBotones();
}

QString frmCompararCartulos::TextoDeFila(const Fila& row, Lado side) const {
    if (row.gone[side]) return platform::toQString(row.entry[side]) + QStringLiteral(" (borrada)");
    if (row.card[side] == kNoCard) return {};
    return platform::toQString(row.entry[side]) + (row.marked ? QStringLiteral("*") : QString());
}

void frmCompararCartulos::RefrescarFila(int row) {
    filling_ = true;
    for (Lado side : {A, B}) {
        if (QListWidgetItem* item = side_[side].list->item(row))
            item->setText(TextoDeFila(rows_[static_cast<std::size_t>(row)], side));
    }
    filling_ = false;
}

int frmCompararCartulos::FilaActual() const {
    const int row = side_[A].list->currentRow();
    return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

CardId frmCompararCartulos::FichaEn(Lado side, int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return kNoCard;
    return rows_[static_cast<std::size_t>(row)].card[side];
}

void frmCompararCartulos::SeleccionarFila(int row) {
    side_[A].list->setCurrentRow(row);
}

void frmCompararCartulos::MostrarFila(int row) {
    filling_ = true;
    for (Lado side : {A, B}) {
        if (side_[side].list->currentRow() != row) side_[side].list->setCurrentRow(row);
    }
    filling_ = false;
    MostrarTextos();
    HabilitarBotones();
}

void frmCompararCartulos::MostrarTextos() {
    const int row = FilaActual();
    for (Lado side : {A, B}) {
        Controles& c = side_[side];
        const CardId card = FichaEn(side, row);
        c.loaded = card != kNoCard && c.file.file ? c.file.file->GetTxt(card) : std::string();
        c.text->setPlainText(SoloLf(platform::toQString(c.loaded)));
        c.shown = c.text->Texto();
    }
}

void frmCompararCartulos::HabilitarBotones() {
    const int row = FilaActual();
    for (Lado side : {A, B}) {
        side_[side].copy->setEnabled(!editing_ && FichaEn(side, row) != kNoCard);
        side_[side].chooser->setEnabled(!editing_ && side_[side].chooser->itemText(0) != kNinguno);
        side_[side].list->setEnabled(!editing_ && side_[A].file.file && side_[B].file.file);
    }
    cmdEditar_->setEnabled(FichaEn(A, row) != kNoCard && FichaEn(B, row) != kNoCard);
    cmdCerrar_->setEnabled(!editing_);
}

void frmCompararCartulos::Acoplar(Lado from) {
    if (filling_) return;
    const int value = side_[from].list->verticalScrollBar()->value();
    QScrollBar* other = side_[otro(from)].list->verticalScrollBar();
    if (other->value() != value) other->setValue(value);
}

// --- copying ---

void frmCompararCartulos::Informar(const QString& text, const QString& detail) {
    services_.Dialogos().MsgBoxPlus(text, detail, support::msg::kExclamation, kTitulo);
}

void frmCompararCartulos::cmdCopiar_Click(Lado from) {
    const Lado to = otro(from);
    const int r = FilaActual();
    const std::shared_ptr<cCartulo> source = side_[from].file.file;
    const std::shared_ptr<cCartulo> target = side_[to].file.file;
    if (r < 0 || editing_ || !source || !target) return;
    const auto row = static_cast<std::size_t>(r);
    const unsigned generation = generation_;
    const CardId card = rows_[row].card[from];
    if (!FichaViva(*source, card)) {
        Informar(QStringLiteral("La ficha ya no existe en el cartulo ") + letra(from) + u'.');
        return;
    }
    const std::string entry = source->GetNtry(card);
    // A card made in the target since the rows were read is overwritten, not duplicated.
    CardId existing = rows_[row].card[to];
    if (!FichaViva(*target, existing)) existing = target->SrchNtry(entry);
    if (existing > 0) {
        const std::size_t sisters = target->GetSisters(existing).size();
        QString detail = QStringLiteral("Esta operación no puede deshacerse.");
        if (sisters > 1)
            detail += QStringLiteral(
                          "\nSu texto es compartido con otras fichas (hermanas: %1), "
                          "que cambiarán también.")
                          .arg(sisters - 1);
        const support::MsgResult answer = services_.Dialogos().MsgBoxPlus(
            QStringLiteral("La ficha seleccionada ya existe en el cartulo ") + letra(to) +
                QStringLiteral(". ¿Desea sobreescribirla?"),
            detail, support::msg::kYesNo + support::msg::kQuestion, QStringLiteral("Copiar ficha"));
        if (answer != support::MsgResult::Yes) return;
        // The question let other windows run: look again.
        if (generation_ != generation || !FichaViva(*source, card) ||
            !FichaViva(*target, existing)) {
            Informar(
                QStringLiteral("La ficha o su cartulo han cambiado mientras se preguntaba: no "
                               "se ha copiado."));
            return;
        }
        const bool main = esPrincipal(*target, existing);
        const std::string oldTitle = target->GetFileTitle();
        if (!target->SetTxt(existing, source->GetTxt(card))) {
            Informar(QStringLiteral("La ficha del cartulo ") + letra(to) +
                     QStringLiteral(" no admite ese texto: no se ha copiado."));
            return;
        }
        if (main && target->GetFileTitle() != oldTitle) registry_.NotifyRename(target.get());
    } else {
        const std::string text = source->GetTxt(card);
        if (auto why = cCartulo::CheckText(text)) {
            Informar(QStringLiteral("La ficha no se ha copiado."), QString::fromStdString(*why));
            return;
        }
        existing = target->NewCard(entry);
        if (existing == kNoRoom) {
            Informar(QStringLiteral("El cartulo ") + letra(to) +
                         QStringLiteral(" está lleno: no se ha copiado la ficha."),
                     QStringLiteral("Un cartulo puede tener como máximo 5000 fichas. Ninguno de "
                                    "los dos cartulos ha cambiado."));
            return;
        }
        if (existing <= 0) {
            Informar(QStringLiteral("El cartulo ") + letra(to) +
                     QStringLiteral(" no admite la entrada de la ficha: no se ha copiado."));
            return;
        }
        if (!target->SetTxt(existing, text)) {
            target->DelCard(existing);
            Informar(QStringLiteral("La ficha no se ha copiado."));
            return;
        }
    }
    if (generation_ != generation || row >= rows_.size()) return;
    rows_[row].card[to] = existing;
    rows_[row].gone[to] = false;
    for (Lado side : {A, B}) {
        if (FichaViva(*side_[side].file.file, rows_[row].card[side]))
            rows_[row].entry[side] = EntradaMostrada(*side_[side].file.file, rows_[row].card[side]);
    }
    RefrescarFila(r);
    MostrarFila(r);
}

// --- editing ---

void frmCompararCartulos::cmdEditar_Click() {
    const int row = FilaActual();
    if (editing_ || FichaEn(A, row) == kNoCard || FichaEn(B, row) == kNoCard) return;
    MostrarTextos();
    editing_ = true;
    for (Lado side : {A, B}) {
        CardTextEdit& box = *side_[side].text;
        box.setReadOnly(false);
        QPalette editable = box.palette();
        editable.setColor(QPalette::Base, QColor(255, 255, 225));
        box.setPalette(editable);
    }
    cmdEditar_->hide();
    cmdAceptar_->show();
    cmdCancelar_->show();
    HabilitarBotones();
    side_[A].text->setFocus();
}

void frmCompararCartulos::cmdCancelar_Click() {
    TerminarEdicion();
}

void frmCompararCartulos::TerminarEdicion() {
    editing_ = false;
    for (Lado side : {A, B}) {
        side_[side].text->setReadOnly(true);
        side_[side].text->setPalette(QPalette());
    }
    cmdEditar_->show();
    cmdAceptar_->hide();
    cmdCancelar_->hide();
    MostrarTextos();
    HabilitarBotones();
}

void frmCompararCartulos::cmdAceptar_Click() {
    const int r = FilaActual();
    if (!editing_ || r < 0) return;
    // Questions let events run: a file may close and the rows be made anew
    // meanwhile, and then nothing read before them may be used.
    const unsigned generation = generation_;
    const auto gone = [&] { return generation_ != generation || !editing_; };
    struct Cambio {
        bool store = false;
        std::string text;
    };
    std::array<Cambio, 2> changes;
    // Everything is checked before anything is stored.
    for (Lado side : {A, B}) {
        Controles& c = side_[side];
        const QString now = c.text->Texto();
        // Compared exactly: an edit of letter case alone is an edit.
        if (now == c.shown) continue;
        const CardId card = FichaEn(side, r);
        if (!c.file.file || !FichaViva(*c.file.file, card)) {
            Informar(QStringLiteral("La ficha ya no existe en el cartulo ") + letra(side) +
                     QStringLiteral(": su texto no puede guardarse."));
            return;
        }
        const CambioGuardado change = CambioEnGuardado(c.loaded, c.shown, now);
        const platform::FromQString added = platform::fromQString(change.text);
        std::string stored = c.loaded;
        stored.replace(static_cast<std::size_t>(change.from),
                       static_cast<std::size_t>(change.to - change.from), added.text);
        std::optional<QString> why;
        if (!added.unstorable.empty()) {
            why = QStringLiteral("El texto tiene caracteres que una ficha no puede guardar.");
        } else {
            why = RechazoTexto(static_cast<qsizetype>(stored.size()),
                               platform::toQString(std::string_view(stored).substr(0, 2)),
                               esPrincipal(*c.file.file, card));
        }
        if (why) {
            Informar(QStringLiteral("El texto del cartulo ") + letra(side) +
                         QStringLiteral(" no puede guardarse."),
                     *why);
            return;
        }
        changes[side] = {true, std::move(stored)};
    }
    for (Lado side : {A, B}) {
        if (gone()) return;
        if (!changes[side].store) continue;
        Controles& c = side_[side];
        const CardId card = FichaEn(side, r);
        if (!c.file.file) continue;
        // Changed meanwhile in another window: not overwritten without asking.
        if (c.file.file->GetTxt(card) != c.loaded &&
            services_.Dialogos().MsgBoxPlus(
                QStringLiteral("La ficha del cartulo ") + letra(side) +
                    QStringLiteral(" ha cambiado en otra ventana mientras la editaba. ¿Desea "
                                   "sobreescribirla con su texto?"),
                QStringLiteral("Si responde No, se queda el texto de la otra ventana."),
                support::msg::kYesNo + support::msg::kQuestion,
                kTitulo) != support::MsgResult::Yes) {
            continue;
        }
        if (gone()) return;
        if (!FichaViva(*c.file.file, card)) {
            Informar(QStringLiteral("La ficha ya no existe en el cartulo ") + letra(side) +
                     QStringLiteral(": su texto no puede guardarse."));
            continue;
        }
        const bool main = esPrincipal(*c.file.file, card);
        const std::string oldTitle = c.file.file->GetFileTitle();
        if (c.file.file->SetTxt(card, changes[side].text) && main &&
            c.file.file->GetFileTitle() != oldTitle) {
            registry_.NotifyRename(c.file.file.get());
        }
    }
    if (gone() || static_cast<std::size_t>(r) >= rows_.size()) return;
    Fila& row = rows_[static_cast<std::size_t>(r)];
    if (FichaViva(*side_[A].file.file, row.card[A]) &&
        FichaViva(*side_[B].file.file, row.card[B])) {
        row.marked = !win1252::equalsIgnoringCase(side_[A].file.file->GetTxt(row.card[A]),
                                                  side_[B].file.file->GetTxt(row.card[B]));
    }
    RefrescarFila(r);
    TerminarEdicion();
}

std::optional<QString> frmCompararCartulos::PrepararInsercion(Lado side, const QString& text,
                                                              bool pasted) {
    Controles& c = side_[side];
    const CardId card = FichaEn(side, FilaActual());
    if (!editing_ || !c.file.file) return std::nullopt;
    const SoloWin1252 kept = FiltrarWin1252(text);
    if (!kept.leftOut.isEmpty() && !pasted) {
        Avisar(AvisoCaracterRechazado(kept.leftOut));
        return std::nullopt;
    }
    if (kept.text.isEmpty()) {
        if (!kept.leftOut.isEmpty()) Avisar(AvisoPegadoIncompleto(kept.leftOut));
        return std::nullopt;
    }
    // The text the card would get, its untouched bytes kept.
    const QTextCursor cursor = c.text->textCursor();
    const QString now = c.text->Texto();
    const QString after =
        now.left(cursor.selectionStart()) + kept.text + now.mid(cursor.selectionEnd());
    const CambioGuardado change = CambioEnGuardado(c.loaded, c.shown, after);
    QString stored = platform::toQString(c.loaded);
    stored.replace(change.from, change.to - change.from, change.text);
    if (auto why = RechazoTexto(stored.size(), QStringView(stored).left(2),
                                esPrincipal(*c.file.file, card))) {
        Avisar(*why);
        return std::nullopt;
    }
    if (!kept.leftOut.isEmpty()) Avisar(AvisoPegadoIncompleto(kept.leftOut));
    return kept.text;
}

void frmCompararCartulos::Avisar(const QString& text) {
    QApplication::beep();
    services_.MensajeEstado(text);
}

// --- card-file events ---

void frmCompararCartulos::Ctu_CloseCard(Lado side, CardId card) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].card[side] != card) continue;
        rows_[i].card[side] = kNoCard;
        rows_[i].gone[side] = true;
        RefrescarFila(static_cast<int>(i));
        services_.MensajeEstado(QStringLiteral("La ficha ") +
                                platform::toQString(rows_[i].entry[side]) +
                                QStringLiteral(" se ha borrado del cartulo ") + letra(side) + u'.');
        if (static_cast<int>(i) == FilaActual() && !editing_) {
            MostrarTextos();
            HabilitarBotones();
        }
    }
}

void frmCompararCartulos::Ctu_UpdateCardNtry(Lado side, CardId card) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].card[side] != card || !side_[side].file.file) continue;
        rows_[i].entry[side] = EntradaMostrada(*side_[side].file.file, card);
        RefrescarFila(static_cast<int>(i));
    }
}

void frmCompararCartulos::Ctu_UpdateCardTxt(Lado side, CardId card) {
    if (!editing_ && FichaEn(side, FilaActual()) == card) MostrarTextos();
}

void frmCompararCartulos::Ctu_CloseFile(Lado side) {
    // No row may point into a file that is closing.
    if (editing_) {
        services_.MensajeEstado(QStringLiteral("El cartulo ") + letra(side) +
                                QStringLiteral(" se ha cerrado: la edición se ha cancelado."));
    }
    filling_ = true;
    side_[side].chooser->setCurrentIndex(0);
    filling_ = false;
    Comparar();
}

}  // namespace cartulo::windows
