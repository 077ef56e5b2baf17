#pragma once
// What the main window asks of a page that has its own documents: the popup
// menu's New, Load, Save and Print items and the page's Open and Save
// buttons. The main window answers it for the Garment Shape, Stitch Galleries
// and Fashion pages (a small adapter over each page), holds one per page and
// calls it for the current page only.
// The Drawing page's pictures and palettes are opened by the main window
// itself, so the Drawing page needs none.
#include <cstdint>
#include <span>
#include <vector>

namespace lc {

class ModelFile; // core/ModelFile.h

class PageCommands {
public:
    virtual ~PageCommands() = default;
    // The page is shown (every change to it).
    virtual void OnShowForm() {}
    // "New Garment", "Create New Gallery".
    virtual void newDocument() {}
    // "Load Garment", "Load Model"; the page's Open button.
    virtual void openDocument() {}
    // "Save Garment", "Save Gallery", "Save Model"; the page's Save button.
    virtual void saveDocument() {}
    // "&Print..." (enabled on the Drawing and Garment Shape pages).
    virtual void printDocument() {}
    // Units or machine changed in the preferences.
    virtual void unitsChanged() {}
};

// The Garment Shape page, besides its documents: the mask and the garment's
// place in model files and the autosave. (Its editing keys are its own: the
// outline canvas takes them.)
class GarmentCommands : public PageCommands {
public:
    // Builds the garment mask from the current outline (garment mode on).
    virtual void makeMask() = 0;
    // The current outline as a model file's garment item, and back (a damaged
    // item throws FormatError and leaves the outline).
    virtual std::vector<uint8_t> garmentItem() const = 0;
    virtual void setGarmentItem(std::span<const uint8_t> item) = 0;
    // The Fashion page's model: store the outline into / read it from item `item`.
    virtual bool writeToModel(ModelFile& model, int item) = 0;
    virtual bool readFromModel(const ModelFile& model, int item) = 0;
};

} // namespace lc
