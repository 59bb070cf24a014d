// Termination signals reach the event loop; those ignored at the start stay so.
#include <csignal>

#include <QTest>

#include <gtest/gtest.h>

#include "shell/termination_signals.h"

namespace cartulo::shell {
namespace {

TEST(TerminationSignals, HeardInTheEventLoopUnlessIgnoredAtTheStart) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction former {};
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &former), 0);
    int heard = 0;
    {
        TerminationSignals termination([&](int signal) { heard = signal; });
        struct sigaction now {};
        ::sigaction(SIGHUP, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_IGN) << "as under nohup";
        ::raise(SIGHUP);
        ::raise(SIGTERM);
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard == SIGTERM; }, 5000));
    }
    ::sigaction(SIGHUP, &former, nullptr);
}

}  // namespace
}  // namespace cartulo::shell
