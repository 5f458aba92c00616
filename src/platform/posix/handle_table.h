#pragma once
// Handles the way Windows hands them out: opaque numbers that name an object until closed.

#include <map>

namespace platform::posix {

template <typename Handle, typename Object>
class HandleTable {
public:
    HandleTable(Handle first, Handle step) : last_(first - step), step_(step) {}

    Handle Add(Object object) {
        last_ += step_;
        objects_.emplace(last_, std::move(object));
        return last_;
    }

    // The object, or nullptr for a handle that is closed or was never given out.
    Object* Find(Handle handle) {
        const auto found = objects_.find(handle);
        return found == objects_.end() ? nullptr : &found->second;
    }

    bool Remove(Handle handle) { return objects_.erase(handle) == 1; }

private:
    std::map<Handle, Object> objects_;
    Handle last_;
    Handle step_;
};

}  // namespace platform::posix
