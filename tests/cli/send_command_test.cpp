// ctu send: the line it hands to the program, and what it does with no
// program listening.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "../support/scoped_env.h"
#include "cli_fixture.h"

namespace {

// A socket where ctu looks for the program. The system keeps what a client
// sent until it is read, so it is read after ctu has ended.
class ListeningSocket {
  public:
    explicit ListeningSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(fd_, 8), 0);
    }
    ~ListeningSocket() { ::close(fd_); }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;

    std::string received() {
        const int client = ::accept(fd_, nullptr, nullptr);
        std::string bytes;
        char buffer[256];
        for (ssize_t n; (n = ::read(client, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
        ::close(client);
        return bytes;
    }

  private:
    int fd_;
};

TEST_F(CliTest, SendMakesThePathToOpenAbsoluteFromWhereItRuns) {
    // The channel in this test's empty folder.
    const cartulo::support::testing::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path("").c_str());
    ListeningSocket program(dir.path("cartulo-" + std::to_string(::geteuid())));
    std::filesystem::create_directory(dir.path("sub"));
    const std::string here = std::filesystem::canonical(dir.path("sub")).string();
    const std::string above = std::filesystem::path(here).parent_path().string();
    const std::pair<std::string, std::string> cases[] = {
        {"abrir notas.ctu", "abrir " + here + "/notas.ctu"},
        {"ABRIR ./mis notas/../de ana.ctu", "ABRIR " + here + "/de ana.ctu"},
        {"Abrir ../notas.ctu", "Abrir " + above + "/notas.ctu"},
        {"abrir /ruta/../notas.ctu", "abrir /ruta/../notas.ctu"},
        {"abrir ", "abrir "},
        {"abrir", "abrir"},
        {"buscar notas.ctu", "buscar notas.ctu"},
    };
    for (const auto& [command, sent] : cases) {
        ASSERT_EQ(ctu({"send", command}, {}, here).exitCode, 0) << command;
        EXPECT_EQ(program.received(), sent + "\n");
    }
}

TEST_F(CliTest, SendWithNoRunningProgramGivesTwo) {
    // The channel in this test's empty folder.
    const cartulo::support::testing::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path("").c_str());
    expectFailure(ctu({"send", "Abrir /tmp/una ficha.ctu"}), 2,
                  "No se ha podido establecer una comunicación con Cartulo.");
}

}  // namespace
