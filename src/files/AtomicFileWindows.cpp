#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#include "files/AtomicFile.h"
#include "files/WindowsFileNames.h"

namespace {

using windows_files::errorNumber;
using windows_files::toUtf8;
using windows_files::toWide;

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

const FileSystemOps kRealOps{realOpen, realWrite, realFsync, realClose, realRename, realUnlink};
const FileSystemOps* currentOps = &kRealOps;

// The temporary files being written, for removeTemporaryFilesNow().
constexpr int kSlots = 8;
std::array<std::array<wchar_t, 1024>, kSlots> pendingPaths{};
std::array<std::atomic<bool>, kSlots> pendingClaimed{};
std::array<std::atomic<bool>, kSlots> pendingReady{};

int registerPending(const std::string& path) {
    std::wstring wide;
    if (!toWide(path, wide) || wide.size() >= pendingPaths[0].size())
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (pendingClaimed[i].compare_exchange_strong(expected, true)) {
            std::memcpy(pendingPaths[i].data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
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
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash);
}

// A file handle for its identity and type, without reading or locking it.
HANDLE openForQuery(const std::wstring& wide) {
    return ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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
    const HANDLE file = openForQuery(wide);
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

// True when both paths name the same existing file.
bool sameFile(const std::wstring& a, const std::string& b) {
    std::wstring wideB;
    if (!toWide(b, wideB))
        return false;
    const HANDLE fa = openForQuery(a);
    const HANDLE fb = openForQuery(wideB);
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    const bool same =
        fa != INVALID_HANDLE_VALUE && fb != INVALID_HANDLE_VALUE &&
        ::GetFileInformationByHandle(fa, &ia) && ::GetFileInformationByHandle(fb, &ib) &&
        ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
        ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    if (fa != INVALID_HANDLE_VALUE)
        ::CloseHandle(fa);
    if (fb != INVALID_HANDLE_VALUE)
        ::CloseHandle(fb);
    return same;
}

// Why the existing target may not be replaced, if it may not.
Result checkTarget(const std::wstring& wide, DWORD attributes,
                   const std::vector<std::string>& inputs) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return failure(ResultCode::IsFolder, EISDIR);
    const HANDLE file = openForQuery(wide);
    const DWORD type = file == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN : ::GetFileType(file);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (type != FILE_TYPE_DISK)
        return failure(ResultCode::NotRegularFile, EINVAL);
    for (const std::string& input : inputs) {
        if (sameFile(wide, input))
            return failure(ResultCode::SameAsInput, EINVAL);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return failure(ResultCode::WriteFailed, EACCES);
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

bool endsWith(int fd, std::string_view ending) {
    const __int64 size = ::_lseeki64(fd, 0, SEEK_END);
    if (size <= 0)
        return false;
    std::array<char, 256> tail{};
    const __int64 from = size > static_cast<__int64>(tail.size()) ? size - tail.size() : 0;
    if (::_lseeki64(fd, from, SEEK_SET) != from)
        return false;
    const int n = ::_read(fd, tail.data(), static_cast<unsigned>(tail.size()));
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
    target_ = resolveTarget(path);
    std::wstring wideTarget;
    if (!toWide(target_, wideTarget))
        return failure(ResultCode::WriteFailed, EINVAL);
    // An existing file keeps its hidden and system marks (mode_ holds them).
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    keepOwner_ = attributes != INVALID_FILE_ATTRIBUTES;
    if (keepOwner_) {
        Result refused = checkTarget(wideTarget, attributes, inputs);
        if (!refused.ok())
            return refused;
        mode_ = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    }
    static std::atomic<unsigned> counter{0};
    int error = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = folderOf(target_) + "\\.tanahuda-" + std::to_string(::GetCurrentProcessId()) +
                     "-" + std::to_string(counter++) + ".tmp";
        slot_ = registerPending(temporary_);
        errno = 0;
        // Binary, or the C library would write every line end as CR LF.
        fd_ = currentOps->open(temporary_.c_str(),
                               _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                               _S_IREAD | _S_IWRITE);
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
    if (error == 0 && keepOwner_ && mode_ != 0) {
        // Best effort: the new content matters more.
        std::wstring wideTemp;
        if (toWide(temporary_, wideTemp))
            (void)::SetFileAttributesW(wideTemp.c_str(), mode_);
    }
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
            ::_wunlink(pendingPaths[i].data());
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
