// Real cartulo processes with private settings, state, home and channel
// folders, so they never reach the user's files or a running cartulo.
#include <unistd.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "platform/command_channel.h"
#include "shell/recovery_folder.h"

namespace cartulo::shell {
namespace {

class ProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* sub : {"config", "state", "home", "run"}) QDir(dir.path()).mkpath(sub);
        // The channel's folder must be the user's alone.
        QFile(dir.filePath("run"))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        environment.insert("XDG_STATE_HOME", dir.filePath("state"));
        environment.insert("HOME", dir.filePath("home"));
        environment.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

    void Start(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(CARTULO_PROGRAM), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    // The program; a killed instance leaves its socket behind: waits for one
    // that answers.
    void Start(const QStringList& arguments) {
        Start(program, arguments);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return platform::ProbeCommandChannel(channel, 1000) ==
                       platform::ChannelAnswer::ThisUser;
            },
            20000))
            << program.readAllStandardError().toStdString();
    }
    void Send(const QStringList& lines) {
        ASSERT_TRUE(platform::SendLinesToRunningInstance(lines, 10000, channel))
            << program.readAllStandardError().toStdString();
    }
    // Lines of different connections may be served in any order, and one
    // may come before the start is ready: sent until the file has `cards`.
    bool SendUntil(const QStringList& lines, const QString& path, int cards) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            Send(lines);
            if (QTest::qWaitFor([&] { return CardsIn(path) >= cards; }, 3000)) return true;
        }
        ADD_FAILURE() << program.readAllStandardError().toStdString();
        return false;
    }
    QString MakeFile(const QString& name, const std::string& title) {
        cCartulo made;
        made.NewFile(title);
        made.SetChanged();
        EXPECT_TRUE(made.SaveFile(dir.filePath(name).toStdString()));
        return dir.filePath(name);
    }
    static int CardsIn(const QString& path) {
        cCartulo file;
        return file.OpenFile(path.toStdString()) ? file.CardCount() : 0;
    }
    // Read afresh each time: a QDir keeps what it listed.
    QDir Recovery() const { return QDir(dir.filePath("state/Vardane/Cartulo/recuperacion")); }
    // The recovery copies' card counts.
    QList<int> Copies() const {
        QList<int> cards;
        for (const QString& info : Recovery().entryList({"*.info"}, QDir::Files, QDir::Name)) {
            cards.append(CardsIn(Recovery().filePath(info.chopped(5) + ".ctu")));
        }
        return cards;
    }

    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString channel = dir.filePath("run/cartulo-") + QString::number(::getuid());
    QProcess program;
};

TEST_F(ProcessTest, TheSecondStartHandsItsFileToTheFirstAndEnds) {
    const QString path = MakeFile("entregado.ctu", "Entregado");
    Start({});
    QProcess bare;  // no argument: only "Activar"
    Start(bare, {});
    ASSERT_TRUE(bare.waitForFinished(20000));
    EXPECT_EQ(bare.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bare.exitCode(), 0);

    QProcess second;  // a relative name, resolved in its own working folder
    Start(second, {"-debug", "entregado.ctu"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);

    // The first instance opened the file and shows its main card: a new card
    // made there and saved reaches the disk.
    ASSERT_EQ(CardsIn(path), 1);
    EXPECT_TRUE(SendUntil({"nuevaficha", "guardar"}, path, 2));
}

TEST_F(ProcessTest, EditsSurviveAKillAndComeBackWhenRecovered) {
    const QString path = MakeFile("notas.ctu", "Notas");
    Start({path});
    // Lines that come before the start has opened the file find no file:
    // sent again until a copy holds them.
    for (int attempt = 0; attempt < 10 && Copies().value(0) < 4; ++attempt) {
        Send({"nuevaficha", "nuevaficha", "nuevahermana"});
        (void)QTest::qWaitFor([&] { return Copies().value(0) >= 4; }, 5000);
    }
    program.kill();
    ASSERT_TRUE(program.waitForFinished(10000));
    const QList<int> copies = Copies();
    ASSERT_EQ(copies.size(), 1);
    ASSERT_GE(copies[0], 4);
    EXPECT_EQ(CardsIn(path), 1) << "the original is never touched";

    environment.insert("CARTULO_PRUEBA_RECUPERACION", "recuperar");
    Start({path});  // found open already: the recovered file
    // Saved under its own name, the edits are in the file; the copy goes.
    EXPECT_TRUE(SendUntil({"guardar"}, path, copies[0]));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Copies().isEmpty(); }, 20000));
}

TEST_F(ProcessTest, TerminationWritesEveryCopyAtOnce) {
    Start({});
    Send({"nuevocartulo Borrador", "nuevaficha"});
    // The edits have arrived once their copy is there; without it, the copy
    // SIGTERM writes can come from nothing else.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Copies() == QList<int>{2}; }, 30000));
    for (const QString& name : Recovery().entryList({"*.ctu", "*.info"}, QDir::Files)) {
        ASSERT_TRUE(QFile::remove(Recovery().filePath(name)));
    }
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 128 + SIGTERM);
    ASSERT_EQ(Copies(), QList<int>{2});
    QFile info(Recovery().filePath(Recovery().entryList({"*.info"}, QDir::Files).value(0)));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const auto read = ReadInfoText(info.readAll().toStdString());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "Borrador");
    EXPECT_TRUE(read->original.empty());
}

}  // namespace
}  // namespace cartulo::shell
