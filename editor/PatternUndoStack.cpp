#include "editor/PatternUndoStack.h"

#include <algorithm>
#include <cstring>

#include "editor/EditorInterfaces.h"

namespace lc {

// Design row r is picture line H - 1 - r.
void PatternUndoStep::SaveRow(const IndexedBitmap& picture, int row) {
    const int h = picture.height();
    if (row < 0 || row >= h) return;
    const int w = std::min(width_, picture.width());
    rows_.push_back(row);
    const size_t at = data_.size();
    data_.resize(at + static_cast<size_t>(width_), 0);
    std::memcpy(data_.data() + at, picture.line(h - 1 - row), static_cast<size_t>(w));
}

void PatternUndoStep::SaveRows(const IndexedBitmap& picture, int row1, int row2) {
    const int lo = std::min(row1, row2), hi = std::max(row1, row2);
    data_.reserve(data_.size() + static_cast<size_t>(hi - lo + 1) * static_cast<size_t>(width_));
    for (int r = lo; r <= hi; ++r) SaveRow(picture, r);
}

void PatternUndoStep::restoreOne(IndexedBitmap& picture, size_t slot) const {
    const int h = picture.height();
    const int row = rows_[slot];
    if (row < 0 || row >= h) return; // the raster shrank since: nothing to put back
    // A record written at another width gives back only what both widths hold.
    const int w = std::min(width_, picture.width());
    std::memcpy(picture.line(h - 1 - row), data_.data() + slot * static_cast<size_t>(width_), static_cast<size_t>(w));
}

void PatternUndoStep::RestoreRows(IndexedBitmap& picture) const {
    for (size_t i = 0; i < rows_.size(); ++i) restoreOne(picture, i);
    picture.touch();
}

void PatternUndoStep::RestoreRows(IndexedBitmap& picture, int row1, int row2) const {
    if (row1 > row2) return;
    bool any = false;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i] >= row1 && rows_[i] <= row2) {
            restoreOne(picture, i);
            any = true;
        }
    if (any) picture.touch();
}

PatternUndoStack::PatternUndoStack(IndexedBitmap& picture, IEditorEvents* events)
    : picture_(picture), events_(events) {}

void PatternUndoStack::resetSavedFlags() {
    const size_t h = static_cast<size_t>(picture_.height());
    if (saved_.size() != h) saved_.assign(h, 0);
    else if (!steps_.empty() && open_)
        for (int r : steps_.back()->rows()) saved_[static_cast<size_t>(r)] = 0;
    else std::fill(saved_.begin(), saved_.end(), 0);
}

void PatternUndoStack::openStep() {
    resetSavedFlags();
    if (static_cast<int>(steps_.size()) > UndoDepth) steps_.erase(steps_.begin());
    steps_.push_back(std::make_unique<PatternUndoStep>(picture_.width()));
    open_ = true;
}

void PatternUndoStack::saveRow(int row) {
    saved_[static_cast<size_t>(row)] = 1;
    steps_.back()->SaveRow(picture_, row);
}

void PatternUndoStack::Push(int row1, int row2) {
    const int h = picture_.height();
    auto clampRow = [h](int r) { return r < 0 ? 0 : (r >= h ? h - 1 : r); };
    openStep();
    if (h > 0) TouchRows(clampRow(row1), clampRow(row2));
    if (events_) events_->undoEnable();
}

void PatternUndoStack::BeginStep() {
    openStep();
    if (events_) events_->undoEnable();
}

void PatternUndoStack::TouchRows(int row1, int row2) {
    if (!open_) return;
    const int lo = std::max(0, std::min(row1, row2));
    const int hi = std::min(static_cast<int>(saved_.size()) - 1, std::max(row1, row2));
    for (int r = lo; r <= hi; ++r)
        if (!saved_[static_cast<size_t>(r)]) saveRow(r);
}

void PatternUndoStack::CloseStep() {
    if (!open_) return;
    resetSavedFlags();
    open_ = false;
}

void PatternUndoStack::Undo() {
    if (steps_.empty()) return;
    CloseStep();
    steps_.back()->RestoreRows(picture_);
    steps_.pop_back();
    if (steps_.empty() && events_) events_->undoDisable();
}

void PatternUndoStack::UndoRows(int row1, int row2) {
    if (steps_.empty()) return;
    steps_.back()->RestoreRows(picture_, row1, row2);
}

void PatternUndoStack::Clear() {
    CloseStep();
    steps_.clear();
    saved_.clear();
    if (events_) events_->undoDisable();
}

size_t PatternUndoStack::memoryBytes() const {
    size_t n = 0;
    for (const auto& s : steps_) n += s->bytes();
    return n;
}

} // namespace lc
