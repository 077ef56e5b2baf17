#pragma once
// Scratch folders and whole-file reads and writes for the tests that work on
// real files (saves, loads, atomic replacement).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace lc::test {

// A fresh, empty folder for the running test, removed with all it holds when
// the test ends. Named after the process and the test, so that tests running
// side by side never share one.
struct TempDir {
    std::filesystem::path path;

    TempDir() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("lc_test_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of `name` inside the folder.
    std::string file(std::string_view name) const { return (path / name).string(); }
    // The folder with a trailing separator, for APIs that append a file name.
    std::string folder() const { return path.string() + "/"; }
};

// The whole file; empty when it cannot be read.
inline std::vector<uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Creates or replaces the file with exactly `bytes`.
inline void writeFile(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void writeText(const std::filesystem::path& p, std::string_view text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// While it lives, no file of this process can grow past `bytes` bytes: a write
// beyond fails with EFBIG, as it does on a full disk, so a save is cut short
// part-way through its file.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN); // the failed write reports it, no signal ends the test
        rlimit limit = old_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

} // namespace lc::test
