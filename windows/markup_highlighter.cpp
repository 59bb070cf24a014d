#include "windows/markup_highlighter.h"

#include <QHelpEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "engine/win1252.h"
#include "platform/text_codec.h"

namespace cartulo::windows {

namespace {

using richtext::MarkupSpan;
using richtext::SpanKind;

// Read this much past the screen's ends, so scrolling a little reads nothing.
constexpr std::size_t kReadAround = 4096;
// Inserted text longer than this is not patched in: the copy is made anew.
constexpr int kPatchLimit = 4096;
// An edit whose lines read on further than this reads the screen again.
constexpr std::size_t kPartMost = 8192;
// Edits read one by one between two repaints; past them the screen is read again.
constexpr int kEditsAlone = 8;

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

// One character of the editor as the card holds it: Windows-1252, a line
// end as CR LF.
void appendCardByte(std::string& out, QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 && u != u'\n' && u != u'\r') {
        out += static_cast<char>(u);
    } else if (u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029) {
        out += "\r\n";
    } else {
        const int byte = win1252::fromUnicode(u);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
}

// The editor's text as the card holds it: Windows-1252, CR LF line ends.
std::string cardBytes(const QTextDocument& document) {
    const QString raw = document.toRawText();
    std::string out;
    out.reserve(static_cast<std::size_t>(raw.size() + document.blockCount()));
    for (const QChar c : raw) appendCardByte(out, c);
    return out;
}

}  // namespace

MarkupHighlighter::MarkupHighlighter(QPlainTextEdit& editor) : QObject(&editor), editor_(editor) {
    connect(editor_.document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { cambio(position, removed, added); });
    // Every change on screen (typing, scrolling, resizing) asks for a repaint
    // first: the blocks it shows are coloured before it is done.
    connect(&editor_, &QPlainTextEdit::updateRequest, this, [this] { Refrescar(); });
    viewport_ = editor_.viewport();
    viewport_->installEventFilter(this);
}

void MarkupHighlighter::SetCartulo(std::shared_ptr<cCartulo> file) {
    subscription_.reset();
    file_ = std::move(file);
    if (file_) subscription_ = file_->Subscribe(*this);
    enlacesCambiados();
}

void MarkupHighlighter::SetActivo(bool on) {
    if (on == on_) return;
    on_ = on;
    ++generation_;
    if (on_) {
        textChanged_ = true;
        Refrescar();
    } else {
        borrarTodo();
    }
}

void MarkupHighlighter::onCloseCard(CardId) {
    QTimer::singleShot(0, this, [this] { enlacesCambiados(); });
}

void MarkupHighlighter::enlacesCambiados() {
    ++generation_;
    Refrescar();
}

void MarkupHighlighter::cambio(int position, int removed, int added) {
    if (busy_) return;
    const bool wasRead = !textChanged_;
    textChanged_ = true;
    if (!bytesValid_) return;
    const QTextDocument& document = *editor_.document();
    // The lines before the edit are as they were: so is the edit's offset.
    const std::size_t at = posicionEnTarjeta(position);
    // A large insertion (a new text) is faster converted whole.
    if (at > bytes_.size() || added > kPatchLimit) {
        bytesValid_ = false;
        return;
    }
    std::size_t end = at;
    for (int k = 0; k < removed && end < bytes_.size(); ++k) {
        end += bytes_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    }
    std::string in;
    const int last = std::min(position + added, document.characterCount() - 1);
    for (int i = position; i < last; ++i) appendCardByte(in, document.characterAt(i));
    bytes_.replace(at, end - at, in);
    textChanged_ = !(wasRead && releer(position, at, end, in.size()));
}

bool MarkupHighlighter::releer(int position, std::size_t at, std::size_t end, std::size_t added) {
    // Many edits before a repaint (a replacement throughout) are read once.
    if (++edits_ > kEditsAlone || at < readFrom_ || end > readTo_) return false;
    const std::optional<richtext::MarkupSpansPart> part =
        richtext::ReadMarkupSpansAround(bytes_, at, at + added, kPartMost);
    if (!part || part->begin < readFrom_) return false;
    const std::size_t oldEnd = part->end + (end - at) - added;
    if (oldEnd > readTo_) return false;
    // The spans outside the part stay only when none of them crossed into it.
    auto firstIn = std::lower_bound(spans_.begin(), spans_.end(), part->begin,
                                    [](const MarkupSpan& s, std::size_t o) { return s.begin < o; });
    auto after = std::lower_bound(firstIn, spans_.end(), oldEnd,
                                  [](const MarkupSpan& s, std::size_t o) { return s.begin < o; });
    const auto before = static_cast<std::size_t>(firstIn - spans_.begin());
    if (before > 0 && maxEnd_[before - 1] > part->begin) return false;
    for (auto i = firstIn; i != after; ++i) {
        if (i->end > oldEnd) return false;
    }
    for (auto i = after; i != spans_.end(); ++i) {
        i->begin = i->begin + added - (end - at);
        i->end = i->end + added - (end - at);
    }
    firstIn = spans_.erase(firstIn, after);
    spans_.insert(firstIn, part->spans.begin(), part->spans.end());
    readTo_ = readTo_ + added - (end - at);
    furthest();
    // The lines of the part are coloured again; the others are as they were.
    QTextBlock block = editor_.document()->findBlock(position);
    while (block.previous().isValid() && posicionEnTarjeta(block.position()) > part->begin) {
        block = block.previous();
    }
    for (; block.isValid() && posicionEnTarjeta(block.position()) < part->end;
         block = block.next()) {
        block.setUserState(generation_ - 1);
    }
    return true;
}

void MarkupHighlighter::furthest() {
    maxEnd_.resize(spans_.size());
    std::size_t reach = 0;
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        reach = std::max(reach, spans_[i].end);
        maxEnd_[i] = reach;
    }
}

