#include "shell/link_tables.h"

namespace cartulo::shell {

std::shared_ptr<LinkTable> LinkTables::Of(const std::shared_ptr<cCartulo>& file) {
    if (!file) return nullptr;
    std::erase_if(tables_, [](const auto& item) { return item.second.file.expired(); });
    Entry& entry = tables_[file.get()];
    if (!entry.table) entry = Entry{file, std::make_shared<LinkTable>(*file)};
    return entry.table;
}

void LinkTables::Forget(const cCartulo& file) {
    tables_.erase(&file);
}

}  // namespace cartulo::shell
