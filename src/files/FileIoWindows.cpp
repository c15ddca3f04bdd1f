// Reading and replacing files through the Windows API: UTF-16 names, binary
// bytes, the C library's error numbers.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

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

}  // namespace

const FileSystemOps fileio::kSystemOps{realOpen,  realWrite,  realFsync,
                                       realClose, realRename, realUnlink};

Result fileio::readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::wstring wide;
    if (!toWide(path, wide))
        return failure(ResultCode::ReadFailed, EINVAL);
    // Shared with writers and with a replacement, as a reader elsewhere would be.
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = errorNumber(::GetLastError());
        return failure(error == ENOENT ? ResultCode::NotFound : ResultCode::ReadFailed, error);
    }
    // Only a file on a disk: no pipe, console or device such as NUL.
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(file);
        return failure(ResultCode::ReadFailed, "not a regular file");
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            const int error = errorNumber(::GetLastError());
            ::CloseHandle(file);
            return failure(ResultCode::ReadFailed, error);
        }
        if (n == 0)
            break;
        if (data.size() + n > maxBytes) {
            ::CloseHandle(file);
            return failure(ResultCode::ReadFailed, "file too large");
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

Result fileio::replaceFile(const std::string& path, std::string_view bytes) {
    const FileSystemOps& ops = fileio::currentOps();
    const std::string target = resolveTarget(path);
    std::wstring wideTarget;
    if (!toWide(target, wideTarget))
        return failure(ResultCode::WriteFailed, EINVAL);

    // An existing file keeps its hidden and system marks; one the user made
    // read-only is not replaced.
    DWORD keptAttributes = 0;
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return failure(ResultCode::WriteFailed, EISDIR);
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return failure(ResultCode::WriteFailed, EACCES);
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
        return failure(ResultCode::WriteFailed, error);

    bool ok = writeFlushClose(ops, fd, bytes, error);
    if (ok && keptAttributes != 0) {
        // Best effort: the new content matters more.
        std::wstring wideTemp;
        if (toWide(temp, wideTemp))
            (void)::SetFileAttributesW(wideTemp.c_str(), keptAttributes);
    }
    if (!moveIntoPlace(ops, temp, target, ok, error))
        return failure(ResultCode::WriteFailed, error);
    return {};
}
