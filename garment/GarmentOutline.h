#pragma once
// The garment outline: a flat drawing in whole millimetres (x to the right,
// y upward) made of points and typed curves between them. The outline editor,
// the catalogue drafting, the garments file, the undo stack and the mask
// builder all work on it.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "garment/PointGrid.h"

namespace lc {

// 12 bytes on disk: i32 X, i32 Y, u16 Number, u8 Selected, u8 spare.
struct GarmentPoint {
    int32_t X = 0;
    int32_t Y = 0;
    uint16_t Number = 0; // point count + 1 when appended; never renumbered
    uint8_t Selected = 0;
    uint8_t Spare = 0;
    bool operator==(const GarmentPoint&) const = default;
};

// 6 bytes on disk: u8 Kind, u8 spare, u16 StartPoint, u16 EndPoint.
struct GarmentCurve {
    uint8_t Kind = 0;
    uint8_t Spare = 0;
    uint16_t StartPoint = 0;
    uint16_t EndPoint = 0;
    bool operator==(const GarmentCurve&) const = default;
};

// A new point closer than this to an existing one is not created.
inline constexpr int SnapRadius = 5;
// Curve indexes are 16-bit, so an outline holds at most this many points.
inline constexpr int kMaxGarmentPoints = 65535;
// Kinds 0..31 have a shape; higher kinds have neither shape nor step.
inline constexpr int kMaxCurveKind = 31;

// A polyline point. Shapes with fixed offsets can reach past 32 bits at the
// ends of the coordinate range, so the polyline is held wider.
struct PolyPoint {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const PolyPoint&) const = default;
};

// The polyline of one curve: 2 to 7 points, or none for a curve without a shape.
struct CurvePolyline {
    std::array<PolyPoint, 7> Points{};
    int Count = 0;
};

struct GarmentBounds {
    int32_t MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    bool operator==(const GarmentBounds&) const = default;
};

class GarmentOutline {
public:
    // No operation of the model sets it; it travels with the outline into
    // pieces, undo steps and files.
    uint16_t Reserved = 0;

    int PointCount() const { return static_cast<int>(points_.size()); }
    int CurveCount() const { return static_cast<int>(curves_.size()); }
    const std::vector<GarmentPoint>& Points() const { return points_; }
    const std::vector<GarmentCurve>& Curves() const { return curves_; }

    // Read-only record access (RangeError for an index outside the list).
    const GarmentPoint& Point(int i) const;
    const GarmentCurve& Curve(int i) const;
    // The point record itself, for callers that change it in place (valid until
    // the next call on the outline; the model's caches are dropped).
    GarmentPoint& GetPoint(int i);
    // Curves are replaced whole, so their ends always name existing points
    // (RangeError otherwise).
    void SetCurve(int i, const GarmentCurve& curve);
    bool IsPointSelected(int i) const { return Point(i).Selected != 0; }

    // Adds or picks a point: the highest-indexed point closer than SnapRadius is
    // picked, otherwise (X, Y) is appended. Afterwards exactly that point is
    // selected. Returns its index. Throws RangeError, changing nothing, when a
    // new point would exceed kMaxGarmentPoints.
    int AddPoint(int32_t x, int32_t y);
    // Appends a curve (RangeError when an end names no point).
    void AddCurve(int startPoint, int endPoint, uint8_t kind);
    void DuplicateCurve(int i);
    // Adds a curve from the selection; dx and dy are signed steps.
    void AddSegment(int32_t dx, int32_t dy, uint8_t kind);

    void SelectPoint(int i, bool state);
    bool SelectInRect(int32_t xA, int32_t yA, int32_t xB, int32_t yB, bool add);
    int FirstSelected() const;
    int NextSelected(int i) const;

    double PointDistance(int i, int j) const;
    double SelectedLength() const;
    int64_t SelectionWidth(bool all) const;
    int64_t SelectionHeight(bool all) const;
    GarmentBounds Bounds() const;

    // Moves throw RangeError, changing nothing, when a point would leave the
    // 32-bit coordinate range.
    void MoveSelected(int32_t dx, int32_t dy);
    void MoveAll(int32_t dx, int32_t dy);
    void AlignSelected(int mode);
    void Rotate(double degrees);

    void DeletePoint(int i);
    void DeleteSelectedPoints();
    void DeleteSelectedCurves();
    void DeleteSnappedSelected();
    void Clear();

    int SymmetryAxis() const { return symmetryAxis_; }
    // -1 or a valid point index (RangeError otherwise).
    void SetSymmetryAxis(int axis);
    bool IsSymmetric() const { return symmetryAxis_ != -1; }
    void ClearSymmetry() { symmetryAxis_ = -1; }
    void MakeSymmetric();
    void AddMirrorCopy();

    int FirstCurveStart() const;
    int OtherEnd(int point, int skipCurve) const;
    int FindCurve(int p1, int p2) const;
    int FindPoint(int32_t x, int32_t y) const;
    CurvePolyline BuildCurvePoints(int i) const;
    static uint8_t FlipArcType(uint8_t kind);

    // Replaces the whole content with these records, as stored (undo steps,
    // pieces). Throws RangeError, changing nothing, when a curve end or the axis
    // names no point or there are too many points.
    void Assign(std::span<const GarmentPoint> points, std::span<const GarmentCurve> curves, uint16_t reserved,
                int32_t axis);
    // Appends stored records without snapping or renumbering; the curves'
    // indexes count from the first appended point. Same checks as Assign.
    void AppendRecords(std::span<const GarmentPoint> points, std::span<const GarmentCurve> curves);
    // Appends a point as it is (no snapping), returning its index.
    int AppendPointRaw(int32_t x, int32_t y, bool selected);

    bool operator==(const GarmentOutline& o) const {
        return Reserved == o.Reserved && symmetryAxis_ == o.symmetryAxis_ && points_ == o.points_ &&
               curves_ == o.curves_;
    }

private:
    void invalidate() {
        gridValid_ = false;
        selectionKnown_ = false;
    }
    void ensureGrid() const;
    void removePoints(const std::vector<uint8_t>& doomed);
    void straighten();
    void joinStraight(int a, int b);

    std::vector<GarmentPoint> points_;
    std::vector<GarmentCurve> curves_;
    int32_t symmetryAxis_ = -1;

    // Caches: the 5 mm grid of the points, and a list that holds every selected
    // point (maybe more), so AddPoint clears the old selection without a scan.
    mutable PointGrid grid_;
    mutable bool gridValid_ = false;
    std::vector<int32_t> selection_;
    bool selectionKnown_ = false;
};

} // namespace lc
