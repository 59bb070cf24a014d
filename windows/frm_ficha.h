// frmFicha, the card window: one card of one open card file, its entry in a
// caption strip (renamed in place) and its text in a plain-text editor that
// writes every change to the card at once. It follows links, searches its
// text, rolls up to its strip and answers the editing words of the command
// language. It places itself (cascade) the first time it is shown.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/cartulo.h"
#include "platform/tick_count.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace cartulo::windows {

class BacklinksStrip;
class CardTextEdit;
class SpellMarker;
class LinkCompleter;
class MarkupHighlighter;
struct TextField;

class frmFicha : public QWidget, public ChildWindow, private CartuloListener {
    Q_OBJECT

  public:
    // The load size in twips, before the display scale.
    static constexpr int kAnchoTwips = 6144;
    static constexpr int kAltoTwips = 4096;
    // The caption strip; a window lower than kAltoMinimizada is rolled up.
    static constexpr int kAltoTiraTwips = 480;
    static constexpr int kAltoMinimizadaTwips = 600;
    // The hover close button hides this long after it was shown.
    static constexpr std::uint32_t kMsBotonCerrar = 2000;
    static constexpr int kIntervaloCerrarMs = 100;
    // The strip of the cards linking here, at most this high.
    static constexpr int kAltoEnlacesTwips = 1200;

    explicit frmFicha(MainServices& services, platform::TickSource clock = platform::GetTickCount,
                      QWidget* parent = nullptr);
    ~frmFicha() override;

    // --- ChildWindow ---
    QVariant Comando(const QString& word, const Argumentos& args = {}) override;
    void Colocar() override;
    // Called on activation: clears the command bar's window elements, then
    // tells the main window which card is active.
    void CrearBotones() override;
    std::shared_ptr<cCartulo> Cartulo() const override { return ctu_; }
    ChildKind Kind() const override { return ChildKind::Ficha; }
    QWidget* Widget() override { return this; }

    void Actualizar();
    void ActualizarTitulo();
    // Empty `text` opens the search bar. True when found (and selected).
    bool BuscarTexto(const QString& text, bool backwards, bool fromBoundary, bool silent);
    void EditarEntrada();
    void FinalizarBusqueda();
    // Follows the link at `position` of the text (0-based), or at the
    // selection or caret when -1.
    void Hipertexto(int position = -1);
    CardId ID() const { return id_; }
    bool Minimizada() const;
    void SetMinimizada(bool rolledUp);
    void Mostrar(std::shared_ptr<cCartulo> file, CardId id);
    QString ObtenerHipertexto() const;
    // The strip of the cards linking here: shown or hidden by the user (it
    // stays hidden while the window is rolled up). Built when first shown.
    bool EnlacesVisibles() const { return enlacesVisibles_; }
    void SetEnlacesVisibles(bool on);

    // Commits the entry being edited; false (the user was told) when refused.
    bool ConfirmarEntrada();
    // Before its file closes: commits an entry being edited, as Enter does.
    // False when refused (the editor stays open); true otherwise, also when
    // nothing was being edited.
    bool TerminarEdicionEntrada() { return ConfirmarEntrada(); }
    void CancelarEntrada();
    bool EditandoEntrada() const { return editingEntry_; }

    // The hover close button's timer tick.
    void tmrCerrar_Timer();

    // The controls.
    QLabel* lblNtry() const { return lblNtry_; }
    QLineEdit* txtNtry() const { return txtNtry_; }
    CardTextEdit* txtTxt() const { return txtTxt_; }
    MarkupHighlighter* Resaltado() const { return resaltado_; }
    LinkCompleter* Completado() const { return completado_; }
    QWidget* picBuscar() const { return picBuscar_; }
    QLineEdit* txtBuscar() const { return txtBuscar_; }
    QPushButton* cmdBuscarSiguiente() const { return cmdBuscarSiguiente_; }
    QPushButton* cmdBuscarAnterior() const { return cmdBuscarAnterior_; }
    QPushButton* cmdBuscarCerrar() const { return cmdBuscarCerrar_; }
    QToolButton* cmdCerrar() const { return cmdCerrar_; }
    QTimer* tmrCerrar() const { return tmrCerrar_; }
    SpellMarker* Ortografia() const { return spell_; }
    // Null until the strip is first shown.
    BacklinksStrip* picEnlaces() const { return picEnlaces_; }

