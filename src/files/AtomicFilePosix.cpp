#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "files/AtomicFile.h"

namespace {

int realOpen(const char* path, int flags, unsigned mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
}
long realWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

const FileSystemOps kRealOps{realOpen, realWrite, ::fsync, ::close, ::rename, ::unlink};
const FileSystemOps* currentOps = &kRealOps;

// The temporary files being written, as fixed buffers a signal handler may
// read: a slot is claimed, filled, then marked ready.
constexpr int kSlots = 8;
std::array<std::array<char, PATH_MAX>, kSlots> pendingPaths{};
std::array<std::atomic<bool>, kSlots> pendingClaimed{};
std::array<std::atomic<bool>, kSlots> pendingReady{};

int registerPending(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (pendingClaimed[i].compare_exchange_strong(expected, true)) {
            std::memcpy(pendingPaths[i].data(), path.c_str(), path.size() + 1);
            pendingReady[i] = true;
            return i;
        }
    }
    return -1;
}

void unregisterPending(int slot) {
    if (slot >= 0) {
        pendingReady[slot] = false;
        pendingClaimed[slot] = false;
    }
}

Result failure(ResultCode code, int error) {
    Result r;
    r.code = code;
    r.detail = std::strerror(error);
    return r;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

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
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    return current;
}

// ".tanahuda-PID-N.tmp": the program's pattern and the writing process.
constexpr std::string_view kTempPrefix = ".tanahuda-";
constexpr std::string_view kTempSuffix = ".tmp";

// The process id in a temporary file's name, or 0 when the name is not one.
long pidOfTemporaryName(std::string_view name) {
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
        return 0;
    name.remove_prefix(kTempPrefix.size());
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size() ||
        name.find_first_not_of("0123456789-") != std::string_view::npos ||
        name.find('-', dash + 1) != std::string_view::npos || dash > 9)
        return 0;
    return std::strtol(std::string(name.substr(0, dash)).c_str(), nullptr, 10);
}

// Removes the temporary files that writers killed before they could clean up
// left in `folder`: those whose process is gone.
void removeStaleTemporaryFiles(const std::string& folder) {
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
            currentOps->unlink(path.c_str());
    }
    ::closedir(dir);
}

// Why the existing target may not be replaced, if it may not.
Result checkTarget(const struct stat& st, const std::string& target,
                   const std::vector<std::string>& inputs) {
    if (S_ISDIR(st.st_mode))
        return failure(ResultCode::IsFolder, EISDIR);
    if (!S_ISREG(st.st_mode))
        return failure(ResultCode::NotRegularFile, EINVAL);
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == st.st_dev && in.st_ino == st.st_ino)
            return failure(ResultCode::SameAsInput, EINVAL);
    }
    // Checked on the mode bits too, so that the superuser also leaves it alone.
    if ((st.st_mode & 0222) == 0)
        return failure(ResultCode::WriteFailed, EACCES);
    if (::access(target.c_str(), W_OK) != 0)
        return failure(ResultCode::WriteFailed, errno);
    return {};
}

bool writeAll(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long n = currentOps->write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n == 0 || errno == 0 ? ENOSPC : errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// True when the file at `fd` is not empty and ends with `ending`, followed
// by nothing but line ends and blanks.
bool endsWith(int fd, std::string_view ending) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0)
        return false;
    std::array<char, 256> tail{};
    const off_t from = st.st_size > static_cast<off_t>(tail.size())
                           ? st.st_size - static_cast<off_t>(tail.size())
                           : 0;
    const ssize_t n = ::pread(fd, tail.data(), tail.size(), from);
    if (n <= 0)
        return false;
    std::string_view text(tail.data(), static_cast<std::size_t>(n));
    while (!text.empty() && std::strchr(" \t\r\n", text.back()) != nullptr)
        text.remove_suffix(1);
    return text.ends_with(ending);
}

}  // namespace

AtomicFile::~AtomicFile() {
    abandon();
}

