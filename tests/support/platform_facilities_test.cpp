// The platform facilities the support layer uses: the per-user folders, the
// system sound and the message-box icons.
#include <pwd.h>
#include <unistd.h>

#include <QLabel>
#include <string>

#include <gtest/gtest.h>

#include "platform/app_data_folder.h"
#include "platform/message_icons.h"
#include "platform/system_sound.h"
#include "qt_test_support.h"
#include "scoped_env.h"

namespace cartulo::platform {
namespace {

using support::testing::ScopedEnv;

TEST(AppDataFolder, FollowsTheXdgRulesAndIsAlwaysAbsolute) {
    // Relative values are ignored; with nothing absolute at all, "/".
    // clang-format off
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"/xdg", "/home/ana", "/f", "/xdg"}, {"/xdg/", "/home/ana", "/f", "/xdg/"},
        {nullptr, "/home/ana", "/f", "/home/ana/.config"}, {"", "/home/ana/", "/f",
        "/home/ana/.config"},
        {"xdg", "/home/ana", "/f", "/home/ana/.config"}, {"./xdg", "casa", "/f", "/f"},
        {nullptr, "~", "/f", "/f"}, {nullptr, nullptr, "/f/.config", "/f/.config"},
        {nullptr, "", "", "/"}, {nullptr, nullptr, "relativa", "/"}};
    const std::tuple<const char*, const char*, std::string> states[] = {
        {"/xdg", "/home/ana", "/xdg"}, {nullptr, "/home/ana", "/home/ana/.local/state"},
        {"", "/home/ana/", "/home/ana/.local/state"}, {"estado", "/home/ana",
        "/home/ana/.local/state"},
        {"estado", "casa", "/f"}, {nullptr, nullptr, "/f"}};
    // clang-format on
    for (const auto& [xdg, home, fallback, folder] : cases) {
        EXPECT_EQ(AppDataFolderFor(xdg, home, fallback), folder)
            << (xdg ? xdg : "(none)") << " " << (home ? home : "(none)") << " " << fallback;
    }
    for (const auto& [xdg, home, folder] : states) {
        EXPECT_EQ(StateFolderFor(xdg, home, "/f"), folder) << (xdg ? xdg : "(none)");
    }
}

TEST(AppDataFolder, FromTheEnvironmentOrTheUserDatabase) {
    {
        ScopedEnv xdg("XDG_STATE_HOME", "relativa"), config("XDG_CONFIG_HOME", "/x/config");
        ScopedEnv home("HOME", "/x/home");
        EXPECT_EQ(StateFolder(), "/x/home/.local/state");
        EXPECT_EQ(AppDataFolder(), "/x/config");
        ScopedEnv relative("XDG_CONFIG_HOME", "config");
        EXPECT_EQ(AppDataFolder(), "/x/home/.config");
    }
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    const std::string home = user->pw_dir;
    const std::string expected =
        home.starts_with('/') ? home + (home.ends_with('/') ? "" : "/") + ".config" : "/";
    for (const char* relativeHome : {"casa", "", static_cast<const char*>(nullptr)}) {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr), env("HOME", relativeHome);
        EXPECT_EQ(AppDataFolder(), expected) << (relativeHome ? relativeHome : "(none)");
    }
}

TEST(MessageIcons, DrawnByTheStyleAtTheSizeAsked) {
    for (const char* name : {"SystemHand", "SystemQuestion", "", "no existe"}) {
        PlaySystemSound(name);  // beeps or stays silent, never fails
    }
    support::testing::LargeIconStyle style(QStyle::SP_MessageBoxWarning, Qt::red);
    QLabel shownIn;
    shownIn.setStyle(&style);
    for (int size : {32, 40, 64}) {
        const QPixmap icon = MessageIconPixmap(MessageIcon::Warning, size, shownIn);
        EXPECT_EQ(icon.deviceIndependentSize(), QSizeF(size, size)) << size;
        EXPECT_DOUBLE_EQ(icon.devicePixelRatio(), shownIn.devicePixelRatioF());
        EXPECT_EQ(icon.toImage().pixelColor(size / 2, size / 2), QColor(Qt::red));
    }
    // Every icon of the plain style, never larger than asked.
    const QLabel plain;
    for (MessageIcon which : {MessageIcon::Critical, MessageIcon::Question, MessageIcon::Warning,
                              MessageIcon::Information}) {
        const QPixmap icon = MessageIconPixmap(which, 40, plain);
        EXPECT_FALSE(icon.isNull());
        EXPECT_LE(icon.deviceIndependentSize().width(), 40);
    }
}

}  // namespace
}  // namespace cartulo::platform
