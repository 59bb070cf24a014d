// Colours the markup of a card editor's text: tags, comments, links (in
// red with a wave when no card has their target) and what layout would
// report as faults. Only formats of the blocks on screen change, and only
// when they differ, so a keystroke in a long card stays cheap; the text,
// its undo history and the card are never touched.
#pragma once

#include <QObject>
#include <QTextCharFormat>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cartulo.h"
#include "richtext/markup_spans.h"

class QPlainTextEdit;
class QWidget;
class QTextBlock;

namespace cartulo::windows {

class MarkupHighlighter : public QObject, private CartuloListener {
    Q_OBJECT

  public:
    // Colours `editor`, which also owns it.
    explicit MarkupHighlighter(QPlainTextEdit& editor);

    // The file whose cards the links name; followed as cards come and go.
    void SetCartulo(std::shared_ptr<cCartulo> file);
    void SetActivo(bool on);
    bool Activo() const { return on_; }

    // The markup as read now, card offsets counted with CR LF line ends.
    const std::vector<richtext::MarkupSpan>& Marcas();
    // Whether no card has a link's target.
    bool Rota(const richtext::MarkupSpan& link) const;
    // The link at a position of the editor, if any.
    std::optional<richtext::MarkupSpan> EnlaceEn(int position);
    // What a span is shown with.
    QTextCharFormat Formato(const richtext::MarkupSpan& span) const;
    // Colours the blocks on screen that need it.
    void Refrescar();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onNewCard(CardId, bool) override { enlacesCambiados(); }
    // The card is still there while its close is told.
    void onCloseCard(CardId) override;
    void onUpdateCardNtry(CardId) override { enlacesCambiados(); }
    void enlacesCambiados();

    // Reads the spans around [from, to) of the card's text.
    void leer(std::size_t from, std::size_t to);
    // Keeps bytes_ in step with an edit of the editor's text.
    void cambio(int position, int removed, int added);
    // Reads again only the lines around an edit of bytes_ at [at, end), now
    // `added` bytes, when the spans elsewhere cannot have changed; false
    // when the screen must be read again.
    bool releer(int position, std::size_t at, std::size_t end, std::size_t added);
    // Fills maxEnd_ for spans_.
    void furthest();
    bool leido(std::size_t from, std::size_t to) const {
        return !textChanged_ && readFrom_ <= from && to <= readTo_;
    }
    // True when its formats changed.
    bool colorear(const QTextBlock& block);
    // Formato's answer, made once for each kind of span in a refresh.
    const QTextCharFormat& formato(const richtext::MarkupSpan& span);
    std::size_t posicionEnTarjeta(int position) const;
    const richtext::MarkupSpan* marcaEn(std::size_t offset) const;
    void borrarTodo();

    QPlainTextEdit& editor_;
    // Kept apart: its events still come while the editor is being destroyed.
    QWidget* viewport_ = nullptr;
    std::shared_ptr<cCartulo> file_;
    Subscription subscription_;
    bool on_ = true;
    bool busy_ = false;
    bool textChanged_ = true;
    int generation_ = 0;
    int edits_ = 0;  // read by releer since the last repaint
    // The spans of [readFrom_, readTo_) of the card's text; maxEnd_[i] is
    // the furthest end among spans 0..i.
    std::vector<richtext::MarkupSpan> spans_;
    std::vector<std::size_t> maxEnd_;
    // The editor's text as the card holds it (CR LF line ends), patched at
    // each edit rather than converted whole.
    std::string bytes_;
    bool bytesValid_ = false;
    std::vector<std::optional<QTextCharFormat>> formats_;
    std::size_t readFrom_ = 0;
    std::size_t readTo_ = 0;
};

}  // namespace cartulo::windows
