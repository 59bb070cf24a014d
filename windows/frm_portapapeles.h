// frmPortapapeles, the clipboard viewer ("Portapapeles"): a small child
// window that keeps showing what the system clipboard holds. Text is drawn
// as card markup, a copied card as a card (its entry as a bold heading
// above its text), a picture with scroll bars. It follows the clipboard's
// change signal, not a timer: the clipboard is read, and a card decoded,
// only when it changed. Changes are taken once the event loop turns, so a
// clear followed by a new text (as every copy does) is one change. The
// same text again does not repaint. Keys go only to the main window's
// shortcuts.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "windows/child_window.h"
#include "windows/main_services.h"

class QLabel;
class QScrollArea;

namespace cartulo::platform {
class ClipboardWatch;
}

namespace cartulo::windows {

class PreviewCanvas;

class frmPortapapeles : public QWidget, public ChildWindow {
    Q_OBJECT

  public:
    // The load size in twips, before the display scale.
    static constexpr int kAnchoTwips = 3072;
    static constexpr int kAltoTwips = 2880;
    // Colocar leaves this gap at the right, in pixels.
    static constexpr int kMargenPixeles = 30;

    enum class Clase { Nada, Texto, Imagen };

    explicit frmPortapapeles(MainServices& services, QWidget* parent = nullptr);
    ~frmPortapapeles() override;

    // --- ChildWindow ---
    QVariant Comando(const QString& word, const Argumentos& args = {}) override;
    // Left edge 3072 twips and 30 pixels left of the docking edge, top at
    // two thirds of the client area's height, 3072 twips wide.
    void Colocar() override;
    void Reacoplar() override;
    void CrearBotones() override;
    std::shared_ptr<cCartulo> Cartulo() const override { return nullptr; }
    ChildKind Kind() const override { return ChildKind::Otra; }
    QWidget* Widget() override { return this; }

    // Reads the clipboard and shows what it holds.
    void Refrescar();
    // Takes a change of the clipboard now instead of when the event loop turns.
    void RefrescarSiPendiente();
    bool RefrescoPendiente() const { return pending_; }

    Clase ClaseMostrada() const { return shown_; }
    // The markup drawn in the text area.
    const std::string& TextoMostrado() const { return text_; }
    // Paintings of the text area so far.
    int Repintados() const { return repaints_; }

    PreviewCanvas* picTexto() const { return picTexto_; }
    QScrollArea* picImagenFrame() const { return picImagenFrame_; }
    QLabel* picImagen() const { return picImagen_; }

    // The load size, so the outer window the shell wraps this in takes it.
    QSize sizeHint() const override { return loadSize_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CambioPortapapeles();
    void MostrarTexto(std::string text);
    void MostrarImagen(const QImage& picture);
    void Repintar();
    int Px(int twips) const;
    QWidget* Exterior();

    MainServices& services_;
    const double scale_;
    QSize loadSize_;
    std::unique_ptr<platform::ClipboardWatch> watch_;
    bool pending_ = false;
    Clase shown_ = Clase::Nada;
    std::string text_;
    QImage picture_;
    int repaints_ = 0;
    QSize paintedSize_;  // of the text area at the last painting
    bool placed_ = false;
    std::optional<QPoint> colocadaEn_;  // where Colocar last put the outer window
    bool closed_ = false;

    PreviewCanvas* picTexto_ = nullptr;
    QScrollArea* picImagenFrame_ = nullptr;
    QLabel* picImagen_ = nullptr;
};

}  // namespace cartulo::windows
