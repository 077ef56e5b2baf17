#include "knitting/ColourSeparation.h"

#include <algorithm>
#include <bit>

#include "core/Machine.h"

namespace lc {

namespace {

const SeparatedRow kZeroRow{};
const RowColors kZeroColors{};

// Removes colours from `m`, highest index first, until it holds n colours.
uint32_t dropHighest(uint32_t m, int n) {
    for (int k = 15; k >= 0; --k) {
        if (CountColors(m) == n) break;
        m &= ~ColorBits[k];
    }
    return m;
}

// The garment-mask line of design row r, read the way IsMaskCellSet(x, Height-1-r)
// reads it; nullptr when the whole row lies outside.
const uint8_t* maskLineOfRow(const PatternRaster& g, int r) {
    const int line = g.Height - 1 - r;
    const int mh = g.Mask.height();
    if (line < 0 || line >= mh || g.Mask.width() <= 0) return nullptr;
    return g.Mask.line(mh - 1 - line);
}

} // namespace

int LowestColor(uint32_t mask) {
    mask &= 0xFFFF;
    return mask ? std::countl_zero(static_cast<uint16_t>(mask)) : -1;
}

int HighestColor(uint32_t mask) {
    mask &= 0xFFFF;
    return mask ? 15 - std::countr_zero(mask) : -1;
}

void ColourSeparation::Clear() {
    rows_.clear();
    colors_.clear();
}

void ColourSeparation::Build(const PatternRaster& g, bool garmentMode) {
    int rows = garmentMode ? g.GarmentRows : g.Height;
    rows = std::clamp(rows, 0, std::min(kPatternRows, g.Height));
    const int width = std::clamp(std::min(g.Width, g.Picture.width()), 0, kPlaneNeedleBytes * 8);
    const int mw = g.Mask.width();

    // Reuse the storage: a rebuild at every Start must not churn the heap.
    rows_.resize(static_cast<size_t>(rows) + 3);
    colors_.resize(static_cast<size_t>(rows) + 3);
    for (int r = 0; r < rows; ++r) {
        SeparatedRow& sr = rows_[static_cast<size_t>(r)];
        sr.Data.fill(0);
        uint8_t* d = sr.Data.data();
        uint32_t mask = 0;
        const int pictureLine = g.LineOfRow(r);
        if (pictureLine < 0 || pictureLine >= g.Picture.height()) { // a raster shorter than Height
            colors_[static_cast<size_t>(r)] = {};
            continue;
        }
        const uint8_t* cells = g.Picture.line(pictureLine);
        if (garmentMode) {
            const uint8_t* ml = maskLineOfRow(g, r);
            const int inMask = ml ? std::min(width, mw) : 0; // columns past the mask are outside
            for (int x = 0; x < inMask; ++x) {
                const unsigned c = cells[x];
                if (c >= 16 || ml[x] != kMaskInside) continue;
                d[kPlaneBytes * c + (x >> 3)] |= NeedleBits[x & 7];
                mask |= ColorBits[c];
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const unsigned c = cells[x];
                if (c >= 16) continue;
                d[kPlaneBytes * c + (x >> 3)] |= NeedleBits[x & 7];
                mask |= ColorBits[c];
            }
        }
        for (int c = 0; c < 16; ++c)
            if (mask & ColorBits[c]) d[kPlaneBytes * c + kPlaneNeedleBytes] = 1;
        colors_[static_cast<size_t>(r)] = {CountColors(mask), mask};
    }
    for (int r = rows; r < rows + 3; ++r) {
        rows_[static_cast<size_t>(r)].Data.fill(0);
        colors_[static_cast<size_t>(r)] = {};
    }
}

void ColourSeparation::SpreadColors(int n) {
    const int count = static_cast<int>(colors_.size());
    for (int r = 0; r < count; ++r) {
        uint32_t m = colors_[static_cast<size_t>(r)].ColorMask & 0xFFFF;
        const int k = colors_[static_cast<size_t>(r)].ColorCount;
        if (k == n) continue;
        if (k > n) {
            m = dropHighest(m, n);
        } else if (r == 0) {
            uint32_t u = m;
            for (int j = 1; j < count && CountColors(u) < n; ++j) u |= colors_[static_cast<size_t>(j)].ColorMask;
            uint32_t e = u;
            if (CountColors(u) > n) {
                e = u & ~m;
                for (int c = 15; c >= 0; --c) {
                    if (CountColors(m | e) == n) break;
                    e &= ~ColorBits[c];
                }
            }
            m |= e;
        } else {
            uint32_t p = colors_[static_cast<size_t>(r - 1)].ColorMask;
            if (CountColors(m | p) != n) {
                for (int c = 15; c >= 0; --c) {
                    if (CountColors(m | p) == n) break;
                    p &= ~ColorBits[c];
                }
            }
            m |= p;
        }
        // The count is n even when the pattern holds fewer colours: the jacquards
        // knit n passes per row whatever the row holds.
        colors_[static_cast<size_t>(r)] = {n, m};
    }
}

const SeparatedRow& ColourSeparation::GetRow(int row) const {
    if (rows_.empty()) return kZeroRow;
    if (row < 0) row = 0;
    return rows_[static_cast<size_t>(std::min(row, static_cast<int>(rows_.size()) - 1))];
}

const RowColors& ColourSeparation::GetRowColors(int row) const {
    if (colors_.empty()) return kZeroColors;
    if (row < 0) row = 0;
    return colors_[static_cast<size_t>(std::min(row, static_cast<int>(colors_.size()) - 1))];
}

} // namespace lc
