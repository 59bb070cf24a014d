// The registry of open files, and a file's statistics.
#include "engine/cartulos.h"
#include "test_support.h"

namespace cartulo {
namespace {

struct RegistryRecorder : CartulosListener {
    explicit RegistryRecorder(cCartulos& r) : registry(r) {}
    void onAdd(std::int32_t i) override { log.push_back("Add " + std::to_string(i)); }
    void onRemove(std::int32_t i) override {
        // Still registered while the event runs.
        const auto file = registry.List(i);
        log.push_back("Remove " + std::to_string(i) + (file ? " " + file->GetFileTitle() : " -"));
    }
    void onRename(std::int32_t i) override { log.push_back("Rename " + std::to_string(i)); }
    cCartulos& registry;
    test::Log log;
};

std::shared_ptr<cCartulo> newFile(const std::string& title) {
    auto f = std::make_shared<cCartulo>();
    f->NewFile(title);
    return f;
}

TEST(RegistryTest, IndicesIdentifiersAndEvents) {
    cCartulos registry;
    RegistryRecorder events(registry);
    auto sub = registry.Subscribe(events);
    std::vector<std::shared_ptr<cCartulo>> files;
    for (int i = 0; i < 6; ++i)
        registry.AddFile(files.emplace_back(newFile("F" + std::to_string(i))));
    EXPECT_EQ(registry.ListCount(), 6);
    registry.RemoveItem(0);
    ASSERT_EQ(registry.ListCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(registry.ID(i), i + 1);
        EXPECT_EQ(registry.List(i), files[static_cast<std::size_t>(i) + 1]);
    }
    EXPECT_EQ(events.log.back(), "Remove 0 F0");
    EXPECT_EQ((std::vector{registry.FindID(3), registry.FindID(0),
                           registry.FindFile(files[3].get()), registry.FindFile(files[0].get())}),
              (std::vector{2, -1, 2, -1}));
    // Out of range: nothing happens and nothing is read.
    events.log.clear();
    registry.RemoveItem(-1);
    registry.RemoveItem(5);
    registry.AddFile(nullptr);
    EXPECT_TRUE(registry.List(5) == nullptr && registry.ID(-3) == -1 && events.log.empty());
    EXPECT_EQ(registry.ListCount(), 5);
    registry.NotifyRename(files[2].get());
    registry.NotifyRename(files[0].get());  // not registered
    EXPECT_EQ(events.log, test::Log{"Rename 1"});
    registry.AddFile(files[0]);  // added again: a new identifier
    EXPECT_EQ(registry.ID(5), 6);
    EXPECT_EQ(events.log.back(), "Add 5");
}

// Removing other files from inside the Remove event never removes the wrong one.
TEST(RegistryTest, ListenersThatRemoveFilesDuringRemove) {
    cCartulos registry;
    auto f0 = newFile("F0"), f1 = newFile("F1"), f2 = newFile("F2");
    for (const auto& f : {f0, f1, f2}) registry.AddFile(f);
    struct RemovesFirst : CartulosListener {
        cCartulos& r;
        explicit RemovesFirst(cCartulos& reg) : r(reg) {}
        void onRemove(std::int32_t index) override {
            if (index != 0) r.RemoveItem(0);
        }
    } listener(registry);
    auto sub = registry.Subscribe(listener);
    registry.RemoveItem(1);
    ASSERT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(registry.List(0), f2);
}

using OpenFilesTest = test::TempDirTest;

TEST_F(OpenFilesTest, FindFilenameFindsTheOneOpenCopyOfAFile) {
    cCartulos registry;
    auto unsaved = newFile("sin guardar"), lower = newFile("min"), upper = newFile("may");
    for (const auto& [f, name] : {std::pair{lower, "notas.ctu"}, std::pair{upper, "Notas.ctu"}}) {
        f->SetChanged();
        ASSERT_TRUE(f->SaveFile(Path(name)));
    }
    for (const auto& f : {unsaved, lower, upper}) registry.AddFile(f);
    // Letter case tells two files apart; other names for the same file find it.
    ASSERT_EQ(::symlink(Path("notas.ctu").c_str(), Path("enlace.ctu").c_str()), 0);
    EXPECT_EQ(
        (std::vector{
            registry.FindFilename(Path("notas.ctu")), registry.FindFilename(Path("Notas.ctu")),
            registry.FindFilename(Path("NOTAS.ctu")), registry.FindFilename(dir_ + "//./notas.ctu"),
            registry.FindFilename(Path("enlace.ctu"))}),
        (std::vector{1, 2, -1, 1, 1}));
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    EXPECT_EQ(registry.FindFilename("notas.ctu"), 1);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(registry.FindFilename(""), 0);  // a file never saved has the path ""
}

TEST_F(OpenFilesTest, FileInfoCountsSistersAndEstimatesTheSize) {
    cCartulo ctu;
    ctu.NewFile("Agenda");
    const CardId pan = ctu.NewCard("Pan");
    ctu.SetTxt(pan, "x");
    ctu.NewAlias(pan, "Pan2");
    ctu.NewCard("B");
    ctu.SetTag("ETIQUETA");
    FileInfo info = ctu.GetFileInfo();
    EXPECT_TRUE(info.cards == 4 && info.sisters == 1 && info.tag == "ETIQUETA");
    EXPECT_FLOAT_EQ(info.capacity, 4 * 100.0f / 5000);
    EXPECT_EQ(info.fileName + ctu.GetBasePath(), "");
    // List order B, Pan2, Pan, main: 1+0+9, 4+1+9, then Pan as a sister 2*3+9, main 0+6+9.
    EXPECT_EQ(info.size, 10 + 14 + 15 + 15);
    ASSERT_TRUE(ctu.SaveFile(Path("agenda.ctu")));
    EXPECT_EQ((test::Log{ctu.GetFileInfo().fileName, ctu.GetBasePath()}),
              (test::Log{Path("agenda.ctu"), dir_}));
}

}  // namespace
}  // namespace cartulo
