#include "files/FileIo.h"

#include <cerrno>
#include <cstring>

#include "files/FileIoSteps.h"

namespace {

const FileSystemOps* installedOps = &fileio::kSystemOps;

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

}  // namespace

namespace fileio {

const FileSystemOps& currentOps() {
    return *installedOps;
}

Result failure(ResultCode code, int error) {
    Result r;
    r.code = code;
    r.detail = std::strerror(error);
    return r;
}

Result failure(ResultCode code, const char* reason) {
    Result r;
    r.code = code;
    r.detail = reason;
    return r;
}

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

}  // namespace fileio

Result readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    Result result = fileio::readFile(path, bytes, maxBytes);
    if (!result.ok())
        result.path = path;
    return result;
}

Result writeFileAtomically(const std::string& path, std::string_view bytes) {
    Result result = fileio::replaceFile(path, bytes);
    if (!result.ok())
        result.path = path;
    return result;
}

const FileSystemOps& realFileSystemOps() {
    return fileio::kSystemOps;
}

ScopedFileSystemOps::ScopedFileSystemOps(const FileSystemOps& ops) : previous_(installedOps) {
    installedOps = &ops;
}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    installedOps = previous_;
}
