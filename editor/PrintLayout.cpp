#include "editor/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "editor/CanvasRenderer.h"

namespace lc {

namespace {
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
} // namespace

PatternPageLayout LayoutPatternPage(int pageWidth, int pageHeight, const PrinterResolution& res, int cellsWide,
                                    int cellsHigh, double scale) {
    PatternPageLayout p;
    if (scale == 0 || !std::isfinite(scale)) scale = 1.0;
    const int band = res.MmToPixelsY(36);
    p.textHeight = res.MmToPixelsY(3);
    p.versionY = 40;
    p.printedOnY = 40 + res.MmToPixelsY(5);
    if (cellsWide <= 0 || cellsHigh <= 0) return p;
    const double f = std::min(static_cast<double>(pageWidth - 40) / cellsWide,
                              static_cast<double>(pageHeight - 60 - band) / cellsHigh);
    if (!(f > 0)) return p; // a page too small for its margins
    p.hasImage = true;
    p.factor = f;
    p.image = {20, 40 + band, roundEven(cellsWide * f * scale), roundEven(cellsHigh * f * scale)};
    return p;
}

PreviewLayout LayoutPreview(int iw, int ih, int pw, int ph) {
    PreviewLayout l;
    if (pw <= 0 || ph <= 0 || iw <= 16 || ih <= 16) return l;
    const double s = std::min(static_cast<double>(iw - 16) / pw, static_cast<double>(ih - 16) / ph);
    const int w = roundEven(pw * s), h = roundEven(ph * s);
    const int x0 = (iw - w) / 2, y0 = (ih - h) / 2;
    l.shadow = {x0 + 4, y0 + 4, w, h};
    l.page = {x0 + 2, y0 + 2, w, h};
    l.contentScale = std::min(static_cast<double>(w) / pw, static_cast<double>(h) / ph);
    return l;
}

CellRect NormalisedRect(CellRect r) {
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
}

PrintSource PatternPrintSource(const PatternRaster& gd, const CellRect& blockRect, PrintRange range, bool garmentMode) {
    const int w = gd.Picture.width(), h = gd.Picture.height();
    PrintSource s;
    if (range == PrintRange::Selection) {
        const CellRect b = NormalisedRect(blockRect);
        const int bw = std::min(w, gd.Backup.width()), bh = std::min(h, gd.Backup.height());
        s.fromBackup = true;
        s.lines = {std::max(b.Left, 0), std::max(b.Top, 0), std::min(b.Right, bw), std::min(b.Bottom, bh)};
        if (s.lines.isEmpty()) s.lines = {};
        return s;
    }
    if (!garmentMode) {
        s.lines = {0, 0, w, h};
        return s;
    }
    // The mask's own extent: design row r is mask line r.
    int left = w, right = -1, top = -1;
    const int mh = std::min(gd.Mask.height(), h), mw = std::min(gd.Mask.width(), w);
    for (int r = 0; r < mh; ++r) {
        const uint8_t* line = gd.Mask.line(r);
        for (int x = 0; x < mw; ++x)
            if (line[x] == kMaskInside) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = r;
            }
    }
    s.garment = true;
    if (right < 0) return s; // no cell inside: nothing to print
    s.lines = {left, h - 1 - top, right + 1, h};
    return s;
}

std::vector<uint32_t> ComposePrintImage(const PatternRaster& gd, const PrintSource& source) {
    const CellRect& r = source.lines;
    if (r.isEmpty()) return {};
    const int h = gd.Picture.height();
    const IndexedBitmap& cells = source.fromBackup ? gd.Backup : gd.Picture;
    std::vector<uint32_t> out(static_cast<size_t>(r.width()) * static_cast<size_t>(r.height()));
    const Palette256& pal = gd.Picture.palette();
    std::array<uint32_t, 256> argb{};
    for (size_t i = 0; i < 256; ++i) argb[i] = ArgbOf(pal[i]);
    uint32_t* dst = out.data();
    for (int line = r.Top; line < r.Bottom; ++line) {
        const uint8_t* src = cells.line(line);
        const int maskLine = h - 1 - line;
        const bool maskHere = source.garment && maskLine >= 0 && maskLine < gd.Mask.height();
        const uint8_t* mask = maskHere ? gd.Mask.line(maskLine) : nullptr;
        for (int x = r.Left; x < r.Right; ++x) {
            const bool inside = !source.garment || (mask && x < gd.Mask.width() && mask[x] == kMaskInside);
            *dst++ = inside ? argb[src[x]] : 0xFFFFFFFFu;
        }
    }
    return out;
}

} // namespace lc
