#include "memory_stream.h"

#include <win32/win32.h>

#include <cstring>

namespace quillory {

MemoryStream::~MemoryStream()
{
    Close();
}

IStream* MemoryStream::CreateFromBytes(const Bytes& data, std::optional<std::int32_t> size)
{
    // Copying more than the caller's buffer holds would read past it.
    if (size && (*size < 0 || static_cast<std::size_t>(*size) > data.size())) {
        RefuseArgument();
        return nullptr;
    }
    Close();
    const std::size_t bytes = size ? static_cast<std::size_t>(*size) : data.size();

    MemoryHandle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    // Without a block the stream routine would make one of its own, which
    // nobody would ever free.
    if (!MemoryHandle)
        return nullptr;
    CreateStreamOnHGlobal(MemoryHandle, false, &Stream);

    if (bytes > 0) {
        MemoryAddress = GlobalLock(MemoryHandle);
        if (MemoryAddress)
            std::memcpy(MemoryAddress, data.data(), bytes);
        GlobalUnlock(MemoryHandle);
        MemoryAddress = nullptr;
    }
    return Stream;
}

void MemoryStream::Close()
{
    // The block is freed even when no stream was made over it, so a failed
    // stream creation leaks nothing.
    if (Stream)
        Stream->lpVtbl->Release(Stream);
    if (MemoryHandle)
        GlobalFree(MemoryHandle);
    MemoryHandle = nullptr;
    Stream = nullptr;
}

std::size_t MemoryStream::GetSize() const
{
    return MemoryHandle ? GlobalSize(MemoryHandle) : 0;
}

IStream* MemoryStream::GetStream() const
{
    return Stream;
}

HGLOBAL MemoryStream::GetHGlobal() const
{
    return MemoryHandle;
}

bool MemoryStream::AttachStream(IStream* stream)
{
    Close();
    GetHGlobalFromStream(stream, &MemoryHandle);
    Stream = stream;
    return MemoryHandle != nullptr;
}

Bytes MemoryStream::ToBytes()
{
    if (!MemoryHandle)
        return {};
    // The block's own size, not the stream's position: the platform's writes
    // grew the block to exactly the bytes written.
    MemoryAddress = GlobalLock(MemoryHandle);
    Bytes copy;
    if (MemoryAddress) {
        const auto* first = static_cast<const std::uint8_t*>(MemoryAddress);
        copy.assign(first, first + GlobalSize(MemoryHandle));
        GlobalUnlock(MemoryHandle);
    }
    MemoryAddress = nullptr;
    return copy;
}

} // namespace quillory
