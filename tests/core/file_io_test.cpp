#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "files/FileIo.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class FileIoTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return tmp_.path(name); }
    void put(const std::string& name, const std::string& bytes) const { tmp_.put(name, bytes); }
    std::string get(const std::string& name) const { return tmp_.get(name); }
    std::set<std::string> entries() const { return tmp_.entries(); }

    TempFolder tmp_{"tanahuda-io"};
    const fs::path& dir_ = tmp_.dir();
};

TEST_F(FileIoTest, ReadsAWholeFile) {
    const std::string bytes("\"\x92\x49\x8E\x44\"\r\n\0\xFF", 10);
    put("a.csv", bytes);
    std::string read = "old";
    EXPECT_TRUE(readWholeFile(path("a.csv"), read).ok());
    EXPECT_EQ(read, bytes);
    put("empty.csv", "");
    EXPECT_TRUE(readWholeFile(path("empty.csv"), read).ok());
    EXPECT_EQ(read, "");
}

TEST_F(FileIoTest, ReadRefusesMissingOversizedAndSpecialFiles) {
    std::string read;
    EXPECT_EQ(readWholeFile(path("none.csv"), read).code, ResultCode::NotFound);

    put("ten.csv", "0123456789");
    EXPECT_TRUE(readWholeFile(path("ten.csv"), read, 10).ok());
    const Result tooLarge = readWholeFile(path("ten.csv"), read, 9);
    EXPECT_EQ(tooLarge.code, ResultCode::ReadFailed);
    EXPECT_EQ(read, "");

    EXPECT_EQ(readWholeFile(dir_.string(), read).code, ResultCode::ReadFailed);

    // A named pipe without a writer would block a plain open for ever.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(path("pipe"), read).code, ResultCode::ReadFailed);
}

TEST_F(FileIoTest, FileExists) {
    EXPECT_FALSE(fileExists(path("data.txt")));
    put("data.txt", "x");
    EXPECT_TRUE(fileExists(path("data.txt")));
}

TEST_F(FileIoTest, WritesANewFileAndReplacesAnOldOne) {
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "first\r\n").ok());
    EXPECT_EQ(get("a.csv"), "first\r\n");
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "second").ok());
    EXPECT_EQ(get("a.csv"), "second");
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "").ok());
    EXPECT_EQ(get("a.csv"), "");
    EXPECT_EQ(entries(), std::set<std::string>{"a.csv"});
}

