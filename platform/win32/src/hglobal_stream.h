#pragma once

#include "memory_block.h"

#include "win32/win32_types.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace quillory::win32 {

// A COM stream over a global-memory block, as CreateStreamOnHGlobal makes it.
//
// The stream's length is the block's size: writing past the end grows the
// block under the same handle, so GlobalSize of the handle always reports the
// bytes the stream holds. Clones share the block (and so the bytes and the
// length) but each has its own position. Whether the block is freed with the
// last of them was decided at creation.
//
// The object is handed out as an IStream*; reference counting decides its
// life, and the last Release deletes it.
class HGlobalStream final : public IStream {
public:
    // Makes a stream over `handle` (null: a new empty block) and stores its one
    // reference in `*stream`.
    static HRESULT create(HGLOBAL handle, bool deleteOnRelease, IStream** stream);

    // The handle under `stream` when it is a live stream of this kind.
    static HRESULT handleOf(IStream* stream, HGLOBAL* handle);

private:
    // The block and the decision about who frees it, shared by a stream and
    // its clones; the last of them to go frees the block when agreed.
    struct SharedBlock {
        SharedBlock(HGLOBAL handle, std::shared_ptr<MemoryBlock> block, bool deleteOnRelease);
        ~SharedBlock();
        SharedBlock(const SharedBlock&) = delete;
        SharedBlock& operator=(const SharedBlock&) = delete;

        HGLOBAL handle;
        std::shared_ptr<MemoryBlock> block;
        bool deleteOnRelease;
    };

    HGlobalStream(std::shared_ptr<SharedBlock> shared, std::uint64_t position);

    // Registers a new stream as live and hands it out; on failure deletes it.
    static HRESULT publish(HGlobalStream* stream, IStream** result);
    static HGlobalStream* from(IStream* self) { return static_cast<HGlobalStream*>(self); }

    static HRESULT queryInterface(IStream* self, const IID* iid, void** object);
    static ULONG addRef(IStream* self);
    static ULONG release(IStream* self);
    static HRESULT read(IStream* self, void* buffer, ULONG count, ULONG* read);
    static HRESULT write(IStream* self, const void* buffer, ULONG count, ULONG* written);
    static HRESULT seek(IStream* self, LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position);
    static HRESULT setSize(IStream* self, ULARGE_INTEGER size);
    static HRESULT copyTo(
        IStream* self, IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read, ULARGE_INTEGER* written);
    static HRESULT commit(IStream* self, DWORD flags);
    static HRESULT revert(IStream* self);
    static HRESULT lockRegion(IStream* self, ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType);
    static HRESULT unlockRegion(IStream* self, ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType);
    static HRESULT stat(IStream* self, STATSTG* stat, DWORD flags);
    static HRESULT clone(IStream* self, IStream** clone);

    static const IStreamVtbl Methods;

    std::atomic<ULONG> references_{1};
    std::shared_ptr<SharedBlock> shared_;
    // Guarded by the block's mutex, which clones share.
    std::uint64_t position_;
};

} // namespace quillory::win32
