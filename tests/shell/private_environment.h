// Settings, state, home and channel folders of a test's own, so a real
// cartulo process never reaches the user's files or a running cartulo.
#pragma once

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace cartulo::shell {

struct PrivateEnvironment {
    PrivateEnvironment() {
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

    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString channel = dir.filePath("run/cartulo-") + QString::number(::getuid());
};

}  // namespace cartulo::shell
