// Opening, saving and closing files: events, flags, and saves that never lose a file.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>

#include "engine/file_format.h"
#include "test_support.h"

namespace cartulo {
namespace {

using namespace test;

class FileOperationsTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        file = Path("agenda.ctu");
        WriteBytes(file, kAgenda);
        ASSERT_TRUE(ctu.OpenFile(file));
        sub = ctu.Subscribe(rec);
    }
    mode_t Mode(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    std::string file;
    cCartulo ctu;  // the agenda, opened
    Recorder rec;
    Subscription sub;
};

TEST_F(FileOperationsTest, NewFileAndOpenFileRaiseOnlyTheEventsOfTheNewFile) {
    Log seen;
    rec.during = [&](const std::string& event, CardId) {
        if (event == "NewFile")
            seen = {ctu.GetFileTitle(), ctu.GetFileName(), std::to_string(ctu.GetChanged()),
                    std::to_string(ctu.CardCount())};
    };
    ctu.SetChanged();
    EXPECT_TRUE(ctu.NewFile("Diario"));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));  // no CloseCard for the old cards
    EXPECT_EQ(seen, (Log{"Diario", "", "0", "1"}));
    ctu.NewCard("Vieja");
    rec.log.clear();
    ASSERT_TRUE(ctu.OpenFile(file));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));  // loaded cards raise nothing
    EXPECT_EQ(ctu.GetFileName(), file);
    EXPECT_TRUE(ctu.IsOpenFile() && !ctu.GetChanged() && ctu.SrchNtry("Vieja") == kNoCard);
    // A failed open raises the events of the fallback new file; a file that
    // exists is first opened as a new file named after it.
    rec.log.clear();
    EXPECT_FALSE(ctu.OpenFile(Path("nada.ctu")));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile"}));
    WriteBytes(Path("mal.ctu"), "abc  \r\n");
    rec.log.clear();
    EXPECT_FALSE(ctu.OpenFile(Path("mal.ctu")));
    EXPECT_EQ(rec.log, (Log{"NewCard 1", "NewFile", "NewCard 1", "NewFile"}));
}

TEST_F(FileOperationsTest, CloseFileRaisesCloseCardPerCardInListOrderThenCloseFile) {
    Log seen;
    rec.during = [&](const std::string& event, CardId c) {
        if (event == "CloseCard") seen.push_back(ctu.GetNtry(c));
        if (event == "CloseFile")
            seen.push_back(ctu.GetFileName() + "|" + std::to_string(ctu.CardCount()));
    };
    ctu.CloseFile();
    EXPECT_EQ(rec.log, (Log{"CloseCard 3", "CloseCard 2", "CloseCard 1", "CloseFile"}));
    EXPECT_EQ(seen, (Log{"Pan2", "Pan", "", file + "|0"}));
    EXPECT_EQ(ctu.GetFileName(), "");
    EXPECT_TRUE(ctu.CardCount() == 0 && ctu.GetMain() == kNoCard && !ctu.CheckHeaps());
    EXPECT_TRUE(ctu.OpenFile(file) && ctu.CardCount() == 3);  // usable again
    // A file without a path is not closed.
    ctu.NewFile("T");
    rec.log.clear();
    ctu.CloseFile();
    EXPECT_TRUE(rec.log.empty() && ctu.CardCount() == 1);
}

TEST_F(FileOperationsTest, OpenFileSetsTheTagFromANonEmptyTitle) {
    ctu.SetTag("PREVIO");
    WriteBytes(Path("vacio.ctu"), "0    \r\n0 3    {b}\r\n");
    ASSERT_TRUE(ctu.OpenFile(Path("vacio.ctu")));
    EXPECT_EQ(ctu.GetTag(), "PREVIO");
    WriteBytes(Path("cancion.ctu"), "0    \r\n0 23   Canci\xF3n {b}de cuna\r\nm\xE1s\r\n");
    ASSERT_TRUE(ctu.OpenFile(Path("cancion.ctu")));
    EXPECT_EQ(ctu.GetTag(), "CANCI\xD3N DE CUNA");
}

TEST_F(FileOperationsTest, DebugFlagThrowsTheErrorInstead) {
    ctu.SetDebugFlag(true);
    WriteBytes(Path("mal.ctu"), "abc  \r\n");
    const std::vector<std::pair<std::function<void()>, int>> cases = {
        {[&] { ctu.OpenFile(Path("mal.ctu")); }, 5},
        {[&] { ctu.OpenFile(Path("nada.ctu")); }, errors::kFileNotFound},
        {[&] { ctu.SetChanged(), ctu.SaveFile(Path("no/existe.ctu")); }, errors::kPathNotFound},
    };
    for (const auto& [op, code] : cases) {
        try {
            op();
            ADD_FAILURE() << "no error thrown";
        } catch (const CartuloError& e) {
            EXPECT_EQ(e.error.code, code);
            EXPECT_FALSE(e.error.description.empty());
        }
    }
    // A sister that fails never joins the list.
    WriteBytes(Path("roto.ctu"), "2    \r\n0 1    T\r\n1 A1    x\r\n1 B4    @@Zz\r\n");
    EXPECT_THROW(ctu.OpenFile(Path("roto.ctu")), CartuloError);
    EXPECT_EQ(ctu.CardCount(), 2);
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c)) {
        const auto sisters = ctu.GetSisters(c);
        EXPECT_NE(std::find(sisters.begin(), sisters.end(), c), sisters.end());
    }
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
}

