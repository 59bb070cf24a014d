// The words of every page for the site's search box, as a script that
// defines PALABRAS: the pages, and for each word (in lower case, without
// accents) the pages that hold it, each page once.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::exporting {

class WordIndex {
  public:
    // `words` is the page's visible text, UTF-8; `file` and `entry` too.
    void Add(std::string_view file, std::string_view entry, std::string_view words);
    std::string Script() const;

  private:
    std::vector<std::pair<std::string, std::string>> pages_;
    std::map<std::string, std::vector<int>> words_;
};

// A string as a JavaScript literal that cannot end a <script> element.
std::string JsString(std::string_view utf8);

}  // namespace cartulo::exporting
