// Helpers shared by the engine tests.
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"

namespace cartulo::test {

using Log = std::vector<std::string>;
using Names = std::set<std::string>;

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Main card "Agenda"; card Pan with text x; Pan2, a sister of Pan.
inline const std::string kAgenda = "2    \r\n0 6    Agenda\r\n3 Pan1    x\r\n4 Pan25    @@Pan\r\n";

// Builders for generated files only; hand-checked tests spell their bytes out.
inline std::string NumberField(long value, std::size_t width) {
    std::string s = std::to_string(value);
    s.resize(width, ' ');
    return s;
}
inline std::string Record(std::string_view entry, std::string_view text) {
    return NumberField(static_cast<long>(entry.size()), 2) + std::string(entry) +
           NumberField(static_cast<long>(text.size()), 5) + std::string(text) + "\r\n";
}

// Entries in card-list order; the main card shows as "".
inline Log ListOrder(const cCartulo& ctu) {
    Log out;
    for (CardId c = ctu.FirstCard(); c != kNoCard; c = ctu.NextCard(c))
        out.push_back(ctu.GetNtry(c));
    return out;
}

// Logs every event as a short string; `during` runs inside each event so a
// test can call getters while the event is being raised.
struct Recorder : CartuloListener {
    Log log;
    std::function<void(const std::string& event, CardId card)> during;

    void note(const std::string& event, CardId card = kNoCard) {
        log.push_back(card == kNoCard ? event : event + " " + std::to_string(card));
        if (during) during(event, card);
    }
    void onCloseCard(CardId c) override { note("CloseCard", c); }
    void onCloseFile() override { note("CloseFile"); }
    void onNewCard(CardId c, bool alias) override { note(alias ? "NewAlias" : "NewCard", c); }
    void onNewFile() override { note("NewFile"); }
    void onUpdateCardNtry(CardId c) override { note("UpdateCardNtry", c); }
    void onUpdateCardTxt(CardId c) override { note("UpdateCardTxt", c); }
};

inline constexpr int kChildSetupFailed = 250;

// Runs `body` in a forked child and returns its exit status, or -1 when it
// died of a signal. With `unprivileged`, a root parent's child drops to the
// "nobody" ids first, so that file permissions apply to it.
inline int RunInChild(const std::function<int()>& body, bool unprivileged = false) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(kChildSetupFailed);
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A fresh scratch folder per test, removed afterwards.
class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cartulo-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ::chmod(dir_.c_str(), 0755);  // an unprivileged child must reach the files inside
    }
    void TearDown() override {
        MakeWritable(dir_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Path(std::string_view name) const { return dir_ + "/" + std::string(name); }
    // Names in the scratch folder (or a folder inside it), hidden ones included.
    Names Listing(std::string_view sub = "") const {
        Names names;
        std::error_code ec;
        for (const auto& e :
             std::filesystem::directory_iterator(sub.empty() ? dir_ : Path(sub), ec))
            names.insert(e.path().filename().string());
        return names;
    }
    std::string dir_;

  private:
    static void MakeWritable(const std::filesystem::path& p) {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (!fs::is_directory(fs::symlink_status(p, ec))) return;
        fs::permissions(p, fs::perms::owner_all, fs::perm_options::add, ec);
        for (const auto& e : fs::directory_iterator(p, ec)) MakeWritable(e.path());
    }
};

}  // namespace cartulo::test