void MarkupHighlighter::leer(std::size_t from, std::size_t to) {
    const QTextDocument& document = *editor_.document();
    // Each line end is two bytes: a length that disagrees means a missed edit.
    const auto length = static_cast<std::size_t>(document.characterCount() - 1) +
                        static_cast<std::size_t>(document.blockCount() - 1);
    if (!bytesValid_ || bytes_.size() != length) {
        bytes_ = cardBytes(document);
        bytesValid_ = true;
    }
    richtext::MarkupSpansPart part = richtext::ReadMarkupSpansAround(bytes_, from, to);
    spans_ = std::move(part.spans);
    furthest();
    readFrom_ = part.begin;
    readTo_ = part.end;
    textChanged_ = false;
    ++generation_;
}

const std::vector<MarkupSpan>& MarkupHighlighter::Marcas() {
    if (!bytesValid_ || !leido(0, bytes_.size())) leer(0, std::string::npos);
    // What the patched copy says must be what the editor shows.
    Q_ASSERT(bytes_ == cardBytes(*editor_.document()));
    return spans_;
}

bool MarkupHighlighter::Rota(const MarkupSpan& link) const {
    return link.kind == SpanKind::Link && file_ && file_->SrchNtry(link.detail) <= kNoCard;
}

std::size_t MarkupHighlighter::posicionEnTarjeta(int position) const {
    const QTextBlock block = editor_.document()->findBlock(position);
    // Each earlier line end is CR LF in the card, one character in the editor.
    return static_cast<std::size_t>(position + std::max(block.blockNumber(), 0));
}

const MarkupSpan* MarkupHighlighter::marcaEn(std::size_t offset) const {
    const MarkupSpan* found = nullptr;
    // The last span starting at or before the offset, then back while one may reach it.
    auto it = std::upper_bound(spans_.begin(), spans_.end(), offset,
                               [](std::size_t o, const MarkupSpan& s) { return o < s.begin; });
    for (auto i = static_cast<std::size_t>(it - spans_.begin()); i-- > 0;) {
        if (maxEnd_[i] <= offset) break;
        const MarkupSpan& span = spans_[i];
        if (span.end <= offset) continue;
        // A link holds the tags inside it; the link is what is asked for.
        if (found == nullptr || span.kind == SpanKind::Link || span.kind == SpanKind::Error) {
            found = &span;
        }
    }
    return found;
}

std::optional<MarkupSpan> MarkupHighlighter::EnlaceEn(int position) {
    const std::size_t offset = posicionEnTarjeta(position);
    if (!leido(offset, offset + 1)) leer(offset, offset + 1);
    const MarkupSpan* span = marcaEn(offset);
    if (span == nullptr || span->kind != SpanKind::Link) return std::nullopt;
    return *span;
}

QTextCharFormat MarkupHighlighter::Formato(const MarkupSpan& span) const {
    const QPalette palette = editor_.palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    const bool dark = base.lightness() < 128;
    const QColor red = dark ? QColor(255, 110, 110) : QColor(200, 0, 0);
    QTextCharFormat format;
    switch (span.kind) {
        case SpanKind::Brace:
            format.setForeground(mix(text, base, 0.55));
            break;
        case SpanKind::Name:
            format.setForeground(mix(palette.color(QPalette::Highlight), text, 0.3));
            break;
        case SpanKind::Value:
            format.setForeground(mix(text, base, 0.35));
            break;
        case SpanKind::Comment:
            format.setForeground(palette.color(QPalette::PlaceholderText));
            format.setFontItalic(true);
            break;
        case SpanKind::Link:
            if (Rota(span)) {
                format.setForeground(red);
                format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
                format.setUnderlineColor(red);
            } else {
                format.setForeground(palette.color(QPalette::Link));
                format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
            }
            break;
        case SpanKind::Error:
            format.setForeground(red);
            format.setBackground(mix(base, red, 0.2));
            break;
    }
    return format;
}

