// The list of a file's entries that opens in a card editor after « or
// "{L:": it narrows as the user types (letter case and accents ignored, as
// the index matches), Enter or Tab puts the chosen entry and the link's
// closing in as one undo step, Escape closes it and leaves what was typed.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cartulo.h"

class QListWidget;

namespace cartulo::windows {

class CardTextEdit;

class LinkCompleter : public QObject {
    Q_OBJECT

  public:
    explicit LinkCompleter(CardTextEdit& editor);
    ~LinkCompleter() override;

    void SetCartulo(std::shared_ptr<cCartulo> file) { file_ = std::move(file); }
    bool Abierta() const;
    // The entries offered now, in order.
    QStringList Opciones() const;
    QListWidget* Lista() const { return list_; }
    // Puts the chosen entry in; false when the list is closed.
    bool Aceptar();
    void Cerrar();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Context {
        int start = 0;  // just after the « or the "{L:"
        bool quote = true;
    };
    std::optional<Context> context() const;
    void update();
    void collect(bool quote);
    // Where the replacement of the link's text ends.
    int linkEnd(const Context& at) const;

    CardTextEdit& editor_;
    std::shared_ptr<cCartulo> file_;
    QListWidget* list_ = nullptr;
    QTimer pending_;
    bool triggered_ = false;
    int swallowRelease_ = 0;
    int revision_ = -1;
    // The file's entries a link of the open kind can hold, with their keys.
    struct Entry {
        QString text;
        std::string key;
    };
    std::vector<Entry> entries_;
    bool entriesForQuote_ = true;
};

}  // namespace cartulo::windows
