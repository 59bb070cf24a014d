// The folder an export writes into. It remembers, in a list of its own,
// the files an export wrote there, so a later export may replace them and
// drop the ones no longer made, yet never touches a file it did not write.
// Each name is kept with the file's size and time of change: a file changed
// since, or a list someone wrote by hand, names files that are not ours.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::exporting {

class ExportFolder {
  public:
    // The list of what an export wrote; hidden, and never a page's name.
    static constexpr std::string_view kListName = ".cartulo-exportacion";

    enum class Opening {
        Ready,
        CannotWrite,     // not a folder, cannot be made, or refuses a file
        HoldsOtherFiles  // holds files no export wrote (and no `force`)
    };

    // Makes the folder when missing and reads what it holds. With `force`,
    // files no export wrote stay where they are, beside the new ones.
    Opening Open(const std::string& path, bool force);

    const std::string& Path() const { return path_; }
    // Names already in the folder that an export did not write.
    const std::vector<std::string>& OtherFiles() const { return others_; }
    // Why the folder cannot be used, in Spanish.
    const std::string& Problem() const { return problem_; }

    // Writes a file of the export (a plain name, no folders). A name an
    // earlier export did not write is never replaced: false then, as on
    // any failure, with Problem() set.
    bool Write(std::string_view name, std::string_view bytes);
    // Copies a file in; the same rules.
    bool Copy(const std::string& from, std::string_view name);

    // Writes the new list. A `complete` export also removes what an earlier
    // one wrote and this one did not; an unfinished one removes nothing and
    // keeps both in the list. False when the list cannot be written.
    bool Finish(bool complete);

    // A file as the list remembers it.
    struct Stamp {
        std::int64_t size = -1;
        std::int64_t changed = -1;  // nanoseconds
        bool operator==(const Stamp&) const = default;
    };

  private:
    bool mayWrite(std::string_view name);
    std::optional<Stamp> stampOf(const std::string& name) const;

    std::string path_;
    std::map<std::string, Stamp> previous_;  // written by an earlier export, unchanged since
    std::map<std::string, Stamp> written_;
    std::vector<std::string> others_;
    std::string problem_;
};

}  // namespace cartulo::exporting
