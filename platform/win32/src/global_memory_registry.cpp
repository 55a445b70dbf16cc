#include "global_memory_registry.h"

#include <utility>

namespace quillory::win32 {

GlobalMemoryRegistry& GlobalMemoryRegistry::instance()
{
    static GlobalMemoryRegistry* registry = new GlobalMemoryRegistry();
    return *registry;
}

HGLOBAL GlobalMemoryRegistry::add(std::shared_ptr<MemoryBlock> block)
{
    std::lock_guard guard(mutex_);
    // Spaced by 16 so that a handle never looks like a small integer or a
    // misaligned pointer to whoever prints it.
    const std::uintptr_t number = (lastNumber_ + 1) << 4;
    blocks_.emplace(number, std::move(block));
    ++lastNumber_;
    return reinterpret_cast<HGLOBAL>(number);
}

std::shared_ptr<MemoryBlock> GlobalMemoryRegistry::find(HGLOBAL handle)
{
    std::lock_guard guard(mutex_);
    const auto found = blocks_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == blocks_.end() ? nullptr : found->second;
}

std::shared_ptr<MemoryBlock> GlobalMemoryRegistry::remove(HGLOBAL handle)
{
    std::lock_guard guard(mutex_);
    const auto found = blocks_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == blocks_.end()) {
        return nullptr;
    }
    std::shared_ptr<MemoryBlock> block = std::move(found->second);
    blocks_.erase(found);
    return block;
}

} // namespace quillory::win32
