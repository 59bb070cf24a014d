// Two real cartulo processes: the second start hands its file to the first
// and ends. Both run offscreen with their settings and their command
// channel in temporary folders, never the user's own.
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "platform/command_channel.h"
#include "tests/shell/private_environment.h"

namespace cartulo::shell {
namespace {

class TwoInstancesTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            first.kill();
            first.waitForFinished(10000);
        }
    }

    void Start(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(CARTULO_PROGRAM), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    int CardsIn(const QString& path) const {
        cCartulo file;
        return file.OpenFile(path.toStdString()) ? file.CardCount() : 0;
    }

    PrivateEnvironment folders;
    QTemporaryDir& dir = folders.dir;
    QProcessEnvironment& environment = folders.environment;
    QString& channel = folders.channel;
    QProcess first;
};

TEST_F(TwoInstancesTest, TheSecondStartHandsItsFileToTheFirstAndEnds) {
    cCartulo made;
    made.NewFile("Entregado");
    made.SetChanged();
    ASSERT_TRUE(made.SaveFile(dir.filePath("entregado.ctu").toStdString()));

    Start(first, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(channel); }, 20000))
        << first.readAllStandardError().toStdString();

    QProcess bare;  // no argument: only "Activar"
    Start(bare, {});
    ASSERT_TRUE(bare.waitForFinished(20000));
    EXPECT_EQ(bare.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bare.exitCode(), 0);

    QProcess second;  // a relative name, resolved in its own working folder
    Start(second, {"-debug", "entregado.ctu"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    // The first instance opened the file and shows its main card: a new card
    // made there and saved reaches the disk. Lines of different connections
    // may be served in any order, so the pair is sent again until it acts
    // after the hand-over.
    const QString path = dir.filePath("entregado.ctu");
    ASSERT_EQ(CardsIn(path), 1);
    bool saved = false;
    for (int attempt = 0; attempt < 10 && !saved; ++attempt) {
        ASSERT_TRUE(platform::SendToRunningInstance("nuevaficha", 10000, channel));
        ASSERT_TRUE(platform::SendToRunningInstance("guardar", 10000, channel));
        saved = QTest::qWaitFor([&] { return CardsIn(path) >= 2; }, 3000);
    }
    EXPECT_TRUE(saved) << first.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace cartulo::shell