    // The load size, so the outer window the shell wraps this in takes it.
    QSize sizeHint() const override { return loadSize_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    enum class Campo { Entrada, Texto, Buscar };

    // Card-file events.
    void onCloseCard(CardId card) override { Ctu_CloseCard(card); }
    void onCloseFile() override { Ctu_CloseFile(); }
    void onUpdateCardNtry(CardId card) override { Ctu_UpdateCardNtry(card); }
    void onUpdateCardTxt(CardId card) override { Ctu_UpdateCardTxt(card); }
    void Ctu_CloseCard(CardId card);
    void Ctu_CloseFile();
    void Ctu_UpdateCardNtry(CardId card);
    void Ctu_UpdateCardTxt(CardId card);

    // Control events.
    void txtTxt_Change();
    void txtTxt_EnterSoltado();
    void txtNtry_Validate();
    void cmdBuscarSiguiente_Click();
    void cmdBuscarAnterior_Click();
    void MostrarBotonCerrar();

    int Px(int twips) const;
    QWidget* Exterior();
    void CerrarVentana(bool force = false);
    void TerminarEntrada();
    bool TextoPrincipal() const;
    void Avisar(const QString& text);
    void Revertir();
    // The card's stored length if the editor's span [start, end) went.
    qsizetype LongitudGuardadaSin(int start, int end) const;
    std::optional<QString> PrepararInsercion(const QString& text, bool pasted);
    void Colocar(QWidget& outer);
    void Distribuir();
    // Shows the strip when the user wants it and the window is not rolled up.
    void ColocarEnlaces(bool rolledUp);

    // The field the editing words act on.
    Campo CampoActivo() const;
    // False while the field is read-only (the window is rolled up).
    bool Escribible(Campo campo) const;
    QString SeleccionActiva() const;
    TextField LeerCampo(Campo campo) const;
    void EscribirCampo(Campo campo, const TextField& field);
    void Copiar();
    void Eliminar();
    void Insertar(const QString& text, bool pasted);

    // Mouse on the window's surface or its strip.
    void RatonPulsado(QMouseEvent& event, QPoint position);
    void RatonMovido(QMouseEvent& event, QPoint position);
    void RatonSoltado(QMouseEvent& event);
    void RatonDobleClic(QMouseEvent& event, QPoint position);

    MainServices& services_;
    QSize loadSize_;
    platform::TickSource clock_;
    const double scale_;

    std::shared_ptr<cCartulo> ctu_;
    Subscription subscription_;
    CardId id_ = kNoCard;
    bool isMain_ = false;
    bool loading_ = false;
    bool searchRestart_ = false;
    int savedHeight_ = 0;
    std::uint32_t closeShownTick_ = 0;
    bool validating_ = false;
    bool editingEntry_ = false;
    bool placed_ = false;
    bool closed_ = false;
    bool forceClose_ = false;
    bool dragging_ = false;
    QPoint dragFrom_;
    // The card's text as last written or read, and the editor's text then:
    // the same with each line end shown as LF.
    std::string cardText_;
    QString editorText_;
    // An insertion was refused after its action had changed the editor: the
    // whole action is undone when it ends.
    bool anularAccion_ = false;
    bool enlacesVisibles_ = false;

    QLabel* lblNtry_ = nullptr;
    QLineEdit* txtNtry_ = nullptr;
    CardTextEdit* txtTxt_ = nullptr;
    QWidget* picBuscar_ = nullptr;
    QLineEdit* txtBuscar_ = nullptr;
    QPushButton* cmdBuscarSiguiente_ = nullptr;
    QPushButton* cmdBuscarAnterior_ = nullptr;
    QPushButton* cmdBuscarCerrar_ = nullptr;
    QToolButton* cmdCerrar_ = nullptr;
    QTimer* tmrCerrar_ = nullptr;
    SpellMarker* spell_ = nullptr;
    BacklinksStrip* picEnlaces_ = nullptr;
    MarkupHighlighter* resaltado_ = nullptr;
    LinkCompleter* completado_ = nullptr;
};

}  // namespace cartulo::windows
