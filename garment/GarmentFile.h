#pragma once
// A product: the named garment pieces of the outline editor's pieces list, and
// the garments file (".LCF") that keeps them with the working outline. Also the
// bytes of a garment item inside a model file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "garment/GarmentOutline.h"

namespace lc {

class ModelFile; // core/ModelFile.h

// An independent copy of an outline with a name. Its curves always join
// existing points and its axis is -1 or one of its points.
struct GarmentPiece {
    std::string Name; // UTF-8 in memory; up to 40 Windows-1251 characters in files
    std::vector<GarmentPoint> Points;
    std::vector<GarmentCurve> Curves;
    uint16_t Reserved = 0;
    int32_t SymmetryAxis = -1;
    bool operator==(const GarmentPiece&) const = default;
};

inline constexpr size_t kPieceNameField = 41; // length byte + 40 characters
inline constexpr const char* kNewGarmentName = "New garment";

class GarmentProduct {
public:
    int PieceCount() const { return static_cast<int>(pieces_.size()); }
    const GarmentPiece& Piece(int i) const;
    void SetPieceName(int i, std::string name);

    // False, adding nothing, for an outline without points; otherwise appends a
    // copy named "New garment".
    bool AddGarment(const GarmentOutline& garment);
    void DeleteGarment(int i);
    void Clear() { pieces_.clear(); }
    // Empties the outline, then copies piece i into it (an index past the end
    // leaves it empty).
    void GetGarment(int i, GarmentOutline& garment) const;
    // Replaces piece i's records by copies of the outline's; the name stays.
    void SetGarment(int i, const GarmentOutline& garment);

    // The garments file. Saving with no pieces and an outline without points
    // writes nothing and answers false, so the caller can say so; more than
    // 65535 pieces, points or curves are refused (RangeError), since the file
    // counts them in 16 bits. The save is atomic.
    bool SaveToFile(const std::filesystem::path& fileName, const GarmentOutline& garment) const;
    std::vector<uint8_t> SaveToBytes(const GarmentOutline& garment) const;
    // Loading reads into temporaries: a damaged file throws FormatError and
    // changes neither the product nor the outline. The pieces replace the
    // product's; the file's outline points are added to `garment` through
    // AddPoint (points closer than 5 mm merge) and its curves follow the merged
    // points. Curves whose ends name no stored point, whose ends merge into one
    // point, or whose kind has no shape are dropped.
    void LoadFromFile(const std::filesystem::path& fileName, GarmentOutline& garment);
    void LoadFromBytes(std::span<const uint8_t> bytes, GarmentOutline& garment);

    bool operator==(const GarmentProduct&) const = default;

private:
    std::vector<GarmentPiece> pieces_;
};

// The data of a garment item of a model file: u16 Reserved, i32 SymmetryAxis,
// i32 n, n points, i32 m, m curves; 12n + 6m + 14 bytes.
std::vector<uint8_t> GarmentItemBytes(const GarmentOutline& garment);
// Appends the item's points and curves to the outline as they are (no
// snapping, no renumbering; curve indexes count from the first appended point)
// and sets its Reserved and SymmetryAxis (an axis that names no point of the
// item means not symmetrical). An item shorter than its counts say, with a
// negative count, a curve end that names no point, or a curve kind without a
// shape is refused with FormatError and changes nothing.
void LoadGarmentItem(std::span<const uint8_t> item, GarmentOutline& garment);
inline size_t GarmentItemSize(size_t points, size_t curves) { return 12 * points + 6 * curves + 14; }

// The garment items of a model file, read into an outline. LoadGarment appends
// garment item `index` (false, with nothing changed, for another kind or a bad
// index; an item that holds no data yet adds nothing). RestoreGarment appends
// every garment item called `name` (compared exactly), from the last item to
// the first, so the front one's Reserved and SymmetryAxis prevail. A damaged
// item throws FormatError and the outline stays as it was.
bool LoadGarment(const ModelFile& model, int index, GarmentOutline& garment);
void RestoreGarment(const ModelFile& model, const std::string& name, GarmentOutline& garment);

} // namespace lc
