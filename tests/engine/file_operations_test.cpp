// NewFile, OpenFile, SaveFile and CloseFile: their events, the changed flag,
// the tag, the debug flag, and saves that never lose the previous file.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "test_support.h"

namespace cartulo {
namespace {

using test::kAgenda;
using test::ReadBytes;
using test::Recorder;
using test::WriteBytes;
using Log = std::vector<std::string>;
using Names = std::set<std::string>;

class FileOperationsTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        file = Path("agenda.ctu");
        WriteBytes(file, kAgenda);
    }

    mode_t Mode(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }

    std::string file;
};

// --- events ---

TEST_F(FileOperationsTest, NewFileRaisesNewCardForTheMainCardThenNewFile) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    Recorder rec;
    auto sub = ctu.Subscribe(rec);
    std::vector<std::string> seen;
    rec.during = [&](const std::string& event, CardId) {
        if (event == "NewFile")
            seen = {ctu.GetFileTitle(), ctu.GetFileName(), std::to_string(ctu.GetChanged()),
                    std::to_string(ctu.CardCount())};
    };
    EXPECT_TRUE(ctu.NewFile("Diario"));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));  // no CloseCard for the old cards
    EXPECT_EQ(seen, (std::vector<std::string>{"Diario", "", "0", "1"}));
}

TEST_F(FileOperationsTest, OpenFileRaisesOnlyTheEventsOfItsNewFile) {
    cCartulo ctu;
    ctu.NewFile("Antes");
    ctu.NewCard("Vieja");
    Recorder rec;
    auto sub = ctu.Subscribe(rec);
    ASSERT_TRUE(ctu.OpenFile(file));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));  // loaded cards raise nothing
    EXPECT_EQ(ctu.GetFileName(), file);
    EXPECT_TRUE(ctu.IsOpenFile());
    EXPECT_FALSE(ctu.GetChanged());
    EXPECT_EQ(ctu.SrchNtry("Vieja"), kNoCard);

    ctu.SetTxt(ctu.SrchNtry("Pan"), "x");  // the same text
    EXPECT_FALSE(ctu.GetChanged());
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));  // and no event
}

TEST_F(FileOperationsTest, FailedOpenFileRaisesTheEventsOfTheFallbackNewFile) {
    Recorder rec;
    cCartulo missing;
    auto s1 = missing.Subscribe(rec);
    EXPECT_FALSE(missing.OpenFile(Path("nada.ctu")));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));

    // A file that exists is first opened as a new file named after it.
    WriteBytes(Path("mal.ctu"), "abc  \r\n");
    Recorder rec2;
    cCartulo bad;
    auto s2 = bad.Subscribe(rec2);
    EXPECT_FALSE(bad.OpenFile(Path("mal.ctu")));
    EXPECT_EQ(rec2.log, (Log{"NewCard 1", "NewFile", "NewCard 1", "NewFile"}));
}

TEST_F(FileOperationsTest, CloseFileRaisesCloseCardPerCardInListOrderThenCloseFile) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    Recorder rec;
    auto sub = ctu.Subscribe(rec);
    std::vector<std::string> seen;
    rec.during = [&](const std::string& event, CardId c) {
        if (event == "CloseCard") seen.push_back(ctu.GetNtry(c));
        if (event == "CloseFile")
            seen.push_back(ctu.GetFileName() + "|" + std::to_string(ctu.CardCount()));
    };
    ctu.CloseFile();
    EXPECT_EQ(rec.log, (Log{"CloseCard 3", "CloseCard 2", "CloseCard 1", "CloseFile"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"Pan2", "Pan", "", file + "|0"}));
    EXPECT_EQ(ctu.GetFileName(), "");
    EXPECT_EQ(ctu.CardCount(), 0);
    EXPECT_EQ(ctu.GetMain(), kNoCard);
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);

    ASSERT_TRUE(ctu.OpenFile(file));  // usable again
    EXPECT_EQ(ctu.CardCount(), 3);
}

TEST_F(FileOperationsTest, CloseFileOfAFileWithoutPathDoesNothing) {
    cCartulo ctu;
    ctu.NewFile("T");
    ctu.NewCard("A");
    Recorder rec;
    auto sub = ctu.Subscribe(rec);
    ctu.CloseFile();
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(ctu.CardCount(), 2);
}

// --- tag and debug flag ---

