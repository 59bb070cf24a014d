#include "shell/file_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/scripted_user_dialogs.h"

using cartulo::shell::DestinoGuardar;
using cartulo::shell::QtFileDialogs;
using cartulo::support::MsgResult;
using cartulo::support::ScriptedUserDialogs;

// The suffix is added to a name without one, and the question before
// replacing is about the name that will be written; the real dialog too,
// where `notas` is typed while notas.ctu exists, asks only that question.
TEST(QtFileDialogs, SavingAddsTheSuffixAndAsksAboutTheFinalName) {
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    for (const char* name : {"notas.ctu", "solo"}) QFile(d + name).open(QIODevice::WriteOnly);
    ScriptedUserDialogs none;  // answers nothing: a question is cancelled
    EXPECT_EQ(DestinoGuardar(d + "solo", none), d + "solo.ctu");
    EXPECT_EQ(DestinoGuardar(d + "mis.notas", none), d + "mis.notas");
    EXPECT_EQ(DestinoGuardar(d + "notas", none), std::nullopt);  // notas.ctu exists
    EXPECT_EQ(none.Messages().size(), 1u);

    ScriptedUserDialogs dialogs;
    dialogs.QueueAnswer(MsgResult::Yes);
    int qtBoxes = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->selectFile("notas");
            static_cast<QDialog*>(dialog)->accept();  // public there
        } else if (modal != nullptr) {
            ++qtBoxes;
            modal->close();
        }
    });
    driver.start(10);
    EXPECT_EQ(QtFileDialogs(nullptr, dialogs).AskSave(d), d + "notas.ctu");
    EXPECT_EQ(qtBoxes, 0);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Ya existe notas.ctu.");
}
