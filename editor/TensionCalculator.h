#pragma once
// The tension and yarn calculator without its dialog: the gauge from a knitted
// sample, the numbers as the calculator shows and stores them, the named
// sample templates and yarn samples kept in the settings store, and the yarn
// estimate from the garment mask.
//
// Lengths are typed in centimetres (unit 0) or inches (unit 1); the gauge
// (PixByX, PixByY) is in centimetres per stitch and per row.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/IndexedBitmap.h"
#include "core/SettingsStore.h"

namespace lc {

// Centimetres per typed unit: 1 for centimetres, 2.54 for inches.
double UnitFactor(int unit);

// The 15-significant-digit general form with `decimalSeparator`:
// 3.93700787401575, 10, 0.2499995.
std::string FormatCalculatorNumber(double v, char decimalSeparator = '.');
// A number typed or stored: digits with at most one decimal separator, which
// may be `decimalSeparator`, or a dot or comma when `anySeparator`. Anything
// else (empty text, two separators, a sign, letters) gives nothing.
std::optional<double> ParseCalculatorNumber(std::string_view text, char decimalSeparator = '.',
                                            bool anySeparator = false);
// Rounded to 2 decimals, halves up (1.005 gives 1.01).
double RoundHalfUp2(double v);

// A gauge this program can lay out: 0.01 to 10 cm per stitch or row.
inline constexpr double kMinGauge = 0.01;
inline constexpr double kMaxGauge = 10.0;
bool GaugeInBounds(double cmPerStitch);
// Centimetres per stitch of a sample `length` (in `unit`) holding `count`
// stitches or rows.
double GaugeOf(double length, int unit, double count);

// --- presets -----------------------------------------------------------------
// One stored line "name=f1|f2|f3|f4". A name is cut at its first "=", a
// field at "|": the store holds them that way.
struct Preset {
    std::string name;
    std::vector<std::string> fields; // always four
};
Preset ParsePresetLine(std::string_view line);
std::string PresetLine(const Preset& p);

// A template's fields: stitches and rows as typed, width and height in
// centimetres with a dot ("" when the edit held no number).
Preset MakeTemplate(const std::string& name, const std::string& stitches, const std::string& rows,
                    std::optional<double> widthCm, std::optional<double> heightCm);

// The preset lists in the settings store: values "<prefix>0", "<prefix>1", ...
// of group `key` (kTemplatesKey with "Template", kSampleDataKey with "Sample").
class PresetStore {
public:
    PresetStore(ISettingsStore& store, std::string key, std::string prefix)
        : store_(store), key_(std::move(key)), prefix_(std::move(prefix)) {}
    // The stored list; nothing when the group does not exist (the caller keeps
    // what it held).
    std::optional<std::vector<Preset>> load() const;
    // Replaces the group by `list`; an empty list leaves no group.
    void save(const std::vector<Preset>& list);

private:
    ISettingsStore& store_;
    std::string key_, prefix_;
};

// A combo index kept in the settings that still names an item of a list of
// `count`; -1 otherwise.
int CheckedPresetIndex(int stored, int count);

// The yarn a garment needs: the cells of `mask` inside the garment (index 16)
// times `amount` over the `rows` x `stitches` of the sample, rounded to 2
// decimals, halves up.
long CountGarmentCells(const IndexedBitmap& mask);
double YarnEstimate(long garmentCells, double amount, double rows, double stitches);

} // namespace lc