TEST_F(FileOperationsTest, OpenFileSetsTheTagFromANonEmptyTitle) {
    cCartulo ctu;
    ctu.SetTag("PREVIO");
    WriteBytes(Path("vacio.ctu"), "0    \r\n0 3    {b}\r\n");
    ASSERT_TRUE(ctu.OpenFile(Path("vacio.ctu")));
    EXPECT_EQ(ctu.GetTag(), "PREVIO");

    WriteBytes(Path("cancion.ctu"), "0    \r\n0 23   Canci\xF3n {b}de cuna\r\nm\xE1s\r\n");
    ASSERT_TRUE(ctu.OpenFile(Path("cancion.ctu")));
    EXPECT_EQ(ctu.GetTag(), "CANCI\xD3N DE CUNA");
}

TEST_F(FileOperationsTest, DebugFlagThrowsTheErrorInstead) {
    cCartulo ctu;
    ctu.SetDebugFlag(true);
    WriteBytes(Path("mal.ctu"), "abc  \r\n");
    struct Case {
        std::function<void()> op;
        int code;  // 0: any
    };
    const std::vector<Case> cases = {
        {[&] { ctu.OpenFile(Path("mal.ctu")); }, 5},
        {[&] { ctu.OpenFile(Path("nada.ctu")); }, 53},
        {[&] {
             ctu.NewFile("T");
             ctu.SetChanged();
             ctu.SaveFile(Path("no/existe.ctu"));
         },
         0},
    };
    for (const auto& c : cases) {
        try {
            c.op();
            ADD_FAILURE() << "no error thrown";
        } catch (const CartuloError& e) {
            if (c.code != 0) {
                EXPECT_EQ(e.error.code, c.code);
            }
            EXPECT_NE(e.error.code, 0);
            EXPECT_FALSE(e.error.description.empty());
        }
    }
}

// --- saving ---

TEST_F(FileOperationsTest, SavingAnUnchangedFileWritesNothing) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    WriteBytes(file, "otro");
    EXPECT_TRUE(ctu.SaveFile());
    EXPECT_TRUE(ctu.SaveFile(Path("otra.ctu")));
    EXPECT_EQ(ReadBytes(file), "otro");
    EXPECT_EQ(ctu.GetFileName(), file);
    EXPECT_EQ(Listing(), (Names{"agenda.ctu"}));
}

TEST_F(FileOperationsTest, SaveAsCopyKeepsThePathAndTheChangedFlag) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    EXPECT_TRUE(ctu.SaveFile(Path("copia1.ctu"), true));  // a copy is written even unchanged
    EXPECT_EQ(ReadBytes(Path("copia1.ctu")),
              "2    \r\n0 6    Agenda\r\n4 Pan21    x\r\n3 Pan6    @@Pan2\r\n");
    EXPECT_FALSE(ctu.GetChanged());

    ctu.NewCard("Nueva");
    EXPECT_TRUE(ctu.SaveFile(Path("copia2.ctu"), true));
    EXPECT_EQ(ctu.GetFileName(), file);
    EXPECT_TRUE(ctu.GetChanged());
    EXPECT_EQ(ReadBytes(file), kAgenda);
    cCartulo copy;
    ASSERT_TRUE(copy.OpenFile(Path("copia2.ctu")));
    EXPECT_NE(copy.SrchNtry("Nueva"), kNoCard);
}

TEST_F(FileOperationsTest, SaveUnderANewNameMovesThePath) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    ctu.NewCard("Nueva");
    ASSERT_TRUE(ctu.SaveFile(Path("nuevo.ctu")));
    EXPECT_EQ(ctu.GetFileName(), Path("nuevo.ctu"));
    EXPECT_FALSE(ctu.GetChanged());
    EXPECT_EQ(ReadBytes(file), kAgenda);
    ctu.NewCard("Otra");
    ASSERT_TRUE(ctu.SaveFile());
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", "nuevo.ctu"}));  // no temporary files left
}

TEST_F(FileOperationsTest, FailedSaveKeepsCardsPathAndChangedFlag) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    ctu.NewCard("Nueva");
    EXPECT_FALSE(ctu.SaveFile(Path("no/existe.ctu")));
    EXPECT_NE(ctu.LastError().code, 0);
    EXPECT_FALSE(ctu.LastError().description.empty());
    EXPECT_EQ(ctu.GetFileName(), file);
    EXPECT_TRUE(ctu.GetChanged());
    EXPECT_EQ(ctu.CardCount(), 4);

    cCartulo unnamed;
    unnamed.NewFile("T");
    unnamed.SetChanged();
    EXPECT_FALSE(unnamed.SaveFile());
    EXPECT_EQ(unnamed.LastError().code, 52);
}

