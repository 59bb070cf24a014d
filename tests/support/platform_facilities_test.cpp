// The platform facilities the support layer uses: the per-user folder, the
// system sound and the message-box icons.
#include <pwd.h>
#include <unistd.h>

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <string>

#include <gtest/gtest.h>

#include "platform/app_data_folder.h"
#include "platform/message_icons.h"
#include "platform/system_sound.h"
#include "scoped_env.h"

namespace cartulo::platform {
namespace {

using support::testing::ScopedEnv;

TEST(AppDataFolder, FollowsTheXdgRulesAndIsAlwaysAbsolute) {
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"/xdg", "/home/ana", "/f", "/xdg"},
        {"/xdg/", "/home/ana", "/f", "/xdg/"},
        {nullptr, "/home/ana", "/f", "/home/ana/.config"},
        {"", "/home/ana/", "/f", "/home/ana/.config"},
        {"xdg", "/home/ana", "/f", "/home/ana/.config"},  // relative: ignored
        {"./xdg", "casa", "/f", "/f"},                    // both relative
        {nullptr, "~", "/f", "/f"},                       //
        {nullptr, nullptr, "/f/.config", "/f/.config"},   //
        {nullptr, "", "", "/"},                           // nothing absolute at all
        {nullptr, nullptr, "relativa", "/"},              //
    };
    for (const auto& [xdg, home, fallback, folder] : cases) {
        EXPECT_EQ(AppDataFolderFor(xdg, home, fallback), folder)
            << (xdg ? xdg : "(none)") << " " << (home ? home : "(none)") << " " << fallback;
    }
}

TEST(StateFolder, FollowsTheSameRulesUnderLocalState) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"/xdg", "/home/ana", "/xdg"},
        {nullptr, "/home/ana", "/home/ana/.local/state"},
        {"", "/home/ana/", "/home/ana/.local/state"},
        {"estado", "/home/ana", "/home/ana/.local/state"},  // relative: ignored
        {"estado", "casa", "/f"},
        {nullptr, nullptr, "/f"},
    };
    for (const auto& [xdg, home, folder] : cases) {
        EXPECT_EQ(StateFolderFor(xdg, home, "/f"), folder) << (xdg ? xdg : "(none)");
    }
    ScopedEnv xdg("XDG_STATE_HOME", "relativa");
    ScopedEnv home("HOME", "/x/home");
    EXPECT_EQ(StateFolder(), "/x/home/.local/state");
}

TEST(AppDataFolder, FromTheEnvironmentOrTheUserDatabase) {
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/x/config");
        ScopedEnv home("HOME", "/x/home");
        EXPECT_EQ(AppDataFolder(), "/x/config");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "config");
        ScopedEnv home("HOME", "/x/home");
        EXPECT_EQ(AppDataFolder(), "/x/home/.config");
    }
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    const std::string databaseHome = user->pw_dir;
    const std::string expected =
        databaseHome.starts_with('/')
            ? databaseHome + (databaseHome.ends_with('/') ? "" : "/") + ".config"
            : "/";
    for (const char* relativeHome : {"casa", "", static_cast<const char*>(nullptr)}) {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", relativeHome);
        const std::string folder = AppDataFolder();
        EXPECT_EQ(folder, expected) << (relativeHome ? relativeHome : "(none)");
        EXPECT_TRUE(folder.starts_with('/'));
    }
}

TEST(SystemSound, BeepsOrStaysSilentNeverFails) {
    for (const char* name : {"SystemHand", "SystemQuestion", "", "no existe"})
        PlaySystemSound(name);
}

// A style whose message-box icons come from a large picture, as a desktop
// icon theme would give them.
class LargeIconStyle : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which != SP_MessageBoxWarning) return QProxyStyle::standardIcon(which, option, widget);
        QPixmap big(128, 128);
        big.fill(Qt::red);
        return QIcon(big);
    }
};

TEST(MessageIcons, DrawnByTheStyleAtTheSizeAsked) {
    LargeIconStyle style;
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
