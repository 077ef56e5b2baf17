// The galleries' own handling of what a library file holds: names that become
// preview paths, and patterns unpacked into the raster's backup. Whatever the
// bytes, a preview path stays two plain names inside "<galleries>/preview/",
// and an unpacked pattern stays inside the raster.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/PatternRaster.h"
#include "shell/GalleryBlock.h"
#include "shell/GalleryNames.h"

namespace {

void checkPart(std::string_view part) {
    if (part.empty() || part == "." || part == ".." || part.find('/') != std::string_view::npos ||
        part.find('\\') != std::string_view::npos || part.front() == '.')
        std::abort();
    for (unsigned char c : part)
        if (c < 0x20) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    // Two names split at the first zero byte of the first half, then a pattern.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    const std::string_view names = all.substr(0, half);
    const std::size_t cut = names.find('\0');
    const std::string_view library = names.substr(0, cut);
    const std::string_view pattern = cut == std::string_view::npos ? std::string_view() : names.substr(cut + 1);
    const std::string path = lc::PreviewPath("/g", library, pattern);
    const std::string_view prefix = "/g/preview/";
    if (path.compare(0, prefix.size(), prefix) != 0) std::abort();
    const std::string_view rest = std::string_view(path).substr(prefix.size());
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) std::abort();
    checkPart(rest.substr(0, slash));
    checkPart(rest.substr(slash + 1));

    const std::uint8_t* p = data + half;
    const std::size_t n = size - half;
    if (n < 4) return 0;
    const int w = p[0] | (p[1] << 8), h = p[2] | (p[3] << 8);
    lc::PatternRaster raster;
    raster.SetSize(150, 64);
    const lc::CellRect r = lc::UnpackIntoBackup(raster, w, h, {p + 4, n - 4});
    if (r.Left != 0 || r.Top != 0 || r.Right > 150 || r.Bottom > 64 || r.Right < 0 || r.Bottom < 0) std::abort();
    // Packing the block back gives the same size, lowest line first.
    const lc::PackedBlock back = lc::PackBackupBlock(raster, r);
    if (!r.isEmpty() && (back.Width != r.width() || back.Height != r.height())) std::abort();
    return 0;
}
