#pragma once
// What the Garment Shape page edits, without its widgets: the working
// outline, the product's pieces with the piece that is loaded, the undo stack
// and clipboard, and the import of a catalogue model's pieces.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "garment/GarmentFile.h"
#include "garment/GarmentOutline.h"
#include "garment/GarmentUndoStack.h"

namespace lc {

// A typed length in the current unit (Units 0 centimetres, 1 inches) as whole
// millimetres, a half to the even neighbour; nothing for a value that is not
// a finite number or does not fit 32 bits.
std::optional<int32_t> TypedLengthToMm(double value, int units);

// The next image of a shape button on a right click: the first eight buttons
// (kinds 0..15) toggle between their two variants, the last four (16..31)
// step through their four.
int NextShapeVariant(int kind);

// Builds catalogue piece `piece` for size `sizeNo` into an empty outline (the
// catalogue's drafting); throws on a bad record.
using CataloguePieceBuilder = std::function<void(GarmentOutline& garment, int piece, int sizeNo)>;

// The catalogue files beside the program: the ten piece numbers of every model
// ("loopcrafter.de$") and the pieces' names ("loopcrafter_nd." + language code,
// English when the language has none).
std::filesystem::path ModelPiecesFile(const std::filesystem::path& dir);
std::filesystem::path PieceNamesFile(const std::filesystem::path& dir, const std::string& languageCode);

// The pieces of catalogue model `modelId` (1-based) from the bytes of the two
// files, each built by `build` and named from its record (a length byte cut to
// 31 characters). A model id outside the file or a piece without a name
// record throws FormatError; a builder's error passes through.
GarmentProduct BuildModelPieces(std::span<const uint8_t> models, std::span<const uint8_t> names, int modelId,
                                int sizeNo, const CataloguePieceBuilder& build);

class GarmentDocument {
public:
    explicit GarmentDocument(GarmentUndoListener* listener = nullptr) : Undo(listener) {}

    GarmentOutline Outline;
    GarmentProduct Product;
    GarmentUndoStack Undo;

    // The piece the working outline was loaded from or added as (-1: none).
    int LoadedPiece() const { return loaded_; }

    // Empties the outline, the product and the undo stack.
    void NewGarments();
    // Adds the working outline as a piece named `name` (cut to 40 characters);
    // nothing for an empty name or an outline without points. The new piece is
    // the loaded one. Returns its index or -1.
    int AddPiece(const std::string& name);
    // Removes piece i: an undo step, then the outline is emptied. False for a bad index.
    bool RemovePiece(int i);
    // Loads piece i into the outline. The outline first goes back into the
    // piece it came from, unless it is empty (an emptied outline never wipes a
    // piece). The undo stack is emptied. False for a bad index.
    bool LoadPiece(int i);
    // Reads a garments file: the product and the outline are replaced only
    // when the whole file is sound (FormatError or IoError otherwise).
    void Load(const std::filesystem::path& file);

    // Replaces the product by the pieces of catalogue model `modelId` (1-based)
    // for size `sizeNo`. Everything is read and built first; a missing or short
    // file, a model id outside the catalogue or a builder error throws and the
    // product, outline and undo stack stay as they were. On success the outline
    // and the undo stack are empty. Returns the number of pieces.
    int ImportModel(const std::filesystem::path& dir, const std::string& languageCode, int modelId, int sizeNo,
                    const CataloguePieceBuilder& build);

private:
    int loaded_ = -1;
};

} // namespace lc
