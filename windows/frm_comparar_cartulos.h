// frmCompararCartulos, the comparison of two open card files: side by side,
// only the cards that differ (missing on one side, or with texts that differ
// beyond letter case). A card can be copied from one file to the other, and
// both texts can be edited in place. The choosers follow the registry and
// the rows follow both files' card events, so nothing acts on a card or a
// file that is gone.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cartulos.h"
#include "windows/main_services.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace cartulo::windows {

class CardTextEdit;

class frmCompararCartulos : public QWidget, private CartulosListener {
    Q_OBJECT

  public:
    enum Lado { A = 0, B = 1 };

    // `active` is the active window's file, preselected in chooser A.
    frmCompararCartulos(cCartulos& registry, MainServices& services,
                        const std::shared_ptr<cCartulo>& active, QWidget* parent = nullptr);
    ~frmCompararCartulos() override;

    // Selects the chooser item of the file with this registry identifier
    // (-1: the first item); the rows are computed again.
    void Elegir(Lado side, std::int32_t id);
    // The registry identifier chosen on a side, -1 when none.
    std::int32_t Elegido(Lado side) const;
    void SeleccionarFila(int row);

    void cmdCopiar_Click(Lado from);
    void cmdEditar_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    bool Editando() const { return editing_; }

    QComboBox* cmbCartulos(Lado side) const { return side_[side].chooser; }
    QListWidget* lstIndice(Lado side) const { return side_[side].list; }
    CardTextEdit* txtTexto(Lado side) const { return side_[side].text; }
    QPushButton* cmdCopiar(Lado side) const { return side_[side].copy; }
    QPushButton* cmdEditar() const { return cmdEditar_; }
    // The card a row carries on a side (kNoCard when missing or gone).
    CardId FichaEn(Lado side, int row) const;

  private:
    struct Fila {
        std::array<CardId, 2> card{kNoCard, kNoCard};
        std::array<std::string, 2> entry;  // kept to name a card that is gone
        std::array<bool, 2> gone{false, false};
        bool marked = false;  // texts still differ after an edit
    };
    struct Cartulo : CartuloListener {
        frmCompararCartulos* window = nullptr;
        Lado side = A;
        std::shared_ptr<cCartulo> file;
        Subscription subscription;
        void onCloseCard(CardId card) override { window->Ctu_CloseCard(side, card); }
        void onUpdateCardNtry(CardId card) override { window->Ctu_UpdateCardNtry(side, card); }
        void onUpdateCardTxt(CardId card) override { window->Ctu_UpdateCardTxt(side, card); }
        void onCloseFile() override { window->Ctu_CloseFile(side); }
    };
    struct Controles {
        QString shown;  // the box's text as filled, with LF line ends
        QComboBox* chooser = nullptr;
        QListWidget* list = nullptr;
        CardTextEdit* text = nullptr;
        QPushButton* copy = nullptr;
        Cartulo file;
        std::string loaded;  // the card's text when the box was filled (editing: when it began)
    };

    void onAdd(std::int32_t index) override;
    void onRemove(std::int32_t index) override;
    void onRename(std::int32_t index) override;
    void Ctu_CloseCard(Lado side, CardId card);
    void Ctu_UpdateCardNtry(Lado side, CardId card);
    void Ctu_UpdateCardTxt(Lado side, CardId card);
    void Ctu_CloseFile(Lado side);

    // Rebuilds both choosers keeping their files, leaving out `gone`; true
    // when a chosen file was left out.
    bool LlenarSelectores(std::int32_t gone = -1);
    void Comparar();
    void MostrarFila(int row);
    void MostrarTextos();
    void HabilitarBotones();
    int FilaActual() const;
    QString TextoDeFila(const Fila& row, Lado side) const;
    void RefrescarFila(int row);
    // A report the user must acknowledge.
    void Informar(const QString& text, const QString& detail = {});
    void Acoplar(Lado from);
    void Avisar(const QString& text);
    std::optional<QString> PrepararInsercion(Lado side, const QString& text, bool pasted);
    void TerminarEdicion();

    cCartulos& registry_;
    MainServices& services_;
    Subscription registrySubscription_;
    std::array<Controles, 2> side_;
    std::vector<Fila> rows_;
    bool editing_ = false;
    unsigned generation_ = 0;  // grows each time the rows are made anew
    bool filling_ = false;
    QPushButton* cmdEditar_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* cmdCerrar_ = nullptr;
};

}  // namespace cartulo::windows
