#pragma once
// Shared pieces of the catalogue drafting tests: the Woman 40 measurements and
// outline helpers.
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "garment/BodySize.h"
#include "garment/GarmentOutline.h"

namespace lc::test {

// Bust, hips, le10, le11, arm length, back length, upper arm, wrist, neck
// size, le12, armhole depth, waist (cm).
inline BodySize Woman40() { return BodySize::FromCentimetres({92, 100, 14, 20, 60, 60, 30, 16, 36, 6, 4, 74}); }

inline std::vector<std::pair<int, int>> PointList(const GarmentOutline& g) {
    std::vector<std::pair<int, int>> out;
    for (const GarmentPoint& p : g.Points()) out.emplace_back(p.X, p.Y);
    return out;
}

// True when every point lies on exactly two curves.
inline bool EveryPointOnTwoCurves(const GarmentOutline& g) {
    std::vector<int> degree(static_cast<size_t>(g.PointCount()));
    for (const GarmentCurve& c : g.Curves()) ++degree[c.StartPoint], ++degree[c.EndPoint];
    for (int d : degree)
        if (d != 2) return false;
    return g.PointCount() > 0;
}

inline bool HasCurve(const GarmentOutline& g, std::pair<int, int> a, std::pair<int, int> b) {
    const int i = g.FindPoint(a.first, a.second), j = g.FindPoint(b.first, b.second);
    return i >= 0 && j >= 0 && g.FindCurve(i, j) >= 0;
}

// The folder the build writes the program and its data files into.
inline std::filesystem::path ProgramDir() {
    const char* dir = std::getenv("LC_PROGRAM_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::path("bin");
}

} // namespace lc::test
