#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "files/AtomicFile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return tmp_.path(name); }
    void put(const std::string& name, const std::string& bytes) const { tmp_.put(name, bytes); }
    std::string get(const std::string& name) const { return tmp_.get(name); }
    std::set<std::string> entries() const { return tmp_.entries(); }

    TempFolder tmp_{"tanahuda-atomic"};
};

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// The id of a process that has ended.
pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST_F(AtomicFileTest, ANewFileFollowsTheUmaskAnOldOneKeepsItsModeAndOwner) {
    const mode_t old = ::umask(027);
    EXPECT_TRUE(writeFileAtomically(path("new.csv"), "new").ok());
    ::umask(old);
    EXPECT_EQ(statOf(path("new.csv")).st_mode & 07777, 0640u);

    put("old.csv", "old");
    ASSERT_EQ(::chmod(path("old.csv").c_str(), 0604), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path("old.csv").c_str(), 65534, 65534), 0);
    }
    const struct stat before = statOf(path("old.csv"));
    ASSERT_TRUE(writeFileAtomically(path("old.csv"), "replaced").ok());
    const struct stat after = statOf(path("old.csv"));
    EXPECT_EQ(get("old.csv"), "replaced");
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not written in place
    EXPECT_EQ(after.st_mode & 07777, 0604u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST_F(AtomicFileTest, LinksAreWrittenThroughAndStayLinks) {
    ASSERT_EQ(::mkdir(path("real").c_str(), 0700), 0);
    put("real/target.pdf", "old");
    ASSERT_EQ(::symlink("real/target.pdf", path("link.pdf").c_str()), 0);
    ASSERT_EQ(::symlink("link.pdf", path("link2.pdf").c_str()), 0);  // a chain
    ASSERT_EQ(::symlink("real/later.pdf", path("dangling.pdf").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(path("link2.pdf"), "new").ok());
    ASSERT_TRUE(writeFileAtomically(path("dangling.pdf"), "made").ok());
    EXPECT_TRUE(S_ISLNK(statOf(path("link.pdf")).st_mode));
    EXPECT_TRUE(S_ISLNK(statOf(path("link2.pdf")).st_mode));
    EXPECT_TRUE(S_ISLNK(statOf(path("dangling.pdf")).st_mode));
    EXPECT_EQ(get("real/target.pdf"), "new");
    EXPECT_EQ(get("real/later.pdf"), "made");
    // The temporary file was made beside the target, not beside the link.
    EXPECT_EQ(entries(), (std::set<std::string>{"real", "link.pdf", "link2.pdf", "dangling.pdf"}));
}

// Whatever is not a regular file the user may write stays as it is.
TEST_F(AtomicFileTest, FoldersDevicesPipesSocketsAndReadOnlyFilesAreRefused) {
    ASSERT_EQ(::mkdir(path("folder").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = path("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    put("readonly.pdf", "keep");
    ASSERT_EQ(::chmod(path("readonly.pdf").c_str(), 0444), 0);
    ASSERT_EQ(::symlink("/proc/self/fd/1", path("stdout-link").c_str()), 0);
    std::set<std::string> names = {"folder", "fifo", "socket", "readonly.pdf", "stdout-link"};
    struct Case {
        std::string name;
        ResultCode code;
    };
    std::vector<Case> cases = {{"folder", ResultCode::IsFolder},
                               {"fifo", ResultCode::NotRegularFile},
                               {"socket", ResultCode::NotRegularFile},
                               {"readonly.pdf", ResultCode::WriteFailed}};
    // A device node, as the superuser can make one (the system's /dev/null twin).
    if (::geteuid() == 0 && ::mknod(path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        cases.push_back({"null", ResultCode::NotRegularFile});
        names.insert("null");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const struct stat before = statOf(path(c.name));
        EXPECT_EQ(writeFileAtomically(path(c.name), "x").code, c.code);
        const struct stat after = statOf(path(c.name));
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
    // Standard output through /proc is refused like the pipe or terminal it is
    // (were it a file, the file would be written through).
    struct stat out {};
    if (::fstat(1, &out) == 0 && !S_ISREG(out.st_mode)) {
        EXPECT_EQ(writeFileAtomically(path("stdout-link"), "x").code, ResultCode::NotRegularFile);
    }
    EXPECT_EQ(get("readonly.pdf"), "keep");
    EXPECT_EQ(entries(), names);
    ::close(sock);
}

TEST_F(AtomicFileTest, TheOutputMayNotBeAnyOfTheInputs) {
    put("list.csv", "a,b,c\n");
    ASSERT_EQ(::link(path("list.csv").c_str(), path("hard.csv").c_str()), 0);
    ASSERT_EQ(::symlink("list.csv", path("soft.csv").c_str()), 0);
    put("other.csv", "other");
    const std::vector<std::string> inputs = {path("layout.txt"), path("list.csv")};
    for (const char* name : {"list.csv", "hard.csv", "soft.csv"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(writeFileAtomically(path(name), "%PDF", inputs).code, ResultCode::SameAsInput);
    }
    EXPECT_EQ(get("list.csv"), "a,b,c\n");
    EXPECT_TRUE(writeFileAtomically(path("other.csv"), "%PDF", inputs).ok());
    EXPECT_EQ(entries(), (std::set<std::string>{"list.csv", "hard.csv", "soft.csv", "other.csv"}));
}

// The temporary name is short, so a name at the file system's limit still works.
TEST_F(AtomicFileTest, ANameAtTheLengthLimitCanBeWritten) {
    const std::string longName(255 - 4, 'n');
    EXPECT_TRUE(writeFileAtomically(path(longName + ".pdf"), "x").ok());
    EXPECT_TRUE(writeFileAtomically(path(longName + ".pdf"), "y").ok());
    EXPECT_EQ(get(longName + ".pdf"), "y");
}

TEST_F(AtomicFileTest, TemporaryFilesOfEndedProcessesAreRemovedByTheNextWrite) {
    const std::string dead = std::to_string(deadProcess());
    const std::string self = std::to_string(::getpid());
    const std::set<std::string> kept = {
        ".tanahuda-1-0.tmp",                 // init never ends
        ".tanahuda-" + self + "-999.tmp",    // this process's own
        ".tanahuda-x-0.tmp",                 // not the pattern
        ".tanahuda-" + dead + "-0.tmp.bak",  // not the pattern
        "tanahuda-" + dead + "-0.tmp",       // not the pattern
    };
    for (const std::string& name : kept)
        put(name, "keep");
    put(".tanahuda-" + dead + "-0.tmp", "stale");
    put(".tanahuda-" + dead + "-17.tmp", "stale");
    ASSERT_TRUE(writeFileAtomically(path("out.pdf"), "x").ok());
    std::set<std::string> expected = kept;
    expected.insert("out.pdf");
    EXPECT_EQ(entries(), expected);
}

TEST_F(AtomicFileTest, AnotherWritersFileIsCheckedForItsEndBeforeItReplacesTheOldOne) {
    put("out.pdf", "%PDF-1.4 old\n%%EOF\n");
    const struct {
        const char* name;
        std::string written;
        bool ok;
    } cases[] = {
        {"complete", "%PDF-1.4 new\n%%EOF\n", true},
        {"complete, CR LF after", "%PDF-1.4 new\n%%EOF\r\n", true},
        {"cut short", "%PDF-1.4 new\n1 0 obj", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = get("out.pdf");
        AtomicFile file;
        ASSERT_TRUE(file.begin(path("out.pdf")).ok());
        const std::string temporary = file.temporaryPath();
        EXPECT_EQ(fs::path(temporary).parent_path(), tmp_.dir());
        EXPECT_LE(fs::path(temporary).filename().string().size(), 30u);
        std::ofstream(temporary, std::ios::binary | std::ios::trunc) << c.written;
        const Result r = file.commit("%%EOF");
        EXPECT_EQ(r.ok(), c.ok);
        EXPECT_EQ(get("out.pdf"), c.ok ? c.written : before);
        if (!c.ok) {
            EXPECT_EQ(r.code, ResultCode::Incomplete);
        }
        EXPECT_EQ(entries(), std::set<std::string>{"out.pdf"});
    }
}

TEST_F(AtomicFileTest, AnAbandonedOrInterruptedFileLeavesNothing) {
    put("out.pdf", "old");
    {
        AtomicFile file;
        ASSERT_TRUE(file.begin(path("out.pdf")).ok());
        ASSERT_TRUE(file.write("half").ok());
        EXPECT_EQ(entries().size(), 2u);
    }  // destroyed without commit
    EXPECT_EQ(entries(), std::set<std::string>{"out.pdf"});

    AtomicFile file;
    ASSERT_TRUE(file.begin(path("out.pdf")).ok());
    ASSERT_TRUE(file.write("half").ok());
    removeTemporaryFilesNow();  // what the signal handler does
    EXPECT_EQ(entries(), std::set<std::string>{"out.pdf"});
    EXPECT_EQ(get("out.pdf"), "old");
}

}  // namespace
