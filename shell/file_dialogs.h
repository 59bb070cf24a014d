// The open and save dialogs, behind an interface so that the file flows can
// be driven by tests. The Qt implementation shows the platform's dialogs
// with the filter "Cartulos (*.ctu)" and "Todos los archivos (*)".
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace cartulo::support {
class UserDialogs;
}

namespace cartulo::shell {

// `path` with ".ctu" added when its file name has no extension (no dot).
QString ConSufijoCtu(const QString& path);

// The name a save dialog's answer will be written to (the suffix added), or
// nothing when that file exists and the user would not replace it. The
// question is always about the final name: a dialog that asked about
// `notas` has said nothing about `notas.ctu`.
std::optional<QString> DestinoGuardar(const QString& chosen, support::UserDialogs& dialogs);

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen existing file, or nothing when cancelled.
    virtual std::optional<QString> AskOpen(const QString& initialName) = 0;
    // The chosen target (overwriting confirmed), or nothing when cancelled.
    virtual std::optional<QString> AskSave(const QString& initialName) = 0;
    // A folder to export into, or nothing when cancelled.
    virtual std::optional<QString> AskFolder(const QString& initialFolder) = 0;
};

class QtFileDialogs : public FileDialogs {
  public:
    QtFileDialogs(QWidget* parent, support::UserDialogs& dialogs)
        : parent_(parent), dialogs_(dialogs) {}
    std::optional<QString> AskOpen(const QString& initialName) override;
    std::optional<QString> AskSave(const QString& initialName) override;
    std::optional<QString> AskFolder(const QString& initialFolder) override;

  private:
    QWidget* parent_;
    support::UserDialogs& dialogs_;  // the question before replacing a file
};

// Answers from a queue (nothing queued: cancelled) and records the names proposed.
class ScriptedFileDialogs : public FileDialogs {
  public:
    void QueueOpen(std::optional<QString> answer) { opens_.push_back(std::move(answer)); }
    void QueueSave(std::optional<QString> answer) { saves_.push_back(std::move(answer)); }
    void QueueFolder(std::optional<QString> answer) { folders_.push_back(std::move(answer)); }
    std::optional<QString> AskOpen(const QString& initialName) override;
    std::optional<QString> AskSave(const QString& initialName) override;
    std::optional<QString> AskFolder(const QString& initialFolder) override;
    const std::vector<QString>& OpenProposals() const { return openProposals_; }
    const std::vector<QString>& SaveProposals() const { return saveProposals_; }

  private:
    std::deque<std::optional<QString>> opens_, saves_, folders_;
    std::vector<QString> openProposals_, saveProposals_;
};

}  // namespace cartulo::shell
