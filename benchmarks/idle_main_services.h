// A main window that does nothing, for benchmarks of the child windows.
#pragma once

#include <QPoint>
#include <QSize>

#include "support/scripted_user_dialogs.h"
#include "windows/main_services.h"

namespace cartulo::bench {

class IdleMainServices : public windows::MainServices {
  public:
    windows::ChildWindow* MuestraFicha(const std::shared_ptr<cCartulo>&, CardId) override {
        return nullptr;
    }
    void MuestraIndice(const std::shared_ptr<cCartulo>&) override {}
    void FichaActivada(const std::shared_ptr<cCartulo>&, CardId) override {}
    void VentanaCerrada(windows::ChildWindow&) override {}
    QVariant Comando(const QString&, const windows::Argumentos& = {}) override { return {}; }
    void ComandoEspera(const QString&, const windows::Argumentos& = {}) override {}
    QPoint PosicionCascada(const QSize&) override { return {}; }
    QSize AreaCliente() const override { return {1024, 768}; }
    void BarraAnadeComando(const QString&, int, const QString&, const QString&) override {}
    void BarraQuitarElementos(const QString&) override {}
    void BarraLimpiar() override {}
    // Counted, so a benchmark can tell an edit was refused.
    void MensajeEstado(const QString&) override { ++notices; }
    support::UserDialogs& Dialogos() override { return dialogs_; }
    bool Depuracion() const override { return false; }
    float EscalaPantalla() const override { return 1.0f; }

    int notices = 0;

  private:
    support::ScriptedUserDialogs dialogs_;
};

}  // namespace cartulo::bench
