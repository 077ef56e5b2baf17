#pragma once
// An 8-bit palette-indexed bitmap: width x height bytes, lines padded to a
// multiple of 4 so the UI can show it zero-copy as an Indexed8 image.
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lc {

using Palette256 = std::array<uint32_t, 256>; // 0x00BBGGRR per entry

class IndexedBitmap {
public:
    IndexedBitmap() = default;
    IndexedBitmap(int width, int height, uint8_t fillValue = 0) { resize(width, height, fillValue); }

    // Reallocates to the new size; every cell takes fillValue.
    void resize(int width, int height, uint8_t fillValue = 0) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        stride_ = (width_ + 3) & ~3;
        data_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(height_), fillValue);
    }
    void fill(uint8_t v) { std::memset(data_.data(), v, data_.size()); }

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    uint8_t* line(int y) { return data_.data() + static_cast<size_t>(y) * stride_; }
    const uint8_t* line(int y) const { return data_.data() + static_cast<size_t>(y) * stride_; }
    uint8_t* data() { return data_.data(); }
    const uint8_t* data() const { return data_.data(); }
    size_t sizeBytes() const { return data_.size(); }

    // Bounds-checked cell access: reads outside give `outside`, writes outside are dropped.
    uint8_t at(int x, int y, uint8_t outside = 0) const { return contains(x, y) ? line(y)[x] : outside; }
    void set(int x, int y, uint8_t v) {
        if (contains(x, y)) line(y)[x] = v;
    }

    Palette256& palette() { return palette_; }
    const Palette256& palette() const { return palette_; }

    // Bumped by every operation that changes cells in bulk, so views and caches
    // know when to rebuild. Cell writers that go through line() bump it themselves.
    uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<uint8_t> data_;
    Palette256 palette_{};
    uint64_t revision_ = 0;
};

} // namespace lc
