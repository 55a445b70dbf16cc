#pragma once

#include "object.h"

#include <memory>
#include <type_traits>
#include <unordered_map>

namespace engine {

// Every live object handed across the boundary, by address. A routine finds
// its handle arguments here, so a stale, foreign or wrong-kind handle is
// answered with a status instead of being dereferenced.
class Registry {
public:
    // Takes ownership; the returned address is the object's handle.
    Object* adopt(std::unique_ptr<Object> object);

    // The live object of type T (or derived from it) behind `handle`, or null.
    template <typename T> T* find(const void* handle) const
    {
        static_assert(std::is_base_of_v<Object, T>);
        auto found = objects_.find(handle);
        if (found == objects_.end())
            return nullptr;
        return dynamic_cast<T*>(found->second.get());
    }

    // Destroys the object behind `handle`; false when there is none.
    bool release(const void* handle);

    // Destroys every object (the platform was shut down).
    void clear() { objects_.clear(); }

    std::size_t size() const { return objects_.size(); }

private:
    std::unordered_map<const void*, std::unique_ptr<Object>> objects_;
};

} // namespace engine
