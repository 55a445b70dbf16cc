#pragma once

#include "codecs/byte_sink.h"

namespace engine {

// Writes through a COM-style stream from its current position, leaving the
// position after the last byte written. The stream is borrowed.
class StreamSink final : public ByteSink {
public:
    explicit StreamSink(IStream* stream) : stream_(stream) { }

    // Win32Error when the stream refuses or writes short.
    GpStatus write(const void* data, std::size_t bytes) override;

private:
    IStream* stream_;
};

} // namespace engine
