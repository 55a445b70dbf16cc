#include "codecs/whole_file_reader.h"

#include "core/checked_size.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

constexpr std::size_t ChunkBytes = std::size_t{1} << 16;

// Closes a file descriptor on every path.
struct Descriptor {
    int value;
    ~Descriptor()
    {
        if (value >= 0)
            ::close(value);
    }
};

// Appends what `readChunk` reads, a chunk at a time, until it reads nothing.
// `readChunk(buffer, got)` fills up to ChunkBytes at `buffer`, sets `got` and
// answers Ok, or answers the failure. The limit is checked after every chunk,
// so a source that never ends cannot grow the buffer without bound.
template <typename ReadChunk> GpStatus appendUntilEnd(std::vector<std::uint8_t>& contents, ReadChunk readChunk)
{
    for (;;) {
        const std::size_t used = contents.size();
        contents.resize(used + ChunkBytes);
        std::size_t got = 0;
        const GpStatus status = readChunk(contents.data() + used, got);
        if (status != Ok)
            return status;
        contents.resize(used + got);
        if (got == 0)
            return Ok;
        if (contents.size() > MaximumBlockBytes)
            return OutOfMemory;
    }
}

} // namespace

GpStatus readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.value < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return FileNotFound;
        case EACCES:
        case EPERM:
            return AccessDenied;
        default:
            return Win32Error;
        }
    }
    struct stat status { };
    if (::fstat(file.value, &status) != 0 || !S_ISREG(status.st_mode))
        return Win32Error;
    if (static_cast<std::uint64_t>(status.st_size) > MaximumBlockBytes)
        return OutOfMemory;
    std::vector<std::uint8_t> contents;
    contents.reserve(static_cast<std::size_t>(status.st_size));
    const GpStatus reading = appendUntilEnd(contents, [&](std::uint8_t* buffer, std::size_t& got) {
        for (;;) {
            const ssize_t result = ::read(file.value, buffer, ChunkBytes);
            if (result >= 0) {
                got = static_cast<std::size_t>(result);
                return Ok;
            }
            if (errno != EINTR)
                return Win32Error;
        }
    });
    if (reading != Ok)
        return reading;
    bytes = std::move(contents);
    return Ok;
}

GpStatus readWholeStream(IStream* stream, std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> contents;
    // A stream that knows its length lets the buffer be sized once.
    STATSTG status{};
    ULARGE_INTEGER position{};
    if (stream->lpVtbl->Stat(stream, &status, STATFLAG_NONAME) >= 0 &&
        stream->lpVtbl->Seek(stream, LARGE_INTEGER{0}, STREAM_SEEK_CUR, &position) >= 0 &&
        status.cbSize.QuadPart > position.QuadPart) {
        const std::uint64_t left = status.cbSize.QuadPart - position.QuadPart;
        if (left > MaximumBlockBytes)
            return OutOfMemory;
        contents.reserve(static_cast<std::size_t>(left));
    }
    const GpStatus reading = appendUntilEnd(contents, [&](std::uint8_t* buffer, std::size_t& got) {
        ULONG count = 0;
        if (stream->lpVtbl->Read(stream, buffer, ChunkBytes, &count) < 0)
            return Win32Error;
        got = count;
        return Ok;
    });
    if (reading != Ok)
        return reading;
    bytes = std::move(contents);
    return Ok;
}

} // namespace engine
