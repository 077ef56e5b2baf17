#include "knitting/FineLace.h"

#include <algorithm>
#include <cstring>

#include "core/PatternRaster.h"
#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

namespace {

constexpr int kLace14 = 14;
constexpr int kLace15 = 15;

bool testBit(const uint8_t* b, int n) { return (b[n >> 3] & (0x80u >> (n & 7))) != 0; }
void clearBit(uint8_t* b, int n) { b[n >> 3] &= static_cast<uint8_t>(~(0x80u >> (n & 7))); }
void setBit(uint8_t* b, int n) { b[n >> 3] |= static_cast<uint8_t>(0x80u >> (n & 7)); }

int longestRun(const uint8_t* plane, int width) {
    int best = 0, run = 0;
    for (int n = 0; n < width; ++n) {
        run = testBit(plane, n) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// Takes one end of every run of set bits: the left ends walking up, the right
// ends walking down. Whole empty bytes and bytes inside a run are skipped, so
// a solid row costs a byte walk per pass rather than a bit walk. The direction
// is a template argument so that each walk compiles to its own tight loop.
template <bool FromLeft>
void takeRunEnds(uint8_t* plane, uint8_t* out, int width) {
    constexpr int step = FromLeft ? 1 : -1;
    bool inRun = false;
    for (int n = FromLeft ? 0 : width - 1; FromLeft ? n < width : n >= 0;) {
        // Walking up a byte is whole from its bit 0 when it lies inside the
        // width; walking down it is whole from its bit 7 (n is below the width).
        const bool wholeByte = FromLeft ? (n & 7) == 0 && n + 8 <= width : (n & 7) == 7;
        const uint8_t byte = plane[n >> 3];
        if (wholeByte && (byte == 0 || (byte == 0xFF && inRun))) {
            inRun = byte != 0;
            n += 8 * step;
            continue;
        }
        const bool set = testBit(plane, n);
        if (set && !inRun) {
            clearBit(plane, n);
            setBit(out, n);
        }
        inRun = set;
        n += step;
    }
}

} // namespace

FineLace::FineLace(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::FineLace) {}

void FineLace::LoadRow(int row) {
    const SeparatedRow& sr = Separation().GetRow(row);
    std::memcpy(LeftRunPlane.data(), sr.Plane(kLace14), LeftRunPlane.size());
    std::memcpy(RightRunPlane.data(), sr.Plane(kLace15), RightRunPlane.size());
    const int w = PatternWidth();
    // Needles past the width are no needles: they must not make or lengthen a run.
    for (auto* p : {LeftRunPlane.data(), RightRunPlane.data()})
        for (int n = w; n < kPlaneNeedleBytes * 8; ++n) clearBit(p, n);
    LeftRuns = sr.Used(kLace14) ? longestRun(LeftRunPlane.data(), w) : 0;
    RightRuns = sr.Used(kLace15) ? longestRun(RightRunPlane.data(), w) : 0;
}

int FineLace::MakePass(uint8_t* bits, int row, int direction, int startDirection) {
    std::memset(bits, 0, static_cast<size_t>(PlaneByteCount()));
    if (LeftRuns > 0 || RightRuns > 0) {
        const int w = PatternWidth();
        if (direction == 1 && LeftRuns > 0) {
            takeRunEnds<true>(LeftRunPlane.data(), bits, w);
            --LeftRuns;
        } else if (direction == 0 && RightRuns > 0) {
            takeRunEnds<false>(RightRunPlane.data(), bits, w);
            --RightRuns;
        }
        return row; // a direction with nothing due is an empty transfer pass
    }
    return direction == startDirection ? row + 1 : row;
}

uint64_t FineLace::contentKey() const {
    // FNV-1a over what the table depends on: the lace planes of every row, the
    // width and the height. Cheap next to a rebuild, and immune to a pattern
    // edit that forgot to bump a revision.
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    };
    const int height = std::clamp(Raster().Height, 0, kRowTableRows);
    mix(static_cast<uint64_t>(PatternWidth()));
    mix(static_cast<uint64_t>(height));
    const int rows = std::min(height, Separation().RowCount());
    for (int r = 0; r < rows; ++r) {
        const SeparatedRow& sr = Separation().GetRow(r);
        const uint8_t* lace = sr.Plane(kLace14); // planes 14 and 15 lie side by side: 82 bytes
        uint64_t words[10];
        std::memcpy(words, lace, sizeof words);
        for (uint64_t v : words) mix(v);
        mix(static_cast<uint64_t>(lace[80]) | static_cast<uint64_t>(lace[81]) << 8);
    }
    mix(static_cast<uint64_t>(rows));
    return h | 1; // never 0, the "not built" key
}

bool FineLace::BuildPassTable() {
    const uint64_t key = contentKey();
    if (key == builtKey_) return false;
    PassEntries.clear();
    PassRows.clear();
    const int height = std::clamp(Raster().Height, 0, kRowTableRows);
    PassRows.reserve(static_cast<size_t>(height));
    int direction = 1;
    uint8_t bits[kPlaneNeedleBytes] = {};
    for (int r = 0; r < height; ++r) {
        const int start = direction;
        LoadRow(r);
        PassRows.push_back(static_cast<int32_t>(PassEntries.size()));
        int result;
        do {
            result = MakePass(bits, r, direction, start);
            PassEntry e;
            std::memcpy(e.Bits.data(), bits, static_cast<size_t>(PlaneByteCount()));
            e.Kind = result != r ? 2 : (direction == 1 ? 0 : 1);
            e.Row = r;
            PassEntries.push_back(e);
            direction = 1 - direction;
        } while (result == r);
    }
    builtKey_ = key;
    return true;
}

void FineLace::Prepare() {
    if (!InSheetDraw) BuildPassTable();
}

void FineLace::GetPassNeedles(int pass, uint8_t* bits) {
    if (const PassEntry* e = GetPassEntry(pass))
        std::memcpy(bits, e->Bits.data(), static_cast<size_t>(PlaneByteCount()));
}

int FineLace::PassToRow(int pass) const {
    const PassEntry* e = GetPassEntry(pass);
    return e ? e->Row : 0;
}

int FineLace::RowToPass(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= PassRows.size()) return 0;
    return PassRows[static_cast<size_t>(row)];
}

int FineLace::PassCount() const { return static_cast<int>(PassEntries.size()); }

std::string FineLace::GetCarriageSetting(int pass) {
    const PassEntry* e = GetPassEntry(pass);
    std::string s = !e ? "" : e->Kind == 2 ? "} L" : "} P";
    FireSettingChanged(s);
    return s;
}

void FineLace::DrawRowInstruction(int pass) {
    ResetLines();
    if (const PassEntry* e = GetPassEntry(pass))
        DrawSettingsLine(pass, kRowLineColor, e->Kind == 2 ? " L ?  " : " P ?  ");
    DrawMarkLine(pass);
}

void FineLace::UpdateColors(int pass) {
    MarkedYarns = 0;
    PassYarns = 0;
    ColorOrder()[0] = -1;
    const SeparatedRow& sr = Separation().GetRow(PassToRow(pass));
    // A row of lace marks only is knitted with the yarn already in the
    // carriage: the panel keeps showing the last ground yarn.
    for (int c = 0; c <= 13; ++c)
        if (sr.Used(c)) {
            RowYarns = PassYarns = YarnBit(c);
            break;
        }
    const PassEntry* e = GetPassEntry(pass);
    if (e && e->Kind != 2) PassYarns = 0; // the yarn is knitted on the closing pass only
    FireColorChanged();
}

} // namespace lc
