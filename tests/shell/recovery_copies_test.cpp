// Recovery copies in a temporary folder, with a clock the test moves.
#include <sched.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "shell/recovery_copies.h"
#include "support/scripted_user_dialogs.h"

namespace cartulo::shell {
namespace {

class RecoveryCopiesTest : public ::testing::Test {
  protected:
    std::unique_ptr<RecoveryCopies> Make(const QString& folder) {
        return std::make_unique<RecoveryCopies>(
            registry, folder.toStdString(), [this](const QString& text) { told.append(text); },
            [this] { return now; });
    }
    std::shared_ptr<cCartulo> Open(const std::string& name) {
        auto file = std::make_shared<cCartulo>();
        file->NewFile("Notas");
        file->SetChanged();
        if (!name.empty()) file->SaveFile(dir.filePath(QString::fromStdString(name)).toStdString());
        registry.AddFile(file);
        return file;
    }
    QStringList Copies(const QString& suffix = "*.ctu") const {
        return QDir(folder).entryList({suffix}, QDir::Files);
    }
    // Cards of the only copy; 0 when there is none.
    int CopyCards() const {
        const QStringList copies = Copies();
        cCartulo copy;
        if (copies.size() != 1 || !copy.OpenFile(QDir(folder).filePath(copies[0]).toStdString()))
            return 0;
        return copy.CardCount();
    }
    void TickAt(std::uint32_t ms, RecoveryCopies& copies) {
        now = ms;
        copies.Tick();
        copies.Esperar();
    }