TEST_F(FileOperationsTest, RelativeAndNonAsciiPathsAreSavedInTheirOwnFolder) {
    const std::string name = "Canci\xC3\xB3n \xC3\xB1.ctu";  // UTF-8 bytes, never converted
    const int status = test::RunInChild([&] {
        if (::chdir(dir_.c_str()) != 0) return 2;
        cCartulo ctu;
        ctu.NewFile("T");
        ctu.NewCard("A");
        if (!ctu.SaveFile(name)) return 1;
        ctu.NewCard("B");
        if (!ctu.SaveFile()) return 3;
        cCartulo again;
        return again.OpenFile(name) && again.CardCount() == 3 ? 0 : 4;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", name}));
}

TEST_F(FileOperationsTest, NewFileGetsTheUsualPermissions) {
    const int status = test::RunInChild([&] {
        ::umask(027);
        cCartulo ctu;
        ctu.NewFile("T");
        ctu.SetChanged();
        return ctu.SaveFile(Path("nuevo.ctu")) ? 0 : 1;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(Mode(Path("nuevo.ctu")), 0640u);
}

TEST_F(FileOperationsTest, SaveOverAFolderFailsAndLeavesIt) {
    std::filesystem::create_directory(Path("carpeta"));
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    ctu.NewCard("Nueva");
    EXPECT_FALSE(ctu.SaveFile(Path("carpeta")));
    EXPECT_TRUE(std::filesystem::is_directory(Path("carpeta")));
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", "carpeta"}));
    EXPECT_EQ(ctu.GetFileName(), file);
}

TEST_F(FileOperationsTest, SaveFailingHalfWayLeavesTheOldFileAndNoTemporaryFile) {
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    for (int i = 0; i < 8; ++i)
        ctu.SetTxt(ctu.NewCard("Grande " + std::to_string(i)), std::string(90000, 'g'));

    const int status = test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};  // far below the new file's size
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        if (ctu.SaveFile()) return 1;
        return ctu.LastError().code != 0 ? 0 : 3;
    });
    EXPECT_EQ(status, 0) << "1: the save claimed success; 3: no error code";
    EXPECT_EQ(ReadBytes(file), kAgenda);
    EXPECT_EQ(Listing(), (Names{"agenda.ctu"}));

    ASSERT_TRUE(ctu.SaveFile());  // without the limit it works
    cCartulo again;
    ASSERT_TRUE(again.OpenFile(file));
    EXPECT_EQ(again.CardCount(), 11);
}

TEST_F(FileOperationsTest, SaveKeepsThePermissionsOfTheFile) {
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(file));
    ctu.NewCard("Nueva");
    ASSERT_TRUE(ctu.SaveFile());
    EXPECT_EQ(Mode(file), 0640u);
    EXPECT_NE(ReadBytes(file), kAgenda);
}

TEST_F(FileOperationsTest, SaveThroughASymbolicLinkUpdatesItsTarget) {
    namespace fs = std::filesystem;
    fs::create_directory(Path("datos"));
    fs::create_directory(Path("enlaces"));
    const std::string target = Path("datos/real.ctu");
    const std::string link = Path("enlaces/enlace.ctu");
    fs::rename(file, target);
    ASSERT_EQ(::symlink("../datos/real.ctu", link.c_str()), 0);

    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(link));
    ctu.NewCard("Nueva");
    ASSERT_TRUE(ctu.SaveFile()) << ctu.LastError().description;

    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), "../datos/real.ctu");
    cCartulo reread;
    ASSERT_TRUE(reread.OpenFile(target));
    EXPECT_NE(reread.SrchNtry("Nueva"), kNoCard);
    EXPECT_EQ(Listing("datos"), (Names{"real.ctu"}));
    EXPECT_EQ(Listing("enlaces"), (Names{"enlace.ctu"}));
}

TEST_F(FileOperationsTest, SaveInAReadOnlyFolderFailsAndLeavesTheFile) {
    std::filesystem::create_directory(Path("ro"));
    const std::string locked = Path("ro/agenda.ctu");
    WriteBytes(locked, kAgenda);
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(locked));
    ctu.NewCard("Nueva");
    // The file itself stays writable: only the folder refuses a new file.
    ASSERT_EQ(::chmod(locked.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(Path("ro").c_str(), 0555), 0);

    // Root ignores permissions, so the save runs as an unprivileged child.
    const int status = test::RunInChild(
        [&] {
            if (ctu.SaveFile()) return 1;
            return ctu.LastError().description.empty() ? 3 : 0;
        },
        /*unprivileged=*/true);
    if (status == test::kChildSetupFailed) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(locked), kAgenda);
    EXPECT_EQ(Listing("ro"), (Names{"agenda.ctu"}));
}

}  // namespace
}  // namespace cartulo
