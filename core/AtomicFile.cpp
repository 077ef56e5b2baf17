#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "core/Errors.h"

namespace lc {

namespace {
bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

namespace {

constexpr const char* kCannotWrite = "Cannot write";

// The file a save writes: a symbolic link is followed to its target (the link
// itself stays), a chain of them too, up to a bound.
std::filesystem::path resolveLinks(const std::filesystem::path& target) {
    std::filesystem::path p = target;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec) throw IoError(target.string(), kCannotWrite, ec.message());
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    throw IoError(target.string(), kCannotWrite, std::strerror(ELOOP));
}

// Makes the rename itself durable: the folder's entry is on disk.
void syncFolder(const std::filesystem::path& dir, const std::filesystem::path& target) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // a folder we may write into but not open: nothing more to do
    const int r = ::fsync(fd);
    const int e = errno;
    ::close(fd);
    // Some file systems cannot sync a folder (EINVAL); that is no failure of the save.
    if (r != 0 && e != EINVAL && e != EROFS) throw IoError(target.string(), kCannotWrite, std::strerror(e));
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Every temporary of a save of `file` is named so, plus "." and a random tag.
std::string temporaryPrefix(const std::filesystem::path& file) { return "." + file.filename().string() + ".saving"; }

uint64_t randomTag() {
    uint64_t v = 0;
    if (::getrandom(&v, sizeof v, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof v)) return v;
    // Too early in boot for random bytes: the process and the clock set the
    // tag apart, and the exclusive creation settles any clash.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return (static_cast<uint64_t>(::getpid()) << 32) ^ static_cast<uint64_t>(now);
}

// This save's temporary, created exclusively and locked while the save lives:
// `fd` is written and closed before the rename, `lockFd` (the same open file)
// keeps the lock until the rename is done.
struct Temporary {
    std::filesystem::path path;
    int fd = -1;
    int lockFd = -1;
};

Temporary createTemporary(const std::filesystem::path& dir, const std::string& prefix,
                          const std::filesystem::path& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        char tag[20];
        std::snprintf(tag, sizeof tag, ".%016llx", static_cast<unsigned long long>(randomTag()));
        Temporary t;
        t.path = dir / (prefix + tag);
        t.fd = ::open(t.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (t.fd < 0) {
            if (errno == EEXIST) continue;
            throw IoError(target.string(), kCannotWrite, std::strerror(errno));
        }
        // A file system without locks leaves the temporary unlocked; other
        // saves cannot lock it either and so leave it alone.
        while (::flock(t.fd, LOCK_EX) != 0 && errno == EINTR) {}
        // Another save may have taken the new, not yet locked file for a stale
        // one and removed it: then its name is no longer this save's.
        struct stat byFd {}, byName {};
        if (::fstat(t.fd, &byFd) == 0 && ::lstat(t.path.c_str(), &byName) == 0 && sameFile(byFd, byName)) {
            t.lockFd = ::fcntl(t.fd, F_DUPFD_CLOEXEC, 0);
            if (t.lockFd >= 0) return t;
            const int e = errno;
            ::unlink(t.path.c_str());
            ::close(t.fd);
            throw IoError(target.string(), kCannotWrite, std::strerror(e));
        }
        ::close(t.fd);
    }
    throw IoError(target.string(), kCannotWrite, "no temporary file could be made beside it");
}

// Removes the temporaries of saves of the file that were killed (or failed
// without cleaning up): those whose lock no live save holds. `own` is skipped.
void removeStaleTemporaries(const std::filesystem::path& dir, const std::string& prefix,
                            const std::filesystem::path& own) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) return;
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        // Ours are prefix + "." + tag; the bare prefix is the name saves once used.
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (name.size() != prefix.size() && name[prefix.size()] != '.') continue;
        if (entry.path() == own) continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat byFd {}, byName {};
        if (::fstat(fd, &byFd) == 0 && S_ISREG(byFd.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(entry.path().c_str(), &byName) == 0 && sameFile(byFd, byName))
            ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

} // namespace

void WriteFileAtomic(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    const std::filesystem::path file = resolveLinks(target);
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    const std::string prefix = temporaryPrefix(file);
    // An existing file keeps its mode; a new one gets what the umask gives.
    struct stat st {};
    const bool exists = ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    Temporary tmp = createTemporary(dir, prefix, target);
    removeStaleTemporaries(dir, prefix, tmp.path);
    auto fail = [&](int err) {
        if (tmp.fd >= 0) ::close(tmp.fd);
        ::unlink(tmp.path.c_str());
        ::close(tmp.lockFd);
        throw IoError(target.string(), kCannotWrite, std::strerror(err));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t chunk = bytes.size() - done;
        ssize_t n = ::write(tmp.fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (exists && ::fchmod(tmp.fd, st.st_mode & 07777) != 0) fail(errno);
    if (::fsync(tmp.fd) != 0) fail(errno);
    const int closed = ::close(tmp.fd);
    tmp.fd = -1;
    if (closed != 0) fail(errno);
    // Still locked here, so no other save takes the temporary for a stale one.
    if (::rename(tmp.path.c_str(), file.c_str()) != 0) fail(errno);
    ::close(tmp.lockFd);
    syncFolder(dir, target);
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
    // A folder (or a device) opens like a file here but is none: say so.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw IoError(path.string(), "Cannot open",
                      S_ISDIR(st.st_mode) ? "it is a folder, not a file" : "it is not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw IoError(path.string(), "Cannot open", std::strerror(errno));
    in.seekg(0, std::ios::end);
    const std::streamoff len = in.tellg();
    if (len < 0) throw IoError(path.string(), "Cannot read");
    if (static_cast<uint64_t>(len) > maxBytes) throw FormatError("file is too large: " + path.string());
    in.seekg(0);
    std::vector<uint8_t> data(static_cast<size_t>(len));
    if (len > 0 && !in.read(reinterpret_cast<char*>(data.data()), len)) throw IoError(path.string(), "Cannot read");
    return data;
}

std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder, std::string_view name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / std::string(name), ec)) return folder / std::string(name);
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        if (equalsNoCase(e.path().filename().string(), name)) return e.path();
    }
    return std::nullopt;
}

bool HasExtensionNoCase(const std::filesystem::path& path, std::string_view ext) {
    return equalsNoCase(path.extension().string(), ext);
}

} // namespace lc
