// The atomic writer's system calls on Windows: UTF-16 names, binary files,
// the C library's error numbers.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#include "files/AtomicFileSteps.h"
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

std::array<std::array<wchar_t, 1024>, atomic_file::kPendingSlots> pendingPaths{};

// The longest name of one file that Windows' file systems take, in UTF-16
// units.
constexpr std::size_t kLongestName = 255;

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
        return Result::failure(ResultCode::IsFolder, EISDIR);
    const HANDLE file = openForQuery(wide);
    const DWORD type = file == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN : ::GetFileType(file);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (type != FILE_TYPE_DISK)
        return Result::failure(ResultCode::NotRegularFile, EINVAL);
    for (const std::string& input : inputs) {
        if (sameFile(wide, input))
            return Result::failure(ResultCode::SameAsInput, EINVAL);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return Result::failure(ResultCode::WriteFailed, EACCES);
    return {};
}

}  // namespace

const char atomic_file::kPathSeparator = '\\';

const FileSystemOps& realFileSystemOps() {
    return kRealOps;
}

Result atomic_file::inspectTarget(const std::string& path, const std::vector<std::string>& inputs,
                                  std::string& target, KeptAttributes& kept) {
    target = resolveTarget(path);
    std::wstring wideTarget;
    if (!toWide(target, wideTarget))
        return Result::failure(ResultCode::WriteFailed, EINVAL);
    // An existing file keeps its hidden and system marks.
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    kept.exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A name too long, or a folder that is missing or a file, is found now,
    // before anything is drawn, not at the rename at the end.
    const DWORD why = kept.exists ? ERROR_SUCCESS : ::GetLastError();
    if (!kept.exists && why != ERROR_FILE_NOT_FOUND)
        return Result::failure(ResultCode::WriteFailed, errorNumber(why));
    if (wideTarget.size() - wideTarget.find_last_of(L"/\\") - 1 > kLongestName)
        return Result::failure(ResultCode::WriteFailed, errorNumber(ERROR_FILENAME_EXCED_RANGE));
    if (kept.exists) {
        Result refused = checkTarget(wideTarget, attributes, inputs);
        if (!refused.ok())
            return refused;
        kept.mode = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    }
    return {};
}

std::string atomic_file::folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash);
}

unsigned long atomic_file::processId() {
    return ::GetCurrentProcessId();
}

void atomic_file::removeStaleTemporaryFiles(const std::string&) {
    // Not looked for on Windows: whether the process that named a file still
    // runs is not asked there.
}

int atomic_file::openTemporary(const std::string& path) {
    // Binary, or the C library would write every line end as CR LF.
    return ops().open(path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
}

void atomic_file::keepAttributesOnOpen(int, const KeptAttributes&) {
    // Kept before the rename, once the file is closed.
}

void atomic_file::keepAttributesBeforeRename(const std::string& temporary,
                                             const KeptAttributes& kept) {
    if (!kept.exists || kept.mode == 0)
        return;
    // Best effort: the new content matters more.
    std::wstring wide;
    if (toWide(temporary, wide))
        (void)::SetFileAttributesW(wide.c_str(), kept.mode);
}

void atomic_file::flushFolder(const std::string&) {
    // The rename was written through (realRename).
}

int atomic_file::whyNotWritable(int, const std::string&) {
    // The reason is the one the writer's own calls give.
    return 0;
}

long atomic_file::readTail(int fd, char* buffer, std::size_t size) {
    const __int64 end = ::_lseeki64(fd, 0, SEEK_END);
    if (end <= 0)
        return 0;
    const __int64 from = end > static_cast<__int64>(size) ? end - static_cast<__int64>(size) : 0;
    if (::_lseeki64(fd, from, SEEK_SET) != from)
        return 0;
    return ::_read(fd, buffer, static_cast<unsigned>(size));
}

bool atomic_file::storePendingPath(int slot, const std::string& path) {
    std::wstring wide;
    if (!toWide(path, wide) || wide.size() >= pendingPaths[0].size())
        return false;
    std::memcpy(pendingPaths[slot].data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    return true;
}

void atomic_file::removePendingPath(int slot) {
    ::_wunlink(pendingPaths[slot].data());
}
