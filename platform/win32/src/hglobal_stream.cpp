#include "hglobal_stream.h"

#include "global_memory_registry.h"

#include "win32/win32.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <unordered_set>
#include <utility>
#include <vector>

namespace quillory::win32 {

namespace {

// The streams handed out and not yet released, so that GetHGlobalFromStream
// can tell one of ours from any other pointer without touching it.
struct LiveStreams {
    std::mutex mutex;
    std::unordered_set<const IStream*> streams;
};

LiveStreams& liveStreams()
{
    // Never destroyed: streams may be released while the process exits.
    static LiveStreams* live = new LiveStreams();
    return *live;
}

bool sameIid(const IID& left, const IID& right)
{
    return std::memcmp(&left, &right, sizeof(IID)) == 0;
}

// CopyTo moves data through a buffer of at most this size, so a huge copy does
// not need a huge buffer.
constexpr std::uint64_t CopyChunkBytes = std::uint64_t{64} << 10;

} // namespace

const IStreamVtbl HGlobalStream::Methods = {
    &HGlobalStream::queryInterface,
    &HGlobalStream::addRef,
    &HGlobalStream::release,
    &HGlobalStream::read,
    &HGlobalStream::write,
    &HGlobalStream::seek,
    &HGlobalStream::setSize,
    &HGlobalStream::copyTo,
    &HGlobalStream::commit,
    &HGlobalStream::revert,
    &HGlobalStream::lockRegion,
    &HGlobalStream::unlockRegion,
    &HGlobalStream::stat,
    &HGlobalStream::clone,
};

HGlobalStream::SharedBlock::SharedBlock(HGLOBAL handle, std::shared_ptr<MemoryBlock> block, bool deleteOnRelease)
    : handle(handle),
      block(std::move(block)),
      deleteOnRelease(deleteOnRelease)
{
}

HGlobalStream::SharedBlock::~SharedBlock()
{
    // A handle the caller has freed already is simply not found: handles are
    // never reused, so this cannot free someone else's block.
    if (deleteOnRelease) {
        GlobalFree(handle);
    }
}

HGlobalStream::HGlobalStream(std::shared_ptr<SharedBlock> shared, std::uint64_t position)
    : IStream{&Methods},
      shared_(std::move(shared)),
      position_(position)
{
}

HRESULT HGlobalStream::publish(HGlobalStream* stream, IStream** result)
{
    try {
        LiveStreams& live = liveStreams();
        std::lock_guard guard(live.mutex);
        live.streams.insert(stream);
    } catch (...) {
        delete stream;
        *result = nullptr;
        return E_OUTOFMEMORY;
    }
    *result = stream;
    return S_OK;
}

HRESULT HGlobalStream::create(HGLOBAL handle, bool deleteOnRelease, IStream** stream)
{
    if (stream == nullptr) {
        return E_INVALIDARG;
    }
    *stream = nullptr;
    // Windows gives a stream made without a block an empty movable one.
    const bool ownBlock = handle == nullptr;
    if (ownBlock) {
        handle = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (handle == nullptr) {
            return E_OUTOFMEMORY;
        }
    }
    std::shared_ptr<MemoryBlock> block = GlobalMemoryRegistry::instance().find(handle);
    if (block == nullptr) {
        return E_INVALIDARG;
    }
    HGlobalStream* created = nullptr;
    try {
        auto shared = std::make_shared<SharedBlock>(handle, std::move(block), deleteOnRelease);
        created = new HGlobalStream(std::move(shared), 0);
    } catch (...) {
        if (ownBlock) {
            GlobalFree(handle);
        }
        return E_OUTOFMEMORY;
    }
    return publish(created, stream);
}

HRESULT HGlobalStream::handleOf(IStream* stream, HGLOBAL* handle)
{
    if (handle == nullptr) {
        return E_INVALIDARG;
    }
    *handle = nullptr;
    if (stream == nullptr) {
        return E_INVALIDARG;
    }
    LiveStreams& live = liveStreams();
    std::lock_guard guard(live.mutex);
    if (live.streams.find(stream) == live.streams.end()) {
        return E_INVALIDARG;
    }
    *handle = from(stream)->shared_->handle;
    return S_OK;
}

HRESULT HGlobalStream::queryInterface(IStream* self, const IID* iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid == nullptr) {
        return E_POINTER;
    }
    if (!sameIid(*iid, IID_IUnknown) && !sameIid(*iid, IID_ISequentialStream) && !sameIid(*iid, IID_IStream)) {
        return E_NOINTERFACE;
    }
    addRef(self);
    *object = self;
    return S_OK;
}

