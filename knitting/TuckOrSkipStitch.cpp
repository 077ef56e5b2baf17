#include "knitting/TuckOrSkipStitch.h"

#include <algorithm>

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

TuckOrSkipStitch::TuckOrSkipStitch(const TechniqueContext& context, TechniqueId id)
    : SinglePassTechnique(context, id) {}

int TuckOrSkipStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    // Too many colours, then the tuck rule (at most two adjacent cells of the lower colour).
    const RowInfo& info = Rows()[row];
    if (info.ColorCount > 2) return kRowTooManyColors;
    if (info.ColorCount == 2) {
        const int c = LowestColor(info.ColorMask);
        const size_t n = std::min(scanline.size(), static_cast<size_t>(std::max(PatternWidth(), 0)));
        int run = 0;
        for (size_t x = 0; x < n; ++x) {
            run = scanline[x] == c ? run + 1 : 0;
            if (run > 2) return kRowRuleBroken;
        }
    }
    return kRowAccepted;
}

int TuckOrSkipStitch::CheckRowInPairs(std::span<const uint8_t> scanline, int row) {
    const int first = TuckOrSkipStitch::CheckRow(scanline, row);
    // An even row is kept, an odd row must equal it. The whole row is compared
    // (not only its first width/8+1 cells), so that no difference further along
    // slips through.
    const size_t n = std::min(scanline.size(), static_cast<size_t>(std::max(PatternWidth(), 0)));
    if (row % 2 == 0) {
        evenRow_.assign(scanline.begin(), scanline.begin() + static_cast<std::ptrdiff_t>(n));
        return first;
    }
    const bool same = evenRow_.size() == n && std::equal(evenRow_.begin(), evenRow_.end(), scanline.begin());
    return same ? first : kRowPairBroken;
}

void TuckOrSkipStitch::GetPassNeedles(int pass, uint8_t* bits) {
    // Top plane, or every needle when only plane 0 is used.
    if (!CopyTopPlane(pass, bits) && Separation().GetRow(pass).Used(0)) SelectAllNeedles(bits);
}

void TuckOrSkipStitch::UpdateColors(int pass) {
    const uint16_t m = Rows()[pass].ColorMask;
    MarkedYarns = 0;
    if (m) {
        RowYarns = PassYarns = YarnBit(HighestColor(m));
        ColorOrder()[0] = -1;
    }
    FireColorChanged();
}

} // namespace lc
