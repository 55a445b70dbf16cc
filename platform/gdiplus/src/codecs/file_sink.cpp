#include "codecs/file_sink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace engine {

namespace {

constexpr std::size_t BufferBytes = std::size_t{1} << 16;

GpStatus statusOfOpenError(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return AccessDenied;
    case ENOENT:
    case ENOTDIR:
        return FileNotFound;
    default:
        return Win32Error;
    }
}

} // namespace

GpStatus FileSink::open(const std::string& path, std::unique_ptr<FileSink>& result)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return statusOfOpenError(errno);
    result.reset(new FileSink(descriptor));
    result->buffer_.reserve(BufferBytes);
    return Ok;
}

FileSink::~FileSink()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

GpStatus FileSink::write(const void* data, std::size_t bytes)
{
    const auto* next = static_cast<const std::uint8_t*>(data);
    if (buffer_.size() + bytes > BufferBytes) {
        const GpStatus status = flush();
        if (status != Ok)
            return status;
    }
    if (bytes >= BufferBytes)
        return writeAll(next, bytes);
    buffer_.insert(buffer_.end(), next, next + bytes);
    return Ok;
}

GpStatus FileSink::flush()
{
    const GpStatus status = writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
    return status;
}

GpStatus FileSink::writeAll(const std::uint8_t* next, std::size_t left)
{
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Win32Error;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return Ok;
}

GpStatus FileSink::finish()
{
    const GpStatus status = flush();
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (status != Ok)
        return status;
    return closed == 0 ? Ok : Win32Error;
}

} // namespace engine