ULONG HGlobalStream::addRef(IStream* self)
{
    return from(self)->references_.fetch_add(1, std::memory_order_relaxed) + 1;
}

ULONG HGlobalStream::release(IStream* self)
{
    HGlobalStream* stream = from(self);
    const ULONG remaining = stream->references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0) {
        {
            LiveStreams& live = liveStreams();
            std::lock_guard guard(live.mutex);
            live.streams.erase(self);
        }
        delete stream;
    }
    return remaining;
}

HRESULT HGlobalStream::read(IStream* self, void* buffer, ULONG count, ULONG* read)
{
    if (read != nullptr) {
        *read = 0;
    }
    if (buffer == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    HGlobalStream* stream = from(self);
    MemoryBlock& block = *stream->shared_->block;
    std::lock_guard guard(block.mutex());
    if (block.freed()) {
        return STG_E_INVALIDHANDLE;
    }
    const std::uint64_t available = stream->position_ < block.size() ? block.size() - stream->position_ : 0;
    const auto copied = static_cast<ULONG>(std::min<std::uint64_t>(count, available));
    if (copied > 0) {
        std::memcpy(buffer, block.data() + stream->position_, copied);
        stream->position_ += copied;
    }
    if (read != nullptr) {
        *read = copied;
    }
    return S_OK;
}

HRESULT HGlobalStream::write(IStream* self, const void* buffer, ULONG count, ULONG* written)
{
    if (written != nullptr) {
        *written = 0;
    }
    if (buffer == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    HGlobalStream* stream = from(self);
    MemoryBlock& block = *stream->shared_->block;
    std::lock_guard guard(block.mutex());
    if (block.freed()) {
        return STG_E_INVALIDHANDLE;
    }
    if (count == 0) {
        return S_OK;
    }
    const std::uint64_t position = stream->position_;
    if (position > std::numeric_limits<std::size_t>::max() - count) {
        return STG_E_MEDIUMFULL;
    }
    const std::uint64_t end = position + count;
    // Bytes between the old end and a position sought past it read as zeros;
    // the bytes about to be written need no clearing.
    if (end > block.size() && !block.resize(end, position)) {
        return STG_E_MEDIUMFULL;
    }
    std::memcpy(block.data() + position, buffer, count);
    stream->position_ = end;
    if (written != nullptr) {
        *written = count;
    }
    return S_OK;
}

HRESULT HGlobalStream::seek(IStream* self, LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    HGlobalStream* stream = from(self);
    MemoryBlock& block = *stream->shared_->block;
    std::lock_guard guard(block.mutex());
    if (block.freed()) {
        return STG_E_INVALIDHANDLE;
    }
    std::uint64_t base = 0;
    switch (origin) {
    case STREAM_SEEK_SET:
        base = 0;
        break;
    case STREAM_SEEK_CUR:
        base = stream->position_;
        break;
    case STREAM_SEEK_END:
        base = block.size();
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    // A position before the start is refused; one past the end is allowed.
    std::uint64_t target = 0;
    if (move.QuadPart < 0) {
        const std::uint64_t back = 0 - static_cast<std::uint64_t>(move.QuadPart);
        if (back > base) {
            return STG_E_INVALIDFUNCTION;
        }
        target = base - back;
    } else {
        const auto forward = static_cast<std::uint64_t>(move.QuadPart);
        if (forward > std::numeric_limits<std::uint64_t>::max() - base) {
            return STG_E_INVALIDFUNCTION;
        }
        target = base + forward;
    }
    stream->position_ = target;
    if (position != nullptr) {
        position->QuadPart = target;
    }
    return S_OK;
}

HRESULT HGlobalStream::setSize(IStream* self, ULARGE_INTEGER size)
{
    HGlobalStream* stream = from(self);
    MemoryBlock& block = *stream->shared_->block;
    std::lock_guard guard(block.mutex());
    if (block.freed()) {
        return STG_E_INVALIDHANDLE;
    }
    if (size.QuadPart > std::numeric_limits<std::size_t>::max()) {
        return STG_E_MEDIUMFULL;
    }
    const auto bytes = static_cast<std::size_t>(size.QuadPart);
    return block.resize(bytes, bytes) ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT HGlobalStream::copyTo(
    IStream* self, IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read, ULARGE_INTEGER* written)
{
    if (read != nullptr) {
        read->QuadPart = 0;
    }
    if (written != nullptr) {
        written->QuadPart = 0;
    }
    if (target == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    HGlobalStream* stream = from(self);
    MemoryBlock& block = *stream->shared_->block;
    std::vector<std::byte> chunk;
    try {
        chunk.resize(static_cast<std::size_t>(std::min(count.QuadPart, CopyChunkBytes)));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    std::uint64_t totalRead = 0;
    std::uint64_t totalWritten = 0;
    HRESULT result = S_OK;
    while (totalRead < count.QuadPart) {
        ULONG pieceBytes = 0;
        {
            // The lock is not held while the target writes: the target may be
            // this stream or a clone on the same block.
            std::lock_guard guard(block.mutex());
            if (block.freed()) {
                result = STG_E_INVALIDHANDLE;
                break;
            }
            const std::uint64_t available = stream->position_ < block.size() ? block.size() - stream->position_ : 0;
            pieceBytes = static_cast<ULONG>(std::min({count.QuadPart - totalRead, available, CopyChunkBytes}));
            if (pieceBytes > 0) {
                std::memcpy(chunk.data(), block.data() + stream->position_, pieceBytes);
                stream->position_ += pieceBytes;
            }
        }
        if (pieceBytes == 0) {
            break;
        }
        totalRead += pieceBytes;
        ULONG pieceWritten = 0;
        result = target->lpVtbl->Write(target, chunk.data(), pieceBytes, &pieceWritten);
        totalWritten += pieceWritten;
        if (result < 0) {
            break;
        }
        if (pieceWritten < pieceBytes) {
            result = STG_E_MEDIUMFULL;
            break;
        }
    }
    if (read != nullptr) {
        read->QuadPart = totalRead;
    }
    if (written != nullptr) {
        written->QuadPart = totalWritten;
    }
    return result;
}

// A memory stream is always in direct mode: every write is already in the
// block, so there is nothing to commit and nothing to revert to. COM documents
// both as succeeding without effect in that mode.
HRESULT HGlobalStream::commit(IStream* self, DWORD)
{
    MemoryBlock& block = *from(self)->shared_->block;
    std::lock_guard guard(block.mutex());
    return block.freed() ? STG_E_INVALIDHANDLE : S_OK;
}

HRESULT HGlobalStream::revert(IStream* self)
{
    MemoryBlock& block = *from(self)->shared_->block;
    std::lock_guard guard(block.mutex());
    return block.freed() ? STG_E_INVALIDHANDLE : S_OK;
}

// Memory streams do not support region locks, and say so in Stat's
// grfLocksSupported.
HRESULT HGlobalStream::lockRegion(IStream*, ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT HGlobalStream::unlockRegion(IStream*, ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT HGlobalStream::stat(IStream* self, STATSTG* stat, DWORD flags)
{
    if (stat == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    if (flags != STATFLAG_DEFAULT && flags != STATFLAG_NONAME) {
        return STG_E_INVALIDFLAG;
    }
    MemoryBlock& block = *from(self)->shared_->block;
    std::lock_guard guard(block.mutex());
    if (block.freed()) {
        return STG_E_INVALIDHANDLE;
    }
    // A memory stream has no name, so pwcsName stays null (nothing for the
    // caller to free) whichever flag was given.
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = block.size();
    stat->grfMode = STGM_READWRITE;
    return S_OK;
}

HRESULT HGlobalStream::clone(IStream* self, IStream** clone)
{
    if (clone == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    *clone = nullptr;
    HGlobalStream* stream = from(self);
    std::uint64_t position = 0;
    {
        MemoryBlock& block = *stream->shared_->block;
        std::lock_guard guard(block.mutex());
        if (block.freed()) {
            return STG_E_INVALIDHANDLE;
        }
        position = stream->position_;
    }
    HGlobalStream* created = new (std::nothrow) HGlobalStream(stream->shared_, position);
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    return publish(created, clone);
}

} // namespace quillory::win32

extern "C" HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream)
{
    return quillory::win32::HGlobalStream::create(block, deleteOnRelease != 0, stream);
}

extern "C" HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block)
{
    return quillory::win32::HGlobalStream::handleOf(stream, block);
}
