#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
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

// The file a save writes: a symbolic link is followed to its target (the link
// itself stays), a chain of them too, up to a bound.
std::filesystem::path resolveLinks(const std::filesystem::path& target) {
    std::filesystem::path p = target;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec) throw IoError(target.string(), "Cannot write", ec.message());
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    throw IoError(target.string(), "Cannot write", std::strerror(ELOOP));
}

// Makes the rename itself durable: the folder's entry is on disk.
void syncFolder(const std::filesystem::path& dir, const std::filesystem::path& target) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // a folder we may write into but not open: nothing more to do
    const int r = ::fsync(fd);
    const int e = errno;
    ::close(fd);
    // Some file systems cannot sync a folder (EINVAL); that is no failure of the save.
    if (r != 0 && e != EINVAL && e != EROFS) throw IoError(target.string(), "Cannot write", std::strerror(e));
}

} // namespace

std::filesystem::path AtomicTemporaryPath(const std::filesystem::path& file) {
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    return dir / ("." + file.filename().string() + ".saving");
}

void WriteFileAtomic(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    const std::string op = "Cannot write";
    const std::filesystem::path file = resolveLinks(target);
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    // One temporary name per file: a save that was killed left it behind, and
    // this save removes it before it starts.
    const std::filesystem::path tmp = AtomicTemporaryPath(file);
    ::unlink(tmp.c_str());
    // An existing file keeps its mode; a new one gets what the umask gives.
    struct stat st {};
    const bool exists = ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) throw IoError(target.string(), op, std::strerror(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw IoError(target.string(), op, std::strerror(err));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t chunk = bytes.size() - done;
        ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (exists && ::fchmod(fd, st.st_mode & 07777) != 0) fail(errno);
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        throw IoError(target.string(), op, std::strerror(e));
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        throw IoError(target.string(), op, std::strerror(e));
    }
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