TEST_F(FileOperationsTest, SaveUnchangedCopyAndNewName) {
    WriteBytes(file, "otro");
    EXPECT_TRUE(ctu.SaveFile() && ctu.SaveFile(Path("otra.ctu")));  // unchanged: nothing written
    EXPECT_EQ(ReadBytes(file), "otro");
    EXPECT_EQ(Listing(), (Names{"agenda.ctu"}));
    WriteBytes(file, kAgenda);
    EXPECT_TRUE(ctu.SaveFile(Path("copia1.ctu"), true));  // a copy is written even unchanged
    EXPECT_EQ(ReadBytes(Path("copia1.ctu")),
              "2    \r\n0 6    Agenda\r\n4 Pan21    x\r\n3 Pan6    @@Pan2\r\n");
    EXPECT_FALSE(ctu.GetChanged());
    ctu.NewCard("Nueva");
    EXPECT_TRUE(ctu.SaveFile(Path("copia2.ctu"), true));
    EXPECT_EQ(ctu.GetFileName(), file);  // a copy keeps the path and the changed flag
    EXPECT_TRUE(ctu.GetChanged());
    cCartulo copy;
    ASSERT_TRUE(copy.OpenFile(Path("copia2.ctu")));
    EXPECT_NE(copy.SrchNtry("Nueva"), kNoCard);
    ASSERT_TRUE(ctu.SaveFile(Path("nuevo.ctu")));  // a new name moves the path
    EXPECT_EQ(ctu.GetFileName(), Path("nuevo.ctu"));
    EXPECT_FALSE(ctu.GetChanged());
    EXPECT_EQ(ReadBytes(file), kAgenda);
    ctu.NewCard("Otra");
    ASSERT_TRUE(ctu.SaveFile());
    // No temporary files left.
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", "copia1.ctu", "copia2.ctu", "nuevo.ctu"}));
}

TEST_F(FileOperationsTest, FailedSavesKeepCardsPathChangedFlagAndTheFiles) {
    std::filesystem::create_directory(Path("carpeta"));
    ctu.NewCard("Nueva");
    const std::vector<std::pair<std::string, int>> cases = {
        {"no/existe.ctu", errors::kPathNotFound}, {"carpeta", errors::kAccessError}};
    for (const auto& [name, code] : cases) {
        EXPECT_FALSE(ctu.SaveFile(Path(name)));
        EXPECT_EQ(ctu.LastError().code, code);
        EXPECT_FALSE(ctu.LastError().description.empty());
        EXPECT_TRUE(ctu.GetFileName() == file && ctu.GetChanged() && ctu.CardCount() == 4);
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path("carpeta")));
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", "carpeta"}));
    EXPECT_FALSE(ctu.OpenFile(Path("no/existe.ctu")));
    EXPECT_EQ(ctu.LastError().code, errors::kPathNotFound);
    ctu.SetChanged();
    EXPECT_FALSE(ctu.SaveFile());  // no name
    EXPECT_EQ(ctu.LastError().code, errors::kBadFileName);
    // A named pipe is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo(Path("tuberia.ctu").c_str(), 0600), 0);
    EXPECT_FALSE(ctu.OpenFile(Path("tuberia.ctu")));
    EXPECT_EQ(ctu.LastError().code, errors::kAccessError);
    EXPECT_EQ(ctu.GetFileTitle(), "NUEVO CARTULO");
}

