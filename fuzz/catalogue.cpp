// The catalogue readers and the piece builders on arbitrary bytes: the model
// catalogue and size templates must load or refuse; a piece record drafted
// with any measurements must draw or throw the program's own error, never
// overflow a coordinate or read out of bounds.
#include <cstdint>
#include <span>

#include "core/Errors.h"
#include "garment/BodySize.h"
#include "garment/CatalogueDetail.h"
#include "garment/CatalogueFilter.h"
#include "garment/SizeTemplates.h"

using namespace lc;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    try {
        ParseTemplates(bytes);
    } catch (const Error&) {}
    try {
        ParseCatalogue(bytes);
    } catch (const Error&) {}
    if (size >= kDetailRecordSize + kBodySizeRecord) {
        const DetailRec rec = DetailRec::FromBytes(data);
        const BodySize body = BodySize::FromRecord(data + kDetailRecordSize);
        GarmentOutline g;
        try {
            BuildCatalogueDetail(g, rec, body);
        } catch (const Error&) {}
    }
    return 0;
}
