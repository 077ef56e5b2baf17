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

void WriteFileAtomic(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    const std::string op = "Cannot write";
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::string tmpl = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) throw IoError(target.string(), op, std::strerror(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
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
    // Keep the permissions an existing file had; a new one gets the usual 0644.
    struct stat st {};
    mode_t mode = (::stat(target.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmpl.c_str());
        throw IoError(target.string(), op, std::strerror(e));
    }
    if (::rename(tmpl.c_str(), target.c_str()) != 0) {
        int e = errno;
        ::unlink(tmpl.c_str());
        throw IoError(target.string(), op, std::strerror(e));
    }
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
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
