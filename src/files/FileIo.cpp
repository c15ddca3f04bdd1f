#include "files/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

#ifdef _WIN32
// Paths are UTF-8 throughout the program; Windows takes them as UTF-16.
bool toWide(const std::string& utf8, std::wstring& wide) {
    wide.clear();
    if (utf8.empty())
        return true;
    if (utf8.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const int size = static_cast<int>(utf8.size());
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(length));
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                                 length) == length;
}

std::string toUtf8(const std::wstring& wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// The C library's error number for a system error, so that failures read the
// same on every system.
int errorNumber(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return EINVAL;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

int realOpen(const char* path, int flags, unsigned mode) {
    std::wstring wide;
    if (!toWide(path, wide)) {
        errno = EINVAL;
        return -1;
    }
    return ::_wopen(wide.c_str(), flags, static_cast<int>(mode));
}
long realWrite(int fd, const void* data, std::size_t size) {
    const std::size_t chunk = size < INT_MAX ? size : static_cast<std::size_t>(INT_MAX);
    return ::_write(fd, data, static_cast<unsigned>(chunk));
}
int realFsync(int fd) {
    return ::_commit(fd);
}
int realClose(int fd) {
    return ::_close(fd);
}
// Replaces an existing file; returns only once the move is on disk, so the
// folder needs no flush of its own.
int realRename(const char* from, const char* to) {
    std::wstring wideFrom;
    std::wstring wideTo;
    if (!toWide(from, wideFrom) || !toWide(to, wideTo)) {
        errno = EINVAL;
        return -1;
    }
    if (::MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = errorNumber(::GetLastError());
    return -1;
}
int realUnlink(const char* path) {
    std::wstring wide;
    if (!toWide(path, wide)) {
        errno = EINVAL;
        return -1;
    }
    return ::_wunlink(wide.c_str());
}

// A symbolic link is followed, so that the file it names is replaced and the
// link stays.
std::string resolveTarget(const std::string& path) {
    std::wstring wide;
    if (!toWide(path, wide))
        return path;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    const HANDLE file =
        ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring resolved(MAX_PATH, L'\0');
    DWORD length =
        ::GetFinalPathNameByHandleW(file, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
    if (length >= resolved.size()) {
        resolved.resize(length);
        length = ::GetFinalPathNameByHandleW(file, resolved.data(),
                                             static_cast<DWORD>(resolved.size()), 0);
    }
    ::CloseHandle(file);
    if (length == 0 || length >= resolved.size())
        return path;
    resolved.resize(length);
    const std::string target = toUtf8(resolved);
    return target.empty() ? path : target;
}
#else
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
#endif

const FileSystemOps kRealOps{realOpen, realWrite, realFsync, realClose, realRename, realUnlink};

const FileSystemOps* currentOps = &kRealOps;

FileResult failure(FileErrorCode code, int error) {
    FileResult r;
    r.code = code;
    r.detail = std::strerror(error);
    return r;
}

FileResult failure(FileErrorCode code, const char* reason) {
    FileResult r;
    r.code = code;
    r.detail = reason;
    return r;
}

#ifndef _WIN32
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
#endif

bool writeAll(const FileSystemOps& ops, int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno != 0 ? errno : EIO;
            return false;
        }
        if (n == 0) {
            error = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes all of `bytes`, flushes them to the disk and closes the file. On the
// first failure `error` holds its reason; the file is closed in any case.
bool writeFlushClose(const FileSystemOps& ops, int fd, std::string_view bytes, int& error) {
    bool ok = writeAll(ops, fd, bytes, error);
    if (ok) {
        errno = 0;
        if (ops.fsync(fd) != 0) {
            error = errno != 0 ? errno : EIO;
            ok = false;
        }
    }
    errno = 0;
    if (ops.close(fd) != 0 && ok) {
        error = errno != 0 ? errno : EIO;
        ok = false;
    }
    return ok;
}

// Renames the finished temporary file over `target`. When it was not finished
// (`ok` false) or the rename fails, the temporary file is removed instead and
// `error` holds the reason.
bool moveIntoPlace(const FileSystemOps& ops, const std::string& temp, const std::string& target,
                   bool ok, int& error) {
    if (ok) {
        errno = 0;
        if (ops.rename(temp.c_str(), target.c_str()) != 0) {
            error = errno != 0 ? errno : EIO;
            ok = false;
        }
    }
    if (!ok)
        ops.unlink(temp.c_str());
    return ok;
}

}  // namespace

#ifdef _WIN32
FileResult readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::wstring wide;
    if (!toWide(path, wide))
        return failure(FileErrorCode::ReadFailed, EINVAL);
    // Shared with writers and with a replacement, as a reader elsewhere would be.
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = errorNumber(::GetLastError());
        return failure(error == ENOENT ? FileErrorCode::NotFound : FileErrorCode::ReadFailed,
                       error);
    }
    // Only a file on a disk: no pipe, console or device such as NUL.
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(file);
        return failure(FileErrorCode::ReadFailed, "not a regular file");
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            const int error = errorNumber(::GetLastError());
            ::CloseHandle(file);
            return failure(FileErrorCode::ReadFailed, error);
        }
        if (n == 0)
            break;
        if (data.size() + n > maxBytes) {
            ::CloseHandle(file);
            return failure(FileErrorCode::ReadFailed, "file too large");
        }
        data.append(buffer, n);
    }
    ::CloseHandle(file);
    bytes = std::move(data);
    return {};
}

