#include "garment/CatalogueFilter.h"

#include <string>

#include "core/Bytes.h"
#include "core/Errors.h"

namespace lc {

namespace {

// Record index ranges (inclusive) by style and armhole; -1 where the style
// has no such armhole.
constexpr int kRanges[6][5][2] = {
    {{0, 29}, {30, 89}, {90, 119}, {120, 149}, {-1, -1}},
    {{150, 226}, {227, 369}, {370, 512}, {513, 566}, {567, 629}},
    {{630, 683}, {684, 737}, {738, 791}, {-1, -1}, {-1, -1}},
    {{792, 1029}, {1030, 1420}, {1421, 1850}, {1851, 1997}, {1998, 2179}},
    {{2180, 2317}, {2318, 2455}, {2456, 2593}, {-1, -1}, {-1, -1}},
    {{2594, 2637}, {2638, 2725}, {2726, 2769}, {2770, 2805}, {-1, -1}},
};
constexpr int kStyleFirst[6] = {0, 150, 630, 792, 2180, 2594};
constexpr int kStyleLast[6] = {149, 629, 791, 2179, 2593, 2805};

} // namespace

int FieldShift(CatalogueField f) {
    static constexpr int kShift[kCatalogueFieldCount] = {28, 24, 16, 12, 8, 4, 0};
    return kShift[static_cast<int>(f)];
}

int FieldValue(uint32_t code, CatalogueField f) {
    const uint32_t width = f == CatalogueField::Neckline ? 0xFF : 0xF;
    return static_cast<int>((code >> FieldShift(f)) & width);
}

int FieldMaximum(CatalogueField f) {
    static constexpr int kMax[kCatalogueFieldCount] = {6, 5, 21, 4, 7, 13, 3};
    return kMax[static_cast<int>(f)];
}

RecordRange StyleRange(int style) {
    if (style < 1 || style > 6) return {};
    return {kStyleFirst[style - 1], kStyleLast[style - 1]};
}

RecordRange StyleArmholeRange(int style, int armhole) {
    if (style < 1 || style > 6 || armhole < 1 || armhole > 5) return {};
    return {kRanges[style - 1][armhole - 1][0], kRanges[style - 1][armhole - 1][1]};
}

std::vector<CatalogueRecord> ParseCatalogue(std::span<const uint8_t> bytes) {
    if (bytes.size() != kCatalogueRecords * kCatalogueRecordSize)
        throw FormatError("the model catalogue must hold " + std::to_string(kCatalogueRecords) + " records");
    std::vector<CatalogueRecord> records(kCatalogueRecords);
    for (int style = 1; style <= 6; ++style) {
        for (int arm = 1; arm <= 5; ++arm) {
            const RecordRange r = StyleArmholeRange(style, arm);
            for (int i = r.First; r.Exists() && i <= r.Last; ++i) {
                const uint8_t* p = bytes.data() + static_cast<size_t>(i) * kCatalogueRecordSize;
                CatalogueRecord rec{GetU16LE(p), GetU32LE(p + 4)};
                bool ok = FieldValue(rec.Code, CatalogueField::Style) == style &&
                          FieldValue(rec.Code, CatalogueField::Armhole) == arm;
                for (int f = 2; ok && f < kCatalogueFieldCount; ++f)
                    ok = FieldValue(rec.Code, static_cast<CatalogueField>(f)) <=
                         FieldMaximum(static_cast<CatalogueField>(f));
                if (!ok) throw FormatError("the model catalogue is damaged (record " + std::to_string(i) + ")");
                records[static_cast<size_t>(i)] = rec;
            }
        }
    }
    return records;
}

CatalogueFilter::CatalogueFilter(std::span<const CatalogueRecord> records) : records_(records) {
    if (records_.size() != kCatalogueRecords) throw RangeError("the model catalogue is incomplete");
}

void CatalogueFilter::ChooseStyle(int style) {
    const RecordRange r = StyleRange(style);
    if (!r.Exists()) return;
    range_ = r;
    style_ = style;
    target_ = static_cast<uint32_t>(style) << 28;
    mask_ = 0xF0000000u;
    current_ = range_.First;
    hasMatch_ = true;
}

void CatalogueFilter::ChooseArmhole(int armhole) {
    const RecordRange r = StyleArmholeRange(Style(), armhole);
    if (!r.Exists()) return;
    range_ = r;
    // The style bits come from the chosen style, also after a later box
    // replaced the target.
    target_ = (static_cast<uint32_t>(style_) << 28) | (static_cast<uint32_t>(armhole) << 24);
    mask_ = 0xFF000000u;
    current_ = range_.First;
    hasMatch_ = true;
}

void CatalogueFilter::Choose(CatalogueField field, int value) {
    const auto v = static_cast<uint32_t>(value);
    switch (field) {
    case CatalogueField::Neckline:
        mask_ = 0x00FF0000u;
        target_ = (v & 0xFF) << 16;
        break;
    case CatalogueField::SleeveLength:
        mask_ = 0x00FFF000u;
        target_ = (target_ & 0xFFFF0000u) | ((v & 0xF) << 12);
        break;
    case CatalogueField::SleeveKind:
        mask_ = 0x00FFFF00u;
        target_ = (target_ & 0xFFFFF000u) | ((v & 0xF) << 8);
        break;
    case CatalogueField::Collar:
        mask_ = 0x00FFFFF0u;
        target_ = (target_ & 0xFFFFFF00u) | ((v & 0xF) << 4);
        break;
    case CatalogueField::Pocket:
        mask_ = 0x00FFFFFFu;
        target_ = (target_ & 0xFFFFFFF0u) | (v & 0xF);
        break;
    default: return;
    }
    findModel();
}

void CatalogueFilter::findModel() {
    for (int i = range_.First; i <= range_.Last; ++i) {
        if (matches(records_[static_cast<size_t>(i)])) {
            current_ = i;
            hasMatch_ = true;
            return;
        }
    }
    // Nothing matches: the current record stays, but OK must not return it.
    hasMatch_ = false;
}

std::vector<int> CatalogueFilter::Offered(CatalogueField field) const {
    std::vector<int> values;
    if (field == CatalogueField::Style) {
        for (int s = 1; s <= 6; ++s) values.push_back(s);
        return values;
    }
    if (field == CatalogueField::Armhole) {
        for (int a = 1; a <= 5; ++a)
            if (StyleArmholeRange(Style(), a).Exists()) values.push_back(a);
        return values;
    }
    uint32_t seen = 0;
    for (int i = range_.First; i <= range_.Last; ++i) {
        const CatalogueRecord& r = records_[static_cast<size_t>(i)];
        if (field != CatalogueField::Neckline && !matches(r)) continue;
        const int v = FieldValue(r.Code, field);
        if (v >= 1 && v <= 32) seen |= uint32_t{1} << (v - 1);
    }
    for (int v = 1; v <= 32; ++v)
        if (seen & (uint32_t{1} << (v - 1))) values.push_back(v);
    return values;
}

} // namespace lc
