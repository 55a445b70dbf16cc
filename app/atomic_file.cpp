#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quillory {
namespace {

std::string Describe(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

// Owns a temporary file until it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string pattern) : path_(std::move(pattern)) { descriptor_ = mkstemp(path_.data()); }
    ~TemporaryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        if (!kept_ && descriptor_ != -1)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool opened() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    const std::string& path() const { return path_; }

    // Closes the file; its bytes are then complete on disk.
    int close()
    {
        int result = ::close(descriptor_);
        descriptor_ = -2; // closed, but still ours to remove until kept
        return result;
    }
    void keep() { kept_ = true; }

private:
    std::string path_;
    int descriptor_ = -1;
    bool kept_ = false;
};

// Follows symbolic links to the file they name, so that writing through a
// link replaces that file and the link stays a link. A chain too long to be
// anything but a loop is left as given.
std::filesystem::path FollowLinks(const std::filesystem::path& path)
{
    std::filesystem::path followed = path;
    std::error_code error;
    for (int depth = 0; depth < 40; ++depth) {
        if (!std::filesystem::is_symlink(followed, error))
            return followed;
        const std::filesystem::path target = std::filesystem::read_symlink(followed, error);
        if (error)
            return followed;
        followed = target.is_absolute() ? target : followed.parent_path() / target;
    }
    return path;
}

} // namespace

bool WriteAllBytes(int descriptor, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing would make no progress however often it
        // is repeated.
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

std::string WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path target = FollowLinks(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    TemporaryFile temporary((folder / ("." + target.filename().string() + ".XXXXXX")).string());
    if (!temporary.opened())
        return Describe("cannot create a file in " + folder.string(), errno);

    // A new file gets the permissions a plain create would give it; an
    // existing file keeps its own.
    struct stat existing { };
    mode_t mode = 0666;
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(temporary.descriptor(), mode) != 0)
        return Describe("cannot write " + path, errno);

    if (!WriteAllBytes(temporary.descriptor(), bytes))
        return Describe("cannot write " + path, errno);
    if (::fsync(temporary.descriptor()) != 0)
        return Describe("cannot write " + path, errno);
    if (temporary.close() != 0)
        return Describe("cannot write " + path, errno);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        return Describe("cannot replace " + path, errno);
    temporary.keep();
    return {};
}

} // namespace quillory