TEST_F(FileOperationsTest, RelativeLongAndNonAsciiNamesAndTheUsualPermissions) {
    const std::string name = "Canci\xC3\xB3n \xC3\xB1.ctu";  // UTF-8 bytes, never converted
    const std::string longest = std::string(251, 'n') + ".ctu";
    const int status = RunInChild([&] {
        ::umask(027);
        if (::chdir(dir_.c_str()) != 0) return 2;
        for (const std::string& path : {name, longest}) {
            cCartulo ctu;
            ctu.NewFile("T");
            ctu.NewCard("A");
            if (!ctu.SaveFile(path)) return 1;
            ctu.NewCard("B");
            if (!ctu.SaveFile()) return 3;
            cCartulo again;
            if (!again.OpenFile(path) || again.CardCount() != 3) return 4;
        }
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Listing(), (Names{"agenda.ctu", name, longest}));
    EXPECT_EQ(Mode(Path(name)), 0640u);
    // A file without a main record is titled by its name in the code page.
    const std::string path = Path("diario \xE6\x97\xA5 a\xC3\xB1o.ctu");  // 日 and ñ in UTF-8
    WriteBytes(path, "0    \r\n1 A1    a\r\n");
    ASSERT_TRUE(ctu.OpenFile(path));
    EXPECT_EQ(ctu.GetFileTitle(), "diario _ a\xF1o.ctu");
}

TEST_F(FileOperationsTest, SaveFailingHalfWayLeavesTheOldFileAndNoTemporaryFile) {
    ctu.SetTxt(ctu.NewCard("Grande"), std::string(kMaxTextLength, 'g'));
    const int status = RunInChild([&] {
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
    EXPECT_EQ(again.CardCount(), 4);
}

TEST_F(FileOperationsTest, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    // A small filesystem of the child's own, where mounting is allowed.
    const int status = RunInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") != 0)
            return kChildSetupFailed;
        cCartulo ctu;
        ctu.NewFile("Lleno");
        ctu.SetChanged();
        if (!ctu.SaveFile(Path("lleno.ctu"))) return 1;
        const std::string before = ReadBytes(Path("lleno.ctu"));
        ctu.SetTxt(ctu.NewCard("Grande"), std::string(99000, 'x'));
        if (ctu.SaveFile() || ctu.LastError().code != errors::kDiskFull) return 2;
        return ReadBytes(Path("lleno.ctu")) == before && Listing().size() == 1 ? 0 : 3;
    });
    if (status == kChildSetupFailed) GTEST_SKIP() << "mounting is not allowed here";
    EXPECT_EQ(status, 0);
}

TEST_F(FileOperationsTest, SaveKeepsPermissionsAndSymbolicLinks) {
    namespace fs = std::filesystem;
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    fs::create_directory(Path("datos"));
    fs::create_directory(Path("enlaces"));
    const std::string target = Path("datos/real.ctu"), link = Path("enlaces/enlace.ctu");
    fs::rename(file, target);
    ASSERT_EQ(::symlink("../datos/real.ctu", link.c_str()), 0);
    ASSERT_TRUE(ctu.OpenFile(link));
    ctu.NewCard("Nueva");
    ASSERT_TRUE(ctu.SaveFile()) << ctu.LastError().description;
    EXPECT_EQ(Mode(target), 0640u);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), "../datos/real.ctu");
    cCartulo reread;
    ASSERT_TRUE(reread.OpenFile(target));
    EXPECT_NE(reread.SrchNtry("Nueva"), kNoCard);
    EXPECT_EQ(Listing("datos").size() + Listing("enlaces").size(), 2u);
}

// Root ignores permissions, so these run as an unprivileged child.
TEST_F(FileOperationsTest, ProtectedFilesAndFoldersAreNeitherReadNorReplaced) {
    std::filesystem::create_directory(Path("ro"));
    const std::string locked = Path("ro/agenda.ctu"), readOnly = Path("protegido.ctu");
    WriteBytes(locked, kAgenda);
    WriteBytes(readOnly, kAgenda);
    WriteBytes(Path("secreto.ctu"), kAgenda);
    cCartulo inFolder;
    ASSERT_TRUE(inFolder.OpenFile(locked));
    inFolder.NewCard("Nueva");
    ASSERT_TRUE(ctu.OpenFile(readOnly));
    ctu.NewCard("Nueva");
    // The file in the folder stays writable: only the folder refuses a new file.
    ASSERT_EQ(::chmod(locked.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(Path("ro").c_str(), 0555), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(Path("secreto.ctu").c_str(), 0), 0);
    const int status = RunInChild(
        [&] {
            if (inFolder.SaveFile() || inFolder.LastError().description.empty()) return 1;
            if (ctu.SaveFile() || ctu.LastError().code != errors::kPermissionDenied) return 2;
            cCartulo secret;
            if (secret.OpenFile(Path("secreto.ctu"))) return 3;
            return secret.LastError().code == errors::kPermissionDenied ? 0 : 4;
        },
        /*unprivileged=*/true);
    if (status == kChildSetupFailed) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(locked), kAgenda);
    EXPECT_EQ(Listing("ro"), (Names{"agenda.ctu"}));
    EXPECT_EQ(ReadBytes(readOnly), kAgenda);
    EXPECT_EQ(Mode(readOnly), 0444u);
}

TEST(FieldValueTest, OnlySpacesAreIgnored) {
    EXPECT_EQ((std::vector<std::int64_t>{fieldValue(" 1 2 "), fieldValue("\t5"), fieldValue("5\n"),
                                         fieldValue("-3"), fieldValue("ab")}),
              (std::vector<std::int64_t>{12, 0, 5, -3, 0}));
}

}  // namespace
}  // namespace cartulo
