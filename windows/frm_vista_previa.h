// frmVistaPrevia, the preview ("Vista previa"): the card active in the main
// window, rendered. A light borderless panel the main window docks at the
// right edge of its client area, with the card's entry in a title strip, a
// close button that shows when the pointer comes near it, a size grip and a
// roll-up mode. A press on a link opens the linked card of the same file,
// as F8 does in a card window; buttons and sound symbols show their pressed
// look and a sound plays. Commands of buttons and picture maps and popups
// are never run: the card file may come from anyone.
//
// Repaints are coalesced: every change marks the output stale, and one
// layout and painting happens when the event loop next turns, however many
// changes came before it. A card longer than the panel scrolls.
//
// A resize that changes only the height lays nothing out again and does not
// repaint, unless the backing image must grow to cover the taller area, the
// scroll bar must appear or disappear, or the scroll position must move up
// because the taller area now reaches past the text's end.
//
// Escape without modifiers opens the card shown; with any modifier it is
// left to the main window's shortcuts like every other key.
//
// The close button closes the window on the next turn of the event loop,
// never inside its own mouse event, so whatever handles `cerrada` may
// delete the window at once.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/cartulo.h"
#include "engine/cartulos.h"
#include "platform/tick_count.h"
#include "windows/main_services.h"

class QScrollBar;
class QTimer;

namespace cartulo {
class cOurMC;
}

namespace cartulo::windows {

class PreviewCanvas;
class PreviewCloseButton;
class PreviewSizeGrip;

class frmVistaPrevia : public QWidget, private CartuloListener, private CartulosListener {
    Q_OBJECT

  public:
    // The title strip; a window this low or lower is rolled up.
    static constexpr int kAltoTiraTwips = 480;
    static constexpr int kAltoMinimizadaTwips = 600;
    // The close button shows when the pointer is this near the top-right corner.
    static constexpr int kZonaCerrarTwips = 480;
    // The grip makes the window no smaller than this.
    static constexpr int kAnchoMinimoTwips = 1440;
    static constexpr int kAltoMinimoTwips = 720;
    // The close button hides this long after it was shown.
    static constexpr std::uint32_t kMsBotonCerrar = 2000;
    static constexpr int kIntervaloCerrarMs = 100;
    // Placement and text gaps, in pixels.
    static constexpr int kAnchoPixeles = 400;
    static constexpr int kMargenPixeles = 5;
    static constexpr int kMargenTextoPixeles = 10;

    // `registry` is the one whose removal of the shown file empties the
    // preview (Ctus() when null).
    explicit frmVistaPrevia(MainServices& services,
                            platform::TickSource clock = platform::GetTickCount,
                            QWidget* parent = nullptr, cCartulos* registry = nullptr);
    ~frmVistaPrevia() override;

    // Shows the window over the main window's other children.
    void Activar();
    // The title from the shown card, and a new painting of its text.
    void Actualizar();
    // Docks the window 5 pixels inside the right, top and bottom edges of
    // the main window's client area, 400 pixels wide.
    void Colocar();
    // The preview has no command-bar buttons of its own.
    void CrearBotones();

    // The card file shown. A different one empties the preview (ID -1) and
    // resolves picture names in its folder.
    std::shared_ptr<cCartulo> Cartulo() const { return ctu_; }
    void SetCartulo(std::shared_ptr<cCartulo> file);
    // The card shown, -1 for none; the same card again changes nothing.
    CardId ID() const { return id_; }
    void SetID(CardId id);
    // Follows the active card window: its file first, then its card.
    void Mostrar(std::shared_ptr<cCartulo> file, CardId id);
    // Shows no card (the active window is not a card window).
    void Vaciar();

    QString Titulo() const { return windowTitle(); }
    bool Minimizada() const;
    void SetMinimizada(bool rolledUp);
    // The close button's timer tick.
    void tmrCerrar_Timer();

    // Paints now when a painting is due (the event loop does it otherwise).
    void RepintarSiPendiente();
    bool RepintePendiente() const { return stale_; }
    // Paintings of the output area so far.
    int Repintados() const { return repaints_; }

    cOurMC& Renderer();
    PreviewCanvas* picSalida() const { return picSalida_; }
    QScrollBar* scrVertical() const { return scrVertical_; }
    PreviewCloseButton* cmdCerrar() const { return cmdCerrar_; }
    PreviewSizeGrip* picAgarre() const { return picAgarre_; }
    QTimer* tmrCerrar() const { return tmrCerrar_; }

  signals:
    // The window closed (its close button): the main window forgets it.
    // Raised last in the close; the close button closes from the event
    // loop, so a handler may delete the window, even directly.
    void cerrada();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Card-file and registry events.
    void onCloseCard(CardId card) override { Ctu_CloseCard(card); }
    void onCloseFile() override { Ctu_CloseFile(); }
    void onUpdateCardNtry(CardId card) override { Ctu_UpdateCardNtry(card); }
    void onUpdateCardTxt(CardId card) override { Ctu_UpdateCardTxt(card); }
    void onRemove(std::int32_t index) override { Ctus_Remove(index); }
    void Ctu_CloseCard(CardId card);
    void Ctu_CloseFile();
    void Ctu_UpdateCardNtry(CardId card);
    void Ctu_UpdateCardTxt(CardId card);
    void Ctus_Remove(std::int32_t index);

    // Mouse on the window's body and its title strip.
    void RatonPulsado(QMouseEvent& event, QPoint position);
    void RatonMovido(QMouseEvent& event, QPoint position);
    void MostrarBotonCerrar();
    // A link of the text shown: its card opens once the mouse event is
    // over, since the new window's activation repaints this one.
    void Vinculo(const std::string& target);
    // The close button's click, run from the event loop.
    void CerrarPulsado();

    int Px(int twips) const;
    void ActualizarTitulo();
    // Another card (or none): shown from its top.
    void OtraFicha();
    // Marks the output stale; it is painted when the event loop turns.
    void Invalidar();
    void Repintar();
    // Scroll range from the text's height and the area's.
    bool AjustarBarra();
    void Distribuir();
    std::optional<std::string> TextoMostrado() const;

    MainServices& services_;
    platform::TickSource clock_;
    const double scale_;
    cCartulos& registry_;

    std::shared_ptr<cCartulo> ctu_;
    Subscription subscription_;
    Subscription registrySubscription_;
    CardId id_ = kNoCard;

    bool stale_ = false;
    int repaints_ = 0;
    int lastWidth_ = -1;  // of the output area at the last painting
    int textHeight_ = 0;  // of the text at the last painting, gaps included
    bool barShown_ = false;

    bool dragging_ = false;
    QPoint dragFrom_;  // global
    int restoreHeight_ = 0;
    std::uint32_t closeShownTick_ = 0;

    PreviewCanvas* picSalida_ = nullptr;
    QScrollBar* scrVertical_ = nullptr;
    PreviewCloseButton* cmdCerrar_ = nullptr;
    PreviewSizeGrip* picAgarre_ = nullptr;
    QTimer* tmrCerrar_ = nullptr;
    QTimer* tmrPintar_ = nullptr;
};

}  // namespace cartulo::windows
