#include "garment/GarmentDocument.h"

#include <cmath>
#include <fstream>
#include <vector>

#include "core/Cp1251.h"
#include "core/Errors.h"

namespace lc {

namespace {

constexpr int kPiecesPerModel = 10;
constexpr size_t kNameRecord = 32; // a length byte and 31 characters
constexpr size_t kPieceNameChars = 40;

std::vector<uint8_t> readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw IoError(file.string(), "Cannot open");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw IoError(file.string(), "Cannot read");
    return bytes;
}

// The first `n` characters of UTF-8 text.
std::string firstChars(const std::string& utf8, size_t n) {
    size_t i = 0, count = 0;
    while (i < utf8.size() && count < n) {
        ++i;
        while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
        ++count;
    }
    return utf8.substr(0, i);
}

} // namespace

std::optional<int32_t> TypedLengthToMm(double value, int units) {
    if (!std::isfinite(value)) return std::nullopt;
    const long double mm = std::nearbyintl(static_cast<long double>(value) * (units == 1 ? 25.4L : 10.0L));
    if (!(mm >= -2147483648.0L && mm <= 2147483647.0L)) return std::nullopt;
    return static_cast<int32_t>(mm);
}

int NextShapeVariant(int kind) {
    if (kind < 0 || kind > kMaxCurveKind) return kind;
    if (kind < 16) return kind ^ 1;
    return (kind & ~3) + ((kind + 1) & 3);
}

std::filesystem::path ModelPiecesFile(const std::filesystem::path& dir) { return dir / "loopcrafter.de$"; }

std::filesystem::path PieceNamesFile(const std::filesystem::path& dir, const std::string& languageCode) {
    std::filesystem::path own = dir / ("loopcrafter_nd." + languageCode);
    std::error_code ec;
    if (std::filesystem::is_regular_file(own, ec)) return own;
    return dir / "loopcrafter_nd.ENG";
}

void GarmentDocument::NewGarments() {
    Outline.Clear();
    Product.Clear();
    Undo.Clear();
    loaded_ = -1;
}

int GarmentDocument::AddPiece(const std::string& name) {
    if (name.empty() || Outline.PointCount() == 0) return -1;
    if (!Product.AddGarment(Outline)) return -1;
    loaded_ = Product.PieceCount() - 1;
    Product.SetPieceName(loaded_, firstChars(name, kPieceNameChars));
    return loaded_;
}

bool GarmentDocument::RemovePiece(int i) {
    if (i < 0 || i >= Product.PieceCount()) return false;
    Undo.Push(Outline);
    Outline.Clear();
    Product.DeleteGarment(i);
    loaded_ = -1;
    return true;
}

bool GarmentDocument::LoadPiece(int i) {
    if (i < 0 || i >= Product.PieceCount()) return false;
    if (loaded_ >= 0 && loaded_ < Product.PieceCount() && Outline.PointCount() > 0)
        Product.SetGarment(loaded_, Outline);
    Product.GetGarment(i, Outline);
    loaded_ = i;
    Undo.Clear();
    return true;
}

void GarmentDocument::Load(const std::filesystem::path& file) {
    GarmentProduct product;
    GarmentOutline outline;
    product.LoadFromFile(file, outline);
    Product = std::move(product);
    Outline = std::move(outline);
    loaded_ = -1;
}

GarmentProduct BuildModelPieces(std::span<const uint8_t> models, std::span<const uint8_t> names, int modelId,
                                int sizeNo, const CataloguePieceBuilder& build) {
    const size_t modelCount = models.size() / (2 * kPiecesPerModel);
    if (modelId < 1 || static_cast<size_t>(modelId) > modelCount)
        throw FormatError("There is no model " + std::to_string(modelId) + " in the catalogue");
    GarmentProduct product;
    GarmentOutline piece;
    const size_t at = static_cast<size_t>(modelId - 1) * 2 * kPiecesPerModel;
    for (int k = 0; k < kPiecesPerModel; ++k) {
        const int d = models[at + 2 * k] | (models[at + 2 * k + 1] << 8);
        if (d == 0) continue;
        const size_t record = static_cast<size_t>(d) * kNameRecord;
        if (record + kNameRecord > names.size())
            throw FormatError("The catalogue has no name for piece " + std::to_string(d));
        piece.Clear();
        build(piece, d, sizeNo);
        if (product.AddGarment(piece))
            product.SetPieceName(product.PieceCount() - 1, ReadShortString(names.data() + record, kNameRecord));
    }
    return product;
}

int GarmentDocument::ImportModel(const std::filesystem::path& dir, const std::string& languageCode, int modelId,
                                 int sizeNo, const CataloguePieceBuilder& build) {
    const std::vector<uint8_t> models = readAll(ModelPiecesFile(dir));
    const std::vector<uint8_t> names = readAll(PieceNamesFile(dir, languageCode));
    Product = BuildModelPieces(models, names, modelId, sizeNo, build);
    Outline.Clear();
    Undo.Clear();
    loaded_ = -1;
    return Product.PieceCount();
}

} // namespace lc
