// The atomic writer's system calls on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#include "files/AtomicFileSteps.h"

using atomic_file::ops;

namespace {

int realOpen(const char* path, int flags, unsigned mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
}
long realWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

const FileSystemOps kRealOps{realOpen, realWrite, ::fsync, ::close, ::rename, ::unlink};

// Fixed buffers a signal handler may read.
std::array<std::array<char, PATH_MAX>, atomic_file::kPendingSlots> pendingPaths{};

// The file a path names once its symbolic links are followed, so that the
// file is replaced and the link stays; a link to a file not yet made names
// where that file will be.
std::string resolveTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::array<char, PATH_MAX> link{};
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size() - 1);
        if (n <= 0)
            return current;
        const std::string next(link.data(), static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : atomic_file::folderOf(current) + "/" + next;
    }
    return current;
}

// Why the existing target may not be replaced, if it may not.
Result checkTarget(const struct stat& st, const std::string& target,
                   const std::vector<std::string>& inputs) {
    if (S_ISDIR(st.st_mode))
        return Result::failure(ResultCode::IsFolder, EISDIR);
    if (!S_ISREG(st.st_mode))
        return Result::failure(ResultCode::NotRegularFile, EINVAL);
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == st.st_dev && in.st_ino == st.st_ino)
            return Result::failure(ResultCode::SameAsInput, EINVAL);
    }
    // Checked on the mode bits too, so that the superuser also leaves it alone.
    if ((st.st_mode & 0222) == 0)
        return Result::failure(ResultCode::WriteFailed, EACCES);
    if (::access(target.c_str(), W_OK) != 0)
        return Result::failure(ResultCode::WriteFailed, errno);
    return {};
}

}  // namespace

const char atomic_file::kPathSeparator = '/';

const FileSystemOps& realFileSystemOps() {
    return kRealOps;
}

Result atomic_file::inspectTarget(const std::string& path, const std::vector<std::string>& inputs,
                                  std::string& target, KeptAttributes& kept) {
    // Looked at through its links first: a link to a pipe or a device (such
    // as /proc/self/fd/1) is refused like the pipe or device itself.
    struct stat st {};
    errno = 0;
    kept.exists = ::stat(path.c_str(), &st) == 0;
    // A name too long, or a folder that is a file or may not be looked into,
    // is found now, before anything is drawn, not at the rename at the end.
    if (!kept.exists && errno != ENOENT)
        return Result::failure(ResultCode::WriteFailed, errno != 0 ? errno : EIO);
    if (kept.exists) {
        Result refused = checkTarget(st, path, inputs);
        if (!refused.ok())
            return refused;
        kept.mode = st.st_mode & 07777;
        kept.owner = st.st_uid;
        kept.group = st.st_gid;
    }
    target = resolveTarget(path);
    return {};
}

std::string atomic_file::folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

unsigned long atomic_file::processId() {
    return static_cast<unsigned long>(::getpid());
}

// Those whose process is gone.
void atomic_file::removeStaleTemporaryFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = pidOfTemporaryName(entry->d_name);
        if (pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ops().unlink(path.c_str());
    }
    ::closedir(dir);
}

int atomic_file::openTemporary(const std::string& path) {
    // A new file gets 0666 less the umask, as any file the user makes.
    // Readable too, so that commit() can check what another writer put there.
    return ops().open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

void atomic_file::keepAttributesOnOpen(int fd, const KeptAttributes& kept) {
    if (!kept.exists)
        return;
    // Best effort: only the superuser may give a file away.
    (void)::fchown(fd, static_cast<uid_t>(kept.owner), static_cast<gid_t>(kept.group));
    (void)::fchmod(fd, static_cast<mode_t>(kept.mode));
}

void atomic_file::keepAttributesBeforeRename(const std::string&, const KeptAttributes&) {
    // Kept on opening.
}

void atomic_file::flushFolder(const std::string& folder) {
    const int dir = ops().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        ops().fsync(dir);
        ops().close(dir);
    }
}

int atomic_file::whyNotWritable(int fd, const std::string& folder) {
    // The open file keeps its blocks, even once a failed job removed it.
    struct statvfs disk {};
    if (::fstatvfs(fd, &disk) == 0 && disk.f_bavail == 0)
        return ENOSPC;
    struct stat st {};
    errno = 0;
    if (::stat(folder.c_str(), &st) != 0)
        return errno != 0 ? errno : ENOENT;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

long atomic_file::readTail(int fd, char* buffer, std::size_t size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0)
        return 0;
    const off_t from =
        st.st_size > static_cast<off_t>(size) ? st.st_size - static_cast<off_t>(size) : 0;
    return static_cast<long>(::pread(fd, buffer, size, from));
}

bool atomic_file::storePendingPath(int slot, const std::string& path) {
    if (path.size() >= PATH_MAX)
        return false;
    std::memcpy(pendingPaths[slot].data(), path.c_str(), path.size() + 1);
    return true;
}

void atomic_file::removePendingPath(int slot) {
    ::unlink(pendingPaths[slot].data());
}
