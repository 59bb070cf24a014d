// cCartulos: the registry of open card files, with identifiers that stay
// the same for the whole run, and events that keep file lists current.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/cartulo.h"
#include "engine/listeners.h"

namespace cartulo {

class CartulosListener {
  public:
    virtual ~CartulosListener() = default;
    virtual void onAdd(std::int32_t /*index*/) {}
    // Raised while the file is still registered, so List(index) still gives it.
    virtual void onRemove(std::int32_t /*index*/) {}
    virtual void onRename(std::int32_t /*index*/) {}
};

class cCartulos {
  public:
    cCartulos() = default;
    cCartulos(const cCartulos&) = delete;
    cCartulos& operator=(const cCartulos&) = delete;

    Subscription Subscribe(CartulosListener& listener) { return listeners_.subscribe(listener); }

    void AddFile(std::shared_ptr<cCartulo> file);
    void RemoveItem(std::int32_t index);  // -1 or out of range: nothing happens
    std::int32_t FindFile(const cCartulo* file) const;
    // The file open under this path: paths are compared made absolute and
    // canonical (links resolved), exactly, since letter case tells files apart.
    // "" finds the first file never saved.
    std::int32_t FindFilename(const std::string& path) const;
    std::int32_t FindID(std::int32_t id) const;
    std::int32_t ID(std::int32_t index) const;                 // -1 out of range
    std::shared_ptr<cCartulo> List(std::int32_t index) const;  // null out of range
    std::int32_t ListCount() const { return static_cast<std::int32_t>(files_.size()); }
    void NotifyRename(const cCartulo* file);
    static std::string Version() { return "7.0.90201"; }

  private:
    struct Entry {
        std::shared_ptr<cCartulo> file;
        std::int32_t id;
    };
    bool inRange(std::int32_t index) const { return index >= 0 && index < ListCount(); }

    std::vector<Entry> files_;
    std::int32_t nextId_ = 0;
    ListenerList<CartulosListener> listeners_;
};

// The program's one registry.
cCartulos& Ctus();

}  // namespace cartulo
