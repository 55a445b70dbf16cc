#include "registry.h"

namespace engine {

Object* Registry::adopt(std::unique_ptr<Object> object)
{
    Object* handle = object.get();
    objects_.emplace(handle, std::move(object));
    return handle;
}

bool Registry::release(const void* handle)
{
    return objects_.erase(handle) != 0;
}

} // namespace engine
