// Reading and replacing files through the POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "files/FileIo.h"
#include "files/FileIoSteps.h"

using fileio::failure;
using fileio::moveIntoPlace;
using fileio::writeFlushClose;

namespace {

int realOpen(const char* path, int flags, unsigned mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
}
long realWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}
int realFsync(int fd) {
    return ::fsync(fd);
}
int realClose(int fd) {
    return ::close(fd);
}
int realRename(const char* from, const char* to) {
    return ::rename(from, to);
}
int realUnlink(const char* path) {
    return ::unlink(path);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is followed, so that the file it names is replaced and the
// link stays.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

}  // namespace

const FileSystemOps fileio::kSystemOps{realOpen,  realWrite,  realFsync,
                                       realClose, realRename, realUnlink};

Result fileio::readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    // Non-blocking, so that a named pipe cannot make the open wait forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return failure(error == ENOENT ? ResultCode::NotFound : ResultCode::ReadFailed, error);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failure(ResultCode::ReadFailed, "not a regular file");
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return failure(ResultCode::ReadFailed, error);
        }
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            return failure(ResultCode::ReadFailed, "file too large");
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes = std::move(data);
    return {};
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

Result fileio::replaceFile(const std::string& path, std::string_view bytes) {
    const FileSystemOps& ops = fileio::currentOps();
    const std::string target = resolveTarget(path);

    // An existing file keeps its permissions; one the user made read-only is
    // not replaced.
    unsigned mode = 0666;
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return failure(ResultCode::WriteFailed, EISDIR);
        // Checked on the mode bits too, so that the superuser also leaves it alone.
        if ((st.st_mode & 0222) == 0)
            return failure(ResultCode::WriteFailed, EACCES);
        if (::access(target.c_str(), W_OK) != 0)
            return failure(ResultCode::WriteFailed, errno);
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    int error = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        errno = 0;
        fd = ops.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            error = errno != 0 ? errno : EIO;
            if (error != EEXIST)
                break;
        }
    }
    if (fd < 0)
        return failure(ResultCode::WriteFailed, error);

    // The creation mode passes through the umask; the old file's mode is set
    // as it was (best effort: the new content matters more).
    if (keepMode)
        (void)::fchmod(fd, static_cast<mode_t>(mode));
    bool ok = writeFlushClose(ops, fd, bytes, error);
    if (!moveIntoPlace(ops, temp, target, ok, error))
        return failure(ResultCode::WriteFailed, error);
    // Make the rename itself durable; the file is in place whatever this gives.
    const int dir = ops.open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        ops.fsync(dir);
        ops.close(dir);
    }
    return {};
}
