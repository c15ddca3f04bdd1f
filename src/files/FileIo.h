#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Result.h"

// Reads a whole file of at most `maxBytes`. Larger files are refused (ReadFailed).
Result readWholeFile(const std::string& path, std::string& bytes,
                     std::size_t maxBytes = 4 * 1024 * 1024);

bool fileExists(const std::string& path);

// Replaces `path` with `bytes` atomically: a temporary file in the same folder
// is written, flushed to disk and renamed over the old one. On any failure the
// temporary file is removed and the old file is left as it was. An existing
// file keeps its permissions; a read-only one (no write permission bit) is not
// replaced. A symbolic link is followed and stays a link.
Result writeFileAtomically(const std::string& path, std::string_view bytes);

// The system calls the atomic writer uses, replaceable in tests to inject
// failures (a full disk, a refused rename).
struct FileSystemOps {
    int (*open)(const char* path, int flags, unsigned mode);
    long (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
};

const FileSystemOps& realFileSystemOps();
// Installs `ops` until the returned guard is destroyed (tests only).
class ScopedFileSystemOps {
  public:
    explicit ScopedFileSystemOps(const FileSystemOps& ops);
    ~ScopedFileSystemOps();
    ScopedFileSystemOps(const ScopedFileSystemOps&) = delete;
    ScopedFileSystemOps& operator=(const ScopedFileSystemOps&) = delete;

  private:
    const FileSystemOps* previous_;
};
