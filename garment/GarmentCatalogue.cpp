#include "garment/GarmentCatalogue.h"

#include <algorithm>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Cp1251.h"

namespace lc {

std::string CatalogueTextToUtf8(const std::string& bytes, const std::string& languageCode) {
    if (languageCode == "RUS") return Cp1251ToUtf8(bytes);
    // Windows-1252: Latin-1 with typographic marks in 0x80..0x9F.
    static constexpr char16_t k80[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                         0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    for (unsigned char c : bytes) {
        const char32_t u = c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : c;
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

namespace {
constexpr uint64_t kMaxCatalogueFile = 4u << 20;
} // namespace

void GarmentCatalogue::Load(const std::filesystem::path& folder, const std::string& languageCode) {
    std::vector<CatalogueRecord> records =
        ParseCatalogue(ReadWholeFile(folder / kCatalogueFileName, kMaxCatalogueFile));

    const std::vector<uint8_t> piecesBytes = ReadWholeFile(folder / kModelPiecesFileName, kMaxCatalogueFile);
    if (piecesBytes.size() % (2 * kPiecesPerModel) != 0 || piecesBytes.empty())
        throw FormatError("the catalogue's model pieces are damaged");
    std::vector<uint16_t> pieces(piecesBytes.size() / 2);
    for (size_t i = 0; i < pieces.size(); ++i) pieces[i] = GetU16LE(piecesBytes.data() + 2 * i);

    const std::vector<uint8_t> detailBytes = ReadWholeFile(folder / kDetailsFileName, kMaxCatalogueFile);
    if (detailBytes.size() % kDetailRecordSize != 0 || detailBytes.empty())
        throw FormatError("the catalogue's pieces are damaged");
    std::vector<DetailRec> details(detailBytes.size() / kDetailRecordSize);
    for (size_t i = 0; i < details.size(); ++i)
        details[i] = DetailRec::FromBytes(detailBytes.data() + i * kDetailRecordSize);

    std::filesystem::path namesFile = folder / (kDetailNamesPrefix + languageCode);
    std::string nameLanguage = languageCode;
    std::error_code ec;
    if (!std::filesystem::exists(namesFile, ec)) {
        namesFile = folder / (std::string(kDetailNamesPrefix) + "ENG");
        nameLanguage = "ENG";
    }
    const std::vector<uint8_t> nameBytes = ReadWholeFile(namesFile, kMaxCatalogueFile);
    if (nameBytes.size() % kDetailNameRecord != 0) throw FormatError("the catalogue's piece names are damaged");
    std::vector<std::string> names(nameBytes.size() / kDetailNameRecord);
    for (size_t i = 0; i < names.size(); ++i) {
        const uint8_t* p = nameBytes.data() + i * kDetailNameRecord;
        const size_t len = std::min<size_t>(p[0], kDetailNameRecord - 1);
        names[i] = CatalogueTextToUtf8(std::string(reinterpret_cast<const char*>(p + 1), len), nameLanguage);
    }

    // Every model the catalogue names has its pieces, and every piece number
    // names a piece and its name.
    const size_t models = pieces.size() / kPiecesPerModel;
    for (const CatalogueRecord& r : records)
        if (r.ModelId == 0 || r.ModelId > models)
            throw FormatError("the model catalogue names model " + std::to_string(r.ModelId) + ", which has no pieces");
    for (uint16_t d : pieces)
        if (d != 0 && (d >= details.size() || d >= names.size()))
            throw FormatError("the catalogue names piece " + std::to_string(d) + ", which does not exist");

    records_ = std::move(records);
    modelPieces_ = std::move(pieces);
    details_ = std::move(details);
    names_ = std::move(names);
}

std::vector<uint16_t> GarmentCatalogue::ModelPieces(uint16_t modelId) const {
    if (modelId == 0 || modelId > ModelCount()) throw RangeError("no such model in the catalogue");
    const auto first = modelPieces_.begin() + static_cast<ptrdiff_t>((modelId - 1) * kPiecesPerModel);
    return {first, first + kPiecesPerModel};
}

std::string GarmentCatalogue::DetailName(uint16_t detail) const {
    return detail < names_.size() ? names_[detail] : std::string();
}

void GarmentCatalogue::DraftPiece(GarmentOutline& target, int detail, const BodySize& size) const {
    if (detail < 0 || static_cast<size_t>(detail) >= details_.size())
        throw FormatError("the catalogue has no piece " + std::to_string(detail));
    BuildCatalogueDetail(target, details_[static_cast<size_t>(detail)], size);
}

GarmentProduct GarmentCatalogue::DraftModel(uint16_t modelId, const BodySize& size) const {
    GarmentProduct product;
    GarmentOutline outline;
    for (uint16_t d : ModelPieces(modelId)) {
        if (d == 0) continue;
        outline.Clear();
        DraftPiece(outline, d, size);
        if (product.AddGarment(outline)) product.SetPieceName(product.PieceCount() - 1, DetailName(d));
    }
    return product;
}

} // namespace lc
