// The card window's text editor: a plain-text editor whose every insertion
// (typing, paste, drop, input method) is first offered to the window, which
// may refuse it or hand back what the card can hold. It reports where the
// left button was last pressed, double-clicks, and the release of Enter.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

namespace cartulo::windows {

class CardTextEdit : public QPlainTextEdit {
    Q_OBJECT

  public:
    // Given the text about to be inserted (line ends as LF) and whether it
    // comes from the clipboard or a drop: the text to insert, or nothing to
    // refuse the insertion.
    using FiltroInsercion = std::function<std::optional<QString>(const QString&, bool pasted)>;

    explicit CardTextEdit(QWidget* parent = nullptr);

    void SetFiltroInsercion(FiltroInsercion filter) { filter_ = std::move(filter); }
    void SetDobleClic(std::function<void(int position)> handler) {
        doubleClick_ = std::move(handler);
    }
    void SetEnterSoltado(std::function<void()> handler) { enterReleased_ = std::move(handler); }
    // Given where Ctrl+click fell; true when it did something (the caret stays).
    void SetCtrlClic(std::function<bool(int position)> handler) { ctrlClick_ = std::move(handler); }

    // The text shown, with LF line ends and every character as it is (the
    // document's own plain text turns no-break spaces into blanks).
    QString Texto() const;
    // Makes the text `lf` with the smallest replacement, as one undo step;
    // the caller sets the selection afterwards.
    void CambiarTexto(const QString& lf);
    void Seleccionar(int start, int length);
    // The selection as (start, length).
    std::pair<int, int> Seleccion() const;
    // The selected text with LF line ends.
    QString TextoSeleccionado() const;
    // Replaces the selection by `text` after offering it to the filter as a
    // paste; false when refused or read-only.
    bool Insertar(const QString& text, bool pasted);
    // Where the left button was last pressed (0-based caret position).
    int PosicionClic() const { return clickPosition_; }
    int UltimaTecla() const { return lastKey_; }
    // The format that marks text dragged or copied out of a card editor with
    // the editor's number, so a drop can tell it came from another window.
    static QString FormatoOrigen();
    int NumeroEditor() const { return number_; }
    // What a copy or a drag of the selection carries, marked as above.
    QMimeData* createMimeDataFromSelection() const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    std::optional<QString> offer(const QString& text, bool pasted) const;

    FiltroInsercion filter_;
    std::function<void(int)> doubleClick_;
    std::function<void()> enterReleased_;
    std::function<bool(int)> ctrlClick_;
    int clickPosition_ = 0;
    int lastKey_ = 0;
    int number_;
};

}  // namespace cartulo::windows
