#include "shell/PictureConverter.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace lc {

double ColorDistance(Color a, Color b) { return std::sqrt(static_cast<double>(ColorDistanceSquared(a, b))); }

PictureConverter::PictureConverter()
    : random_(static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

void PictureConverter::setPicture(RgbImage picture) {
    picture_ = std::move(picture);
    history_.clear();
    converted_ = false;
    view_ = ViewArea{0, 0, std::max(0, picture_.Width - 1), std::max(0, picture_.Height - 1)};
}

void PictureConverter::fitBox(int boxWidth, int boxHeight, int& width, int& height) const {
    const double w = view_.spanX() + 1, h = view_.spanY() + 1;
    const double s = std::max(w / std::max(1, boxWidth), h / std::max(1, boxHeight));
    width = std::clamp(static_cast<int>(w / s), 1, std::max(1, boxWidth));
    height = std::clamp(static_cast<int>(h / s), 1, std::max(1, boxHeight));
}

bool PictureConverter::zoomTo(int x0, int y0, int x1, int y1, int boxWidth) {
    if (!hasPicture() || x0 == x1 || y0 == y1 || boxWidth <= 0) return false;
    // One scale for both directions: the box shows the view undistorted.
    const double k = static_cast<double>(boxWidth) / (view_.spanX() + 1);
    auto source = [k](int p, int origin, int last) {
        return std::clamp(origin + static_cast<int>(std::floor(std::max(0, p) / k)), origin, last);
    };
    ViewArea next{source(std::min(x0, x1), view_.Left, view_.Right), source(std::min(y0, y1), view_.Top, view_.Bottom),
                  source(std::max(x0, x1), view_.Left, view_.Right), source(std::max(y0, y1), view_.Top, view_.Bottom)};
    if (next == view_) return false;
    history_.push_back(view_);
    view_ = next;
    return true;
}

bool PictureConverter::zoomBack() {
    if (history_.empty()) return false;
    view_ = history_.back();
    history_.pop_back();
    return true;
}

Color PictureConverter::colorAt(int x, int y, int boxWidth, int boxHeight) const {
    if (!hasPicture() || boxWidth <= 0 || boxHeight <= 0) return RGB(255, 255, 255);
    x = std::clamp(x, 0, boxWidth - 1);
    y = std::clamp(y, 0, boxHeight - 1);
    const int w = view_.spanX() + 1, h = view_.spanY() + 1;
    const int sx = view_.Left + static_cast<int>(static_cast<int64_t>(x) * w / boxWidth);
    const int sy = view_.Top + static_cast<int>(static_cast<int64_t>(y) * h / boxHeight);
    const uint8_t* p = picture_.Rgb.data() + (static_cast<size_t>(sy) * picture_.Width + sx) * 3;
    return RGB(p[0], p[1], p[2]);
}

void PictureConverter::addPicked(Color c, int desiredColors) {
    desiredColors = std::clamp(desiredColors, kConverterMinColors, kConverterMaxColors);
    palette_[std::min(pickedCount_, 16)] = c;
    if (pickedCount_ < desiredColors) ++pickedCount_;
}

void PictureConverter::limitPicked(int desiredColors) {
    pickedCount_ = std::min(pickedCount_, std::clamp(desiredColors, kConverterMinColors, kConverterMaxColors));
}

void PictureConverter::undoConversion() {
    converted_ = false;
    pickedCount_ = 0;
}

bool PictureConverter::convert(ConversionSettings s, int boxWidth, int boxHeight, int maxStitches) {
    if (!hasPicture() || boxWidth <= 0 || boxHeight <= 0) return false;
    // No more stitches than the raster is wide (150 on the 150-needle machine).
    const int most = std::max(1, std::min(kConverterMaxStitches, maxStitches));
    s.Stitches = std::clamp(s.Stitches, std::min(kConverterMinStitches, most), most);
    s.Rows = std::clamp(s.Rows, kConverterMinRows, kConverterMaxRows);
    s.Colors = std::clamp(s.Colors, kConverterMinColors, kConverterMaxColors);
    s.Tolerance = std::clamp(s.Tolerance, kConverterMinTolerance, kConverterMaxTolerance);
    limitPicked(s.Colors);
    const int S = s.Stitches, R = s.Rows, C = s.Colors;
    const int t2 = s.Tolerance * s.Tolerance;

    // Sampling: the centre of each cell of the box, top row first.
    cells_.assign(static_cast<size_t>(S) * R, 0);
    const double xs = static_cast<double>(boxWidth) / S, ys = static_cast<double>(boxHeight) / R;
    for (int r = 0; r < R; ++r) {
        const int y = static_cast<int>(std::lround(r * ys + ys / 2));
        for (int c = 0; c < S; ++c)
            cells_[static_cast<size_t>(r) * S + c] =
                colorAt(static_cast<int>(std::lround(c * xs + xs / 2)), y, boxWidth, boxHeight);
    }

    // Census of random cells, every row and column included.
    struct Entry {
        Color color;
        int count;
    };
    std::vector<Entry> census;
    census.reserve(kCensusSamples);
    std::uniform_int_distribution<int> col(0, S - 1), row(0, R - 1);
    for (int i = 0; i < kCensusSamples; ++i) {
        const int c = col(random_);
        const int r = row(random_);
        const Color v = cells_[static_cast<size_t>(r) * S + c];
        auto hit = std::find_if(census.begin(), census.end(),
                                [&](const Entry& e) { return ColorDistanceSquared(e.color, v) <= t2; });
        if (hit != census.end()) ++hit->count;
        else census.push_back({v, 1});
    }

    // The most frequent colours fill the palette after the picked ones.
    int P = pickedCount_;
    const int wanted = std::min(std::max(C - P, 0), static_cast<int>(census.size()));
    for (int i = 0; i < wanted; ++i) {
        auto best = std::max_element(census.begin(), census.end(),
                                     [](const Entry& a, const Entry& b) { return a.count < b.count; });
        palette_[P++] = best->color;
        best->count = 0;
    }

    // Mapping, column by column: a match takes the palette colour; a new colour
    // takes a free slot while there is one; otherwise the nearest colour.
    for (int c = 0; c < S; ++c) {
        for (int r = 0; r < R; ++r) {
            Color& v = cells_[static_cast<size_t>(r) * S + c];
            int nearest = -1, nearestD = 0;
            bool matched = false;
            for (int k = 0; k < P; ++k) {
                const int d = ColorDistanceSquared(palette_[k], v);
                if (d <= t2) {
                    v = palette_[k];
                    matched = true;
                    break;
                }
                if (nearest < 0 || d < nearestD) nearest = k, nearestD = d;
            }
            if (matched) continue;
            if (P < C - 1) palette_[P++] = v;
            else if (nearest >= 0) v = palette_[nearest];
        }
    }
    last_ = s;
    converted_ = true;
    return true;
}

CellRect PictureConverter::insertInto(PatternRaster& raster, bool replaceColors) const {
    if (cells_.empty()) return {};
    const int S = last_.Stitches, R = last_.Rows, C = last_.Colors;
    IndexedBitmap& backup = raster.Backup;
    const int w = std::min(S, backup.width()), h = std::min(R, backup.height());
    if (w <= 0 || h <= 0) return {};
    // A colour in no slot gets index C; with 16 colours that would be the
    // background, which no pattern file can hold, so it gets the nearest slot.
    auto indexOf = [&](Color v) {
        int nearest = 0, nearestD = 1 << 30;
        for (int k = 0; k < C; ++k) {
            if (palette_[k] == v) return k;
            const int d = ColorDistanceSquared(palette_[k], v);
            if (d < nearestD) nearest = k, nearestD = d;
        }
        return C < kBackgroundIndex ? C : nearest;
    };
    for (int r = 0; r < h; ++r) {
        uint8_t* line = backup.line(r);
        const Color* src = cells_.data() + static_cast<size_t>(r) * S;
        for (int c = 0; c < w; ++c) line[c] = static_cast<uint8_t>(indexOf(src[c]));
    }
    backup.touch();
    if (replaceColors) {
        for (int k = 0; k < C; ++k) raster.Colors[k] = palette_[k];
        raster.ApplyPalette(2);
        raster.UpdatePalette(0);
    }
    return CellRect{0, 0, w, h};
}

} // namespace lc
