// The spelling dictionary that every card window shares. It is loaded once,
// on a worker thread, the first time a window asks for it, so opening a
// card window never waits for it; windows are told when it is ready or
// changes. Words the user ignores last until the program ends.
#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/spell_checker.h"

namespace cartulo::windows {

class SpellService : public QObject {
    Q_OBJECT

  public:
    // `folder` holds the installed dictionaries; `personalList` is the
    // user's own word list.
    SpellService(QString folder, QString personalList, QObject* parent = nullptr);
    ~SpellService() override;

    // Whether to check, and with which dictionary (the default one when
    // it is not installed). A change reloads once loading has started.
    void Configurar(bool on, const QString& dictionary);
    // Starts loading in the background, once.
    void Arrancar();
    // Waits for a load under way (benchmarks and tests that need it loaded).
    void EsperarCarga();

    // Checking is on and the dictionary loaded.
    bool Activa() const { return on_ && checker_ != nullptr; }
    // Why checking is off, or "" when it is on or still loading.
    QString Motivo() const { return on_ ? problem_ : QString(); }
    // The dictionary in use, "" while none is loaded.
    QString Diccionario() const { return checker_ ? checker_->Name() : QString(); }

    bool Correcta(const QString& word);
    QStringList Sugerencias(const QString& word);
    // The word is right from now on, in every window, and after a restart
    // unless the personal list could not be written (false).
    bool Anadir(const QString& word);
    const QString& ListaPersonal() const { return personalList_; }
    // The word is right in every window until the program ends.
    void Ignorar(const QString& word);

  signals:
    // The dictionary was loaded or changed, or a word was added or ignored.
    void Cambiado();

  private:
    void cargar();
    void adoptar();

    const QString folder_;
    const QString personalList_;
    bool on_ = true;
    QString wanted_;
    bool started_ = false;
    QString loading_;  // the name being loaded
    // Counts the changes of what is wanted: a load begun before the last
    // one is dropped when it ends.
    int generation_ = 0;
    std::unique_ptr<platform::SpellChecker> checker_;
    QString problem_;
    QHash<QString, bool> known_;
    QSet<QString> ignored_;

    std::thread worker_;
    std::mutex mutex_;
    struct Pending {
        int generation = 0;
        platform::SpellChecker::Loaded loaded;
    };
    std::optional<Pending> pending_;
};

}  // namespace cartulo::windows
