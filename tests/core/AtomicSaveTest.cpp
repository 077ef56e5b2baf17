// What a save leaves on disk beyond the bytes: no stale temporaries, the
// file's mode and symbolic links kept, the folder flushed after the rename,
// and a clear word when a folder is opened as a file.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/ModelFile.h"

using namespace lc;
using namespace lc::test;
namespace fs = std::filesystem;

namespace {

// Every fsync of this test program: the path synced, and for a folder the
// names it held at that moment.
struct SyncRecord {
    std::string path;
    bool folder = false;
    std::vector<std::string> names;
};
std::vector<SyncRecord>* g_syncs = nullptr;

// In a save's child process: the first fsync (the temporary's, its bytes all
// written and not yet renamed) says so on `ready` and waits for a byte on `go`.
struct PausePipes {
    int ready = -1;
    int go = -1;
};
PausePipes g_pause;

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

} // namespace

// Watches the saves' fsync calls (this definition is the program's fsync) and
// passes each on to the C library's.
extern "C" int fsync(int fd) {
    using Fn = int (*)(int);
    static Fn real = reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, "fsync"));
    if (g_pause.ready >= 0) {
        char c = 'p';
        const PausePipes p = g_pause;
        g_pause = {};
        if (::write(p.ready, &c, 1) != 1 || ::read(p.go, &c, 1) != 1) ::_exit(3);
    }
    if (g_syncs) {
        char link[64];
        char buf[PATH_MAX];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t n = ::readlink(link, buf, sizeof buf - 1);
        SyncRecord r;
        r.path = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
        struct stat st {};
        r.folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
        if (r.folder) r.names = namesIn(r.path);
        g_syncs->push_back(r);
    }
    return real ? real(fd) : 0;
}

