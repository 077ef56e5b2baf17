// The import of a catalogue model's pieces on arbitrary bytes: the first two
// bytes are the model id, the next two the length of the model-pieces bytes
// that follow; the rest are the piece names. It must refuse or build, never
// crash or read out of bounds, and every name it takes fits its record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/Errors.h"
#include "garment/GarmentDocument.h"

using namespace lc;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int modelId = data[0] | (data[1] << 8);
    const size_t modelBytes = std::min<size_t>(data[2] | (data[3] << 8), size - 4);
    const std::span<const uint8_t> models(data + 4, modelBytes);
    const std::span<const uint8_t> names(data + 4 + modelBytes, size - 4 - modelBytes);
    // A stand-in for the drafting: a small triangle sized by the piece number.
    auto build = [](GarmentOutline& g, int piece, int) {
        g.AddPoint(0, 0);
        g.AddPoint(piece, 0);
        g.AddPoint(0, piece % 97 + 10);
        g.AddCurve(0, 1, 0);
    };
    try {
        const GarmentProduct product = BuildModelPieces(models, names, modelId, 3, build);
        if (product.PieceCount() > 10) std::abort();
        for (int i = 0; i < product.PieceCount(); ++i)
            if (product.Piece(i).Name.size() > 31 * 3) std::abort(); // 31 characters, at most 3 UTF-8 bytes each
    } catch (const Error&) {}
    return 0;
}
