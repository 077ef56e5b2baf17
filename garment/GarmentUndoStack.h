#pragma once
// The outline editor's undo stack (full snapshots, no redo) and its one-entry
// clipboard for copying a selected part of an outline.
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "core/Globals.h"
#include "garment/GarmentOutline.h"
#include "garment/GarmentUndoListener.h"

namespace lc {

// A copied curve remembers where its ends stood, so a paste can find them by position.
struct ClipCurve {
    uint8_t Kind = 0;
    uint8_t Spare = 0;
    uint16_t StartPoint = 0; // indexes in the source outline, not used again
    uint16_t EndPoint = 0;
    int32_t StartX = 0, StartY = 0, EndX = 0, EndY = 0;
    bool operator==(const ClipCurve&) const = default;
};

// One snapshot (Points, Curves, Reserved, SymmetryAxis) or one clipboard entry
// (Points and ClipCurves).
class GarmentUndoStep {
public:
    std::vector<GarmentPoint> Points;
    std::vector<GarmentCurve> Curves;
    std::vector<ClipCurve> ClipCurves;
    uint16_t Reserved = 0;
    int32_t SymmetryAxis = -1;

    // The whole outline; an outline without points leaves the leaf empty.
    void Assign(const GarmentOutline& garment);
    // The selected points, and every curve whose two ends are selected.
    void AssignSelection(const GarmentOutline& garment);
    // Empties the outline and puts the snapshot back.
    void RestoreTo(GarmentOutline& garment) const;
    // Places the copied part by coordinates: each point through AddPoint, each
    // curve between the last points standing exactly at its copied end
    // positions (dropped when either is missing). A refusal (too many points)
    // leaves the outline as it was.
    void PasteTo(GarmentOutline& garment) const;
};

class GarmentUndoStack {
public:
    // `listener` (may be null) hears when undo becomes possible or impossible.
    explicit GarmentUndoStack(GarmentUndoListener* listener = nullptr) : listener_(listener) {}
    void setListener(GarmentUndoListener* listener) { listener_ = listener; }

    // Snapshot before an edit. Holds at most UndoDepth + 1 steps. Tells the
    // listener undoEnable.
    void Push(const GarmentOutline& garment);
    // Restores and drops the newest step; tells the listener undoDisable when
    // the stack becomes empty. Nothing when it is empty.
    void Undo(GarmentOutline& garment);
    // Drops every step; the clipboard stays; the listener is not told.
    void Clear() { steps_.clear(); }
    void Copy(const GarmentOutline& garment);
    void Paste(GarmentOutline& garment) const;

    int StepCount() const { return static_cast<int>(steps_.size()); }
    bool HasClipboard() const { return clipboard_.has_value(); }
    const GarmentUndoStep* Clipboard() const { return clipboard_ ? &*clipboard_ : nullptr; }

private:
    GarmentUndoListener* listener_ = nullptr;
    std::deque<GarmentUndoStep> steps_;
    std::optional<GarmentUndoStep> clipboard_;
};

} // namespace lc
