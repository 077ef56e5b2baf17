#pragma once

namespace lc {

// A rectangle in picture-bitmap coordinates: columns Left..Right-1, lines Top..Bottom-1.
struct CellRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const CellRect&) const = default;
};

} // namespace lc
