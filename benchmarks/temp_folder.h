// A folder of its own under the system's temporary folder, removed with its
// content when the object is destroyed.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::bench {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const;

  private:
    std::string path_;
};

}  // namespace cartulo::bench
