// Collars and trims: a shaped collar when the first code is set, otherwise a
// rectangle or trapezoid (bands, cuffs, pockets) chosen by the other two
// codes together. Centred on x = 99, standing on y = 0.
#include <limits>

#include "core/Errors.h"
#include "garment/OutlineDrafter.h"
#include "garment/GarmentDrafting.h"
#include "garment/DraftFormulas.h"

namespace lc {

namespace {

constexpr int32_t kCX = 99;
using LD = long double;

// Kept at the working precision: the sizes are computed from the
// measurements directly, and Mm converts them (and the shifted trapezoid's
// difference) without an intermediate rounding to double.
struct Trim {
    LD Wt = 0, Ht = 0, Wb = 0;
};

constexpr uint16_t key(int k2, int k3) { return static_cast<uint16_t>(k2 * 256 + k3); }

// The trim table: top width, height and (for the trapezoids) bottom width in
// centimetres, by the key CollarCode2:CollarCode3.
Trim LookUpTrim(uint16_t k, const BodySize& s) {
    const LD hips = s[bfHips], le10 = s[bfLe10], le11 = s[bfLe11], back = s[bfBackLength], upper = s[bfUpperArm];
    const LD wrist = s[bfWrist], neck = s[bfNeckSize], le12 = s[bfLe12], ad = s[bfArmholeDepth];
    const LD n3 = neck / 3.0L + 1.0L;
    auto t = [](LD wt, LD ht, LD wb = 0.0L) { return Trim{wt, ht, wb}; };
    switch (k) {
    case key(0, 47): return t(neck * 2.6L, ad * 3.0L);
    case key(0, 49):
    case key(0, 63):
    case key(0, 179):
    case key(0, 209): return t(neck * 2.4L, le12);
    case key(0, 50): return t(wrist * 1.1L, le12);
    case key(0, 69): return t(((le10 + neck) / 3.0L + 1.0L) * 2.0L, le12);
    case key(0, 71): return t(((le10 + neck) / 3.0L + 1.0L) * 2.5L, le12);
    case key(0, 87): return t(n3 * 2.0L, (le10 + n3 * 1.1L) * 2.0L);
    case key(0, 89): return t((le10 + n3 * 1.1L) * 2.0L, 0.0L);
    case key(0, 93): return t(ad + (le10 + n3) * 2.2L, le12, ((le10 + n3) * 1.1L + ad) * 2.0L);
    case key(0, 101):
    case key(0, 193):
    case key(0, 197): return t(wrist, wrist);
    case key(0, 103):
    case key(0, 105): return t(ad + (le10 + n3) * 2.2L, le12 * 2.0L, ad + (le10 * 0.1L + n3 * 1.1L) * 2.0L);
    case key(0, 107): return t(le10 + n3 * 1.1L, n3 * 2.0L);
    case key(0, 117): return t(n3 * 2.4L, le12 * 2.0L);
    case key(0, 119): return t(le10 * 2.4L, le12 * 2.0L);
    case key(0, 120): return t(wrist * 1.5L, le12);
    case key(0, 122): return t(upper, le12);
    case key(0, 189):
    case key(0, 191):
    case key(0, 203): return t(ad + (le10 * 2.0L + n3) * 2.2L, le12 * 2.0L, ad + (le10 * 1.2L + n3 * 1.1L) * 2.0L);
    case key(0, 199):
    case key(0, 201):
        return t((ad + (le10 + n3) * 2.2L) * 1.05L - le10 * 2.0L, le12 * 2.0L, (ad + (le10 + n3) * 2.2L) * 1.05L);
    case key(0, 204):
    case key(4, 40): return t(wrist * 1.1L, le12 / 2.0L);
    case key(0, 206):
    case key(4, 41): return t(wrist * 1.5L, le12 / 2.0L);
    case key(0, 207): return t((ad + (le10 + n3) * 2.2L) * 1.1L, le12, ad * 2.1L + (le10 + n3) * 2.42L);
    case key(0, 215): return t(neck * 2.0L * 1.5L, neck * 1.1L);
    case key(0, 219):
    case key(0, 221): return t(upper * 1.5L, le12 / 2.0L);
    case key(0, 220): return t(hips / 2.0L, le12 + 1.0L);
    case key(0, 222): return t(hips / 4.0L, le12 + 1.0L);
    case key(0, 224): return t(le10 / 4.0L, le12 + 1.0L);
    case key(0, 239):
    case key(0, 240): return t(wrist * 1.1L, le12 + 1.0L);
    case key(4, 42): return t(upper, le12 / 2.0L);
    case key(15, 169):
    case key(15, 170): return t(hips / 2.0L, le12);
    case key(15, 171): return t(hips / 4.0L, le12);
    case key(15, 172): return t(hips / 2.0L - le10, le12);
    case key(15, 173): return t(le10, le12);
    case key(15, 174): return t(n3 + hips / 4.0L, le12);
    case key(15, 179):
    case key(15, 180): return t(hips * 1.05L / 2.0L, le12 / 2.0L);
    case key(15, 181): return t(hips * 1.05L / 4.0L, le12 / 2.0L);
    case key(15, 182): return t(hips * 1.05L / 2.0L - le10 * 1.05L, le12 / 2.0L);
    case key(15, 183): return t(le10 * 1.05L, le12 / 2.0L);
    case key(15, 184): return t(n3 + hips * 1.05L / 4.0L, le12 / 2.0L);
    case key(16, 14): return t(wrist * 1.2L, le12);
    case key(16, 15): return t(wrist * 1.44L, 0.0L);
    case key(16, 16): return t(upper * 1.2L, 0.0L);
    case key(16, 17): return t(wrist * 1.15L, 0.0L);
    case key(16, 205): return t(neck * 2.4L, ad);
    case key(16, 206): return t(neck * 3.0L, ad * 1.5L);
    case key(16, 207): return t(le11 * 2.5L, ad);
    case key(16, 209): return t((back - le11 * 1.25L) / 3.0L, le12 / 2.0L);
    case key(16, 210): return t(n3 * 2.0L, ad);
    default: return t(neck * 2.6L, le12 / 2.0L);
    }
}

bool isTrapezoid(uint16_t k) {
    return k == key(0, 93) || k == key(0, 103) || k == key(0, 189) || k == key(0, 199) || k == key(0, 203) ||
           k == key(0, 207);
}
bool isShiftedTrapezoid(uint16_t k) { return k == key(0, 105) || k == key(0, 191) || k == key(0, 201); }

void ShapedCollar(OutlineDrafter& d, const DraftFormulas& f, uint8_t k1) {
    const LD k1v = f.K1(k1), k2v = f.K2(k1), k3v = f.K3(k1);
    const int32_t e = Mm(k1v / 2 + 1.5L), hk = Mm(k3v), hd = Mm(k3v - k2v * 5 / 6), hb = Mm(k3v - k2v);
    const int32_t h2 = Mm(k1v / 2), h4 = Mm(k1v / 4), h8 = Mm(k1v / 8);
    auto L = [](int32_t off) { return SubMm(kCX, off); };
    auto R = [](int32_t off) { return AddMm(kCX, off); };
    // The curved edge collars 10 and 20 to 22 share, from the left end across.
    auto neckEdge = [&] {
        d.Line(L(e), hk, L(h2), hk);
        d.Line(L(h2), hk, L(h4), hd);
        d.Line(L(h4), hd, L(h8), hb);
        d.Line(L(h8), hb, R(h8), hb);
        d.Line(R(h8), hb, R(h4), hd);
        d.Line(R(h4), hd, R(h2), hk);
    };
    if (k1 == 10) {
        d.Line(84, 0, L(e), hk);
        neckEdge();
        d.Line(114, 0, R(e), hk);
        d.Line(R(e), hk, R(RoundMm(k1v / 2 * 10 - 1)), hk);
        d.Line(114, 0, 84, 0);
    } else if (k1 == 11) {
        const int32_t hk1 = Mm(k3v - 1);
        d.Line(84, 0, L(e), hk1);
        d.Line(L(e), hk1, L(h2), hk);
        d.Line(L(h2), hk, R(RoundMm(k1v / 2 * 10 + 1)), hk);
        d.Line(R(e), hk1, R(h2), hk);
        d.Line(114, 0, R(e), hk1);
        d.Line(114, 0, 84, 0);
    } else if (k1 >= 20 && k1 <= 22) {
        d.Line(L(e), 0, L(e), hk);
        neckEdge();
        d.Line(R(h2), hk, R(e), hk);
        d.Line(R(e), hk, R(e), 0);
        d.Line(L(e), 0, AddMm(R(e), 1), 0);
    }
}

} // namespace

void BuildCollarPiece(GarmentOutline& target, const BodySize& size, uint8_t k1, uint8_t k2, uint8_t k3) {
    const DraftFormulas f(size);
    OutlineDrafter d(target);
    if (k1 != 0) {
        ShapedCollar(d, f, k1);
        return;
    }
    const uint16_t k = key(k2, k3);
    const Trim t = LookUpTrim(k, size);
    const int32_t h = Mm(t.Ht);
    if (isTrapezoid(k)) {
        const int32_t b = Mm(t.Wb / 2), w = Mm(t.Wt / 2);
        d.Line(SubMm(kCX, b), 0, AddMm(kCX, b), 0);
        d.Line(SubMm(kCX, b), 0, SubMm(kCX, w), h);
        d.Line(AddMm(kCX, b), 0, AddMm(kCX, w), h);
        d.Line(SubMm(kCX, w), h, AddMm(kCX, w), h);
    } else if (isShiftedTrapezoid(k)) {
        const int32_t q = Mm(t.Wt / 4), r = Mm(t.Wb / 2 - t.Wt / 4);
        d.Line(SubMm(kCX, q), 0, AddMm(kCX, r), 0);
        d.Line(SubMm(kCX, q), 0, SubMm(kCX, q), h);
        d.Line(AddMm(kCX, r), 0, AddMm(kCX, q), h);
        d.Line(SubMm(kCX, q), h, AddMm(kCX, q), h);
    } else {
        // The half-width is a 16-bit field; a negative or larger one cannot
        // be drawn and is refused instead of wrapping.
        const int32_t half = Mm(t.Wt / 2);
        if (half < 0 || half > std::numeric_limits<uint16_t>::max())
            throw FormatError("the trim's width is out of range for these measurements");
        d.Line(kCX - half, 0, kCX + half, 0);
        d.Line(kCX - half, 0, kCX - half, h);
        d.Line(kCX + half, 0, kCX + half, h);
        d.Line(kCX - half, h, kCX + half, h);
    }
}

} // namespace lc
