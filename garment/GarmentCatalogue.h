#pragma once
// The catalogue files of the program folder, read and checked as a whole:
// the models ("loopcrafter.ic"), each model's piece numbers
// ("loopcrafter.de$", ten u16 words per model), the pieces
// ("loopcrafter.det") and their names ("loopcrafter_nd.<language>", 32-byte
// records). A model is drafted into a new product, one named piece per
// catalogue piece, so a failing piece leaves the caller's pieces as they were.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "garment/BodySize.h"
#include "garment/CatalogueDetail.h"
#include "garment/CatalogueFilter.h"
#include "garment/GarmentFile.h"

namespace lc {

inline constexpr const char* kCatalogueFileName = "loopcrafter.ic";
inline constexpr const char* kModelPiecesFileName = "loopcrafter.de$";
inline constexpr const char* kDetailsFileName = "loopcrafter.det";
inline constexpr const char* kDetailNamesPrefix = "loopcrafter_nd.";
inline constexpr int kPiecesPerModel = 10;
inline constexpr size_t kDetailNameRecord = 32;

// Text of the catalogue's files: Windows-1251 for "RUS", Windows-1252 otherwise.
std::string CatalogueTextToUtf8(const std::string& bytes, const std::string& languageCode);

class GarmentCatalogue {
public:
    // Reads and checks every file (IoError, FormatError), changing nothing on
    // failure. The names file is that of the language code, or the English one
    // when the language has none.
    void Load(const std::filesystem::path& folder, const std::string& languageCode);

    bool Loaded() const { return !records_.empty(); }
    const std::vector<CatalogueRecord>& Records() const { return records_; }
    int ModelCount() const { return static_cast<int>(modelPieces_.size() / kPiecesPerModel); }
    const std::vector<DetailRec>& Details() const { return details_; }
    // The model's piece numbers (0 = none); RangeError for an unknown model.
    std::vector<uint16_t> ModelPieces(uint16_t modelId) const;
    std::string DetailName(uint16_t detail) const; // UTF-8

    // Builds catalogue piece `detail` into `target` (FormatError for a piece
    // number the catalogue does not have; the builders' errors pass through).
    void DraftPiece(GarmentOutline& target, int detail, const BodySize& size) const;

    // Builds the model's pieces with these measurements. Errors of a builder
    // propagate (OverflowError, FloatError, FormatError); the result is only
    // complete pieces. Pieces that draw nothing are left out.
    GarmentProduct DraftModel(uint16_t modelId, const BodySize& size) const;

private:
    std::vector<CatalogueRecord> records_;
    std::vector<uint16_t> modelPieces_;
    std::vector<DetailRec> details_;
    std::vector<std::string> names_; // UTF-8
};

} // namespace lc
