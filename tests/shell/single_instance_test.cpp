// One running instance: a later start hands "Activar" and its file over;
// two starts at once end as one server and one client.
#include "shell/single_instance.h"
#include "shell/instance_lock.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <array>
#include <latch>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace cartulo::shell {
namespace {

using platform::CommandChannelServer;

void ignore(const QString&, std::optional<QString>) {}

TEST(SingleInstance, ALaterStartHandsActivarAndItsFileOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("canal"));
    QStringList received;  // "word" or "word|argument"
    CommandChannelServer first([&](const QString& word, std::optional<QString> argument) {
        received << word + (argument ? u'|' + *argument : QString());
    });
    ASSERT_EQ(EstablishInstance(first, QStringLiteral("/home/ana/notas.ctu"), name),
              InstanceRole::Server);
    ASSERT_TRUE(first.IsListening());

    CommandChannelServer second(ignore);
    EXPECT_EQ(EstablishInstance(second, QStringLiteral("/home/ana/mis notas.ctu"), name),
              InstanceRole::HandedOver);
    EXPECT_FALSE(second.IsListening());
    CommandChannelServer third(ignore);
    EXPECT_EQ(EstablishInstance(third, QString(), name), InstanceRole::HandedOver);

    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 3; }, 10000));
    // Without a file only "Activar" is sent.
    EXPECT_EQ(received, (QStringList{"Activar", "Abrir|/home/ana/mis notas.ctu", "Activar"}));
    // The lock is gone once the start has decided.
    EXPECT_FALSE(QFile::exists(name + QStringLiteral(".lock")));
}

TEST(SingleInstance, TheLockHasOneHolderAndAFileLeftBehindHoldsNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("canal.lock"));
    QFile left(path);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("4242\ncartulo\n");
    left.close();
    {
        const InstanceLock first(path, 0);
        EXPECT_TRUE(first.Held());
        EXPECT_FALSE(InstanceLock(path, 0).Held());
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(InstanceLock(path, 0).Held());
}

TEST(SingleInstance, TwoStartsAtOnceGiveOneServerAndOneClient) {
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString name = dir.filePath(QStringLiteral("canal"));
        std::vector<InstanceRole> roles(2, InstanceRole::HandOverFailed);
        std::latch start(2);
        std::latch decided(2);
        std::array<std::unique_ptr<QThread>, 2> threads;
        for (std::size_t i = 0; i < threads.size(); ++i) {
            threads[i].reset(QThread::create([&, i] {
                // Each server lives on its own thread, until both have decided.
                CommandChannelServer server(ignore);
                start.arrive_and_wait();
                roles[i] = EstablishInstance(server, QStringLiteral("/tmp/a.ctu"), name);
                decided.arrive_and_wait();
            }));
            threads[i]->start();
        }
        for (auto& thread : threads) ASSERT_TRUE(thread->wait());
        EXPECT_EQ(std::count(roles.begin(), roles.end(), InstanceRole::Server), 1) << round;
        EXPECT_EQ(std::count(roles.begin(), roles.end(), InstanceRole::HandedOver), 1) << round;
    }
}

}  // namespace
}  // namespace cartulo::shell
