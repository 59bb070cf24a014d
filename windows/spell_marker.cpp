#include "windows/spell_marker.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <string>

#include "platform/text_codec.h"
#include "windows/card_text_edit.h"
#include "windows/spell_menu.h"
#include "windows/spell_service.h"
#include "windows/spell_words.h"

namespace cartulo::windows {

namespace {

// Tells the marker's own extra selections from those of anyone else; holds
// the whole word, which a tag may split into several marks.
constexpr int kSpellMark = QTextFormat::UserProperty + 0x5e11;
// Set on the marks of a word split by tags: a suggestion cannot replace it
// without taking the tags away.
constexpr int kSpellSplit = QTextFormat::UserProperty + 0x5e12;

bool storable(const QString& text) {
    return platform::fromQString(text).unstorable.empty();
}

// The editor's text as the card holds it (CR LF) and where each line starts
// there, so positions go back and forth.
struct CardView {
    std::string text;
    std::vector<std::size_t> lineStarts{0};

    std::size_t ToCard(int position, int line) const {
        return static_cast<std::size_t>(position) + static_cast<std::size_t>(line);
    }
    int ToEditor(std::size_t at) const {
        const auto line =
            std::upper_bound(lineStarts.begin(), lineStarts.end(), at) - lineStarts.begin() - 1;
        return static_cast<int>(at - static_cast<std::size_t>(line));
    }
};

std::optional<CardView> cardView(const QString& lf) {
    const platform::FromQString bytes = platform::fromQString(lf, '?');
    // One byte per character, or positions would not agree.
    if (bytes.text.size() != static_cast<std::size_t>(lf.size())) return std::nullopt;
    CardView view;
    view.text.reserve(bytes.text.size() + bytes.text.size() / 16);
    for (char c : bytes.text) {
        if (c == '\n') {
            view.text += "\r\n";
            view.lineStarts.push_back(view.text.size());
        } else {
            view.text += c;
        }
    }
    return view;
}

}  // namespace

SpellMarker::SpellMarker(CardTextEdit& editor, SpellService* service, support::UserDialogs& dialogs,
                         QObject* parent)
    : QObject(parent), editor_(editor), dialogs_(dialogs), service_(service) {
    if (service_ == nullptr) return;
    timer_.setSingleShot(true);
    timer_.setInterval(kPausaMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Marcar(); });
    const auto later = [this] { timer_.start(); };
    connect(editor_.document(), &QTextDocument::contentsChanged, this, later);
    connect(editor_.verticalScrollBar(), &QScrollBar::valueChanged, this, later);
    connect(service_, &SpellService::Cambiado, this, later);
    editor_.viewport()->installEventFilter(this);
    // The context menu key reaches the editor, not its viewport.
    editor_.installEventFilter(this);
    service_->Arrancar();
}

void SpellMarker::Vincular(std::shared_ptr<cCartulo> file) {
    subscription_.reset();
    entryWords_.reset();
    file_ = std::move(file);
    if (file_) subscription_ = file_->Subscribe(*this);
    if (service_ != nullptr) timer_.start();
}

void SpellMarker::Marcar() {
    timer_.stop();
    std::vector<Mark> spans;
    const QString lf = editor_.Texto();
    const std::optional<CardView> view =
        service_ && service_->Activa() ? cardView(lf) : std::nullopt;
    if (view) {
        const QRect shown = editor_.viewport()->rect();
        // The lines shown, not whole paragraphs: one paragraph may fill the card.
        QTextCursor first = editor_.cursorForPosition(shown.topLeft());
        first.movePosition(QTextCursor::StartOfLine);
        QTextCursor last = editor_.cursorForPosition(shown.bottomRight());
        last.movePosition(QTextCursor::EndOfLine);
        const std::size_t from = view->ToCard(first.position(), first.blockNumber());
        const std::size_t to = view->ToCard(last.position(), last.blockNumber());
        for (const ProseWord& word : ProseWords(view->text, from, to)) {
            if (service_->Correcta(word.text) || esEntrada(word.text)) continue;
            for (const auto& [begin, end] : word.parts) {
                const int start = view->ToEditor(begin);
                spans.push_back(
                    {start, view->ToEditor(end - 1) + 1 - start, word.text, word.parts.size() > 1});
            }
        }
    }
    poner(spans);
}

void SpellMarker::entradasCambiadas() {
    entryWords_.reset();
    if (service_ != nullptr) timer_.start();
}

bool SpellMarker::esEntrada(const QString& word) {
    if (!file_) return false;
    if (!entryWords_) {
        entryWords_.emplace();
        for (const CardListItem& item : file_->GetCrdList(true)) {
            const QString entry = platform::toQString(item.text).toUpper();
            qsizetype start = -1;
            for (qsizetype i = 0; i <= entry.size(); ++i) {
                const bool letter = i < entry.size() && entry[i].isLetterOrNumber();
                if (letter && start < 0) start = i;
                if (!letter && start >= 0) {
                    entryWords_->insert(entry.mid(start, i - start));
                    start = -1;
                }
            }
        }
    }
    return entryWords_->contains(word.toUpper());
}

