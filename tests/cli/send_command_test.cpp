// ctu send with no cartulo listening reports it and ends with 2, promptly.
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli_fixture.h"

namespace {

// Points the channel at this test's empty folder for the ctu it starts.
class RuntimeDirOverride {
  public:
    explicit RuntimeDirOverride(const std::string& dir) {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) old_ = old;
        ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    ~RuntimeDirOverride() {
        if (old_) {
            ::setenv("XDG_RUNTIME_DIR", old_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }
    RuntimeDirOverride(const RuntimeDirOverride&) = delete;
    RuntimeDirOverride& operator=(const RuntimeDirOverride&) = delete;

  private:
    std::optional<std::string> old_;
};

TEST_F(CliTest, SendWithNoRunningProgramGivesTwo) {
    const RuntimeDirOverride runtime(dir.path(""));
    const auto started = std::chrono::steady_clock::now();
    const auto run = ctu({"send", "Abrir /tmp/una ficha.ctu"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("No se ha podido establecer una comunicación con Cartulo."),
              std::string::npos)
        << run.err;
}

TEST_F(CliTest, SendNeedsExactlyOneCommand) {
    EXPECT_EQ(ctu({"send"}).exitCode, 1);
    EXPECT_EQ(ctu({"send", "activar", "sobra"}).exitCode, 1);
}

}  // namespace
