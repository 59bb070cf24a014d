// Marks the misspelt words of the card editor's visible lines with the
// desktop's red wave, a moment after typing or scrolling stops, as extra
// selections: they never touch the document, so the card, its changed flag
// and the undo history stay as they are. A right click on a marked word, or
// the context menu key with the caret on it, offers the spelling menu.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/cartulo.h"
#include "support/user_dialogs.h"
#include "windows/spell_service.h"

class QMenu;
class QPoint;

namespace cartulo::windows {

class CardTextEdit;

class SpellMarker : public QObject, private CartuloListener {
    Q_OBJECT

  public:
    // The pause in typing or scrolling after which the marks are renewed.
    static constexpr int kPausaMs = 300;

    // Without a service nothing is ever marked. `dialogs` tells the user
    // what went wrong.
    SpellMarker(CardTextEdit& editor, SpellService* service, support::UserDialogs& dialogs,
                QObject* parent = nullptr);

    // The card file whose entries are names, never misspelt.
    void Vincular(std::shared_ptr<cCartulo> file);
    // Renews the marks now, as the pause does.
    void Marcar();
    bool Pendiente() const { return timer_.isActive(); }
    // The marked spans as (start, length) in the editor.
    std::vector<std::pair<int, int>> Marcas() const;
    // The editor's context menu for a position of its document, with the
    // spelling entries when the position is on a marked word. The editor
    // owns the menu: it goes with the window.
    QMenu* Menu(int position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Mark {
        int start = 0;
        int length = 0;
        QString word;  // the whole word
        bool split = false;
    };

    void onNewCard(CardId, bool) override { entradasCambiadas(); }
    void onUpdateCardNtry(CardId) override { entradasCambiadas(); }
    void onCloseCard(CardId) override { entradasCambiadas(); }
    void onNewFile() override { entradasCambiadas(); }
    void onCloseFile() override { entradasCambiadas(); }
    // A word may have become an entry, or stopped being one.
    void entradasCambiadas();
    bool esEntrada(const QString& word);
    void abrirMenu(int position, const QPoint& globalPosition);
    void anadir(const QString& word);
    void poner(const std::vector<Mark>& spans);
    std::vector<Mark> marks() const;
    // The mark at a position of the document.
    std::optional<Mark> marcaEn(int position) const;
    void cambiar(std::pair<int, int> span, const QString& suggestion);

    CardTextEdit& editor_;
    support::UserDialogs& dialogs_;
    // The shell's, which may go first when the program ends.
    QPointer<SpellService> service_;
    QTimer timer_;
    std::shared_ptr<cCartulo> file_;
    Subscription subscription_;
    std::optional<QSet<QString>> entryWords_;
};

}  // namespace cartulo::windows
