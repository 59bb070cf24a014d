// Recovery copies of the open card files: while a file has unsaved changes
// (a file never saved included) a copy of it is kept in the recovery
// folder, written a few seconds after the last change and at least every
// 30 s while changes go on; it goes when the file is saved or closed. A
// picture of the file is taken on the window thread (it shares the texts
// that did not change with the picture before), and RecoveryWriter turns it
// into bytes and writes them. The original file is never touched.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/cartulos.h"
#include "engine/file_snapshot.h"
#include "platform/tick_count.h"
#include "shell/recovery_folder.h"
#include "shell/recovery_writer.h"
#include "support/user_dialogs.h"

namespace cartulo::shell {

struct RecoveryTiming {
    std::uint32_t quietMs = 3000;     // after the last change
    std::uint32_t longestMs = 30000;  // after the first change not yet copied
};

class RecoveryCopies : private CartulosListener {
  public:
    // `tell` puts a text in the status bar.
    RecoveryCopies(cCartulos& registry, std::string folder, std::function<void(QString)> tell,
                   platform::TickSource clock = platform::GetTickCount, RecoveryTiming timing = {});
    ~RecoveryCopies() override;
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    // Called often (every few hundred ms): writes the copies that are due,
    // drops those of files saved since, tells of a copy that could not be
    // written (once, until one of that file is written again).
    void Tick();
    // The program ends without questions: every changed file's copy now,
    // and back only once they are on disk.
    void EscribirTodasYa();
    // The program closes after every file was saved or let go on purpose.
    void DescartarTodas();
    // Waits for the copies posted so far (tests).
    void Esperar() { writer_.WaitIdle(); }

    // `open` registers a file read from a copy under its original name
    // ("" for a file never saved) and shows it; null when it could not be
    // read or must wait (the user was told).
    using OpenRecovered =
        std::function<std::shared_ptr<cCartulo>(const std::string& copy, const RecoveryInfo& info)>;
    // Offers every copy left behind by an instance no longer running, oldest
    // first: "Recuperar" opens it (the copy then passes to this instance),
    // "Descartar" deletes it, "Más tarde" keeps it for the next start.
    void OfrecerCopias(support::UserDialogs& dialogs, const OpenRecovered& open);

  private:
    class Watch;
    struct Copy {
        std::unique_ptr<Watch> watch;
        std::unique_ptr<FileSnapshots> pictures;
        std::string base;
        bool pending = false;
        std::uint32_t firstChange = 0;
        std::uint32_t lastChange = 0;
        bool written = false;  // a copy is on disk or on its way
        bool failed = false;   // the last one was not written: tried again at longestMs
        bool failureTold = false;
        std::string replaces;  // a recovered copy, removed once this one is on disk
    };

    void onAdd(std::int32_t index) override;
    void onRemove(std::int32_t index) override;
    void watch(const std::shared_ptr<cCartulo>& file);
    void changed(const cCartulo* file);
    // Without `wait`, false when the copy must wait for the next tick: the
    // last one of the file is still being written, or the writer is busy.
    bool write(cCartulo& file, Copy& copy, bool wait = true);
    bool remove(Copy& copy, bool wait = true);
    void takeResults();

    cCartulos& registry_;
    RecoveryFolder folder_;
    std::function<void(QString)> tell_;
    platform::TickSource clock_;
    RecoveryTiming timing_;
    std::map<const cCartulo*, Copy> copies_;
    int nextNumber_ = 1;
    bool prepared_ = false;  // the folder is there and this instance's lock held
    Subscription subscription_;
    RecoveryWriter writer_;  // last: its thread ends before the rest goes
};

// The question about a copy left behind; `originalNewer` when the original
// file was modified after the copy was taken.
support::RecoveryRequest PreguntaRecuperar(const RecoveryInfo& info, bool originalNewer = false);

}  // namespace cartulo::shell
