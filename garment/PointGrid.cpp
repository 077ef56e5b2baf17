#include "garment/PointGrid.h"

namespace lc {

namespace {
uint64_t mix(uint64_t k) {
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    k *= 0xc4ceb9fe1a85ec53ULL;
    k ^= k >> 33;
    return k;
}
} // namespace

void PointGrid::clear() {
    keys_.clear();
    heads_.clear();
    usedSlots_ = 0;
    entries_.clear();
}

void PointGrid::reserve(size_t points) {
    entries_.reserve(points);
    size_t want = 16;
    while (want < points * 2) want *= 2;
    if (want > heads_.size()) {
        std::vector<uint64_t> oldKeys = std::move(keys_);
        std::vector<int32_t> oldHeads = std::move(heads_);
        keys_.assign(want, 0);
        heads_.assign(want, -1);
        for (size_t i = 0; i < oldHeads.size(); ++i) {
            if (oldHeads[i] < 0) continue;
            size_t s = slotOf(oldKeys[i]);
            keys_[s] = oldKeys[i];
            heads_[s] = oldHeads[i];
        }
    }
}

void PointGrid::grow() { reserve(heads_.empty() ? 8 : heads_.size()); }

size_t PointGrid::slotOf(uint64_t key) const {
    const size_t mask = heads_.size() - 1;
    size_t s = mix(key) & mask;
    while (heads_[s] >= 0 && keys_[s] != key) s = (s + 1) & mask;
    return s;
}

int32_t PointGrid::headOf(int32_t cx, int32_t cy) const {
    if (heads_.empty()) return -1;
    return heads_[slotOf(keyOf(cx, cy))];
}

void PointGrid::insert(int32_t x, int32_t y, int32_t index) {
    if ((usedSlots_ + 1) * 2 > heads_.size()) grow();
    const uint64_t key = keyOf(cellOf(x), cellOf(y));
    const size_t s = slotOf(key);
    if (heads_[s] < 0) {
        keys_[s] = key;
        ++usedSlots_;
    } else {
        for (int32_t e = heads_[s]; e >= 0; e = entries_[e].next) {
            if (entries_[e].x == x && entries_[e].y == y) {
                if (index > entries_[e].index) entries_[e].index = index;
                return;
            }
        }
    }
    entries_.push_back(Entry{x, y, index, heads_[s]});
    heads_[s] = static_cast<int32_t>(entries_.size() - 1);
}

int32_t PointGrid::nearest(int32_t x, int32_t y) const {
    int32_t best = -1;
    const int32_t cx = cellOf(x), cy = cellOf(y);
    for (int32_t i = -1; i <= 1; ++i) {
        for (int32_t j = -1; j <= 1; ++j) {
            // Cell numbers stay within +-2^29, so the neighbours never overflow.
            for (int32_t e = headOf(cx + i, cy + j); e >= 0; e = entries_[e].next) {
                const Entry& en = entries_[e];
                const int64_t dx = static_cast<int64_t>(en.x) - x;
                const int64_t dy = static_cast<int64_t>(en.y) - y;
                if (dx > 5 || dx < -5 || dy > 5 || dy < -5) continue;
                if (dx * dx + dy * dy < 25 && en.index > best) best = en.index;
            }
        }
    }
    return best;
}

int32_t PointGrid::exact(int32_t x, int32_t y) const {
    for (int32_t e = headOf(cellOf(x), cellOf(y)); e >= 0; e = entries_[e].next)
        if (entries_[e].x == x && entries_[e].y == y) return entries_[e].index;
    return -1;
}

} // namespace lc
