// The folder of recovery copies. A copy is two files: "ID-N.ctu", the card
// file's bytes, and "ID-N.info", what they stand for (the original path,
// the title, the time of the copy). ID names the instance that wrote it,
// which holds a lock on "ID.lock" while it runs: a copy whose instance
// holds no lock was left behind (the program was killed, crashed, or the
// machine lost power), and the next start offers it.
#pragma once

#include <QDateTime>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_error.h"

namespace cartulo::shell {

struct RecoveryInfo {
    std::string original;  // path bytes; "" for a file never saved
    QString title;
    QDateTime time;
};

// A copy left behind: `base` is its path without ".ctu" or ".info".
struct LeftCopy {
    std::string base;
    RecoveryInfo info;
};

// "recuperacion" in the program's folder of the user's state folder.
std::string RecoveryFolderPath();

class RecoveryFolder {
  public:
    explicit RecoveryFolder(std::string folder);
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // Makes the folder (user-only) and takes this instance's lock.
    std::optional<FileError> Prepare();
    // Where the copy number `n` of this instance goes.
    std::string CopyBase(int n) const;
    static std::string CardPath(const std::string& base) { return base + ".ctu"; }

    // Both may run on any thread: they touch nothing but the files.
    static std::optional<FileError> Write(const std::string& base, std::string_view bytes,
                                          const RecoveryInfo& info);
    static void Remove(const std::string& base);

    // The copies of instances that no longer run, oldest first. Those
    // instances' locks are held, so no other start offers them too, until
    // ReleaseClaims, which also drops what is left of an instance with no
    // copy.
    std::vector<LeftCopy> LeftBehind();
    void ReleaseClaims();

  private:
    std::string folder_;
    std::string id_;
    int lock_ = -1;
    std::map<std::string, int> claims_;  // instance id, lock held
};

// The contents of an ".info" file, and back; nothing when it is damaged.
std::string InfoText(const RecoveryInfo& info);
std::optional<RecoveryInfo> ReadInfoText(std::string_view text);

}  // namespace cartulo::shell
