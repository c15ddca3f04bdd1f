// The steps of the atomic writer that every system shares; the system calls
// are in AtomicFilePosix.cpp or AtomicFileWindows.cpp.
#include "files/AtomicFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "files/AtomicFileSteps.h"

using namespace atomic_file;

namespace {

const FileSystemOps* installedOps = nullptr;

// The temporary files being written, for removeTemporaryFilesNow(): a slot is
// claimed, its path stored, then marked ready.
constexpr int kSlots = kPendingSlots;
std::array<std::atomic<bool>, kSlots> pendingClaimed{};
std::array<std::atomic<bool>, kSlots> pendingReady{};

int registerPending(const std::string& path) {
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (pendingClaimed[i].compare_exchange_strong(expected, true)) {
            if (!storePendingPath(i, path)) {
                pendingClaimed[i] = false;
                return -1;
            }
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

bool writeAll(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long n = ops().write(fd, bytes.data() + done, bytes.size() - done);
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
    std::array<char, 256> tail{};
    const long n = readTail(fd, tail.data(), tail.size());
    if (n <= 0)
        return false;
    std::string_view text(tail.data(), static_cast<std::size_t>(n));
    while (!text.empty() && std::strchr(" \t\r\n", text.back()) != nullptr)
        text.remove_suffix(1);
    return text.ends_with(ending);
}

// The error number of a call that failed, EIO when it set none.
int lastError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

const FileSystemOps& atomic_file::ops() {
    return installedOps != nullptr ? *installedOps : realFileSystemOps();
}

long atomic_file::pidOfTemporaryName(std::string_view name) {
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

AtomicFile::~AtomicFile() {
    abandon();
}

Result AtomicFile::begin(const std::string& path, const std::vector<std::string>& inputs) {
    abandon();
    kept_ = KeptAttributes{};
    Result refused = inspectTarget(path, inputs, target_, kept_);
    if (!refused.ok())
        return refused;
    const std::string folder = folderOf(target_);
    removeStaleTemporaryFiles(folder);

    static std::atomic<unsigned> counter{0};
    int error = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = folder + kPathSeparator + std::string(kTempPrefix) +
                     std::to_string(processId()) + "-" + std::to_string(counter++) +
                     std::string(kTempSuffix);
        // Listed before it exists, so that a signal in between cannot leave it.
        slot_ = registerPending(temporary_);
        errno = 0;
        fd_ = openTemporary(temporary_);
        if (fd_ < 0) {
            error = lastError();
            unregisterPending(slot_);
            slot_ = -1;
            if (error != EEXIST)
                break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return Result::failure(ResultCode::WriteFailed, error);
    }
    keepAttributesOnOpen(fd_, kept_);
    return {};
}

Result AtomicFile::write(std::string_view bytes) {
    int error = 0;
    if (fd_ < 0)
        return Result::failure(ResultCode::WriteFailed, EBADF);
    if (!writeAll(fd_, bytes, error)) {
        abandon();
        return Result::failure(ResultCode::WriteFailed, error);
    }
    return {};
}

Result AtomicFile::commit(std::string_view mustEndWith) {
    if (fd_ < 0)
        return Result::failure(ResultCode::WriteFailed, EBADF);
    if (!mustEndWith.empty() && !endsWith(fd_, mustEndWith)) {
        abandon();
        return Result::failure(ResultCode::Incomplete, EIO);
    }
    errno = 0;
    int error = 0;
    if (ops().fsync(fd_) != 0)
        error = lastError();
    errno = 0;
    const int closed = ops().close(fd_);
    fd_ = -1;
    if (closed != 0 && error == 0)
        error = lastError();
    if (error == 0)
        keepAttributesBeforeRename(temporary_, kept_);
    errno = 0;
    if (error == 0 && ops().rename(temporary_.c_str(), target_.c_str()) != 0)
        error = lastError();
    if (error != 0) {
        abandon();
        return Result::failure(ResultCode::WriteFailed, error);
    }
    unregisterPending(slot_);
    slot_ = -1;
    temporary_.clear();
    // The file is in place whatever this gives.
    flushFolder(folderOf(target_));
    return {};
}

Result AtomicFile::whyNotWritten() const {
    const int reason = fd_ >= 0 ? whyNotWritable(fd_, folderOf(target_)) : 0;
    return Result::failure(ResultCode::WriteFailed, reason != 0 ? reason : EIO);
}

void AtomicFile::abandon() {
    if (fd_ >= 0) {
        ops().close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ops().unlink(temporary_.c_str());
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
            removePendingPath(i);
    }
}

ScopedFileSystemOps::ScopedFileSystemOps(const FileSystemOps& ops) : previous_(installedOps) {
    installedOps = &ops;
}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    installedOps = previous_;
}
