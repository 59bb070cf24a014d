#include "windows/link_completer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "platform/text_codec.h"
#include "windows/card_text_edit.h"
#include "windows/index_search.h"

namespace cartulo::windows {

namespace {

constexpr int kMaxShown = 200;
constexpr QChar kOpen = QChar(0xAB);
constexpr QChar kClose = QChar(0xBB);

bool isAccept(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab;
}

bool isMove(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

}  // namespace

LinkCompleter::LinkCompleter(CardTextEdit& editor) : QObject(&editor), editor_(editor) {
    list_ = new QListWidget(&editor);
    // A tool tip's window takes neither the focus nor the activation: the
    // keys stay with the editor.
    list_->setWindowFlags(Qt::ToolTip | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setUniformItemSizes(true);
    list_->hide();
    connect(list_, &QListWidget::itemClicked, this, [this] { Aceptar(); });
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, [this] { update(); });
    connect(editor_.document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                if (added <= 0) return;
                const QTextDocument& document = *editor_.document();
                // Colouring reports an equal-length change that edits nothing.
                if (added == removed && document.revision() == revision_) return;
                revision_ = document.revision();
                // Typed or inserted (over a selection too): the list opens when
                // what stands before the caret ends the opening.
                const int caret = editor_.textCursor().position();
                if (caret < position || caret > position + added) return;
                QString tail;
                for (int i = std::max(caret - 3, 0); i < caret; ++i)
                    tail += document.characterAt(i);
                if (tail.endsWith(kOpen) || tail.compare(u"{L:", Qt::CaseInsensitive) == 0) {
                    triggered_ = true;
                }
                if (triggered_ || Abierta()) pending_.start();
            });
    connect(&editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (Abierta()) pending_.start();
    });
    editor_.installEventFilter(this);
}

LinkCompleter::~LinkCompleter() = default;

bool LinkCompleter::Abierta() const {
    return list_->isVisible();
}

QStringList LinkCompleter::Opciones() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
    return out;
}

std::optional<LinkCompleter::Context> LinkCompleter::context() const {
    const QTextCursor cursor = editor_.textCursor();
    if (cursor.hasSelection()) return std::nullopt;
    const QTextBlock block = cursor.block();
    const QString line = block.text().left(cursor.positionInBlock());
    for (qsizetype i = line.size(); i-- > 0;) {
        const QChar c = line[i];
        if (c == kOpen) return Context{block.position() + static_cast<int>(i) + 1, true};
        if (c == kClose) return std::nullopt;
        if (c == u'{' || c == u'}' || c == u',') {
            if (c == u'{' &&
                QStringView(line).mid(i, 3).compare(u"{L:", Qt::CaseInsensitive) == 0) {
                return Context{block.position() + static_cast<int>(i) + 3, false};
            }
            // Only a «...» may hold braces and commas.
            if (!line.left(i).contains(kOpen)) return std::nullopt;
        }
    }
    return std::nullopt;
}

