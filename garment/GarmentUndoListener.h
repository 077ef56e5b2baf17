#pragma once

namespace lc {

// What the outline editor's undo stack tells its page, the Garment Shape page
// (garment/ui), which enables its Undo button and marks the garment changed.
class GarmentUndoListener {
public:
    virtual ~GarmentUndoListener() = default;
    virtual void undoEnable() = 0;  // a snapshot was pushed
    virtual void undoDisable() = 0; // the stack became empty
};

} // namespace lc
