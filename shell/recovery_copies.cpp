#include "shell/recovery_copies.h"

#include <QFile>
#include <QFileInfo>
#include <utility>
#include <vector>

#include "engine/paths.h"
#include "platform/text_codec.h"

namespace cartulo::shell {

namespace {

QString describe(const FileError& error) {
    return QString::fromStdString(error.description) + QStringLiteral(" (código ") +
           QString::number(error.code) + QStringLiteral(")");
}

QString nameOf(const std::string& path, const QString& title) {
    if (path.empty()) return title;
    return QFile::decodeName(QByteArray::fromStdString(paths::FileNamePart(path)));
}

}  // namespace

// Hears every change of one file.
class RecoveryCopies::Watch : public CartuloListener {
  public:
    Watch(RecoveryCopies& owner, cCartulo& file)
        : owner_(owner), file_(&file), subscription_(file.Subscribe(*this)) {}

  private:
    void onCloseCard(CardId) override { owner_.changed(file_); }
    void onNewCard(CardId, bool) override { owner_.changed(file_); }
    void onNewFile() override { owner_.changed(file_); }
    void onUpdateCardNtry(CardId) override { owner_.changed(file_); }
    void onUpdateCardTxt(CardId) override { owner_.changed(file_); }

    RecoveryCopies& owner_;
    const cCartulo* file_;
    Subscription subscription_;
};

RecoveryCopies::RecoveryCopies(cCartulos& registry, std::string folder,
                               std::function<void(QString)> tell, platform::TickSource clock,
                               RecoveryTiming timing)
    : registry_(registry),
      folder_(std::move(folder)),
      tell_(std::move(tell)),
      clock_(std::move(clock)),
      timing_(timing) {
    // A folder that cannot be made now is tried again before each copy, and
    // a copy that cannot be written is told.
    prepared_ = !folder_.Prepare();
    subscription_ = registry_.Subscribe(*this);
    for (std::int32_t i = 0; i < registry_.ListCount(); ++i) watch(registry_.List(i));
}

RecoveryCopies::~RecoveryCopies() = default;

void RecoveryCopies::onAdd(std::int32_t index) {
    watch(registry_.List(index));
}

void RecoveryCopies::onRemove(std::int32_t index) {
    // Closed after it was saved, or let go on purpose.
    const auto file = registry_.List(index);
    const auto found = copies_.find(file.get());
    if (found == copies_.end()) return;
    remove(found->second);
    copies_.erase(found);
}

void RecoveryCopies::watch(const std::shared_ptr<cCartulo>& file) {
    if (!file || copies_.contains(file.get())) return;
    Copy& copy = copies_[file.get()];
    copy.watch = std::make_unique<Watch>(*this, *file);
    copy.pictures = std::make_unique<FileSnapshots>(*file);
    copy.base = folder_.CopyBase(nextNumber_++);
}

void RecoveryCopies::changed(const cCartulo* file) {
    const auto found = copies_.find(file);
    if (found == copies_.end()) return;
    Copy& copy = found->second;
    const std::uint32_t now = clock_();
    if (!copy.pending) copy.firstChange = now;
    copy.pending = true;
    copy.lastChange = now;
}

void RecoveryCopies::Tick() {
    takeResults();
    const std::uint32_t now = clock_();
    for (std::int32_t i = 0; i < registry_.ListCount(); ++i) {
        const auto file = registry_.List(i);
        const auto found = copies_.find(file.get());
        if (found == copies_.end()) continue;
        Copy& copy = found->second;
        if (!file->GetChanged()) {
            // Saved (by the user or the autosave) since the last change.
            copy.pending = false;
            if (copy.written) remove(copy, false);
            continue;
        }
        // Changed without an event: a new file, or one marked for saving.
        if (!copy.pending && !copy.written) changed(file.get());
        if (!copy.pending) continue;
        if ((!copy.failed && platform::TicksSince(copy.lastChange, now) >= timing_.quietMs) ||
            platform::TicksSince(copy.firstChange, now) >= timing_.longestMs) {
            write(*file, copy, false);
        }
    }
}

bool RecoveryCopies::write(cCartulo& file, Copy& copy, bool wait) {
    if (!prepared_) prepared_ = !folder_.Prepare();
    const auto job = [&]() -> RecoveryWriter::Job {
        RecoveryInfo info{file.GetFileName(), platform::toQString(file.GetFileTitle()),
                          QDateTime::currentDateTime()};
        return [base = copy.base, picture = copy.pictures->Take(), info = std::move(info),
                replaces = copy.replaces]() -> std::optional<FileError> {
            std::string bytes;
            if (auto error = picture->Encode(bytes)) return error;
            auto error = RecoveryFolder::Write(base, bytes, info);
            // The copy recovered goes only once its successor is safe.
            if (!error && !replaces.empty()) RecoveryFolder::Remove(replaces);
            return error;
        };
    };
    if (wait) {
        writer_.Post(copy.base, job());
    } else if (!writer_.TryPost(copy.base, job)) {
        return false;
    }
    copy.pending = false;
    copy.failed = false;
    copy.written = true;
    return true;
}

bool RecoveryCopies::remove(Copy& copy, bool wait) {
    const auto job = [&copy]() -> RecoveryWriter::Job {
        return [base = copy.base, replaces = copy.replaces]() -> std::optional<FileError> {
            RecoveryFolder::Remove(base);
            if (!replaces.empty()) RecoveryFolder::Remove(replaces);
            return std::nullopt;
        };
    };
    if (wait) {
        writer_.Post(copy.base, job());
    } else if (!writer_.TryPost(copy.base, job)) {
        return false;
    }
    copy.replaces.clear();
    copy.written = false;
    copy.failed = false;
    // The texts kept for the next picture wait for the next change.
    copy.pictures->Forget();
    return true;
}

void RecoveryCopies::takeResults() {
    for (const auto& result : writer_.TakeResults()) {
        for (std::int32_t i = 0; i < registry_.ListCount(); ++i) {
            const auto file = registry_.List(i);
            const auto found = copies_.find(file.get());
            if (found == copies_.end() || found->second.base != result.key) continue;
            Copy& copy = found->second;
            if (!result.error) {
                copy.failureTold = false;
                if (copy.written) copy.replaces.clear();
                continue;
            }
            if (copy.written && !copy.pending) {
                // Tried again later, whatever the user does meanwhile.
                copy.pending = true;
                copy.failed = true;
                copy.firstChange = copy.lastChange = clock_();
            }
            if (!copy.failureTold) {
                copy.failureTold = true;
                tell_(QStringLiteral("No se ha podido escribir la copia de recuperación de ") +
                      nameOf(file->GetFileName(), platform::toQString(file->GetFileTitle())) +
                      QStringLiteral(": ") + describe(*result.error) + QStringLiteral("."));
            }
        }
    }
}

void RecoveryCopies::EscribirTodasYa() {
    for (std::int32_t i = 0; i < registry_.ListCount(); ++i) {
        const auto file = registry_.List(i);
        const auto found = copies_.find(file.get());
        if (found != copies_.end() && file->GetChanged()) write(*file, found->second);
    }
    writer_.WaitIdle();
}

void RecoveryCopies::DescartarTodas() {
    for (auto& [file, copy] : copies_) {
        copy.pending = false;
        remove(copy);
    }
    writer_.WaitIdle();
}

void RecoveryCopies::OfrecerCopias(support::UserDialogs& dialogs, const OpenRecovered& open) {
    for (const LeftCopy& left : folder_.LeftBehind()) {
        const QFileInfo original(QFile::decodeName(QByteArray::fromStdString(left.info.original)));
        const bool newer = !left.info.original.empty() && original.exists() &&
                           original.lastModified() > left.info.time;
        switch (dialogs.AskRecovery(PreguntaRecuperar(left.info, newer))) {
            case support::RecoveryAnswer::Recover:
                if (const auto file = open(RecoveryFolder::CardPath(left.base), left.info)) {
                    // This instance's own copy is on disk before the old one goes.
                    if (auto found = copies_.find(file.get()); found != copies_.end()) {
                        found->second.replaces = left.base;
                        write(*file, found->second);
                    }
                }
                break;
            case support::RecoveryAnswer::Discard:
                RecoveryFolder::Remove(left.base);
                break;
            case support::RecoveryAnswer::Later:
                break;
        }
    }
    // A claim goes only when what was posted about its copies is done.
    writer_.WaitIdle();
    folder_.ReleaseClaims();
}

support::RecoveryRequest PreguntaRecuperar(const RecoveryInfo& info, bool originalNewer) {
    support::RecoveryRequest request;
    request.title = QStringLiteral("Recuperar cartulo");
    const QString time = info.time.toLocalTime().toString(QStringLiteral("d/M/yyyy 'a las' H:mm"));
    if (info.original.empty()) {
        request.text = QStringLiteral("El cartulo nuevo «") + info.title +
                       QStringLiteral(
                           "», que no se llegó a guardar, tenía cambios cuando "
                           "Cartulo se cerró sin preguntar.");
    } else {
        request.text = QStringLiteral("El cartulo «") + info.title + QStringLiteral("» (") +
                       QFile::decodeName(QByteArray::fromStdString(info.original)) +
                       QStringLiteral(
                           ") tenía cambios sin guardar cuando Cartulo se cerró "
                           "sin preguntar.");
    }
    request.detail = QStringLiteral("Hay una copia de recuperación del ") + time +
                     QStringLiteral(
                         ". «Recuperar» la abre como cartulo sin guardar, "
                         "«Descartar» la borra y «Más tarde» la conserva hasta el "
                         "próximo inicio.");
    if (originalNewer) {
        request.detail += QStringLiteral(
            " El archivo original se modificó después de esta copia: si la recupera, "
            "no se guardará sobre él hasta que usted la guarde.");
    }
    return request;
}

}  // namespace cartulo::shell
