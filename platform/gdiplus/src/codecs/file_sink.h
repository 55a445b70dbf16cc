#pragma once

#include "codecs/byte_sink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace engine {

// Writes a new file (replacing one of the same name) through a buffer, so an
// encoder's many small writes become few system calls.
class FileSink final : public ByteSink {
public:
    // Opens `path` for writing. AccessDenied when the file or its folder may
    // not be written, FileNotFound when the folder does not exist,
    // Win32Error for any other refusal.
    static GpStatus open(const std::string& path, std::unique_ptr<FileSink>& result);

    ~FileSink() override;

    GpStatus write(const void* data, std::size_t bytes) override;

    // Writes what is buffered and closes the file; Win32Error when the
    // system could not write it all.
    GpStatus finish();

private:
    explicit FileSink(int descriptor) : descriptor_(descriptor) { }
    GpStatus flush();
    GpStatus writeAll(const std::uint8_t* data, std::size_t bytes);

    int descriptor_;
    std::vector<std::uint8_t> buffer_;
};

} // namespace engine
