// The link tables of the open card files: one per file, built when a window
// first asks for it (opening a file reads no links), dropped when the file
// closes.
#pragma once

#include <map>
#include <memory>

#include "engine/cartulo.h"
#include "richtext/link_table.h"

namespace cartulo::shell {

class LinkTables {
  public:
    // The file's table, built now when it has none.
    std::shared_ptr<LinkTable> Of(const std::shared_ptr<cCartulo>& file);
    // The file closes: its table follows it no more. A window still holding
    // the table keeps it until it goes.
    void Forget(const cCartulo& file);
    bool Has(const cCartulo& file) const { return tables_.contains(&file); }

  private:
    struct Entry {
        std::weak_ptr<cCartulo> file;
        std::shared_ptr<LinkTable> table;
    };
    // By address; the weak pointer tells a file gone from a new one at the
    // same address.
    std::map<const cCartulo*, Entry> tables_;
};

}  // namespace cartulo::shell
