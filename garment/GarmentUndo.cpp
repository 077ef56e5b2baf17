#include "garment/GarmentUndo.h"

#include "core/AppMessages.h"

namespace lc {

void TGarmentUndoRedoLeaf::Assign(const TMyGarment& garment) {
    if (garment.PointCount() == 0) return;
    Reserved = garment.Reserved;
    SymmetryAxis = garment.SymmetryAxis();
    Points = garment.Points();
    Curves = garment.Curves();
}

void TGarmentUndoRedoLeaf::AssignSelection(const TMyGarment& garment) {
    if (garment.PointCount() == 0) return;
    const auto& pts = garment.Points();
    for (const TGarmentPoint& p : pts)
        if (p.Selected) Points.push_back(p);
    for (const TGarmentCurve& c : garment.Curves()) {
        const TGarmentPoint& s = pts[c.StartPoint];
        const TGarmentPoint& e = pts[c.EndPoint];
        if (!s.Selected || !e.Selected) continue;
        ClipCurves.push_back(TClipCurve{c.Kind, 0, c.StartPoint, c.EndPoint, s.X, s.Y, e.X, e.Y});
    }
}

void TGarmentUndoRedoLeaf::RestoreTo(TMyGarment& garment) const {
    garment.Assign(Points, Curves, Reserved, SymmetryAxis);
}

void TGarmentUndoRedoLeaf::PasteTo(TMyGarment& garment) const {
    if (Points.empty()) return;
    auto paste = [this](TMyGarment& g) {
        for (const TGarmentPoint& p : Points) g.AddPoint(p.X, p.Y);
        for (const TClipCurve& c : ClipCurves) {
            const int s = g.FindPoint(c.StartX, c.StartY);
            const int e = g.FindPoint(c.EndX, c.EndY);
            if (s >= 0 && e >= 0) g.AddCurve(s, e, c.Kind);
        }
    };
    if (garment.PointCount() + Points.size() <= static_cast<size_t>(kMaxGarmentPoints)) {
        paste(garment); // cannot run out of room
    } else {
        // It may: work on a copy, so a refusal leaves the outline as it was.
        TMyGarment t(garment);
        paste(t);
        garment = std::move(t);
    }
}

void TGarmentUndoRedo::Push(const TMyGarment& garment) {
    if (steps_.size() > static_cast<size_t>(UndoDepth)) steps_.pop_front();
    steps_.emplace_back().Assign(garment);
    SendAppMessage(AppMsg::GarmentUndoEnable);
}

void TGarmentUndoRedo::Undo(TMyGarment& garment) {
    if (steps_.empty()) return;
    steps_.back().RestoreTo(garment);
    steps_.pop_back();
    if (steps_.empty()) SendAppMessage(AppMsg::GarmentUndoDisable);
}

void TGarmentUndoRedo::Copy(const TMyGarment& garment) {
    clipboard_.reset();
    clipboard_.emplace().AssignSelection(garment);
}

void TGarmentUndoRedo::Paste(TMyGarment& garment) const {
    if (clipboard_) clipboard_->PasteTo(garment);
}

} // namespace lc
