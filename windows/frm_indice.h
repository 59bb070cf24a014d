// frmIndice, the index window: every entry of one card file, sorted without
// regard to case or accents, with a search field above that moves the list
// to the entry being typed. Enter or a double-click opens the card. The list
// follows the file's card events. It docks itself at the top right of the
// main window's client area the first time it is shown.
#pragma once

#include <QAbstractItemView>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <optional>

#include "engine/cartulo.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QLineEdit;
class QListView;

namespace cartulo::windows {

class IndexModel;

class frmIndice : public QWidget, public ChildWindow, private CartuloListener {
    Q_OBJECT

  public:
    // The load size in twips, before the display scale.
    static constexpr int kAnchoTwips = 3600;
    static constexpr int kAltoTwips = 6000;

    explicit frmIndice(MainServices& services, QWidget* parent = nullptr);
    ~frmIndice() override;

    // --- ChildWindow ---
    QVariant Comando(const QString& word, const Argumentos& args = {}) override;
    void Colocar() override;
    void Reacoplar() override;
    void CrearBotones() override;
    std::shared_ptr<cCartulo> Cartulo() const override { return ctu_; }
    ChildKind Kind() const override { return ChildKind::Indice; }
    QWidget* Widget() override { return this; }

    // Binds the window to the file and fills the list.
    void SetCartulo(std::shared_ptr<cCartulo> file);
    void Actualizar();
    void ActualizarTitulo();

    // The selected row, -1 when none.
    int Seleccionado() const;
    // Selects a row as the user does: its text goes into the search field.
    void Seleccionar(int row);
    // Rows that fit in the list.
    int TamanoPagina() const;

    QLineEdit* txtIndice() const { return txtIndice_; }
    QListView* lstIndice() const { return lstIndice_; }
    const IndexModel& Modelo() const { return *model_; }

    // The load size, so the outer window the shell wraps this in takes it.
    QSize sizeHint() const override { return loadSize_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void onCloseCard(CardId card) override { Ctu_CloseCard(card); }
    void onCloseFile() override { Ctu_CloseFile(); }
    void onNewCard(CardId card, bool) override { Ctu_NewCard(card); }
    void onNewFile() override { Actualizar(); }
    void onUpdateCardNtry(CardId card) override { Ctu_UpdateCardNtry(card); }
    void Ctu_CloseCard(CardId card);
    void Ctu_CloseFile();
    void Ctu_NewCard(CardId card);
    void Ctu_UpdateCardNtry(CardId card);

    void txtIndice_Change();
    void lstIndice_Click();
    void Abrir();
    // Makes `row` current; with `toTop` it becomes the first visible row.
    void MarcarFila(int row, bool toTop);
    void CerrarVentana();
    void Distribuir();
    int Px(int twips) const;
    QWidget* Exterior();

    MainServices& services_;
    QSize loadSize_;
    const double scale_;
    std::shared_ptr<cCartulo> ctu_;
    Subscription subscription_;
    bool typing_ = false;
    bool clicking_ = false;
    bool updating_ = false;
    bool placed_ = false;
    // How to scroll to the current row once the hidden list shows.
    std::optional<QAbstractItemView::ScrollHint> pendingScroll_;
    std::optional<QPoint> colocadaEn_;  // where Colocar last put the outer window
    bool closed_ = false;

    IndexModel* model_ = nullptr;
    QLineEdit* txtIndice_ = nullptr;
    QListView* lstIndice_ = nullptr;
};

}  // namespace cartulo::windows