const QTextCharFormat& MarkupHighlighter::formato(const MarkupSpan& span) {
    // One slot per kind, and one more for a link no card answers.
    const bool broken = Rota(span);
    const auto slot = static_cast<std::size_t>(span.kind) + (broken ? 1 : 0) * 8;
    if (formats_.size() <= slot) formats_.resize(slot + 1);
    if (!formats_[slot]) formats_[slot] = Formato(span);
    return *formats_[slot];
}

bool MarkupHighlighter::colorear(const QTextBlock& block) {
    const std::size_t from = posicionEnTarjeta(block.position());
    const std::size_t to = from + static_cast<std::size_t>(std::max(block.length() - 1, 0));
    QList<QTextLayout::FormatRange> ranges;
    auto it = std::lower_bound(spans_.begin(), spans_.end(), from,
                               [](const MarkupSpan& s, std::size_t o) { return s.begin < o; });
    auto first = static_cast<std::size_t>(it - spans_.begin());
    while (first > 0 && maxEnd_[first - 1] > from) --first;
    for (std::size_t i = first; i < spans_.size() && spans_[i].begin < to; ++i) {
        const MarkupSpan& span = spans_[i];
        if (span.end <= from) continue;
        const std::size_t begin = std::max(span.begin, from);
        const std::size_t end = std::min(span.end, to);
        QTextLayout::FormatRange range;
        range.start = static_cast<int>(begin - from);
        range.length = static_cast<int>(end - begin);
        range.format = formato(span);
        ranges.push_back(range);
    }
    QTextBlock writable = block;
    writable.setUserState(generation_);
    QTextLayout* layout = block.layout();
    if (layout == nullptr || layout->formats() == ranges) return false;
    layout->setFormats(ranges);
    return true;
}

void MarkupHighlighter::Refrescar() {
    if (busy_ || !on_) return;
    edits_ = 0;
    QTextDocument& document = *editor_.document();
    QTextBlock block = editor_.cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock last =
        editor_.cursorForPosition(QPoint(0, editor_.viewport()->height())).block();
    if (!block.isValid()) return;
    // One block either side, for a scroll by a line.
    if (block.previous().isValid()) block = block.previous();
    const QTextBlock stop = last.next().isValid() ? last.next().next() : last.next();
    const std::size_t from = posicionEnTarjeta(block.position());
    const std::size_t to =
        posicionEnTarjeta(stop.isValid() ? stop.position() : document.characterCount() - 1);
    if (!leido(from, to)) leer(from > kReadAround ? from - kReadAround : 0, to + kReadAround);
    busy_ = true;
    formats_.clear();  // the palette may have changed
    int dirtyFrom = -1;
    int dirtyTo = -1;
    for (; block.isValid() && block != stop; block = block.next()) {
        if (block.userState() == generation_) continue;
        if (colorear(block)) {
            if (dirtyFrom < 0) dirtyFrom = block.position();
            dirtyTo = block.position() + block.length();
        }
    }
    // The changed blocks are laid out again; the text stays as it is.
    if (dirtyFrom >= 0) document.markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
    busy_ = false;
}

void MarkupHighlighter::borrarTodo() {
    QTextDocument& document = *editor_.document();
    busy_ = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.userState() == -1) continue;
        block.setUserState(-1);
        if (block.layout() != nullptr && !block.layout()->formats().isEmpty()) {
            block.layout()->clearFormats();
            document.markContentsDirty(block.position(), block.length());
        }
    }
    busy_ = false;
}

bool MarkupHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ToolTip && on_) {
        auto& help = static_cast<QHelpEvent&>(*event);
        const int position = editor_.cursorForPosition(help.pos()).position();
        const std::size_t offset = posicionEnTarjeta(position);
        if (!leido(offset, offset + 1)) leer(offset, offset + 1);
        const MarkupSpan* span = marcaEn(offset);
        QString tip;
        if (span != nullptr && span->kind == SpanKind::Error) {
            tip = platform::toQString(span->detail);
        } else if (span != nullptr && Rota(*span)) {
            tip = QStringLiteral("No existe ninguna ficha «") + platform::toQString(span->detail) +
                  QStringLiteral("»");
        }
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help.globalPos(), tip, viewport_);
        }
        return true;
    }
    // A taller editor or a shown one sends no update request for the lines
    // it uncovers; a new palette changes every colour.
    if (on_) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            QTimer::singleShot(0, this, [this] { Refrescar(); });
        } else if (event->type() == QEvent::PaletteChange) {
            QTimer::singleShot(0, this, [this] { enlacesCambiados(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace cartulo::windows
