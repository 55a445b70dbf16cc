#include "codecs/stream_sink.h"

#include <algorithm>
#include <cstdint>

namespace engine {

GpStatus StreamSink::write(const void* data, std::size_t bytes)
{
    const auto* next = static_cast<const std::uint8_t*>(data);
    while (bytes > 0) {
        // A stream takes at most a ULONG per call.
        const ULONG piece = static_cast<ULONG>(std::min<std::size_t>(bytes, 0x80000000u));
        ULONG written = 0;
        const HRESULT result = stream_->lpVtbl->Write(stream_, next, piece, &written);
        if (result < 0 || written != piece)
            return Win32Error;
        next += piece;
        bytes -= piece;
    }
    return Ok;
}

} // namespace engine
