// A real cartulo process with private settings, state and channel folders:
// edits made through the command channel survive SIGKILL through the
// recovery copy the next start offers, and SIGTERM writes the copy at once.
#include <unistd.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "platform/command_channel.h"
#include "shell/recovery_folder.h"
#include "tests/shell/private_environment.h"

namespace cartulo::shell {
namespace {

class RecoveryProcessTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

    void Start(const QStringList& arguments) {
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(dir.path());
        program.start(QStringLiteral(CARTULO_PROGRAM), arguments);
        ASSERT_TRUE(program.waitForStarted(10000));
        // A killed instance leaves its socket behind: wait for one that answers.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return platform::ProbeCommandChannel(channel, 1000) ==
                       platform::ChannelAnswer::ThisUser;
            },
            20000));
    }
    void Send(const QStringList& lines) {
        ASSERT_TRUE(platform::SendLinesToRunningInstance(lines, 10000, channel))
            << program.readAllStandardError().toStdString();
    }
    static int CardsIn(const QString& path) {
        cCartulo file;
        return file.OpenFile(path.toStdString()) ? file.CardCount() : 0;
    }
    // The recovery copies' card counts.
    QList<int> Copies() const {
        const QDir folder(dir.filePath("state/Vardane/Cartulo/recuperacion"));
        QList<int> cards;
        for (const QString& info : folder.entryList({"*.info"}, QDir::Files, QDir::Name)) {
            cards.append(CardsIn(folder.filePath(info.chopped(5) + ".ctu")));
        }
        return cards;
    }

    PrivateEnvironment folders;
    QTemporaryDir& dir = folders.dir;
    QProcessEnvironment& environment = folders.environment;
    QString& channel = folders.channel;
    QProcess program;
};

TEST_F(RecoveryProcessTest, EditsSurviveAKillAndComeBackWhenRecovered) {
    const QString path = dir.filePath("notas.ctu");
    cCartulo made;
    made.NewFile("Notas");
    ASSERT_TRUE(made.SaveFile(path.toStdString(), true));

    Start({path});
    Send({"nuevaficha", "nuevaficha", "nuevahermana"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Copies() == QList<int>{4}; }, 30000));
    program.kill();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(CardsIn(path), 1) << "the original is never touched";

    environment.insert("CARTULO_PRUEBA_RECUPERACION", "recuperar");
    Start({path});  // found open already: the recovered file
    // Saved under its own name, the edits are in the file; the copy goes. A
    // line may come before the start has offered the copy: sent until it acts.
    bool saved = false;
    for (int attempt = 0; attempt < 10 && !saved; ++attempt) {
        Send({"guardar"});
        saved = QTest::qWaitFor([&] { return CardsIn(path) == 4; }, 3000);
    }
    EXPECT_TRUE(saved) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Copies().isEmpty(); }, 20000));
}

TEST_F(RecoveryProcessTest, TerminationWritesEveryCopyAtOnce) {
    Start({});
    Send({"nuevocartulo Borrador", "nuevaficha"});
    // The edits have arrived once their copy is there; without it, the copy
    // SIGTERM writes can come from nothing else.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Copies() == QList<int>{2}; }, 30000));
    const QDir folder(dir.filePath("state/Vardane/Cartulo/recuperacion"));
    for (const QString& name : folder.entryList({"*.ctu", "*.info"}, QDir::Files)) {
        ASSERT_TRUE(QFile::remove(folder.filePath(name)));
    }
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 128 + SIGTERM);
    ASSERT_EQ(Copies(), QList<int>{2});
    const QString info = folder.entryList({"*.info"}, QDir::Files).value(0);
    QFile infoFile(folder.filePath(info));
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly));
    const auto read = ReadInfoText(infoFile.readAll().toStdString());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "Borrador");
    EXPECT_TRUE(read->original.empty());
}

}  // namespace
}  // namespace cartulo::shell
