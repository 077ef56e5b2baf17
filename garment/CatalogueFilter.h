#pragma once
// The model catalogue ("loopcrafter.ic": exactly 2806 records of u16 ModelId,
// u16 unused, u32 Code, sorted by style and armhole) and the constructor's
// filter over it: choosing a style, then an armhole, narrows the record range;
// each later property narrows by mask and target, and the first matching
// record of the range is the model that OK returns.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lc {

inline constexpr int kCatalogueRecords = 2806;
inline constexpr size_t kCatalogueRecordSize = 8;

enum class CatalogueField : int { Style, Armhole, Neckline, SleeveLength, SleeveKind, Collar, Pocket };
inline constexpr int kCatalogueFieldCount = 7;

struct CatalogueRecord {
    uint16_t ModelId = 0;
    uint32_t Code = 0;
};

// The field's value in a model code (bits 28-31 style, 24-27 armhole, 16-23
// neckline, 12-15 sleeve length, 8-11 sleeve kind, 4-7 collar, 0-3 pocket).
int FieldValue(uint32_t code, CatalogueField field);
int FieldShift(CatalogueField field);
// The largest value each field may hold (style 6, armhole 5, neckline 21,
// sleeve length 4, sleeve kind 7, collar 13, pocket 3).
int FieldMaximum(CatalogueField field);

struct RecordRange {
    int First = -1;
    int Last = -1;
    bool Exists() const { return First >= 0; }
};

// The record ranges of each style (1-6) and of each style and armhole (1-5).
RecordRange StyleRange(int style);
RecordRange StyleArmholeRange(int style, int armhole);

// Checks a catalogue: 2806 records, each with its style and armhole inside
// the range it lies in and every field within its values (FormatError).
std::vector<CatalogueRecord> ParseCatalogue(std::span<const uint8_t> bytes);

class CatalogueFilter {
public:
    // `records` must stay alive and hold kCatalogueRecords records.
    explicit CatalogueFilter(std::span<const CatalogueRecord> records);

    void ChooseStyle(int style);
    void ChooseArmhole(int armhole);
    // Neckline, sleeve length, sleeve kind, collar or pocket.
    void Choose(CatalogueField field, int value);

    // The values the box of `field` lists now, ascending: armholes of the
    // chosen style; necklines of every record of the range; the later fields
    // from the records that match.
    std::vector<int> Offered(CatalogueField field) const;

    int Style() const { return style_; }
    RecordRange Range() const { return range_; }
    uint32_t Mask() const { return mask_; }
    uint32_t Target() const { return target_; }
    int Current() const { return current_; }
    // False when no record of the range matches (OK must stay disabled).
    bool HasMatch() const { return hasMatch_; }
    uint16_t ModelId() const { return records_[static_cast<size_t>(current_)].ModelId; }

private:
    bool matches(const CatalogueRecord& r) const { return (r.Code & mask_) == target_; }
    void findModel();

    std::span<const CatalogueRecord> records_;
    int style_ = 0;
    RecordRange range_{0, kCatalogueRecords - 1};
    uint32_t mask_ = 0xF0000000u;
    uint32_t target_ = 0xF0000000u;
    int current_ = 0;
    bool hasMatch_ = true;
};

} // namespace lc