void SpellMarker::poner(const std::vector<Mark>& spans) {
    QList<QTextEdit::ExtraSelection> selections;
    bool had = false;
    for (const QTextEdit::ExtraSelection& other : editor_.extraSelections()) {
        if (other.format.hasProperty(kSpellMark)) {
            had = true;
        } else {
            selections << other;
        }
    }
    if (!had && spans.empty()) return;
    QTextCharFormat wave;
    wave.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wave.setUnderlineColor(Qt::red);
    for (const Mark& span : spans) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(editor_.document());
        mark.cursor.setPosition(span.start);
        mark.cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
        mark.format = wave;
        mark.format.setProperty(kSpellMark, span.word);
        if (span.split) mark.format.setProperty(kSpellSplit, true);
        selections << mark;
    }
    editor_.setExtraSelections(selections);
}

std::vector<SpellMarker::Mark> SpellMarker::marks() const {
    std::vector<Mark> out;
    for (const QTextEdit::ExtraSelection& mark : editor_.extraSelections()) {
        if (!mark.format.hasProperty(kSpellMark) || !mark.cursor.hasSelection()) continue;
        out.push_back({mark.cursor.selectionStart(),
                       mark.cursor.selectionEnd() - mark.cursor.selectionStart(),
                       mark.format.stringProperty(kSpellMark),
                       mark.format.boolProperty(kSpellSplit)});
    }
    return out;
}

std::vector<std::pair<int, int>> SpellMarker::Marcas() const {
    std::vector<std::pair<int, int>> out;
    for (const Mark& mark : marks()) out.emplace_back(mark.start, mark.length);
    return out;
}

std::optional<SpellMarker::Mark> SpellMarker::marcaEn(int position) const {
    for (const Mark& mark : marks()) {
        if (position >= mark.start && position <= mark.start + mark.length) return mark;
    }
    return std::nullopt;
}

QMenu* SpellMarker::Menu(int position) {
    QMenu* menu = editor_.createStandardContextMenu();
    const auto mark = service_ ? marcaEn(position) : std::nullopt;
    if (!mark) return menu;
    const QString word = mark->word;
    QStringList suggestions;
    // A mark still on the word as it was marked, and not split by a tag.
    if (!mark->split && editor_.Texto().mid(mark->start, mark->length) == word) {
        for (const QString& suggestion : service_->Sugerencias(word)) {
            if (storable(suggestion)) suggestions << suggestion;
        }
    }
    // The window may close while the menu is open.
    const QPointer<SpellMarker> self(this);
    const QPointer<SpellService> service(service_);
    SpellMenuActions actions;
    actions.choose = [self, span = std::pair(mark->start, mark->length)](const QString& chosen) {
        if (self) self->cambiar(span, chosen);
    };
    actions.add = [self, word] {
        if (self) self->anadir(word);
    };
    actions.ignore = [service, word] {
        if (service) service->Ignorar(word);
    };
    AddSpellEntries(*menu, suggestions, actions);
    return menu;
}

void SpellMarker::anadir(const QString& word) {
    if (!service_ || service_->Anadir(word)) return;
    dialogs_.MsgBoxPlus(
        QStringLiteral("No se pudo guardar «%1» en el diccionario personal.").arg(word),
        QStringLiteral("No se puede escribir en «%1». La palabra se acepta hasta que se cierre "
                       "el programa.")
            .arg(service_->ListaPersonal()),
        support::msg::kExclamation, QStringLiteral("Añadir al diccionario"));
}

void SpellMarker::abrirMenu(int position, const QPoint& globalPosition) {
    // Not exec(): a window closed while its menu is open takes the menu with
    // it, and no nested loop may still hold it then.
    QMenu* menu = Menu(position);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

void SpellMarker::cambiar(std::pair<int, int> span, const QString& suggestion) {
    if (editor_.isReadOnly()) return;
    // One replacement of the selection: one undo step.
    editor_.Seleccionar(span.first, span.second);
    editor_.Insertar(suggestion, false);
}

bool SpellMarker::eventFilter(QObject* watched, QEvent* event) {
    const bool viewport = watched == editor_.viewport();
    if (!viewport && watched != &editor_) return QObject::eventFilter(watched, event);
    if (viewport && event->type() == QEvent::Resize) timer_.start();
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool shiftF10 =
        key != nullptr && key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    const auto* context =
        event->type() == QEvent::ContextMenu ? static_cast<QContextMenuEvent*>(event) : nullptr;
    if (viewport && context != nullptr) {
        abrirMenu(editor_.cursorForPosition(context->pos()).position(), context->globalPos());
        return true;
    }
    if (!viewport &&
        (shiftF10 || (context != nullptr && context->reason() == QContextMenuEvent::Keyboard))) {
        // From the keyboard: at the caret.
        const QRect caret = editor_.cursorRect();
        abrirMenu(editor_.textCursor().position(),
                  editor_.viewport()->mapToGlobal(caret.bottomLeft()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace cartulo::windows
