// frmListaCartulos, the list of open card files: one item per registered
// file, its title, carrying the file's registry identifier. It follows the
// registry's events, docks at the bottom right of the main window's client
// area, and Enter or a double-click opens the file's index.
#pragma once

#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/cartulos.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QListWidget;
class QListWidgetItem;

namespace cartulo::shell {

class frmListaCartulos : public QWidget, public windows::ChildWindow, private CartulosListener {
  public:
    // The load size in twips, before the display scale.
    static constexpr int kAnchoTwips = 3600;
    static constexpr int kAltoTwips = 2400;

    frmListaCartulos(windows::MainServices& services, cCartulos& registry,
                     QWidget* parent = nullptr);
    ~frmListaCartulos() override;

    // --- ChildWindow ---
    QVariant Comando(const QString& word, const windows::Argumentos& args = {}) override;
    void Colocar() override;
    void Reacoplar() override;
    void CrearBotones() override;
    // The selected card file; null when none is selected.
    std::shared_ptr<cCartulo> Cartulo() const override;
    windows::ChildKind Kind() const override { return windows::ChildKind::ListaCartulos; }
    QWidget* Widget() override { return this; }

    // Rebuilds the list, keeping the selected file selected.
    void Actualizar();
    // Selects the file with this registry identifier, if listed.
    void Seleccionar(std::int32_t id);
    // The registry identifier of the selected file, if any.
    std::optional<std::int32_t> Seleccionado() const;

    QListWidget* lstCartulos() const { return lstCartulos_; }
    QSize sizeHint() const override { return loadSize_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void onAdd(std::int32_t index) override { Ctus_Add(index); }
    void onRemove(std::int32_t index) override { Ctus_Remove(index); }
    void onRename(std::int32_t index) override { Ctus_Rename(index); }
    void Ctus_Add(std::int32_t index);
    void Ctus_Remove(std::int32_t index);
    void Ctus_Rename(std::int32_t index);

    QListWidgetItem* ItemDe(std::int32_t id) const;
    void AnadirItem(std::int32_t index);
    // "(no hay cartulos abiertos)", disabled, when no file is listed.
    void MostrarVacia();
    void Abrir();
    void CerrarVentana();
    QWidget* Exterior();

    windows::MainServices& services_;
    cCartulos& registry_;
    Subscription subscription_;
    QSize loadSize_;
    bool placed_ = false;
    bool closed_ = false;
    std::optional<QPoint> colocadaEn_;  // where Colocar last put the outer window
    QListWidget* lstCartulos_ = nullptr;
};

}  // namespace cartulo::shell
