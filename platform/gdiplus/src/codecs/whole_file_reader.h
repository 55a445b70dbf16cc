#pragma once

#include <gdiplus/flat_types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// Reading an encoded image whole, before decoding it: decoders work on
// bytes in memory, so each can check every field against the real end.

// The bytes of the file at `path`. FileNotFound when it does not exist,
// AccessDenied when it may not be read, OutOfMemory when it exceeds the
// engine's block limit, Win32Error for any other failure.
GpStatus readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// The bytes of `stream` from its current position to its end, leaving the
// position there. OutOfMemory when they exceed the engine's block limit;
// Win32Error when the stream fails.
GpStatus readWholeStream(IStream* stream, std::vector<std::uint8_t>& bytes);

} // namespace engine
