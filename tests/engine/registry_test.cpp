// The registry of open files: indices, identifiers, events, and finding a
// file by the path it is open under.
#include <gtest/gtest.h>

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
    std::vector<std::string> log;
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
    for (int i = 0; i < 6; ++i) {
        files.push_back(newFile("F" + std::to_string(i)));
        registry.AddFile(files.back());
    }
    EXPECT_EQ(registry.ListCount(), 6);
    registry.RemoveItem(0);
    ASSERT_EQ(registry.ListCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(registry.ID(i), i + 1);
        EXPECT_EQ(registry.List(i), files[static_cast<std::size_t>(i) + 1]);
    }
    EXPECT_EQ(events.log.back(), "Remove 0 F0");
    EXPECT_EQ(registry.FindID(3), 2);
    EXPECT_EQ(registry.FindID(0), -1);
    EXPECT_EQ(registry.FindFile(files[3].get()), 2);
    EXPECT_EQ(registry.FindFile(files[0].get()), -1);

    // Out of range: nothing happens and nothing is read.
    events.log.clear();
    registry.RemoveItem(-1);
    registry.RemoveItem(5);
    EXPECT_EQ(registry.List(5), nullptr);
    EXPECT_EQ(registry.ID(-3), -1);
    EXPECT_TRUE(events.log.empty());

    registry.NotifyRename(files[2].get());
    registry.NotifyRename(files[0].get());  // not registered
    EXPECT_EQ(events.log, std::vector<std::string>{"Rename 1"});

    // A file added again gets a new identifier.
    registry.AddFile(files[0]);
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

    registry.AddFile(nullptr);  // ignored
    EXPECT_EQ(registry.ListCount(), 1);
    EXPECT_EQ(registry.FindFilename("/nada.ctu"), -1);
}

TEST(RegistryTest, TheProgramHasOneRegistry) {
    EXPECT_EQ(&Ctus(), &Ctus());
    const auto before = Ctus().ListCount();
    auto f = newFile("Global");
    Ctus().AddFile(f);
    EXPECT_EQ(Ctus().List(Ctus().ListCount() - 1), f);
    Ctus().RemoveItem(Ctus().FindFile(f.get()));
    EXPECT_EQ(Ctus().ListCount(), before);
}

using RegistryPathTest = test::TempDirTest;

TEST_F(RegistryPathTest, FindsTheOneOpenCopyOfAFile) {
    cCartulos registry;
    auto lower = newFile("minusculas");
    lower->SetChanged();
    ASSERT_TRUE(lower->SaveFile(Path("notas.ctu")));
    auto upper = newFile("mayusculas");
    upper->SetChanged();
    ASSERT_TRUE(upper->SaveFile(Path("Notas.ctu")));
    auto unsaved = newFile("sin guardar");
    registry.AddFile(unsaved);
    registry.AddFile(lower);
    registry.AddFile(upper);

    // Letter case tells two files apart.
    EXPECT_EQ(registry.FindFilename(Path("notas.ctu")), 1);
    EXPECT_EQ(registry.FindFilename(Path("Notas.ctu")), 2);
    EXPECT_EQ(registry.FindFilename(Path("NOTAS.ctu")), -1);
    // Other names for the same file find it.
    EXPECT_EQ(registry.FindFilename(dir_ + "//./notas.ctu"), 1);
    ASSERT_EQ(::symlink(Path("notas.ctu").c_str(), Path("enlace.ctu").c_str()), 0);
    EXPECT_EQ(registry.FindFilename(Path("enlace.ctu")), 1);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    EXPECT_EQ(registry.FindFilename("notas.ctu"), 1);
    std::filesystem::current_path(cwd);
    // A file never saved has the path "".
    EXPECT_EQ(registry.FindFilename(""), 0);
}

}  // namespace
}  // namespace cartulo