bool fileExists(const std::string& path) {
    std::wstring wide;
    return toWide(path, wide) && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const FileSystemOps& ops = *currentOps;
    const std::string target = resolveTarget(path);
    std::wstring wideTarget;
    if (!toWide(target, wideTarget))
        return failure(FileErrorCode::WriteFailed, EINVAL);

    // An existing file keeps its hidden and system marks; one the user made
    // read-only is not replaced.
    DWORD keptAttributes = 0;
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return failure(FileErrorCode::WriteFailed, EISDIR);
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return failure(FileErrorCode::WriteFailed, EACCES);
        keptAttributes = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    }

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    int error = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(counter++);
        errno = 0;
        // Binary, or the C library would write every line end as CR LF.
        fd = ops.open(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            error = errno != 0 ? errno : EIO;
            if (error != EEXIST)
                break;
        }
    }
    if (fd < 0)
        return failure(FileErrorCode::WriteFailed, error);

    bool ok = writeFlushClose(ops, fd, bytes, error);
    if (ok && keptAttributes != 0) {
        // Best effort: the new content matters more.
        std::wstring wideTemp;
        if (toWide(temp, wideTemp))
            (void)::SetFileAttributesW(wideTemp.c_str(), keptAttributes);
    }
    if (!moveIntoPlace(ops, temp, target, ok, error))
        return failure(FileErrorCode::WriteFailed, error);
    return {};
}
#else
FileResult readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    // Non-blocking, so that a named pipe cannot make the open wait forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return failure(error == ENOENT ? FileErrorCode::NotFound : FileErrorCode::ReadFailed,
                       error);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failure(FileErrorCode::ReadFailed, "not a regular file");
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
            return failure(FileErrorCode::ReadFailed, error);
        }
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            return failure(FileErrorCode::ReadFailed, "file too large");
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

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const FileSystemOps& ops = *currentOps;
    const std::string target = resolveTarget(path);

    // An existing file keeps its permissions; one the user made read-only is
    // not replaced.
    unsigned mode = 0666;
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return failure(FileErrorCode::WriteFailed, EISDIR);
        // Checked on the mode bits too, so that the superuser also leaves it alone.
        if ((st.st_mode & 0222) == 0)
            return failure(FileErrorCode::WriteFailed, EACCES);
        if (::access(target.c_str(), W_OK) != 0)
            return failure(FileErrorCode::WriteFailed, errno);
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
        return failure(FileErrorCode::WriteFailed, error);

    // The creation mode passes through the umask; the old file's mode is set
    // as it was (best effort: the new content matters more).
    if (keepMode)
        (void)::fchmod(fd, static_cast<mode_t>(mode));
    bool ok = writeFlushClose(ops, fd, bytes, error);
    if (!moveIntoPlace(ops, temp, target, ok, error))
        return failure(FileErrorCode::WriteFailed, error);
    // Make the rename itself durable; the file is in place whatever this gives.
    const int dir = ops.open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        ops.fsync(dir);
        ops.close(dir);
    }
    return {};
}

#endif

const FileSystemOps& realFileSystemOps() {
    return kRealOps;
}

ScopedFileSystemOps::ScopedFileSystemOps(const FileSystemOps& ops) : previous_(currentOps) {
    currentOps = &ops;
}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    currentOps = previous_;
}
