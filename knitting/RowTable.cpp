#include "knitting/RowTable.h"

#include <vector>

#include "core/Machine.h"

namespace lc {

namespace {

// Colour bit of a cell value; 16 (background) and above add nothing.
constexpr std::array<uint16_t, 256> makeColorLut() {
    std::array<uint16_t, 256> t{};
    for (int c = 0; c < 16; ++c) t[static_cast<size_t>(c)] = static_cast<uint16_t>(0x8000u >> c);
    return t;
}
constexpr std::array<uint16_t, 256> kColorLut = makeColorLut();

void recountUnchanged(RowTable& t) {
    const int n = t.RowCount;
    if (n <= 0) return;
    t.Rows[static_cast<size_t>(n - 1)].RowsWithoutChange = 1;
    for (int i = n - 2; i >= 0; --i) {
        RowInfo& r = t.Rows[static_cast<size_t>(i)];
        const RowInfo& up = t.Rows[static_cast<size_t>(i + 1)];
        r.RowsWithoutChange = (r.LeftNeedle == up.LeftNeedle && r.RightNeedle == up.RightNeedle)
                                  ? static_cast<uint16_t>(up.RowsWithoutChange + 1)
                                  : uint16_t{1};
    }
    t.Rows[static_cast<size_t>(n)].RowsWithoutChange = 0;
}

void buildColours(RowTable& t, const PatternRaster& g, bool garmentMode) {
    const int rows = std::clamp(std::min(g.Height, g.Picture.height()), 0, kRowTableRows);
    const int width = std::clamp(std::min(g.Width, g.Picture.width()), 0, 0xFFFF);
    const int mh = g.Mask.height(), mw = g.Mask.width();
    uint16_t all = 0;
    for (int i = 0; i < rows; ++i) {
        const int pictureLine = g.LineOfRow(i);
        if (pictureLine < 0 || pictureLine >= g.Picture.height()) continue;
        const uint8_t* cells = g.Picture.line(pictureLine);
        uint16_t m = 0;
        if (garmentMode) {
            // The cells the separation skips (outside the garment) count for nothing here
            // either, or a knittable row would be refused and show the wrong yarns.
            const int line = g.Height - 1 - i;
            if (line >= 0 && line < mh && mw > 0) {
                const uint8_t* ml = g.Mask.line(mh - 1 - line);
                const int n = std::min(width, mw);
                for (int x = 0; x < n; ++x)
                    if (ml[x] == kMaskInside) m |= kColorLut[cells[x]];
            }
        } else {
            for (int x = 0; x < width; ++x) m |= kColorLut[cells[x]];
        }
        RowInfo& r = t.Rows[static_cast<size_t>(i)];
        r.ColorMask = m;
        r.ColorCount = static_cast<uint8_t>(CountColors(m));
        all |= m;
    }
    t.AllColorsInPic = all;
}

} // namespace

bool MaskRowEdges(const PatternRaster& g, int row, int& left, int& right) {
    const int mw = g.Mask.width();
    if (row < 0 || row >= g.Mask.height() || mw <= 0 || g.Width <= 0) return false;
    const int l = g.MaskRowLeftEdge(row);
    const int r = g.MaskRowRightEdge(row);
    if (r < 0 || l >= mw || l > r) return false;
    left = std::clamp(l, 0, g.Width - 1);
    right = std::clamp(r, 0, g.Width - 1);
    return true;
}

void Preparation(RowTable& t, const PatternRaster& g, const PreparationOptions& o) {
    const int width = std::max(g.Width, 1);
    t.Rows.fill(RowInfo{});
    t.RowCount = std::clamp(o.GarmentMode ? g.GarmentRows : g.Height, 0, kRowTableRows);
    t.GarmentLeft = 0;
    t.GarmentRight = width - 1;
    const int n = t.RowCount;

    if (!o.GarmentMode) {
        for (int i = 0; i < n; ++i) {
            RowInfo& r = t.Rows[static_cast<size_t>(i)];
            r.LeftNeedle = 0;
            r.RightNeedle = static_cast<uint16_t>(width - 1);
            r.RowsWithoutChange = static_cast<uint16_t>(n - i);
        }
    } else if (n > 0) {
        // A garment row without inside cells has no edges of its own: it keeps the
        // needles of the nearest row below that has some (the carriage just goes on),
        // or of the nearest above for the rows under the garment's first stitch.
        // Without any inside cell at all the whole width is in work.
        std::vector<int> lefts(static_cast<size_t>(n)), rights(static_cast<size_t>(n));
        std::vector<char> has(static_cast<size_t>(n), 0);
        int firstWith = -1;
        for (int i = 0; i < n; ++i) {
            int l = 0, r = 0;
            if (MaskRowEdges(g, i, l, r)) {
                lefts[static_cast<size_t>(i)] = l;
                rights[static_cast<size_t>(i)] = r;
                has[static_cast<size_t>(i)] = 1;
                if (firstWith < 0) firstWith = i;
            }
        }
        int lastL = 0, lastR = width - 1;
        if (firstWith >= 0) {
            lastL = lefts[static_cast<size_t>(firstWith)];
            lastR = rights[static_cast<size_t>(firstWith)];
        }
        for (int i = 0; i < n; ++i) {
            if (has[static_cast<size_t>(i)]) {
                lastL = lefts[static_cast<size_t>(i)];
                lastR = rights[static_cast<size_t>(i)];
            }
            t.Rows[static_cast<size_t>(i)].LeftNeedle = static_cast<uint16_t>(lastL);
            t.Rows[static_cast<size_t>(i)].RightNeedle = static_cast<uint16_t>(lastR);
        }
        t.GarmentLeft = t.Rows[static_cast<size_t>(n - 1)].LeftNeedle;
        t.GarmentRight = t.Rows[static_cast<size_t>(n - 1)].RightNeedle;
        for (int i = n - 2; i >= 0; --i) {
            t.GarmentLeft = std::min<int>(t.GarmentLeft, t.Rows[static_cast<size_t>(i)].LeftNeedle);
            t.GarmentRight = std::max<int>(t.GarmentRight, t.Rows[static_cast<size_t>(i)].RightNeedle);
        }
        RowInfo& term = t.Rows[static_cast<size_t>(n)];
        term.LeftNeedle = t.Rows[static_cast<size_t>(n - 1)].LeftNeedle;
        term.RightNeedle = t.Rows[static_cast<size_t>(n - 1)].RightNeedle;
        recountUnchanged(t);
        if (o.DiscretCorrection) MaskCorrection(t, o.StartSide, o.Mirrored);
    }
    buildColours(t, g, o.GarmentMode);
}

void MaskCorrection(RowTable& t, int startSide, bool mirrored) {
    const int n = t.RowCount;
    if (n <= 0) return;
    const bool firstWay = (startSide == 0 && mirrored) || (startSide != 0 && !mirrored);
    for (int i = 0; i + 1 < n; ++i) {
        const RowInfo& r = t.Rows[static_cast<size_t>(i)];
        RowInfo& up = t.Rows[static_cast<size_t>(i + 1)];
        const bool takeLeft = ((i % 2) == 0) == firstWay;
        if (takeLeft) up.LeftNeedle = r.LeftNeedle;
        else up.RightNeedle = r.RightNeedle;
    }
    recountUnchanged(t);
}

} // namespace lc