namespace {

// A save of `bytes` in a child process that stops once its bytes are written,
// before it renames them into place, until finish() lets it go on.
class PausedSave {
public:
    PausedSave(const fs::path& target, const std::string& bytes) {
        int ready[2], go[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(go), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            g_pause = {ready[1], go[0]};
            try {
                WriteFileAtomic(target, bytes);
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(go[0]);
        go_ = go[1];
        char c = 0;
        paused_ = ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
    }
    bool paused() const { return paused_; }
    // Lets the save finish; true when it reported success.
    bool finish() {
        const char c = 'g';
        EXPECT_EQ(::write(go_, &c, 1), 1);
        ::close(go_);
        int status = 0;
        EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
    int go_ = -1;
    bool paused_ = false;
};

// A save killed by the file size limit once `limit` bytes of its temporary are written.
void killedSave(const fs::path& target, const std::string& bytes, rlim_t limit) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit l{};
        ::getrlimit(RLIMIT_FSIZE, &l);
        l.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &l);
        try {
            WriteFileAtomic(target, bytes);
        } catch (...) {}
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was to be killed";
}

} // namespace

TEST(AtomicSave, AKilledSaveLeavesATemporaryThatTheNextSaveRemoves) {
    TempDir dir;
    const fs::path target = dir.path / "model.lcm";
    WriteFileAtomic(target, std::string_view("old contents"));
    // Killed mid-write, twice in a row: one temporary is left, not two.
    for (int kill = 0; kill < 2; ++kill) {
        killedSave(target, std::string(100000, 'k'), 100);
        ASSERT_EQ(namesIn(dir.path).size(), 2u) << "the killed save's temporary";
        EXPECT_EQ(readText(target), "old contents");
    }
    WriteFileAtomic(target, std::string_view("new contents"));
    EXPECT_EQ(namesIn(dir.path), std::vector<std::string>{"model.lcm"});
    EXPECT_EQ(readText(target), "new contents");
}

// Two windows closing at once both save the autosave. Each save that reports
// success had its own whole bytes in place; no reader ever finds a part.
TEST(AtomicSave, TwoSavesOfOneFileAtOnceNeverMixTheirBytes) {
    TempDir dir;
    const fs::path target = dir.path / "autosave.lc";
    WriteFileAtomic(target, std::string_view("old contents"));
    const std::string a(200, 'a'), b(300, 'b');

    // A stops before its rename; B starts and is killed after 50 bytes.
    {
        PausedSave saveA(target, a);
        ASSERT_TRUE(saveA.paused());
        killedSave(target, b, 50);
        EXPECT_EQ(readText(target), "old contents");
        EXPECT_TRUE(saveA.finish());
        EXPECT_EQ(readText(target), a);
        // Only the killed save's temporary is left, and the next save removes it.
        EXPECT_EQ(namesIn(dir.path).size(), 2u);
        WriteFileAtomic(target, std::string_view("old contents"));
        EXPECT_EQ(namesIn(dir.path), std::vector<std::string>{"autosave.lc"});
    }

    // Both stop before their renames and then finish one after the other.
    PausedSave saveA(target, a);
    ASSERT_TRUE(saveA.paused());
    PausedSave saveB(target, b);
    ASSERT_TRUE(saveB.paused());
    EXPECT_EQ(readText(target), "old contents");
    const bool aDone = saveA.finish();
    EXPECT_EQ(readText(target), aDone ? a : "old contents");
    const bool bDone = saveB.finish();
    EXPECT_TRUE(aDone || bDone);
    EXPECT_EQ(readText(target), bDone ? b : a);
    EXPECT_EQ(namesIn(dir.path), std::vector<std::string>{"autosave.lc"});
}

TEST(AtomicSave, ModesAndSymbolicLinksAreKept) {
    TempDir dir;
    // A new file follows the umask; an existing one keeps its mode.
    const mode_t oldMask = ::umask(027);
    const fs::path fresh = dir.path / "fresh.lcw";
    WriteFileAtomic(fresh, std::string_view("a"));
    EXPECT_EQ(modeOf(fresh), 0640u);
    ::umask(0);
    ASSERT_EQ(::chmod(fresh.c_str(), 0600), 0);
    WriteFileAtomic(fresh, std::string_view("b"));
    EXPECT_EQ(modeOf(fresh), 0600u);
    ::umask(oldMask);

    // A save through a link (relative, and a link to that link) writes the
    // file it points to; the links stay links.
    fs::create_directories(dir.path / "real");
    const fs::path real = dir.path / "real" / "pattern.lcl";
    WriteFileAtomic(real, std::string_view("first"));
    ASSERT_EQ(::chmod(real.c_str(), 0604), 0);
    fs::create_symlink("real/pattern.lcl", dir.path / "link.lcl");
    fs::create_symlink(dir.path / "link.lcl", dir.path / "link2.lcl");
    WriteFileAtomic(dir.path / "link.lcl", std::string_view("second"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.lcl"));
    EXPECT_EQ(readText(real), "second");
    WriteFileAtomic(dir.path / "link2.lcl", std::string_view("third"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link2.lcl"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.lcl"));
    EXPECT_EQ(readText(real), "third");
    EXPECT_EQ(modeOf(real), 0604u);
    EXPECT_EQ(namesIn(dir.path / "real"), std::vector<std::string>{"pattern.lcl"});
}

TEST(AtomicSave, TheFolderIsSyncedAfterTheRename) {
    TempDir dir;
    const fs::path target = dir.path / "autosave.lc";
    std::vector<SyncRecord> syncs;
    g_syncs = &syncs;
    WriteFileAtomic(target, std::string_view("state"));
    g_syncs = nullptr;
    ASSERT_EQ(syncs.size(), 2u);
    EXPECT_FALSE(syncs[0].folder); // the data, before the rename
    EXPECT_TRUE(syncs[1].folder);
    EXPECT_EQ(fs::path(syncs[1].path), fs::canonical(dir.path));
    EXPECT_EQ(syncs[1].names, std::vector<std::string>{"autosave.lc"}); // the rename done, no temporary
}

TEST(AtomicSave, AFolderOpenedAsAFileIsSaidToBeNoFile) {
    TempDir dir;
    fs::create_directories(dir.path / "Models.lcm");
    try {
        ReadWholeFile(dir.path / "Models.lcm");
        FAIL() << "a folder was read";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("not a file"), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    ModelFile model;
    EXPECT_THROW(model.LoadFromFile((dir.path / "Models.lcm").string()), IoError);
}
