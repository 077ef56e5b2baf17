#pragma once
// The pattern undo stack: each step holds the pattern rows as they stood before
// a gesture changed them. A step is opened by Push (rows saved at once) or
// BeginStep (nothing saved yet); while it is open, every row a tool is about to
// write for the first time is saved too (TouchRow), so a gesture can always be
// undone whole, however far a drag wandered. Memory follows the rows touched.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/EditorState.h"
#include "core/IndexedBitmap.h"

namespace lc {

class IEditorEvents;

// One step: saved rows (pattern row numbers) and their bytes, one contiguous buffer.
class PatternUndoStep {
public:
    explicit PatternUndoStep(int width) : width_(width) {}

    // Appends row r's bytes (r from min(row1, row2) to max) of the picture.
    void SaveRows(const IndexedBitmap& picture, int row1, int row2);
    void SaveRow(const IndexedBitmap& picture, int row);
    // Writes every saved row back (or those within row1..row2; row1 is the lower bound).
    void RestoreRows(IndexedBitmap& picture) const;
    void RestoreRows(IndexedBitmap& picture, int row1, int row2) const;

    int width() const { return width_; }
    const std::vector<int>& rows() const { return rows_; }
    size_t bytes() const { return data_.size(); }

private:
    void restoreOne(IndexedBitmap& picture, size_t slot) const;
    int width_;
    std::vector<int> rows_;
    std::vector<uint8_t> data_;
};

class PatternUndoStack {
public:
    PatternUndoStack(IndexedBitmap& picture, IEditorEvents* events);

    // Opens a step saving rows row1..row2 (clamped to the pattern); sends undoEnable.
    void Push(int row1, int row2);
    // Opens a step that saves rows only as they are first written; sends undoEnable.
    void BeginStep();
    // Saves the row into the open step unless it is already there (or no step is open).
    void TouchRow(int row) {
        if (open_ && row >= 0 && row < static_cast<int>(saved_.size()) && !saved_[row]) saveRow(row);
    }
    void TouchRows(int row1, int row2);
    // Ends the gesture: later writes no longer extend the newest step.
    void CloseStep();
    bool stepOpen() const { return open_; }

    // Restores and drops the newest step; undoDisable when the stack becomes empty.
    void Undo();
    // Restores the newest step's rows within row1..row2 and keeps the step.
    void UndoRows(int row1, int row2);
    // Drops every step (the pattern was replaced or resized); undoDisable.
    void Clear();

    int count() const { return static_cast<int>(steps_.size()); }
    bool empty() const { return steps_.empty(); }
    size_t memoryBytes() const;
    const PatternUndoStep* newest() const { return steps_.empty() ? nullptr : steps_.back().get(); }

    void setEvents(IEditorEvents* events) { events_ = events; }

private:
    void openStep();
    void saveRow(int row);
    void resetSavedFlags();

    IndexedBitmap& picture_;
    IEditorEvents* events_;
    std::vector<std::unique_ptr<PatternUndoStep>> steps_;
    std::vector<uint8_t> saved_; // per row of the open step: already saved
    bool open_ = false;
};

} // namespace lc