Result AtomicFile::begin(const std::string& path, const std::vector<std::string>& inputs) {
    abandon();
    // Looked at through its links first: a link to a pipe or a device (such
    // as /proc/self/fd/1) is refused like the pipe or device itself.
    struct stat st {};
    keepOwner_ = ::stat(path.c_str(), &st) == 0;
    if (keepOwner_) {
        Result refused = checkTarget(st, path, inputs);
        if (!refused.ok())
            return refused;
        mode_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
    }
    target_ = resolveTarget(path);
    const std::string folder = folderOf(target_);
    removeStaleTemporaryFiles(folder);

    static std::atomic<unsigned> counter{0};
    int error = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = folder + "/" + std::string(kTempPrefix) + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++) + std::string(kTempSuffix);
        // Listed before it exists, so that a signal in between cannot leave it.
        slot_ = registerPending(temporary_);
        errno = 0;
        // A new file gets 0666 less the umask, as any file the user makes.
        // Readable too, so that commit() can check what another writer put there.
        fd_ = currentOps->open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            error = errno != 0 ? errno : EIO;
            unregisterPending(slot_);
            slot_ = -1;
            if (error != EEXIST)
                break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return failure(ResultCode::WriteFailed, error);
    }
    if (keepOwner_) {
        // Best effort: only the superuser may give a file away.
        (void)::fchown(fd_, static_cast<uid_t>(owner_), static_cast<gid_t>(group_));
        (void)::fchmod(fd_, static_cast<mode_t>(mode_));
    }
    return {};
}

Result AtomicFile::write(std::string_view bytes) {
    int error = 0;
    if (fd_ < 0)
        return failure(ResultCode::WriteFailed, EBADF);
    if (!writeAll(fd_, bytes, error)) {
        abandon();
        return failure(ResultCode::WriteFailed, error);
    }
    return {};
}

Result AtomicFile::commit(std::string_view mustEndWith) {
    if (fd_ < 0)
        return failure(ResultCode::WriteFailed, EBADF);
    if (!mustEndWith.empty() && !endsWith(fd_, mustEndWith)) {
        abandon();
        return failure(ResultCode::Incomplete, EIO);
    }
    errno = 0;
    int error = 0;
    if (currentOps->fsync(fd_) != 0)
        error = errno != 0 ? errno : EIO;
    errno = 0;
    const int closed = currentOps->close(fd_);
    fd_ = -1;
    if (closed != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    errno = 0;
    if (error == 0 && currentOps->rename(temporary_.c_str(), target_.c_str()) != 0)
        error = errno != 0 ? errno : EIO;
    if (error != 0) {
        abandon();
        return failure(ResultCode::WriteFailed, error);
    }
    unregisterPending(slot_);
    slot_ = -1;
    temporary_.clear();
    // Make the rename itself durable; the file is in place whatever this gives.
    const int dir =
        currentOps->open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        currentOps->fsync(dir);
        currentOps->close(dir);
    }
    return {};
}

void AtomicFile::abandon() {
    if (fd_ >= 0) {
        currentOps->close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        currentOps->unlink(temporary_.c_str());
        temporary_.clear();
    }
    unregisterPending(slot_);
    slot_ = -1;
}

Result writeFileAtomically(const std::string& path, std::string_view bytes,
                           const std::vector<std::string>& inputs) {
    AtomicFile file;
    Result result = file.begin(path, inputs);
    if (result.ok())
        result = file.write(bytes);
    if (result.ok())
        result = file.commit();
    if (!result.ok())
        result.path = path;
    return result;
}

void removeTemporaryFilesNow() {
    for (int i = 0; i < kSlots; ++i) {
        if (pendingReady[i])
            ::unlink(pendingPaths[i].data());
    }
}

const FileSystemOps& realFileSystemOps() {
    return kRealOps;
}

ScopedFileSystemOps::ScopedFileSystemOps(const FileSystemOps& ops) : previous_(currentOps) {
    currentOps = &ops;
}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    currentOps = previous_;
}
