#include "garment/GarmentUndoStack.h"

namespace lc {

void GarmentUndoStep::Assign(const GarmentOutline& garment) {
    if (garment.PointCount() == 0) return;
    Reserved = garment.Reserved;
    SymmetryAxis = garment.SymmetryAxis();
    Points = garment.Points();
    Curves = garment.Curves();
}

void GarmentUndoStep::AssignSelection(const GarmentOutline& garment) {
    if (garment.PointCount() == 0) return;
    const auto& pts = garment.Points();
    for (const GarmentPoint& p : pts)
        if (p.Selected) Points.push_back(p);
    for (const GarmentCurve& c : garment.Curves()) {
        const GarmentPoint& s = pts[c.StartPoint];
        const GarmentPoint& e = pts[c.EndPoint];
        if (!s.Selected || !e.Selected) continue;
        ClipCurves.push_back(ClipCurve{c.Kind, 0, c.StartPoint, c.EndPoint, s.X, s.Y, e.X, e.Y});
    }
}

void GarmentUndoStep::RestoreTo(GarmentOutline& garment) const {
    garment.Assign(Points, Curves, Reserved, SymmetryAxis);
}

void GarmentUndoStep::PasteTo(GarmentOutline& garment) const {
    if (Points.empty()) return;
    auto paste = [this](GarmentOutline& g) {
        for (const GarmentPoint& p : Points) g.AddPoint(p.X, p.Y);
        for (const ClipCurve& c : ClipCurves) {
            const int s = g.FindPoint(c.StartX, c.StartY);
            const int e = g.FindPoint(c.EndX, c.EndY);
            if (s >= 0 && e >= 0) g.AddCurve(s, e, c.Kind);
        }
    };
    if (garment.PointCount() + Points.size() <= static_cast<size_t>(kMaxGarmentPoints)) {
        paste(garment); // cannot run out of room
    } else {
        // It may: work on a copy, so a refusal leaves the outline as it was.
        GarmentOutline t(garment);
        paste(t);
        garment = std::move(t);
    }
}

void GarmentUndoStack::Push(const GarmentOutline& garment) {
    if (steps_.size() > static_cast<size_t>(UndoDepth)) steps_.pop_front();
    steps_.emplace_back().Assign(garment);
    if (listener_) listener_->undoEnable();
}

void GarmentUndoStack::Undo(GarmentOutline& garment) {
    if (steps_.empty()) return;
    steps_.back().RestoreTo(garment);
    steps_.pop_back();
    if (steps_.empty() && listener_) listener_->undoDisable();
}

void GarmentUndoStack::Copy(const GarmentOutline& garment) {
    clipboard_.reset();
    clipboard_.emplace().AssignSelection(garment);
}

void GarmentUndoStack::Paste(GarmentOutline& garment) const {
    if (clipboard_) clipboard_->PasteTo(garment);
}

} // namespace lc
