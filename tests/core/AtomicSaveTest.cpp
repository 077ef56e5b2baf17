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

TEST(AtomicSave, AKilledSaveLeavesATemporaryThatTheNextSaveRemoves) {
    TempDir dir;
    const fs::path target = dir.path / "model.lcm";
    WriteFileAtomic(target, std::string_view("old contents"));
    // A save killed mid-write: the file size limit's signal ends the process
    // in the middle of writing its temporary.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomic(target, std::string(100000, 'k'));
        } catch (...) {}
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was to be killed";
    ASSERT_EQ(namesIn(dir.path).size(), 2u) << "the killed save's temporary";
    EXPECT_EQ(readText(target), "old contents");

    WriteFileAtomic(target, std::string_view("new contents"));
    EXPECT_EQ(namesIn(dir.path), std::vector<std::string>{"model.lcm"});
    EXPECT_EQ(readText(target), "new contents");
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