TEST_F(FileIoTest, KeepsThePermissionsOfTheOldFile) {
    put("a.csv", "old");
    ASSERT_EQ(::chmod(path("a.csv").c_str(), 0640), 0);
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "new").ok());
    struct stat st {};
    ASSERT_EQ(::stat(path("a.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A mode the umask would narrow is kept all the same.
    ASSERT_EQ(::chmod(path("a.csv").c_str(), 0666), 0);
    const mode_t oldMask = ::umask(022);
    const bool written = writeFileAtomically(path("a.csv"), "newer").ok();
    ::umask(oldMask);
    EXPECT_TRUE(written);
    ASSERT_EQ(::stat(path("a.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u);
}

TEST_F(FileIoTest, ReplacesTheFileALinkNamesAndKeepsTheLink) {
    put("real.csv", "old");
    fs::create_symlink(path("real.csv"), path("link.csv"));
    EXPECT_TRUE(writeFileAtomically(path("link.csv"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(path("link.csv")));
    EXPECT_EQ(get("real.csv"), "new");
}

TEST_F(FileIoTest, AMissingFolderIsAWriteFailure) {
    const Result r = writeFileAtomically(path("no/such/folder/a.csv"), "x");
    EXPECT_EQ(r.code, ResultCode::WriteFailed);
    EXPECT_EQ(r.detail, std::strerror(ENOENT));
}

TEST_F(FileIoTest, AReadOnlyFileIsNotReplaced) {
    put("a.csv", "old");
    ASSERT_EQ(::chmod(path("a.csv").c_str(), 0444), 0);
    const Result r = writeFileAtomically(path("a.csv"), "new");
    EXPECT_EQ(r.code, ResultCode::WriteFailed);
    EXPECT_EQ(r.detail, std::strerror(EACCES));
    EXPECT_EQ(get("a.csv"), "old");
    EXPECT_EQ(entries(), std::set<std::string>{"a.csv"});
}

// Folder permissions do not bind the superuser, so as root the write is made
// by a child process that has given its rights up for those of "nobody".
TEST_F(FileIoTest, AReadOnlyFolderIsAWriteFailure) {
    put("a.csv", "old");
    ASSERT_EQ(::chmod(path("a.csv").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(writeFileAtomically(path("a.csv"), "new").code, ResultCode::WriteFailed);
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            const Result r = writeFileAtomically(path("a.csv"), "new");
            ::_exit(r.code == ResultCode::WriteFailed && r.detail == std::strerror(EACCES) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(get("a.csv"), "old");
    EXPECT_EQ(entries(), std::set<std::string>{"a.csv"});
    ::chmod(dir_.c_str(), 0700);
}

// Failures injected into the system calls of the writer.
int failingOpen(const char*, int, unsigned) {
    errno = EACCES;
    return -1;
}
long fullDiskWrite(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}
int writesSoFar = 0;
long writeOneByteThenFail(int fd, const void* data, std::size_t) {
    if (writesSoFar++ == 0)
        return ::write(fd, data, 1);
    errno = ENOSPC;
    return -1;
}
long writeNothing(int, const void*, std::size_t) {
    return 0;
}
long writeOneByte(int fd, const void* data, std::size_t) {
    return ::write(fd, data, 1);
}
int failingFsync(int) {
    errno = EIO;
    return -1;
}
int failingClose(int fd) {
    ::close(fd);
    errno = EIO;
    return -1;
}
int failingRename(const char*, const char*) {
    errno = EXDEV;
    return -1;
}

TEST_F(FileIoTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const FileSystemOps real = realFileSystemOps();
    struct Case {
        const char* name;
        FileSystemOps ops;
        int error;
    };
    FileSystemOps open = real, fullDisk = real, partial = real, nothing = real, fsync = real,
                  close = real, rename = real;
    open.open = failingOpen;
    fullDisk.write = fullDiskWrite;
    partial.write = writeOneByteThenFail;
    nothing.write = writeNothing;
    fsync.fsync = failingFsync;
    close.close = failingClose;
    rename.rename = failingRename;
    const Case cases[] = {
        {"open refused", open, EACCES},
        {"full disk", fullDisk, ENOSPC},
        {"full disk after a byte", partial, ENOSPC},
        {"write makes no progress", nothing, ENOSPC},
        {"flush fails", fsync, EIO},
        {"close fails", close, EIO},
        {"rename fails", rename, EXDEV},
    };
    const std::string old("\"\x92\x49\x8E\x44\"\r\nold contents\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put("a.csv", old);
        writesSoFar = 0;
        Result r;
        {
            ScopedFileSystemOps guard(c.ops);
            r = writeFileAtomically(path("a.csv"), std::string(1000, 'n'));
        }
        EXPECT_EQ(r.code, ResultCode::WriteFailed);
        EXPECT_EQ(r.detail, std::strerror(c.error));
        EXPECT_EQ(get("a.csv"), old);
        EXPECT_EQ(entries(), std::set<std::string>{"a.csv"});
    }
    // The real calls are back once the guard is gone.
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "new").ok());
    EXPECT_EQ(get("a.csv"), "new");
}

TEST_F(FileIoTest, ShortWritesAreContinued) {
    FileSystemOps ops = realFileSystemOps();
    ops.write = writeOneByte;
    ScopedFileSystemOps guard(ops);
    EXPECT_TRUE(writeFileAtomically(path("a.csv"), "several bytes").ok());
    EXPECT_EQ(get("a.csv"), "several bytes");
}

}  // namespace
