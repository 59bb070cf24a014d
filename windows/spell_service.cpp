#include "windows/spell_service.h"

#include <QMetaObject>

#include "platform/spell_dictionaries.h"

namespace cartulo::windows {

SpellService::SpellService(QString folder, QString personalList, QObject* parent)
    : QObject(parent),
      folder_(std::move(folder)),
      personalList_(std::move(personalList)),
      wanted_(platform::kDefaultDictionary) {}

SpellService::~SpellService() {
    // A queued hand-over to this object is dropped with it.
    if (worker_.joinable()) worker_.join();
}

void SpellService::Configurar(bool on, const QString& dictionary) {
    if (on == on_ && dictionary == wanted_) return;
    on_ = on;
    wanted_ = dictionary;
    if (started_) cargar();
    emit Cambiado();
}

void SpellService::Arrancar() {
    if (started_) return;
    started_ = true;
    cargar();
}

void SpellService::cargar() {
    if (!on_) return;
    const QString name =
        platform::ChooseDictionary(platform::InstalledDictionaries(folder_), wanted_);
    if (!loading_.isEmpty() && loading_ == name) return;
    // Whatever is loading now is not wanted any more.
    ++generation_;
    loading_.clear();
    if (name.isEmpty()) {
        checker_.reset();
        problem_ = QStringLiteral(
                       "No hay ningún diccionario instalado en %1 (paquete hunspell-es): la "
                       "ortografía no se revisa.")
                       .arg(folder_);
        return;
    }
    if (checker_ && checker_->Name() == name) return;
    // A load under way for another dictionary ends first; its result is dropped.
    EsperarCarga();
    loading_ = name;
    worker_ = std::thread([this, name, generation = generation_] {
        platform::SpellChecker::Loaded loaded =
            platform::SpellChecker::Load(folder_, name, personalList_);
        {
            std::lock_guard lock(mutex_);
            pending_ = Pending{generation, std::move(loaded)};
        }
        QMetaObject::invokeMethod(
            this, [this] { adoptar(); }, Qt::QueuedConnection);
    });
}

void SpellService::EsperarCarga() {
    if (worker_.joinable()) worker_.join();
    adoptar();
}

void SpellService::adoptar() {
    std::optional<Pending> done;
    {
        std::lock_guard lock(mutex_);
        done.swap(pending_);
    }
    if (!done) return;
    if (worker_.joinable()) worker_.join();
    if (done->generation != generation_) return;
    loading_.clear();
    checker_ = std::move(done->loaded.checker);
    problem_ = done->loaded.problem;
    known_.clear();
    emit Cambiado();
}

bool SpellService::Correcta(const QString& word) {
    if (!Activa() || ignored_.contains(word)) return true;
    const auto found = known_.constFind(word);
    if (found != known_.constEnd()) return *found;
    const bool correct = checker_->Correct(word);
    known_.insert(word, correct);
    return correct;
}

QStringList SpellService::Sugerencias(const QString& word) {
    return Activa() ? checker_->Suggestions(word) : QStringList();
}

bool SpellService::Anadir(const QString& word) {
    if (!Activa()) return true;
    const bool kept = checker_->Add(word);
    known_.clear();
    emit Cambiado();
    return kept;
}

void SpellService::Ignorar(const QString& word) {
    ignored_.insert(word);
    emit Cambiado();
}

}  // namespace cartulo::windows
