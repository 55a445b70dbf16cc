// The global-memory routines: thin shells over the registry and its blocks.
#include "global_memory_registry.h"
#include "memory_block.h"

#include "win32/win32.h"

#include <memory>
#include <mutex>

using quillory::win32::GlobalMemoryRegistry;
using quillory::win32::MemoryBlock;

extern "C" HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    try {
        auto block = std::make_shared<MemoryBlock>();
        {
            std::lock_guard guard(block->mutex());
            if (!block->resize(bytes, (flags & GMEM_ZEROINIT) != 0 ? bytes : 0)) {
                return nullptr;
            }
        }
        return GlobalMemoryRegistry::instance().add(std::move(block));
    } catch (...) {
        return nullptr;
    }
}

extern "C" void* GlobalLock(HGLOBAL handle)
{
    const std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().find(handle);
    if (block == nullptr) {
        return nullptr;
    }
    std::lock_guard guard(block->mutex());
    return block->lock();
}

extern "C" BOOL GlobalUnlock(HGLOBAL handle)
{
    const std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().find(handle);
    if (block == nullptr) {
        return 0;
    }
    std::lock_guard guard(block->mutex());
    return block->unlock() ? 1 : 0;
}

extern "C" SIZE_T GlobalSize(HGLOBAL handle)
{
    const std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().find(handle);
    if (block == nullptr) {
        return 0;
    }
    std::lock_guard guard(block->mutex());
    return block->size();
}

extern "C" HGLOBAL GlobalFree(HGLOBAL handle)
{
    if (handle == nullptr) {
        return nullptr;
    }
    const std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().remove(handle);
    if (block == nullptr) {
        return handle;
    }
    std::lock_guard guard(block->mutex());
    block->free();
    return nullptr;
}

extern "C" HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags)
{
    const std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().find(handle);
    if (block == nullptr) {
        return nullptr;
    }
    std::lock_guard guard(block->mutex());
    // Every block here is movable already, so changing attributes changes nothing.
    if ((flags & GMEM_MODIFY) != 0) {
        return handle;
    }
    if (!block->resize(bytes, (flags & GMEM_ZEROINIT) != 0 ? bytes : 0)) {
        return nullptr;
    }
    return handle;
}
