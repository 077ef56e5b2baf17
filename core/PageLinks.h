#pragma once
// What one page asks of another. Pages never include each other: each page
// gets this interface in its constructor and calls it; the main window
// implements it and is the one place that knows which page answers. Every call
// is direct and synchronous on the GUI thread.
//
// A page's calls to itself do not come through here: the Drawing page's
// read-outs, bobbins and undo button, the Garment Shape page's undo button and
// the Link page's cams and row up-down are each the page's own business.
#include <string>

#include "core/EventSoundPlayer.h"
#include "core/ModelFile.h"

namespace lc {

class PageLinks : public EventSoundPlayer {
public:
    // --- to the Drawing page -------------------------------------------------
    // The drawing tool goes back to the brush.
    virtual void cancelTool() = 0;
    // The Stitch Galleries page chose a pattern: the Drawing page takes its
    // paste-pattern tool, which pastes the gallery's selected pattern.
    virtual void insertPattern() = 0;
    // The Converter page left its picture in the raster's backup bitmap: the
    // Drawing page starts pasting it with the paste/scale tool.
    virtual void insertConverted() = 0;
    // Building the garment mask failed and garment mode is off again: the
    // Drawing page releases its "Add Garment" button.
    virtual void garmentModeReleased() = 0;
    // The Fashion page loads drawing item `item` of `model` into the pattern;
    // the Drawing page keeps the pattern it replaces as one undo step.
    virtual void showModelDrawing(const ModelFile& model, int item) = 0;
    // The Link page's current technique; the Drawing page's status bar names it.
    virtual void techniqueChanged(const std::string& name) = 0;

    // --- to the Garment Shape page --------------------------------------------
    // Garment mode was switched on, or the gauge changed (Drawing page, tension
    // calculator): the mask is built again and the picture repainted.
    virtual void garmentMaskChanged() = 0;
    // The Fashion page added a garment item: the current outline is stored
    // into item `item` of the collection's model.
    virtual void writeGarmentToModel(int item) = 0;
    // The Fashion page opened garment item `item`: the outline is read from it.
    virtual void readGarmentFromModel(int item) = 0;

    // --- to the sound player: playEventSound (from EventSoundPlayer), the Link
    // page's event sounds.
};

} // namespace lc
