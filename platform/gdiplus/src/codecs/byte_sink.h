#pragma once

#include <gdiplus/flat_types.h>

#include <cstddef>

namespace engine {

// Where an encoder writes its file, in order from the first byte.
class ByteSink {
public:
    virtual ~ByteSink() = default;

    // Appends `bytes` bytes; a failure status when they could not all be
    // written (what was written stays).
    virtual GpStatus write(const void* data, std::size_t bytes) = 0;
};

} // namespace engine
