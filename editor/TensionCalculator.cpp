#include "editor/TensionCalculator.h"

#include <charconv>
#include <cmath>

#include "core/PatternRaster.h"

namespace lc {

double UnitFactor(int unit) { return unit == 1 ? 2.54 : 1.0; }

std::string FormatCalculatorNumber(double v, char decimalSeparator) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == '.') c = decimalSeparator;
    return s;
}

std::optional<double> ParseCalculatorNumber(std::string_view text, char decimalSeparator, bool anySeparator) {
    if (text.empty() || text.size() > 64) return std::nullopt;
    std::string plain;
    int separators = 0, digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            plain += c;
            ++digits;
        } else if (c == decimalSeparator || (anySeparator && (c == '.' || c == ','))) {
            if (++separators > 1) return std::nullopt;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

double RoundHalfUp2(double v) {
    // The small nudge carries halves that binary cannot hold exactly (1.005) upward.
    return std::floor(v * 100.0 + 0.5 + 1e-9) / 100.0;
}

bool GaugeInBounds(double g) { return std::isfinite(g) && g >= kMinGauge && g <= kMaxGauge; }

double GaugeOf(double length, int unit, double count) { return UnitFactor(unit) * length / count; }

Preset ParsePresetLine(std::string_view line) {
    Preset p;
    const size_t eq = line.find('=');
    p.name = std::string(line.substr(0, eq));
    std::string_view rest = eq == std::string_view::npos ? std::string_view{} : line.substr(eq + 1);
    while (p.fields.size() < 4) {
        const size_t bar = rest.find('|');
        p.fields.emplace_back(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    }
    return p;
}

std::string PresetLine(const Preset& p) {
    std::string s = p.name + "=";
    for (size_t i = 0; i < p.fields.size(); ++i) {
        if (i) s += '|';
        s += p.fields[i];
    }
    return s;
}

Preset MakeTemplate(const std::string& name, const std::string& stitches, const std::string& rows,
                    std::optional<double> widthCm, std::optional<double> heightCm) {
    return Preset{name,
                  {stitches, rows, widthCm ? FormatCalculatorNumber(*widthCm) : std::string(),
                   heightCm ? FormatCalculatorNumber(*heightCm) : std::string()}};
}

std::optional<std::vector<Preset>> PresetStore::load() const {
    if (!store_.keyExists(key_)) return std::nullopt;
    std::vector<Preset> list;
    // A damaged store cannot make this run away: the values are counted from 0
    // while they exist, and a store holds finitely many.
    for (int n = 0;; ++n) {
        const std::optional<std::string> line = store_.readString(key_, prefix_ + std::to_string(n));
        if (!line) break;
        list.push_back(ParsePresetLine(*line));
    }
    return list;
}

void PresetStore::save(const std::vector<Preset>& list) {
    store_.deleteKey(key_);
    if (list.empty()) return;
    store_.createKey(key_);
    for (size_t i = 0; i < list.size(); ++i) store_.writeString(key_, prefix_ + std::to_string(i), PresetLine(list[i]));
}

int CheckedPresetIndex(int stored, int count) { return stored >= 0 && stored < count ? stored : -1; }

long CountGarmentCells(const IndexedBitmap& mask) {
    long n = 0;
    for (int y = 0; y < mask.height(); ++y) {
        const uint8_t* line = mask.line(y);
        for (int x = 0; x < mask.width(); ++x) n += line[x] == kMaskInside;
    }
    return n;
}

double YarnEstimate(long garmentCells, double amount, double rows, double stitches) {
    return RoundHalfUp2(static_cast<double>(garmentCells) * amount / (rows * stitches));
}

} // namespace lc