void LinkCompleter::collect(bool quote) {
    entries_.clear();
    entriesForQuote_ = quote;
    if (!file_) return;
    for (CardId card = file_->FirstCard(); card > kNoCard; card = file_->NextCard(card)) {
        const std::string entry = file_->GetNtry(card);
        if (entry.empty()) continue;
        // What the link's form cannot hold would end it early.
        // A brace inside «» opens a tag that would swallow the ».
        const bool fits = quote ? entry.find_first_of("\xAB\xBB{") == std::string::npos
                                : entry.find_first_of(",{}") == std::string::npos;
        if (fits) entries_.push_back({platform::toQString(entry), ClaveOrden(entry)});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
}

void LinkCompleter::update() {
    const bool opening = std::exchange(triggered_, false);
    const std::optional<Context> at = context();
    if (!at || (!opening && !Abierta()) || editor_.isReadOnly()) {
        Cerrar();
        return;
    }
    if (opening || at->quote != entriesForQuote_) collect(at->quote);
    const int caret = editor_.textCursor().position();
    QString typed;
    for (int i = at->start; i < caret; ++i) typed += editor_.document()->characterAt(i);
    const std::string key = ClaveOrden(typed);
    QStringList starting;
    QStringList containing;
    for (const Entry& entry : entries_) {
        if (starting.size() >= kMaxShown) break;
        const std::size_t found = entry.key.find(key);
        if (found == 0) {
            starting << entry.text;
        } else if (found != std::string::npos && containing.size() < kMaxShown) {
            containing << entry.text;
        }
    }
    starting << containing.mid(0, kMaxShown - starting.size());
    if (starting.isEmpty()) {
        list_->hide();
        list_->clear();
        // Still inside the link: the list comes back when something matches.
        triggered_ = true;
        return;
    }
    if (starting != Opciones()) {
        list_->clear();
        list_->addItems(starting);
    }
    list_->setCurrentRow(0);
    const QRect caretRect = editor_.cursorRect();
    list_->move(editor_.viewport()->mapToGlobal(caretRect.bottomLeft()));
    const int rows = std::min(static_cast<int>(starting.size()), 10);
    list_->resize(std::max(editor_.width() / 2, 160),
                  rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth());
    list_->show();
}

bool LinkCompleter::Aceptar() {
    const std::optional<Context> at = context();
    QListWidgetItem* item = list_->currentItem();
    if (!Abierta() || !at || item == nullptr) return false;
    QString text = item->text();
    const int end = linkEnd(*at);
    const QTextDocument& document = *editor_.document();
    // A label after the comma stays with its closing; else the closing is put in once.
    const bool label =
        !at->quote && document.characterAt(end) == u',' && document.characterAt(end - 1) != u'}';
    if (!label) text += at->quote ? QString(kClose) : QStringLiteral("}");
    Cerrar();
    editor_.Seleccionar(at->start, end - at->start);
    // The typed part and the entry are one replacement: one undo step.
    editor_.Insertar(text, false);
    return true;
}

int LinkCompleter::linkEnd(const Context& at) const {
    const QTextCursor cursor = editor_.textCursor();
    const QString rest = cursor.block().text().mid(cursor.positionInBlock());
    const int caret = cursor.position();
    // The filter typed after the caret goes too: through the link's closing
    // when it has one, else to the end of the word.
    const QString closing = at.quote ? QString(kClose) : QStringLiteral("},");
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (closing.contains(c)) return caret + static_cast<int>(i) + (c == u',' ? 0 : 1);
        if (at.quote ? c == kOpen : c == u'{') break;
    }
    qsizetype i = 0;
    while (i < rest.size() && !rest[i].isSpace() && rest[i] != u'{' && rest[i] != kOpen &&
           rest[i] != kClose && rest[i] != u'}' && rest[i] != u',')
        ++i;
    return caret + static_cast<int>(i);
}

void LinkCompleter::Cerrar() {
    pending_.stop();
    triggered_ = false;
    list_->hide();
    list_->clear();
}

bool LinkCompleter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &editor_) return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease && swallowRelease_ != 0) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // The Enter that chose an entry is no line break to indent after.
        if (key.key() == swallowRelease_) {
            if (!key.isAutoRepeat()) swallowRelease_ = 0;
            return true;
        }
    }
    if (type == QEvent::FocusOut) swallowRelease_ = 0;
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !Abierta()) {
        if (type == QEvent::FocusOut && Abierta() && QApplication::activeWindow() != list_)
            Cerrar();
        return QObject::eventFilter(watched, event);
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    const bool ours = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                      (isAccept(key.key()) || isMove(key.key()) || key.key() == Qt::Key_Escape);
    if (!ours) return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // The editor takes these keys while the list is open, not the menus.
        event->accept();
        return true;
    }
    if (isMove(key.key())) {
        const int step = key.key() == Qt::Key_Up       ? -1
                         : key.key() == Qt::Key_Down   ? 1
                         : key.key() == Qt::Key_PageUp ? -10
                                                       : 10;
        list_->setCurrentRow(std::clamp(list_->currentRow() + step, 0, list_->count() - 1));
    } else if (key.key() == Qt::Key_Escape) {
        Cerrar();
    } else if (Aceptar()) {
        swallowRelease_ = key.key();
    } else {
        return QObject::eventFilter(watched, event);
    }
    return true;
}

}  // namespace cartulo::windows