    QTemporaryDir dir;
    QString folder = dir.filePath("estado/recuperacion");
    cCartulos registry;
    std::uint32_t now = 1000;
    QStringList told;
};

TEST_F(RecoveryCopiesTest, WrittenAfterAPauseOrEveryLongestWaitThenGoneOnSaveAndClose) {
    auto copies = Make(folder);
    const auto named = Open("notas.ctu");
    const auto unnamed = Open("");  // never saved: a copy of its own all the same
    TickAt(1000, *copies);
    EXPECT_EQ(Copies().size(), 0);
    named->NewCard("a");
    unnamed->NewCard("x");
    TickAt(3999, *copies);
    EXPECT_EQ(Copies().size(), 0);
    TickAt(4000, *copies);
    ASSERT_EQ(Copies().size(), 2);
    struct stat st {};
    ASSERT_EQ(::stat(folder.toLocal8Bit(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(QDir(folder).filePath(Copies()[0]).toLocal8Bit(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    registry.RemoveItem(registry.FindFile(unnamed.get()));  // closed without saving
    TickAt(4000, *copies);
    EXPECT_EQ(CopyCards(), 2);
    // Changes every second: no pause, but a copy 30 s after the first one.
    std::uint32_t t = 5000;
    for (int i = 0; t < 35000; ++i, t += 1000) {
        now = t;
        named->NewCard("b" + std::to_string(i));
        TickAt(t, *copies);
        EXPECT_EQ(CopyCards(), 2) << t;
    }
    now = 35000;
    named->NewCard("c");
    TickAt(35000, *copies);
    EXPECT_EQ(CopyCards(), 33);

    named->SaveFile();  // the autosave's way too
    TickAt(35500, *copies);
    EXPECT_EQ(Copies().size(), 0);
    EXPECT_TRUE(told.isEmpty()) << told.join("\n").toStdString();
}

TEST_F(RecoveryCopiesTest, ACopyThatCannotBeWrittenIsToldOnce) {
    QFile blocker(dir.filePath("bloqueo"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    auto copies = Make(dir.filePath("bloqueo/recuperacion"));
    const auto file = Open("notas.ctu");
    for (std::uint32_t t : {1000u, 5000u, 6000u, 10000u}) {
        file->NewCard(std::to_string(t));
        TickAt(t, *copies);
        TickAt(t + 3000, *copies);
        TickAt(t + 3000, *copies);  // the outcome is heard at the next tick
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(
        told[0].startsWith("No se ha podido escribir la copia de recuperación de notas.ctu"))
        << told[0].toStdString();
    // Tried again without a new change once the disk is back.
    blocker.remove();
    TickAt(50000, *copies);
    EXPECT_EQ(QDir(dir.filePath("bloqueo/recuperacion")).entryList({"*.ctu"}).size(), 1);
    EXPECT_EQ(told.size(), 1);
}

TEST_F(RecoveryCopiesTest, CopiesLeftBehindAreOfferedOnlyWhenTheirInstanceIsGone) {
    std::shared_ptr<cCartulo> file;
    auto reopen = [&](const std::string& copy, const RecoveryInfo& info) {
        file = std::make_shared<cCartulo>();
        EXPECT_TRUE(file->OpenFileAs(copy, info.original));
        registry.AddFile(file);
        return file;
    };
    const std::string original = dir.filePath("notas.ctu").toStdString();
    {
        auto first = Make(folder);
        Open("notas.ctu")->NewCard("perdida");
        TickAt(5000, *first);
        support::ScriptedUserDialogs whileRunning;
        Make(folder)->OfrecerCopias(whileRunning, reopen);
        EXPECT_TRUE(whileRunning.Recoveries().empty()) << "its instance still runs";
    }  // the instance ends without a close: its copy stays
    registry.RemoveItem(0);
    ASSERT_EQ(Copies("*.info").size(), 1);

    const support::RecoveryAnswer answers[] = {support::RecoveryAnswer::Later,
                                               support::RecoveryAnswer::Recover,
                                               support::RecoveryAnswer::Discard};
    for (const auto answer : answers) {
        auto next = Make(folder);
        support::ScriptedUserDialogs dialogs;
        dialogs.QueueRecovery(answer);
        next->OfrecerCopias(dialogs, reopen);
        next->Esperar();
        ASSERT_EQ(dialogs.Recoveries().size(), 1);
        EXPECT_TRUE(dialogs.Recoveries()[0].text.contains(QString::fromStdString(original)));
        // Told when the original changed after the copy.
        EXPECT_EQ(dialogs.Recoveries()[0].detail.contains("El archivo original se modificó"),
                  answer != support::RecoveryAnswer::Later);
        QFile touched(QString::fromStdString(original));
        ASSERT_TRUE(touched.open(QIODevice::Append));
        touched.setFileTime(QDateTime::currentDateTime().addDays(1),
                            QFileDevice::FileModificationTime);
        EXPECT_EQ(Copies("*.info").size(), answer == support::RecoveryAnswer::Discard ? 0 : 1);
        if (answer == support::RecoveryAnswer::Recover) {
            EXPECT_EQ(file->GetFileName(), original);
            EXPECT_TRUE(file->GetChanged());
            EXPECT_EQ(file->CardCount(), 2);
            EXPECT_EQ(CopyCards(), 2) << "now this instance's copy";
            registry.RemoveItem(0);
            next->Esperar();
            EXPECT_EQ(Copies().size(), 0);
            // Left again by an instance that ends without a close.
            registry.AddFile(file);
            next->EscribirTodasYa();
        }
    }
    EXPECT_EQ(Copies("*").size(), 0) << Copies("*").join(" ").toStdString();
}

TEST_F(RecoveryCopiesTest, ARecoveredCopyStaysWhenItsSuccessorCannotBeWritten) {
    {
        auto first = Make(folder);
        Open("notas.ctu")->NewCard("perdida");
        TickAt(5000, *first);
    }
    registry.RemoveItem(0);
    const QStringList left = Copies("*");
    auto next = Make(folder);
    support::ScriptedUserDialogs dialogs;
    dialogs.QueueRecovery(support::RecoveryAnswer::Recover);
    next->OfrecerCopias(dialogs, [&](const std::string& copy, const RecoveryInfo& info) {
        // This instance's copy cannot go where it should.
        for (const QString& lock : Copies("*.lock")) {
            if (!left.contains(lock)) QDir(folder).mkpath(lock.chopped(5) + "-1.ctu");
        }
        auto file = std::make_shared<cCartulo>();
        EXPECT_TRUE(file->OpenFileAs(copy, info.original));
        registry.AddFile(file);
        return file;
    });
    next->Esperar();
    for (const QString& name : left) EXPECT_TRUE(Copies("*").contains(name)) << name.toStdString();
    registry.RemoveItem(0);  // let go on purpose: both go
    next->Esperar();
    EXPECT_EQ(Copies("*.info").size(), 0);
}

TEST_F(RecoveryCopiesTest, HalfCopiesOfAnInstanceGoneAreDebrisAndIdsNeverRepeat) {
    const RecoveryFolder a(folder.toStdString()), b(folder.toStdString());
    EXPECT_NE(a.CopyBase(1), b.CopyBase(1));
    const std::string base = QDir(folder).filePath("1.1-").toStdString();
    const RecoveryInfo info{"", "Notas", QDateTime::currentDateTime()};
    ASSERT_FALSE(RecoveryFolder::Write(base + "1", "bytes", info));
    ASSERT_FALSE(RecoveryFolder::Write(base + "2", "bytes", info));
    ASSERT_FALSE(RecoveryFolder::Write(base + "3", "bytes", info));
    QFile::remove(QString::fromStdString(base + "2.ctu"));   // killed before the card file
    QFile::remove(QString::fromStdString(base + "3.info"));  // removal killed halfway
    RecoveryFolder next(folder.toStdString());
    ASSERT_EQ(next.LeftBehind().size(), 1u);
    next.ReleaseClaims();
    EXPECT_EQ(Copies("1.1*"), (QStringList{"1.1-1.ctu", "1.1-1.info", "1.1.lock"}));
}

// A copy due while the last one of its file is being written waits for it;
// another file's does not.
TEST(RecoveryWriterTest, AJobWaitsWhileOneOfItsKeyRuns) {
    RecoveryWriter writer;
    std::promise<void> started, release;
    writer.Post("a", [&, go = release.get_future().share()]() -> std::optional<FileError> {
        started.set_value();
        go.wait();
        return std::nullopt;
    });
    started.get_future().wait();
    int made = 0;
    const auto make = [&made] {
        ++made;
        return RecoveryWriter::Job([] { return std::optional<FileError>(); });
    };
    EXPECT_FALSE(writer.TryPost("a", make));
    EXPECT_TRUE(writer.TryPost("b", make));
    EXPECT_EQ(made, 1);
    release.set_value();
    writer.WaitIdle();
    EXPECT_TRUE(writer.TryPost("a", make));
    writer.WaitIdle();
    EXPECT_EQ(writer.TakeResults().size(), 3u);
}

// A flush at a session's end must not be starved by a busy machine: the job
// being written when someone starts waiting leaves the idle class.
TEST(RecoveryWriterTest, AJobWaitedForLeavesTheIdleClass) {
    RecoveryWriter writer;
    writer.Post("a", []() -> std::optional<FileError> {
        for (int i = 0; i < 10'000 && ::sched_getscheduler(0) == SCHED_IDLE; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (::sched_getscheduler(0) == SCHED_IDLE) return FileError{};
        return std::nullopt;
    });
    writer.WaitIdle();
    const auto results = writer.TakeResults();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].error.has_value());
}

}  // namespace
}  // namespace cartulo::shell
