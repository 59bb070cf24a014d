// A main window for the window tests: it records what the windows ask of it
// and answers every question through scripted dialogs.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "richtext/link_table.h"
#include "support/scripted_user_dialogs.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace cartulo::windows::testing {

// A new card with its text; fails the test when the file refuses either.
inline CardId NewCard(cCartulo& file, const std::string& entry, const std::string& text = {}) {
    const CardId c = file.NewCard(entry);
    EXPECT_GT(c, 0) << entry;
    EXPECT_TRUE(file.SetTxt(c, text)) << entry;
    return c;
}

// A card window that records each command it is sent as "word|argument".
struct RecordingCardWindow : ChildWindow {
    QVariant Comando(const QString& word, const Argumentos& args) override {
        told << word + u'|' + args.Text();
        return {};
    }
    void Colocar() override {}
    void CrearBotones() override {}
    std::shared_ptr<cCartulo> Cartulo() const override { return nullptr; }
    ChildKind Kind() const override { return ChildKind::Ficha; }
    QWidget* Widget() override { return nullptr; }
    QStringList told;
};

struct CardShown {
    std::shared_ptr<cCartulo> file;
    CardId id;
};

class FakeMainServices : public MainServices {
  public:
    ChildWindow* MuestraFicha(const std::shared_ptr<cCartulo>& file, CardId id) override {
        shown.push_back({file, id});
        return shownWindow;
    }
    void MuestraIndice(const std::shared_ptr<cCartulo>& file) override { indexes.push_back(file); }
    void FichaActivada(const std::shared_ptr<cCartulo>& file, CardId id) override {
        activated.push_back({file, id});
    }
    void VentanaCerrada(ChildWindow& window) override { closed.push_back(&window); }
    std::shared_ptr<LinkTable> Enlaces(const std::shared_ptr<cCartulo>& file) override {
        if (!links) links = std::make_shared<LinkTable>(*file);
        return links;
    }
    QVariant Comando(const QString& word, const Argumentos& = {}) override {
        commands.push_back(word);
        return {};
    }
    void ComandoEspera(const QString& word, const Argumentos& = {}) override {
        commands.push_back(word);
    }
    QPoint PosicionCascada(const QSize& windowSize) override {
        cascadeSizes.push_back(windowSize);
        return cascade;
    }
    QSize AreaCliente() const override { return clientArea; }
    void BarraAnadeComando(const QString&, int, const QString&, const QString&) override {}
    void BarraQuitarElementos(const QString&) override {}
    void BarraLimpiar() override { ++barClears; }
    void MensajeEstado(const QString& text) override { status.push_back(text); }
    support::UserDialogs& Dialogos() override { return *dialogs; }
    bool Depuracion() const override { return debug; }
    float EscalaPantalla() const override { return scale; }
    SpellService* Ortografia() override { return spell; }

    std::vector<CardShown> shown;
    ChildWindow* shownWindow = nullptr;  // what MuestraFicha answers
    std::vector<std::shared_ptr<cCartulo>> indexes;
    std::vector<CardShown> activated;
    std::vector<ChildWindow*> closed;
    std::vector<QString> commands;
    std::vector<QSize> cascadeSizes;
    std::vector<QString> status;
    int barClears = 0;
    std::shared_ptr<LinkTable> links;  // built when a window first asks
    QPoint cascade{30, 20};
    QSize clientArea{1000, 700};
    bool debug = false;
    float scale = 1.0f;
    SpellService* spell = nullptr;
    // Replaceable, for dialogs that act while they are shown.
    std::unique_ptr<support::ScriptedUserDialogs> dialogs =
        std::make_unique<support::ScriptedUserDialogs>();
};

}  // namespace cartulo::windows::testing
