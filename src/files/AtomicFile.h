#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/Result.h"

// The one way the program writes a file (label files, the settings file, PDFs
// and preview pictures alike), so that the old file is either replaced whole
// or left byte for byte as it was:
//
// - the new contents go to a temporary file in the target's own folder, named
//   ".tanahuda-PID-N.tmp" (short, so a long target name still fits);
// - every write, the flush to the disk and the close are checked, the file is
//   renamed over the target and the folder is flushed too;
// - an existing target keeps its mode and owner; a symbolic link is written
//   through to the file it names and stays a link;
// - a read-only target, a folder, a device, a named pipe or a socket is
//   refused, and so is a target that is the same file as one of the inputs;
// - on any failure the temporary file is removed; one left behind by a killed
//   process is removed by the next write into that folder.
//
// The steps are the same on every system (AtomicFile.cpp); the system calls
// are each system's own (AtomicFilePosix.cpp, AtomicFileWindows.cpp).

// What the new file keeps of the one it replaces: its mode and owner on
// POSIX, its hidden and system marks on Windows (in `mode`).
struct KeptAttributes {
    bool exists = false;
    unsigned mode = 0;
    unsigned owner = 0;
    unsigned group = 0;
};

class AtomicFile {
  public:
    AtomicFile() = default;
    // Abandons the file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary file. `inputs` are the files
    // the output is made from; none of them may be the target.
    Result begin(const std::string& path, const std::vector<std::string>& inputs = {});

    // The temporary file, for a writer that opens files by name (Qt's PDF
    // engine): it writes there, then commit() checks what it wrote.
    const std::string& temporaryPath() const { return temporary_; }

    Result write(std::string_view bytes);

    // Puts the file in place. When `mustEndWith` is given, the file must be
    // non-empty and end with it (line ends and blanks after it allowed): a
    // writer that reports no errors of its own is checked this way.
    Result commit(std::string_view mustEndWith = {});

    // After another writer failed on the temporary file without a reason:
    // WriteFailed with the reason found (its folder removed, the disk full),
    // else with EIO, as a failure in the middle of writing.
    Result whyNotWritten() const;

    // Removes the temporary file; the target stays as it was.
    void abandon();

  private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int slot_ = -1;  // in the list of temporary files removed on a signal
    KeptAttributes kept_;
};

// Replaces `path` with `bytes` through an AtomicFile.
Result writeFileAtomically(const std::string& path, std::string_view bytes,
                           const std::vector<std::string>& inputs = {});

// Removes every temporary file this process is writing. Safe to call from a
// signal handler: the tool calls it on Ctrl-C, SIGTERM and SIGHUP.
void removeTemporaryFilesNow();

// The system calls the writer uses, replaceable in tests to inject failures
// (a full disk, a refused rename).
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
