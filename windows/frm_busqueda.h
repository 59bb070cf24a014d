// frmBusqueda, the search window: one to four term boxes joined into a query
// of one card file, and the list of the cards it finds, refreshed a moment
// after the user stops typing. Opening a listed card shows it in a card
// window with the search word highlighted. A fixed query hides the boxes.
#pragma once

#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/cartulo.h"
#include "platform/tick_count.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace cartulo::windows {

class frmBusqueda : public QWidget, public ChildWindow, private CartuloListener {
    Q_OBJECT

  public:
    static constexpr int kMaxTerminos = 4;
    // The refresh follows this long after the last change of a term box.
    static constexpr std::uint32_t kEsperaMs = 200;
    static constexpr int kIntervaloMs = 50;
    static constexpr int kAnchoTwips = 5400;
    static constexpr int kAltoTwips = 4800;

    explicit frmBusqueda(MainServices& services,
                         platform::TickSource clock = platform::GetTickCount,
                         QWidget* parent = nullptr);
    ~frmBusqueda() override;

    // --- ChildWindow ---
    QVariant Comando(const QString& word, const Argumentos& args = {}) override;
    void Colocar() override;
    void CrearBotones() override;
    std::shared_ptr<cCartulo> Cartulo() const override { return ctu_; }
    ChildKind Kind() const override { return ChildKind::Busqueda; }
    QWidget* Widget() override { return this; }

    // Binds the window to the file and refreshes.
    void SetCartulo(std::shared_ptr<cCartulo> file);
    void Actualizar();
    void ActualizarTitulo();
    // Runs `query` instead of the term boxes, which are hidden; "" shows them again.
    void Buscar(const QString& query);
    // The query the boxes make, or the fixed one.
    QString Consulta() const;
    // The word a card window is asked to highlight.
    QString PalabraBuscada() const;

    bool AnadirTermino();
    bool QuitarTermino();
    // Opens the selected result.
    void Abrir();
    // One beat of the refresh timer; public so tests can drive it.
    void tmrBuscar_Timer();

    int Terminos() const { return static_cast<int>(txtTexto_.size()); }
    QLineEdit* txtTexto(int index) const { return txtTexto_.at(static_cast<std::size_t>(index)); }
    QListWidget* lstFichas() const { return lstFichas_; }
    QWidget* picPanel() const { return picPanel_; }
    const QTimer& tmrBuscar() const { return tmrBuscar_; }
    // The card of a result row; -1 for the placeholder rows.
    CardId FichaEn(int row) const;

    QSize sizeHint() const override { return loadSize_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void onCloseCard(CardId card) override { Ctu_CloseCard(card); }
    void onCloseFile() override { CerrarVentana(); }
    void onNewFile() override { Actualizar(); }
    void onUpdateCardNtry(CardId card) override;
    void Ctu_CloseCard(CardId card);

    QString Entrada(CardId card) const;
    QLineEdit* NuevaCaja();
    void txtTexto_Change();
    bool TeclaEnCaja(QLineEdit& box, const QKeyEvent& key);
    void Marcador(const QString& text);
    QLineEdit* CajaActiva() const;
    QLineEdit* UltimaCaja() const { return txtTexto_.back(); }
    void Botones();
    void Distribuir();
    void CerrarVentana();
    QWidget* Exterior();

    MainServices& services_;
    platform::TickSource clock_;
    QSize loadSize_;
    const double scale_;
    std::shared_ptr<cCartulo> ctu_;
    Subscription subscription_;
    QString consultaFija_;
    std::uint32_t ultimoCambio_ = 0;
    bool placed_ = false;
    bool closed_ = false;

    QWidget* picPanel_ = nullptr;
    std::vector<QLineEdit*> txtTexto_;
    QPushButton* cmdMas_ = nullptr;
    QPushButton* cmdMenos_ = nullptr;
    QListWidget* lstFichas_ = nullptr;
    QTimer tmrBuscar_;
};

}  // namespace cartulo::windows
