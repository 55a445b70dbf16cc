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
    for (;;) {
        const std::size_t used = contents.size();
        contents.resize(used + ChunkBytes);
        const ssize_t got = ::read(file.value, contents.data() + used, ChunkBytes);
        if (got < 0 && errno == EINTR) {
            contents.resize(used);
            continue;
        }
        if (got < 0)
            return Win32Error;
        contents.resize(used + static_cast<std::size_t>(got));
        if (got == 0)
            break;
        if (contents.size() > MaximumBlockBytes)
            return OutOfMemory;
    }
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
    for (;;) {
        const std::size_t used = contents.size();
        contents.resize(used + ChunkBytes);
        ULONG got = 0;
        const HRESULT result = stream->lpVtbl->Read(stream, contents.data() + used, ChunkBytes, &got);
        if (result < 0)
            return Win32Error;
        contents.resize(used + got);
        if (got == 0)
            break;
        if (contents.size() > MaximumBlockBytes)
            return OutOfMemory;
    }
    bytes = std::move(contents);
    return Ok;
}

} // namespace engine
