#pragma once
// A uniform grid of 5 mm cells over the points of an outline. Each cell keeps
// its distinct coordinates with the highest point index standing there, so a
// snap or exact-position query looks at the 3 x 3 neighbouring cells and at
// most 25 coordinates per cell, whatever the number of points. Adding, loading
// and pasting n points is then linear instead of quadratic.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lc {

class PointGrid {
public:
    static constexpr int32_t kCell = 5;

    void clear();
    void reserve(size_t points);
    // Records point `index` at (x, y). Indexes need not arrive in order: the
    // highest index per coordinate is kept.
    void insert(int32_t x, int32_t y, int32_t index);
    // The highest index of a point whose squared distance to (x, y) is below 25, or -1.
    int32_t nearest(int32_t x, int32_t y) const;
    // The highest index of a point exactly at (x, y), or -1.
    int32_t exact(int32_t x, int32_t y) const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        int32_t x, y;
        int32_t index;
        int32_t next; // next entry of the same cell, -1 at the end
    };
    static int32_t cellOf(int32_t v) {
        // Floor division, so cells do not straddle zero.
        return v >= 0 ? v / kCell : -((-(static_cast<int64_t>(v)) + kCell - 1) / kCell);
    }
    static uint64_t keyOf(int32_t cx, int32_t cy) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
    }
    size_t slotOf(uint64_t key) const;
    int32_t headOf(int32_t cx, int32_t cy) const;
    void grow();

    std::vector<uint64_t> keys_;
    std::vector<int32_t> heads_; // -1 = free slot
    size_t usedSlots_ = 0;
    std::vector<Entry> entries_;
};

} // namespace lc
