#pragma once
// A model file (".lcm", and the autosave "autosave.lc"): a header, an optional
// JPEG preview and a list of named items (drawings, garments, notes, folders,
// the garment mask and the editor state). Garment and note bytes are carried
// as they are: the garment designer and the fashion page read and write them.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/PatternRaster.h"

namespace lc {

struct RichDocument; // core/RichText.h

inline constexpr size_t kModelHeaderSize = 88;
inline constexpr size_t kModelItemRecordSize = 56;
inline constexpr size_t kAppStateSize = 356;
// Drawings of at least this many bytes are full-height items in files that do
// not record their line width; smaller ones are old 512-line items.
inline constexpr int32_t kFullHeightDrawingBytes = 200000;

enum ModelItemKind : int32_t {
    kItemDrawing = 1,
    kItemGarment = 2,
    kItemNote = 3,
    kItemFolder = 4,
    kItemMaskOrState = 8,
};

// The 88-byte header, held exactly as stored.
struct ModelHeader {
    std::array<uint8_t, kModelHeaderSize> Raw{};

    std::string Author() const;
    void SetAuthor(const std::string& s); // cut to 32 characters
    std::string ModelName() const;
    void SetModelName(const std::string& s); // cut to 32 characters
    int32_t PreviewSize() const;
    void SetPreviewSize(int32_t n);
    bool ReadOnly() const;
    void SetReadOnly(bool on);
};

struct ModelItem {
    std::string Name;       // compared exactly (case counts)
    uint16_t LineWidth = 0; // record bytes 34-35: a drawing's line width; 0 in files written elsewhere
    int32_t Kind = 0;
    int32_t Offset = 0; // written as held, never used on reading
    uint16_t Id = 0;
    uint16_t ParentId = 0;
    std::vector<uint8_t> Data;

    int32_t Size() const { return static_cast<int32_t>(Data.size()); }
};

class ModelFile {
public:
    ModelHeader Header;
    ModelHeader PeekHeader;
    std::vector<ModelItem> Items;

    // Empties the item list and frees the preview; the header stays.
    void Clear();

    // False when the file does not exist. A damaged file throws FormatError
    // ("file is damaged") and an unreadable one IoError; in every failing case
    // the model stays exactly as it was.
    bool LoadFromFile(const std::string& fileName);
    // The reader behind LoadFromFile (all or nothing).
    void LoadFromBytes(std::span<const uint8_t> bytes);
    // Header and preview only, into PeekHeader and PeekPreview. Never throws:
    // a missing, unreadable or damaged file gives false (a thumbnail painter
    // calls it for files that may have gone since the folder was scanned).
    bool PeekFile(const std::string& fileName);
    bool PeekBytes(std::span<const uint8_t> bytes);
    // Atomic; throws IoError when the file cannot be written (the old one stays).
    void SaveToFile(const std::string& fileName) const;
    std::vector<uint8_t> SaveToBytes() const;

    int NextId() const;
    int NextOffset() const;

    // Each returns the new item's index.
    int AddFolder(const std::string& name);
    int AddNote(uint16_t parentId, const std::string& name, std::span<const uint8_t> rtf);
    // A formatted note, stored as RTF (core/RichText.h); throws RangeError for
    // a note too long to be read back.
    int AddNote(uint16_t parentId, const std::string& name, const RichDocument& note);
    int AddDrawing(uint16_t parentId, const std::string& name, const PatternRaster& raster);
    int AddMask(uint16_t parentId, const std::string& name, const PatternRaster& raster);
    int AddState(uint16_t parentId, const std::string& name, std::span<const uint8_t> appState);
    int AddGarment(uint16_t parentId, const std::string& name, std::span<const uint8_t> garmentBytes = {});

    // Garment items hold the outline's bytes; the garment designer builds and reads them.
    bool StoreGarment(int index, std::span<const uint8_t> garmentBytes);
    // Replaces the data of the first garment item called `name`; false when there is none.
    bool StoreGarment(const std::string& name, std::span<const uint8_t> garmentBytes);
    // The data of garment item `index` (empty for another kind or a bad index).
    std::span<const uint8_t> GarmentData(int index) const;
    // The data of every garment item called `name`, last item first (the order
    // in which a restore appends them).
    std::vector<std::span<const uint8_t>> GarmentData(const std::string& name) const;
    // The RTF bytes of note item `index` (empty for another kind or a bad index).
    std::span<const uint8_t> NoteData(int index) const;
    // Reads note item `index` into `note`; false, with `note` untouched, for
    // another kind or a bad index. Throws FormatError for a note too long to read.
    bool LoadNote(int index, RichDocument& note) const;

    // Copies a drawing item into the raster's picture; other kinds do nothing.
    void ShowDrawing(int index, PatternRaster& raster) const;
    // Apply every item called `name`, from the last to the first.
    void RestoreDrawing(const std::string& name, PatternRaster& raster) const;
    void RestoreMask(const std::string& name, PatternRaster& raster) const;
    void RestoreState(const std::string& name, std::span<uint8_t> appState) const;

    void DeleteItem(int index);
    int FindItem(const std::string& name) const; // first item of that name, or -1

    std::span<uint8_t> AllocPreview(size_t size);
    void SetPreview(std::vector<uint8_t> jpeg);
    void FreePreview();
    std::span<const uint8_t> Preview() const { return preview_; }
    std::span<const uint8_t> PeekPreview() const { return peekPreview_; }

private:
    std::vector<uint8_t> preview_;
    std::vector<uint8_t> peekPreview_;
};

} // namespace lc
