// Files that must not be harmed or hang the program: protected files, named
// pipes, long names, missing folders, and failures while debugging.
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/file_format.h"
#include "test_support.h"

namespace cartulo {
namespace {

class FileSafetyTest : public test::TempDirTest {};

TEST_F(FileSafetyTest, AReadOnlyFileIsNotReplaced) {
    const std::string path = Path("protegido.ctu");
    cCartulo ctu;
    ctu.NewFile("Protegido");
    ctu.SetChanged();
    ASSERT_TRUE(ctu.SaveFile(path));
    const std::string before = test::ReadBytes(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ctu.NewCard("Nueva");

    const int status = test::RunInChild(
        [&] {
            if (ctu.SaveFile()) return 1;
            return ctu.LastError().code == errors::kPermissionDenied ? 0 : 2;
        },
        /*unprivileged=*/true);
    if (status == test::kChildSetupFailed) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadBytes(path), before);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(FileSafetyTest, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    // A small filesystem of the child's own, where mounting is allowed.
    const int status = test::RunInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") != 0) {
            return test::kChildSetupFailed;
        }
        cCartulo ctu;
        ctu.NewFile("Lleno");
        ctu.SetChanged();
        if (!ctu.SaveFile(Path("lleno.ctu"))) return 1;
        const std::string before = test::ReadBytes(Path("lleno.ctu"));
        ctu.SetTxt(ctu.NewCard("Grande"), std::string(99000, 'x'));
        if (ctu.SaveFile() || ctu.LastError().code != errors::kDiskFull) return 2;
        return test::ReadBytes(Path("lleno.ctu")) == before && Listing().size() == 1 ? 0 : 3;
    });
    if (status == test::kChildSetupFailed) GTEST_SKIP() << "mounting is not allowed here";
    EXPECT_EQ(status, 0);
}

TEST_F(FileSafetyTest, ANamedPipeIsRefusedWithoutWaiting) {
    const std::string fifo = Path("tuberia.ctu");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cCartulo ctu;
    EXPECT_FALSE(ctu.OpenFile(fifo));  // would block for ever if it waited for a writer
    EXPECT_EQ(ctu.LastError().code, errors::kAccessError);
    EXPECT_EQ(ctu.GetFileTitle(), "NUEVO CARTULO");
}

TEST_F(FileSafetyTest, LongestFileNamesOpenAndSave) {
    const std::string path = Path(std::string(251, 'n') + ".ctu");
    cCartulo ctu;
    ctu.NewFile("Largo");
    ctu.SetChanged();
    ASSERT_TRUE(ctu.SaveFile(path)) << ctu.LastError().description;
    ctu.NewCard("Otra");
    ASSERT_TRUE(ctu.SaveFile()) << ctu.LastError().description;
    cCartulo again;
    ASSERT_TRUE(again.OpenFile(path));
    EXPECT_EQ(again.CardCount(), 2);
    EXPECT_EQ(Listing().size(), 1u);
}

TEST_F(FileSafetyTest, AMissingFolderIsAMissingPath) {
    cCartulo ctu;
    EXPECT_FALSE(ctu.OpenFile(Path("no/existe.ctu")));
    EXPECT_EQ(ctu.LastError().code, errors::kPathNotFound);
    EXPECT_FALSE(ctu.OpenFile(Path("existe.ctu")));
    EXPECT_EQ(ctu.LastError().code, errors::kFileNotFound);
    ctu.SetChanged();
    EXPECT_FALSE(ctu.SaveFile(Path("no/existe.ctu")));
    EXPECT_EQ(ctu.LastError().code, errors::kPathNotFound);
}

TEST_F(FileSafetyTest, AFailedOpenWhileDebuggingLeavesNoHalfMadeCard) {
    test::WriteBytes(Path("roto.ctu"), "2    \r\n0 1    T\r\n1 A1    x\r\n1 B4    @@Zz\r\n");
    cCartulo ctu;
    ctu.SetDebugFlag(true);
    EXPECT_THROW(ctu.OpenFile(Path("roto.ctu")), CartuloError);
    EXPECT_EQ(ctu.CardCount(), 2);  // the main card and A; B never joined the list
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c)) {
        const auto sisters = ctu.GetSisters(c);
        EXPECT_NE(std::find(sisters.begin(), sisters.end(), c), sisters.end());
    }
    EXPECT_EQ(ctu.CheckHeaps(), std::nullopt);
}

TEST_F(FileSafetyTest, FileNameTitleMarksWhatTheCodePageCannotHold) {
    // A file without a main record keeps its file name as the title.
    const std::string path = Path("diario \xE6\x97\xA5 a\xC3\xB1o.ctu");  // 日 and ñ in UTF-8
    test::WriteBytes(path, "0    \r\n1 A1    a\r\n");
    cCartulo ctu;
    ASSERT_TRUE(ctu.OpenFile(path));
    EXPECT_EQ(ctu.GetFileTitle(), "diario _ a\xF1o.ctu");
}

TEST(FieldValueTest, OnlySpacesAreIgnored) {
    EXPECT_EQ(fieldValue(" 1 2 "), 12);
    EXPECT_EQ(fieldValue("\t5"), 0);
    EXPECT_EQ(fieldValue("5\n"), 5);
    EXPECT_EQ(fieldValue("-3"), -3);
    EXPECT_EQ(fieldValue("ab"), 0);
}

}  // namespace
}  // namespace cartulo
