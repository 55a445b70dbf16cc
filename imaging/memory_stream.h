#pragma once

// The road between the library's byte buffers and the platform's streams: a
// COM stream over a movable global memory block that this object owns.

#include "imaging_object.h"

#include <win32/win32_types.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quillory {

// Owns one memory block and one reference to the stream over it. The stream
// is made so that its release leaves the block alone; the block grows under
// the same handle while the platform writes, so the handle always names every
// byte written. Not an imaging object: only a refusal touches LastStatus.
// Not copyable: two objects would free one block.
class MemoryStream {
public:
    MemoryStream() = default;
    // Closes the stream and frees the block.
    virtual ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // Closes any earlier stream, then makes a stream positioned at 0 over a
    // new block holding the first `size` bytes of `data` (all of it when the
    // size is left out). Returns the stream, null when the block or stream
    // could not be made. A size below 0 or beyond `data` is refused
    // (InvalidParameter) before anything is closed or allocated: the object
    // is left as it was and null is returned.
    virtual IStream* CreateFromBytes(const Bytes& data = {}, std::optional<std::int32_t> size = std::nullopt);

    // Releases the stream once and frees the block; nothing when closed.
    virtual void Close();

    // Bytes in the block; 0 when closed.
    virtual std::size_t GetSize() const;

    // The stream (still owned by this object); null when closed.
    virtual IStream* GetStream() const;

    // The block (still owned by this object); null when closed.
    virtual HGLOBAL GetHGlobal() const;

    // Closes, then takes over the caller's reference to `stream` and the block
    // under it. True when the stream has a memory block.
    virtual bool AttachStream(IStream* stream);

    // A copy of the whole block, as long as the block is (not the stream's
    // position); empty when closed or empty.
    virtual Bytes ToBytes();

private:
    HGLOBAL MemoryHandle = nullptr;
    // Where the block was last locked; meaningful only between lock and unlock.
    void* MemoryAddress = nullptr;
    IStream* Stream = nullptr;
};

} // namespace quillory
